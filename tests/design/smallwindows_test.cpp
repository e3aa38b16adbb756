#include "design/design_fixture.h"
#include "tolvex/design/dumpsearch.h"
#include "tolvex/design/editexpressionform.h"
#include "tolvex/design/mathdumpform.h"

namespace tolvex {
namespace {

TEST(LocateSymbolTest, FirstLineBeginningThatMatches) {
    constexpr int kUnchanged = -1;
    struct Row {
        const char* dump;
        const char* typed;
        bool caseSensitive;
        int selStart;  // kUnchanged: the selection made before (3, 1) stays
        int selLength;
    } rows[] = {
        {"y=1;\r\nX=2", "x", true, kUnchanged, 0},
        {"y=1;\r\nX=2", "x", false, 6, 1},
        {"xy=3;\r\nx=5", "x", true, 0, 1},      // line beginnings only, the first one wins
        {"xy=3;\r\nx=5", "x=", true, 7, 2},
        {"ab=1;\r\n\r\nabc=2", "ABC", false, 9, 3},  // an empty line counts its line break
        {"ab=1;\r\nabc=2", " \tabc\r\n", true, 7, 3},  // blanks and control characters trimmed
        {"ab=1;\r\nabc=2", "   ", true, kUnchanged, 0},  // an empty key does nothing
        {"ab", "abc", true, kUnchanged, 0},           // a shorter line is compared whole
        {"", "a", false, kUnchanged, 0},
        {"\xe4x=1", "\xc4X", false, kUnchanged, 0},  // only a..z fold
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.dump) + " / " + row.typed);
        TMemo dump;
        dump.SetText(row.dump);
        dump.SetSelStart(3);
        dump.SetSelLength(1);
        LocateSymbol(dump, row.typed, row.caseSensitive);
        const bool unchanged = row.selStart == kUnchanged;
        EXPECT_EQ(dump.SelStart(), unchanged ? std::min(3, dump.GetTextLen()) : row.selStart);
        EXPECT_EQ(dump.SelLength(), unchanged ? std::min(1, dump.GetTextLen() - dump.SelStart()) : row.selLength);
    }
    EXPECT_EQ(LeadingIdentifier("abc_1 = 2"), "abc_1");
    EXPECT_EQ(LeadingIdentifier("f(a):=a"), "f");
    EXPECT_EQ(LeadingIdentifier("=1"), "");
}

class DumpWindowTest : public test::DesignTest {};

TEST_F(DumpWindowTest, WindowAndOwner) {
    interpreter->Execute("x=5");
    TfrmMathDump w(interpreter);  // owned by the interpreter: fills itself when shown
    EXPECT_EQ(w.Caption(), "Math Interpreter Symbols");
    EXPECT_EQ(w.gbFind->Caption(), "&Find symbol");
    EXPECT_EQ(w.chkCaseSensitive->Caption(), "Case &sensitive");
    EXPECT_EQ(w.ShowModal(), mrCancel);
    EXPECT_EQ(w.memDump->Text(), "x=5");

    TfrmMathDump alone;
    alone.memDump->SetText("kept");
    alone.FillDump();
    EXPECT_EQ(alone.memDump->Text(), "kept");

    TComponent notAnInterpreter;
    TfrmMathDump wrong(&notAnInterpreter);
    EXPECT_THROW(wrong.ShowModal(), EInvalidCast);
}

TEST_F(DumpWindowTest, FindFieldAndEscape) {
    TfrmMathDump w;
    w.memDump->SetText("y=1;\r\nXa=2;\r\nx=3");
    modal.Then<TfrmMathDump>([](TfrmMathDump& d) {
        EXPECT_TRUE(d.memFindSymbol->Focused());
        d.memFindSymbol->TypeText("x");
        EXPECT_EQ(d.memDump->SelStart(), 6);  // any case: "Xa" first
        d.chkCaseSensitive->MouseClick();  // searched again at once: "x=3"
        EXPECT_EQ(d.memDump->SelStart(), 13);
        d.gbFind->MouseClick();  // back to the find field
        d.memFindSymbol->TypeText("a");  // "xa" matches nothing now; the selection stays
        EXPECT_EQ(d.memDump->SelStart(), 13);

        d.PressKey(VK_ESCAPE);  // clears the field, the window stays open
        EXPECT_EQ(d.memFindSymbol->Text(), "");
        EXPECT_EQ(d.memDump->SelStart(), 13);
        EXPECT_EQ(d.ModalResult(), mrNone);
        d.PressKey(VK_ESCAPE);  // on the empty field it closes
    });
    EXPECT_EQ(w.ShowModal(), mrCancel);

    const std::function<void(TfrmMathDump&)> closers[] = {
        [](TfrmMathDump& d) { d.memDump->SetFocus(); d.PressKey(VK_ESCAPE); },           // the dump's handler
        [](TfrmMathDump& d) { d.chkCaseSensitive->SetFocus(); d.PressKey(VK_ESCAPE); },  // the cancel button
        [](TfrmMathDump& d) { d.btnClose->MouseClick(); },
    };
    const TModalResult results[] = {mrCancel, mrOk, mrOk};
    for (int i = 0; i < 3; ++i) {
        modal.Then(closers[i]);
        EXPECT_EQ(w.ShowModal(), results[i]) << i;
    }
}

TEST_F(DumpWindowTest, CaseSwitchKeepsASelectionThatNoLongerMatches) {
    TfrmMathDump w;
    w.memDump->SetText("Xy=1");
    w.memFindSymbol->TypeText("x");
    EXPECT_EQ(w.memDump->SelLength(), 1);
    w.chkCaseSensitive->SetChecked(true);
    EXPECT_EQ(w.memDump->SelStart(), 0);
    EXPECT_EQ(w.memDump->SelLength(), 1);

    w.memDump->SetFocus();
    w.gbFind->MouseClick();
    EXPECT_TRUE(w.memFindSymbol->Focused());
}

class ExpressionWindowTest : public test::DesignTest {};

TEST_F(ExpressionWindowTest, WindowAndControls) {
    TfrmEditExpression w;
    EXPECT_EQ(w.Caption(), "Edit Expression");
    EXPECT_EQ(w.GroupBox1->Caption(), "&Expression");
    const std::pair<TButton*, const char*> buttons[] = {
        {w.btnVariable, "New/Modify &Variable"},
        {w.btnFunction, "New/Modify &Function"},
        {w.btnDeleteSymbol, "&Delete Symbol"},
        {w.btnOK, "&OK"},
        {w.btnCancel, "&Cancel"},
    };
    for (int order = 0; order < 5; ++order) {
        EXPECT_EQ(buttons[order].first->Caption(), buttons[order].second);
        EXPECT_EQ(buttons[order].first->TabOrder(), order);
    }
    w.memExpression->TypeText("a");
    w.memExpression->PressKey(VK_TAB);  // a tab character, not the next control
    EXPECT_EQ(w.memExpression->Text(), "a\t");
    EXPECT_TRUE(w.memExpression->Focused());
}

TEST_F(ExpressionWindowTest, Templates) {
    struct Row {
        TButton* TfrmEditExpression::*button;
        std::optional<std::string> answer;
        const char* text;
        int caret;
        const char* caption;
        const char* prompt;
    } rows[] = {
        {&TfrmEditExpression::btnVariable, "  rate ", "rate=", 5, "New/Modify Variable", "Variable name:"},
        {&TfrmEditExpression::btnFunction, "f", "f():=", 2, "New/Modify Function", "Function name:"},
        {&TfrmEditExpression::btnDeleteSymbol, "x", "delete x", 8, "Delete symbol", "Name of the symbol to delete:"},
        {&TfrmEditExpression::btnFunction, "\t1 a\r\n", "1 a():=", 4, "New/Modify Function", "Function name:"},
        {&TfrmEditExpression::btnVariable, std::nullopt, "old", 1, "New/Modify Variable", "Variable name:"},
        {&TfrmEditExpression::btnDeleteSymbol, " \t ", "old", 1, "Delete symbol", "Name of the symbol to delete:"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TfrmEditExpression w;
        w.memExpression->SetText("old");
        w.memExpression->SetSelStart(1);
        (w.*row.button)->SetFocus();
        dialogs->Answer(row.answer);
        (w.*row.button)->MouseClick();
        EXPECT_EQ(w.memExpression->Text(), row.text);
        EXPECT_EQ(w.memExpression->SelStart(), row.caret);
        EXPECT_EQ(w.memExpression->Focused(), row.answer && !row.answer->empty() && row.text != std::string("old"));
        EXPECT_EQ(dialogs->seen.back().caption, row.caption);
        EXPECT_EQ(dialogs->seen.back().prompt, row.prompt);
    }
}

TEST_F(ExpressionWindowTest, OkHandsBackTheTemplate) {
    interpreter->ExecuteExpression("x=1");
    dialogs->Answer("x");
    modal.Then<TfrmEditExpression>([](TfrmEditExpression& w) {
        w.btnDeleteSymbol->MouseClick();
        w.btnOK->MouseClick();
    });
    GetPropertyEditor(designer, {interpreter}, "Expression")->Edit();
    EXPECT_EQ(interpreter->Expression(), "delete x");
    EXPECT_FALSE(interpreter->SymbolExists("x"));

    TfrmEditExpression w;
    w.btnVariable->SetFocus();
    w.GroupBox1->MouseClick();
    EXPECT_TRUE(w.memExpression->Focused());
}

}  // namespace
}  // namespace tolvex
