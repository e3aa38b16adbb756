#include "tolvex/design/matheditorform.h"

#include "design/design_fixture.h"
#include "tolvex/framework/sysutils.h"

namespace tolvex {
namespace {

using test::LinesOf;
using test::MessageOf;

class MathEditorTest : public test::DesignTest {
protected:
    // Opens the editor through the component editor's verb and runs `script` in it.
    void Open(std::function<void(TfrmMathEditor&)> script) {
        modal.Then<TfrmMathEditor>(std::move(script));
        ExecuteVerb(0);
    }

    // Types a line into the transcript and presses Return, as the user does.
    static void Evaluate(TfrmMathEditor& w, const std::string& text) {
        w.mreExecute->TypeText(text);
        w.PressKey(VK_RETURN);
    }

    // The caret on the dump line that starts with `start`.
    static void PutCaretOn(TfrmMathEditor& w, const std::string& start) {
        const std::string text = w.memDump->Text();
        const std::size_t at = text.rfind("\n" + start);
        w.memDump->SetSelStart(text.starts_with(start) ? 0 : static_cast<int>(at + 1));
    }
};

TEST_F(MathEditorTest, WindowAndControls) {
    TfrmMathEditor w;
    EXPECT_EQ(w.Caption(), "Veldar's Math Interpreter");
    EXPECT_TRUE(w.KeyPreview());
    EXPECT_EQ(w.PC->ActivePage(), w.tsExecute);
    EXPECT_EQ(MethodName(w.PC->OnChanging()), "PCChanging");
    EXPECT_EQ(MethodName(w.OnHide()), "FormHide");
    EXPECT_EQ(w.mreExecute->Font().Attributes(), (TCharAttributes{"MS Sans Serif", -11, clBlack, {}}));
    EXPECT_EQ(w.mreExecute->MathErrorFont().Attributes(), (TCharAttributes{"MS Sans Serif", -11, clRed, {fsBold}}));
    EXPECT_TRUE(w.memDump->ReadOnly());
    EXPECT_FALSE(w.memDump->WantReturns());
    const std::pair<const char*, const char*> captions[] = {
        {"tsExecute", "&Execute"},
        {"tsSymbols", "&Symbols (DumpText)"},
        {"gbLocateSymbol", "&Locate symbol"},
        {"btnDeleteSymbol", "&Delete symbol"},
        {"Button1", "&Clear symbols"},
        {"tsProperties", "&Properties"},
        {"chkCaseSensitiveSymbols", "&CaseSensitiveSymbols"},
        {"gbDumpFormat", "DumpFormat"},
        {"chkDfDetailed", "df&Detailed"},
        {"chkDfQualified", "df&Qualified"},
        {"Label1", "EscapeC&har"},
        {"Label2", "&MaxFunctionNesting"},
        {"btnLoadSymbolsFormFile", "&LoadSymbolsFormFile..."},
        {"btnExecuteFromFile", "E&xecuteFromFile..."},
        {"btnSaveSymbolsToFile", "S&aveSymbolsToFile..."},
    };
    for (const auto& [name, caption] : captions) {
        auto* control = dynamic_cast<TControl*>(w.FindComponent(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->Caption(), caption) << name;
    }
}

TEST_F(MathEditorTest, ShowingWithoutInterpreterFails) {
    TfrmMathEditor w;
    EXPECT_EQ(MessageOf([&] { w.ShowModal(); }),
              "TfrmMathEditor.FormShow() Innternal error in Tolvex Design package. MI not assigned.");
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(modal.shown, 0);
}

TEST_F(MathEditorTest, TranscriptAndSymbolsPage) {
    interpreter->ExecuteExpression("y=1");
    Open([&](TfrmMathEditor& w) {
        EXPECT_EQ(w.MI(), interpreter);
        EXPECT_EQ(w.mreExecute->MathInterpreter(), interpreter);
        EXPECT_TRUE(w.mreExecute->Focused());
        Evaluate(w, "x=2*3");
        Evaluate(w, "1/");
        const std::string error = MessageOf([] { TMathInterpreter().ExecuteExpression("1/"); });
        EXPECT_EQ(LinesOf(w.mreExecute->Lines()), (std::vector<std::string>{"x=2*3", "6", "1/", error, ""}));
        EXPECT_EQ(w.mreExecute->AttributesAt(static_cast<int>(w.mreExecute->Text().find(error))).color, clRed);

        w.PC->ClickTab(*w.tsSymbols);
        EXPECT_EQ(w.memDump->Text(), interpreter->GetDumpText());
        EXPECT_EQ(LinesOf(w.memDump->Lines()), (std::vector<std::string>{"y=1;", "x=6"}));
        w.PC->ClickTab(*w.tsExecute);
        w.PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(interpreter->SymbolCount(), 2);
    EXPECT_EQ(designer.modified, 1);
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(MathEditorTest, ClosingAlwaysMarksTheFormModified) {
    Open([](TfrmMathEditor&) {});  // left open: closed as from the system menu
    Open([](TfrmMathEditor& w) { w.mreExecute->PressKey(VK_ESCAPE); });
    EXPECT_EQ(modal.shown, 2);
    EXPECT_EQ(designer.modified, 2);
}

TEST_F(MathEditorTest, LocateFieldSearchesWithTheInterpretersCaseRule) {
    for (const bool caseSensitive : {true, false}) {
        SCOPED_TRACE(caseSensitive);
        interpreter->SetCaseSensitiveSymbols(caseSensitive);
        Open([&](TfrmMathEditor& w) {
            w.PC->ClickTab(*w.tsSymbols);
            w.memDump->SetText("y=1;\r\nX=2");
            w.memLocateSymbol->SetFocus();
            w.memLocateSymbol->TypeText("x");
            EXPECT_EQ(w.memDump->SelStart(), caseSensitive ? 0 : 6);
            EXPECT_EQ(w.memDump->SelLength(), caseSensitive ? 0 : 1);
            w.memLocateSymbol->Clear();  // an empty key keeps the selection
            EXPECT_EQ(w.memDump->SelStart(), caseSensitive ? 0 : 6);
        });
    }
}

TEST_F(MathEditorTest, DeleteSymbolUnderTheCaret) {
    interpreter->Execute("abc=1;ab=2;f(a):=a*2");
    Open([&](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsSymbols);
        PutCaretOn(w, "ab=");
        const int caret = w.memDump->SelStart() + 1;
        w.memDump->SetSelStart(caret);
        w.btnDeleteSymbol->MouseClick();
        EXPECT_FALSE(interpreter->SymbolExists("ab"));
        EXPECT_TRUE(interpreter->SymbolExists("abc"));
        EXPECT_EQ(LinesOf(w.mreExecute->Lines()), (std::vector<std::string>{"delete ab", ""}));
        EXPECT_EQ(w.memDump->Text(), interpreter->GetDumpText());
        EXPECT_EQ(w.memDump->SelStart(), caret);

        // A line that is exactly the name (the last one has no ";").
        w.memDump->SetText("abc");
        w.btnDeleteSymbol->MouseClick();
        EXPECT_FALSE(interpreter->SymbolExists("abc"));
        EXPECT_EQ(LinesOf(w.mreExecute->Lines()), (std::vector<std::string>{"delete ab", "delete abc", ""}));
    });
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(MathEditorTest, DeleteSymbolTakesTheLineAsItIs) {
    interpreter->Execute("x=1");
    interpreter->SetDumpFormat(TDumpFormat{dfDetailed});
    Open([&](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsSymbols);
        const std::string line = w.memDump->Lines()[0];
        const std::string className(line.substr(0, line.find_first_not_of(
                                                         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_")));
        EXPECT_EQ(className.substr(0, 2), "TM");
        w.btnDeleteSymbol->MouseClick();
        TMathInterpreter probe;
        EXPECT_EQ(LinesOf(w.mreExecute->Lines()),
                  (std::vector<std::string>{"delete " + className,
                                            MessageOf([&] { probe.ExecuteExpression("delete " + className); }), ""}));
        EXPECT_TRUE(interpreter->SymbolExists("x"));

        // On an empty dump the name is empty: the statement deletes nothing and yields Null.
        w.memDump->Clear();
        w.mreExecute->Clear();
        w.btnDeleteSymbol->MouseClick();
        EXPECT_EQ(LinesOf(w.mreExecute->Lines()), (std::vector<std::string>{"delete ", ""}));
    });
    EXPECT_TRUE(interpreter->SymbolExists("x"));
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(MathEditorTest, ClearSymbolsEmptiesTableAndDump) {
    interpreter->Execute("a=1;b=2");
    Open([&](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsSymbols);
        w.Button1->MouseClick();
        EXPECT_EQ(w.memDump->Text(), "");
    });
    EXPECT_EQ(interpreter->SymbolCount(), 0);
}

TEST_F(MathEditorTest, PropertiesPageFillsAndWritesBack) {
    interpreter->SetCaseSensitiveSymbols(true);
    interpreter->SetDumpFormat(TDumpFormat{dfDetailed});
    interpreter->SetMaxFunctionNesting(77);
    Open([&](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsProperties);
        EXPECT_TRUE(w.chkCaseSensitiveSymbols->Checked());
        EXPECT_TRUE(w.chkDfDetailed->Checked());
        EXPECT_FALSE(w.chkDfQualified->Checked());
        EXPECT_EQ(w.edEscapeChar->Text(), "");  // no escape character
        EXPECT_EQ(w.edMaxFunctionNesting->Text(), "77");

        w.chkDfDetailed->MouseClick();
        w.chkDfQualified->MouseClick();
        w.edEscapeChar->SetFocus();
        w.edEscapeChar->TypeText("\\x");  // one character fits
        w.edMaxFunctionNesting->SetText("  25 ");
        w.PC->ClickTab(*w.tsExecute);
        EXPECT_EQ(interpreter->DumpFormat(), TDumpFormat{dfQualified});
        EXPECT_EQ(interpreter->EscapeChar(), '\\');
        EXPECT_EQ(interpreter->MaxFunctionNesting(), 25u);

        w.PC->ClickTab(*w.tsProperties);
        EXPECT_EQ(w.edEscapeChar->Text(), "\\");
        w.edEscapeChar->Clear();
        w.PC->ClickTab(*w.tsSymbols);
        EXPECT_EQ(interpreter->EscapeChar(), '\0');
    });
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(MathEditorTest, FailingNestingTextStopsTheWriteBack) {
    struct Row {
        const char* text;
        std::string message;
    } rows[] = {
        {"-1", ERangeError().Message()},
        {"abc", "'abc' is not a valid integer value"},
        {"4294967295", "'4294967295' is not a valid integer value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        interpreter->SetCaseSensitiveSymbols(false);
        interpreter->SetDumpFormat(TDumpFormat{dfQualified});
        interpreter->SetEscapeChar('\0');
        shown.messages.clear();
        Open([&](TfrmMathEditor& w) {
            w.PC->ClickTab(*w.tsProperties);
            w.chkCaseSensitiveSymbols->SetChecked(true);
            w.chkDfDetailed->SetChecked(true);
            w.edEscapeChar->SetText("#");
            w.edMaxFunctionNesting->SetText(row.text);
            w.PC->ClickTab(*w.tsSymbols);
            // The error is shown and the page stays, so the text can be put right.
            EXPECT_EQ(shown.messages, std::vector<std::string>{row.message});
            EXPECT_EQ(w.PC->ActivePage(), w.tsProperties);
            w.edMaxFunctionNesting->SetText("9");
            w.PC->ClickTab(*w.tsSymbols);
            EXPECT_EQ(w.PC->ActivePage(), w.tsSymbols);
        });
        EXPECT_TRUE(interpreter->CaseSensitiveSymbols());
        EXPECT_EQ(interpreter->DumpFormat(), (TDumpFormat{dfDetailed, dfQualified}));
        EXPECT_EQ(interpreter->EscapeChar(), '#');
        EXPECT_EQ(interpreter->MaxFunctionNesting(), 9u);
    }
}

TEST_F(MathEditorTest, EscapeOnPropertiesPageWritesBackFirst) {
    interpreter->SetCaseSensitiveSymbols(true);
    interpreter->Execute("a=1");
    Open([&](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsProperties);
        w.chkCaseSensitiveSymbols->MouseClick();
        w.edMaxFunctionNesting->SetFocus();
        w.PressKey(VK_ESCAPE);
        EXPECT_EQ(w.ModalResult(), mrCancel);
    });
    // Switching case sensitivity off empties the table.
    EXPECT_FALSE(interpreter->CaseSensitiveSymbols());
    EXPECT_EQ(interpreter->SymbolCount(), 0);
    EXPECT_EQ(designer.modified, 1);
}

// A bad text found while closing reaches the designer; what was written before it belongs to
// the form, which is marked modified all the same.
TEST_F(MathEditorTest, ClosingWithABadTextRaisesAndStillMarksModified) {
    modal.Then<TfrmMathEditor>([](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsProperties);
        w.chkDfDetailed->SetChecked(true);
        w.edMaxFunctionNesting->SetText("-1");
        w.PressKey(VK_ESCAPE);
    });
    EXPECT_THROW(ExecuteVerb(0), ERangeError);
    EXPECT_TRUE(interpreter->DumpFormat().Has(dfDetailed));
    EXPECT_EQ(designer.modified, 1);
}

TEST_F(MathEditorTest, SymbolsAfterCaseSwitchShowEmptyDump) {
    interpreter->SetCaseSensitiveSymbols(true);
    interpreter->Execute("a=1");
    Open([&](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsProperties);
        w.chkCaseSensitiveSymbols->SetChecked(false);
        w.PC->ClickTab(*w.tsSymbols);
        EXPECT_EQ(w.memDump->Text(), "");
    });
}

TEST_F(MathEditorTest, FileButtons) {
    const std::string symbols = WriteFile("editor_symbols.txt", "a=1;\r\nb='x'");
    const std::string statements = WriteFile("editor_statements.txt", "c=a+1;d=2");
    const std::string saved = TempFile("editor_saved.txt");
    interpreter->Execute("old=1");
    dialogs->Answer(std::nullopt);  // cancelled: nothing is loaded
    dialogs->Answer(symbols);
    dialogs->Answer(statements);
    dialogs->Answer(saved.substr(0, saved.size() - 4));  // the default extension is added
    dialogs->Answer(TempFile("missing.txt"));
    Open([&](TfrmMathEditor& w) {
        w.PC->ClickTab(*w.tsProperties);
        w.btnLoadSymbolsFormFile->MouseClick();
        EXPECT_TRUE(interpreter->SymbolExists("old"));
        w.btnLoadSymbolsFormFile->MouseClick();
        EXPECT_FALSE(interpreter->SymbolExists("old"));
        w.btnExecuteFromFile->MouseClick();
        w.btnSaveSymbolsToFile->MouseClick();
        w.btnLoadSymbolsFormFile->MouseClick();  // fails; the window stays open
        EXPECT_EQ(shown.messages.size(), 1u);
        EXPECT_EQ(w.ModalResult(), mrNone);
        w.Close();
    });
    EXPECT_EQ(ReadFile(saved), "a=1;\r\nb='x';\r\nc=2;\r\nd=2");
    ASSERT_EQ(dialogs->seen.size(), 5u);
    for (const test::DialogSeen& seen : dialogs->seen) {
        EXPECT_EQ(seen.defaultExt, "txt");
        EXPECT_EQ(seen.filter, "*.txt|*.txt|*.*|*.*");
    }
    EXPECT_EQ(dialogs->seen[3].kind, "save");
}

}  // namespace
}  // namespace tolvex
