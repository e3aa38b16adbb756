// One-shot evaluation takes a shortcut for numeric formulas; whatever it does must equal the
// ordinary stages (scan, keywords, assembly, tree evaluation): value and kind, or the message,
// and the unknown-symbol events in the same order.
#include <functional>
#include <random>
#include <vector>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

class OneShotTest : public InterpreterTest {
protected:
    OneShotTest() {
        interpreter.SetOnUnknownSymbol([this](TMathInterpreter&, const std::string& name, const Variant&, Variant& value) {
            events.push_back(name);
            if (name == "known") value = Variant(std::int32_t{5});
        });
    }

    // The ordinary stages, as ExecuteExpression ran them before the shortcut.
    Variant Plain(const std::string& text) {
        TMItems items;
        interpreter.ParseExpression(text, items);
        interpreter.ProcessExpressionKeywords(items);
        std::unique_ptr<TMExpression> tree = interpreter.RPN(items);
        return tree ? tree->GetValue() : Null();
    }

    // Outcome and events of one way of evaluating.
    template <class F>
    std::string Outcome(F&& evaluate) {
        events.clear();
        std::string text;
        try {
            const Variant v = evaluate();
            text = Describe(v);
        } catch (const Exception& e) {
            text = "error " + e.Message();
        }
        for (const std::string& e : events) text += " event:" + e;
        return text;
    }

    void ExpectSame(const std::string& text) {
        const std::string plain = Outcome([&] { return Plain(text); });
        const std::string quick = Outcome([&] { return interpreter.ExecuteExpression(text); });
        EXPECT_EQ(quick, plain) << "text: " << text;
    }

    std::vector<std::string> events;
};

TEST_F(OneShotTest, FormulasGiveWhatTheTreeGives) {
    Run("a=1.5; b=2; c=-3; big=2147483647; small=-2147483647-1; z=0; zd=0.0; s='7'; t=true; k:=a+1");
    const char* const texts[] = {
        "a+b*c", "-2^2", "- -3", "-(-2)", "2^-1", "a - -2", "a--2", "2 ^ 3 ^ 2", "-a^2", "--a",
        "-2147483648", "-2147483647", "2147483648", "big+1", "small-1", "-small", "big*big", "small div -1",
        "small mod -1", "7 div 2", "-7 mod 3", "7.5 div 2", "7 MOD 0", "7 Div z", "1/z", "0/z", "0.0/zd",
        "1/3", "2^0.5", "z^-1", "(-8)^(1/3)", "10^400", "1e308*10", "1e", "1.", "1.5e-3", "00012", ".5",
        "sin(a)", "SIN (a)", "sqrt(-1)", "Ln(0)", "Ln(z)", "exp(1000)", "Abs(c)", "sin a", "sin(a,b)",
        "Pi", "Pi()", "Max(a,b)", "sin(a)^2", "-sin(a)", "sin(-a)", "a b", "2a", "a+", "+a", "(a", "a)",
        "()", "", "   ", "a + (b * (c - 1))", "s+1", "t+1", "k*2", "unknown+1", "known*2", "a+unknown",
        "f(a)", "a (b)", "a;b", "a=1", "a==1", "a<b", "not t", "a\v+1", "a\t+\r\n1", "1 div", "div 1",
        "a div b", "adiv b", "a divb", "a + 'x'", "delete q", "x_1", "_", "2.5E+3", "9e-400",
        "((((a+1)*2)+3)*4)", "1+2*3-4/5"};
    for (const char* text : texts) ExpectSame(text);
}

// Random formulas over variables whose kinds change, which are deleted and redefined between runs.
TEST_F(OneShotTest, GeneratedFormulasGiveWhatTheTreeGives) {
    std::mt19937 random(20261209);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* const operands[] = {"a", "b", "c", "d", "0", "1", "2.5", "2147483647", "1e300", "-3", "0.0",
                                    "unknown", "known", "sin(a)", "Sqrt(b)", "Ln(c)", "exp(d)", "Abs(a)"};
    const char* const operators[] = {"+", "-", "*", "/", "^", " div ", " mod ", " - -", "*-"};
    const char* const values[] = {"0", "1", "-1", "2147483647", "-2147483647-1", "0.5", "-2.5", "1e300",
                                  "'12'", "'x'", "true", "(q:=1)", "46341", "3"};
    const std::function<std::string(int)> formula = [&](int depth) -> std::string {
        if (depth == 0 || pick(3) == 0) return operands[pick(std::size(operands))];
        std::string text = formula(depth - 1) + operators[pick(std::size(operators))] + formula(depth - 1);
        return pick(3) == 0 ? "(" + text + ")" : text;
    };
    for (int round = 0; round < 300; ++round) {
        for (const char* name : {"a", "b", "c", "d"}) {
            const int choice = pick(std::size(values) + 2);
            if (choice == static_cast<int>(std::size(values))) Run(std::string("delete ") + name);
            else if (choice > static_cast<int>(std::size(values))) Run(std::string(name) + ":=2");
            else Run(std::string(name) + "=" + values[choice]);
        }
        for (int i = 0; i < 10; ++i) ExpectSame(formula(3));
    }
}

}  // namespace
}  // namespace tolvex::test
