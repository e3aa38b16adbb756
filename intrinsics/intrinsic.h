#pragma once
// Built-in function calls. A call is an operator node whose operands are its arguments, with the
// priority of a prefix operator; every function is one row of the registry (its class name,
// operand count and evaluation), so adding a function is adding a row.
#include <memory>
#include <string>

#include "model/operators.h"

namespace tolvex {

class TMIntrinsicFunctionCall;

// Computes a function's value from the call node (its operands and its interpreter).
using IntrinsicEvaluation = Variant (*)(const TMIntrinsicFunctionCall& call);

struct IntrinsicRow {
    const char* className;        // "TMSin"; the function name is this without "TM"
    int operands;
    IntrinsicEvaluation evaluate;  // never null: every registered function is computed
};

class TMIntrinsicFunctionCall final : public TMOperator {
public:
    explicit TMIntrinsicFunctionCall(const IntrinsicRow& row) : row_(&row) {}
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

    // The interpreter the call belongs to; null until the tree is bound.
    TMInterpreterLink* MathInterpreter() const { return interpreter_; }

private:
    const IntrinsicRow* row_;
    TMInterpreterLink* interpreter_ = nullptr;
};

// The 75 functions in registry order.
int IntrinsicCount();
const IntrinsicRow& IntrinsicAt(int index);

// A new call node for a registered name (letter case ignored, exact otherwise), or null.
std::unique_ptr<TMIntrinsicFunctionCall> CreateIntrinsicFunctionCall(const std::string& name);

}  // namespace tolvex
