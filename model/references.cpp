#include "tolvex/model/references.h"

#include <new>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/model/hostsymbols.h"
#include "tolvex/model/interpreterlink.h"
#include "tolvex/model/symbols.h"

namespace tolvex {

// ---- TMReference: binding -------------------------------------------------------------------

void TMReference::Rewire(TMSymbol* symbol) {
    TOLVEX_ASSERT(symbol, "MathItem");
    if (ReferencedSymbolName.empty()) ReferencedSymbolName = symbol->Identifier();
    if (symbol->IsEqualIdentifier(ReferencedSymbolName)) {
        SymbolReference = symbol;
    } else if (SymbolReference == symbol) {
        // The symbol was renamed: follow it, or let go.
        if (symbol->UpdateReferences)
            ReferencedSymbolName = symbol->Identifier();
        else
            SymbolReference = nullptr;
    }
}

void TMReference::Unwire(TMSymbol* symbol) {
    TOLVEX_ASSERT(symbol, "MathItem");
    if (SymbolReference == symbol) SymbolReference = nullptr;
}

void TMReference::SetMathInterpreter(TMInterpreterLink* interpreter) {
    TOLVEX_ASSERT(interpreter, "MathItem");
    MathInterpreter = interpreter;
}

void TMReference::SetValue(const Variant& value) {
    if (SymbolReference) return SymbolReference->SetValue(value);
    Variant copy = value;
    TOLVEX_ASSERT(MathInterpreter, "MathItem");
    MathInterpreter->DoUnknownSymbol(ReferencedSymbolName, Null(), copy);
    if (!copy.IsEmpty())
        throw Exception(Join("TMReference.SetValue() Referenced symbol: \"", ReferencedSymbolName,
                             "\" is not defied, position: ", ParsePosition, "."));
}

// ---- TMVarRef -------------------------------------------------------------------------------

void TMVarRef::Rewire(TMSymbol* symbol) {
    TOLVEX_ASSERT(symbol, "MathItem");
    auto* function = As<TMFunction>(symbol);
    auto* host = As<TMHostFunction>(symbol);
    if (!function && !host && !Is<TMVar>(symbol) && !Is<TMParam>(symbol) && !Is<TMConstant>(symbol)) return;
    if (host && symbol->IsEqualIdentifier(ReferencedSymbolName.empty() ? symbol->Identifier() : ReferencedSymbolName))
        host->CheckCount(0, ParsePosition);
    if (function && function->Parameters().Count() > 0 &&
        symbol->IsEqualIdentifier(ReferencedSymbolName.empty() ? symbol->Identifier() : ReferencedSymbolName))
        throw Exception(Join("TMVarRef.Rewire() Reference: \"", ReferencedSymbolName, "\" (position: ",
                             ParsePosition, ") must point to parameterless function."));
    TMReference::Rewire(symbol);
}

Variant TMVarRef::GetValue() {
    if (SymbolReference) {
        if (Is<TMHostFunction>(SymbolReference))
            return static_cast<TMHostFunction*>(SymbolReference)->Call({}, ParsePosition);
        return SymbolReference->GetValue();
    }
    Variant result;
    TOLVEX_ASSERT(MathInterpreter, "MathItem");
    MathInterpreter->DoUnknownSymbol(ReferencedSymbolName, Null(), result);
    if (result.IsEmpty())
        throw Exception(Join("TMVarRef.GetValue() Referenced symbol: \"", ReferencedSymbolName,
                             "\" is not defied, position: ", ParsePosition, "."));
    return result;
}

// ---- TMFunctionCall -------------------------------------------------------------------------

void TMFunctionCall::Rewire(TMSymbol* symbol) {
    TMReference::Rewire(symbol);
    if (SymbolReference == symbol && Is<TMHostFunction>(symbol))
        static_cast<TMHostFunction*>(symbol)->CheckCount(ParamExpressions.Count(), ParsePosition);
    for (int i = 0; i < ParamExpressions.Count(); ++i) ParamExpressions.Param(i)->Rewire(symbol);
}

void TMFunctionCall::Unwire(TMSymbol* symbol) {
    TMReference::Unwire(symbol);
    for (int i = 0; i < ParamExpressions.Count(); ++i) ParamExpressions.Param(i)->Unwire(symbol);
}

void TMFunctionCall::SetMathInterpreter(TMInterpreterLink* interpreter) {
    TMReference::SetMathInterpreter(interpreter);
    for (int i = 0; i < ParamExpressions.Count(); ++i) ParamExpressions.Param(i)->SetMathInterpreter(interpreter);
}

void TMFunctionCall::CollectReferences(std::vector<TMReference*>& references) {
    references.push_back(this);
    for (int i = 0; i < ParamExpressions.Count(); ++i) ParamExpressions.Param(i)->CollectReferences(references);
}

Variant TMFunctionCall::GetValue() { return SymbolReference ? CallFunction() : CallUnknown(); }

namespace {

// Argument values of one call: up to four live in the frame, more on the heap. Each is made in
// place from the value its expression returns.
class ArgumentValues {
public:
    explicit ArgumentValues(int n) {
        if (n > kInline) {
            heap_.reserve(static_cast<std::size_t>(n));
            values_ = nullptr;
        } else {
            values_ = std::launder(reinterpret_cast<Variant*>(frame_));
        }
    }
    ~ArgumentValues() {
        for (int i = 0; i < built_; ++i) values_[i].~Variant();
    }
    ArgumentValues(const ArgumentValues&) = delete;
    ArgumentValues& operator=(const ArgumentValues&) = delete;
    // Takes the next value straight from `expression`.
    void Evaluate(TMExpression& expression) {
        if (!values_) return heap_.push_back(expression.GetValue());
        new (&values_[built_]) Variant(expression.GetValue());
        ++built_;  // only once it was made: the expression may raise
    }
    Variant& operator[](int i) { return values_ ? values_[i] : heap_[static_cast<std::size_t>(i)]; }

private:
    static constexpr int kInline = 4;
    Variant* values_;  // the frame's values, or null when they live on the heap
    int built_ = 0;    // values made in the frame
    alignas(Variant) unsigned char frame_[kInline * sizeof(Variant)];
    std::vector<Variant> heap_;
};

}  // namespace

// Every argument is evaluated (last argument of the text first) before any parameter changes, so
// a call may pass the function's own parameters in another order. The values are exchanged with
// the parameters' own, never copied, and exchanged back when the call ends, whether it succeeded
// or failed.
Variant TMFunctionCall::CallFunction() {
    if (Is<TMHostFunction>(SymbolReference)) return CallHost(*static_cast<TMHostFunction*>(SymbolReference));
    auto* function = As<TMFunction>(SymbolReference);
    if (!function) throw EInvalidCast();
    TMParams& params = function->Parameters();
    const int n = ParamExpressions.Count();
    if (n != params.Count()) RaiseArgumentCount(params.Count());
    ArgumentValues values(n);
    for (int i = 0; i < n; ++i) values.Evaluate(*static_cast<TMParamExpression*>(ParamExpressions.Get(i))->Expression);
    for (int i = 0; i < n; ++i) params.Param(i)->ExchangeValue(values[i]);
    struct Restore {
        TMParams& params;
        ArgumentValues& saved;
        int n;
        ~Restore() {
            for (int i = 0; i < n && i < params.Count(); ++i) params.Param(i)->ExchangeValue(saved[i]);
        }
    } restore{params, values, n};
    return function->GetValue();
}

// Arguments are evaluated as for a user function, last first, and handed over in written order.
Variant TMFunctionCall::CallHost(const TMHostFunction& function) {
    const int n = ParamExpressions.Count();
    constexpr int kInline = 8;
    Variant inlineValues[kInline];
    std::vector<Variant> heapValues(n > kInline ? static_cast<std::size_t>(n) : 0);
    Variant* values = n > kInline ? heapValues.data() : inlineValues;
    for (int i = 0; i < n; ++i) values[n - 1 - i] = ParamExpressions.Param(i)->GetValue();
    return function.Call(std::span<const Variant>(values, static_cast<std::size_t>(n)), ParsePosition);
}

void TMFunctionCall::RaiseArgumentCount(int expected) const {
    throw Exception(Join("TMFunctionCall.GetValue() Incorrect number of parameter expressions: ",
                         ParamExpressions.Count(), ", in function call \"", ReferencedSymbolName, "\", position: ",
                         ParsePosition, ". Expected: ", expected, " parameter(s)."));
}

Variant TMFunctionCall::CallUnknown() {
    const int n = ParamExpressions.Count();
    Variant arguments = VarArrayCreate(n);
    for (int i = 0; i < n; ++i) VarArrayPut(arguments, ParamExpressions.Param(i)->GetValue(), i);
    TOLVEX_ASSERT(MathInterpreter, "MathItem");
    Variant result;
    MathInterpreter->DoUnknownSymbol(ReferencedSymbolName, arguments, result);
    if (result.IsEmpty())
        throw Exception(Join("TMFunctionCall.GetValue() Undefined function reference: \"", ReferencedSymbolName,
                             "\", position: ", ParsePosition, "."));
    return result;
}

void TMFunctionCall::PullParamExpressions(TMItems& stack, TMSymbols*) {
    ParamExpressions.FreeAndClear();
    std::unique_ptr<TMItem> item;
    for (;;) {
        TOLVEX_ASSERT(stack.Count() > 0, "MathItem");
        item = stack.Pop();
        if (!Is<TMExpression>(item.get())) break;
        std::unique_ptr<TMExpression> expression(static_cast<TMExpression*>(item.release()));
        ParamExpressions.Add(std::make_unique<TMParamExpression>(std::move(expression)));
    }
    if (!Is<TMLeftBracket>(item.get()))
        throw Exception(Join("TMFunctionCall.PullParamExpressions() Invalid parameter expression on index: ",
                             ParamExpressions.Count() - 1, " (position: ", item->ParsePosition, ", type: \"",
                             item->ClassName(), "\") for function call: \"", ReferencedSymbolName,
                             "\" (position :", ParsePosition, ")."));
}

// ---- TMParamExpression ----------------------------------------------------------------------

TMParamExpression::TMParamExpression(std::unique_ptr<TMExpression> expression) : Expression(std::move(expression)) {
    AddKind(ikParamExpression);
    ParsePosition = Expression->ParsePosition;
}

void TMParamExpression::Rewire(TMSymbol* symbol) {
    TOLVEX_ASSERT(symbol && Expression, "MathItem");
    Expression->Rewire(symbol);
}

void TMParamExpression::Unwire(TMSymbol* symbol) {
    TOLVEX_ASSERT(symbol && Expression, "MathItem");
    Expression->Unwire(symbol);
}

void TMParamExpression::SetMathInterpreter(TMInterpreterLink* interpreter) {
    TOLVEX_ASSERT(interpreter && Expression, "MathItem");
    Expression->SetMathInterpreter(interpreter);
}

}  // namespace tolvex
