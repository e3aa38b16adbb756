// Prepared numeric expressions run as compiled programs; whatever they give must be exactly what
// the tree gives: the same value, the same kind, the same error.
#include <functional>
#include <limits>
#include <random>
#include <regex>

#include "support/interpreter_fixture.h"
#include "tolvex/interpreter/machinecode_internal.h"

namespace tolvex::test {
namespace {

// Every test runs on the closures of the double-only form and again on its machine code (the
// same closures where the build has no machine code).
class CompiledTest : public InterpreterTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        was_ = MachineCode::Enabled();
        MachineCode::SetEnabled(GetParam());
    }
    void TearDown() override { MachineCode::SetEnabled(was_); }

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

private:
    bool was_ = true;
};

INSTANTIATE_TEST_SUITE_P(Forms, CompiledTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "MachineCode" : "Closures"; });

const char* const kExpressions[] = {
    "a+b*c", "(a+b)*(c-d)/e", "a*b+sin(c)/2-d^2", "sqrt(a*a+b*b)", "exp(-a*a/2)*cos(b)",
    "((((a+1)*2)+3)*4)", "1+2*3-4/5", "a", "-a", "--a", "a-b", "a div b", "a mod b", "a/b", "a^b", "b^a",
    "2147483647+a", "-2147483647-a-a", "-(a-2147483647-a-1)", "a*65536*65536", "1/(a-a)", "0^(-a)",
    "(a-a)/(a-a)", "1e308*(a+9)", "Ln(a-a)", "Sqrt(-a)", "Exp(a*1000)", "Tan(a)+Abs(-b)+Sqr(c)",
    "Log10(a)+Log2(b)+ArcTan(c)+Sinh(d)+Cosh(e)+Tanh(f)", "Pi*a", "Pi()+1", "2^3^2", "7 div 2 + 7 mod 2",
    "(1-1) div (a-a)", "2147483647+1", "Sin(0)*-1", "a*0*-1", "x", "g", "h(a)", "a < b", "not a",
    // Sums, differences and products of two leaves under every kind of parent, and quotients
    // beside them.
    "a*b", "2-a", "a-0.5", "-(a*b)", "sqrt(a*b)", "sqr(a-1)", "Ln(a-b)", "sin(a+b)*cos(1-c)", "(a*b)/(c-d)",
    "(a+1)^(b*2)", "2*(a-b)", "(a-b)-(c*d)", "(a*b)*c-(d+e)*f", "a/(b-b)", "(a-a)*-1", "(a/b)*c",
    "sqrt(a/b)", "(1/a)-(b/0.0)", "-(a/3)",
};

TEST_P(CompiledTest, ValuesKindsAndErrorsMatchTheTree) {
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

// A random formula over a…f of at most `depth` levels: every operator and function the programs
// take, and literals at the edges (zero, the largest integer, a double near the top of the range).
std::string RandomFormula(std::mt19937& random, int depth) {
    static const char* const kLeaves[] = {"a", "b", "c", "d", "e", "f", "0", "1", "2", "3", "0.5", "-1.5",
                                          "2147483647", "1e308", "0.0", "Pi"};
    static const char* const kBinary[] = {"+", "-", "*", "/", "^", " div ", " mod "};
    static const char* const kFunctions[] = {"sin", "cos", "exp", "sqrt", "ln", "tan", "abs", "sqr", "arctan",
                                             "log2", "tanh", "arcsin", "cosh"};
    const auto pick = [&](auto& list) { return list[random() % std::size(list)]; };
    const unsigned roll = depth <= 0 ? 0 : random() % 10;
    if (roll < 3) return pick(kLeaves);
    if (roll < 8) return "(" + RandomFormula(random, depth - 1) + pick(kBinary) + RandomFormula(random, depth - 1) + ")";
    if (roll < 9) return "-" + RandomFormula(random, depth - 1);
    return std::string(pick(kFunctions)) + "(" + RandomFormula(random, depth - 1) + ")";
}

// Values of every kind a variable may hold, numbers at the edges included.
Variant RandomValue(std::mt19937& random) {
    switch (random() % 12) {
        case 0: return VarFromInt(0);
        case 1: return VarFromInt(2147483647);
        case 2: return VarFromInt(-2147483647 - 1);
        case 3: return VarFromInt(static_cast<std::int32_t>(random() % 200) - 100);
        case 4: return VarFromReal(0.0);
        case 5: return VarFromReal(1e300);
        case 6: return VarFromLStr("3");
        case 7: return VarFromBool(true);
        default: return VarFromReal(std::ldexp(static_cast<double>(random() % 4096) - 2048, -9));
    }
}

// The message of `outcome` with every position moved back by `offset` characters.
std::string ShiftPositions(const std::string& outcome, int offset) {
    static const std::regex kPosition("position: (\\d+)");
    std::string result;
    auto last = outcome.cbegin();
    for (std::sregex_iterator m(outcome.begin(), outcome.end(), kPosition), end; m != end; ++m) {
        result.append(last, (*m)[0].first);
        result += "position: " + std::to_string(std::stoi((*m)[1].str()) - offset);
        last = (*m)[0].second;
    }
    return result.append(last, outcome.cend());
}

// Generated formulas, each prepared once and run against many assignments of mixed kinds, with
// variables deleted, redefined and turned into functions between runs: the prepared result (and
// the unknown-symbol events it raises) must be that of the same formula prepared inside IfF,
// which no program takes, so its plain tree runs with the same bindings.
TEST_P(CompiledTest, GeneratedFormulasMatchTheTree) {
    std::mt19937 random(17);
    std::vector<std::string> events;
    interpreter.SetOnUnknownSymbol([&](TMathInterpreter&, const std::string& id, const Variant&, Variant& v) {
        events.push_back(id);
        if (id == "e" && v.IsEmpty()) v = VarFromReal(0.25);  // reads of e are answered, writes kept
    });
    const auto outcome = [&](auto run) {
        events.clear();
        std::string result = Outcome(run);
        for (const std::string& id : events) result += " ?" + id;
        return result;
    };
    for (int formula = 0; formula < 400; ++formula) {
        interpreter.ClearSymbols();
        Run("a=1.5; b=-0.75; c=2.0; d=0.25; e=3.0; f=-2.5");
        const std::string text = RandomFormula(random, 1 + formula % 5);
        SCOPED_TRACE(text);
        const std::string prefix = "IfF(true,";
        int handle = -1;
        int plain = -1;
        try {
            handle = interpreter.PrepareExpression(text);
            plain = interpreter.PrepareExpression(prefix + text + ",0)");
        } catch (const Exception& e) {  // e.g. "Pi" before an operator, which the language refuses
            EXPECT_LT(plain, 0) << e.Message();
            continue;
        }
        for (int round = 0; round < 24; ++round) {
            const std::string name(1, static_cast<char>('a' + random() % 6));
            switch (round % 8) {
                case 3: Run("delete " + name); break;
                case 5: Run(name + " := a * 2 + 1"); break;  // a failing call when name is a
                default: {
                    if (!interpreter.SymbolExists(name)) Run(name + " = 0");
                    int variable = -1;
                    try {
                        variable = interpreter.GetVariableHandles(name);
                    } catch (const Exception&) {  // a function now
                        Run("delete " + name + "; " + name + " = 0");
                        variable = interpreter.GetVariableHandles(name);
                    }
                    interpreter.SetVariablesByHandle(variable, RandomValue(random));
                }
            }
            const std::string prepared = outcome([&] { return interpreter.ExecutePreparedExpression(handle); });
            const std::string tree = ShiftPositions(
                outcome([&] { return interpreter.ExecutePreparedExpression(plain); }), static_cast<int>(prefix.size()));
            ASSERT_EQ(prepared, tree) << text << " in round " << round;
        }
        interpreter.FreePreparedExpression(handle);
        interpreter.FreePreparedExpression(plain);
    }
}

// A prepared program reads whatever its variables hold when it runs, and follows every change of
// binding: a deleted variable goes through the unknown-symbol path, a variable turned into a
// function is called.
TEST_P(CompiledTest, ProgramsFollowTheirVariables) {
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

// A host's storage may hold what no variable may: every step that could hide a non-finite value
// (a function, a divisor, either operand of "^") must leave it to the tree, which raises.
TEST_P(CompiledTest, NonFiniteHostValuesFailAsTheTreeDoes) {
    double a = 0, b = 1.0;
    interpreter.BindVariable("a", &a);
    interpreter.BindVariable("b", &b);
    const double values[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    const char* const texts[] = {"exp(a)",    "ArcTan(a)+b", "b/a",       "a^0",           "b^a",
                                 "Sin(a)*0", "exp(-a)*b",   "sqrt(a)+b", "exp(b)+exp(a)", "b*exp(a)-b/a"};
    for (double value : values) {
        a = value;
        for (const char* text : texts) ExpectSameAsTree(text);
    }
}

// The double-only form keeps the variables its references were bound to from one run to the
// next; every change in between must show, and a freed variable must never be read.
TEST_P(CompiledTest, KeptBindingsFollowEveryChange) {
    double host = 4.0;
    std::int32_t hostInt = 3;
    interpreter.SetOnUnknownSymbol([](TMathInterpreter&, const std::string&, const Variant&, Variant& v) {
        v = VarFromReal(1.0);
    });
    Run("a=0.5; b=2.0");
    const int h = interpreter.PrepareExpression("a*b+a");
    const struct {
        const char* step;
        std::function<void()> change;
        const char* expected;
    } steps[] = {
        {"first run", [] {}, "double 1.5"},
        {"a written", [&] { interpreter.SetVariables("a", VarFromReal(1.5)); }, "double 4.5"},
        {"a bound", [&] { interpreter.BindVariable("a", &host); }, "double 12.0"},
        {"host writes", [&] { host = 1.0; }, "double 3.0"},
        {"a unbound", [&] { interpreter.UnbindVariable("a"); host = 8.0; }, "double 3.0"},
        {"a an integer", [&] { interpreter.SetVariables("a", VarFromInt(3)); }, "double 9.0"},
        {"a a double again", [&] { interpreter.SetVariables("a", VarFromReal(2.5)); }, "double 7.5"},
        {"b bound to an integer", [&] { interpreter.BindVariable("b", &hostInt); }, "double 10.0"},
        {"b unbound", [&] { interpreter.UnbindVariable("b"); hostInt = 5; }, "double 10.0"},
        {"b a double again", [&] { interpreter.SetVariables("b", VarFromReal(2.0)); }, "double 7.5"},
        {"a deleted and made anew", [&] { Run("delete a; a=9.0"); }, "double 3.0"},
        {"table reloaded", [&] { interpreter.LoadSymbolsFromString("a=5.0; b=6.0"); }, "double 2.0"},
    };
    for (const auto& s : steps) {
        s.change();
        EXPECT_EQ(Outcome([&] { return interpreter.ExecutePreparedExpression(h); }), s.expected) << s.step;
    }
}

// Several prepared expressions, some freed and prepared again under a handle whose earlier
// program had found its places: after every change each one gives what its text gives.
TEST_P(CompiledTest, ReusedHandlesFollowEveryChange) {
    double host = 4.0;
    Run("a=0.5; b=2.0");
    const char* const texts[] = {"a*b", "a+b", "b-a/b"};
    std::vector<int> handles;
    for (const char* text : texts) handles.push_back(interpreter.PrepareExpression(text));
    const auto again = [&](std::size_t i) {
        interpreter.FreePreparedExpression(handles[i]);
        handles[i] = interpreter.PrepareExpression(texts[i]);
    };
    const struct {
        const char* step;
        std::function<void()> change;
    } steps[] = {
        {"first runs", [] {}},
        {"one prepared again", [&] { again(1); }},
        {"a an integer", [&] { interpreter.SetVariables("a", VarFromInt(3)); }},
        {"prepared again before it ran", [&] { again(1); again(1); }},
        {"a a double again", [&] { interpreter.SetVariables("a", VarFromReal(1.5)); }},
        {"all cleared and prepared", [&] {
             interpreter.ClearPreparedExpressions();
             for (std::size_t i = 0; i < handles.size(); ++i) handles[i] = interpreter.PrepareExpression(texts[i]);
         }},
        {"b bound", [&] { interpreter.BindVariable("b", &host); }},
        {"host writes", [&] { host = 8.0; }},
        {"the last prepared again, b unbound", [&] { again(2); interpreter.UnbindVariable("b"); }},
    };
    for (const auto& s : steps) {
        s.change();
        for (std::size_t i = 0; i < handles.size(); ++i)
            EXPECT_EQ(Outcome([&] { return interpreter.ExecutePreparedExpression(handles[i]); }),
                      Outcome([&] { return interpreter.ExecuteExpression(texts[i]); }))
                << s.step << ": " << texts[i];
    }
    EXPECT_EQ(handles, (std::vector<int>{0, 1, 2}));
}

// Formulas longer and deeper than the registers hold: more than 16 distinct variables with calls
// between them, values kept on the stack across 24 levels, and a chain of 40 functions.
std::string ManyVariables() {
    std::string text = "v0";
    for (int i = 1; i < 20; ++i) text += (i % 3 ? "*v" : "+sin(v") + std::to_string(i) + (i % 3 ? "" : ")");
    return text;
}
std::string RightNested() {
    std::string text;
    for (int i = 0; i < 24; ++i) text += std::string(1, static_cast<char>('a' + i % 6)) + (i % 2 ? "*(" : "+(");
    return text + "a" + std::string(24, ')');
}
std::string FunctionChain() {
    std::string text;
    for (int i = 0; i < 40; ++i) text += i % 2 ? "cos(" : "sin(";
    return text + "a" + std::string(40, ')');
}

// The places where a non-finite intermediate could turn finite again, -0, "^" at zero, the
// square (a product, where "^" takes pow otherwise) and constant divisors that become factors
// (down to results below the normal range): each
// formula against the tree, with doubles, with integers, and with kinds the programs leave.
TEST_P(CompiledTest, EdgeCasesMatchTheTree) {
    const std::string generated[] = {ManyVariables(), RightNested(), FunctionChain()};
    const char* const texts[] = {
        "a/(b-b)", "(b-b)/(b-b)", "a/(1e308*a*10)", "a/(1e308*1e308)", "(a-b)/(1e308*b*10)", "1e308*a*10",
        "1e308*a*10-1e308*a*10", "(-a)^0.5", "a^1e5", "(1e308*a*10)^0", "0^(1e308*a*10)", "(a-a)^-1",
        "0.0^-1.5", "(a-a)^(-a)", "(-(a-a))^-2", "0^(a-a)", "(a-a)^0.5", "-(a-a)", "(a-a)*-1", "-(a-a)/a",
        "sin(-(a-a))", "sqrt(-(a-a))", "-sin(a-a)", "sin(1e308*a*10)", "exp(a*1000)", "exp(a*1000)*0",
        "1/exp(a*1000)", "ln(a-a)", "1/ln(a-a)", "sqrt(-a)", "sqrt(-a)*0", "abs(-a)^-(a-a)", "-a^2", "a",
        "-a", "2.5", "Pi*a/b-c", "a^2", "a^b", "c^2", "(a*d)^2", "a^(b*e)",
        "abs(-(a-a))", "sqr(-(a-a))", "ln(1-(a-a))", "log2(1-(a-a))", "arccos(1-(a-a))", "exp(-(a-a))",
        "exp(-a*1e5)", "cos(-(a-a))", "cosh(-(a-a))", "tan(-(a-a))", "arctan(-(a-a))", "-exp(-a*1e5)",
        "a/2", "a/-0.25", "a/3", "a*1e-307/16", "a/2^-1022", "a/2^-1023", "a*1e300/2^-20", "(a-a)/-4",
    };
    const char* const inputs[] = {
        "a=1.5; b=2.5; c=-0.5; d=4.0; e=0.25; f=-3.0",
        "a=0.0; b=-0.0; c=0.0; d=1.0; e=-1.0; f=2.0",
        "a=3; b=2; c=-1; d=0; e=7; f=1",
        "a=1.5; b=2; c='x'; d=true; e=1; f=0.5",
        // bases whose square pow gives one unit off
        "a=4.0916153368951607e+27; b=2.0; c=8.682451573499874e+100; d=0.5; e=1.5; f=-2.0",
    };
    for (const char* input : inputs) {
        interpreter.ClearSymbols();
        Run(input);
        for (int i = 0; i < 20; ++i) Run("v" + std::to_string(i) + " = " + std::to_string(0.25 + 0.125 * i));
        SCOPED_TRACE(input);
        for (const char* text : texts) ExpectSameAsTree(text);
        for (const std::string& text : generated) ExpectSameAsTree(text);
    }
}

// Where the build has machine code, it is made (unless switched off) and reads each variable
// afresh from its place, once however often the program names it.
TEST(MachineCodeTest, IsMadeWhenSwitchedOnAndReadsThroughPlaces) {
    if (!MachineCode::BuiltIn()) GTEST_SKIP() << "built without machine code";
    const bool was = MachineCode::Enabled();
    using K = FastPostfix::Kind;
    // a*b+a over the places 0, 1, 0
    const std::vector<FastPostfix> program = {
        {K::Variable, FastStep::Negate, 0, 0, nullptr},
        {K::Variable, FastStep::Negate, 0, 1, nullptr},
        {K::Operation, FastStep::Multiply, 0, 0, nullptr},
        {K::Variable, FastStep::Negate, 0, 0, nullptr},
        {K::Operation, FastStep::Add, 0, 0, nullptr},
    };
    MachineCode::SetEnabled(false);
    EXPECT_EQ(MachineCode::Build(program), nullptr);
    MachineCode::SetEnabled(true);
    const auto code = MachineCode::Build(program);
    MachineCode::SetEnabled(was);
    ASSERT_NE(code, nullptr);
    double a = 1.5, b = 4.0;
    const double* places[] = {&a, &b};
    EXPECT_EQ(code->Entry()(nullptr, places), 7.5);
    a = -0.5;
    EXPECT_EQ(code->Entry()(nullptr, places), -2.5);
    places[0] = &b;
    EXPECT_EQ(code->Entry()(nullptr, places), 20.0);
    b = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(code->Entry()(nullptr, places)));
}

}  // namespace
}  // namespace tolvex::test
