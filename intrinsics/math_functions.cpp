// Powers, logarithms, factorial, sign, minimum and maximum, and the Gaussian random number.
#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/functions.h"
#include "tolvex/model/random_internal.h"
#include "tolvex/model/interpreterlink.h"

namespace tolvex {

using namespace intrinsic_detail;

namespace {

// 170! is the largest factorial a double holds.
constexpr std::int32_t kLargestFactorial = 170;

// The natural logarithm with its two failures: a negative argument and the pole at 0.
long double CheckedLn(long double x) {
    if (x < 0) InvalidArgument();
    if (x == 0) throw EZeroDivide();
    return std::log(x);
}

[[noreturn]] void ThrowFactorialOperand(const TMIntrinsicFunctionCall& call, const char* requirement) {
    throw Exception(Join("TMFactorial.GetValue() Operand of factorial must ", requirement,
                         ", position: ", call.GetOperandExpressions(0)->ParsePosition, "."));
}

// Both operands as integers, operand 1 evaluated first.
std::pair<std::int32_t, std::int32_t> IntegersLastFirst(const TMIntrinsicFunctionCall& call) {
    const std::int32_t b = IntOperand(call, 1);
    return {IntOperand(call, 0), b};
}

}  // namespace

long double AbsKernel(long double x) { return std::fabs(x); }
long double SqrKernel(long double x) { return x * x; }
long double SqrtKernel(long double x) { return std::sqrt(x); }
long double ExpKernel(long double x) { return std::exp(x); }

// The logarithms have a pole at 0 (at -1 for LnXP1) and no value below it.
long double LnKernel(long double x) { return std::log(x); }
Variant EvalLnXP1(const TMIntrinsicFunctionCall& c) {
    return UnaryReal(c, [](long double x) { return std::log1p(x); }, OnInfinity::ZeroDivide);
}
long double Log10Kernel(long double x) { return std::log10(x); }
long double Log2Kernel(long double x) { return std::log2(x); }
// LogN(base, x); a base of 1 divides by ln 1 = 0.
Variant EvalLogN(const TMIntrinsicFunctionCall& c) {
    return BinaryReal(c, [](long double base, long double x) { return Divide(CheckedLn(x), CheckedLn(base)); });
}

Variant EvalHypot(const TMIntrinsicFunctionCall& c) {
    return BinaryReal(c, [](long double x, long double y) { return std::hypot(x, y); });
}

Variant EvalLdexp(const TMIntrinsicFunctionCall& c) {
    const long double x = RealOperand(c, 0);
    return RealResult(std::ldexp(x, IntOperand(c, 1)));
}

// The operand must be a whole number that equals its own value (so 2.5 and '2.5' are refused);
// the product is formed in extended precision. Anything above 170! leaves the double range.
Variant EvalFactorial(const TMIntrinsicFunctionCall& c) {
    const Variant operand = c.GetOperandValues(0);
    const long double whole = std::trunc(static_cast<long double>(VarToReal(operand)));
    if (!(whole >= -2147483648.0L && whole <= 2147483647.0L)) throw ERangeError();
    const auto n = static_cast<std::int32_t>(whole);
    if (VarCmp(Variant(n), operand) != VarRelationship::Equal) ThrowFactorialOperand(c, "be integer value");
    if (n < 0) ThrowFactorialOperand(c, "not be negative");
    if (n > kLargestFactorial) throw EOverflow();
    long double product = 1;
    for (std::int32_t i = 2; i <= n; ++i) product *= i;
    return RealResult(product);
}

// The value itself, unconverted, compared with the integer 0.
Variant EvalSign(const TMIntrinsicFunctionCall& c) {
    switch (VarCmp(c.GetOperandValues(0), Variant(std::int32_t{0}))) {
        case VarRelationship::Greater: return Variant(std::int32_t{1});
        case VarRelationship::Less: return Variant(std::int32_t{-1});
        default: return Variant(std::int32_t{0});
    }
}

Variant EvalMax(const TMIntrinsicFunctionCall& c) {
    const auto [a, b] = IntegersLastFirst(c);
    return Variant(std::max(a, b));
}

Variant EvalMin(const TMIntrinsicFunctionCall& c) {
    const auto [a, b] = IntegersLastFirst(c);
    return Variant(std::min(a, b));
}

// RandG(mean, standard deviation), drawn from the interpreter's own generator so that a host
// can seed it and interpreters on different threads never share one.
Variant EvalRandG(const TMIntrinsicFunctionCall& c) {
    const long double mean = RealOperand(c, 0);
    const long double deviation = RealOperand(c, 1);
    TOLVEX_ASSERT(c.MathInterpreter() != nullptr, "MathIntrinsic");
    std::normal_distribution<double> standard(0.0, 1.0);
    return RealResult(mean + deviation * standard(c.MathInterpreter()->RandomGenerator().engine));
}

}  // namespace tolvex
