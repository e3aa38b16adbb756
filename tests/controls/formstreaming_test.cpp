#include <gtest/gtest.h>

#include "tolvex/controls/mathcontrols.h"
#include "tolvex/framework/reader.h"
#include "tolvex/framework/writer.h"
#include "support/interpreter_fixture.h"

namespace tolvex {
namespace {

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

// A headless form: the root publishes the handlers its components' events are bound to.
class FormStreamingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Mathinterpreter::Register();
        Mathcontrols::Register();
    }

    static std::unique_ptr<TComponent> NewForm(std::vector<std::string>* log = nullptr) {
        auto form = std::make_unique<TComponent>();
        form->PublishMethod<TUnknownSymbolEvent>(
            "UnknownSymbol", [](TMathInterpreter&, const std::string&, const Variant&, Variant& value) { value = 42; });
        form->PublishMethod<TAfterExecuteExpressionEvent>("AfterExecute", [log](TComponent& sender, const Variant& res) {
            if (log) log->push_back(sender.Name() + "=" + VarToStr(res));
        });
        return form;
    }

    // The controls come first in the form, so their references to the interpreter point forward.
    static void Populate(TComponent& form) {
        form.SetName("Form1");
        auto* edit = new TMathEdit(&form);
        edit->SetName("MathEdit1");
        edit->SetText("1+2");
        edit->SetMathEditOptions({meoSelfUpdate});
        edit->SetAutoSelect(false);
        auto* combo = new TMathComboBox(&form);
        combo->SetName("MathComboBox1");
        combo->Items().SetStrings({"a=1", "", "It's \"quoted\"\t\x01\xff"});
        combo->SetMathHistoryOption(mhoPreventDuplicates);
        auto* memo = new TMathMemo(&form);
        memo->SetName("MathMemo1");
        memo->Lines().SetStrings({"", "1+1", "2", ""});
        memo->SetMathErrorOptions({meoRaiseExceptions, meoWriteExceptionMessage});
        auto* rich = new TMathRichEdit(&form);
        rich->SetName("MathRichEdit1");
        rich->Font().SetName("Mono");
        TFont error;
        error.SetStyle({fsItalic, fsUnderline});
        error.SetHeight(-20);
        rich->SetMathErrorFont(error);
        rich->SetMathRichEditOptions({mroUseErrorFont});
        auto* interpreter = new TMathInterpreter(&form);
        interpreter->SetName("MathInterpreter1");
        interpreter->SetCaseSensitiveSymbols(true);
        interpreter->SetMaxFunctionNesting(77);
        interpreter->SetDumpFormat(TDumpFormat{dfDetailed});
        interpreter->SetEscapeChar('\\');
        interpreter->Execute("x=5; s='It''s \\\\ here'; f(a,b):=a+b; Y=2.5");
        interpreter->SetOnUnknownSymbol(form.MethodAddress<TUnknownSymbolEvent>("UnknownSymbol"));
        edit->SetMathInterpreter(interpreter);
        combo->SetMathInterpreter(interpreter);
        memo->SetMathInterpreter(interpreter);
        rich->SetMathInterpreter(interpreter);
        const auto after = form.MethodAddress<TAfterExecuteExpressionEvent>("AfterExecute");
        edit->SetAfterExecuteExpression(after);
        memo->SetAfterExecuteExpression(after);
    }

    template <class T>
    static T& Get(TComponent& form, const char* name) {
        T* component = dynamic_cast<T*>(form.FindComponent(name));
        EXPECT_NE(component, nullptr) << name;
        return *component;
    }
};

TEST_F(FormStreamingTest, FormReadsBackIntoFreshObjects) {
    std::unique_ptr<TComponent> original = NewForm();
    Populate(*original);
    const std::string text = WriteForm(*original);

    EXPECT_NE(text.find("\n    Symbols = \"x=5;\\r\\ns='It''s \\\\\\\\ here';\\r\\nf(a,b):=a+b;\\r\\nY=2.5\"\n"),
              std::string::npos)
        << text;
    for (const char* line : {"    CaseSensitiveSymbols = True\n", "    DumpFormat = [dfDetailed]\n",
                             "    EscapeChar = \"\\\\\"\n", "    MaxFunctionNesting = 77\n",
                             "    OnUnknownSymbol = UnknownSymbol\n", "    MathInterpreter = MathInterpreter1\n",
                             "    MathErrorFont.Style = [fsItalic, fsUnderline]\n", "    AfterExecuteExpression = nil\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    for (const char* absent : {"DumpText", " Expression =", "ExpressionResult"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;

    std::vector<std::string> log;
    std::unique_ptr<TComponent> copy = NewForm(&log);
    ReadForm(*copy, text);
    EXPECT_EQ(WriteForm(*copy), text);  // every stored property is equal

    auto& interpreter = Get<TMathInterpreter>(*copy, "MathInterpreter1");
    EXPECT_EQ(interpreter.DumpStreamable(), Get<TMathInterpreter>(*original, "MathInterpreter1").DumpStreamable());
    EXPECT_EQ(interpreter.SymbolCount(), 4);
    EXPECT_EQ(VarToStr(interpreter.ExecuteExpression("nothing")), "42");  // the bound handler answers
    auto& memo = Get<TMathMemo>(*copy, "MathMemo1");
    EXPECT_EQ(memo.MathInterpreter(), &interpreter);
    EXPECT_EQ(memo.Lines().Count(), 4);
    EXPECT_EQ(Get<TMathComboBox>(*copy, "MathComboBox1").Items()[2], "It's \"quoted\"\t\x01\xff");
    EXPECT_EQ(Get<TMathRichEdit>(*copy, "MathRichEdit1").MathErrorFont().Height(), -20);

    auto& edit = Get<TMathEdit>(*copy, "MathEdit1");
    edit.PressKey(VK_RETURN);  // meoExecuteOnReturn was left out
    EXPECT_EQ(edit.Text(), "1+2");
    edit.ExecuteExpression();
    EXPECT_EQ(log, std::vector<std::string>{"MathEdit1=3"});
}

TEST_F(FormStreamingTest, InheritingFormStoresSymbolsOnlyWhenTheyDiffer) {
    std::unique_ptr<TComponent> ancestor = NewForm();
    Populate(*ancestor);
    const std::string ancestorText = WriteForm(*ancestor);

    std::unique_ptr<TComponent> descendant = NewForm();
    ReadForm(*descendant, ancestorText);
    EXPECT_EQ(WriteForm(*descendant, ancestor.get()).find(" Symbols ="), std::string::npos);

    auto& interpreter = Get<TMathInterpreter>(*descendant, "MathInterpreter1");
    interpreter.ExecuteExpression("z=9");
    const std::string changed = WriteForm(*descendant, ancestor.get());
    EXPECT_NE(changed.find("Symbols = \"x=5;"), std::string::npos) << changed;

    // An inherited form is read as its ancestor's file, then its own, into the same objects.
    std::unique_ptr<TComponent> reread = NewForm();
    ReadForm(*reread, ancestorText);
    ReadForm(*reread, changed);
    EXPECT_EQ(Get<TMathInterpreter>(*reread, "MathInterpreter1").DumpStreamable(), interpreter.DumpStreamable());

    // Emptying the inherited table is a difference too, and reads back as an empty table.
    interpreter.ClearSymbols();
    const std::string emptied = WriteForm(*descendant, ancestor.get());
    EXPECT_NE(emptied.find("Symbols = \"\"\n"), std::string::npos) << emptied;
    std::unique_ptr<TComponent> empty = NewForm();
    ReadForm(*empty, ancestorText);
    ReadForm(*empty, emptied);
    EXPECT_EQ(Get<TMathInterpreter>(*empty, "MathInterpreter1").SymbolCount(), 0);
}

TEST_F(FormStreamingTest, ReadingIntoTheDesignerKeepsTheStoredText) {
    std::unique_ptr<TComponent> original = NewForm();
    Populate(*original);
    std::unique_ptr<TComponent> designed = NewForm();
    designed->SetDesigning(true);
    ReadForm(*designed, WriteForm(*original));
    EXPECT_EQ(Get<TMathEdit>(*designed, "MathEdit1").Text(), "1+2");
    EXPECT_EQ(Get<TMathMemo>(*designed, "MathMemo1").Lines().Count(), 4);
    EXPECT_TRUE(Get<TMathMemo>(*designed, "MathMemo1").Designing());
}

TEST_F(FormStreamingTest, EmptyTableAndAnonymousHandlerAreNotStored) {
    TComponent form;
    auto* interpreter = new TMathInterpreter(&form);
    interpreter->SetName("MathInterpreter1");
    interpreter->SetOnUnknownSymbol([](TMathInterpreter&, const std::string&, const Variant&, Variant&) {});
    const std::string text = WriteForm(form);
    EXPECT_EQ(text.find(" Symbols ="), std::string::npos);
    EXPECT_EQ(text.find("OnUnknownSymbol"), std::string::npos);
}

TEST_F(FormStreamingTest, BrokenSymbolTextFailsWithTheInterpretersMessage) {
    std::unique_ptr<TComponent> form = NewForm();
    const std::string text =
        "object Form1: TComponent\n  object MathInterpreter1: TMathInterpreter\n    Symbols = \"a=1;\\r\\nb=2$\"\n  end\nend\n";
    // The failing statement begins after the ";".
    const std::string expected = test::MessageOf([] { TMathInterpreter().ExecuteExpression("\r\nb=2$"); });
    ASSERT_NE(expected, "(no error)");
    EXPECT_EQ(test::MessageOf([&] { ReadForm(*form, text); }), expected);
    auto& interpreter = Get<TMathInterpreter>(*form, "MathInterpreter1");
    EXPECT_FALSE(interpreter.Loading());
    EXPECT_EQ(interpreter.SymbolCount(), 1);  // the statements before the failing one stay
}

}  // namespace
}  // namespace tolvex
