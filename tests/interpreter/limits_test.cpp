// Resource limits: texts, values and names of any size end in a result or in a clear error of the
// system's type, never in an exhausted process.
#include "tolvex/interpreter/limits.h"
#include "tolvex/value/limits.h"
#include "support/interpreter_fixture.h"

#include <cstring>

namespace tolvex::test {
namespace {

using LimitsTest = InterpreterTest;

const std::string kMax = std::to_string(kMaxStringLength);

TEST_F(LimitsTest, LongStringsAreRefusedBeforeTheyAreBuilt) {
    const Case cases[] = {
        {"StringOfChar('x', 2000000000)", "TMStringOfChar.GetValue() Result of 2000000000 characters exceeds the "
                                          "maximum string length of 16777216 characters, position: 1."},
        {"Length(StringOfChar('x', 16777216))", "integer 16777216"},
        {"s = StringOfChar('x', 16777216); Length(s + '')", "integer 16777216"},
        {"s = StringOfChar('x', 16777216); s + 'y'",
         "VarAdd() Result of 16777217 characters exceeds the maximum string length of 16777216 characters."},
        {"s = StringOfChar('x', 9000000); s = s + s",
         "VarAdd() Result of 18000000 characters exceeds the maximum string length of 16777216 characters."},
        {"f(s, n) := IfF(n == 0, Length(s), f(s + s, n - 1)); f('x', 24)", "integer 16777216"},
        {"f(s, n) := IfF(n == 0, Length(s), f(s + s, n - 1)); f('x', 40)",
         "VarAdd() Result of 33554432 characters exceeds the maximum string length of 16777216 characters. "
         "Most outer function: \"f\"."},
        {"Length(QuotedStr(StringOfChar('''', 8388607)))", "integer 16777216"},
        // Searching long texts takes linear time.
        {"a = StringOfChar('a', 8000000); Pos(a + 'b', a + a)", "integer 0"},
        {"a = StringOfChar('a', 8000000); Pos(a + 'b', a + a + 'b')", "integer 8000001"},
    };
    for (const Case& c : cases) {
        interpreter.ClearSymbols();
        EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
    }
}

TEST_F(LimitsTest, StringLiteralsObeyTheSameLimit) {
    const std::string longest(kMaxStringLength, 'q');
    EXPECT_EQ(Run("Length('" + longest + "')"), "integer 16777216");
    EXPECT_EQ(Run("Length('" + longest + "q')"), "ParseString() String starting at position: 8 is longer than the "
                                                "maximum string length of 16777216 characters.");
    // Doubled quotes count once and cannot slip past the limit.
    EXPECT_EQ(Run("Length('" + longest.substr(1) + "''')"), "integer 16777216");
    EXPECT_EQ(Run("Length('" + longest + "''')").substr(0, 40), "ParseString() String starting at positio");
}

TEST_F(LimitsTest, HugeExpressionsAndStatementListsAreRefusedUpFront) {
    std::string sum = "x = 1";
    for (int i = 0; i < kMaxExpressionItems / 2; ++i) sum += "+1";
    EXPECT_EQ(Run(sum), "TMathInterpreter.Parse() Expression of more than 4194304 items, position: 4194307.");
    EXPECT_FALSE(interpreter.SymbolExists("x"));

    std::string list = "y = 1";
    for (std::size_t i = 0; i < kMaxStatements; ++i) list += ";2";
    EXPECT_EQ(MessageOf([&] { interpreter.Execute(list); }),
              "TMathInterpreter.Execute() Statement list of more than 1048576 statements, position: 2097157.");
    EXPECT_FALSE(interpreter.SymbolExists("y"));  // refused before any statement ran
    std::string ordinary;
    for (int i = 0; i < 100000; ++i) ordinary += "1;";
    EXPECT_EQ(VarArrayHighBound(interpreter.Execute(ordinary)) + 1, 100000);
}

// `first` followed by `next` until the chain has a million terms.
std::string MillionTerms(const std::string& first, const std::string& next, int termsPerNext) {
    std::string chain = first;
    const int repeats = 999999 / termsPerNext;
    chain.reserve(chain.size() + next.size() * static_cast<std::size_t>(repeats));
    for (int i = 0; i < repeats; ++i) chain += next;
    return chain;
}

// A chain of one priority is no nesting: a million terms evaluate, directly and prepared, without
// recursing once per term (the sanitizer build's small stack would show it).
TEST_F(LimitsTest, MillionTermChainsEvaluate) {
    const struct {
        const char* first;
        const char* next;
        int terms;  // in `next`
        const char* value;
    } cases[] = {
        {"1", "+1", 1, "integer 1000000"},
        {"x", "*1", 1, "integer 3"},
        {"1", "+2-1", 2, "integer 500000"},
    };
    Run("x = 3");
    for (const auto& c : cases) {
        const std::string chain = MillionTerms(c.first, c.next, c.terms);
        EXPECT_EQ(Run(chain), c.value) << c.next;
        const int handle = interpreter.PrepareExpression(chain);
        EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(handle)), c.value) << c.next;
        interpreter.FreePreparedExpression(handle);
    }
}

// A function whose body is such a chain dumps, saves, loads back and is deleted the same way.
TEST_F(LimitsTest, MillionTermBodiesDumpSaveAndLoad) {
    const std::string chain = MillionTerms("x", "-x+x", 2);
    Run("x = 3; f := " + chain);
    EXPECT_EQ(interpreter.DumpSymbol("f", {}), "f():=" + chain);
    const std::string saved = interpreter.DumpStreamable();
    EXPECT_EQ(saved, "x=3;\r\nf():=" + chain);
    TMathInterpreter copy;
    TMemoryStream stream;
    stream.SetData(saved);
    copy.LoadSymbolsFromStream(stream);
    EXPECT_EQ(Describe(copy.ExecuteExpression("f")), "integer 3");
    copy.ExecuteExpression("delete f");
    EXPECT_FALSE(copy.SymbolExists("f"));
    EXPECT_EQ(Run("delete x; f"), "TMVarRef.GetValue() Referenced symbol: \"x\" is not defied, position: 7. "
                                  "Most outer function: \"f\".");
}

// Nesting stays limited wherever it is real: brackets to the right, right-to-left operators,
// prefix operators and calls.
TEST_F(LimitsTest, RealNestingBeyondTheLimitIsRefused) {
    const struct {
        const char* open;
        const char* inner;
        const char* close;
    } cases[] = {
        {"1+(", "1", ")"}, {"2^(", "2", ")"}, {"a=", "1", ""}, {" not ", "true", ""},
        {"-(", "x", ")"},  {"abs(", "1", ")"}, {"(1+", "1", ")*2"}, {"f(", "1", ")"},
    };
    for (const auto& c : cases) {
        std::string text = c.inner;
        for (int i = 0; i < 3000; ++i) text = c.open + text + c.close;
        EXPECT_NE(Run(text).find("TMathInterpreter.RPN() Expression nested deeper than 2000 levels"),
                  std::string::npos) << c.open;
    }
    EXPECT_EQ(Run("1+1"), "integer 2");
}

// Names are as long as the text that holds them: they work everywhere, saves and loads included.
TEST_F(LimitsTest, MillionCharacterIdentifiers) {
    const std::string name(1000000, 'n');
    const std::string function = "F" + std::string(999999, 'f');
    EXPECT_EQ(Run(name + " = 20; " + function + "(a) := a + " + name + "; " + function + "(1)"), "integer 21");
    EXPECT_EQ(Run(name + "x"), "TMVarRef.GetValue() Referenced symbol: \"" + name + "x\" is not defied, position: 1.");
    TMemoryStream stream;
    interpreter.SaveSymbolsToStream(stream);
    TMathInterpreter copy;
    stream.SetPosition(0);
    copy.LoadSymbolsFromStream(stream);
    EXPECT_EQ(copy.DumpStreamable(), interpreter.DumpStreamable());
    EXPECT_EQ(Describe(copy.GetVariables(name)), "integer 20");
}

}  // namespace
}  // namespace tolvex::test
