#include "tolvex/model/item.h"

#include "tolvex/framework/exception.h"
#include "tolvex/model/items.h"
#include "tolvex/model/symbols.h"

namespace tolvex {

void TMValue::SetValue(const Variant&) {
    throw Exception("TMValue.SetValue() Read only value.");
}

void TMExpression::RewireSymbols(const TMSymbols& symbols) {
    for (int i = 0; i < symbols.Count(); ++i)
        if (TMSymbol* s = symbols.Symbol(i)) Rewire(s);
}

void TMExpression::SetMathInterpreter(TMInterpreterLink*) {}

void TMExpression::CollectReferences(std::vector<TMReference*>&) {}

}  // namespace tolvex
