#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

class ScannerTest : public InterpreterTest {
protected:
    // "Class@position" of every scanned item, joined by blanks; or the error message.
    std::string Scan(const std::string& text) {
        try {
            TMItems items;
            interpreter.ParseExpression(text, items);
            std::string out;
            for (int i = 0; i < items.Count(); ++i) {
                TMItem* item = items.Get(i);
                if (!out.empty()) out += ' ';
                out += std::string(item->ClassName()) + "@" + std::to_string(item->ParsePosition);
                if (auto* lit = dynamic_cast<TMLiteral*>(item)) out += "(" + Describe(lit->Value()) + ")";
            }
            return out;
        } catch (const Exception& e) {
            return e.Message();
        }
    }
};

TEST_F(ScannerTest, TokensAndPositions) {
    const Case cases[] = {
        {"", ""},
        {" \t\r\n", ""},
        {"a<=b", "TMVarRef@1 TMLessOrEqual@2 TMVarRef@4"},
        {"x:=1", "TMVarRef@1 TMAssignSymbolic@3 TMLiteral@4(integer 1)"},
        {"a=1", "TMVarRef@1 TMAssignValue@2 TMLiteral@3(integer 1)"},
        {"a==1", "TMVarRef@1 TMEqual@2 TMLiteral@4(integer 1)"},
        {"a!=1", "TMVarRef@1 TMNotEqual@2 TMLiteral@4(integer 1)"},
        {"a<>b", "TMVarRef@1 TMLess@2 TMLarger@3 TMVarRef@4"},
        {"a>=b>c", "TMVarRef@1 TMLargerOrEqual@2 TMVarRef@4 TMLarger@5 TMVarRef@6"},
        {"f(1)", "TMFunctionCall@1 TMLeftBracket@2 TMLiteral@3(integer 1) TMRightBracket@4"},
        {"sin(1)", "TMSin@1 TMLeftBracket@4 TMLiteral@5(integer 1) TMRightBracket@6"},
        {"pi-1", "TMPi@1 TMLiteral@4(integer -1)"},
        {"- 5", "TMLiteral@3(integer -5)"},
        {"a - 5", "TMVarRef@1 TMMinus@3 TMLiteral@5(integer 5)"},
        {"a*-5", "TMVarRef@1 TMMultiply@2 TMLiteral@4(integer -5)"},
        {"--3", "TMLiteral@3(integer 3)"},
        {"-x", "TMUnaryMinus@1 TMVarRef@2"},
        {"(-x)-y", "TMLeftBracket@1 TMUnaryMinus@2 TMVarRef@3 TMRightBracket@4 TMMinus@5 TMVarRef@6"},
        {"f(1,-2)", "TMFunctionCall@1 TMLeftBracket@2 TMLiteral@3(integer 1) TMComma@4 TMLiteral@6(integer -2)"
                    " TMRightBracket@7"},
        {"+3", "TMPlus@1 TMLiteral@2(integer 3)"},
        {"2147483647", "TMLiteral@1(integer 2147483647)"},
        {"1.5e3 2E-1 1. 7e+2", "TMLiteral@1(double 1500.0) TMLiteral@7(double 0.2) TMLiteral@12(double 1.0)"
                               " TMLiteral@15(double 700.0)"},
        {"12abc", "TMLiteral@1(integer 12) TMVarRef@3"},
        {"2 ex", "TMLiteral@1(integer 2) TMVarRef@3"},
        {"TRUE False", "TMLiteral@1(boolean True) TMLiteral@6(boolean False)"},
        {"DIV Mod Delete RENAME nOt AND Or XOR shl SHR",
         "TMIntDiv@1 TMMod@5 TMDelete@9 TMRename@16 TMNot@23 TMAnd@27 TMOr@31 TMXor@34 TMShl@38 TMShr@42"},
        {"SIN Sine Pi2 _x1", "TMSin@1 TMVarRef@5 TMVarRef@10 TMVarRef@14"},
        {"'It''s'", "TMLiteral@1(string It's)"},
        {"\"say \"\"hi\"\" it's\"", "TMLiteral@1(string say \"hi\" it's)"},
        {"2^3*4/5", "TMLiteral@1(integer 2) TMPower@2 TMLiteral@3(integer 3) TMMultiply@4 TMLiteral@5(integer 4)"
                    " TMDivide@6 TMLiteral@7(integer 5)"},
    };
    for (const Case& c : cases) EXPECT_EQ(Scan(c.text), c.expected) << "text: " << c.text;
}

TEST_F(ScannerTest, Messages) {
    const Case cases[] = {
        {"a!1", "TMathInterpreter.ParseExpression() After \"!\", \"=\" is expected on position: 3."},
        {"a!", "TMathInterpreter.ParseExpression() After \"!\", \"=\" is expected on position: 3."},
        {"a:1", "TMathInterpreter.Parse() \":=\" expected, but only \":\" found on position: 2"},
        {"2147483648", "TMathInterpreter.Parse() Bad number literal: \"2147483648\" on position: 11."},
        {"-2147483648", "TMathInterpreter.Parse() Bad number literal: \"2147483648\" on position: 12."},
        {"1e", "TMathInterpreter.Parse() Bad number literal: \"1e\" on position: 3."},
        {"1e+", "TMathInterpreter.Parse() Bad number literal: \"1e+\" on position: 4."},
        {"2ex", "TMathInterpreter.Parse() Bad number literal: \"2e\" on position: 3."},
        {"1e999", "TMathInterpreter.Parse() Bad number literal: \"1e999\" on position: 6."},
        {"1.2.3", "TMathInterpreter.Parse() Unknown char - ASCII code: #46, on position: 4."},
        {".5", "TMathInterpreter.Parse() Unknown char - ASCII code: #46, on position: 1."},
        {"1;2", "TMathInterpreter.Parse() Unknown char - ASCII code: #59, on position: 2."},
        {"#", "TMathInterpreter.Parse() Unknown char - ASCII code: #35, on position: 1."},
        {"a\xff", "TMathInterpreter.Parse() Unknown char - ASCII code: #255, on position: 2."},
        {"'abc", "ParseString() Unclosed string starting at position: 1."},
        {"x+\"a'", "ParseString() Unclosed string starting at position: 3."},
    };
    for (const Case& c : cases) EXPECT_EQ(Scan(c.text), c.expected) << "text: " << c.text;
    EXPECT_EQ(Scan(std::string("\0", 1)), "TMathInterpreter.Parse() Unknown char - ASCII code: #0, on position: 1.");
}

TEST_F(ScannerTest, EscapeCharacter) {
    interpreter.SetEscapeChar('\\');
    const Case cases[] = {
        {"'a\\'b'", "TMLiteral@1(string a'b)"},
        {"'a\\\\b'", "TMLiteral@1(string a\\b)"},
        {"'a\\;'", "TMLiteral@1(string a;)"},
        {"'a\\", "ParseString() Stand-alone escape char at position: 4."},
        {"'a\\'", "ParseString() Stand-alone escape char at position: 4."},
    };
    for (const Case& c : cases) EXPECT_EQ(Scan(c.text), c.expected) << "text: " << c.text;
    // An escape character equal to the quote has no effect: the quote test comes first.
    interpreter.SetEscapeChar('\'');
    EXPECT_EQ(Scan("'a''b'"), "TMLiteral@1(string a'b)");
}

TEST_F(ScannerTest, DebugParseExpressionAppendsClassNames) {
    TStringList lines;
    lines.Add("kept");
    interpreter.DebugParseExpression("a+1", lines);
    ASSERT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Text(), "kept\r\nTMVarRef\r\nTMPlus\r\nTMLiteral\r\n");
    EXPECT_EQ(MessageOf([&] { interpreter.DebugParseExpression("a$", lines); }),
              "TMathInterpreter.Parse() Unknown char - ASCII code: #36, on position: 2.");
}

}  // namespace
}  // namespace tolvex::test
