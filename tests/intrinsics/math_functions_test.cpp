// The numeric built-in functions end to end: kinds of results, exact values, domain and range
// failures, rounding at the edges of the 32-bit range and the random numbers.
#include <cmath>
#include <numbers>
#include <string>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using MathFunctionsTest = InterpreterTest;

constexpr const char* kZeroDivide = "Floating point division by zero";
constexpr const char* kInvalidOp = "Invalid floating point operation";
constexpr const char* kOverflow = "Floating point overflow";
constexpr const char* kRange = "Range check error";

TEST_F(MathFunctionsTest, ValuesAndKinds) {
    const Case cases[] = {
        {"Abs(-3)", "double 3.0"}, {"Sqr(-3)", "double 9.0"}, {"Sqrt(16)", "double 4.0"},
        {"Exp(1)", "double 2.718281828459045"}, {"Exp(-1000)", "double 0.0"}, {"Log10(1000)", "double 3.0"},
        {"Log2(1024)", "double 10.0"}, {"LogN(2, 8)", "double 3.0"}, {"LogN(10, 0.001)", "double -3.0"},
        {"Hypot(3, 4)", "double 5.0"}, {"Ldexp(3, 2)", "double 12.0"}, {"Ldexp(3, -1)", "double 1.5"},
        {"Ldexp(1, -2000)", "double 0.0"},
        {"Ldexp(1, 2.5)", "double 4.0"},  // the exponent is rounded half to even
        {"Pi", "double 3.141592653589793"}, {"sin pi", "double 1.2246467991473532e-16"},
        {"Sin(Pi())", "double 1.2246467991473532e-16"},
        {"ArcSin(1)", "double 1.5707963267948966"}, {"ArcCos(1)", "double 0.0"},
        {"ArcTan(1)", "double 0.7853981633974483"}, {"ArcTan2(1, 0)", "double 1.5707963267948966"},
        {"ArcTan2(0, -1)", "double 3.141592653589793"}, {"ArcTan2(0, 0)", "double 0.0"}, {"Tanh(1000)", "double 1.0"},
        {"DegToRad(180)", "double 3.141592653589793"},
        {"RadToDeg(pi)", "double 180.0"}, {"GradToRad(200)", "double 3.141592653589793"},
        {"RadToGrad(pi)", "double 200.0"}, {"CycleToRad(1)", "double 6.283185307179586"},
        {"RadToCycle(2*pi)", "double 1.0"}, {"DegToRad(1e308)", "double 1.7453292519943295e+306"},
        // Integer results
        {"Round(2.5)", "integer 2"}, {"Round(3.5)", "integer 4"}, {"Round(-2.5)", "integer -2"},
        {"Round(2.4999)", "integer 2"}, {"Trunc(-2.7)", "integer -2"},
        {"Ceil(-2.5)", "integer -2"}, {"Floor(-2.5)", "integer -3"}, {"Int(-2.7)", "double -2.0"},
        {"Int(-0.5)", "double 0.0"},  // never a negative zero
        {"Frac(-2.75)", "double -0.75"}, {"Frac(5)", "double 0.0"}, {"Max(2, 7)", "integer 7"},
        {"Min(2, 7)", "integer 2"}, {"Max(2.5, 1)", "integer 2"}, {"Max(3.5, 3.6)", "integer 4"},
        {"Min(-1.5, -2)", "integer -2"}, {"Max('4', 3)", "integer 4"}, {"Sign(-0.5)", "integer -1"},
        {"Sign(0)", "integer 0"}, {"Sign(7)", "integer 1"}, {"Sign(1e-300)", "integer 1"},
        // Factorial
        {"Factorial(5)", "double 120.0"}, {"Factorial(0)", "double 1.0"},
        {"Factorial(5.0)", "double 120.0"}, {"Factorial('4')", "double 24.0"},
        {"Factorial(20)", "double 2432902008176640000.0"}, {"Factorial(170)", "double 7.257415615307999e+306"},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

// Values whose last digit depends on the math library: compared with a tolerance.
TEST_F(MathFunctionsTest, ValuesWithinTolerance) {
    struct Near {
        const char* text;
        double expected;
    };
    const Near cases[] = {
        {"Cotan(1)", 0.6420926159343306},  {"Tan(1)", 1.5574077246549023},   {"Sinh(1)", 1.1752011936438014},
        {"Cosh(1)", 1.5430806348152437},    {"Tanh(0.5)", 0.46211715726000974}, {"ArcSinh(1)", 0.881373587019543},
        {"ArcCosh(2)", 1.3169578969248166}, {"ArcTanh(0.5)", 0.5493061443340549}, {"LnXP1(1e-20)", 1e-20},
        {"Ln(10)", 2.302585092994046},      {"Hypot(1e300, 1e300)", 1.4142135623730951e300},
        {"ArcCos(-1)", std::numbers::pi},   {"LogN(3, 81)", 4.0},
    };
    for (const Near& c : cases) {
        const Variant v = interpreter.ExecuteExpression(c.text);
        ASSERT_EQ(v.Kind(), VarKind::Double) << "text: " << c.text;
        EXPECT_NEAR(v.Dbl(), c.expected, 4e-16 * std::fabs(c.expected)) << "text: " << c.text;
    }
}

TEST_F(MathFunctionsTest, DomainAndRangeFailuresRaise) {
    const Case cases[] = {
        {"Sqrt(-1)", kInvalidOp}, {"Ln(0)", kZeroDivide}, {"Ln(-1)", kInvalidOp}, {"Log10(0)", kZeroDivide},
        {"Log2(-8)", kInvalidOp}, {"LnXP1(-1)", kZeroDivide}, {"LnXP1(-2)", kInvalidOp}, {"LogN(1, 5)", kZeroDivide},
        {"LogN(2, 0)", kZeroDivide}, {"LogN(0, 8)", kZeroDivide}, {"LogN(-2, 8)", kInvalidOp},
        {"ArcSin(2)", kInvalidOp}, {"ArcCos(-1.5)", kInvalidOp}, {"ArcCosh(0.5)", kInvalidOp},
        {"ArcTanh(1)", kZeroDivide}, {"ArcTanh(-1)", kZeroDivide}, {"ArcTanh(2)", kInvalidOp},
        {"Cotan(0)", kZeroDivide}, {"Exp(710)", kOverflow}, {"Exp(100000)", kOverflow}, {"Sinh(1000)", kOverflow},
        {"Cosh(-1000)", kOverflow}, {"Sqr(1e200)", kOverflow}, {"Hypot(1.5e308, 1.5e308)", kOverflow},
        {"Ldexp(1, 1024)", kOverflow}, {"RadToDeg(1e307)", kOverflow},
        {"Sqrt('abc')", "'abc' is not a valid floating point value"},
        // Integer results outside the 32-bit range are refused, never wrapped
        {"Round(2147483647.4)", "integer 2147483647"}, {"Round(2147483647.5)", kRange},
        {"Round(-2147483648.5)", "integer -2147483648"}, {"Round(1e10)", kRange},
        {"Trunc(-2147483648.9)", "integer -2147483648"}, {"Trunc(3e9)", kRange}, {"Ceil(2147483647.5)", kRange},
        {"Ceil(-2147483648.5)", "integer -2147483648"}, {"Floor(-2147483648.5)", kRange}, {"Floor(1e300)", kRange},
        {"Max(3e9, 1)", kRange}, {"Min(1, -3e9)", kRange}, {"Ldexp(1, 3e9)", kRange},
        // Factorial: the non-integer test comes before the sign test; position of the operand
        {"Factorial(2.5)", "TMFactorial.GetValue() Operand of factorial must be integer value, position: 11."},
        {"n=-2.5;Factorial(n)", "TMFactorial.GetValue() Operand of factorial must be integer value, position: 11."},
        {"n=-3;Factorial(n)", "TMFactorial.GetValue() Operand of factorial must not be negative, position: 11."},
        {"Factorial(   0.5)", "TMFactorial.GetValue() Operand of factorial must be integer value, position: 14."},
        {"Factorial('2.5')", "TMFactorial.GetValue() Operand of factorial must be integer value, position: 11."},
        {"Factorial(3e9)", kRange}, {"Factorial(-3e9)", kRange}, {"Factorial(171)", kOverflow},
        {"Factorial(2147483647)", kOverflow},  // refused at once, not after two billion products
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

TEST_F(MathFunctionsTest, RandomNumbersComeFromTheInterpretersSeededGenerator) {
    interpreter.SetRandomSeed(42);
    const Variant first = interpreter.ExecuteExpression("RandG(0, 1)");
    ASSERT_EQ(first.Kind(), VarKind::Double);
    interpreter.SetRandomSeed(42);
    EXPECT_EQ(interpreter.ExecuteExpression("RandG(0, 1)"), first);

    TMathInterpreter other;
    other.SetRandomSeed(42);
    EXPECT_EQ(other.ExecuteExpression("RandG(0, 1)"), first);  // nothing is shared between interpreters

    EXPECT_EQ(Run("RandG(5, 0)"), "double 5.0");
    for (int i = 0; i < 20; ++i) {  // a draw beyond the double range is an error, never an infinity
        const std::string big = Run("RandG(1.7e308, 1e308)");
        EXPECT_TRUE(big == kOverflow || big.rfind("double ", 0) == 0) << big;
    }

    constexpr int kDraws = 4000;
    double sum = 0, squares = 0;
    for (int i = 0; i < kDraws; ++i) {
        const double x = interpreter.ExecuteExpression("RandG(10, 2)").Dbl();
        sum += x;
        squares += x * x;
    }
    const double mean = sum / kDraws;
    const double deviation = std::sqrt(squares / kDraws - mean * mean);
    EXPECT_NEAR(mean, 10.0, 0.15);  // about five standard errors
    EXPECT_NEAR(deviation, 2.0, 0.15);
}

}  // namespace
}  // namespace tolvex::test
