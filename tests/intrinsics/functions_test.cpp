// What every built-in function shares: each operand it needs is evaluated exactly once, in the
// order the function states (operand 0 first unless noted).
#include <map>
#include <string>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using FunctionsTest = InterpreterTest;

TEST_F(FunctionsTest, OperandsAreEvaluatedOnceInTheirOrder) {
    std::string order;
    // Unknown names a, b, c ... read as 1, 2, 3 ... and leave a trace of the order they are asked in.
    interpreter.SetOnUnknownSymbol([&](TMathInterpreter&, const std::string& id, const Variant&, Variant& value) {
        order += id;
        value = Variant(static_cast<std::int32_t>(id[0] - 'a' + 1));
    });
    const std::map<std::string, std::string> cases = {
        // operand 1 before operand 0
        {"Max(a, b)", "ba"}, {"Min(a, b)", "ba"}, {"Pos(a, b)", "ba"}, {"FromBase(a, b)", "ba"},
        {"ArcTan2(a, b)", "ab"}, {"Hypot(a, b)", "ab"}, {"LogN(b, d)", "bd"}, {"Ldexp(a, b)", "ab"},
        {"RandG(a, b)", "ab"}, {"Sign(a)", "a"}, {"Factorial(c)", "c"}, {"ToBase(a, b)", "ab"},
        {"ConvertBase(a, b, c)", "abc"}, {"Copy(a, b, c)", "abc"}, {"Insert(a, b, c)", "abc"},
        {"DeleteSubstr(a, b, c)", "abc"}, {"StringOfChar(a, b)", "ab"}, {"EncodeDeg(a, b, c)", "abc"},
        {"DegToStr(a)", "a"}, {"IfF(a < b, c, d)", "abc"}, {"IfF(a > b, c, d)", "abd"},
        // financial: amounts and rate first, then the integer operands from the last back
        {"FutureValue(a, b, c, d, e)", "acdeb"}, {"PresentValue(a, b, c, d, e)", "acdeb"},
        {"Payment(a, b, c, d, e)", "acdeb"}, {"PeriodPayment(a, b, c, d, e, f)", "adefcb"},
        {"InterestPayment(a, b, c, d, e, f)", "adefcb"}, {"InterestRate(a, b, c, d, e)", "bcdea"},
        {"NumberOfPeriods(a, b, c, d, e)", "abcde"}, {"SLNDepreciation(a, b, c)", "abc"},
        {"SYDDepreciation(a, b, c, d)", "abdc"}, {"DoubleDecliningBalance(a, b, c, d)", "abdc"},
    };
    for (const auto& [text, expected] : cases) {
        order.clear();
        Run(text);
        EXPECT_EQ(order, expected) << "text: " << text;
    }
}

}  // namespace
}  // namespace tolvex::test
