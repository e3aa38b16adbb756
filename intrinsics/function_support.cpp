#include "tolvex/intrinsics/function_support.h"

#include <cfloat>
#include <cmath>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/intrinsics/functions.h"
#include "tolvex/value/limits.h"

namespace tolvex::intrinsic_detail {

double RealOperand(const TMIntrinsicFunctionCall& call, int index) { return VarToReal(call.GetOperandValues(index)); }

std::int32_t IntOperand(const TMIntrinsicFunctionCall& call, int index) {
    return VarToInt(call.GetOperandValues(index));
}

std::string TextOperand(const TMIntrinsicFunctionCall& call, int index) {
    return VarToLStr(call.GetOperandValues(index));
}

double FiniteReal(long double value, OnInfinity meaning) {
    double result = 0.0;
    if (TryFiniteReal(value, result)) return result;
    if (std::isnan(value)) throw EInvalidOp();
    if (std::isinf(value) && meaning == OnInfinity::ZeroDivide) throw EZeroDivide();
    throw EOverflow();
}

}  // namespace tolvex::intrinsic_detail

namespace tolvex {

Variant EvalRealKernel(const TMIntrinsicFunctionCall& call) {
    const RealKernel& kernel = call.Row().kernel;
    const double x = intrinsic_detail::RealOperand(call, 0);
    return intrinsic_detail::RealResult(kernel(x), kernel.meaning);
}

}  // namespace tolvex

namespace tolvex::intrinsic_detail {

Variant IntegerResult(long double whole) {
    if (!(whole >= -2147483648.0L && whole <= 2147483647.0L)) throw ERangeError();
    return Variant(static_cast<std::int32_t>(whole));
}

long double Divide(long double a, long double b) {
    if (b == 0) throw EZeroDivide();
    return a / b;
}

void InvalidArgument() { throw EInvalidOp(); }

void CheckStringLength(const TMIntrinsicFunctionCall& call, std::uint64_t length) {
    if (length <= kMaxStringLength) return;
    throw EOutOfResources(Join(call.ClassName(), ".GetValue() Result of ", length,
                               " characters exceeds the maximum string length of ", kMaxStringLength,
                               " characters, position: ", call.ParsePosition, "."));
}

}  // namespace tolvex::intrinsic_detail
