// Trigonometric and hyperbolic functions, their inverses, and the angle unit conversions.
// Angles are in radians; a full turn is 360 degrees, 400 grads or 1 cycle.
#include <cmath>
#include <numbers>

#include "tolvex/framework/exception.h"
#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/functions.h"

namespace tolvex {

using namespace intrinsic_detail;

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

long double Cotangent(long double x) {
    const long double t = std::tan(x);
    if (t == 0) throw EZeroDivide();
    return 1 / t;
}

}  // namespace

long double SinKernel(long double x) { return std::sin(x); }
long double CosKernel(long double x) { return std::cos(x); }
long double TanKernel(long double x) { return std::tan(x); }
Variant EvalCotan(const TMIntrinsicFunctionCall& c) { return UnaryReal(c, Cotangent); }
long double ArcSinKernel(long double x) { return std::asin(x); }
long double ArcCosKernel(long double x) { return std::acos(x); }
long double ArcTanKernel(long double x) { return std::atan(x); }

Variant EvalArcTan2(const TMIntrinsicFunctionCall& c) {
    return BinaryReal(c, [](long double y, long double x) { return std::atan2(y, x); });
}

long double SinhKernel(long double x) { return std::sinh(x); }
long double CoshKernel(long double x) { return std::cosh(x); }
long double TanhKernel(long double x) { return std::tanh(x); }

Variant EvalArcSinh(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return std::asinh(x); });
}
Variant EvalArcCosh(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return std::acosh(x); });
}
// ArcTanh(1) is a pole.
Variant EvalArcTanh(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return std::atanh(x); }, OnInfinity::ZeroDivide);
}

// Multiplying before dividing keeps the exact cases exact: DegToRad(180) is pi.
Variant EvalDegToRad(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return x * kPi / 180; });
}
Variant EvalRadToDeg(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return x * 180 / kPi; });
}
Variant EvalGradToRad(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return x * kPi / 200; });
}
Variant EvalRadToGrad(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return x * 200 / kPi; });
}
Variant EvalCycleToRad(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return x * 2 * kPi; });
}
Variant EvalRadToCycle(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return x / (2 * kPi); });
}

}  // namespace tolvex
