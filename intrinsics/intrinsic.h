#pragma once
// Built-in function calls. A call is an operator node whose operands are its arguments, with the
// priority of a prefix operator; every function is one row of the registry (its class name,
// operand count and evaluation), so adding a function is adding a row.
#include <memory>
#include <string>
#include <string_view>

#include "tolvex/model/operators.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMIntrinsicFunctionCall;

// Computes a function's value from the call node (its operands and its interpreter).
using IntrinsicEvaluation = Variant (*)(const TMIntrinsicFunctionCall& call);

// What an infinite result of finite arguments means: a pole of the function (log 0, 1/0) or a
// value too large to hold.
enum class OnInfinity { Overflow, ZeroDivide };

// The core of a function of one number that needs nothing else. Rows that have one share a single
// evaluation, and compiled prepared expressions call it directly.
struct RealKernel {
    long double (*compute)(long double) = nullptr;  // in extended precision
    OnInfinity meaning = OnInfinity::Overflow;
    // The same function in double precision, where it gives the extended result rounded to double
    // or a neighbour of it (tests/intrinsics/precision_test.cpp checks each); null where extended
    // precision changes results. When present it is the one evaluated.
    double (*real)(double) = nullptr;

    // The function's value as every evaluator computes it: the double routine where there is one.
    long double operator()(double x) const { return real ? real(x) : compute(x); }
};

struct IntrinsicRow {
    const char* className;        // "TMSin"; the function name is this without "TM"
    int operands;
    IntrinsicEvaluation evaluate;  // never null: every registered function is computed
    RealKernel kernel{};           // for functions of one number only
};

class TMIntrinsicFunctionCall final : public TMOperator {
public:
    explicit TMIntrinsicFunctionCall(const IntrinsicRow& row) : row_(&row) { AddKind(ikIntrinsic); }
    const char* ClassName() const override { return row_->className; }
    // The function name: the class name without its leading "TM".
    std::string FuncName() const { return row_->className + 2; }
    std::string Dump(TDumpFormat format) const override;
    Variant GetValue() override;
    void SetMathInterpreter(TMInterpreterLink* interpreter) override;

    std::string DumpOperator() const override;
    int NumberOfOperands() const override { return row_->operands; }
    TOperatorAssociativity Associativity() const override { return oaRightToLeft; }
    TOperatorPriority Priority() const override { return opUnaryOperator; }

    const IntrinsicRow& Row() const { return *row_; }
    // The interpreter the call belongs to; null until the tree is bound.
    TMInterpreterLink* MathInterpreter() const { return interpreter_; }

private:
    const IntrinsicRow* row_;
    TMInterpreterLink* interpreter_ = nullptr;
};

template <> inline constexpr std::uint32_t kKindOf<TMIntrinsicFunctionCall> = ikIntrinsic;

// The 75 functions in registry order.
int IntrinsicCount();
const IntrinsicRow& IntrinsicAt(int index);

// The row of a registered name (letter case ignored, exact otherwise), or null.
const IntrinsicRow* FindIntrinsic(std::string_view name);
// A new call node for a registered name, or null.
std::unique_ptr<TMIntrinsicFunctionCall> CreateIntrinsicFunctionCall(const std::string& name);
// True when the scanner reads `name` as a built-in function.
bool IsIntrinsicName(const std::string& name);

}  // namespace tolvex

TOLVEX_END_API
