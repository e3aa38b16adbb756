// Symbols, references and user functions: binding, parameters, recursion and the nesting limit.
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using SymbolTest = InterpreterTest;

TEST_F(SymbolTest, AssignmentsDefinitionsAndCalls) {
    const Case cases[] = {
        {"x = 5", "integer 5"},
        {"a = b = 3; a + b", "integer 6"},
        {"f(x, y) := x - y; f(5, 3)", "integer 2"},
        {"f(x, y) := x - y", "null "},
        {"g := 2 * 3; g", "integer 6"},
        {"h(x) := (x = 7); h(1); x", "integer 7"},
        {"fact(n) := IfF(n <= 1, 1, n * fact(n - 1)); fact(5)", "integer 120"},
        {"f(x) := x + 1; f(x) := x + 2; f(1)", "integer 3"},
        {"x = 1; X = 2; x", "integer 2"},
        {"c = 1; k := c * 10; c = 4; k", "integer 40"},
        // Every argument is evaluated before any parameter changes, so a call may pass the function's
        // own parameters in another order.
        {"gcd(a, b) := IfF(b == 0, a, gcd(b, a mod b)); gcd(12, 18)", "integer 6"},
        {"fb(n, a, b) := IfF(n == 0, a, fb(n - 1, b, a + b)); fb(10, 0, 1)", "integer 55"},
        {"inner(p, q) := p * 10 + q; swap(x, y) := inner(y, x); swap(1, 2)", "integer 21"},
        {"f(x, y) := IfF(x < y, f(y, x), x * 10 + y); f(1, 2)", "integer 21"},
    };
    for (const Case& c : cases) {
        interpreter.ClearSymbols();
        EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
    }
}

TEST_F(SymbolTest, DefinitionAndCallMessages) {
    const Case cases[] = {
        {"f(1) := 2", "TMAssignSymbolic.PullOperands() Invalid declaration of parameter on index: 0, position: 3, "
                      "for function: \"f\" (position: 1)."},
        {"(a + b) := 1", "TMAssignSymbolic.PullOperands() Left operand (position: 4, type = \"TMPlus\") of symbolic "
                         "assignment (position: 10) must be symbol reference (var. ref. or function call)."},
        {"f(x, x) := x", "TMSymbol.SetIdentifier() Symbol: \"x\" (position: 3) already exists."},
        {"f := g := 1", "TMAssignSymbolic.PullOperands() Right operand of the symbolic assignment on position: 4 can "
                        "not be a symbolic assignment."},
        {"g := 2; g = 1", "TMAssignValue.PullOperands() Left operand (position: 2) of value assignment (position: 4) "
                             "must reference to variable, not to\"TMFunction\"."},
        {"1 = 2", "TMAssignValue.PullOperands() Left operand (position: 1) of value assignment (postiton: 3) must be "
                  "variable reference, not \"TMLiteral\"."},
        {"f(x) := x; f + 1", "TMVarRef.Rewire() Reference: \"f\" (position: 2) must point to parameterless function."},
        {"x = 1; x(1)", "Invalid class typecast"},
        {"f(a, b) := a; f(1)", "TMFunctionCall.GetValue() Incorrect number of parameter expressions: 1, in function "
                               "call \"f\", position: 2. Expected: 2 parameter(s)."},
        {"y + 1", "TMVarRef.GetValue() Referenced symbol: \"y\" is not defied, position: 1."},
        {"q(1)", "TMFunctionCall.GetValue() Undefined function reference: \"q\", position: 1."},
        // only the outermost function is named
        {"g(x) := x / 0; f(x) := g(x) + 1; f(1)", "Floating point division by zero Most outer function: \"f\"."},
    };
    for (const Case& c : cases) {
        interpreter.ClearSymbols();
        EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
    }
    // A repeated parameter name still leaves the function defined with the parameter declared so far.
    interpreter.ClearSymbols();
    Run("f(x, x) := x");
    EXPECT_EQ(Run("f(4)"), "integer 4");
}

TEST_F(SymbolTest, ParametersAreRestoredAfterEveryCall) {
    Run("f(x, y) := x * 100 + y; g(x) := x / 0");
    TMParams& params = static_cast<TMFunction*>(interpreter.Symbols().FindSymbol("f"))->Parameters();
    for (int i : {0, 1}) params.Param(i)->SetValue(VarFromInt(-1 - i));
    EXPECT_EQ(Run("f(1, 2)"), "integer 102");
    for (int i : {0, 1}) EXPECT_EQ(VarToStr(params.Param(i)->GetValue()), std::to_string(-1 - i)) << i;
    TMParams& gParams = static_cast<TMFunction*>(interpreter.Symbols().FindSymbol("g"))->Parameters();
    EXPECT_EQ(Run("g(5)"), "Floating point division by zero Most outer function: \"g\".");
    EXPECT_TRUE(gParams.Param(0)->GetValue().IsEmpty());
}

TEST_F(SymbolTest, NestingLimit) {
    Run("down(n) := IfF(n == 0, 0, down(n - 1))");
    Run("one := 1");
    interpreter.SetMaxFunctionNesting(0);
    EXPECT_EQ(Run("one"), "TMFunction.GetValue() Function nesting level too deep (function: \"one\", position: 1).");
    interpreter.SetMaxFunctionNesting(3);
    EXPECT_EQ(Run("down(2)"), "integer 0");
    EXPECT_EQ(Run("down(3)"), "TMFunction.GetValue() Function nesting level too deep (function: \"down\", position: 1)."
                              " Most outer function: \"down\".");
    interpreter.SetMaxFunctionNesting(1000);
    EXPECT_EQ(Run("down(999)"), "integer 0");
    EXPECT_NE(Run("down(1000)").find("nesting level too deep"), std::string::npos);
    EXPECT_EQ(interpreter.NestingDepth(), 0u);
}

// The machine stack, not the host's limit, stops runaway recursion: the nesting message comes
// first, however large the limit.
TEST_F(SymbolTest, RecursionNeverOverflowsTheStack) {
    interpreter.SetMaxFunctionNesting(4000000000u);
    Run("f(n) := f(n + 1) + 1; w(n) := IfF(n > 0, w(n - 1) + 1, 0)");
    EXPECT_EQ(Run("f(1)"), "TMFunction.GetValue() Function nesting level too deep (function: \"f\", position: 1)."
                           " Most outer function: \"f\".");
    EXPECT_EQ(Run("w(100)"), "integer 100");
    EXPECT_EQ(interpreter.NestingDepth(), 0u);
}

TEST_F(SymbolTest, CaseRules) {
    Run("abc = 1");
    EXPECT_TRUE(interpreter.SymbolExists("ABC"));
    EXPECT_TRUE(interpreter.IsEqualString("aBc", "AbC"));
    EXPECT_FALSE(interpreter.IsEqualString("\xe4", "\xc4"));  // only ASCII letters fold
    interpreter.SetCaseSensitiveSymbols(true);
    EXPECT_EQ(interpreter.SymbolCount(), 1);  // false to true keeps the table
    Run("ABC = 2");
    EXPECT_EQ(interpreter.SymbolCount(), 2);
    EXPECT_EQ(Run("abc"), "integer 1");
    EXPECT_FALSE(interpreter.IsEqualString("a", "A"));
    interpreter.SetCaseSensitiveSymbols(false);  // true to false empties it
    EXPECT_EQ(interpreter.SymbolCount(), 0);
}

TEST_F(SymbolTest, BindingFollowsTheTable) {
    // A function defined before the variable it reads binds to it once it exists.
    Run("k := v * 2");
    EXPECT_EQ(Run("k"), "TMVarRef.GetValue() Referenced symbol: \"v\" is not defied, position: 6."
                        " Most outer function: \"k\".");
    Run("v = 21");
    EXPECT_EQ(Run("k"), "integer 42");
    // Deleting the variable unbinds the body again.
    Run("delete v");
    EXPECT_NE(Run("k").find("is not defied"), std::string::npos);
    // A parameter shadows a variable of the same name.
    Run("p = 100; f(p) := p + 1");
    EXPECT_EQ(Run("f(1)"), "integer 2");
    // A variable turned into a function keeps its index and rebinds the readers.
    Run("m = 5; r := m + 1");
    const int index = interpreter.Symbols().FindSymbolIndex("m");
    Run("m := 10");
    EXPECT_EQ(interpreter.Symbols().FindSymbolIndex("m"), index);
    EXPECT_STREQ(interpreter.Symbols().Symbol(index)->ClassName(), "TMFunction");
    EXPECT_EQ(Run("r"), "integer 11");
    // Redefinition keeps the function's identity, so readers stay bound.
    TMSymbol* before = interpreter.Symbols().FindSymbol("m");
    Run("m := 20");
    EXPECT_EQ(interpreter.Symbols().FindSymbol("m"), before);
    EXPECT_EQ(Run("r"), "integer 21");
}

TEST_F(SymbolTest, RenamingWithAndWithoutUpdateReferences) {
    Run("a = 1; b = 2; f := a + b");
    auto* f = static_cast<TMFunction*>(interpreter.Symbols().FindSymbol("f"));
    interpreter.Symbols().FindSymbol("a")->SetIdentifier("z");
    EXPECT_NE(Run("f").find("Referenced symbol: \"a\" is not defied"), std::string::npos);
    TMSymbol* b = interpreter.Symbols().FindSymbol("b");
    b->UpdateReferences = true;
    b->SetIdentifier("y");
    EXPECT_EQ(f->Expression()->Dump({}), "a+y");
    EXPECT_EQ(MessageOf([&] { b->SetIdentifier(" \t"); }),
              "TMSymbol.SetIdentifier() Symbol identifier can't be empty string.");
    EXPECT_EQ(MessageOf([&] { b->SetIdentifier("z"); }),
              "TMSymbol.SetIdentifier() Symbol: \"z\" (position: 2) already exists.");
    EXPECT_EQ(b->Identifier(), "y");
    b->SetIdentifier("y");  // its own name again is fine
}

// A host's rename takes only names the scanner reads back as that symbol; anything else would
// save as text that fails to load or loads as other statements. The table is left as it was.
TEST_F(SymbolTest, RenamesRefuseWhatDoesNotReadBackAsAName) {
    Run("a = 1; f(x) := x + a");
    TMSymbol* a = interpreter.Symbols().FindSymbol("a");
    const char* const refused[] = {"a b", "sin", "SQRT", "1x", "x;y", "delete", "Rename", "x'", "true", "DIV",
                                   "x-y", "\xc3\xa4", "x.y"};
    for (const char* name : refused) {
        EXPECT_EQ(MessageOf([&] { a->SetIdentifier(name); }),
                  std::string("TMSymbol.SetIdentifier() Symbol identifier: \"") + name +
                      "\" is not an identifier, or is a keyword or the name of a built-in function.")
            << name;
        EXPECT_EQ(a->Identifier(), "a") << name;
    }
    for (const char* name : {"_x", "sin2", "deleted", "x_1", " \tb "}) {
        EXPECT_EQ(MessageOf([&] { a->SetIdentifier(name); }), "(no error)") << name;
        TMathInterpreter reloaded;
        reloaded.Execute(interpreter.DumpStreamable());
        EXPECT_EQ(reloaded.GetDumpText(), interpreter.GetDumpText()) << name;
    }
    EXPECT_EQ(a->Identifier(), "b");
}

TEST_F(SymbolTest, UnknownSymbolEvent) {
    std::vector<std::string> log;
    interpreter.SetOnUnknownSymbol([&](TMathInterpreter& sender, const std::string& id, const Variant& params, Variant& value) {
        EXPECT_EQ(&sender, &interpreter);
        log.push_back(id + ":" + (params.IsNull() ? "null" : "array") + ":" + VarToStr(value));
        if (id == "zero") value = VarFromInt(0);
        if (id == "veto") value = Variant();
    });
    EXPECT_EQ(Run("zero + 1"), "integer 1");
    EXPECT_EQ(Run("veto = 5"), "integer 5");
    EXPECT_FALSE(interpreter.SymbolExists("veto"));
    EXPECT_EQ(Run("fresh = 6"), "integer 6");
    EXPECT_TRUE(interpreter.SymbolExists("fresh"));
    EXPECT_EQ(Run("nothing"), "TMVarRef.GetValue() Referenced symbol: \"nothing\" is not defied, position: 1.");
    const std::vector<std::string> expected = {"zero:null:", "veto:null:5", "fresh:null:6", "nothing:null:"};
    EXPECT_EQ(log, expected);
}

TEST_F(SymbolTest, WritingAnUnknownReference) {
    TMVarRef ref;
    ref.ReferencedSymbolName = "w";
    ref.ParsePosition = 3;
    ref.SetMathInterpreter(&interpreter);
    EXPECT_EQ(MessageOf([&] { ref.SetValue(VarFromInt(1)); }),
              "TMReference.SetValue() Referenced symbol: \"w\" is not defied, position: 3.");
    interpreter.SetOnUnknownSymbol([](TMathInterpreter&, const std::string&, const Variant&, Variant& v) { v = Variant(); });
    ref.SetValue(VarFromInt(1));  // the handler took it
}

// Handlers may call back into the interpreter, but nothing a running evaluation uses is freed.
TEST_F(SymbolTest, ReentrantHandlersCannotFreeWhatIsInUse) {
    Run("f(x) := x + probe");
    std::string inner;
    interpreter.SetOnUnknownSymbol([&](TMathInterpreter& sender, const std::string& id, const Variant&, Variant& value) {
        if (id != "probe") return;
        inner = MessageOf([&] { sender.ExecuteExpression("delete f"); }) + "|" +
                MessageOf([&] { sender.ExecuteExpression("f(x) := 0"); }) + "|" +
                MessageOf([&] { sender.ClearSymbols(); });
        value = sender.ExecuteExpression("2 * 21");
    });
    EXPECT_EQ(Run("f(1)"), "integer 43");
    const std::string refused = "Symbols and prepared expressions can't be freed while an expression is being evaluated.";
    EXPECT_EQ(inner, "TMathInterpreter.RemoveSymbol() " + refused + "|TMathInterpreter.RemoveSymbol() " + refused +
                         "|TMathInterpreter.ClearSymbols() " + refused);
    EXPECT_EQ(Run("f(1)"), "integer 43");
}

}  // namespace
}  // namespace tolvex::test
