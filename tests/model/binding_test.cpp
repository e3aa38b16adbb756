// Binding through the table's name index gives exactly the bindings, errors and error order of
// rewiring with every symbol of the table in turn.
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using BindingTest = InterpreterTest;

// Among several failing references, in an expression or in a definition's body, the one whose
// symbol stands first in the table is reported.
TEST_F(BindingTest, FirstFailureFollowsTableOrder) {
    Run("g(y) := y; f(x) := x");
    EXPECT_EQ(Run("f + g"), "TMVarRef.Rewire() Reference: \"g\" (position: 5) must point to parameterless function.");
    EXPECT_EQ(Run("F + f"), "TMVarRef.Rewire() Reference: \"F\" (position: 1) must point to parameterless function.");
    EXPECT_EQ(Run("g(1) + f(2)"), "integer 3");
    interpreter.ClearSymbols();
    Run("h(y) := y; g(y) := y; a = 1");
    EXPECT_EQ(Run("f := a + g + h"),
              "TMVarRef.Rewire() Reference: \"h\" (position: 14) must point to parameterless function.");
    EXPECT_FALSE(interpreter.SymbolExists("f"));
    EXPECT_EQ(Run("f(g) := g + a; f(2)"), "integer 3");  // a parameter shadows the function g
}

// A reference left bound to a symbol under its old name (a parameter of the new name shadowed
// the rebinding) is still unbound when that symbol goes.
TEST_F(BindingTest, RenamedSymbolsAreUnboundWhereverTheyAreUsed) {
    Run("a = 1; f(p) := a + p; g := a * 10");
    TMSymbol* a = interpreter.Symbols().FindSymbol("a");
    a->SetIdentifier("p");
    EXPECT_EQ(Run("f(2)"), "integer 3");  // still bound under the old name
    EXPECT_NE(Run("g").find("\"a\" is not defied"), std::string::npos);
    Run("delete p");
    EXPECT_EQ(Run("f(2)"), "TMVarRef.GetValue() Referenced symbol: \"a\" is not defied, position: 10. Most outer "
                           "function: \"f\".");
    // Carried along under the new name, a reference follows the symbol to its next name too.
    Run("b = 5; h := b + 1");
    TMSymbol* b = interpreter.Symbols().FindSymbol("b");
    b->UpdateReferences = true;
    b->SetIdentifier("c");
    b->SetIdentifier("d");
    EXPECT_EQ(Run("h"), "integer 6");
    Run("delete d");
    EXPECT_NE(Run("h").find("\"d\" is not defied"), std::string::npos);
}

// With case sensitivity switched on, references keep the symbols they were bound to ignoring case.
TEST_F(BindingTest, BindingsMadeIgnoringCaseSurviveTheSwitch) {
    Run("x = 1; k := X * 2");
    interpreter.SetCaseSensitiveSymbols(true);
    EXPECT_EQ(Run("k"), "integer 2");
    EXPECT_EQ(Run("X"), "TMVarRef.GetValue() Referenced symbol: \"X\" is not defied, position: 1.");
    Run("X = 3");  // a second symbol, named exactly like the reference, takes it over
    EXPECT_EQ(Run("k"), "integer 6");
    Run("delete x");
    EXPECT_EQ(Run("k"), "integer 6");
    Run("delete X");
    EXPECT_NE(Run("k").find("\"X\" is not defied"), std::string::npos);
}

// Lookups stay right while entries move: deletions shift later symbols, redefinitions replace in place.
TEST_F(BindingTest, LookupsFollowTheTable) {
    for (int i = 0; i < 50; ++i) Run("v" + std::to_string(i) + " = " + std::to_string(i));
    Run("delete v0, v10, v20; v10 = 100; v5 := v10 + 1");
    EXPECT_EQ(interpreter.GetVariableHandles("v11"), 9);
    EXPECT_EQ(interpreter.Symbols().FindSymbolIndex("V5"), 4);
    EXPECT_EQ(interpreter.GetVariableHandles("v10"), interpreter.SymbolCount() - 1);
    EXPECT_EQ(Run("v5 + v49"), "integer 150");
    interpreter.ClearSymbols();
    EXPECT_FALSE(interpreter.SymbolExists("v1"));
    EXPECT_EQ(Run("v1 = 7; v1"), "integer 7");
}

// Heavy churn of a large case-sensitive table (names that differ only in case share an index entry;
// deletions and renames empty entries that others move back into) keeps every lookup equal to a
// walk over the table.
TEST_F(BindingTest, LookupsAfterChurnEqualAWalk) {
    constexpr int n = 3000;
    interpreter.SetCaseSensitiveSymbols(true);
    std::string text;
    for (int i = 0; i < n; ++i) text += "v" + std::to_string(i) + "=" + std::to_string(i) + ";";
    for (int i = 0; i < n; i += 7) text += "V" + std::to_string(i) + "=" + std::to_string(-i) + ";";
    interpreter.Execute(text);
    text.clear();
    for (int i = 0; i < n; i += 3) text += "delete v" + std::to_string(i) + ";";
    interpreter.Execute(text);
    const TMSymbols& table = interpreter.Symbols();
    for (int i = 1; i < n; i += 5)
        if (i % 3 != 0) table.FindSymbol("v" + std::to_string(i))->SetIdentifier("w" + std::to_string(i));
    const auto walk = [&](const std::string& name) {
        for (int k = 0; k < table.Count(); ++k)
            if (table.Symbol(k)->IsEqualIdentifier(name)) return k;
        return -1;
    };
    const auto expectLookupsEqualAWalk = [&] {
        for (int i = 0; i < n; ++i)
            for (const char* prefix : {"v", "V", "w", "W"}) {
                const std::string name = prefix + std::to_string(i);
                ASSERT_EQ(table.FindSymbolIndex(name), walk(name)) << name;
            }
    };
    expectLookupsEqualAWalk();
    EXPECT_EQ(Run("v0"), "TMVarRef.GetValue() Referenced symbol: \"v0\" is not defied, position: 1.");
    EXPECT_EQ(Run("V21 + v22 + w26"), "integer 27");
    text.clear();
    for (int i = 0; i < n; i += 3) text += "v" + std::to_string(i) + "=1;";
    interpreter.Execute(text);
    expectLookupsEqualAWalk();
    EXPECT_EQ(table.Count(), n + (n + 6) / 7);
}

// A chain long enough to hold chain heads (every 64th link walks the links below it in a loop):
// `a` + 1 + ... with `middle` as its 100th term.
std::string LongChain(const std::string& a, const std::string& middle) {
    std::string chain = a;
    for (int i = 1; i < 200; ++i) chain += "+" + (i == 100 ? middle : std::string("1"));
    return chain;
}

// The walks that follow a chain in a loop see what the recursive walks see: binding, unbinding,
// references, nested definitions, readers, and both dump forms.
TEST_F(BindingTest, LongChainsWalkLikeShortOnes) {
    std::string detailed = "TMFunction[\"f\"](TMParam[\"a\"]){";
    for (int i = 1; i < 200; ++i) detailed += "TMPlus(";
    detailed += "TMVarRef<\"f.a\">";
    for (int i = 1; i < 200; ++i) detailed += i == 100 ? ",TMVarRef<\"f.a\">)" : ",TMLiteral(1))";
    detailed += "}";
    const Case cases[] = {
        {"f(a) := {chain a a}", detailed.c_str()},
        {"k := {chain 1 later}; later = 5; k", "integer 204"},
        {"k := {chain 1 later}; later = 5; delete later; k",
         "TMVarRef.GetValue() Referenced symbol: \"later\" is not defied, position: 206. Most outer function: \"k\"."},
        {"g := 1; h := {chain 1 g}; g(x) := x; save",
         "TMathInterpreter.DumpStreamable() Function \"h\" reads function \"g\" without arguments, which has no "
         "text form that loads."},
        {"k := {chain 1 (m:=2)}; m := 3; names", "m():=3"},
        {"prepare {chain y z}", "y z"},
    };
    for (const Case& c : cases) {
        interpreter.ClearSymbols();
        std::string text = c.text;
        for (std::size_t at; (at = text.find("{chain ")) != std::string::npos;) {
            const std::size_t space = text.find(' ', at + 7), end = text.find('}', at);
            text.replace(at, end - at + 1, LongChain(text.substr(at + 7, space - at - 7), text.substr(space + 1, end - space - 1)));
        }
        std::string outcome;
        for (const std::string& s : interpreter.SplitStatements(text)) {
            const std::string statement = s.substr(s.find_first_not_of(' '));
            if (statement == "save") {
                outcome = MessageOf([&] { interpreter.DumpStreamable(); });
            } else if (statement == "names") {
                // The outdated definition inside the chain puts m's own entry after k's.
                const std::string saved = interpreter.DumpStreamable();
                outcome = saved.substr(saved.rfind('\n') + 1);
            } else if (statement.rfind("prepare ", 0) == 0) {
                const TReferencedNames names = interpreter.ReferencedNames(interpreter.PrepareExpression(statement.substr(8)));
                for (const std::string& n : names.unbound) outcome += (outcome.empty() ? "" : " ") + n;
            } else if (statement.find(":=") != std::string::npos && statement.rfind("f(a)", 0) == 0) {
                Run(statement);
                outcome = interpreter.DumpSymbol("f", {dfDetailed, dfQualified});
            } else {
                outcome = Run(statement);
            }
        }
        EXPECT_EQ(outcome, c.expected) << c.text;
    }
}

}  // namespace
}  // namespace tolvex::test
