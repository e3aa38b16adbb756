#include "tolvex/design/mathdumpform.h"

#include "tolvex/design/dumpsearch.h"
#include "tolvex/design/windowbuilder.h"
#include "tolvex/framework/cast.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

TfrmMathDump::TfrmMathDump(TComponent* owner) : TForm(owner) {
    SetWindowDefaults(*this, "Math Interpreter Symbols", 544, 375);
    // The bottom panel comes first, so that the dump fills what it leaves.
    pnlBottom = AddControl<TPanel>(*this, "pnlBottom", this, alBottom);
    pnlBottom->SetHeight(36);
    gbDump = AddControl<TGroupBox>(*this, "gbDump", this, alClient);
    gbDump->SetCaption("Dump");
    memDump = AddControl<TMemo>(*this, "memDump", gbDump, alClient);
    memDump->SetReadOnly(true);
    memDump->SetHideSelection(false);
    memDump->SetScrollBars(ssBoth);
    memDump->SetWordWrap(false);
    memDump->SetWantReturns(false);
    pnlCancel = AddControl<TPanel>(*this, "pnlCancel", pnlBottom, alRight);
    pnlCancel->SetWidth(84);
    gbFind = AddControl<TGroupBox>(*this, "gbFind", pnlBottom, alClient);
    gbFind->SetCaption("&Find symbol");
    pnlCase = AddControl<TPanel>(*this, "pnlCase", gbFind, alRight);
    pnlCase->SetWidth(114);
    memFindSymbol = AddControl<TMemo>(*this, "memFindSymbol", gbFind, alClient);
    memFindSymbol->SetWantReturns(false);
    memFindSymbol->SetWordWrap(false);
    chkCaseSensitive = AddControl<TCheckBox>(*this, "chkCaseSensitive", pnlCase);
    chkCaseSensitive->SetCaption("Case &sensitive");
    chkCaseSensitive->SetBounds(8, 0, 100, 17);
    btnClose = AddControl<TButton>(*this, "btnClose", pnlCancel);
    btnClose->SetCaption("&Close");
    btnClose->SetCancel(true);
    btnClose->SetModalResult(mrOk);
    btnClose->SetBounds(4, 6, 75, 25);
    // Typing goes to the find field first.
    memFindSymbol->SetTabOrder(0);
    gbFind->SetTabOrder(0);
    SetActiveControl(memFindSymbol);

    const auto notify = [this](const char* name, void (TfrmMathDump::*handler)(TComponent&)) {
        return BindHandler<TNotifyEvent>(*this, name, [this, handler](TComponent& sender) { (this->*handler)(sender); });
    };
    const auto key = [this](const char* name, void (TfrmMathDump::*handler)(TComponent&, TKey&, TShiftState)) {
        return BindHandler<TKeyEvent>(*this, name, [this, handler](TComponent& sender, TKey& k, TShiftState shift) {
            (this->*handler)(sender, k, shift);
        });
    };
    SetOnShow(notify("FormShow", &TfrmMathDump::FormShow));
    memDump->SetOnKeyDown(key("memDumpKeyDown", &TfrmMathDump::memDumpKeyDown));
    gbFind->SetOnClick(notify("gbFindClick", &TfrmMathDump::gbFindClick));
    memFindSymbol->SetOnChange(notify("memFindSymbolChange", &TfrmMathDump::memFindSymbolChange));
    memFindSymbol->SetOnKeyDown(key("memFindSymbolKeyDown", &TfrmMathDump::memFindSymbolKeyDown));
    chkCaseSensitive->SetOnClick(notify("chkCaseSensitiveClick", &TfrmMathDump::chkCaseSensitiveClick));
}

void TfrmMathDump::FillDump() {
    if (!Owner()) return;
    memDump->SetText(CheckedCast<TMathInterpreter>(Owner())->GetDumpText());
}

void TfrmMathDump::FormShow(TComponent&) { FillDump(); }

void TfrmMathDump::memDumpKeyDown(TComponent&, TKey& Key, TShiftState) {
    if (Key != VK_ESCAPE) return;
    Key = 0;
    Close();
}

void TfrmMathDump::memFindSymbolKeyDown(TComponent&, TKey& Key, TShiftState) {
    if (Key != VK_ESCAPE) return;
    Key = 0;
    if (memFindSymbol->Text().empty())
        Close();
    else
        memFindSymbol->Clear();
}

void TfrmMathDump::memFindSymbolChange(TComponent&) {
    LocateSymbol(*memDump, memFindSymbol->Text(), chkCaseSensitive->Checked());
}

void TfrmMathDump::chkCaseSensitiveClick(TComponent&) { memFindSymbolChange(*memFindSymbol); }

void TfrmMathDump::gbFindClick(TComponent&) { memFindSymbol->SetFocus(); }

}  // namespace tolvex
