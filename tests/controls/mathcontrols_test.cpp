#include <gtest/gtest.h>

#include <stdexcept>

#include "tolvex/controls/mathcontrols.h"
#include "tolvex/framework/application.h"
#include "tolvex/framework/palette.h"
#include "support/interpreter_fixture.h"
#include "support/ui_fixture.h"

namespace tolvex {
namespace {

using test::MessageOf;

std::vector<std::string> LinesOf(const TStrings& lines) {
    std::vector<std::string> out;
    for (int i = 0; i < lines.Count(); ++i) out.push_back(lines[i]);
    return out;
}

// A form with an interpreter and the four controls bound to it; errors shown by the application
// are collected instead of printed.
class MathControlsTest : public ::testing::Test {
protected:
    MathControlsTest() {
        interpreter->SetName("MathInterpreter1");
        edit->SetName("MathEdit1");
        combo->SetName("MathComboBox1");
        memo->SetName("MathMemo1");
        rich->SetName("MathRichEdit1");
        edit->SetMathInterpreter(interpreter);
        combo->SetMathInterpreter(interpreter);
        memo->SetMathInterpreter(interpreter);
        rich->SetMathInterpreter(interpreter);
    }

    std::string MessageFor(const std::string& text) {
        TMathInterpreter probe;
        return MessageOf([&] { probe.ExecuteExpression(text); });
    }

    TComponent form;
    TMathInterpreter* interpreter = new TMathInterpreter(&form);
    TMathEdit* edit = new TMathEdit(&form);
    TMathComboBox* combo = new TMathComboBox(&form);
    TMathMemo* memo = new TMathMemo(&form);
    TMathRichEdit* rich = new TMathRichEdit(&form);
    test::ShownErrors shown;
};

TEST_F(MathControlsTest, ConstructorDefaults) {
    EXPECT_EQ(edit->MathEditOptions(), (TMathEditOptions{meoSelfUpdate, meoExecuteOnReturn}));
    EXPECT_EQ(edit->MathErrorOptions(), TMathErrorOptions{meoRaiseExceptions});
    EXPECT_EQ(combo->MathHistoryOption(), mhoDeleteDuplicates);
    EXPECT_EQ(combo->MathErrorOptions(), TMathErrorOptions{meoRaiseExceptions});
    EXPECT_EQ(memo->MaxLength(), 65536);
    EXPECT_EQ(memo->MathErrorOptions(), TMathErrorOptions{meoRaiseExceptions});
    EXPECT_EQ(rich->MathErrorOptions(), TMathErrorOptions{meoWriteExceptionMessage});
    EXPECT_EQ(rich->MathRichEditOptions(), (TMathRichEditOptions{mroUseResultFont, mroUseErrorFont}));
    EXPECT_EQ(rich->MathResultFont().Color(), 0xFF0000);
    EXPECT_EQ(rich->MathErrorFont().Color(), 0x0000FF);
    EXPECT_EQ(rich->MathErrorFont().Style(), TFontStyles{fsBold});
    EXPECT_FALSE(rich->WordWrap());
    EXPECT_EQ(rich->ScrollBars(), ssBoth);

    // Setting a font copies it; the control keeps no link to the given one.
    TFont font;
    font.SetColor(0x00FF00);
    rich->SetMathResultFont(font);
    font.SetColor(0);
    EXPECT_EQ(rich->MathResultFont().Color(), 0x00FF00);
}

TEST_F(MathControlsTest, EditEvaluatesOnReturnAndFiresTheEvent) {
    TComponent* sender = nullptr;
    Variant received;
    edit->SetAfterExecuteExpression([&](TComponent& s, const Variant& res) {
        sender = &s;
        received = res;
    });
    edit->TypeText("1+2");
    edit->PressKey(VK_RETURN);
    EXPECT_EQ(edit->Text(), "3");
    EXPECT_EQ(sender, edit);
    EXPECT_EQ(received, Variant(3));
    EXPECT_EQ(edit->SelLength(), 1);  // AutoSelect

    edit->SetAutoSelect(false);
    edit->SetMathEditOptions({meoExecuteOnReturn});
    edit->SetText("x=2*3");
    edit->SetSelStart(5);
    edit->PressKey(VK_RETURN);
    EXPECT_EQ(edit->Text(), "x=2*3");  // no self-update
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(received, Variant(6));

    edit->SetMathEditOptions({meoSelfUpdate});
    edit->PressKey(VK_RETURN);  // Return does not evaluate any more
    EXPECT_EQ(edit->Text(), "x=2*3");
    EXPECT_EQ(VarToStr(edit->ExecuteExpression()), "6");
    EXPECT_EQ(edit->Text(), "6");
}

TEST_F(MathControlsTest, ErrorsAreWrittenAndReRaisedPerOptions) {
    const std::string message = MessageFor("1+");
    struct Row {
        TMathErrorOptions options;
        bool written, raised;
    } rows[] = {
        {{}, false, false},
        {{meoWriteExceptionMessage}, true, false},
        {{meoRaiseExceptions}, false, true},
        {{meoWriteExceptionMessage, meoRaiseExceptions}, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options.Bits());
        bool fired = false;
        edit->SetAfterExecuteExpression([&](TComponent&, const Variant&) { fired = true; });
        edit->SetMathErrorOptions(row.options);
        edit->SetText("1+");
        EXPECT_EQ(MessageOf([&] { edit->ExecuteExpression(); }), row.raised ? message : "(no error)");
        EXPECT_EQ(edit->Text(), row.written ? message : "1+");
        EXPECT_FALSE(fired);

        // Pressing Return: a re-raised error reaches the application's error display.
        shown.messages.clear();
        edit->SetText("1+");
        edit->PressKey(VK_RETURN);
        EXPECT_EQ(shown.messages, row.raised ? std::vector<std::string>{message} : std::vector<std::string>{});
    }
}

TEST_F(MathControlsTest, ErrorsOfOtherTypesPassUntouched) {
    interpreter->SetOnUnknownSymbol(
        [](TMathInterpreter&, const std::string&, const Variant&, Variant&) { throw std::runtime_error("host"); });
    edit->SetMathErrorOptions({meoWriteExceptionMessage});
    edit->SetText("y");
    EXPECT_THROW(edit->PressKey(VK_RETURN), std::runtime_error);
    EXPECT_EQ(edit->Text(), "y");
}

TEST_F(MathControlsTest, ComboBoxHistory) {
    struct Row {
        TMathHistoryOption option;
        std::vector<std::string> expected;
    } rows[] = {
        {mhoDeleteDuplicates, {"a=1", "b=2"}},
        {mhoPreventDuplicates, {"a=1", "b=2", "a=1"}},
        {mhoAllowDuplicates, {"a=1", "a=1", "b=2", "a=1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.option);
        combo->Items().SetStrings({"a=1", "b=2", "a=1"});
        combo->SetMathHistoryOption(row.option);
        combo->SetText("a=1");
        combo->PressKey(VK_RETURN);
        EXPECT_EQ(LinesOf(combo->Items()), row.expected);
        EXPECT_EQ(combo->Text(), "1");
        EXPECT_EQ(combo->SelLength(), 1);  // all text selected, whatever AutoSelect says
    }
    // Compared exactly: "A=1" is a new item. A failure does not enter the history.
    combo->SetMathHistoryOption(mhoDeleteDuplicates);
    combo->SetText("A=1");
    combo->ExecuteExpression();
    EXPECT_EQ(combo->Items()[0], "A=1");
    combo->SetMathErrorOptions({});
    combo->SetText("1+");
    EXPECT_TRUE(combo->ExecuteExpression().IsEmpty());
    EXPECT_EQ(combo->Items().Count(), 5);
    EXPECT_EQ(combo->Text(), "1+");
}

TEST_F(MathControlsTest, MemoTranscript) {
    memo->TypeText("1+1\r\n2+2");
    memo->PressKey(VK_UP);  // the caret goes to the first line
    memo->PressKey(VK_RETURN);
    EXPECT_EQ(LinesOf(memo->Lines()), (std::vector<std::string>{"1+1", "2+2", "1+1", "2", ""}));
    EXPECT_EQ(memo->SelStart(), memo->GetTextLen());

    // The next expression is typed on the fresh line; Shift+Return evaluates as well.
    memo->TypeText("x=3");
    memo->PressKey(VK_RETURN, {ssShift});
    EXPECT_EQ(LinesOf(memo->Lines()), (std::vector<std::string>{"1+1", "2+2", "1+1", "2", "x=3", "3", ""}));

    memo->Lines().SetStrings({"5"});
    memo->SetSelStart(1);
    EXPECT_EQ(VarToStr(memo->ExecuteExpression()), "5");
    EXPECT_EQ(LinesOf(memo->Lines()), (std::vector<std::string>{"5", "5", ""}));

    // A result that is the empty text (Null) adds its empty line and no other.
    memo->TypeText("delete x");
    memo->PressKey(VK_RETURN);
    EXPECT_EQ(LinesOf(memo->Lines()), (std::vector<std::string>{"5", "5", "delete x", ""}));
}

TEST_F(MathControlsTest, MemoErrors) {
    const std::string message = MessageFor("2$");
    memo->TypeText("2$");
    memo->PressKey(VK_RETURN);  // default options: re-raised, nothing written
    EXPECT_EQ(shown.messages, std::vector<std::string>{message});
    EXPECT_EQ(LinesOf(memo->Lines()), std::vector<std::string>{"2$"});

    memo->SetMathErrorOptions({meoWriteExceptionMessage});
    memo->PressKey(VK_RETURN);
    EXPECT_EQ(LinesOf(memo->Lines()), (std::vector<std::string>{"2$", message, ""}));
}

TEST_F(MathControlsTest, MemoReturnIsConsumedAndOnKeyDownSeesIt) {
    std::vector<TKey> seen;
    memo->SetOnKeyDown([&](TComponent&, TKey& key, TShiftState) { seen.push_back(key); });
    memo->SetMathInterpreter(nullptr);
    memo->TypeText("1");
    memo->PressKey(VK_RETURN);  // without an interpreter nothing happens, and no line break is typed
    EXPECT_EQ(memo->Text(), "1");
    EXPECT_EQ(seen, std::vector<TKey>{0});

    // The edit leaves the key alone; a handler that clears it stops the evaluation.
    edit->SetOnKeyDown([](TComponent&, TKey& key, TShiftState) { key = 0; });
    edit->SetText("1+1");
    edit->PressKey(VK_RETURN);
    EXPECT_EQ(edit->Text(), "1+1");
}

// The attributes of one line's characters, when they all share them.
std::optional<TCharAttributes> LineLook(TMathRichEdit& rich, int line) {
    const auto start = static_cast<int>(rich.Perform(EM_LINEINDEX, line, 0));
    const auto length = static_cast<int>(rich.Perform(EM_LINELENGTH, start, 0));
    std::optional<TCharAttributes> look;
    for (int i = start; i < start + length; ++i) {
        if (look && !(*look == rich.AttributesAt(i))) return std::nullopt;
        look = rich.AttributesAt(i);
    }
    return look;
}

TEST_F(MathControlsTest, RichEditTranscriptWithFonts) {
    const TCharAttributes plain = rich->Font().Attributes();
    rich->TypeText("1+2");
    rich->PressKey(VK_RETURN);
    rich->TypeText("1+");
    rich->PressKey(VK_RETURN);  // default options: the message is written, nothing is raised
    EXPECT_TRUE(shown.messages.empty());
    const std::string message = MessageFor("1+");
    EXPECT_EQ(LinesOf(rich->Lines()), (std::vector<std::string>{"1+2", "3", "1+", message, ""}));
    EXPECT_EQ(LineLook(*rich, 0), plain);
    EXPECT_EQ(LineLook(*rich, 1), rich->MathResultFont().Attributes());
    EXPECT_EQ(LineLook(*rich, 2), plain);
    EXPECT_EQ(LineLook(*rich, 3), rich->MathErrorFont().Attributes());
    EXPECT_EQ(rich->SelAttributes().Attributes(), plain);  // what is typed next

    // Evaluating a result line again copies it in the control's font.
    rich->SetSelStart(5);
    rich->PressKey(VK_RETURN);
    EXPECT_EQ(LinesOf(rich->Lines()), (std::vector<std::string>{"1+2", "3", "1+", message, "", "3", "3", ""}));
    EXPECT_EQ(LineLook(*rich, 5), plain);
    EXPECT_EQ(LineLook(*rich, 6), rich->MathResultFont().Attributes());
}

TEST_F(MathControlsTest, RichEditWithoutTheErrorFontKeepsItsOwnFont) {
    bool fired = false;
    rich->SetAfterExecuteExpression([&](TComponent&, const Variant&) { fired = true; });
    rich->SetMathRichEditOptions({mroUseResultFont});
    rich->TypeText("1+");
    rich->PressKey(VK_RETURN);
    EXPECT_FALSE(fired);
    EXPECT_EQ(LineLook(*rich, 1), rich->Font().Attributes());

    rich->SetMathRichEditOptions({});
    rich->SetMathErrorOptions({meoRaiseExceptions});
    rich->TypeText("7");
    EXPECT_EQ(VarToStr(rich->ExecuteExpression()), "7");
    EXPECT_TRUE(fired);
    EXPECT_EQ(LineLook(*rich, 3), rich->Font().Attributes());
}

TEST_F(MathControlsTest, SomethingAfterSelStart) {
    struct Row {
        const char* text;
        int caret;
        bool expected;
    } rows[] = {
        {"", 0, false},      {"ab", 0, true},  {"ab", 2, true},  {"ab\r\n", 4, false},
        {"ab \r\n", 4, false}, {"a\r\n ", 4, false}, {"a\r\nb", 3, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        memo->SetText(row.text);
        memo->SetSelStart(row.caret);
        EXPECT_EQ(memo->SomethingAfterSelStart(), row.expected);
    }
}

TEST_F(MathControlsTest, DesignerShowsTheBindingAndTheRemovalOfTheInterpreter) {
    form.SetDesigning(true);
    combo->Items().Add("old");
    edit->SetMathInterpreter(interpreter);
    combo->SetMathInterpreter(interpreter);
    EXPECT_EQ(combo->Items().Count(), 0);
    memo->SetText("stale");
    memo->SetMathInterpreter(interpreter);
    EXPECT_EQ(memo->Text(), "");

    delete interpreter;
    EXPECT_EQ(edit->MathInterpreter(), nullptr);
    EXPECT_EQ(edit->Text(), "MathEdit1");
    EXPECT_EQ(combo->Text(), "MathComboBox1");
    EXPECT_EQ(LinesOf(memo->Lines()), std::vector<std::string>{"MathMemo1"});
    EXPECT_EQ(LinesOf(rich->Lines()), std::vector<std::string>{"MathRichEdit1"});
}

TEST_F(MathControlsTest, InterpreterOfAnotherOwnerIsDroppedWhenFreed) {
    auto* elsewhere = new TMathInterpreter(nullptr);
    TMathEdit lone;  // owned by nobody
    lone.SetMathInterpreter(elsewhere);
    edit->SetMathInterpreter(elsewhere);
    delete elsewhere;
    EXPECT_EQ(lone.MathInterpreter(), nullptr);
    EXPECT_EQ(edit->MathInterpreter(), nullptr);
    lone.SetText("1");
    lone.PressKey(VK_RETURN);  // no interpreter: nothing happens
    EXPECT_EQ(lone.Text(), "1");
}

TEST(MathControlsRegisterTest, BothUnitsFillThePalettePage) {
    Mathinterpreter::Register();
    Mathcontrols::Register();
    Mathcontrols::Register();  // again: nothing doubles
    std::vector<std::string> onPage;
    for (const TPaletteEntry& entry : RegisteredComponents())
        if (entry.page == "Tolvex") onPage.push_back(entry.componentClass.name);
    EXPECT_EQ(onPage, (std::vector<std::string>{"TMathInterpreter", "TMathEdit", "TMathComboBox", "TMathMemo",
                                                "TMathRichEdit"}));
    const std::optional<TComponentClass> found = FindClass("tmathrichedit");
    ASSERT_TRUE(found.has_value());
    TComponent owner;
    TComponent* created = found->create(&owner);
    EXPECT_STREQ(created->ClassName(), "TMathRichEdit");
    EXPECT_EQ(owner.ComponentCount(), 1);
}

}  // namespace
}  // namespace tolvex
