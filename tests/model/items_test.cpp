// Item lists and the text form of trees.
#include <functional>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

std::unique_ptr<TMItem> Lit(int v) { return std::make_unique<TMLiteral>(VarFromInt(v)); }

TEST(ItemsTest, StackOperations) {
    TMItems list;
    EXPECT_EQ(MessageOf([&] { list.Pop(); }), "TMItems.Pop() List is empty.");
    list.Reverse();
    for (int v : {1, 2, 3, 4}) list.Add(Lit(v));
    list.Reverse();
    EXPECT_EQ(list.Dump(",", {}), "4,3,2,1");
    EXPECT_EQ(list.Pop()->Dump({}), "1");
    list.Take(1);
    list.Put(1, Lit(7));
    EXPECT_EQ(list.Dump(";", {dfDetailed}), "TMLiteral(4);TMLiteral(7);TMLiteral(2)");
    list.Take(1).reset();
    EXPECT_EQ(list.Dump(",", {}), "4,Null,2");
    list.FreeAndClear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Dump(",", {}), "");
}

// Every access by index is checked, on either side of the list.
TEST(ItemsTest, BadIndicesRaiseListErrors) {
    TMItems list;
    for (int v : {1, 2, 3}) list.Add(Lit(v));
    const std::pair<int, std::function<void()>> accesses[] = {
        {3, [&] { list.Get(3); }},          {-1, [&] { list.Get(-1); }},
        {3, [&] { list.Take(3); }},         {-2, [&] { list.Take(-2); }},
        {7, [&] { list.Put(7, Lit(9)); }},  {-1, [&] { list.Put(-1, Lit(9)); }},
        {3, [&] { list.Exchange(0, 3); }},  {-1, [&] { list.Exchange(-1, 0); }},
        {3, [&] { list.Extract(3); }},      {-5, [&] { list.Extract(-5); }},
    };
    for (const auto& [index, access] : accesses) {
        std::string what;
        try {
            access();
        } catch (const EListError& e) {
            what = e.Message();
        }
        EXPECT_EQ(what, "List index out of bounds (" + std::to_string(index) + ")");
        EXPECT_EQ(list.Dump(",", {}), "1,2,3") << index;
    }
}

TEST(ItemsTest, LiteralKeepsItsOwnCopy) {
    Variant v = VarFromLStr("abc");
    TMLiteral literal(v);
    v = VarFromInt(1);
    EXPECT_EQ(Describe(literal.GetValue()), "string abc");
    EXPECT_EQ(TMItem::QuotedVar(VarFromLStr("it's")), "'it''s'");
    EXPECT_EQ(MessageOf([] { TMComma().Dump({}); }),
              "TMItem.Dump() Child classes must override Dump method when dfDetailed is not in DumpFormat.");
    EXPECT_EQ(TMComma().Dump({dfDetailed}), "TMComma");
}

using DumpTest = InterpreterTest;

TEST_F(DumpTest, PlainQualifiedAndDetailedText) {
    Run("x = 5; s = 'abc'; f(a, b) := a*b + x; g := 2 - (3 - 4) * -x; n = -2147483647 - 1");
    const TMSymbols& table = interpreter.Symbols();
    const Case plain[] = {
        {"x", "x=5"}, {"s", "s='abc'"}, {"f", "f(a,b):=a*b+x"}, {"g", "g():=2-(3-4)*-x"}, {"n", "n=(-2147483647-1)"},
    };
    for (const Case& c : plain) EXPECT_EQ(table.FindSymbol(c.text)->Dump({}), c.expected);
    EXPECT_EQ(table.FindSymbol("f")->Dump({dfQualified}), "f(a,b):=f.a*f.b+x");
    EXPECT_EQ(table.FindSymbol("f")->Dump({dfDetailed, dfQualified}),
              "TMFunction[\"f\"](TMParam[\"a\"],TMParam[\"b\"]){TMPlus(TMMultiply(TMVarRef<\"f.a\">,TMVarRef<\"f.b\">),"
              "TMVarRef<\"x\">)}");
    EXPECT_EQ(table.FindSymbol("x")->Dump({dfDetailed}), "TMVar[\"x\"](5)");
    // The plain text loads back to the same definitions.
    std::string saved;
    for (int i = 0; i < table.Count(); ++i) saved += table.Symbol(i)->Dump({}) + ";";
    TMathInterpreter copy;
    copy.Execute(saved);
    for (int i = 0; i < table.Count(); ++i)
        EXPECT_EQ(copy.Symbols().Symbol(i)->Dump({}), table.Symbol(i)->Dump({}));
    EXPECT_EQ(Describe(copy.ExecuteExpression("f(2, 3)")), "integer 11");
    EXPECT_EQ(Describe(copy.ExecuteExpression("n")), "integer -2147483648");
}

}  // namespace
}  // namespace tolvex::test
