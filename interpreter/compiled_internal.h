#pragma once
// A prepared tree of numeric operations compiled into a flat postfix program over integers and
// doubles. It gives exactly the value and kind the tree gives: every step it takes has no side
// effect, so whenever it meets anything else (a variable that is not a number, an integer result
// outside 32 bits, a result that is not finite) it gives up and the tree is evaluated instead,
// which then raises the same error at the same point.
//
// Beside it the program may have a double-only form (fastpath_internal.h), tried first: it gives
// the same double whenever all its variables hold doubles and the result is finite, and NaN
// otherwise, after which the exact program runs. That form may also run as machine code
// (machinecode_internal.h), which gives the same doubles.
#include <cstdint>
#include <memory>
#include <vector>

#include "tolvex/interpreter/preparedrun.h"
#include "tolvex/model/mathitem.h"
#include "tolvex/value/variant.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMExpression;
class TMReference;
struct RealKernel;
struct FastNode;
struct FastPostfix;
union FastOperand;
class MachineCode;

class TCompiledExpression {
public:
    // The program of `tree`, or null when the tree holds anything but number literals, variable
    // references, arithmetic operators and functions of one number. The tree must outlive it.
    static std::unique_ptr<TCompiledExpression> Compile(TMExpression& tree);
    ~TCompiledExpression();

    // The double-only form's run as the interpreter's inline entry takes it: good until a
    // reference of the tree lets go of its symbol or the double of a variable moves
    // (TMInterpreterLink::PlacesMoved), after which RunDoubleAfresh must find the places again.
    const TPreparedRun& DoubleRun() const { return run_; }
    // Finds the places, then gives the value when the double-only form applies; anything not
    // finite (NaN where the form does not apply) means Run must answer instead. Each variable is
    // read in place (a bound one from the host's storage).
    double RunDoubleAfresh() const;

    // The value, or Empty when the tree must be evaluated instead.
    Variant Run() const {
        Number n;
        if (!Run(n)) return Variant();
        return n.isInt ? Variant(n.i) : Variant(n.d);
    }

private:
    static constexpr std::size_t kMaxReads = 32;  // more variable reads leave out the double-only form
    enum class Op : std::uint8_t { Literal, Variable, Negate, Add, Subtract, Multiply, Divide, Power, IntDiv, Mod, Kernel };
    struct Number {
        double d;
        std::int32_t i;
        bool isInt;
    };
    struct Instruction {
        Op op;
        Number literal;                        // Literal
        const TMReference* reference = nullptr;  // Variable
        const RealKernel* kernel = nullptr;      // Kernel
    };

    TCompiledExpression();
    bool Run(Number& result) const;
    bool Emit(TMExpression& node, int level);
    // Builds the double-only form of the program, when there is one, and its machine code.
    void BuildFastPath();
    // Gives the references bound to one symbol now one entry among the places; the form's
    // variables (`read` of the operands and of the postfix steps) name their entries.
    std::size_t GroupReads(std::vector<FastOperand*>& operands, std::vector<FastPostfix>& program);
    // Fills the places from the variables the references are bound to. While one is bound to
    // anything else or to nothing, holds no double, or references of one entry are bound to
    // different variables, every place is a NaN, so the form gives NaN until they are found again.
    void Resolve() const;
    // Replaces the last operation by its value when its operands are all constants and it succeeds.
    void Fold(int operands);

    std::vector<Instruction> program_;
    int depth_ = 0;     // deepest stack the program needs
    int current_ = 0;   // stack depth while emitting
    // The form's run: the machine code where there is some, else the closures' root function,
    // over places_ as Resolve found them; without a form, a function giving NaN.
    mutable TPreparedRun run_;
    std::unique_ptr<std::vector<FastNode>> fastNodes_;  // the root and the nodes it reaches
    std::unique_ptr<MachineCode> machineCode_;
    // The references the double-only form reads, and per reference its entry among the places:
    // the entry's variable's double (TMCustomVar::DoubleInPlace), as Resolve last found it.
    std::vector<const TMReference*> fastReads_;
    std::vector<std::size_t> readEntries_;
    mutable std::vector<const double*> places_;
};

}  // namespace tolvex

TOLVEX_END_API
