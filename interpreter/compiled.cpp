#include "tolvex/interpreter/compiled_internal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string_view>

#include "tolvex/interpreter/fastpath_internal.h"
#include "tolvex/interpreter/machinecode_internal.h"
#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/mathintrinsic.h"
#include "tolvex/model/mathitem.h"

namespace tolvex {

namespace {

constexpr int kMaxDepth = 64;  // deeper programs are left to the tree
// Emitting recurses once per level of the tree, and so does the fast path built from it (which
// has no loop for long chains): deeper trees are left to the tree as well.
constexpr int kMaxLevels = kMaxTreeDepth;

bool FitsInt32(std::int64_t r) {
    return r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

TCompiledExpression::TCompiledExpression() : run_(kNoPreparedRun) {}
TCompiledExpression::~TCompiledExpression() = default;

std::unique_ptr<TCompiledExpression> TCompiledExpression::Compile(TMExpression& tree) {
    auto compiled = std::unique_ptr<TCompiledExpression>(new TCompiledExpression());
    if (!compiled->Emit(tree, 0) || compiled->depth_ > kMaxDepth) return nullptr;
    compiled->BuildFastPath();
    return compiled;
}

void TCompiledExpression::BuildFastPath() {
    FastProgramBuilder builder(static_cast<int>(program_.size()));
    for (const Instruction& in : program_) {
        bool built = true;
        switch (in.op) {
            case Op::Literal: builder.Constant(in.literal.isInt ? in.literal.i : in.literal.d, in.literal.isInt); break;
            case Op::Variable: builder.Variable(in.reference); break;
            case Op::Negate: built = builder.Operation(FastStep::Negate); break;
            case Op::Add: built = builder.Operation(FastStep::Add); break;
            case Op::Subtract: built = builder.Operation(FastStep::Subtract); break;
            case Op::Multiply: built = builder.Operation(FastStep::Multiply); break;
            case Op::Divide: built = builder.Operation(FastStep::Divide); break;
            case Op::Power: built = builder.Operation(FastStep::Power); break;
            case Op::Kernel: built = in.kernel->real && builder.Operation(FastStep::Function, in.kernel->real); break;
            default: built = false;  // div and mod never take doubles
        }
        if (!built) return;
    }
    FastEntry entry = nullptr;
    const FastNode* root = nullptr;
    if (!builder.Finish(entry, root)) return;
    std::vector<const TMReference*> reads = builder.TakeReads();
    if (reads.size() > kMaxReads) return;
    fastReads_ = std::move(reads);
    // Moving the vector keeps its buffer, where the nodes point at one another.
    fastNodes_ = std::make_unique<std::vector<FastNode>>(builder.TakeNodes());
    std::vector<FastOperand*> operands = builder.ReadOperands(*fastNodes_);
    std::vector<FastPostfix> program = builder.TakePostfix();
    places_.resize(GroupReads(operands, program));
    machineCode_ = MachineCode::Build(program);
    run_.entry = machineCode_ ? machineCode_->Entry() : entry;
    run_.root = root;
    run_.places = places_.data();
}

std::size_t TCompiledExpression::GroupReads(std::vector<FastOperand*>& operands, std::vector<FastPostfix>& program) {
    std::vector<const TMSymbol*> symbols;
    for (const TMReference* reference : fastReads_) {
        const TMSymbol* symbol = reference->SymbolReference;
        std::size_t entry = 0;
        while (entry < symbols.size() && !(symbol && symbols[entry] == symbol)) ++entry;
        if (entry == symbols.size()) symbols.push_back(symbol);
        readEntries_.push_back(entry);
    }
    for (std::size_t i = 0; i < operands.size(); ++i) operands[i]->read = readEntries_[i];
    for (FastPostfix& step : program)
        if (step.kind == FastPostfix::Kind::Variable) step.read = readEntries_[step.read];
    return symbols.size();
}

double TCompiledExpression::RunDoubleAfresh() const {
    Resolve();
    return run_.entry(run_.root, run_.places);
}

void TCompiledExpression::Resolve() const {
    static const double kNoDouble = std::numeric_limits<double>::quiet_NaN();
    std::fill(places_.begin(), places_.end(), nullptr);
    for (std::size_t i = 0; i < fastReads_.size(); ++i) {
        const TMSymbol* symbol = fastReads_[i]->SymbolReference;
        const double* place = Is<TMVar>(symbol) ? static_cast<const TMVar*>(symbol)->DoubleInPlace() : nullptr;
        const double*& entry = places_[readEntries_[i]];
        if (!place || (entry && entry != place)) {  // no double, or references of one entry bound apart
            std::fill(places_.begin(), places_.end(), &kNoDouble);
            return;
        }
        entry = place;
    }
}

// Emits the operands of `node` and then the node itself; false for anything the program cannot do.
bool TCompiledExpression::Emit(TMExpression& node, int level) {
    if (level > kMaxLevels) return false;
    Instruction in{};
    if (auto* literal = As<TMLiteral>(&node)) {
        const Variant& v = literal->Value();
        if (v.Kind() == VarKind::Integer) in = {Op::Literal, {0.0, v.Int(), true}};
        else if (v.Kind() == VarKind::Double) in = {Op::Literal, {v.Dbl(), 0, false}};
        else return false;
    } else if (auto* reference = As<TMVarRef>(&node)) {
        in.op = Op::Variable;
        in.reference = reference;
    } else if (auto* op = As<TMOperator>(&node)) {
        if (op->Operands.Count() != op->NumberOfOperands()) return false;
        for (int i = 0; i < op->Operands.Count(); ++i)
            if (!op->GetOperandExpressions(i) || !Emit(*op->GetOperandExpressions(i), level + 1)) return false;
        current_ -= op->Operands.Count();
        const std::string_view name = op->ClassName();
        static const std::pair<std::string_view, Op> kOperators[] = {
            {"TMUnaryMinus", Op::Negate}, {"TMPlus", Op::Add},       {"TMMinus", Op::Subtract},
            {"TMMultiply", Op::Multiply}, {"TMDivide", Op::Divide},  {"TMPower", Op::Power},
            {"TMIntDiv", Op::IntDiv},     {"TMMod", Op::Mod},
        };
        bool known = false;
        for (const auto& [text, code] : kOperators)
            if (name == text) { in.op = code; known = true; }
        if (auto* call = As<TMIntrinsicFunctionCall>(op)) {
            if (call->Row().kernel.compute && call->NumberOfOperands() == 1) {
                in.op = Op::Kernel;
                in.kernel = &call->Row().kernel;
                known = true;
            } else if (name == "TMPi") {
                in = {Op::Literal, {std::numbers::pi, 0, false}};
                known = true;
            }
        }
        if (!known) return false;
        program_.push_back(in);
        depth_ = std::max(depth_, ++current_);
        if (in.op != Op::Literal) Fold(op->Operands.Count());
        return true;
    } else {
        return false;
    }
    program_.push_back(in);
    depth_ = std::max(depth_, ++current_);
    return true;
}

void TCompiledExpression::Fold(int operands) {
    const auto n = static_cast<int>(program_.size());
    if (operands < 1 || n < operands + 1) return;
    for (int k = 2; k <= operands + 1; ++k)
        if (program_[static_cast<std::size_t>(n - k)].op != Op::Literal) return;
    TCompiledExpression part;
    part.program_.assign(program_.end() - (operands + 1), program_.end());
    Instruction constant{};
    constant.op = Op::Literal;
    if (!part.Run(constant.literal)) return;  // a step that fails is kept, to fail when it runs
    program_.resize(static_cast<std::size_t>(n - operands - 1));
    program_.push_back(constant);
}

bool TCompiledExpression::Run(Number& result) const {
    Number stack[kMaxDepth];
    int top = -1;
    for (const Instruction& in : program_) {
        switch (in.op) {
            case Op::Literal: stack[++top] = in.literal; break;
            case Op::Variable: {
                const TMSymbol* symbol = in.reference->SymbolReference;
                if (!Is<TMVar>(symbol)) return false;
                const Variant& v = static_cast<const TMVar*>(symbol)->Value();
                if (v.Kind() == VarKind::Double) stack[++top] = {v.Dbl(), 0, false};
                else if (v.Kind() == VarKind::Integer) stack[++top] = {0.0, v.Int(), true};
                else return false;
                break;
            }
            case Op::Negate: {
                Number& x = stack[top];
                if (!x.isInt) x.d = -x.d;
                else if (x.i == std::numeric_limits<std::int32_t>::min()) return false;
                else x.i = -x.i;
                break;
            }
            case Op::Kernel: {
                Number& x = stack[top];
                if (!intrinsic_detail::TryFiniteReal((*in.kernel)(x.isInt ? x.i : x.d), x.d)) return false;
                x.isInt = false;
                break;
            }
            default: {
                Number& x = stack[top - 1];
                const Number& y = stack[top--];
                if (x.isInt && y.isInt) {
                    std::int64_t r = 0;
                    switch (in.op) {
                        case Op::Add: r = std::int64_t{x.i} + y.i; break;
                        case Op::Subtract: r = std::int64_t{x.i} - y.i; break;
                        case Op::Multiply: r = std::int64_t{x.i} * y.i; break;
                        case Op::IntDiv: if (y.i == 0) return false; r = std::int64_t{x.i} / y.i; break;
                        case Op::Mod: if (y.i == 0) return false; r = std::int64_t{x.i} % y.i; break;
                        default: goto real;  // "/" and "^" always give a double
                    }
                    if (!FitsInt32(r)) return false;
                    x.i = static_cast<std::int32_t>(r);
                    break;
                }
            real:
                const double a = x.isInt ? x.i : x.d;
                const double b = y.isInt ? y.i : y.d;
                switch (in.op) {
                    case Op::Add: x.d = a + b; break;
                    case Op::Subtract: x.d = a - b; break;
                    case Op::Multiply: x.d = a * b; break;
                    case Op::Divide: x.d = a / b; break;
                    case Op::Power:
                        if (a == 0 && b < 0) return false;
                        x.d = PowerReal(a, b);
                        break;
                    default: return false;  // div and mod of a double round it first: left to the tree
                }
                if (!std::isfinite(x.d)) return false;
                x.isInt = false;
                break;
            }
        }
    }
    // Field by field: a whole-struct copy of what was just written in pieces stalls the load.
    result.d = stack[0].d;
    result.i = stack[0].i;
    result.isInt = stack[0].isInt;
    return true;
}

}  // namespace tolvex
