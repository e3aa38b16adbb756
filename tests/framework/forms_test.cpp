#include <gtest/gtest.h>

#include "tolvex/framework/button.h"
#include "tolvex/framework/checkbox.h"
#include "tolvex/framework/edit.h"
#include "tolvex/framework/label.h"
#include "tolvex/framework/memo.h"
#include "tolvex/framework/pagecontrol.h"
#include "tolvex/framework/panel.h"
#include "tolvex/framework/sysutils.h"
#include "support/interpreter_fixture.h"
#include "support/ui_fixture.h"

namespace tolvex {
namespace {

using test::MessageOf;

template <class T>
T* Add(TForm& form, TControl* parent) {
    T* control = new T(&form);
    control->SetParent(parent);
    return control;
}

// A window with an edit, a memo, OK and Cancel buttons, and a log of its events.
class FormTest : public ::testing::Test {
protected:
    FormTest() {
        form.SetOnShow([this](TComponent&) { log.push_back("show"); });
        form.SetOnHide([this](TComponent&) { log.push_back("hide"); });
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetOnClick([this](TComponent&) { log.push_back("ok " + std::to_string(form.ModalResult())); });
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
    }

    TForm form;
    TEdit* edit = Add<TEdit>(form, &form);
    TMemo* memo = Add<TMemo>(form, &form);
    TButton* ok = Add<TButton>(form, &form);
    TButton* cancel = Add<TButton>(form, &form);
    std::vector<std::string> log;
    test::ScriptedModal modal;
    test::ShownErrors shown;
};

TEST_F(FormTest, ShowModalRunsTheDriverUntilAResultIsSet) {
    modal.Then<TForm>([this](TForm& f) {
        EXPECT_TRUE(f.Visible());
        EXPECT_TRUE(f.Modal());
        EXPECT_EQ(f.ActiveControl(), edit);  // the first control in tab order
        ok->MouseClick();
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(log, (std::vector<std::string>{"show", "ok 1", "hide"}));  // the result is set before OnClick
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Modal());

    // A driver that leaves the form open: closed as from the system menu.
    EXPECT_EQ(form.ShowModal(), mrCancel);
    // No driver at all behaves the same.
    const TModalDriver previous = Application().SetModalDriver(nullptr);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    Application().SetModalDriver(previous);

    form.Show();
    EXPECT_THROW(form.ShowModal(), EInvalidOperation);
    form.Close();  // not modal: hidden
    EXPECT_FALSE(form.Visible());
}

TEST_F(FormTest, FailuresOfShowingAndHiding) {
    // OnShow fails: the form stays hidden, OnHide does not run, the driver is not asked.
    form.SetOnShow([](TComponent&) { throw Exception("no show"); });
    EXPECT_EQ(MessageOf([&] { form.ShowModal(); }), "no show");
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(modal.shown, 0);
    EXPECT_TRUE(log.empty());

    // OnHide fails: the showing ends, the form is hidden, the error reaches the caller.
    form.SetOnShow(nullptr);
    form.SetOnHide([](TComponent&) { throw Exception("no hide"); });
    EXPECT_EQ(MessageOf([&] { form.ShowModal(); }), "no hide");
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Modal());

    // The driver fails and so does OnHide: the driver's error wins, the form is hidden.
    modal.Then<TForm>([](TForm&) { throw Exception("driver"); });
    EXPECT_EQ(MessageOf([&] { form.ShowModal(); }), "driver");
    EXPECT_FALSE(form.Visible());
}

TEST_F(FormTest, KeyRouting) {
    std::vector<std::string> keys;
    form.SetOnKeyDown([&](TComponent&, TKey& key, TShiftState) { keys.push_back("form " + std::to_string(key)); });
    edit->SetOnKeyDown([&](TComponent&, TKey& key, TShiftState) {
        keys.push_back("edit " + std::to_string(key));
        if (key == 'X') key = 0;
    });
    modal.Then<TForm>([&](TForm& f) {
        f.PressKey('A');  // without key preview only the focused control sees it
        f.SetKeyPreview(true);
        f.PressKey('X');
        EXPECT_EQ(keys, (std::vector<std::string>{"edit 65", "form 88", "edit 88"}));
        memo->SetFocus();
        f.PressKey(VK_RETURN);  // the memo wants Return: a line break
        EXPECT_EQ(memo->Text(), "\r\n");
        EXPECT_EQ(f.ModalResult(), mrNone);
        memo->SetWantReturns(false);
        f.PressKey(VK_RETURN);  // now the default button takes it
        EXPECT_EQ(f.ModalResult(), mrOk);
        f.SetModalResult(mrNone);
        f.PressKey(VK_ESCAPE);  // the cancel button
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(memo->Text(), "\r\n");
}

TEST_F(FormTest, TabOrderAndFocus) {
    auto* panel = Add<TPanel>(form, &form);
    auto* inner = Add<TCheckBox>(form, panel);
    auto* label = Add<TLabel>(form, panel);
    auto* hidden = Add<TButton>(form, &form);
    hidden->SetVisible(false);
    panel->SetTabOrder(0);
    EXPECT_EQ(panel->TabOrder(), 0);
    EXPECT_EQ(edit->TabOrder(), 1);

    form.SelectNext(nullptr, true);  // the panel does not stop Tab; its check box does
    EXPECT_EQ(form.ActiveControl(), inner);
    const TControl* order[] = {edit, memo, ok, cancel, inner};
    for (const TControl* expected : order) {
        form.PressKey(VK_TAB);
        EXPECT_EQ(form.ActiveControl(), expected);
    }
    form.PressKey(VK_TAB, {ssShift});
    EXPECT_EQ(form.ActiveControl(), cancel);

    EXPECT_THROW(label->SetFocus(), EInvalidOperation);
    EXPECT_THROW(hidden->SetFocus(), EInvalidOperation);
    panel->SetEnabled(false);
    EXPECT_FALSE(inner->CanFocus());
    TForm other;
    EXPECT_THROW(other.SetActiveControl(edit), EInvalidOperation);
    EXPECT_THROW(form.SetParent(panel), EInvalidOperation);  // a cycle

    // A focused control that goes away takes the focus with it.
    edit->SetFocus();
    delete edit;
    EXPECT_EQ(form.ActiveControl(), nullptr);
    memo->SetFocus();
    memo->SetParent(nullptr);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    delete memo;
}

TEST_F(FormTest, ParentFontAndFreeingParents) {
    form.Font().SetName("MS Sans Serif");
    EXPECT_EQ(edit->Font().Name(), "MS Sans Serif");
    auto* panel = Add<TPanel>(form, &form);
    auto* child = Add<TButton>(form, panel);
    EXPECT_EQ(child->Font().Name(), "MS Sans Serif");
    child->Font().SetHeight(-20);  // its own font from now on
    EXPECT_FALSE(child->ParentFont());
    form.Font().SetName("Arial");
    EXPECT_EQ(panel->Font().Name(), "Arial");
    EXPECT_EQ(child->Font().Name(), "MS Sans Serif");
    child->SetParentFont(true);
    EXPECT_EQ(child->Font().Attributes(), form.Font().Attributes());

    delete panel;  // the child stays with its owner, without a parent
    EXPECT_EQ(child->Parent(), nullptr);
    EXPECT_EQ(GetParentForm(*child), nullptr);
}

TEST_F(FormTest, ClicksAndCheckBoxes) {
    auto* box = Add<TCheckBox>(form, &form);
    int clicks = 0;
    box->SetOnClick([&](TComponent&) { ++clicks; });
    box->MouseClick();
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Focused());
    box->SetChecked(true);  // no change, no event
    box->SetChecked(false);
    EXPECT_EQ(clicks, 2);
    box->SetEnabled(false);
    box->MouseClick();
    EXPECT_FALSE(box->Checked());

    // An error raised by a click goes to the application, as an event loop shows it.
    ok->SetOnClick([](TComponent&) { throw EConvertError("'x' is not a valid integer value"); });
    ok->MouseClick();
    EXPECT_EQ(shown.messages, std::vector<std::string>{"'x' is not a valid integer value"});
    EXPECT_THROW(ok->Click(), EConvertError);  // a click from code passes it on
}

class PageControlTest : public ::testing::Test {
protected:
    PageControlTest() {
        for (TTabSheet*& page : pages) page = Add<TTabSheet>(form, pc);
        pc->SetOnChanging([this](TComponent&, bool& allow) {
            log.push_back("changing " + std::to_string(pc->ActivePageIndex()));
            if (veto) allow = false;
            if (fail) throw Exception("cannot leave");
        });
        pc->SetOnChange([this](TComponent&) { log.push_back("change " + std::to_string(pc->ActivePageIndex())); });
    }

    TForm form;
    TPageControl* pc = Add<TPageControl>(form, &form);
    TTabSheet* pages[3] = {};
    std::vector<std::string> log;
    bool veto = false, fail = false;
    test::ShownErrors shown;
};

TEST_F(PageControlTest, TabClicksAndCode) {
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    pc->ClickTab(*pages[2]);
    pc->ClickTab(*pages[2]);  // the active page: nothing
    veto = true;
    pc->ClickTab(*pages[1]);
    veto = false;
    fail = true;
    pc->ClickTab(*pages[1]);  // the failure is shown and the page stays
    fail = false;
    pc->SetActivePage(pages[1]);  // from code: no events
    EXPECT_EQ(log, (std::vector<std::string>{"changing 0", "change 2", "changing 2", "changing 2"}));
    EXPECT_EQ(shown.messages, std::vector<std::string>{"cannot leave"});
    EXPECT_EQ(pages[1]->PageIndex(), 1);

    TPageControl other;
    EXPECT_THROW(other.SetActivePage(pages[0]), EInvalidOperation);
    EXPECT_THROW(other.ClickTab(*pages[0]), EInvalidOperation);
}

TEST_F(PageControlTest, OnlyTheActivePageShowsAndTakesFocus) {
    auto* edit0 = Add<TEdit>(form, pages[0]);
    auto* edit1 = Add<TEdit>(form, pages[1]);
    form.Show();
    EXPECT_TRUE(edit0->Showing());
    EXPECT_FALSE(edit1->Showing());
    EXPECT_THROW(edit1->SetFocus(), EInvalidOperation);
    edit0->SetFocus();
    pc->ClickTab(*pages[1]);  // the focus leaves the hidden page
    EXPECT_EQ(form.ActiveControl(), pc);

    delete pages[1];  // the active page goes: its neighbour takes over
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_THROW(pc->Pages(2), EListError);
}

TEST(TextChangeTest, OnChangeReadOnlyAndPeers) {
    TMemo memo;
    std::vector<std::string> texts;
    memo.SetOnChange([&](TComponent& sender) { texts.push_back(dynamic_cast<TMemo&>(sender).Text()); });
    memo.TypeText("a");
    memo.Lines().Add("b");
    memo.SetText("a\r\nb");  // the same text: no change
    memo.SetSelStart(1);
    memo.PressKey(VK_BACK);
    memo.SetSelText("");  // nothing selected, nothing typed: no change
    memo.Clear();
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "a\r\nb", "\r\nb", ""}));

    memo.SetText("keep");
    memo.SetReadOnly(true);
    memo.TypeText("x");
    memo.SetSelStart(4);
    memo.PressKey(VK_BACK);
    memo.PressKey(VK_RETURN);
    EXPECT_EQ(memo.Text(), "keep");
    memo.Lines().Add("code");  // code still writes
    EXPECT_EQ(memo.Text(), "keep\r\ncode");

    // A widget's peer reports changes the same way.
    texts.clear();
    memo.SetPeer(std::make_unique<THeadlessTextPeer>());
    memo.Peer().SetText("from the widget");
    EXPECT_EQ(texts, std::vector<std::string>{"from the widget"});
}

TEST(DialogTest, AnswersComeFromTheProvider) {
    TOpenDialog dialog;
    dialog.SetDefaultExt("txt");
    dialog.SetFilter("Text files|*.txt|All|*.*|dangling");
    EXPECT_EQ(dialog.FilterEntries(), (std::vector<TOpenDialog::TFilterEntry>{{"Text files", "*.txt"}, {"All", "*.*"}}));
    EXPECT_FALSE(dialog.Execute());  // the default provider cancels
    EXPECT_EQ(InputBox("c", "p", "default"), "default");

    test::DialogScript script;
    struct Row {
        std::optional<std::string> answer;
        bool confirmed;
        const char* fileName;
    } rows[] = {
        {"/tmp/symbols", true, "/tmp/symbols.txt"},    {"/tmp/symbols.dat", true, "/tmp/symbols.dat"},
        {"/tmp/dir.d/symbols", true, "/tmp/dir.d/symbols.txt"}, {std::nullopt, false, "/tmp/dir.d/symbols.txt"},
        {"", false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fileName);
        script->Answer(row.answer);
        EXPECT_EQ(dialog.Execute(), row.confirmed);
        EXPECT_EQ(dialog.FileName(), row.fileName);
    }
    TSaveDialog save;
    script->Answer("out");
    EXPECT_TRUE(save.Execute());  // no default extension: as answered
    EXPECT_EQ(save.FileName(), "out");
    EXPECT_EQ(script->seen.back().kind, "save");

    script->Answer("typed");
    script->Answer(std::nullopt);
    EXPECT_EQ(InputBox("Caption", "Prompt:", "d"), "typed");
    std::string value = "kept";
    EXPECT_FALSE(InputQuery("Caption", "Prompt:", value));
    EXPECT_EQ(value, "kept");
    EXPECT_EQ(script->seen.back().caption, "Caption");
    EXPECT_EQ(script->seen.back().prompt, "Prompt:");
}

TEST(SysUtilsTest, TrimUpperCaseAndStrToInt) {
    EXPECT_EQ(Trim(" \t\x01 ab c\r\n "), "ab c");
    EXPECT_EQ(Trim("\x7f"), "\x7f");
    EXPECT_EQ(UpperCase("abz\xe4_1"), "ABZ\xe4_1");
    const std::pair<const char*, int> good[] = {{"0", 0}, {" 25 ", 25}, {"+7", 7}, {"-1", -1},
                                                {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, value] : good) EXPECT_EQ(StrToInt(text), value) << text;
    for (const char* text : {"", " ", "abc", "1.5", "0x10", "+-1", "+", "-", "2147483648", "1 2", "12a"})
        EXPECT_EQ(MessageOf([&] { StrToInt(text); }), "'" + std::string(text) + "' is not a valid integer value")
            << text;
}

}  // namespace
}  // namespace tolvex
