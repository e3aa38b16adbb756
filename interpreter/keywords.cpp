// Keyword statements: "delete" removes the named variables and functions; "rename" is reserved.
#include <algorithm>
#include <numeric>
#include <unordered_set>

#include "tolvex/framework/format.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/model/symbolindex.h"

namespace tolvex {

namespace {

constexpr int kAhead = 8;  // how many names ahead a long list asks the index for

std::string KeywordMessage(const std::string& text) {
    return "TMathInterpreter.ProcessExpressionKeywords() " + text;
}

}  // namespace

// The names are checked in order; those before a failing one are removed, as if one by one, but
// all in one pass over the table, so that a list of any length costs time in proportion to it.
void TMathInterpreter::ProcessExpressionKeywords(TMItems& items) {
    if (items.Count() == 0 || !Is<TMDelete>(items.Get(0))) return;
    std::vector<TMSymbol*> doomed;
    std::unordered_set<TMSymbol*> named;
    named.reserve(static_cast<std::size_t>(items.Count()));
    TMSymbolIndex* index = symbols_->Index();
    try {
        for (int i = 1; i < items.Count(); ++i) {
            // In a large table each lookup waits for memory; asking a few names ahead hides it.
            if (auto* ahead = index && i + kAhead < items.Count() ? As<TMVarRef>(items.Get(i + kAhead)) : nullptr)
                index->Prefetch(ahead->ReferencedSymbolName);
            CheckDeleteItem(items, i, doomed, named);
        }
    } catch (const Exception&) {
        RemoveSymbols(doomed);
        throw;
    }
    RemoveSymbols(doomed);
    items.FreeAndClear();
}

void TMathInterpreter::CheckDeleteItem(TMItems& items, int i, std::vector<TMSymbol*>& doomed,
                                       std::unordered_set<TMSymbol*>& named) {
    TMItem* item = items.Get(i);
    const int index = i - 1;
    if (auto* ref = As<TMVarRef>(item)) {
        const int k = symbols_->FindSymbolIndex(ref->ReferencedSymbolName);
        TMSymbol* symbol = k < 0 ? nullptr : symbols_->Symbol(k);
        // A name given twice no longer exists the second time.
        if (!symbol || !named.insert(symbol).second)
            throw Exception(KeywordMessage(Join("Delete - parameter on index: ", index, ", position: ",
                                                ref->ParsePosition, ", references non-existent symbol: \"",
                                                ref->ReferencedSymbolName, "\".")));
        if (const char* kind = symbol->HostKind())
            throw Exception(KeywordMessage(Join("Delete - parameter on index: ", index, ", position: ",
                                                ref->ParsePosition, ", references ", kind, ": \"",
                                                symbol->Identifier(), "\", which only the host can remove.")));
        CheckSymbolRemovable(symbol);
        doomed.push_back(symbol);
    } else if (Is<TMComma>(item)) {
        if (!Is<TMVarRef>(items.Get(i - 1)))
            throw Exception(KeywordMessage(
                Join("Reference must exist left of comma on position: ", item->ParsePosition, ".")));
        if (i == items.Count() - 1)
            throw Exception(KeywordMessage(
                Join("End of expression encountered after comma on position: ", item->ParsePosition, ".")));
        if (Is<TMComma>(items.Get(i + 1)))
            throw Exception(KeywordMessage(
                Join("Duplicated comma on position: ", items.Get(i + 1)->ParsePosition, ".")));
    } else {
        throw Exception(KeywordMessage(
            Join("Delete - invalid parameter on index: ", index, ", position: ", item->ParsePosition, ".")));
    }
}

// Takes the symbols out of the table in one pass, unbinds them from the prepared trees in one
// walk over each, then frees them in the order they were named. Everything that allocates comes
// before the first symbol leaves, so running out of memory leaves the table as it was.
void TMathInterpreter::RemoveSymbols(const std::vector<TMSymbol*>& doomed) {
    if (doomed.empty()) return;
    const std::size_t n = doomed.size();
    std::vector<TMReference*> references = PreparedReferences();
    std::vector<const TMSymbol*> unbound(doomed.begin(), doomed.end());
    std::sort(unbound.begin(), unbound.end(), std::less<>());
    TMSymbolIndex* index = symbols_->Index();
    std::vector<int> indices(n);
    for (std::size_t t = 0; t < n; ++t) {
        // The symbols themselves first, then the places their names are filed at.
        if (t + 2 * kAhead < n) __builtin_prefetch(doomed[t + 2 * kAhead]);
        if (index && t + kAhead < n) index->Prefetch(doomed[t + kAhead]->Identifier());
        indices[t] = symbols_->FindSymbolIndex(doomed[t]->Identifier());
    }
    // The entries leave the table in its order; `order` says whose each taken entry is.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return indices[a] < indices[b]; });
    std::vector<int> sorted(n);
    for (std::size_t j = 0; j < n; ++j) sorted[j] = indices[order[j]];
    std::vector<std::unique_ptr<TMItem>*> owners(n);
    std::vector<std::unique_ptr<TMItem>> taken = symbols_->ExtractEach(sorted);
    PlacesMoved();
    for (TMReference* reference : references)
        if (std::binary_search(unbound.begin(), unbound.end(), reference->SymbolReference, std::less<>()))
            reference->SymbolReference = nullptr;
    for (std::size_t j = 0; j < n; ++j) owners[order[j]] = &taken[j];
    for (std::size_t t = 0; t < n; ++t) {
        if (t + kAhead < n) __builtin_prefetch(owners[t + kAhead]->get());
        owners[t]->reset();
    }
}

}  // namespace tolvex
