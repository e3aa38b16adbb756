// Expressions end to end: precedence, grouping, operator semantics and assembly messages.
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using EvaluationTest = InterpreterTest;

TEST_F(EvaluationTest, PrecedenceAndGrouping) {
    const Case cases[] = {
        {"", "null "},
        {"   ", "null "},
        {"1+2*3", "integer 7"},
        {"(1+2)*3", "integer 9"},
        {"8-3-2", "integer 3"},
        {"2^3^2", "double 64.0"},
        {"2^3", "double 8.0"},
        {"-2^2", "double 4.0"},
        {"2^-2", "double 0.25"},
        {"x=3; -x^2", "double 9.0"},
        {"7/2", "double 3.5"},
        {"6/3", "double 2.0"},
        {"7 div 2", "integer 3"},
        {"7 mod 2", "integer 1"},
        {"-7 div 2", "integer -3"},
        {"-7 mod 2", "integer -1"},
        {"1 < 2 and 3 < 4", "boolean True"},
        {"1 shl 2 + 1", "integer 8"},
        {"6 and 3", "integer 2"},
        {"6 or 3", "integer 7"},
        {"6 xor 3", "integer 5"},
        {"true xor false", "boolean True"},
        {"not (1 < 2)", "boolean False"},
        {"not not true", "boolean True"},
        {"a=2; b=5; a*-b", "integer -10"},
        {"a=2; b=5; a*not (b<a)", "integer 2"},
        {"'ab'+'cd'", "string abcd"},
        {"'abc' < 'abd'", "boolean True"},
        {"1 == 1.0", "boolean True"},
        {"1 != 2", "boolean True"},
        {"3 >= 3", "boolean True"},
        {"2147483647+1", "double 2147483648.0"},
        {"((((7))))", "integer 7"},
        {"max(1, 2)", "integer 2"},
        {"IfF(1 < 2, 'yes', 1/0)", "string yes"},
        {"Pi", "double 3.141592653589793"},
        {"Pi()", "double 3.141592653589793"},
        {"pi()-1", "double 2.141592653589793"},
        {"pi+1", "double 4.141592653589793"},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

TEST_F(EvaluationTest, FailuresNameTheirPlace) {
    const Case cases[] = {
        {"1+", "TMOperator.PullOperands() 2 operand(s) expected, but only 1 found. Position: 2."},
        {"+3", "TMOperator.PullOperands() 2 operand(s) expected, but only 1 found. Position: 1."},
        {"f(a+)", "TMOperator.PullOperands() 2 operand(s) expected, but only 1 found. Position: 4."},
        {"Max(1)", "TMOperator.PullOperands() 2 operand(s) expected, but only 1 found. Position: 1."},
        {"not 1", "TMNot.GetValue() NOT operator (position: 1) expects boolean operand (position: 5)."},
        {"pi-1", "TMathInterpreter.RPN() Unbalanced number of operators and operands, position: 4."},
        {"1 2", "TMathInterpreter.RPN() Unbalanced number of operators and operands, position: 3."},
        {"(1,2)", "TMathInterpreter.RPN() Unbalanced number of operators and operands, position: 2."},
        {"1,2", "TMathInterpreter.RPN() Comma outside parameter list, position: 2."},
        {"1)", "TMathInterpreter.RPN() Unclosed right bracket, position: 2."},
        {"sin(1", "TMathInterpreter.RPN() Unclosed left bracket on position: 4."},
        {"(1+2", "TMathInterpreter.RPN() Unclosed left bracket on position: 1."},
        {"x + rename", "TMathInterpreter.RPN() Invalid type \"TMRename\" of parsed item on index 2."},
        {"rename a", "TMathInterpreter.RPN() Invalid type \"TMRename\" of parsed item on index 0."},
        {"x + delete", "TMathInterpreter.RPN() Invalid type \"TMDelete\" of parsed item on index 2."},
        {"a<>b", "TMOperator.PullOperands() 2 operand(s) expected, but only 1 found. Position: 2."},
        {"false and (1 div 0 == 0)", "Division by zero"},
        {"1/0", "Floating point division by zero"},
        {"0/0", "Invalid floating point operation"},
        {"IfF(1, 2, 3)", "TMIfF.GetValue() IFF function (position: 1) expectc first argument (position: 5) to be boolean."},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

TEST_F(EvaluationTest, CallsCompleteAndGatherArguments) {
    std::vector<std::string> seen;
    interpreter.SetOnUnknownSymbol([&](TMathInterpreter&, const std::string& id, const Variant& params, Variant& value) {
        std::string args;
        if (params.Kind() == VarKind::Array)
            for (const Variant& p : params.Elements()) args += VarToStr(p) + ";";
        seen.push_back(id + "[" + args + "]");
        value = VarFromInt(0);
    });
    EXPECT_EQ(Run("f(a, b+1)"), "integer 0");
    EXPECT_EQ(Run("g(1, 2, 3)"), "integer 0");
    EXPECT_EQ(Run("g()"), "integer 0");
    EXPECT_EQ(Run("h((2+1)*2)"), "integer 0");
    EXPECT_EQ(Run("k(1"), "integer 0");
    // Arguments reach the handler last argument first; unknown names in them ask first.
    const std::vector<std::string> expected = {"b[]", "a[]", "f[1;0;]", "g[3;2;1;]", "g[]", "h[6;]", "k[1;]"};
    EXPECT_EQ(seen, expected);
}

// No text can exhaust the stack: deep input gives a value or a clear error.
TEST_F(EvaluationTest, DeepInputNeverCrashes) {
    const std::string brackets = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(Run(brackets), "integer 1");
    const std::string minuses = std::string(100000, '-') + "x";
    EXPECT_NE(Run(minuses).find("TMathInterpreter.RPN() Expression nested deeper than"), std::string::npos);
    EXPECT_EQ(Run(std::string(100000, '-') + "1"), "integer 1");
    std::string sum = "1";
    for (int i = 1; i < 200000; ++i) sum += "+1";
    EXPECT_EQ(Run(sum), "integer 200000");  // a flat chain is no nesting
    std::string nested = "1";
    for (int i = 1; i < 5000; ++i) nested = "1+(" + nested + ")";
    EXPECT_NE(Run(nested).find("nested deeper than"), std::string::npos);
    std::string calls;
    for (int i = 0; i < 5000; ++i) calls += "abs(";
    EXPECT_NE(Run(calls + "1" + std::string(5000, ')')).find("nested deeper than"), std::string::npos);
    std::string chain = "1";
    for (int i = 1; i < 1000; ++i) chain += "+1";
    EXPECT_EQ(Run(chain), "integer 1000");
    EXPECT_EQ(Run("1+1"), "integer 2");  // still usable
}

}  // namespace
}  // namespace tolvex::test
