#include <gtest/gtest.h>

#include <climits>

#include "tolvex/framework/classes.h"
#include "tolvex/framework/font.h"
#include "tolvex/framework/formtext.h"
#include "tolvex/framework/reader.h"
#include "tolvex/framework/writer.h"

namespace tolvex {
namespace {

using TPokeEvent = std::function<void(int)>;
enum TProbeKind : std::uint8_t { pkOne, pkTwo, pkThree };
constexpr const char* kProbeKindNames[] = {"pkOne", "pkTwo", "pkThree"};

// A component with a property of every kind and one custom property.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner = nullptr) : TComponent(owner) {}
    const char* ClassName() const override { return "TProbe"; }

    void DescribeProperties(TPropertyList& list) override {
        list.AddInteger("Count", [this] { return count; }, [this](std::int64_t v) { count = static_cast<int>(v); }, -100, 100);
        list.AddBoolean("Flag", [this] { return flag; }, [this](bool v) { flag = v; });
        list.AddString("Caption", [this] { return caption; }, [this](const std::string& v) { caption = v; });
        list.AddChar("Mark", [this] { return mark; }, [this](char v) { mark = v; });
        list.AddEnumeration("Kind", kProbeKindNames, [this] { return static_cast<int>(kind); },
                            [this](int v) { kind = static_cast<TProbeKind>(v); });
        list.AddSet("Kinds", kProbeKindNames, [this] { return kinds; }, [this](std::uint32_t v) { kinds = v; });
        list.AddComponent<TProbe>("Buddy", [this] { return buddy; }, [this](TProbe* v) { buddy = v; });
        list.AddMethod<TPokeEvent>("OnPoke", [this] { return onPoke; }, [this](TPokeEvent v) { onPoke = std::move(v); });
        list.AddStrings("Items", items);
        list.AddObject("Font", font);
        list.AddString("Scratch", [this] { return scratch; }, [this](const std::string& v) { scratch = v; }, false);
    }
    void DefineProperties(TFiler& filer) override {
        filer.DefineProperty(
            "Extra", [this](TReader& r) { extra = r.ReadString(); }, [this](TWriter& w) { w.WriteString(extra); },
            [this, &filer] {
                const auto* ancestor = dynamic_cast<const TProbe*>(filer.Ancestor());
                return extra != (ancestor ? ancestor->extra : std::string());
            });
    }
    void Loaded() override { loadedWhileLoading.push_back(Loading()); }

    int count = 0;
    bool flag = false;
    std::string caption, scratch = "not stored", extra;
    char mark = 'm';
    TProbeKind kind = pkOne;
    std::uint32_t kinds = 0;
    TProbe* buddy = nullptr;
    TPokeEvent onPoke;
    TStringList items;
    TFont font;
    std::vector<bool> loadedWhileLoading;
};

std::string WriteForm(TComponent& root, TComponent* ancestor = nullptr) {
    TMemoryStream stream;
    TWriter(stream).WriteRootComponent(root, ancestor);
    return stream.Data();
}

void ReadForm(TComponent& root, const std::string& text) {
    TMemoryStream stream;
    stream.SetData(text);
    TReader(stream).ReadRootComponent(root);
}

// The message of the read error `run` raises, or "no error"; other errors pass.
template <class F>
std::string ReadErrorOf(F&& run) {
    try {
        run();
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "no error";
}

class FormFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterClass(ClassOf<TProbe>()); }
    FormFileTest() {
        root.SetName("Form1");
        root.PublishMethod<TPokeEvent>("Poke", [this](int n) { poked += n; });
    }
    TComponent root;
    int poked = 0;
};

TEST(FormTextTest, ValuesReadBackAsWritten) {
    std::string allBytes;
    for (int c = 0; c < 256; ++c) allBytes += static_cast<char>(c);
    const TPropertyValue values[] = {
        std::int64_t{0}, std::int64_t{-42}, std::int64_t{INT64_MIN}, true, false, std::string(), allBytes,
        TIdent{"pkTwo"}, TSetValue{}, TSetValue{{"pkOne", "pkThree"}}, TListValue{}, TListValue{{"", "a, b", "\"", "\r\n"}},
    };
    for (const TPropertyValue& value : values) {
        const std::string text = FormatValue(value);
        SCOPED_TRACE(text);
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);  // one line
        EXPECT_EQ(ParseValue(text, 1), value);
    }
    EXPECT_EQ(FormatValue(std::string("a\"b\\\x7f")), "\"a\\\"b\\\\\\x7F\"");
}

TEST(FormTextTest, MalformedValues) {
    const std::pair<const char*, const char*> rows[] = {
        {"", "Form file line 7: Missing value"},
        {"\"abc", "Form file line 7: Unterminated string"},
        {"\"a\\q\"", "Form file line 7: Invalid escape \\q"},
        {"\"\\x4\"", "Form file line 7: Invalid \\x escape"},
        {"12a", "Form file line 7: Invalid integer 12a"},
        {"99999999999999999999", "Form file line 7: Invalid integer 99999999999999999999"},
        {"[a b]", "Form file line 7: Expected \",\" or \"]\""},
        {"(\"a\",)", "Form file line 7: Expected a string"},
        {"[a", "Form file line 7: Expected \",\" or \"]\""},
        {"a b", "Form file line 7: Unexpected text after the value"},
        {"+", "Form file line 7: Expected a value"},
    };
    for (const auto& row : rows) EXPECT_EQ(ReadErrorOf([&] { ParseValue(row.first, 7); }), row.second) << row.first;
}

TEST_F(FormFileTest, EveryKindOfPropertyReadsBack) {
    auto* first = new TProbe(&root);
    auto* second = new TProbe(&root);
    first->SetName("First");
    second->SetName("Second");
    first->count = -7;
    first->flag = true;
    first->caption = "line\r\nbreak";
    first->mark = '\0';
    first->kind = pkThree;
    first->kinds = 5;
    first->buddy = second;  // a reference forward in the file
    first->onPoke = root.MethodAddress<TPokeEvent>("Poke");
    first->items.SetStrings({"x", ""});
    first->font.SetStyle({fsBold});
    first->extra = "custom";
    second->buddy = second;
    const std::string text = WriteForm(root);
    EXPECT_EQ(text.find("Scratch"), std::string::npos);

    TComponent copy;
    copy.PublishMethod<TPokeEvent>("Poke", [this](int n) { poked += 10 * n; });
    ReadForm(copy, text);
    EXPECT_EQ(WriteForm(copy), text);
    EXPECT_EQ(copy.Name(), "Form1");
    auto* read = dynamic_cast<TProbe*>(copy.FindComponent("first"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->buddy, copy.FindComponent("Second"));
    EXPECT_EQ(read->extra, "custom");
    EXPECT_EQ(read->loadedWhileLoading, std::vector<bool>{false});  // once, after loading ended
    read->onPoke(2);
    EXPECT_EQ(poked, 20);
}

TEST_F(FormFileTest, AncestorLeavesOutWhatIsInherited) {
    auto* probe = new TProbe(&root);
    probe->SetName("P");
    probe->extra = "e";
    TComponent descendant;
    ReadForm(descendant, WriteForm(root));
    EXPECT_EQ(WriteForm(descendant, &root), "object Form1: TComponent\n  object P: TProbe\n  end\nend\n");
    auto* inherited = dynamic_cast<TProbe*>(descendant.FindComponent("P"));
    inherited->count = 3;
    inherited->font.SetColor(clRed);
    inherited->extra.clear();
    EXPECT_EQ(WriteForm(descendant, &root),
              "object Form1: TComponent\n  object P: TProbe\n    Count = 3\n    Font.Color = 255\n    Extra = \"\"\n"
              "  end\nend\n");
}

TEST_F(FormFileTest, WriterRefusesReferencesOutsideTheRoot) {
    auto* probe = new TProbe(&root);
    probe->SetName("P");
    TProbe stranger;
    stranger.SetName("Stranger");
    probe->buddy = &stranger;
    EXPECT_THROW(WriteForm(root), EWriteError);
    probe->buddy = probe;
    probe->onPoke = [](int) {};  // assigned in code: no name to store
    EXPECT_EQ(WriteForm(root).find("OnPoke"), std::string::npos);
}

TEST_F(FormFileTest, ReaderErrors) {
    const std::pair<const char*, const char*> files[] = {
        {"", "Form file line 1: Missing \"object\""},
        {"thing", "Form file line 1: Expected \"object\""},
        {"object Form1: TForm\nend", "Form file line 1: The form file holds a TForm, not a TComponent"},
        {"object Form1: TComponent\n", "Form file line 1: Missing \"end\""},
        {"object Form1: TComponent\nend\nend", "Form file line 3: Text after the end of the form"},
        {"object 1x: TComponent\nend", "Form file line 1: Invalid component name"},
        {"object Form1: TComponent\n  object A: TNowhere\n  end\nend", "Form file line 2: Class TNowhere not found"},
        {"object Form1: TComponent\n  object A: TProbe\n  end\n  object A: TComponent\n  end\nend",
         "Form file line 4: Component A is a TProbe, not a TComponent"},
    };
    // One property line in component A of an otherwise sound file.
    const std::pair<const char*, const char*> properties[] = {
        {"Size = 1", "Form file line 3: Property A.Size does not exist"},
        {"Font.Size = 1", "Form file line 3: Property A.Font.Size does not exist"},
        {"Count", "Form file line 3: Expected \"=\""},
        {"Count = 101", "Form file line 3: Error reading A.Count: Invalid property value"},
        {"Kind = pkFour", "Form file line 3: Error reading A.Kind: Invalid property value"},
        {"Mark = \"ab\"", "Form file line 3: Error reading A.Mark: Invalid property value"},
        {"Extra = 5", "Form file line 3: Error reading A.Extra: Invalid property value"},
        {"Buddy = B", "Form file line 3: Error reading A.Buddy: Component B not found"},
        {"OnPoke = Nothing", "Form file line 3: Error reading A.OnPoke: Method Nothing not found"},
        {"OnPoke = Wrong", "Form file line 3: Error reading A.OnPoke: Method Wrong does not fit the event"},
    };
    const auto check = [](const std::string& text, const char* message) {
        SCOPED_TRACE(text);
        TComponent form;
        form.PublishMethod<std::function<void()>>("Wrong", [] {});
        EXPECT_EQ(ReadErrorOf([&] { ReadForm(form, text); }), message);
        for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Components(i)->Loading());
    };
    for (const auto& [text, message] : files) check(text, message);
    for (const auto& [line, message] : properties)
        check(std::string("object Form1: TComponent\n  object A: TProbe\n    ") + line + "\n  end\nend", message);
}

TEST_F(FormFileTest, DeepNestingIsRefused) {
    std::string text = "object Form1: TComponent\n";
    for (int i = 0; i < 40; ++i) text += "object TProbe\n";
    TComponent form;
    EXPECT_THROW(ReadForm(form, text), EReadError);
}

}  // namespace
}  // namespace tolvex
