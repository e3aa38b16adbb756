// The delete statement and prepared expressions with variable handles.
#include <cmath>
#include <cstdint>
#include <limits>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using KeywordTest = InterpreterTest;
using PreparedTest = InterpreterTest;

const std::string kBadPrepared = "TMathInterpreter.ExecutePreparedExpression() Invalid prepared expression handle.";

TEST_F(KeywordTest, DeleteStatement) {
    Run("a = 1; b = 2; c = 3; f(x) := x");
    EXPECT_EQ(Run("delete"), "null ");
    EXPECT_EQ(interpreter.SymbolCount(), 4);
    EXPECT_EQ(Run("delete a, b"), "null ");
    EXPECT_FALSE(interpreter.SymbolExists("a"));
    EXPECT_FALSE(interpreter.SymbolExists("b"));
    EXPECT_EQ(Run("DELETE F"), "null ");  // any case; a function by its bare name
    EXPECT_EQ(interpreter.SymbolCount(), 1);
    EXPECT_EQ(Run("x = 1; y = 2; delete x y"), "null ");
    EXPECT_EQ(interpreter.SymbolCount(), 1);
}

TEST_F(KeywordTest, DeleteMessages) {
    const Case cases[] = {
        {"delete a, zz", "Delete - parameter on index: 2, position: 11, references non-existent symbol: \"zz\"."},
        {"delete , a", "Reference must exist left of comma on position: 8."},
        {"delete a,", "End of expression encountered after comma on position: 9."},
        {"delete a,,b", "Duplicated comma on position: 10."},
        {"delete 5", "Delete - invalid parameter on index: 0, position: 8."},
        {"delete f(x)", "Delete - invalid parameter on index: 0, position: 8."},
        {"delete sin", "Delete - invalid parameter on index: 0, position: 8."},
    };
    for (const Case& c : cases) {
        Run("a = 1; f(x) := x");
        EXPECT_EQ(Run(c.text), std::string("TMathInterpreter.ProcessExpressionKeywords() ") + c.expected)
            << "text: " << c.text;
    }
    // Deletions made before a failing parameter stay made.
    Run("a = 1");
    Run("delete a, zz");
    EXPECT_FALSE(interpreter.SymbolExists("a"));
}

// A long list removes its names in one pass over the table: what stays, what bodies and prepared
// trees still reach, and the order of the rest are those of deleting the names one by one.
TEST_F(KeywordTest, LongDeleteListsInAnyOrder) {
    const int n = 20000;
    const std::function<int(int)> orders[] = {[](int i) { return i; }, [&](int i) { return n - 1 - i; },
                                              [&](int i) { return (i * 7919) % n; }};
    for (const auto& order : orders) {
        interpreter.ClearSymbols();
        interpreter.ClearPreparedExpressions();
        std::string table = "w = 1", list = "delete ", kept;
        for (int i = 0; i < n; ++i) table += ";v" + std::to_string(i) + "=" + std::to_string(i);
        table += ";f := v1 + w; g := v2 + w";
        interpreter.Execute(table);
        const int prepared = interpreter.PrepareExpression("v3 + w");
        for (int i = 0; i < n; ++i) {
            const int v = order(i);
            if (v % 2 == 1) list += (list.size() > 7 ? ",v" : "v") + std::to_string(v);
        }
        EXPECT_EQ(Run(list), "null ");
        for (int i = 0; i < n; i += 2) kept += ";\r\nv" + std::to_string(i) + "=" + std::to_string(i);
        EXPECT_EQ(interpreter.DumpStreamable(), "w=1" + kept + ";\r\nf():=v1+w;\r\ng():=v2+w");
        EXPECT_NE(Run("f").find("\"v1\" is not defied"), std::string::npos);
        EXPECT_EQ(Run("g"), "integer 3");
        EXPECT_NE(MessageOf([&] { interpreter.ExecutePreparedExpression(prepared); }).find("\"v3\" is not defied"),
                  std::string::npos);
        Run("v3 = 10");
        EXPECT_NE(MessageOf([&] { interpreter.ExecutePreparedExpression(prepared); }).find("\"v3\" is not defied"),
                  std::string::npos);  // unbound for good, as after any delete
    }
    Run("a = 1; b = 2; c = 3");
    EXPECT_NE(Run("delete a, b, a, c").find("references non-existent symbol: \"a\""), std::string::npos);
    EXPECT_FALSE(interpreter.SymbolExists("a") || interpreter.SymbolExists("b"));
    EXPECT_TRUE(interpreter.SymbolExists("c"));
}

TEST_F(PreparedTest, HandleLifecycle) {
    EXPECT_EQ(interpreter.PrepareExpression("1"), 0);
    EXPECT_EQ(interpreter.PrepareExpression("2"), 1);
    EXPECT_EQ(interpreter.PrepareExpression("3"), 2);
    interpreter.FreePreparedExpression(1);
    EXPECT_FALSE(interpreter.IsValidPreparedExpression(1));
    EXPECT_EQ(interpreter.PrepareExpression("4"), 1);
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(1)), "integer 4");
    const std::string empty = "TMathInterpreter.PrepareExpression() Can't prepare empty expression.";
    EXPECT_EQ(MessageOf([&] { interpreter.PrepareExpression(""); }), empty);
    EXPECT_EQ(MessageOf([&] { interpreter.PrepareExpression("1+"); }),
              "TMOperator.PullOperands() 2 operand(s) expected, but only 1 found. Position: 2.");
    EXPECT_FALSE(interpreter.IsValidPreparedExpression(3));  // the failed preparations left it free
    EXPECT_EQ(interpreter.PrepareExpression("5"), 3);
    Run("a = 1");
    EXPECT_EQ(MessageOf([&] { interpreter.PrepareExpression("delete a"); }), empty);
    EXPECT_FALSE(interpreter.SymbolExists("a"));
    for (int bad : {-1, 4, 99}) {
        EXPECT_FALSE(interpreter.IsValidPreparedExpression(bad));
        EXPECT_EQ(MessageOf([&] { interpreter.ExecutePreparedExpression(bad); }), kBadPrepared) << bad;
        EXPECT_EQ(MessageOf([&] { interpreter.FreePreparedExpression(bad); }),
                  "TMathInterpreter.FreePreparedExpression() Invalid prepared expression handle.")
            << bad;
    }
    // Freed handles come back lowest first, whatever order they were freed in; a failed
    // preparation takes none.
    for (int h : {2, 0, 3}) interpreter.FreePreparedExpression(h);
    EXPECT_THROW(interpreter.PrepareExpression("1+"), Exception);
    for (int expected : {0, 2, 3, 4}) EXPECT_EQ(interpreter.PrepareExpression("7"), expected);
    interpreter.ClearPreparedExpressions();
    EXPECT_EQ(interpreter.PrepareExpression("6"), 0);
}

TEST_F(PreparedTest, VariableHandles) {
    Run("a = 1; b = 2; c = 3; f(x) := x");
    EXPECT_EQ(interpreter.GetVariableHandles("B"), 1);
    EXPECT_EQ(MessageOf([&] { interpreter.GetVariableHandles("f"); }),
              "TMathInterpreter.GetVariableHandles() Symbol: \"f\" has type: \"TMFunction\", but type \"TMVarRef\" is "
              "required.");
    EXPECT_EQ(MessageOf([&] { interpreter.GetVariables("zz"); }),
              "TMathInterpreter.GetVariableHandles() Symbol: \"zz\" is not defined.");
    EXPECT_EQ(MessageOf([&] { interpreter.GetVariablesByHandle(7); }), "List index out of bounds (7)");
    EXPECT_EQ(MessageOf([&] { interpreter.SetVariablesByHandle(3, VarFromInt(1)); }), "Invalid class typecast");
    Run("delete a");
    EXPECT_EQ(VarToInt(interpreter.GetVariablesByHandle(1)), 3);  // later handles move down
    interpreter.SetVariables("c", VarFromInt(30));
    EXPECT_EQ(Run("c"), "integer 30");
}

// Typed handles cannot stand for one another, and each call means what its integer form means,
// errors included; a default-made handle is invalid.
template <class Interpreter, class Prepared, class Variable>
concept MixesHandles = requires(Interpreter& i, Prepared p, Variable v) {
    i.SetVariablesByHandle(p, 1.0);
} || requires(Interpreter& i, Prepared p, Variable v) { i.ExecutePreparedExpression(v); } ||
                       requires(Interpreter& i, Prepared p) { i.GetVariablesByHandle(p); } ||
                       requires(Interpreter& i, Variable v) { i.FreePreparedExpression(v); };
static_assert(!MixesHandles<TMathInterpreter, TPreparedHandle, TVariableHandle>);
static_assert(!std::is_convertible_v<int, TPreparedHandle> && !std::is_convertible_v<TVariableHandle, int>);

TEST_F(PreparedTest, TypedHandlesMeanWhatTheirIntegersMean) {
    Run("a = 1; b = 2.5");
    const TVariableHandle a = interpreter.VariableHandle("a");
    const TPreparedHandle formula = interpreter.Prepare("a*b");
    interpreter.SetVariablesByHandle(a, Variant(2));  // a Variant keeps its kind
    EXPECT_EQ(Describe(interpreter.GetVariablesByHandle(a)), "integer 2");
    interpreter.SetVariablesByHandle(a, 1.5);  // a host's double
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(formula)), "double 3.75");
    interpreter.FreePreparedExpression(formula);
    for (const TPreparedHandle invalid : {formula, TPreparedHandle()})
        EXPECT_EQ(MessageOf([&] { interpreter.ExecutePreparedExpression(invalid); }), kBadPrepared);
    EXPECT_EQ(MessageOf([&] { interpreter.GetVariablesByHandle(TVariableHandle()); }), "List index out of bounds (-1)");
}

// A write by handle, whether of a value or of a host's double, ends the same way: the kind it
// leaves, or the error it raises, whatever the variable held before.
TEST_F(PreparedTest, HandleWritesOfEveryKind) {
    double host = 0.0;
    const double inf = std::numeric_limits<double>::infinity();
    // The value's own type picks the overload, as at a host's call.
    const auto write = [&](auto value) -> std::function<void(int)> {
        return [this, value](int h) { interpreter.SetVariablesByHandle(h, value); };
    };
    const struct {
        std::function<void(int)> write;
        const char* outcome;
        const char* before = "1.5";
    } rows[] = {
        {write(2.5), "double 2.5"}, {write(2.5), "double 2.5", "1"}, {write(2.5), "double 2.5", "'s'"},
        {write(7), "integer 7"}, {write(Variant(-0.0)), "double -0.0"},
        {write(inf), "EOverflow: Floating point overflow"},
        {write(Variant(-inf)), "EOverflow: Floating point overflow"},
        {write(std::nan("")), "EInvalidOp: Invalid floating point operation"},
        {[&](int h) { interpreter.BindVariable("v", &host); write(4.5)(h); }, "double 4.5"},
        {[&](int) { interpreter.SetVariablesByHandle(99, 1.0); }, "EListError: List index out of bounds (99)"},
        {[&](int) { interpreter.SetVariablesByHandle(-1, 1.0); }, "EListError: List index out of bounds (-1)"},
    };
    for (const auto& row : rows) {
        interpreter.ClearSymbols();
        if (interpreter.SymbolCount() > 0) interpreter.Undefine("v");
        Run(std::string("v=") + row.before);
        const int h = interpreter.GetVariableHandles("v");
        std::string outcome;
        try {
            row.write(h);
            outcome = Describe(interpreter.GetVariablesByHandle(h));
        } catch (const Exception& e) {
            outcome = std::string(e.ClassName()) + ": " + e.Message();
        }
        EXPECT_EQ(outcome, row.outcome) << "row " << &row - rows << ", before " << row.before;
    }
    EXPECT_EQ(host, 4.5);
}

// The table mirrors where each variable's double lives; every change that moves it (a kind,
// a binding, an entry) must move the mirror, so the write lands where the plain assignment would.
TEST_F(PreparedTest, HandleWritesFollowEveryMove) {
    double host = 0.5, other = 0.25;
    std::int32_t hostInt = 7;
    const char* const written = "u=1.5; v=4.5; w=3.5 host 0.5";  // 4.5 into v, as "v=4.5" would
    const struct {
        const char* event;
        std::function<void()> change;
        const char* outcome;
        int handle = 1;
        double value = 4.5;
    } rows[] = {
        {"nothing", [] {}, written},
        {"v a string by a script", [&] { Run("v='s'"); }, written},
        {"v an integer by a script", [&] { Run("v=2"); }, written},
        {"v a string, then a double", [&] { Run("v='s'; v=0.5"); }, written},
        {"v an integer by handle", [&] { interpreter.SetVariablesByHandle(1, Variant(2)); }, written},
        {"v a string through the symbol", [&] { interpreter.Symbols().FindSymbol("v")->SetValue(VarFromLStr("s")); },
         written},
        {"v bound", [&] { interpreter.BindVariable("v", &host); }, "u=1.5; v=4.5; w=3.5 host 4.5"},
        {"v bound to another storage",
         [&] { interpreter.BindVariable("v", &host); interpreter.BindVariable("v", &other); }, written},
        {"v bound to an int32", [&] { interpreter.BindVariable("v", &hostInt); }, "u=1.5; v=4; w=3.5 host 0.5", 1, 4.0},
        {"v bound to an int32, a fraction", [&] { interpreter.BindVariable("v", &hostInt); },
         "TMVar.SetValue() Variable \"v\" is bound to host storage of type int32 and can't hold 4.5."},
        {"v bound, then unbound", [&] { interpreter.BindVariable("v", &host); interpreter.UnbindVariable("v"); },
         written},
        {"v bound, then undefined", [&] { interpreter.BindVariable("v", &host); interpreter.Undefine("v"); },
         "u=1.5; w=4.5 host 0.5"},
        {"v deleted", [&] { Run("delete v"); }, "u=1.5; w=4.5 host 0.5"},
        {"u deleted", [&] { Run("delete u"); }, "v=2.5; w=4.5 host 0.5"},
        {"w deleted", [&] { Run("delete w"); }, "List index out of bounds (2)", 2},
        {"v deleted and made anew", [&] { Run("delete v; v=2.5"); }, "u=1.5; w=3.5; v=4.5 host 0.5", 2},
        {"table cleared", [&] { interpreter.ClearSymbols(); }, "List index out of bounds (1)"},
        {"table cleared, bound v kept", [&] { interpreter.BindVariable("v", &host); interpreter.ClearSymbols(); },
         "v=4.5 host 4.5", 0},
        {"case sensitivity switched off",
         [&] { interpreter.SetCaseSensitiveSymbols(true); interpreter.SetCaseSensitiveSymbols(false); },
         "List index out of bounds (0)", 0},
        {"table loaded", [&] { interpreter.LoadSymbolsFromString("w=1.0; v='s'; u=2.0"); },
         "w=1.0; v=4.5; u=2.0 host 0.5"},
        {"v renamed", [&] { interpreter.Symbols().FindSymbol("v")->SetIdentifier("z"); },
         "u=1.5; z=4.5; w=3.5 host 0.5"},
        {"v turned into a function", [&] { Run("v := 4"); }, "Invalid class typecast"},
        {"v a function, deleted, a variable anew", [&] { Run("v := 4; delete v; v = 2.5"); },
         "u=1.5; w=3.5; v=4.5 host 0.5", 2},
        {"a call with a parameter v", [&] { Run("f(v) := v*2; f(3)"); }, "u=1.5; v=4.5; w=3.5; f(v):=v*2 host 0.5"},
    };
    for (const auto& row : rows) {
        interpreter.ClearSymbols();
        for (const char* name : {"u", "v", "w"})
            if (interpreter.Symbols().FindSymbol(name)) interpreter.Undefine(name);
        host = 0.5;
        Run("u=1.5; v=2.5; w=3.5");
        row.change();
        const TMSymbols& table = interpreter.Symbols();
        for (int i = 0; i <= table.Count(); ++i) {
            const auto* variable = As<TMVar>(table.Find(i));
            EXPECT_EQ(table.DoublePlace(i), variable ? variable->DoubleInPlace() : nullptr)
                << row.event << ", entry " << i;
        }
        const std::string outcome = MessageOf([&] { interpreter.SetVariablesByHandle(row.handle, row.value); });
        EXPECT_EQ(outcome == "(no error)" ? interpreter.Dump("; ", {}) + " host " + VarToStr(Variant(host)) : outcome,
                  row.outcome)
            << row.event;
    }
    EXPECT_EQ(other, 4.5);
    EXPECT_EQ(hostInt, 4);
}

TEST_F(PreparedTest, ExecutionReadsCurrentValues) {
    Run("x = 2");
    const int h = interpreter.PrepareExpression("x*10");
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "integer 20");
    interpreter.SetVariables("x", VarFromInt(3));
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "integer 30");
    const int vx = interpreter.GetVariableHandles("x");
    interpreter.SetVariablesByHandle(vx, VarFromReal(0.5));
    EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "double 5.0");
}

// Every way of removing symbols unbinds them from prepared trees first; a tree never reaches a
// freed symbol (the sanitizer build proves it).
TEST_F(PreparedTest, RemovedSymbolsAreUnboundFromPreparedTrees) {
    const std::string unbound = "TMVarRef.GetValue() Referenced symbol: \"x\" is not defied, position: 1.";
    const std::vector<std::pair<const char*, std::function<void()>>> removals = {
        {"delete", [&] { Run("delete x"); }},
        {"ClearSymbols", [&] { interpreter.ClearSymbols(); }},
        {"case sensitivity off",
         [&] { interpreter.SetCaseSensitiveSymbols(true); interpreter.SetCaseSensitiveSymbols(false); }},
        {"variable turned into a function", [&] { Run("x := 4; delete x"); }},
        {"delete beside a freed slot",
         [&] { interpreter.FreePreparedExpression(interpreter.PrepareExpression("x")); Run("delete x"); }},
    };
    for (const auto& [name, remove] : removals) {
        interpreter.ClearPreparedExpressions();
        Run("x = 2");
        const int h = interpreter.PrepareExpression("x*10");
        remove();
        EXPECT_EQ(MessageOf([&] { interpreter.ExecutePreparedExpression(h); }), unbound) << name;
        // Re-creating the name does not bind the old tree; the unknown-symbol path answers.
        Run("x = 5");
        EXPECT_EQ(MessageOf([&] { interpreter.ExecutePreparedExpression(h); }), unbound) << name;
        interpreter.SetOnUnknownSymbol([](TMathInterpreter& s, const std::string& id, const Variant&, Variant& v) {
            if (id == "x") v = s.GetVariables("x");
        });
        EXPECT_EQ(Describe(interpreter.ExecutePreparedExpression(h)), "integer 50") << name;
        interpreter.SetOnUnknownSymbol(nullptr);
        interpreter.ClearSymbols();
    }
}

TEST_F(PreparedTest, AFunctionDefinedWhilePreparingStays) {
    EXPECT_EQ(MessageOf([&] { interpreter.PrepareExpression("f(x) := x*2; 1"); }),
              "TMathInterpreter.Parse() Unknown char - ASCII code: #59, on position: 12.");
    const int h = interpreter.PrepareExpression("g(x) := x*2");
    EXPECT_TRUE(interpreter.SymbolExists("g"));
    EXPECT_TRUE(interpreter.ExecutePreparedExpression(h).IsNull());
    EXPECT_EQ(Run("g(4)"), "integer 8");
}

}  // namespace
}  // namespace tolvex::test
