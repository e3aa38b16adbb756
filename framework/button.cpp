#include "tolvex/framework/button.h"

#include <climits>

#include "tolvex/framework/form.h"
#include "tolvex/framework/properties.h"

namespace tolvex {

TButton::TButton(TComponent* owner) : TControl(owner) { SetTabStop(true); }

void TButton::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    list.AddBoolean("Cancel", [this] { return cancel_; }, [this](bool v) { cancel_ = v; });
    AddCaption(list);
    list.AddBoolean("Default", [this] { return default_; }, [this](bool v) { default_ = v; });
    list.AddInteger("ModalResult", [this] { return modalResult_; },
                    [this](std::int64_t v) { modalResult_ = static_cast<int>(v); }, INT_MIN, INT_MAX);
}

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TCustomForm* form = GetParentForm(*this)) form->SetModalResult(modalResult_);
    TControl::Click();
}

}  // namespace tolvex
