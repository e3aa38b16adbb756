// Keyword statements: "delete" removes the named variables and functions; "rename" is reserved.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "tolvex/framework/format.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

namespace {

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
    try {
        for (int i = 1; i < items.Count(); ++i) CheckDeleteItem(items, i, doomed, named);
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

// Takes the symbols out of the table in one pass, unbinds each from every prepared tree, then
// frees them in the order they were named.
void TMathInterpreter::RemoveSymbols(const std::vector<TMSymbol*>& doomed) {
    if (doomed.empty()) return;
    std::vector<int> indices;
    indices.reserve(doomed.size());
    for (TMSymbol* symbol : doomed) indices.push_back(symbols_->FindSymbolIndex(symbol->Identifier()));
    std::vector<int> sorted = indices;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::unique_ptr<TMItem>> taken = symbols_->ExtractEach(sorted);
    for (TMSymbol* symbol : doomed) UnwireFromPrepared(symbol);
    std::unordered_map<TMItem*, std::unique_ptr<TMItem>*> owners;
    for (auto& item : taken) owners.emplace(item.get(), &item);
    for (TMSymbol* symbol : doomed) owners.at(symbol)->reset();
}

}  // namespace tolvex
