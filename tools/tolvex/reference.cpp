#include "tools/tolvex/reference.h"

namespace tolvex::tool {

const std::vector<FunctionHelp>& FunctionReference() {
    static const std::vector<FunctionHelp> rows = {
        {"Sin", "x (radians)", "double", "sine of an angle", "Sin(Pi/2)"},
        {"Cos", "x (radians)", "double", "cosine of an angle", "Cos(0)"},
        {"Tan", "x (radians)", "double", "tangent of an angle", "Tan(Pi/4)"},
        {"Cotan", "x (radians)", "double", "cotangent of an angle (1 / tangent)", "Cotan(Pi/4)"},
        {"ArcSin", "x (−1..1)", "double", "angle whose sine is x", "ArcSin(1)"},
        {"ArcCos", "x (−1..1)", "double", "angle whose cosine is x", "ArcCos(0)"},
        {"ArcTan", "x", "double", "angle whose tangent is x", "ArcTan(1)"},
        {"ArcTan2", "y, x", "double", "angle of the point (x, y) from the x axis, in −π..π", "ArcTan2(1, 0)"},
        {"Sinh", "x", "double", "hyperbolic sine", "Sinh(0)"},
        {"Cosh", "x", "double", "hyperbolic cosine", "Cosh(0)"},
        {"Tanh", "x", "double", "hyperbolic tangent", "Tanh(0)"},
        {"ArcSinh", "x", "double", "inverse hyperbolic sine", "ArcSinh(0)"},
        {"ArcCosh", "x (≥ 1)", "double", "inverse hyperbolic cosine", "ArcCosh(1)"},
        {"ArcTanh", "x (−1 < x < 1)", "double", "inverse hyperbolic tangent", "ArcTanh(0.5)"},
        {"Hypot", "x, y", "double", "length of the hypotenuse, √(x² + y²), without overflow", "Hypot(3, 4)"},
        {"DegToRad", "degrees", "double", "degrees to radians", "DegToRad(180)"},
        {"RadToDeg", "radians", "double", "radians to degrees", "RadToDeg(Pi)"},
        {"GradToRad", "grads", "double", "grads (400 to the circle) to radians", "GradToRad(200)"},
        {"RadToGrad", "radians", "double", "radians to grads (400 to the circle)", "RadToGrad(Pi)"},
        {"CycleToRad", "cycles", "double", "full turns to radians", "CycleToRad(0.5)"},
        {"RadToCycle", "radians", "double", "radians to full turns", "RadToCycle(Pi)"},
        {"DegToStr", "degrees", "string", "degrees as text in degrees, minutes and seconds", "DegToStr(10.5)"},
        {"EncodeDeg", "degrees, minutes, seconds", "double", "degrees, minutes and seconds to degrees", "EncodeDeg(10, 30, 0)"},
        {"Pi", "none", "double", "the number π", "Pi"},
        {"Abs", "x", "double", "absolute value, as a double", "Abs(-3)"},
        {"Sqr", "x", "double", "square, x · x", "Sqr(3)"},
        {"Sqrt", "x (≥ 0)", "double", "square root", "Sqrt(2)"},
        {"Exp", "x", "double", "e raised to x", "Exp(1)"},
        {"Ln", "x (> 0)", "double", "natural logarithm", "Ln(Exp(2))"},
        {"LnXP1", "x (> −1)", "double", "natural logarithm of 1 + x, exact for small x", "LnXP1(0)"},
        {"Log10", "x (> 0)", "double", "logarithm to base 10", "Log10(1000)"},
        {"Log2", "x (> 0)", "double", "logarithm to base 2", "Log2(8)"},
        {"LogN", "base, x", "double", "logarithm of x to the given base", "LogN(2, 8)"},
        {"Ldexp", "x, p (integer)", "double", "x times 2 raised to p", "Ldexp(3, 2)"},
        {"Factorial", "n (whole, ≥ 0)", "double", "n! = 1 · 2 · … · n", "Factorial(5)"},
        {"Sign", "x", "integer", "−1, 0 or 1 as x is negative, zero or positive", "Sign(-0.5)"},
        {"Max", "a, b (integers)", "integer", "the greater of two integers (doubles are rounded first)", "Max(2, 7)"},
        {"Min", "a, b (integers)", "integer", "the smaller of two integers (doubles are rounded first)", "Min(2, 7)"},
        {"RandG", "mean, standard deviation", "double", "a random number from the normal (Gaussian) distribution", "RandG(10, 0)"},
        {"Round", "x", "integer", "nearest integer, halves to even", "Round(2.5)"},
        {"Trunc", "x", "integer", "integer part, towards zero", "Trunc(-2.7)"},
        {"Ceil", "x", "integer", "smallest integer not below x", "Ceil(-2.5)"},
        {"Floor", "x", "integer", "greatest integer not above x", "Floor(-2.5)"},
        {"Int", "x", "double", "integer part towards zero, as a double", "Int(-2.7)"},
        {"Frac", "x", "double", "fractional part, x − Int(x)", "Frac(-2.75)"},
        {"FutureValue", "rate, periods (integer), payment, present value, payment time", "double", "value after the periods of an investment or loan", "FutureValue(0, 10, -100, 0, 0)"},
        {"PresentValue", "rate, periods (integer), payment, future value, payment time", "double", "value today of future payments", "PresentValue(0, 10, -100, 0, 0)"},
        {"Payment", "rate, periods (integer), present value, future value, payment time", "double", "payment per period that repays a loan", "Payment(0, 10, 1000, 0, 0)"},
        {"PeriodPayment", "rate, period (integer), periods (integer), present value, future value, payment time", "double", "principal part of one period's payment", "PeriodPayment(0.1, 1, 2, 1000, 0, 0)"},
        {"InterestPayment", "rate, period (integer), periods (integer), present value, future value, payment time", "double", "interest part of one period's payment", "InterestPayment(0.1, 1, 2, 1000, 0, 0)"},
        {"InterestRate", "periods (integer), payment, present value, future value, payment time", "double", "rate per period that the payments imply", "InterestRate(1, 0, -100, 110, 0)"},
        {"NumberOfPeriods", "rate, payment, present value, future value, payment time", "double", "periods the payments need", "NumberOfPeriods(0, -100, 1000, 0, 0)"},
        {"SLNDepreciation", "cost, salvage, life (integer)", "double", "straight-line depreciation per period", "SLNDepreciation(1000, 100, 9)"},
        {"SYDDepreciation", "cost, salvage, life (integer), period (integer)", "double", "sum-of-years'-digits depreciation of one period", "SYDDepreciation(1000, 100, 3, 1)"},
        {"DoubleDecliningBalance", "cost, salvage, life (integer), period (integer)", "double", "double-declining-balance depreciation of one period", "DoubleDecliningBalance(1000, 100, 5, 1)"},
        {"Length", "text", "integer", "length of a text in bytes", "Length(12345)"},
        {"Copy", "text, index, count", "string", "count bytes of the text from index on", "Copy('abcdef', 2, 3)"},
        {"DeleteSubstr", "text, index, count", "string", "the text without count bytes from index on", "DeleteSubstr('abcdef', 2, 3)"},
        {"Insert", "source, text, index", "string", "the text with source inserted before index", "Insert('xy', 'abc', 2)"},
        {"Pos", "substring, text", "integer", "position of the first occurrence of the substring, 0 when none", "Pos('cd', 'abcdef')"},
        {"StringOfChar", "character, count (integer)", "string", "the character repeated count times", "StringOfChar('-', 5)"},
        {"LowerCase", "text", "string", "ASCII letters to lower case", "LowerCase('AbC')"},
        {"UpperCase", "text", "string", "ASCII letters to upper case", "UpperCase('AbC')"},
        {"Trim", "text", "string", "the text without leading and trailing blanks and control characters", "'[' + Trim('  a b  ') + ']'"},
        {"TrimLeft", "text", "string", "the text without leading blanks and control characters", "'[' + TrimLeft('  ab  ') + ']'"},
        {"TrimRight", "text", "string", "the text without trailing blanks and control characters", "'[' + TrimRight('  ab  ') + ']'"},
        {"QuotedStr", "text", "string", "the text in single quotes, inner quotes doubled", "QuotedStr('it''s')"},
        {"IntToStr", "n (integer)", "string", "an integer as decimal text", "IntToStr(-42)"},
        {"StrToInt", "text", "integer", "decimal text as an integer", "StrToInt('-17')"},
        {"FloatToStr", "x", "string", "a number as text with 15 significant digits", "FloatToStr(1/3)"},
        {"StrToFloat", "text", "double", "text as a double", "StrToFloat(' 2.5e3 ')"},
        {"ToBase", "x, base", "string", "a number as text in a base from 2 to 36", "ToBase(255, 16)"},
        {"FromBase", "text, base", "double", "text in a base from 2 to 36 as a number", "FromBase('ff', 16)"},
        {"ConvertBase", "text, from-base, to-base", "string", "text in one base as text in another", "ConvertBase('ff', 16, 2)"},
        {"IfF", "condition (boolean), a, b", "kind of the chosen value", "a if the condition holds, else b; only the chosen one is evaluated", "IfF(1 < 2, 'yes', 1/0)"},
    };
    return rows;
}

const FunctionHelp* FindFunctionHelp(const std::string& name) {
    const auto same = [&](const char* candidate) {
        std::size_t i = 0;
        for (; candidate[i] && i < name.size(); ++i)
            if ((candidate[i] | 0x20) != (name[i] | 0x20)) return false;
        return !candidate[i] && i == name.size();
    };
    for (const FunctionHelp& row : FunctionReference())
        if (same(row.name)) return &row;
    return nullptr;
}

}  // namespace tolvex::tool
