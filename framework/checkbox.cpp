#include "tolvex/framework/checkbox.h"

#include "tolvex/framework/properties.h"

namespace tolvex {

TCheckBox::TCheckBox(TComponent* owner) : TControl(owner) { SetTabStop(true); }

void TCheckBox::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    AddCaption(list);
    list.AddBoolean("Checked", [this] { return checked_; }, [this](bool v) { SetChecked(v); });
}

void TCheckBox::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    Click();
}

}  // namespace tolvex
