#pragma once
// Evaluations of the built-in functions, one per registry row.
#include "intrinsics/intrinsic.h"

namespace tolvex {

Variant EvalPi(const TMIntrinsicFunctionCall& call);
Variant EvalIfF(const TMIntrinsicFunctionCall& call);

}  // namespace tolvex
