#pragma once
// One-shot evaluation of plain numeric formulas without building a tree. The text is scanned
// straight into a postfix program over integers and doubles (numbers, variables of the table,
// arithmetic operators, built-in functions of one number), which is run at once; nothing is
// allocated. Anything else in the text, and every step that would fail or leave the numbers
// (a variable of another kind, an unbound name, an integer overflow, a result that is not
// finite), makes it give up having changed nothing: the caller then runs the ordinary stages,
// which give the exact value or raise the exact error at the same point.
#include <string_view>

#include "tolvex/value/variant.h"

namespace tolvex {

class TMSymbols;

namespace quick {

// True with the value in `result` when the text was evaluated; false (and `result` untouched)
// when the ordinary stages must evaluate it.
bool TryEvaluate(const TMSymbols& table, std::string_view text, Variant& result);

}  // namespace quick
}  // namespace tolvex
