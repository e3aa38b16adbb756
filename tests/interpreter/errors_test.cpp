// Errors as fields: code, position, statement and source, with the message left as documented.
#include <algorithm>
#include <limits>
#include <sstream>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

struct ErrorCase {
    const char* text;
    TErrorCode code;
    int position;
};

TEST_F(InterpreterTest, ErrorsCarryCodeAndPosition) {
    interpreter.ExecuteExpression("f(a) := a");
    interpreter.DefineConstant("c", Variant(1));
    const ErrorCase cases[] = {
        {"1 + #", TErrorCode::UnknownChar, 5},
        {"a :", TErrorCode::ColonWithoutEquals, 3},
        {"'abc", TErrorCode::UnclosedString, 1},
        {"1 + y", TErrorCode::UndefinedSymbol, 5},
        {"2 * g(1)", TErrorCode::UndefinedFunction, 5},
        {"f(1, 2)", TErrorCode::ArgumentCount, 1},
        {"(1 + 2", TErrorCode::UnclosedLeftBracket, 1},
        {"1 )", TErrorCode::UnclosedRightBracket, 3},
        {"delete q", TErrorCode::DeleteUnknownSymbol, 8},
        {"delete c", TErrorCode::DeleteHostSymbol, 8},
        {"c = 2", TErrorCode::HostSymbolAssigned, 1},
        {"1 / 0", TErrorCode::ZeroDivide, 0},
        {"StrToInt('x')", TErrorCode::ConvertError, 0},
        {"Round(1e20)", TErrorCode::RangeError, 0},
    };
    for (const ErrorCase& c : cases) {
        try {
            interpreter.ExecuteExpression(c.text);
            ADD_FAILURE() << c.text << ": no error";
        } catch (const Exception& e) {
            EXPECT_EQ(ErrorCodeName(e.Code()), std::string(ErrorCodeName(c.code))) << c.text << ": " << e.Message();
            EXPECT_EQ(e.Position(), c.position) << c.text << ": " << e.Message();
            EXPECT_EQ(e.StatementIndex(), 0) << c.text;
        }
    }
}

TEST_F(InterpreterTest, StatementListsAndLoadsKeepTheLocationOutOfTheMessage) {
    try {
        interpreter.Execute("x = 1; ; y = 2; x + zz");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "TMVarRef.GetValue() Referenced symbol: \"zz\" is not defied, position: 6.");
        EXPECT_EQ(e.StatementIndex(), 4);  // the blank statement counts, as it gives a result
        EXPECT_EQ(e.Source(), "");
        EXPECT_EQ(e.FullMessage(), e.Message());
    }
    std::istringstream text("a=1;\r\nb=(;\r\nc=3");
    try {
        interpreter.LoadSymbols(text, "stream \"demo\"");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Code(), TErrorCode::UnclosedLeftBracket);
        // The statement's text begins with the line break before it.
        EXPECT_EQ(e.Message(), "TMathInterpreter.RPN() Unclosed left bracket on position: 5.");
        EXPECT_EQ(e.Position(), 5);
        EXPECT_EQ(e.StatementIndex(), 2);
        EXPECT_EQ(e.Source(), "stream \"demo\"");
        EXPECT_EQ(e.FullMessage(), e.Message() + " Loading stream \"demo\", statement 2.");
    }
    EXPECT_EQ(interpreter.SaveSymbolsToString(), "a=1");
}

TEST_F(InterpreterTest, SymbolTextThroughStandardStreamsAndStrings) {
    interpreter.Execute("x = 2.5; s = 'a;b'; f(a) := a * x");
    std::ostringstream out;
    interpreter.SaveSymbols(out);
    EXPECT_EQ(out.str(), "x=2.5;\r\ns='a;b';\r\nf(a):=a*x");
    TMathInterpreter other;
    std::istringstream in(out.str());
    other.LoadSymbols(in);
    EXPECT_EQ(other.SaveSymbolsToString(), out.str());
    other.LoadSymbolsFromString("y = 1");
    EXPECT_EQ(other.SaveSymbolsToString(), "y=1");
    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    EXPECT_EQ(MessageOf([&] { interpreter.SaveSymbols(broken); }),
              "Stream write error: symbol text of 27 bytes not written.");
}

TEST_F(InterpreterTest, NonFiniteValuesNeverReachAVariable) {
    interpreter.ExecuteExpression("v = 1");
    const int handle = interpreter.GetVariableHandles("v");
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {std::numeric_limits<double>::infinity(), "Floating point overflow"},
        {-std::numeric_limits<double>::infinity(), "Floating point overflow"},
        {std::numeric_limits<double>::quiet_NaN(), "Invalid floating point operation"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf([&] { interpreter.SetVariables("v", Variant(c.value)); }), c.expected);
        EXPECT_EQ(MessageOf([&] { interpreter.SetVariablesByHandle(handle, Variant(c.value)); }), c.expected);
    }
    EXPECT_EQ(interpreter.DumpStreamable(), "v=1");
}

TEST_F(InterpreterTest, ReferencedNamesOfTextsAndPreparedExpressions) {
    interpreter.Execute("a = 1; f(p) := p + a");
    interpreter.DefineFunction("host", 1, [](std::span<const Variant> v) { return v[0]; });
    const struct {
        const char* text;
        const char* bound;
        const char* unbound;
    } cases[] = {
        {"a + q * sin(A) + host(r) + f(q)", "a host f", "q r"},
        {"g(x, y) := x * y + a + z", "a", "z"},
        {"n = m + 1", "", "n m"},
        {"1 + 2", "", ""},
    };
    const auto join = [](const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& n : names) text += (text.empty() ? "" : " ") + n;
        return text;
    };
    for (const auto& c : cases) {
        const TReferencedNames names = interpreter.ReferencedNames(c.text);
        EXPECT_EQ(join(names.bound), c.bound) << c.text;
        EXPECT_EQ(join(names.unbound), c.unbound) << c.text;
    }
    EXPECT_FALSE(interpreter.SymbolExists("g"));  // only scanned
    const int formula = interpreter.PrepareExpression("a * q + host(a)");
    interpreter.ExecuteExpression("q = 2");  // created after preparing: the tree stays unbound
    TReferencedNames names = interpreter.ReferencedNames(formula);
    std::sort(names.bound.begin(), names.bound.end());
    EXPECT_EQ(join(names.bound), "a host");
    EXPECT_EQ(join(names.unbound), "q");
    EXPECT_EQ(MessageOf([&] { interpreter.ReferencedNames(99); }),
              "TMathInterpreter.ReferencedNames() Invalid prepared expression handle.");
}

}  // namespace
}  // namespace tolvex::test
