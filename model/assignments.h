#pragma once
// The two assignment operators: "=" stores a value in a variable of the interpreter's table;
// ":=" turns its right side into the body of a user function while the tree is assembled.
#include "tolvex/model/operators.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMFunction;

class TMAssign : public TMRightToLeftAssociative {
public:
    TOperatorPriority Priority() const override { return opAssign; }
    // An assignment has no plain text form.
    std::string DumpOperator() const override;
};

class TMAssignValue final : public TMAssign {
public:
    const char* ClassName() const override { return "TMAssignValue"; }
    // Written as "=", so that a body holding a value assignment saves and loads back.
    std::string DumpOperator() const override { return "="; }
    Variant GetValue() override;
    void PullOperands(TMItems& stack, TMSymbols* symbols) override;

private:
    TMSymbol* CreateVariable(TMInterpreterLink& interpreter, const std::string& name, const Variant& value);
};

class TMAssignSymbolic final : public TMAssign {
public:
    TMAssignSymbolic() { AddKind(ikAssignSymbolic); }
    ~TMAssignSymbolic() override;
    const char* ClassName() const override { return "TMAssignSymbolic"; }
    std::string Dump(TDumpFormat format) const override;
    // Nothing is evaluated: the definition took effect when the tree was assembled.
    Variant GetValue() override { return Null(); }
    // Binds the left side's name only: its arguments declare parameters and refer to nothing.
    void Rewire(TMSymbol* symbol) override;
    void CollectReferences(std::vector<TMReference*>& references) override;
    // The function this node defined, while it still holds the body the node gave it; else null.
    const TMFunction* CurrentDefinition() const { return defined_; }
    // The function this node defined lets go of the body it gave (it is redefined or removed):
    // the node keeps the definition's text, so that it still writes what it defined.
    void Outlived(const TMFunction& function, bool keepText);
    void PullOperands(TMItems& stack, TMSymbols* symbols) override;

private:
    TMFunction* DefineFunction(TMSymbols& symbols, const std::string& name);
    void DeclareParameters(TMFunction& function);
    void BindBody(TMSymbols& symbols, TMFunction& function);
    void Withdraw(TMSymbols& symbols, TMFunction* function);

    TMFunction* defined_ = nullptr;  // not owned; null once the function let go of the body
    std::string kept_;               // the definition's plain text, once the function let go
    char keptEscape_ = '\0';         // the escape character its string literals were written for
};

template <> inline constexpr std::uint32_t kKindOf<TMAssignSymbolic> = ikAssignSymbolic;

}  // namespace tolvex

TOLVEX_END_API
