// Keyword statements: "delete" removes the named variables and functions; "rename" is reserved.
#include "tolvex/framework/format.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

namespace {

std::string KeywordMessage(const std::string& text) {
    return "TMathInterpreter.ProcessExpressionKeywords() " + text;
}

}  // namespace

void TMathInterpreter::ProcessExpressionKeywords(TMItems& items) {
    if (items.Count() == 0 || !Is<TMDelete>(items.Get(0))) return;
    for (int i = 1; i < items.Count(); ++i) {
        TMItem* item = items.Get(i);
        const int index = i - 1;
        if (auto* ref = As<TMVarRef>(item)) {
            const int k = symbols_->FindSymbolIndex(ref->ReferencedSymbolName);
            if (k < 0)
                throw Exception(KeywordMessage(Join("Delete - parameter on index: ", index, ", position: ",
                                                    ref->ParsePosition, ", references non-existent symbol: \"",
                                                    ref->ReferencedSymbolName, "\".")));
            if (const char* kind = symbols_->Symbol(k)->HostKind())
                throw Exception(KeywordMessage(Join("Delete - parameter on index: ", index, ", position: ",
                                                    ref->ParsePosition, ", references ", kind, ": \"",
                                                    symbols_->Symbol(k)->Identifier(),
                                                    "\", which only the host can remove.")));
            RemoveSymbol(k);
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
    items.FreeAndClear();
}

// Takes the symbol out of the table, unbinds it from every prepared tree, then frees it.
void TMathInterpreter::RemoveSymbol(int index) {
    CheckSymbolRemovable(symbols_->Symbol(index));
    std::unique_ptr<TMItem> symbol = symbols_->Extract(index);
    UnwireFromPrepared(static_cast<TMSymbol*>(symbol.get()));
}

}  // namespace tolvex
