// Definitions that stand inside other definitions, and definitions that fail halfway: what the
// table keeps, what a save writes, and that the written text loads back to the same table.
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

class DefinitionTest : public InterpreterTest {
protected:
    // Runs every statement, failing ones too, and describes the outcome of the last.
    std::string RunAll(const std::string& text) {
        std::string last;
        for (const std::string& s : interpreter.SplitStatements(text)) last = Run(s);
        return last;
    }

    // The symbol text, or the message of the refused save.
    std::string Saved() { return MessageOrText([&] { return interpreter.DumpStreamable(); }); }

    // Loads the symbol text into a fresh interpreter and saves it again.
    static std::string Reloaded(const std::string& text) {
        TMathInterpreter copy;
        TMemoryStream stream;
        stream.SetData(text);
        return MessageOrText([&] {
            copy.LoadSymbolsFromStream(stream);
            return copy.DumpStreamable();
        });
    }

    template <class F>
    static std::string MessageOrText(F&& run) {
        try {
            return run();
        } catch (const Exception& e) {
            return e.Message();
        }
    }
};

// A nested definition is written as its function's whole definition while the function holds
// the body it gave; the function itself is then written only there.
TEST_F(DefinitionTest, NestedDefinitionsSaveAndLoadBack) {
    const Case cases[] = {
        {"k := 1 + (m := 2)", "k():=1+(m():=2)"},
        {"k := 1 + (m(x, y) := x - y)", "k():=1+(m(x,y):=x-y)"},
        {"x = 3; f(a) := a * f(g() := a * x)", "x=3;\r\nf(a):=a*f(g():=a*x)"},
        {"f(a) := 1; k := 1 + (g := 2 * (f(b) := b))", "k():=1+(g():=2*(f(b):=b))"},
        {"w(W) := W + 1", "w(W):=W+1"},
        {"f(f) := f * 2", "f(f):=f*2"},
    };
    for (const Case& c : cases) {
        interpreter.ClearSymbols();
        RunAll(c.text);
        EXPECT_EQ(Saved(), c.expected) << "text: " << c.text;
        EXPECT_EQ(Reloaded(c.expected), c.expected) << "text: " << c.text;
    }
    interpreter.ClearSymbols();
    EXPECT_EQ(Run("w(W) := W + 1; w(2)"), "integer 3");
}

// Once the function was defined anew, the nested definition's own body is gone; writing the new
// definition in its place could make a definition contain itself, so the save refuses.
TEST_F(DefinitionTest, OutdatedNestedDefinitionsHaveNoText) {
    const Case cases[] = {
        {"k := 1 + (m := 2); m := 5", "Function \"m\" was redefined or removed after its definition on position: 14"},
        {"k := 1 + (m := 2); delete m", "Function \"m\" was redefined or removed"},
        {"A = S2p := m = S2p := U", "Function \"S2p\" was redefined or removed"},
        {"g := 1 + (f := 2 + (g := 1))", "Function \"g\" was redefined or removed"},
    };
    for (const Case& c : cases) {
        interpreter.ClearSymbols();
        RunAll(c.text);
        EXPECT_EQ(Saved().find(std::string("TMAssignSymbolic.Dump() ") + c.expected), 0u) << "text: " << c.text;
        EXPECT_EQ(MessageOf([&] { interpreter.GetDumpText(); }).find("TMAssignSymbolic.Dump()"), 0u);
        EXPECT_NE(interpreter.Dump("|", {dfDetailed}), "");  // the detailed form needs no text
    }
}

// A body that reads a function with parameters without arguments cannot be bound, and would not
// load back: the definition leaves the table again. A bad parameter leaves the function with the
// parameters before it, bound and callable.
TEST_F(DefinitionTest, FailedDefinitionsLeaveTablesThatLoadBack) {
    const Case cases[] = {
        {"f(x, y) := IfF(x < y, f, y); f(1, 2)",
         "TMFunctionCall.GetValue() Undefined function reference: \"f\", position: 2."},
        {"g(a) := a; f(x) := g + x; f(1)", "TMFunctionCall.GetValue() Undefined function reference: \"f\", position: 2."},
        {"f(x) := 1; f(x, y) := f; f(1)", "TMFunctionCall.GetValue() Undefined function reference: \"f\", position: 2."},
        {"y = 5; f(x, 1) := x + y; f()", "TMVarRef.GetValue() Referenced symbol: \"x\" is not defied, position: 13. "
                                          "Most outer function: \"f\"."},
        {"y = 5; f(1, x) := x + y; f(2)", "integer 7"},
        {"g := 1; h := g(); g(x) := x; h", "TMFunctionCall.GetValue() Incorrect number of parameter expressions: 0, in "
                                           "function call \"g\", position: 7. Expected: 1 parameter(s). Most outer "
                                           "function: \"h\"."},
    };
    for (const Case& c : cases) {
        interpreter.ClearSymbols();
        EXPECT_EQ(RunAll(c.text), c.expected) << "text: " << c.text;
        const std::string saved = Saved();
        EXPECT_EQ(Reloaded(saved), saved) << "text: " << c.text;
    }
}

// A symbol that a body reads without arguments may still take parameters; the reference keeps
// its binding. The table then has no text that loads (the reading body would fail after the new
// definition), so the save fails naming the reader, and works again once the parameters go.
TEST_F(DefinitionTest, ReadSymbolsMayTakeParametersButThenHaveNoText) {
    const struct {
        const char* text;
        const char* reader;
        const char* read;
    } cases[] = {
        {"g := 1; h := g; g(x) := x", "h", "g"},
        {"v = 1; h := 2 * v; v(x) := x", "h", "v"},
        {"g := 1; h := g; k := h + g; g(x, y) := x", "h", "g"},
    };
    for (const auto& c : cases) {
        interpreter.ClearSymbols();
        EXPECT_EQ(RunAll(c.text), "null ") << c.text;
        EXPECT_EQ(Saved(), std::string("TMathInterpreter.DumpStreamable() Function \"") + c.reader +
                               "\" reads function \"" + c.read + "\" without arguments, which has no text form that loads.")
            << c.text;
        Run(c.reader);  // evaluates (to whatever an unset parameter gives) without harm
        RunAll(std::string(c.read) + " := 3");
        const std::string saved = Saved();
        EXPECT_EQ(saved.find("TMathInterpreter"), std::string::npos) << saved;
        EXPECT_EQ(Reloaded(saved), saved) << c.text;
    }
}

}  // namespace
}  // namespace tolvex::test
