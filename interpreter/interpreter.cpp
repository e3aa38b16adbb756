#include "tolvex/interpreter/mathinterpreter.h"

#include "tolvex/framework/application.h"
#include "tolvex/framework/format.h"
#include "tolvex/interpreter/compiled_internal.h"
#include "tolvex/interpreter/entry_internal.h"
#include "tolvex/interpreter/evaluation_internal.h"
#include "tolvex/interpreter/oneshot_internal.h"
#include "tolvex/model/random_internal.h"

namespace tolvex {

TMathInterpreter::TMathInterpreter(TComponent* owner)
    : TComponent(owner),
      prepared_(std::make_unique<TMExpressions>()),
      symbols_(std::make_unique<TMSymbols>()),
      random_(std::make_unique<TRandomGenerator>()) {
    symbols_->MathInterpreter = this;
    symbols_->EnableIndex();
}

TMathInterpreter::~TMathInterpreter() {
    // Prepared trees point into the symbol table, so they go first.
    ResizeCompiled(0);
    prepared_->FreeAndClear();
    prepared_.reset();
    symbols_->FreeAndClear();
    symbols_.reset();
}

void TMathInterpreter::SetRandomSeed(std::uint64_t seed) { random_->engine.seed(seed); }

// ---- Properties -----------------------------------------------------------------------------

void TMathInterpreter::SetCaseSensitiveSymbols(bool value) {
    // Names the host made under one rule may clash under the other, so they go too.
    if (caseSensitive_ && !value) ClearSymbols(false);
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
    return GuardedEntry("ExecuteExpression", StackFloorOfEvaluation(), [&] {
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

void TMathInterpreter::ClearSymbols() { ClearSymbols(true); }

// The host's own symbols are taken out first and put back in their order afterwards, so that a
// load keeps them and saved text that uses them binds to them again.
void TMathInterpreter::ClearSymbols(bool keepHostSymbols) {
    CheckNotEvaluating("ClearSymbols");
    std::vector<std::unique_ptr<TMItem>> kept;
    for (int i = symbols_->Count() - 1; keepHostSymbols && i >= 0; --i)
        if (symbols_->Symbol(i)->HostKind()) kept.push_back(symbols_->Extract(i));
    // Prepared trees let go of every symbol before it is freed; one walk over each tree does.
    for (TMReference* reference : PreparedReferences())
        if (TMSymbol* s = reference->SymbolReference; s && s->List == symbols_.get() && !(keepHostSymbols && s->HostKind()))
            reference->SymbolReference = nullptr;
    PlacesMoved();
    symbols_->FreeAndClear();
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) symbols_->Add(std::move(*it));
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

std::vector<TMReference*> TMathInterpreter::PreparedReferences() const {
    std::vector<TMReference*> references;
    for (int i = 0; i < prepared_->Count(); ++i)
        if (TMExpression* tree = prepared_->Expr(i)) tree->CollectReferences(references);
    return references;
}

void TMathInterpreter::UnwireFromPrepared(TMSymbol* symbol) {
    PlacesMoved();
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
