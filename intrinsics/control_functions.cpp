// Functions that need no arithmetic library: constants and the conditional.
#include <numbers>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/intrinsics/functions.h"

namespace tolvex {

Variant EvalPi(const TMIntrinsicFunctionCall&) { return VarFromReal(std::numbers::pi); }

// Evaluates the condition and then only the branch it chooses.
Variant EvalIfF(const TMIntrinsicFunctionCall& call) {
    Variant condition = call.GetOperandValues(0);
    if (condition.Kind() != VarKind::Boolean)
        throw Exception(Join("TMIfF.GetValue() IFF function (position: ", call.ParsePosition,
                             ") expectc first argument (position: ", call.GetOperandExpressions(0)->ParsePosition,
                             ") to be boolean."));
    return call.GetOperandValues(condition.Bool() ? 1 : 2);
}

}  // namespace tolvex
