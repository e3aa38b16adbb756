// Prepared numeric expressions run as compiled programs; whatever they give must be exactly what
// the tree gives: the same value, the same kind, the same error.
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

class CompiledTest : public InterpreterTest {
protected:
    // The prepared result (executed twice: the program must not change anything) against the
    // result of evaluating the same text directly.
    void ExpectSameAsTree(const std::string& text) {
        const std::string direct = Outcome([&] { return interpreter.ExecuteExpression(text); });
        int handle = -1;
        const std::string prepared = Outcome([&] {
            handle = interpreter.PrepareExpression(text);
            return interpreter.ExecutePreparedExpression(handle);
        });
        EXPECT_EQ(prepared, direct) << text;
        if (handle >= 0) {
            EXPECT_EQ(Outcome([&] { return interpreter.ExecutePreparedExpression(handle); }), direct) << text;
            interpreter.FreePreparedExpression(handle);
        }
    }

    template <class F>
    static std::string Outcome(F&& run) {
        try {
            return Describe(run());
        } catch (const Exception& e) {
            return std::string(e.ClassName()) + ": " + e.Message();
        }
    }
};

const char* const kExpressions[] = {
    "a+b*c", "(a+b)*(c-d)/e", "a*b+sin(c)/2-d^2", "sqrt(a*a+b*b)", "exp(-a*a/2)*cos(b)",
    "((((a+1)*2)+3)*4)", "1+2*3-4/5", "a", "-a", "--a", "a-b", "a div b", "a mod b", "a/b", "a^b", "b^a",
    "2147483647+a", "-2147483647-a-a", "-(a-2147483647-a-1)", "a*65536*65536", "1/(a-a)", "0^(-a)",
    "(a-a)/(a-a)", "1e308*(a+9)", "Ln(a-a)", "Sqrt(-a)", "Exp(a*1000)", "Tan(a)+Abs(-b)+Sqr(c)",
    "Log10(a)+Log2(b)+ArcTan(c)+Sinh(d)+Cosh(e)+Tanh(f)", "Pi*a", "Pi()+1", "2^3^2", "7 div 2 + 7 mod 2",
    "(1-1) div (a-a)", "2147483647+1", "Sin(0)*-1", "a*0*-1", "x", "g", "h(a)", "a < b", "not a",
};

TEST_F(CompiledTest, ValuesKindsAndErrorsMatchTheTree) {
    // Integers, doubles, a mix, and kinds the program leaves to the tree.
    const char* const inputs[] = {
        "a=3; b=2; c=5; d=7; e=11; f=13",
        "a=0.5; b=1.25; c=2.0; d=-0.75; e=3.5; f=1.0",
        "a=3; b=0.5; c=-2; d=1.5; e=4; f=-1",
        "a=0; b=-3; c=0.0; d=2147483647; e=-1; f=0",
        "a='7'; b=true; c=2; d=1; e=1; f=1",
        "a=1; b=2; c=3; d=4; e=5; f=6; g := a * 10; h(x) := x + 1",
    };
    for (const char* input : inputs) {
        interpreter.ClearSymbols();
        Run(input);
        for (const char* text : kExpressions) ExpectSameAsTree(text);
    }
}

// A prepared program reads whatever its variables hold when it runs, and follows every change of
// binding: a deleted variable goes through the unknown-symbol path, a variable turned into a
// function is called.
TEST_F(CompiledTest, ProgramsFollowTheirVariables) {
    Run("a=2; b=3");
    const int h = interpreter.PrepareExpression("a*b+1");
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "integer 7");
    interpreter.SetVariables("a", VarFromReal(0.5));
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "double 2.5");
    interpreter.SetVariables("a", VarFromLStr("4"));
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "integer 13");
    interpreter.SetVariables("a", VarFromInt(1));
    Run("b := 30");
    EXPECT_EQ(MessageOf([&] { interpreter.ExecutePreparedExpression(h); }),
              "TMVarRef.GetValue() Referenced symbol: \"b\" is not defied, position: 3.");
    Run("delete b; b = 5");
    interpreter.SetOnUnknownSymbol([](TMathInterpreter&, const std::string& id, const Variant&, Variant& v) {
        if (id == "b") v = VarFromInt(100);
    });
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "integer 101");
}

}  // namespace
}  // namespace tolvex::test
