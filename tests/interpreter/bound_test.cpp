// Variables bound to host storage: reads, writes, prepared expressions, saving, removal.
#include <cmath>
#include <limits>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

class BoundTest : public InterpreterTest {
protected:
    void SetUp() override {
        interpreter.BindVariable("x", &x);
        interpreter.BindVariable("n", &n);
    }
    double x = 1.5;
    std::int32_t n = 7;
};

TEST_F(BoundTest, ReadsAndWritesTheHostStorage) {
    const Case cases[] = {
        {"x", "double 1.5"},
        {"n", "integer 7"},
        {"x = 4", "integer 4"},          // the statement's value; the storage holds 4.0
        {"x", "double 4.0"},
        {"n = n * 3", "integer 21"},
        {"n = 10 / 2", "double 5.0"},    // an integral double fits
        {"n", "integer 5"},
        {"x = 'a'", "TMAssignValue.GetValue() Error on position: 3, while trying to assign a value to position: 1. "
                    "Error message: \"TMVar.SetValue() Variable \"x\" is bound to host storage of type double and "
                    "can't hold a string.\"."},
        {"n = 2.5", "TMAssignValue.GetValue() Error on position: 3, while trying to assign a value to position: 1. "
                    "Error message: \"TMVar.SetValue() Variable \"n\" is bound to host storage of type int32 and "
                    "can't hold 2.5.\"."},
        {"n = true", "TMAssignValue.GetValue() Error on position: 3, while trying to assign a value to position: 1. "
                     "Error message: \"TMVar.SetValue() Variable \"n\" is bound to host storage of type int32 and "
                     "can't hold a boolean.\"."},
        {"delete x", "TMathInterpreter.ProcessExpressionKeywords() Delete - parameter on index: 0, position: 8, "
                     "references bound variable: \"x\", which only the host can remove."},
        {"x := 1", "TMAssignSymbolic.PullOperands() Symbol \"x\" (position: 1) is a bound variable of the host and "
                   "can't be redefined."},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << c.text;
    EXPECT_EQ(x, 4.0);
    EXPECT_EQ(n, 5);
}

TEST_F(BoundTest, HostChangesShowInPreparedExpressionsAndHandles) {
    const int formula = interpreter.PrepareExpression("x * 2 + n");
    const int handle = interpreter.GetVariableHandles("x");
    for (double value : {0.0, -3.25, 1e10}) {
        x = value;
        EXPECT_EQ(VarToReal(interpreter.ExecutePreparedExpression(formula)), value * 2 + n) << value;
        EXPECT_EQ(VarToReal(interpreter.GetVariablesByHandle(handle)), value);
    }
    interpreter.SetVariablesByHandle(handle, VarFromInt(3));
    EXPECT_EQ(x, 3.0);
}

TEST_F(BoundTest, NonFiniteHostValuesFailAsArithmetic) {
    const int formula = interpreter.PrepareExpression("x + 1");
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {std::numeric_limits<double>::infinity(), "Floating point overflow"},
        {std::numeric_limits<double>::quiet_NaN(), "Invalid floating point operation"},
    };
    for (const auto& c : cases) {
        x = c.value;
        EXPECT_EQ(MessageOf([&] { interpreter.ExecutePreparedExpression(formula); }), c.expected);
        EXPECT_EQ(Run("x"), c.expected);
    }
}

TEST_F(BoundTest, SavesItsCurrentValueAndSurvivesLoading) {
    x = 2.5;
    interpreter.ExecuteExpression("y = 1");
    EXPECT_EQ(interpreter.DumpStreamable(), "x=2.5;\r\nn=7;\r\ny=1");
    TMemoryStream stream;
    const std::string text = "x=8.0;\r\nz=n+1";
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    stream.SetPosition(0);
    interpreter.LoadSymbolsFromStream(stream);
    EXPECT_EQ(x, 8.0);  // the load wrote through the binding
    EXPECT_EQ(Run("y"), "TMVarRef.GetValue() Referenced symbol: \"y\" is not defied, position: 1.");
    EXPECT_EQ(Run("z"), "integer 8");
    interpreter.ClearSymbols();
    EXPECT_EQ(interpreter.SymbolCount(), 2);
}

TEST_F(BoundTest, UnbindingKeepsTheValue) {
    x = 6.0;
    interpreter.UnbindVariable("x");
    x = 1.0;
    EXPECT_EQ(Run("x"), "double 6.0");
    EXPECT_EQ(Run("delete x"), "null ");
    EXPECT_EQ(MessageOf([&] { interpreter.UnbindVariable("x"); }),
              "TMathInterpreter.UnbindVariable() \"x\" is no bound variable.");
}

TEST_F(BoundTest, NamesThatCannotBeBound) {
    double d = 0;
    interpreter.ExecuteExpression("f(a) := a");
    const Case cases[] = {
        {"sin", "TMathInterpreter.BindVariable() \"sin\" is the name of a built-in function."},
        {"Div", "TMathInterpreter.BindVariable() \"Div\" is a keyword."},
        {"2x", "TMathInterpreter.BindVariable() \"2x\" is not an identifier."},
        {"", "TMathInterpreter.BindVariable() \"\" is not an identifier."},
        {"f", "TMathInterpreter.BindVariable() Symbol: \"f\" has type: \"TMFunction\", but type \"TMVar\" is required."},
    };
    for (const Case& c : cases) EXPECT_EQ(MessageOf([&] { interpreter.BindVariable(c.text, &d); }), c.expected) << c.text;
    EXPECT_EQ(MessageOf([&] { interpreter.BindVariable("q", static_cast<double*>(nullptr)); }),
              "TMathInterpreter.BindVariable() Storage of \"q\" is null.");
}

}  // namespace
}  // namespace tolvex::test
