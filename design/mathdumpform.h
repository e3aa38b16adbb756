#pragma once
// The symbol dump window: an interpreter's dump, read-only, with an incremental find field and a
// case-sensitivity switch.
#include "tolvex/framework/button.h"
#include "tolvex/framework/checkbox.h"
#include "tolvex/framework/form.h"
#include "tolvex/framework/groupbox.h"
#include "tolvex/framework/memo.h"
#include "tolvex/framework/panel.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TfrmMathDump : public TForm {
public:
    // An owner that is an interpreter fills the dump when the window shows; the find field has
    // the focus.
    explicit TfrmMathDump(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TfrmMathDump"; }

    // The window's controls, owned by the window (names as published).
    TGroupBox* gbDump = nullptr;
    TMemo* memDump = nullptr;
    TPanel* pnlBottom = nullptr;
    TGroupBox* gbFind = nullptr;
    TMemo* memFindSymbol = nullptr;
    TPanel* pnlCase = nullptr;
    TCheckBox* chkCaseSensitive = nullptr;
    TPanel* pnlCancel = nullptr;
    TButton* btnClose = nullptr;

    // With an owner, the dump becomes the owner's DumpText; the owner must be an interpreter
    // (EInvalidCast otherwise). Without an owner nothing happens.
    void FillDump();

    // ---- Handlers, bound to the events under their own names ------------------------------
    void FormShow(TComponent& Sender);
    // Escape closes the window.
    void memDumpKeyDown(TComponent& Sender, TKey& Key, TShiftState Shift);
    // Escape empties a non-empty find field, and closes the window when it is empty.
    void memFindSymbolKeyDown(TComponent& Sender, TKey& Key, TShiftState Shift);
    void memFindSymbolChange(TComponent& Sender);
    // Searches again, as the case rule changed.
    void chkCaseSensitiveClick(TComponent& Sender);
    void gbFindClick(TComponent& Sender);
};

}  // namespace tolvex

TOLVEX_END_API
