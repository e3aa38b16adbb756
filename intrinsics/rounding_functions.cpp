// Rounding: the integer-valued Round, Trunc, Ceil and Floor, which refuse a result outside the
// 32-bit range instead of keeping its low bits, and the floating-point Int and Frac.
#include <cmath>

#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/functions.h"

namespace tolvex {

using namespace intrinsic_detail;

// Halfway values go to the even neighbour: Round(2.5) is 2, Round(3.5) is 4.
Variant EvalRound(const TMIntrinsicFunctionCall& c) { return Variant(RoundToInt32(RealOperand(c, 0))); }
Variant EvalTrunc(const TMIntrinsicFunctionCall& c) { return IntegerResult(std::trunc(RealOperand(c, 0))); }
Variant EvalCeil(const TMIntrinsicFunctionCall& c) { return IntegerResult(std::ceil(RealOperand(c, 0))); }
Variant EvalFloor(const TMIntrinsicFunctionCall& c) { return IntegerResult(std::floor(RealOperand(c, 0))); }

Variant EvalInt(const TMIntrinsicFunctionCall& c) { return UnaryReal(c, [](long double x) { return std::trunc(x); }); }
// Keeps the sign of x: Frac(-2.75) is -0.75.
Variant EvalFrac(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return x - std::trunc(x); });
}

}  // namespace tolvex
