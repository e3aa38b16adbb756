#include <gtest/gtest.h>

#include "tolvex/framework/combobox.h"
#include "tolvex/framework/exception.h"
#include "tolvex/framework/edit.h"
#include "tolvex/framework/richedit.h"

namespace tolvex {
namespace {

std::vector<std::string> LinesOf(const TStrings& lines) {
    std::vector<std::string> out;
    for (int i = 0; i < lines.Count(); ++i) out.push_back(lines[i]);
    return out;
}

TEST(MemoLinesTest, EditsOfTheLineList) {
    using Op = std::function<void(TStrings&)>;
    struct Row {
        const char* before;
        Op op;
        const char* after;
    } rows[] = {
        {"", [](TStrings& l) { EXPECT_EQ(l.Add("a"), 0); }, "a"},
        {"", [](TStrings& l) { l.Add(""); }, ""},  // one empty line is the empty text
        {"a", [](TStrings& l) { EXPECT_EQ(l.Add(""), 1); }, "a\r\n"},
        {"a\r\n", [](TStrings& l) { EXPECT_EQ(l.Add("b"), 2); }, "a\r\n\r\nb"},
        {"a\r\nb", [](TStrings& l) { l.Insert(0, "z"); }, "z\r\na\r\nb"},
        {"a\r\nb", [](TStrings& l) { l.Insert(2, "z"); }, "a\r\nb\r\nz"},
        {"a\r\nb", [](TStrings& l) { l.Put(1, "c\nd"); }, "a\r\nc\r\nd"},
        {"a\r\nb\r\nc", [](TStrings& l) { l.Delete(1); }, "a\r\nc"},
        {"a\r\nb", [](TStrings& l) { l.Delete(1); }, "a"},
        {"a", [](TStrings& l) { l.Delete(0); }, ""},
        {"a\r\nb", [](TStrings& l) { l.SetStrings({"", "x", ""}); }, "\r\nx\r\n"},
        {"a\r\nb", [](TStrings& l) { l.SetText("p\nq\r\n"); }, "p\r\nq"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.before);
        TMemo memo;
        memo.SetText(row.before);
        row.op(memo.Lines());
        EXPECT_EQ(memo.Text(), row.after);
    }
    TMemo memo;
    memo.SetText("a\r\n");
    EXPECT_EQ(LinesOf(memo.Lines()), (std::vector<std::string>{"a", ""}));
    EXPECT_THROW(memo.Lines().Get(2), EListError);
    EXPECT_THROW(memo.Lines().Insert(3, "x"), EListError);
}

TEST(MemoLinesTest, LineMessages) {
    TMemo memo;
    memo.SetText("ab\r\n\r\ncde");  // lines start at 0, 4 and 6
    struct Row {
        unsigned message;
        std::intptr_t wParam, expected;
    } rows[] = {
        {EM_LINEFROMCHAR, 0, 0}, {EM_LINEFROMCHAR, 3, 0}, {EM_LINEFROMCHAR, 4, 1}, {EM_LINEFROMCHAR, 9, 2},
        {EM_LINEFROMCHAR, 99, 2}, {EM_LINEINDEX, 1, 4}, {EM_LINEINDEX, 2, 6}, {EM_LINEINDEX, 3, -1},
        {EM_LINELENGTH, 1, 2},   {EM_LINELENGTH, 4, 0}, {EM_LINELENGTH, 7, 3},  {0x9999, 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.message) + ":" + std::to_string(row.wParam));
        EXPECT_EQ(memo.Perform(row.message, row.wParam, 0), row.expected);
    }
    memo.SetSelStart(7);
    memo.SetSelLength(1);
    EXPECT_EQ(memo.Perform(EM_LINEFROMCHAR, -1, 0), 2);
    EXPECT_EQ(memo.Perform(EM_LINEINDEX, -1, 0), 6);
    EXPECT_EQ(memo.Perform(EM_LINELENGTH, -1, 0), 2);  // unselected characters of the line
    TRichEdit rich;
    rich.SetText("a\nb");
    EXPECT_EQ(rich.Perform(EM_EXLINEFROMCHAR, 0, 3), 1);
}

TEST(TextControlTest, TypingAndCaretKeys) {
    TMemo memo;
    memo.TypeText("ab");
    memo.PressKey(VK_RETURN);  // a plain memo types the line break
    memo.TypeText("cd");
    EXPECT_EQ(memo.Text(), "ab\r\ncd");
    const std::pair<TKey, int> moves[] = {
        {VK_LEFT, 5}, {VK_UP, 1}, {VK_END, 2}, {VK_RIGHT, 4}, {VK_LEFT, 2}, {VK_HOME, 0}, {VK_DOWN, 4}, {VK_UP, 0},
    };
    for (const auto& [key, caret] : moves) {
        memo.PressKey(key);
        EXPECT_EQ(memo.SelStart(), caret) << key;
    }
    memo.SetSelStart(4);
    memo.PressKey(VK_BACK);  // a line break goes as one
    EXPECT_EQ(memo.Text(), "abcd");
    memo.PressKey(VK_DELETE);
    EXPECT_EQ(memo.Text(), "abd");
    memo.SelectAll();
    memo.PressKey(VK_BACK);
    EXPECT_EQ(memo.Text(), "");

    TEdit edit;
    edit.SetMaxLength(3);
    edit.TypeText("abcdef");
    EXPECT_EQ(edit.Text(), "abc");
    edit.SetSelStart(1);
    edit.SetSelLength(1);
    EXPECT_EQ(edit.SelText(), "b");
    edit.TypeText("XY");
    EXPECT_EQ(edit.Text(), "aXc");
    edit.SetText("a\nb");  // text set by code is kept as it is, and not limited
    EXPECT_EQ(edit.Text(), "a\nb");
}

TEST(TextControlTest, RichEditCharacterAttributes) {
    TRichEdit rich;
    const TCharAttributes plain = rich.Font().Attributes();
    TCharAttributes red = plain;
    red.color = clRed;
    rich.TypeText("abc");
    rich.SetSelStart(1);
    rich.SetSelLength(1);
    rich.SelAttributes().SetColor(clRed);
    EXPECT_EQ(rich.AttributesAt(0), plain);
    EXPECT_EQ(rich.AttributesAt(1), red);
    EXPECT_EQ(rich.AttributesAt(2), plain);

    rich.SetSelStart(2);  // the caret takes the look of the character before it
    EXPECT_EQ(rich.SelAttributes().Attributes(), red);
    rich.TypeText("x");
    EXPECT_EQ(rich.AttributesAt(2), red);
    rich.SelAttributes().Assign(rich.Font());  // typing attributes only
    rich.TypeText("y");
    EXPECT_EQ(rich.AttributesAt(3), plain);
    EXPECT_EQ(rich.AttributesAt(2), red);

    // A line added by code takes the look of the text before it, like typing at the end.
    rich.SetSelStart(2);
    rich.SetSelLength(3);
    rich.SelAttributes().SetStyle({fsBold});
    rich.Lines().Add("z");
    EXPECT_EQ(rich.AttributesAt(rich.GetTextLen() - 1).style, TFontStyles{fsBold});
    EXPECT_EQ(rich.SelStart(), rich.GetTextLen());

    // Changing the font changes what text without neighbours gets.
    rich.Font().SetColor(clBlue);
    rich.SetText("q");
    EXPECT_EQ(rich.AttributesAt(0).color, clBlue);
}

TEST(TextControlTest, PeerTakesOverTheState) {
    TComboBox combo;
    combo.SetText("abc");
    combo.SetSelStart(1);
    combo.Items().Add("one");
    combo.SetPeer(std::make_unique<THeadlessTextPeer>());
    combo.SetItemsPeer(std::make_unique<TStringList>());
    EXPECT_EQ(combo.Text(), "abc");
    EXPECT_EQ(combo.SelStart(), 1);
    EXPECT_EQ(LinesOf(combo.Items()), std::vector<std::string>{"one"});
}

TEST(ComponentNamesTest, NamesAreIdentifiersAndUniquePerOwner) {
    TComponent owner;
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Edit1");
    for (const char* bad : {"1x", "a b", "nil", "a.b"}) EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
    try {
        b->SetName("EDIT1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named EDIT1 already exists.");
    }
    b->SetName("");
    a->SetName("edit1");  // the same component may change its case
    EXPECT_EQ(owner.FindComponent("EDIT1"), a);
}

// Records removal notices.
class Listener : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<TComponent*> removed;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove) removed.push_back(component);
    }
};

TEST(ComponentNamesTest, FreeNotificationReachesComponentsOfOtherOwners) {
    Listener listener;
    auto* watched = new TComponent(nullptr);
    listener.FreeNotification(watched);
    delete watched;
    EXPECT_EQ(listener.removed, std::vector<TComponent*>{watched});

    // Freed first, the listener unhooks itself; the watched one later has nobody to tell.
    auto* early = new Listener(nullptr);
    TComponent later;
    early->FreeNotification(&later);
    delete early;
    TComponent designing;
    designing.SetDesigning(true);
    EXPECT_TRUE((new TComponent(&designing))->Designing());
}

}  // namespace
}  // namespace tolvex
