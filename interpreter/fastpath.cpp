#include "tolvex/interpreter/fastpath_internal.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "tolvex/intrinsics/functions.h"
#include "tolvex/model/mathitem.h"

namespace tolvex {

namespace {

constexpr double kFallBack = std::numeric_limits<double>::quiet_NaN();

inline bool Finite(double x) { return std::fabs(x) <= DBL_MAX; }

// Whether x / c equals x * r for every x: c a power of two whose reciprocal r is a normal double
// too, so both give the same real number, rounded once. A product is several times quicker.
bool ExactReciprocal(double c, double& r) {
    int exponent = 0;
    if (!std::isnormal(c) || std::fabs(std::frexp(c, &exponent)) != 0.5) return false;
    r = 1 / c;
    return std::isnormal(r);
}

struct FromNode {
    static double Get(FastOperand o, FastPlaces places) { return o.node->run(o.node, places); }
};
struct FromVariable {
    static double Get(FastOperand o, FastPlaces places) { return *places[o.read]; }
};
struct FromConstant {
    static double Get(FastOperand o, FastPlaces) { return o.value; }
};

// x / inf, the operands of "^" and those of the functions that do not keep them are the places
// where a non-finite value could turn finite again; they hand on NaN instead. Everywhere else it
// carries through by itself.
struct AddOp {
    static double Apply(double x, double y) { return x + y; }
};
struct SubtractOp {
    static double Apply(double x, double y) { return x - y; }
};
struct MultiplyOp {
    static double Apply(double x, double y) { return x * y; }
};
struct DivideOp {
    static double Apply(double x, double y) { return Finite(y) ? x / y : kFallBack; }
};
struct PowerOp {
    static double Apply(double x, double y) {
        return Finite(x) && Finite(y) && !(x == 0 && y < 0) ? PowerReal(x, y) : kFallBack;
    }
};

// A pair's leaves are read and combined in the parent's function: one call fewer.
struct FromPair {
    static double Leaf(FastOperand o, bool constant, FastPlaces places) {
        return constant ? FromConstant::Get(o, places) : FromVariable::Get(o, places);
    }
    static double Get(FastOperand o, FastPlaces places) {
        const FastNode& n = *o.node;
        const double x = Leaf(n.a, n.constantA, places);
        const double y = Leaf(n.b, n.constantB, places);
        switch (n.step) {
            case FastStep::Add: return AddOp::Apply(x, y);
            case FastStep::Subtract: return SubtractOp::Apply(x, y);
            default: return MultiplyOp::Apply(x, y);
        }
    }
};

template <class Op, class L, class R>
double Binary(const FastNode* n, FastPlaces places) {
    return Op::Apply(L::Get(n->a, places), R::Get(n->b, places));
}
template <class X>
double Negate(const FastNode* n, FastPlaces places) {
    return -X::Get(n->a, places);
}
// Adding zero turns -0 into +0, as the exact evaluation of a function does. A function that
// keeps a non-finite argument (KeepsNonFinite) needs no test of it.
template <class X, bool Test>
double Function(const FastNode* n, FastPlaces places) {
    const double x = X::Get(n->a, places);
    return !Test || Finite(x) ? n->function(x) + 0.0 : kFallBack;
}
// The square and the square root, which one instruction computes as their routines do, inline.
struct SquareKernel {
    static double Apply(double x) { return x * x; }
};
struct SqrtKernel {
    static double Apply(double x) { return std::sqrt(x); }
};
template <class X, class K>
double InlineKernel(const FastNode* n, FastPlaces places) {
    return K::Apply(X::Get(n->a, places)) + 0.0;
}
// The entries by operand source that compute `kernel` inline, or `called` when it has none.
const FastEntry* InlineEntries(double (*kernel)(double), const FastEntry* called) {
    static constexpr struct {
        double (*kernel)(double);
        FastEntry entries[4];
    } kInline[] = {
        {SqrReal, {InlineKernel<FromNode, SquareKernel>, InlineKernel<FromVariable, SquareKernel>,
                   InlineKernel<FromConstant, SquareKernel>, InlineKernel<FromPair, SquareKernel>}},
        {SqrtReal, {InlineKernel<FromNode, SqrtKernel>, InlineKernel<FromVariable, SqrtKernel>,
                    InlineKernel<FromConstant, SqrtKernel>, InlineKernel<FromPair, SqrtKernel>}},
    };
    for (const auto& row : kInline)
        if (row.kernel == kernel) return row.entries;
    return called;
}
template <class X>
double Identity(const FastNode* n, FastPlaces places) {
    return X::Get(n->a, places);
}

// Entries by the sources of the operands, in the order of FastProgramBuilder::Source.
template <class Op, class L>
constexpr FastEntry kBinaryRow[4] = {Binary<Op, L, FromNode>, Binary<Op, L, FromVariable>,
                                     Binary<Op, L, FromConstant>, Binary<Op, L, FromPair>};
template <class Op>
constexpr const FastEntry* kBinary[4] = {kBinaryRow<Op, FromNode>, kBinaryRow<Op, FromVariable>,
                                         kBinaryRow<Op, FromConstant>, kBinaryRow<Op, FromPair>};

}  // namespace

void FastProgramBuilder::Constant(double value, bool isInteger) {
    Value v{Source::Constant, isInteger, {}};
    v.operand.value = value;
    stack_.push_back(v);
    postfix_.push_back({FastPostfix::Kind::Constant, FastStep::Negate, value, 0, nullptr});
}

void FastProgramBuilder::Variable(const TMReference* reference) {
    Value v{Source::Variable, false, {}};
    v.operand.read = reads_.size();
    postfix_.push_back({FastPostfix::Kind::Variable, FastStep::Negate, 0, reads_.size(), nullptr});
    reads_.push_back(reference);
    readUsers_.emplace_back();
    stack_.push_back(v);
}

const FastNode* FastProgramBuilder::Add(FastNode node, const Value& a, const Value* b) {
    if (a.source == Source::Variable) readUsers_[a.operand.read] = {nodes_.size(), 0};
    if (b && b->source == Source::Variable) readUsers_[b->operand.read] = {nodes_.size(), 1};
    nodes_.push_back(node);
    return &nodes_.back();
}

std::vector<FastOperand*> FastProgramBuilder::ReadOperands(std::vector<FastNode>& nodes) const {
    std::vector<FastOperand*> operands;
    for (const auto& [node, which] : readUsers_) operands.push_back(which == 0 ? &nodes[node].a : &nodes[node].b);
    return operands;
}

bool FastProgramBuilder::IsPair(FastStep step, const Value& x, const Value& y) {
    const auto leaf = [](const Value& v) { return v.source == Source::Variable || v.source == Source::Constant; };
    return leaf(x) && leaf(y) && (step == FastStep::Add || step == FastStep::Subtract || step == FastStep::Multiply);
}

bool FastProgramBuilder::Operation(FastStep step, double (*function)(double)) {
    const auto index = [](const Value& v) { return static_cast<int>(v.source); };
    // A constant exponent 2, the last step taken, makes the square: what PowerReal computes for it.
    if (step == FastStep::Power && stack_.back().source == Source::Constant && stack_.back().operand.value == 2) {
        stack_.pop_back();
        postfix_.pop_back();
        return Operation(FastStep::Function, SqrReal);
    }
    const bool unary = step == FastStep::Negate || step == FastStep::Function;
    Value y = stack_.back();
    stack_.pop_back();
    const Value x = unary ? y : stack_.back();
    if (!unary) stack_.pop_back();
    // A constant divisor is the last step taken: it becomes the reciprocal to multiply by.
    if (double r = 0; step == FastStep::Divide && !x.isInteger && y.source == Source::Constant &&
                      ExactReciprocal(y.operand.value, r)) {
        step = FastStep::Multiply;
        y = {Source::Constant, false, {}};
        y.operand.value = r;
        postfix_.back().value = r;
    }
    FastNode node;
    if (unary) {
        if (x.isInteger) return false;  // left unfolded because it fails
        static constexpr FastEntry kNegate[4] = {Negate<FromNode>, Negate<FromVariable>, Negate<FromConstant>,
                                                 Negate<FromPair>};
        static constexpr FastEntry kFunction[2][4] = {
            {Function<FromNode, true>, Function<FromVariable, true>, Function<FromConstant, true>,
             Function<FromPair, true>},
            {Function<FromNode, false>, Function<FromVariable, false>, Function<FromConstant, false>,
             Function<FromPair, false>},
        };
        const FastEntry* called = kFunction[KeepsNonFinite(function)];
        node.run = (step == FastStep::Negate ? kNegate : InlineEntries(function, called))[index(x)];
        node.function = LibraryRoutine(function);  // one jump fewer per call
    } else {
        if (x.isInteger && y.isInteger) return false;  // integer arithmetic, or a failing constant
        switch (step) {
            case FastStep::Add: node.run = kBinary<AddOp>[index(x)][index(y)]; break;
            case FastStep::Subtract: node.run = kBinary<SubtractOp>[index(x)][index(y)]; break;
            case FastStep::Multiply: node.run = kBinary<MultiplyOp>[index(x)][index(y)]; break;
            case FastStep::Divide: node.run = kBinary<DivideOp>[index(x)][index(y)]; break;
            case FastStep::Power: node.run = kBinary<PowerOp>[index(x)][index(y)]; break;
            default: return false;
        }
        node.b = y.operand;
        node.step = step;
        node.constantA = x.source == Source::Constant;
        node.constantB = y.source == Source::Constant;
    }
    node.a = x.operand;
    Value result{!unary && IsPair(step, x, y) ? Source::Pair : Source::Node, false, {}};
    result.operand.node = Add(node, x, unary ? nullptr : &y);
    stack_.push_back(result);
    postfix_.push_back({FastPostfix::Kind::Operation, step, 0, 0, function});
    return true;
}

bool FastProgramBuilder::Finish(FastEntry& entry, const FastNode*& root) {
    if (stack_.size() != 1 || stack_.back().isInteger) return false;
    const Value& top = stack_.back();
    if (top.source == Source::Node || top.source == Source::Pair) {
        root = top.operand.node;
    } else {
        FastNode node;
        node.run = top.source == Source::Variable ? Identity<FromVariable> : Identity<FromConstant>;
        node.a = top.operand;
        root = Add(node, top, nullptr);
    }
    entry = root->run;
    return true;
}

}  // namespace tolvex
