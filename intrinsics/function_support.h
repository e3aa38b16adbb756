#pragma once
// Pieces shared by the evaluations of the built-in functions: operand conversion, results that
// never hand on NaN or infinity, and the length limit of string results.
#include <cfloat>
#include <cstdint>
#include <string>

#include "tolvex/intrinsics/intrinsic.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex::intrinsic_detail {

// Operand `index` evaluated once and converted to a number, a 32-bit integer or a text.
double RealOperand(const TMIntrinsicFunctionCall& call, int index);
std::int32_t IntOperand(const TMIntrinsicFunctionCall& call, int index);
std::string TextOperand(const TMIntrinsicFunctionCall& call, int index);

// A finite double from an extended result: NaN raises EInvalidOp, an infinity EZeroDivide or
// EOverflow, a magnitude beyond the double range EOverflow. Negative zero becomes zero.
double FiniteReal(long double value, OnInfinity meaning = OnInfinity::Overflow);
// The same double when the value is finite and in range; false (and no error) otherwise.
inline bool TryFiniteReal(long double value, double& out) {
    if (!(value >= -static_cast<long double>(DBL_MAX) && value <= static_cast<long double>(DBL_MAX))) return false;
    // Adding zero turns -0 into +0, so no function shows "-0.0".
    out = static_cast<double>(value) + 0.0;
    return true;
}
inline Variant RealResult(long double value, OnInfinity meaning = OnInfinity::Overflow) {
    return Variant(FiniteReal(value, meaning));
}

// A whole number as a 32-bit integer value; ERangeError when it does not fit.
Variant IntegerResult(long double whole);

// a / b; EZeroDivide when b is zero.
long double Divide(long double a, long double b);

// Raises EInvalidOp: an argument outside the domain of a function.
[[noreturn]] void InvalidArgument();

// Raises EOutOfResources when a string result of `length` characters would pass kMaxStringLength.
void CheckStringLength(const TMIntrinsicFunctionCall& call, std::uint64_t length);

// A function of one number, computed in extended precision; the common shape of most functions.
template <class Function>
Variant UnaryReal(const TMIntrinsicFunctionCall& call, Function f, OnInfinity meaning = OnInfinity::Overflow) {
    return RealResult(f(static_cast<long double>(RealOperand(call, 0))), meaning);
}

// A function of two numbers, operands evaluated in order.
template <class Function>
Variant BinaryReal(const TMIntrinsicFunctionCall& call, Function f, OnInfinity meaning = OnInfinity::Overflow) {
    const long double a = RealOperand(call, 0);
    return RealResult(f(a, static_cast<long double>(RealOperand(call, 1))), meaning);
}

// A function of one text giving a text.
template <class Function>
Variant UnaryText(const TMIntrinsicFunctionCall& call, Function f) {
    return Variant(f(TextOperand(call, 0)));
}

}  // namespace tolvex::intrinsic_detail

TOLVEX_END_API
