// Binding through the table's name index gives exactly the bindings, errors and error order of
// rewiring with every symbol of the table in turn.
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using BindingTest = InterpreterTest;

// Among several failing references, the one whose symbol stands first in the table is reported.
TEST_F(BindingTest, FirstFailureFollowsTableOrder) {
    Run("g(y) := y; f(x) := x");
    EXPECT_EQ(Run("f + g"), "TMVarRef.Rewire() Reference: \"g\" (position: 5) must point to parameterless function.");
    EXPECT_EQ(Run("F + f"), "TMVarRef.Rewire() Reference: \"F\" (position: 1) must point to parameterless function.");
    EXPECT_EQ(Run("g(1) + f(2)"), "integer 3");
}

// A definition's body is bound the same way: the failing symbol first in the table is reported.
TEST_F(BindingTest, FirstFailureInADefinitionFollowsTableOrder) {
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

}  // namespace
}  // namespace tolvex::test
