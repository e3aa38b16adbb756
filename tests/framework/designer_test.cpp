#include <gtest/gtest.h>

#include <algorithm>

#include "tolvex/framework/designer.h"
#include "support/interpreter_fixture.h"
#include "support/ui_fixture.h"

namespace tolvex {
namespace {

using test::MessageOf;

// A component with two string properties, one of which refuses some values.
class TWidget : public TComponent {
public:
    using TComponent::TComponent;
    const char* ClassName() const override { return "TWidget"; }
    void DescribeProperties(TPropertyList& list) override {
        list.AddString("Label", [this] { return label; }, [this](const std::string& v) {
            if (v == refused) throw Exception("refused");
            label = v;
        });
        list.AddString("Note", [this] { return note; }, [this](const std::string& v) { note = v; });
        list.AddInteger("Size", [] { return 0; }, [](std::int64_t) {}, 0, 10);
    }
    std::string label, note, refused = "bad";
};

class TFancyWidget : public TWidget {
public:
    using TWidget::TWidget;
    const char* ClassName() const override { return "TFancyWidget"; }
};

class TLabelEditor : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    const char* ClassName() const override { return "TLabelEditor"; }
    TPropertyAttributes GetAttributes() override { return {paValueList, paMultiSelect}; }
    void GetValues(const std::function<void(const std::string&)>& add) override {
        for (const char* v : {"one", "two", "three"}) add(v);
    }
};

class TFancyLabelEditor : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    const char* ClassName() const override { return "TFancyLabelEditor"; }
    TPropertyAttributes GetAttributes() override { return {paDialog}; }
};

class TWidgetEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    const char* ClassName() const override { return "TWidgetEditor"; }
    int GetVerbCount() override { return 2; }
    std::string GetVerb(int index) override { return index == 0 ? "Poke" : "Prod"; }
    void ExecuteVerb(int index) override { static_cast<TWidget&>(Component()).note = GetVerb(index); }
};

class DesignerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterPropertyEditor(TPropertyKind::String, ClassOf<TWidget>(), "Label", PropertyEditorClassOf<TLabelEditor>());
        RegisterPropertyEditor(TPropertyKind::String, ClassOf<TFancyWidget>(), "label",
                               PropertyEditorClassOf<TFancyLabelEditor>());
        RegisterComponentEditor(ClassOf<TWidget>(), ComponentEditorClassOf<TWidgetEditor>());
    }

    std::unique_ptr<TPropertyEditor> Editor(std::vector<TComponent*> selection, const std::string& name) {
        return GetPropertyEditor(designer, selection, name);
    }
    static std::string ClassOfEditor(const std::unique_ptr<TPropertyEditor>& editor) {
        return editor ? editor->ClassName() : "none";
    }

    TComponent root;
    TWidget* a = new TWidget(&root);
    TWidget* b = new TWidget(&root);
    TFancyWidget* fancy = new TFancyWidget(&root);
    test::CountingDesigner designer;
};

TEST_F(DesignerTest, WhichEditorAPropertyGets) {
    struct Row {
        std::vector<TComponent*> selection;
        const char* property;
        const char* editor;
    } rows[] = {
        {{a}, "Label", "TLabelEditor"},
        {{a}, "LABEL", "TLabelEditor"},
        {{fancy}, "Label", "TFancyLabelEditor"},  // the latest registration that fits
        {{a, fancy}, "Label", "TLabelEditor"},    // the fancy one does not fit both
        {{fancy, fancy}, "Label", "none"},        // and it lacks paMultiSelect
        {{a}, "Note", "TStringProperty"},
        {{a}, "Size", "none"},
        {{a}, "Missing", "none"},
        {{a, &root}, "Label", "none"},
        {{}, "Label", "none"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.property);
        EXPECT_EQ(ClassOfEditor(Editor(row.selection, row.property)), row.editor);
    }
    EXPECT_STREQ(GetComponentEditor(*fancy, designer)->ClassName(), "TWidgetEditor");
    EXPECT_STREQ(GetComponentEditor(root, designer)->ClassName(), "TComponentEditor");
    const auto entries = RegisteredPropertyEditors();
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.componentClass == "TWidget"; }),
              1);
}

TEST_F(DesignerTest, ValuesReadFromTheFirstAndWrittenToAll) {
    a->note = "first";
    b->note = "second";
    const auto editor = Editor({a, b}, "Note");
    EXPECT_EQ(editor->GetValue(), "first");
    editor->SetValue("both");
    EXPECT_EQ(a->note + b->note, "bothboth");
    EXPECT_EQ(designer.modified, 1);

    // The second assignment fails: the first one stays, and the designer hears of it.
    a->refused.clear();
    b->refused = "late";
    EXPECT_EQ(MessageOf([&] { Editor({a, b}, "Label")->SetValue("late"); }), "refused");
    EXPECT_EQ(a->label, "late");
    EXPECT_EQ(designer.modified, 2);
    // The first one fails: nothing changed, nothing to tell.
    EXPECT_EQ(MessageOf([&] { Editor({b, a}, "Label")->SetValue("late"); }), "refused");
    EXPECT_EQ(designer.modified, 2);

    // A value list: Edit moves on to the next value, after the last to the first.
    const auto labels = Editor({a}, "Label");
    a->label = "two";
    labels->Edit();
    EXPECT_EQ(a->label, "three");
    labels->Edit();
    EXPECT_EQ(a->label, "one");
    Editor({a}, "Note")->Edit();  // no value list: nothing
    EXPECT_EQ(a->note, "both");
}

TEST_F(DesignerTest, ComponentEditorVerbs) {
    const auto editor = GetComponentEditor(*a, designer);
    EXPECT_EQ(&editor->Component(), a);
    EXPECT_EQ(&editor->GetDesigner(), &designer);
    editor->Edit();  // a double click: the first verb
    EXPECT_EQ(a->note, "Poke");
    TComponentEditor plain(root, designer);
    plain.Edit();
    EXPECT_EQ(plain.GetVerbCount(), 0);
    EXPECT_EQ(plain.GetVerb(0), "");
}

}  // namespace
}  // namespace tolvex
