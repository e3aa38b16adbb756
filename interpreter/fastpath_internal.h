#pragma once
// The double-only form of a compiled program: a tree of closures, each a function pointer with
// its operands, for the case every variable holds a double. Operands that are variables or
// constants are read inside their parent's function, so `a+b*c` is two calls. Each variable read
// checks that the symbol is a variable holding a double; any other kind, and every non-finite
// value that a later step could hide (a divisor, an operand of "^" or of a function), turns into
// NaN, which every step passes on, so one test of the final value decides whether the program
// has to fall back to the exact one.
#include <memory>
#include <vector>

namespace tolvex {

class TMReference;
struct FastNode;

using FastEntry = double (*)(const FastNode*);

union FastOperand {
    const FastNode* node;
    const TMReference* reference;
    double value;
};

struct FastNode {
    FastEntry run = nullptr;
    FastOperand a{};
    FastOperand b{};
    double (*function)(double) = nullptr;  // a built-in function's double kernel
};

// The operations of a postfix program that can run on doubles.
enum class FastStep { Negate, Add, Subtract, Multiply, Divide, Power, Function };

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

private:
    enum class Source { Node, Variable, Constant };
    struct Value {
        Source source;
        bool isInteger;
        FastOperand operand;
    };
    const FastNode* Add(FastNode node);

    std::vector<FastNode> nodes_;  // reserved once: nodes point at one another
    std::vector<Value> stack_;
};

}  // namespace tolvex
