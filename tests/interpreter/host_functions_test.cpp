// Functions and constants the host defines in C++.
#include <stdexcept>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

class HostFunctionTest : public InterpreterTest {
protected:
    void SetUp() override {
        interpreter.DefineFunction("clamp", 3, [](std::span<const Variant> a) {
            return Variant(std::min(std::max(VarToReal(a[0]), VarToReal(a[1])), VarToReal(a[2])));
        });
        interpreter.DefineFunction("first", TArity::AtLeast(1), [](std::span<const Variant> a) { return a[0]; });
        interpreter.DefineFunction("count", TArity::AtLeast(0), [](std::span<const Variant> a) {
            return Variant(static_cast<std::int32_t>(a.size()));
        });
        interpreter.DefineFunction("calls", 0, [this](std::span<const Variant>) { return Variant(++calls); });
        interpreter.DefineFunction("fails", 1, [](std::span<const Variant> a) -> Variant {
            if (VarToInt(a[0]) == 1) throw std::runtime_error("bad input");
            if (VarToInt(a[0]) == 2) throw 42;
            return Variant(1.0 / 0.0 * VarToInt(a[0]));
        });
        interpreter.DefineConstant("g0", VarFromReal(9.80665));
    }
    std::int32_t calls = 0;
};

TEST_F(HostFunctionTest, CallsAndConstants) {
    const Case cases[] = {
        {"clamp(5, 0, 2)", "double 2.0"},
        {"CLAMP(-1, 0, 2)", "double 0.0"},        // names follow the table's case rule
        {"first('a', 'b', 'c')", "string a"},    // written order
        {"count()", "integer 0"},
        {"count(1, 2, 3, 4, 5, 6, 7, 8, 9, 10)", "integer 10"},
        {"calls + calls", "integer 3"},
        {"g0 * 2", "double 19.6133"},
        {"h(x) := clamp(x, 0, 1) + first(x); h(7)", "double 8.0"},
        {"clamp(1)", "TMFunctionCall.Rewire() Host function \"clamp\" (position: 1) takes 3 argument(s), not 1."},
        {"2 + first()", "TMFunctionCall.Rewire() Host function \"first\" (position: 5) takes at least 1 argument(s), not 0."},
        {"clamp + 1", "TMFunctionCall.Rewire() Host function \"clamp\" (position: 1) takes 3 argument(s), not 0."},
        {"k(x) := clamp(x)", "TMFunctionCall.Rewire() Host function \"clamp\" (position: 9) takes 3 argument(s), not 1."},
        {"fails(1)", "TMFunctionCall.GetValue() Host function \"fails\" (position: 1) failed: bad input"},
        {"1 + fails(2)", "TMFunctionCall.GetValue() Host function \"fails\" (position: 5) failed: unknown exception"},
        {"fails('x')", "TMFunctionCall.GetValue() Host function \"fails\" (position: 1) failed: 'x' is not a valid integer value"},
        {"fails(3)", "Floating point overflow"},
        {"fails(0)", "Invalid floating point operation"},
        {"g0 = 1", "TMAssignValue.GetValue() Symbol \"g0\" (position: 1) is a constant of the host and can't be assigned."},
        {"clamp = 1", "TMFunctionCall.Rewire() Host function \"clamp\" (position: 1) takes 3 argument(s), not 0."},
        {"calls = 1", "TMAssignValue.GetValue() Symbol \"calls\" (position: 1) is a host function of the host and can't be assigned."},
        {"g0 := 1", "TMAssignSymbolic.PullOperands() Symbol \"g0\" (position: 1) is a constant of the host and can't be redefined."},
        {"clamp(a, b, c) := a", "TMAssignSymbolic.PullOperands() Symbol \"clamp\" (position: 1) is a host function of the host and can't be redefined."},
        {"delete clamp", "TMathInterpreter.ProcessExpressionKeywords() Delete - parameter on index: 0, position: 8, "
                         "references host function: \"clamp\", which only the host can remove."},
        {"delete g0", "TMathInterpreter.ProcessExpressionKeywords() Delete - parameter on index: 0, position: 8, "
                      "references constant: \"g0\", which only the host can remove."},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << c.text;
    EXPECT_EQ(Run("calls"), "integer 3");  // the interpreter stays usable after every failure
}

TEST_F(HostFunctionTest, DefinitionsThatFail) {
    const auto fn = [](std::span<const Variant>) { return Variant(1); };
    interpreter.ExecuteExpression("v = 1");
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"sin", "TMathInterpreter.DefineFunction() \"sin\" is the name of a built-in function."},
        {"IfF", "TMathInterpreter.DefineFunction() \"IfF\" is the name of a built-in function."},
        {"mod", "TMathInterpreter.DefineFunction() \"mod\" is a keyword."},
        {"TRUE", "TMathInterpreter.DefineFunction() \"TRUE\" is a keyword."},
        {"a b", "TMathInterpreter.DefineFunction() \"a b\" is not an identifier."},
        {"v", "TMathInterpreter.DefineFunction() Symbol: \"v\" already exists."},
        {"clamp", "TMathInterpreter.DefineFunction() Symbol: \"clamp\" already exists."},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageOf([&] { interpreter.DefineFunction(c.name, 1, fn); }), c.expected) << c.name;
    EXPECT_EQ(MessageOf([&] { interpreter.DefineConstant("pi", Variant(3)); }),
              "TMathInterpreter.DefineConstant() \"pi\" is the name of a built-in function.");
    EXPECT_EQ(MessageOf([&] { interpreter.DefineConstant("c", Variant(std::numeric_limits<double>::infinity())); }),
              "Floating point overflow");
    EXPECT_EQ(MessageOf([&] { interpreter.DefineFunction("f", -1, fn); }),
              "TMathInterpreter.DefineFunction() Function \"f\" needs a callable and a count of at least 0.");
    interpreter.DefineConstant("g0", Variant(1));  // the host may change its own constant
    EXPECT_EQ(Run("g0"), "integer 1");
}

TEST_F(HostFunctionTest, SavedTextLoadsWhereTheHostDefinedThemAgain) {
    interpreter.Execute("x = 2; h(a) := clamp(a, 0, x) * g0");
    EXPECT_EQ(interpreter.DumpStreamable(), "x=2;\r\nh(a):=clamp(a,0,x)*g0");
    EXPECT_EQ(interpreter.GetDumpText(),
              "clamp(3 argument(s));\r\nfirst(at least 1 argument(s));\r\ncount(at least 0 argument(s));\r\n"
              "calls(0 argument(s));\r\nfails(1 argument(s));\r\ng0=9.80665;\r\nx=2;\r\nh(a):=clamp(h.a,0,x)*g0");
    EXPECT_EQ(interpreter.DumpSymbol("g0", {dfDetailed}), "TMConstant[\"g0\"](9.80665)");
    const std::string saved = interpreter.DumpStreamable();
    interpreter.ClearSymbols();  // the host's definitions stay
    EXPECT_EQ(interpreter.SymbolCount(), 6);
    interpreter.Execute(saved);
    EXPECT_EQ(Run("h(5)"), "double 19.6133");

    TMathInterpreter bare;  // without the host's definitions the calls stay unknown
    bare.Execute(saved);
    EXPECT_EQ(MessageOf([&] { bare.ExecuteExpression("h(1)"); }),
              "TMFunctionCall.GetValue() Undefined function reference: \"clamp\", position: 9. Most outer function: \"h\".");
    bare.DefineFunction("clamp", 3, [](std::span<const Variant>) { return Variant(1); });
    bare.DefineConstant("g0", Variant(2));
    EXPECT_EQ(MessageOf([&] { bare.ExecuteExpression("h(1)"); }), "(no error)");
    EXPECT_EQ(VarToInt(bare.ExecuteExpression("h(1)")), 2);
}

TEST_F(HostFunctionTest, DefiningBindsBodiesAndRefusesWrongCounts) {
    interpreter.Execute("p(a) := later(a) + 1");
    EXPECT_EQ(MessageOf([&] {
                  interpreter.DefineFunction("later", 2, [](std::span<const Variant>) { return Variant(1); });
              }),
              "TMFunctionCall.Rewire() Host function \"later\" (position: 9) takes 2 argument(s), not 1.");
    EXPECT_FALSE(interpreter.SymbolExists("later"));
    interpreter.DefineFunction("later", 1, [](std::span<const Variant> a) { return VarMul(a[0], Variant(10)); });
    EXPECT_EQ(Run("p(4)"), "integer 41");
    interpreter.Undefine("later");
    EXPECT_EQ(Run("p(4)"), "TMFunctionCall.GetValue() Undefined function reference: \"later\", position: 9. "
                           "Most outer function: \"p\".");
    EXPECT_EQ(MessageOf([&] { interpreter.Undefine("p"); }), "TMathInterpreter.Undefine() \"p\" is not defined by the host.");
}

TEST_F(HostFunctionTest, PreparedCallsRunTheCallableEachTime) {
    const int formula = interpreter.PrepareExpression("clamp(calls, 0, 100) * 10");
    EXPECT_EQ(VarToStr(interpreter.ExecutePreparedExpression(formula)), "10.0");
    EXPECT_EQ(VarToStr(interpreter.ExecutePreparedExpression(formula)), "20.0");
    interpreter.Undefine("calls");  // unbound from the prepared tree, then asked of the handler
    EXPECT_EQ(MessageOf([&] { interpreter.ExecutePreparedExpression(formula); }),
              "TMVarRef.GetValue() Referenced symbol: \"calls\" is not defied, position: 7.");
}

TEST_F(HostFunctionTest, CallablesMayCallBackIntoTheInterpreter) {
    interpreter.DefineFunction("eval", 1, [this](std::span<const Variant> a) {
        return interpreter.ExecuteExpression(VarToStr(a[0]));
    });
    EXPECT_EQ(Run("eval('2 * g0')"), "double 19.6133");
    EXPECT_EQ(Run("eval('delete x')"),
              "TMFunctionCall.GetValue() Host function \"eval\" (position: 1) failed: "
              "TMathInterpreter.ProcessExpressionKeywords() Delete - parameter on index: 0, position: 8, "
              "references non-existent symbol: \"x\".");
}

}  // namespace
}  // namespace tolvex::test
