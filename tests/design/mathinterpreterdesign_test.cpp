#include "tolvex/design/mathinterpreterdesign.h"

#include <algorithm>

#include "design/design_fixture.h"
#include "tolvex/design/editexpressionform.h"
#include "tolvex/design/mathdumpform.h"
#include "tolvex/framework/cast.h"

namespace tolvex {
namespace {

using test::MessageOf;

// A descendant with its own symbol-file operations, which the verbs must reach.
class TLoggingInterpreter : public TMathInterpreter {
public:
    using TMathInterpreter::TMathInterpreter;
    const char* ClassName() const override { return "TLoggingInterpreter"; }
    void LoadSymbolsFromFile(const std::string& fileName) override { log.push_back("load " + fileName); }
    void SaveSymbolsToFile(const std::string& fileName) override { log.push_back("save " + fileName); }
    std::vector<std::string> log;
};

class DesignPackageTest : public test::DesignTest {
protected:
    std::unique_ptr<TPropertyEditor> EditorFor(const std::string& property,
                                               std::vector<TComponent*> components = {}) {
        if (components.empty()) components = {interpreter};
        return GetPropertyEditor(designer, components, property);
    }
};

TEST_F(DesignPackageTest, RegisterInstallsTheEditors) {
    std::vector<TPropertyEditorEntry> properties = RegisteredPropertyEditors();
    std::erase_if(properties, [](const auto& e) { return e.componentClass != "TMathInterpreter"; });
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(properties[0].propertyName, "Expression");
    EXPECT_EQ(properties[0].editorClass, "TMathExpressionProperty");
    EXPECT_EQ(properties[1].propertyName, "DumpText");
    EXPECT_EQ(properties[1].editorClass, "TMathDumpProperty");
    EXPECT_EQ(properties[1].propertyType, TPropertyKind::String);
    const auto components = RegisteredComponentEditors();
    EXPECT_EQ(std::count_if(components.begin(), components.end(),
                            [](const auto& e) {
                                return e.componentClass == "TMathInterpreter" &&
                                       e.editorClass == "TMathInterpreterComponentEditor";
                            }),
              1);

    const std::size_t propertyCount = RegisteredPropertyEditors().size();
    Mathinterpreterdesign::Register();  // again, and through the plug-in's entry point: nothing new
    TolvexDesignRegister();
    EXPECT_EQ(RegisteredPropertyEditors().size(), propertyCount);
    EXPECT_EQ(RegisteredComponentEditors().size(), components.size());

    struct Row {
        const char* property;
        const char* editor;
        TPropertyAttributes attributes;
    } rows[] = {
        {"Expression", "TMathExpressionProperty", {paMultiSelect, paRevertable, paDialog}},
        {"DumpText", "TMathDumpProperty", {paDialog}},
        {"ExpressionResult", "TStringProperty", {paMultiSelect, paRevertable}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.property);
        const auto editor = EditorFor(row.property);
        ASSERT_NE(editor, nullptr);
        EXPECT_STREQ(editor->ClassName(), row.editor);
        EXPECT_EQ(editor->GetAttributes(), row.attributes);
    }

    // A descendant gets the same editors; the dump editor is not offered for several components.
    TLoggingInterpreter descendant(&form);
    EXPECT_STREQ(GetComponentEditor(descendant, designer)->ClassName(), "TMathInterpreterComponentEditor");
    EXPECT_NE(EditorFor("Expression", {interpreter, &descendant}), nullptr);
    EXPECT_EQ(EditorFor("DumpText", {interpreter, &descendant}), nullptr);
}

TEST_F(DesignPackageTest, Verbs) {
    const auto editor = GetComponentEditor(*interpreter, designer);
    EXPECT_EQ(editor->GetVerbCount(), 3);
    const std::pair<int, const char*> verbs[] = {
        {0, "Math editor..."}, {1, "Load symbols..."}, {2, "Save symbols..."}, {3, ""}, {-1, ""}};
    for (const auto& [index, text] : verbs) EXPECT_EQ(editor->GetVerb(index), text) << index;

    for (const int index : {3, -1}) editor->ExecuteVerb(index);
    EXPECT_EQ(modal.shown, 0);
    EXPECT_TRUE(dialogs->seen.empty());
    EXPECT_EQ(designer.modified, 0);

    editor->Edit();  // a double click runs the first verb
    EXPECT_EQ(modal.classes, std::vector<std::string>{"TfrmMathEditor"});

    TComponent notAnInterpreter;
    TMathInterpreterComponentEditor wrong(notAnInterpreter, designer);
    for (const int index : {0, 1, 2}) EXPECT_THROW(wrong.ExecuteVerb(index), EInvalidCast);
}

TEST_F(DesignPackageTest, LoadSymbolsVerb) {
    interpreter->Execute("old=1");
    dialogs->Answer(std::nullopt);
    ExecuteVerb(1);
    EXPECT_TRUE(interpreter->SymbolExists("old"));
    EXPECT_EQ(designer.modified, 0);

    const std::string file = WriteFile("verb_load.txt", "x=5;\r\ns='a';\r\nf(a,b):=a+b");
    dialogs->Answer(file.substr(0, file.size() - 4));
    ExecuteVerb(1);
    EXPECT_EQ(interpreter->DumpStreamable(), "x=5;\r\ns='a';\r\nf(a,b):=a+b");
    EXPECT_EQ(designer.modified, 1);
    ASSERT_EQ(dialogs->seen.size(), 2u);
    EXPECT_EQ(dialogs->seen[1].kind, "open");
    EXPECT_EQ(dialogs->seen[1].defaultExt, "txt");
    EXPECT_EQ(dialogs->seen[1].filter, "*.txt|*.txt|*.*|*.*");

    // A failing load passes its error on and is not reported as a modification.
    dialogs->Answer(WriteFile("verb_bad.txt", "a=1;\r\nb=2;\r\n1+"));
    const std::string expected = MessageOf([] { TMathInterpreter().ExecuteExpression("\r\n1+"); });
    EXPECT_TRUE(MessageOf([&] { ExecuteVerb(1); }).starts_with(expected));
    EXPECT_EQ(interpreter->DumpStreamable(), "a=1;\r\nb=2");
    EXPECT_EQ(designer.modified, 1);
}

TEST_F(DesignPackageTest, SaveSymbolsVerbNeverMarksModified) {
    interpreter->Execute("x=5;s='It''s'");
    dialogs->Answer(std::nullopt);
    ExecuteVerb(2);
    const std::string file = TempFile("verb_save.txt");
    dialogs->Answer(file);
    ExecuteVerb(2);
    EXPECT_EQ(ReadFile(file), "x=5;\r\ns='It''s'");
    EXPECT_EQ(dialogs->seen.back().kind, "save");
    EXPECT_EQ(dialogs->seen.back().defaultExt, "txt");
    EXPECT_EQ(designer.modified, 0);
}

TEST_F(DesignPackageTest, VerbsReachTheDescendantsOwnFileOperations) {
    TLoggingInterpreter descendant(&form);
    dialogs->Answer("in.txt");
    dialogs->Answer("out");
    const auto editor = GetComponentEditor(descendant, designer);
    editor->ExecuteVerb(1);
    editor->ExecuteVerb(2);
    EXPECT_EQ(descendant.log, (std::vector<std::string>{"load in.txt", "save out.txt"}));
}

TEST_F(DesignPackageTest, ExpressionEditor) {
    interpreter->SetExpression("n=1");
    const auto editor = EditorFor("Expression");

    // Cancelled: nothing written, nothing executed.
    modal.Then<TfrmEditExpression>([](TfrmEditExpression& w) {
        EXPECT_EQ(w.memExpression->Text(), "n=1");
        w.memExpression->SetText("n=99");
        w.btnCancel->MouseClick();
    });
    editor->Edit();
    EXPECT_EQ(interpreter->Expression(), "n=1");
    EXPECT_EQ(VarToStr(interpreter->GetVariables("n")), "1");
    EXPECT_EQ(designer.modified, 0);

    // Confirmed unchanged: the same text is written, and so executed, again.
    interpreter->ExecuteExpression("n=5");
    modal.Then<TfrmEditExpression>([](TfrmEditExpression& w) { w.btnOK->MouseClick(); });
    editor->Edit();
    EXPECT_EQ(VarToStr(interpreter->GetVariables("n")), "1");
    EXPECT_EQ(designer.modified, 1);

    // Escape in the memo cancels.
    modal.Then<TfrmEditExpression>([](TfrmEditExpression& w) {
        w.memExpression->SetText("n=7");
        w.PressKey(VK_ESCAPE);
        EXPECT_EQ(w.ModalResult(), mrCancel);
    });
    editor->Edit();
    EXPECT_EQ(interpreter->Expression(), "n=1");
}

TEST_F(DesignPackageTest, ExpressionEditorWritesToEverySelectedInterpreter) {
    auto* second = new TMathInterpreter(&form);
    second->SetName("MathInterpreter2");
    const auto editor = EditorFor("Expression", {interpreter, second});
    modal.Then<TfrmEditExpression>([](TfrmEditExpression& w) {
        w.memExpression->SetText("v=6*7");
        w.memExpression->SetSelStart(5);
        w.PressKey(VK_RETURN);  // the memo takes Return as a line break
        w.btnOK->SetFocus();
        w.PressKey(VK_RETURN);  // the focused button takes it
    });
    editor->Edit();
    for (TMathInterpreter* each : {interpreter, second}) {
        EXPECT_EQ(each->Expression(), "v=6*7\r\n");
        EXPECT_EQ(each->GetExpressionResult(), "42");
    }
    EXPECT_EQ(designer.modified, 1);

    // At design time an error of the written text is shown, not raised.
    modal.Then<TfrmEditExpression>([](TfrmEditExpression& w) {
        w.memExpression->SetText("1+");
        w.btnOK->MouseClick();
    });
    editor->Edit();
    EXPECT_EQ(shown.messages.size(), 2u);
    EXPECT_EQ(interpreter->GetExpressionResult(), shown.messages[0]);
}

TEST_F(DesignPackageTest, DumpEditorShowsAndWritesNothing) {
    interpreter->Execute("x=5;s='a'");
    const auto editor = EditorFor("DumpText");
    EXPECT_EQ(editor->GetValue(), interpreter->GetDumpText());
    modal.Then<TfrmMathDump>([&](TfrmMathDump& w) {
        EXPECT_EQ(w.Owner(), nullptr);
        EXPECT_EQ(w.memDump->Text(), interpreter->GetDumpText());
        w.memDump->SetReadOnly(false);
        w.memDump->SetText("changed");
        w.btnClose->MouseClick();
        EXPECT_EQ(w.ModalResult(), mrOk);
    });
    editor->Edit();
    EXPECT_EQ(interpreter->DumpStreamable(), "x=5;\r\ns='a'");
    EXPECT_EQ(designer.modified, 0);

    // Typing into the inspector is refused by the interpreter itself.
    EXPECT_EQ(MessageOf([&] { editor->SetValue("x"); }), "TMathInterpreter.DumpText property is for display purposes only.");
    EXPECT_EQ(designer.modified, 0);
}

}  // namespace
}  // namespace tolvex
