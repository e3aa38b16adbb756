#pragma once
// The double-only form of a compiled program: a tree of closures, each a function pointer with
// its operands, for the case every variable holds a double. A variable is read in place: its
// entry among the places is where its double is (TMCustomVar::DoubleInPlace), or a NaN while
// the program has found no double for it.
// Operands that are variables or constants are taken inside their parent's function, and so is
// a sum, difference or product of two of them, so `a+b*c` is one call.
// Every non-finite value that a later step could hide (a divisor, an operand of "^" or of a
// function that does not keep it, KeepsNonFinite) turns into NaN, which every step passes on, so
// one test of the final value decides whether the program has to fall back to the exact one.
#include <memory>
#include <utility>
#include <vector>

#include "tolvex/interpreter/preparedrun.h"

namespace tolvex {

class TMReference;
struct FastNode;

// Per variable of the program, where its double is.
using FastPlaces = const double* const*;
using FastEntry = decltype(TPreparedRun::entry);

union FastOperand {
    const FastNode* node;
    std::size_t read;  // the variable's entry among the places
    double value;
};

// The operations of a postfix program that can run on doubles.
enum class FastStep : unsigned char { Negate, Add, Subtract, Multiply, Divide, Power, Function };

struct FastNode {
    FastEntry run = nullptr;
    FastOperand a{};
    FastOperand b{};
    double (*function)(double) = nullptr;  // a built-in function's double kernel
    // A pair is a sum, difference or product of two leaves, which its parent computes in place
    // (a quotient as well cost the others more than it saved): its step and which leaves are
    // constants.
    FastStep step = FastStep::Negate;
    bool constantA = false;
    bool constantB = false;
};

// One step of the program in postfix order, as the builder took it: what machine code is made
// from (machinecode_internal.h). A variable's `read` is its entry among the places.
struct FastPostfix {
    enum class Kind : unsigned char { Constant, Variable, Operation };
    Kind kind;
    FastStep step = FastStep::Negate;  // Operation
    double value = 0;                  // Constant
    std::size_t read = 0;              // Variable
    double (*function)(double) = nullptr;  // Operation Function
};

class FastProgramBuilder {
public:
    explicit FastProgramBuilder(int steps) { nodes_.reserve(static_cast<std::size_t>(steps) + 1); }
    void Constant(double value, bool isInteger);
    void Variable(const TMReference* reference);
    // False when the step cannot run on doubles alone (an operation of two integers).
    bool Operation(FastStep step, double (*function)(double) = nullptr);
    // The entry and the root node, or false when the result is not a double.
    bool Finish(FastEntry& entry, const FastNode*& root);
    std::vector<FastNode> TakeNodes() { return std::move(nodes_); }
    std::vector<FastPostfix> TakePostfix() { return std::move(postfix_); }
    // The references the program reads, numbered in postfix order, which is how the builder
    // numbers their `read` until the caller names their entries among the places; and for each
    // the operand that takes its value, valid once the nodes are taken (their buffer stays).
    std::vector<const TMReference*> TakeReads() { return std::move(reads_); }
    std::vector<FastOperand*> ReadOperands(std::vector<FastNode>& nodes) const;

private:
    enum class Source { Node, Variable, Constant, Pair };
    struct Value {
        Source source;
        bool isInteger;
        FastOperand operand;
    };
    // Whether a node of `step` over `x` and `y` is a pair (see FastNode).
    static bool IsPair(FastStep step, const Value& x, const Value& y);
    // Enters the node whose operands came from `a` and `b` (null for one operand).
    const FastNode* Add(FastNode node, const Value& a, const Value* b);

    std::vector<FastNode> nodes_;  // reserved once: nodes point at one another
    std::vector<Value> stack_;
    std::vector<FastPostfix> postfix_;
    std::vector<const TMReference*> reads_;
    // Per read: the node (index) and operand (0 for a, 1 for b) that takes it.
    std::vector<std::pair<std::size_t, int>> readUsers_;
};

}  // namespace tolvex
