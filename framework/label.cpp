#include "tolvex/framework/label.h"

#include "tolvex/framework/properties.h"

namespace tolvex {

void TLabel::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    AddCaption(list);
    list.AddComponent<TControl>("FocusControl", [this] { return focusControl_; },
                                [this](TControl* control) { SetFocusControl(control); });
}

void TLabel::SetFocusControl(TControl* control) {
    if (focusControl_) RemoveFreeNotification(focusControl_);
    focusControl_ = control;
    if (control) FreeNotification(control);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
}

}  // namespace tolvex
