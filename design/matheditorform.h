#pragma once
// The interpreter editor window: a transcript that evaluates what the developer types, the
// symbol dump with an incremental locate field and commands to delete one symbol or all of them,
// and a page with the interpreter's main properties and its symbol files. Whatever it changes
// stays in the interpreter.
#include "tolvex/controls/mathrichedit.h"
#include "tolvex/framework/button.h"
#include "tolvex/framework/checkbox.h"
#include "tolvex/framework/dialogs.h"
#include "tolvex/framework/edit.h"
#include "tolvex/framework/form.h"
#include "tolvex/framework/groupbox.h"
#include "tolvex/framework/label.h"
#include "tolvex/framework/memo.h"
#include "tolvex/framework/pagecontrol.h"
#include "tolvex/framework/panel.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TfrmMathEditor : public TForm {
public:
    // Builds the window with every control; the Execute page is active, nothing is typed yet.
    explicit TfrmMathEditor(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TfrmMathEditor"; }

    // The interpreter being edited; not owned, set before the window is shown. The window hears
    // of its destruction and then drops it.
    TMathInterpreter* MI() const { return mi_; }
    void SetMI(TMathInterpreter* interpreter);

    // The window's controls, owned by the window (names as published).
    TPageControl* PC = nullptr;
    TTabSheet* tsExecute = nullptr;
    TMathRichEdit* mreExecute = nullptr;
    TTabSheet* tsSymbols = nullptr;
    TMemo* memDump = nullptr;
    TPanel* Panel1 = nullptr;
    TGroupBox* gbLocateSymbol = nullptr;
    TMemo* memLocateSymbol = nullptr;
    TPanel* Panel2 = nullptr;
    TButton* btnDeleteSymbol = nullptr;
    TButton* Button1 = nullptr;
    TTabSheet* tsProperties = nullptr;
    TCheckBox* chkCaseSensitiveSymbols = nullptr;
    TGroupBox* gbDumpFormat = nullptr;
    TCheckBox* chkDfDetailed = nullptr;
    TCheckBox* chkDfQualified = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* edEscapeChar = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* edMaxFunctionNesting = nullptr;
    TButton* btnLoadSymbolsFormFile = nullptr;
    TButton* btnExecuteFromFile = nullptr;
    TButton* btnSaveSymbolsToFile = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

    // ---- Handlers, bound to the events under their own names ------------------------------
    // Binds the transcript to MI; fails when MI is not set.
    void FormShow(TComponent& Sender);
    // Writes the properties back when the Properties page is the active one.
    void FormHide(TComponent& Sender);
    // Escape closes the window.
    void FormKeyDown(TComponent& Sender, TKey& Key, TShiftState Shift);
    // Fills the page that has just become active: the dump, or the property controls.
    void PCChange(TComponent& Sender);
    // Writes the property controls back to MI when the Properties page is left; never vetoes.
    void PCChanging(TComponent& Sender, bool& AllowChange);
    void memLocateSymbolChange(TComponent& Sender);
    // Deletes the symbol named at the start of the dump line that holds the caret, through the
    // transcript, and shows the dump anew.
    void btnDeleteSymbolClick(TComponent& Sender);
    // Clears all symbols, without asking, and shows the empty dump.
    void Button1Click(TComponent& Sender);
    void btnLoadSymbolsFormFileClick(TComponent& Sender);
    void btnExecuteFromFileClick(TComponent& Sender);
    void btnSaveSymbolsToFileClick(TComponent& Sender);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void BuildExecutePage();
    void BuildSymbolsPage();
    void BuildPropertiesPage();
    void BindEvents();
    // MI, or the internal error naming `method` when it is not set.
    TMathInterpreter& Interpreter(const char* method) const;
    void FillProperties();
    // In the order of the page, stopping at the first failure.
    void WriteProperties();
    void ShowDump(TMathInterpreter& interpreter);

    TMathInterpreter* mi_ = nullptr;
};

}  // namespace tolvex

TOLVEX_END_API
