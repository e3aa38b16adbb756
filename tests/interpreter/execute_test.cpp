// Statement lists, the Expression property and the component's fixed messages.
#include "tolvex/framework/application.h"
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using ExecuteTest = InterpreterTest;

// "kind text" of every element of an Execute result, joined by " | ".
std::string Elements(const Variant& result) {
    std::string out;
    for (const Variant& v : result.Elements()) out += (out.empty() ? "" : " | ") + Describe(v);
    return out;
}

TEST_F(ExecuteTest, SplitsStatementLists) {
    const Case cases[] = {
        {"", "empty "},
        {"1;2", "integer 1 | integer 2"},
        {"1;;2", "integer 1 | integer 2"},
        {";1;2;", "integer 1 | integer 2"},
        {"1; ", "integer 1 | null "},
        {"x=2; x*3", "integer 2 | integer 6"},
        // A ";" inside a string literal belongs to the string.
        {"s='a;b'; s", "string a;b | string a;b"},
        {"\"x;'y\"; 'it'';s'", "string x;'y | string it';s"},
    };
    for (const Case& c : cases) EXPECT_EQ(Elements(interpreter.Execute(c.text)), c.expected) << "text: " << c.text;
}

TEST_F(ExecuteTest, UnclosedStringRunsToTheEnd) {
    TStringList errors;
    EXPECT_EQ(Elements(interpreter.Execute("1; 'a;b", &errors)), "integer 1 | null ");
    EXPECT_EQ(errors.Text(), "ParseString() Unclosed string starting at position: 2.\r\n");
    interpreter.SetEscapeChar('\\');
    EXPECT_EQ(Elements(interpreter.Execute("'a\\';b'; 2")), "string a';b | integer 2");
}

TEST_F(ExecuteTest, ErrorListCollectsMessagesPerStatement) {
    TStringList errors;
    errors.Add("stale");
    EXPECT_EQ(Elements(interpreter.Execute("x;1", &errors)), "null  | integer 1");
    EXPECT_EQ(errors.Text(), "TMVarRef.GetValue() Referenced symbol: \"x\" is not defied, position: 1.\r\n");
    // Positions count from the start of the failing statement.
    EXPECT_EQ(MessageOf([&] { interpreter.Execute("1;2$"); }),
              "TMathInterpreter.Parse() Unknown char - ASCII code: #36, on position: 2.");
    EXPECT_EQ(MessageOf([&] { interpreter.Execute("x;1"); }),
              "TMVarRef.GetValue() Referenced symbol: \"x\" is not defied, position: 1.");
    // Changes made before a failure stay.
    EXPECT_EQ(MessageOf([&] { interpreter.Execute("a=1; b=c; d=2"); }),
              "TMVarRef.GetValue() Referenced symbol: \"c\" is not defied, position: 4.");
    EXPECT_TRUE(interpreter.SymbolExists("a"));
    EXPECT_FALSE(interpreter.SymbolExists("d"));
}

TEST_F(ExecuteTest, BatchesKeepEveryResultInOrder) {
    for (int count : {255, 256, 257, 300, 512, 513}) {
        std::string text;
        for (int i = 0; i < count; ++i) text += std::to_string(i) + ";";
        Variant result = interpreter.Execute(text);
        ASSERT_EQ(VarArrayHighBound(result), count - 1) << count;
        for (int i = 0; i < count; ++i) ASSERT_EQ(VarToInt(VarArrayGet(result, i)), i) << count;
    }
}

TEST_F(ExecuteTest, ExpressionPropertyAtRunTime) {
    interpreter.SetExpression("6*7");
    EXPECT_EQ(interpreter.GetExpressionResult(), "42");
    EXPECT_EQ(MessageOf([&] { interpreter.SetExpression("1+$"); }),
              "TMathInterpreter.Parse() Unknown char - ASCII code: #36, on position: 3.");
    EXPECT_EQ(interpreter.Expression(), "1+$");
    EXPECT_EQ(interpreter.GetExpressionResult(), "");
}

TEST_F(ExecuteTest, ExpressionPropertyAtDesignTime) {
    std::vector<std::string> shown;
    TExceptionHandler previous =
        Application().SetExceptionHandler([&](const Exception& e) { shown.push_back(e.Message()); });
    interpreter.SetDesigning(true);
    interpreter.SetExpression("nope");
    Application().SetExceptionHandler(previous);
    const std::string message = "TMVarRef.GetValue() Referenced symbol: \"nope\" is not defied, position: 1.";
    EXPECT_EQ(interpreter.GetExpressionResult(), message);
    EXPECT_EQ(shown, std::vector<std::string>{message});
}

TEST_F(ExecuteTest, DisplayOnlyProperties) {
    EXPECT_EQ(MessageOf([&] { interpreter.SetExpressionResult("x"); }),
              "TMathInterpreter.ExpressionResult property is for display purposes only.");
    EXPECT_EQ(MessageOf([&] { interpreter.SetDumpText("x"); }),
              "TMathInterpreter.DumpText property is for display purposes only.");
}

TEST_F(ExecuteTest, DefaultsOfANewInterpreter) {
    TComponent owner;
    auto* owned = new TMathInterpreter(&owner);  // freed by its owner
    EXPECT_EQ(owned->Owner(), &owner);
    EXPECT_FALSE(owned->CaseSensitiveSymbols());
    EXPECT_EQ(owned->DumpFormat(), TDumpFormat{dfQualified});
    EXPECT_EQ(owned->EscapeChar(), '\0');
    EXPECT_EQ(owned->MaxFunctionNesting(), 1000u);
    EXPECT_EQ(owned->NestingDepth(), 0u);
    EXPECT_EQ(owned->SymbolCount(), 0);
    EXPECT_TRUE(owned->ExecuteExpression("").IsNull());
}

}  // namespace
}  // namespace tolvex::test
