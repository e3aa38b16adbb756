#include "tolvex/design/editexpressionform.h"

#include "tolvex/design/windowbuilder.h"
#include "tolvex/framework/dialogs.h"
#include "tolvex/framework/sysutils.h"

namespace tolvex {

TfrmEditExpression::TfrmEditExpression(TComponent* owner) : TForm(owner) {
    SetWindowDefaults(*this, "Edit Expression", 559, 164);
    // The bottom panel comes first, so that the group box fills what it leaves.
    pnlBottom = AddControl<TPanel>(*this, "pnlBottom", this, alBottom);
    pnlBottom->SetHeight(41);
    GroupBox1 = AddControl<TGroupBox>(*this, "GroupBox1", this, alClient);
    GroupBox1->SetCaption("&Expression");
    memExpression = AddControl<TMemo>(*this, "memExpression", GroupBox1, alClient);
    memExpression->SetScrollBars(ssBoth);
    memExpression->SetWantTabs(true);
    GroupBox1->SetTabOrder(0);
    const auto button = [this](const char* name, const char* caption, int left, int width) {
        TButton* b = AddControl<TButton>(*this, name, pnlBottom);
        b->SetCaption(caption);
        b->SetBounds(left, 8, width, 25);
        return b;
    };
    btnVariable = button("btnVariable", "New/Modify &Variable", 8, 130);
    btnFunction = button("btnFunction", "New/Modify &Function", 144, 130);
    btnDeleteSymbol = button("btnDeleteSymbol", "&Delete Symbol", 280, 100);
    btnOK = button("btnOK", "&OK", 392, 75);
    btnOK->SetDefault(true);
    btnOK->SetModalResult(mrOk);
    btnCancel = button("btnCancel", "&Cancel", 472, 75);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    SetActiveControl(memExpression);

    const auto notify = [this](const char* name, void (TfrmEditExpression::*handler)(TComponent&)) {
        return BindHandler<TNotifyEvent>(*this, name, [this, handler](TComponent& sender) { (this->*handler)(sender); });
    };
    GroupBox1->SetOnClick(notify("GroupBox1Click", &TfrmEditExpression::GroupBox1Click));
    memExpression->SetOnKeyDown(BindHandler<TKeyEvent>(
        *this, "memExpressionKeyDown",
        [this](TComponent& sender, TKey& key, TShiftState shift) { memExpressionKeyDown(sender, key, shift); }));
    btnVariable->SetOnClick(notify("btnVariableClick", &TfrmEditExpression::btnVariableClick));
    btnFunction->SetOnClick(notify("btnFunctionClick", &TfrmEditExpression::btnFunctionClick));
    btnDeleteSymbol->SetOnClick(notify("btnDeleteSymbolClick", &TfrmEditExpression::btnDeleteSymbolClick));
}

void TfrmEditExpression::FillTemplate(const char* caption, const char* prompt, const std::string& before,
                                      const std::string& after, std::size_t caretAfter) {
    const std::string name = Trim(InputBox(caption, prompt, ""));
    if (name.empty()) return;
    memExpression->SetText(before + name + after);
    memExpression->SetSelStart(static_cast<int>(before.size() + name.size() + caretAfter));
    memExpression->SetFocus();
}

void TfrmEditExpression::btnVariableClick(TComponent&) {
    FillTemplate("New/Modify Variable", "Variable name:", "", "=", 1);
}

void TfrmEditExpression::btnFunctionClick(TComponent&) {
    FillTemplate("New/Modify Function", "Function name:", "", "():=", 1);
}

void TfrmEditExpression::btnDeleteSymbolClick(TComponent&) {
    FillTemplate("Delete symbol", "Name of the symbol to delete:", "delete ", "", 0);
}

void TfrmEditExpression::memExpressionKeyDown(TComponent&, TKey& Key, TShiftState) {
    if (Key != VK_ESCAPE) return;
    Key = 0;
    Close();
}

void TfrmEditExpression::GroupBox1Click(TComponent&) { memExpression->SetFocus(); }

}  // namespace tolvex
