#pragma once
// Names in an expression: variable references, user-function calls and their argument wrappers.
// A reference holds its name and, while a symbol of that name exists, a non-owning pointer to it.
#include <memory>
#include <string>

#include "tolvex/model/items.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMHostFunction;

class TMReference : public TMExpression {
public:
    TMReference() { AddKind(ikReference); }
    std::string Dump(TDumpFormat format) const override;
    // Writes the bound symbol, or offers the value to the unknown-symbol event.
    void SetValue(const Variant& value) override;
    void Rewire(TMSymbol* symbol) override;
    void Unwire(TMSymbol* symbol) override;
    void SetMathInterpreter(TMInterpreterLink* interpreter) override;
    void CollectReferences(std::vector<TMReference*>& references) override { references.push_back(this); }

    TMSymbol* SymbolReference = nullptr;           // not owned; null while unbound
    std::string ReferencedSymbolName;
    TMInterpreterLink* MathInterpreter = nullptr;  // not owned

protected:
    // "f." when qualified and bound to a parameter, else empty.
    std::string Prefix(TDumpFormat format) const;
};

// Base of the two references that may stand left of an assignment.
class TMSymbolRef : public TMReference {
public:
    TMSymbolRef() { AddKind(ikSymbolRef); }
};

// A name without arguments: a variable, a parameter or a function without parameters.
class TMVarRef final : public TMSymbolRef {
public:
    TMVarRef() { AddKind(ikVarRef); }
    const char* ClassName() const override { return "TMVarRef"; }
    Variant GetValue() override;
    void Rewire(TMSymbol* symbol) override;
};

// A name with an argument list; arguments are held last argument first.
class TMFunctionCall final : public TMSymbolRef {
public:
    TMFunctionCall() { AddKind(ikFunctionCall); }
    const char* ClassName() const override { return "TMFunctionCall"; }
    std::string Dump(TDumpFormat format) const override;
    Variant GetValue() override;
    void Rewire(TMSymbol* symbol) override;
    void Unwire(TMSymbol* symbol) override;
    void SetMathInterpreter(TMInterpreterLink* interpreter) override;
    void CollectReferences(std::vector<TMReference*>& references) override;
    // Takes the arguments off the operand stack down to the left-bracket marker.
    void PullParamExpressions(TMItems& stack, TMSymbols* symbols);

    TMParamExpressions ParamExpressions;

private:
    Variant CallFunction();
    Variant CallHost(const TMHostFunction& function);
    Variant CallUnknown();
    [[noreturn]] void RaiseArgumentCount(int expected) const;
};

// One argument of a call; owns its expression.
class TMParamExpression final : public TMExpression {
public:
    explicit TMParamExpression(std::unique_ptr<TMExpression> expression);
    const char* ClassName() const override { return "TMParamExpression"; }
    std::string Dump(TDumpFormat format) const override;
    Variant GetValue() override { return Expression->GetValue(); }
    void Rewire(TMSymbol* symbol) override;
    void Unwire(TMSymbol* symbol) override;
    void SetMathInterpreter(TMInterpreterLink* interpreter) override;
    void CollectReferences(std::vector<TMReference*>& references) override {
        Expression->CollectReferences(references);
    }

    std::unique_ptr<TMExpression> Expression;
};

template <> inline constexpr std::uint32_t kKindOf<TMReference> = ikReference;
template <> inline constexpr std::uint32_t kKindOf<TMSymbolRef> = ikSymbolRef;
template <> inline constexpr std::uint32_t kKindOf<TMVarRef> = ikVarRef;
template <> inline constexpr std::uint32_t kKindOf<TMFunctionCall> = ikFunctionCall;
template <> inline constexpr std::uint32_t kKindOf<TMParamExpression> = ikParamExpression;

}  // namespace tolvex

TOLVEX_END_API
