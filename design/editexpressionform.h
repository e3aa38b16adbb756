#pragma once
// The expression edit window: a multi-line editor for an interpreter's Expression, with buttons
// that fill in a statement template. It executes nothing itself.
#include "tolvex/framework/button.h"
#include "tolvex/framework/form.h"
#include "tolvex/framework/groupbox.h"
#include "tolvex/framework/memo.h"
#include "tolvex/framework/panel.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TfrmEditExpression : public TForm {
public:
    // The memo has the focus; OK answers mrOk, Cancel and Escape mrCancel.
    explicit TfrmEditExpression(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TfrmEditExpression"; }

    // The window's controls, owned by the window (names as published).
    TGroupBox* GroupBox1 = nullptr;
    TMemo* memExpression = nullptr;
    TPanel* pnlBottom = nullptr;
    TButton* btnVariable = nullptr;
    TButton* btnFunction = nullptr;
    TButton* btnDeleteSymbol = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;

    // ---- Handlers, bound to the events under their own names ------------------------------
    // Each asks for a name and, unless it is empty, replaces the text by its template:
    // "name=", "name():=" (caret between the brackets), "delete name".
    void btnVariableClick(TComponent& Sender);
    void btnFunctionClick(TComponent& Sender);
    void btnDeleteSymbolClick(TComponent& Sender);
    // Escape closes the window with Cancel.
    void memExpressionKeyDown(TComponent& Sender, TKey& Key, TShiftState Shift);
    void GroupBox1Click(TComponent& Sender);

private:
    // Asks for a name with the input box; with a non-empty answer (trimmed) the memo's text
    // becomes `before` + name + `after`, the caret goes behind name + `caretAfter` characters of
    // `after`, and the memo gets the focus.
    void FillTemplate(const char* caption, const char* prompt, const std::string& before, const std::string& after,
                      std::size_t caretAfter);
};

}  // namespace tolvex

TOLVEX_END_API
