#pragma once
// Evaluations of the built-in functions, one per registry row. Each evaluates the operands it
// needs, once each, and raises rather than hand on a NaN or an infinity.
#include "tolvex/intrinsics/intrinsic.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Every row with a kernel: its one operand as a number, the kernel, a finite result.
Variant EvalRealKernel(const TMIntrinsicFunctionCall& call);

// The kernels in double precision that give the extended results (real_kernels.cpp).
double AbsReal(double x);
double ArcCosReal(double x);
double ArcSinReal(double x);
double ArcTanReal(double x);
double CosReal(double x);
double CoshReal(double x);
double ExpReal(double x);
double LnReal(double x);
double Log2Real(double x);
double SinReal(double x);
double SqrReal(double x);
double SqrtReal(double x);
double TanReal(double x);
// x to the power y, as the operator "^" takes it on doubles (real_kernels.cpp).
double PowerReal(double x, double y);
// True when `kernel` gives NaN or an infinity for every argument that is not finite, so that such
// an argument shows in the result; Exp (-inf gives 0) and ArcTan (±inf give ±pi/2) hide it.
bool KeepsNonFinite(double (*kernel)(double));
// The library routine that `kernel` forwards to (`kernel` itself when it computes for itself), for
// machine code to call without the jump through the kernel.
double (*LibraryRoutine(double (*kernel)(double)))(double);

// Constants and the conditional (control_functions.cpp)
Variant EvalPi(const TMIntrinsicFunctionCall& call);
Variant EvalIfF(const TMIntrinsicFunctionCall& call);

// Trigonometric and hyperbolic functions and angle units (trig_functions.cpp)
long double SinKernel(long double x);
long double CosKernel(long double x);
long double TanKernel(long double x);
Variant EvalCotan(const TMIntrinsicFunctionCall& call);
long double ArcSinKernel(long double x);
long double ArcCosKernel(long double x);
long double ArcTanKernel(long double x);
Variant EvalArcTan2(const TMIntrinsicFunctionCall& call);
long double SinhKernel(long double x);
long double CoshKernel(long double x);
long double TanhKernel(long double x);
Variant EvalArcSinh(const TMIntrinsicFunctionCall& call);
Variant EvalArcCosh(const TMIntrinsicFunctionCall& call);
Variant EvalArcTanh(const TMIntrinsicFunctionCall& call);
Variant EvalDegToRad(const TMIntrinsicFunctionCall& call);
Variant EvalRadToDeg(const TMIntrinsicFunctionCall& call);
Variant EvalGradToRad(const TMIntrinsicFunctionCall& call);
Variant EvalRadToGrad(const TMIntrinsicFunctionCall& call);
Variant EvalCycleToRad(const TMIntrinsicFunctionCall& call);
Variant EvalRadToCycle(const TMIntrinsicFunctionCall& call);

// Rounding (rounding_functions.cpp)
Variant EvalRound(const TMIntrinsicFunctionCall& call);
Variant EvalTrunc(const TMIntrinsicFunctionCall& call);
Variant EvalCeil(const TMIntrinsicFunctionCall& call);
Variant EvalFloor(const TMIntrinsicFunctionCall& call);
Variant EvalInt(const TMIntrinsicFunctionCall& call);
Variant EvalFrac(const TMIntrinsicFunctionCall& call);

// Powers, logarithms, factorial, sign, minimum, maximum, random numbers (math_functions.cpp)
long double AbsKernel(long double x);
long double SqrKernel(long double x);
long double SqrtKernel(long double x);
long double ExpKernel(long double x);
long double LnKernel(long double x);
Variant EvalLnXP1(const TMIntrinsicFunctionCall& call);
long double Log10Kernel(long double x);
long double Log2Kernel(long double x);
Variant EvalLogN(const TMIntrinsicFunctionCall& call);
Variant EvalHypot(const TMIntrinsicFunctionCall& call);
Variant EvalLdexp(const TMIntrinsicFunctionCall& call);
Variant EvalFactorial(const TMIntrinsicFunctionCall& call);
Variant EvalSign(const TMIntrinsicFunctionCall& call);
Variant EvalMax(const TMIntrinsicFunctionCall& call);
Variant EvalMin(const TMIntrinsicFunctionCall& call);
Variant EvalRandG(const TMIntrinsicFunctionCall& call);

// Time value of money and depreciation (financial_functions.cpp)
Variant EvalFutureValue(const TMIntrinsicFunctionCall& call);
Variant EvalPresentValue(const TMIntrinsicFunctionCall& call);
Variant EvalPayment(const TMIntrinsicFunctionCall& call);
Variant EvalPeriodPayment(const TMIntrinsicFunctionCall& call);
Variant EvalInterestPayment(const TMIntrinsicFunctionCall& call);
Variant EvalInterestRate(const TMIntrinsicFunctionCall& call);
Variant EvalNumberOfPeriods(const TMIntrinsicFunctionCall& call);
Variant EvalSLNDepreciation(const TMIntrinsicFunctionCall& call);
Variant EvalSYDDepreciation(const TMIntrinsicFunctionCall& call);
Variant EvalDoubleDecliningBalance(const TMIntrinsicFunctionCall& call);

// Strings (string_functions.cpp)
Variant EvalLength(const TMIntrinsicFunctionCall& call);
Variant EvalCopy(const TMIntrinsicFunctionCall& call);
Variant EvalDeleteSubstr(const TMIntrinsicFunctionCall& call);
Variant EvalInsert(const TMIntrinsicFunctionCall& call);
Variant EvalPos(const TMIntrinsicFunctionCall& call);
Variant EvalStringOfChar(const TMIntrinsicFunctionCall& call);
Variant EvalLowerCase(const TMIntrinsicFunctionCall& call);
Variant EvalUpperCase(const TMIntrinsicFunctionCall& call);
Variant EvalTrim(const TMIntrinsicFunctionCall& call);
Variant EvalTrimLeft(const TMIntrinsicFunctionCall& call);
Variant EvalTrimRight(const TMIntrinsicFunctionCall& call);
Variant EvalQuotedStr(const TMIntrinsicFunctionCall& call);

// Conversions between numbers and text (conversion_functions.cpp)
Variant EvalIntToStr(const TMIntrinsicFunctionCall& call);
Variant EvalStrToInt(const TMIntrinsicFunctionCall& call);
Variant EvalFloatToStr(const TMIntrinsicFunctionCall& call);
Variant EvalStrToFloat(const TMIntrinsicFunctionCall& call);
Variant EvalToBase(const TMIntrinsicFunctionCall& call);
Variant EvalFromBase(const TMIntrinsicFunctionCall& call);
Variant EvalConvertBase(const TMIntrinsicFunctionCall& call);
Variant EvalDegToStr(const TMIntrinsicFunctionCall& call);
Variant EvalEncodeDeg(const TMIntrinsicFunctionCall& call);

}  // namespace tolvex

TOLVEX_END_API
