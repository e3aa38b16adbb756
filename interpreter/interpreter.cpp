#include "tolvex/interpreter/mathinterpreter.h"

#include "tolvex/framework/application.h"
#include "tolvex/framework/format.h"
#include "tolvex/interpreter/entry_internal.h"
#include "tolvex/interpreter/oneshot_internal.h"

namespace tolvex {

TMathInterpreter::TMathInterpreter(TComponent* owner)
    : TComponent(owner), prepared_(std::make_unique<TMExpressions>()), symbols_(std::make_unique<TMSymbols>()) {
    symbols_->MathInterpreter = this;
    symbols_->EnableIndex();
}

TMathInterpreter::~TMathInterpreter() {
    // Prepared trees point into the symbol table, so they go first.
    compiled_.clear();
    prepared_->FreeAndClear();
    prepared_.reset();
    symbols_->FreeAndClear();
    symbols_.reset();
}

// ---- Properties -----------------------------------------------------------------------------

void TMathInterpreter::SetCaseSensitiveSymbols(bool value) {
    if (caseSensitive_ && !value) ClearSymbols();
    caseSensitive_ = value;
}

void TMathInterpreter::SetDumpText(const std::string&) {
    throw Exception("TMathInterpreter.DumpText property is for display purposes only.");
}

void TMathInterpreter::SetExpressionResult(const std::string&) {
    throw Exception("TMathInterpreter.ExpressionResult property is for display purposes only.");
}

void TMathInterpreter::SetExpression(const std::string& text) {
    expression_ = text;
    try {
        expressionResult_ = ExecuteExpression(text);
    } catch (const Exception& e) {
        if (!Designing()) {
            expressionResult_ = Null();
            throw;
        }
        expressionResult_ = VarFromLStr(e.Message());
        Application().ShowException(e);
    }
}

// ---- Evaluation -----------------------------------------------------------------------------

Variant TMathInterpreter::ExecuteExpression(const std::string& text) {
    return GuardedEntry("ExecuteExpression", [&] {
        if (Variant value; quick::TryEvaluate(*symbols_, text, value)) return value;
        TMItems items;
        ParseExpression(text, items);
        ProcessExpressionKeywords(items);
        std::unique_ptr<TMExpression> tree = RPN(items);
        if (!tree) return Null();
        EvaluationScope scope(*this);
        return tree->GetValue();
    });
}

void TMathInterpreter::DebugParseExpression(const std::string& text, TStrings& lines) {
    TMItems items;
    ParseExpression(text, items);
    for (int i = 0; i < items.Count(); ++i) lines.Add(items.Get(i)->ClassName());
}

// ---- Symbols --------------------------------------------------------------------------------

void TMathInterpreter::ClearSymbols() {
    CheckNotEvaluating("ClearSymbols");
    // Prepared trees let go of every symbol before it is freed; one walk over each tree does.
    std::vector<TMReference*> references;
    for (int i = 0; i < prepared_->Count(); ++i)
        if (TMExpression* tree = prepared_->Expr(i)) tree->CollectReferences(references);
    for (TMReference* reference : references)
        if (reference->SymbolReference && reference->SymbolReference->List == symbols_.get())
            reference->SymbolReference = nullptr;
    symbols_->FreeAndClear();
}

bool TMathInterpreter::IsEqualString(const std::string& a, const std::string& b) const {
    if (caseSensitive_) return a == b;
    if (a.size() != b.size()) return false;
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

void TMathInterpreter::SetOnUnknownSymbol(TUnknownSymbolEvent handler) {
    onUnknownSymbol_ = handler ? std::make_shared<const TUnknownSymbolEvent>(std::move(handler)) : nullptr;
}

void TMathInterpreter::DoUnknownSymbol(const std::string& identifier, const Variant& parameters, Variant& value) {
    if (!onUnknownSymbol_) return;
    const std::shared_ptr<const TUnknownSymbolEvent> running = onUnknownSymbol_;
    (*running)(*this, identifier, parameters, value);
}

void TMathInterpreter::UnwireFromPrepared(TMSymbol* symbol) {
    for (int i = 0; i < prepared_->Count(); ++i)
        if (TMExpression* tree = prepared_->Expr(i)) tree->Unwire(symbol);
}

void TMathInterpreter::CheckSymbolRemovable(TMSymbol*) { CheckNotEvaluating("RemoveSymbol"); }

void TMathInterpreter::CheckNotEvaluating(const char* operation) const {
    if (evaluating_ > 0)
        throw Exception(Join("TMathInterpreter.", operation,
                             "() Symbols and prepared expressions can't be freed while an expression is being evaluated."));
}

}  // namespace tolvex
