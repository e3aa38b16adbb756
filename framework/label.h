#pragma once
// A label: a caption that never takes the focus, naming the control it belongs to.
#include "tolvex/framework/control.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner = nullptr) : TControl(owner) {}
    const char* ClassName() const override { return "TLabel"; }
    void DescribeProperties(TPropertyList& list) override;

    // The control that the label's accelerator focuses; not owned, may be null. The label hears
    // of its destruction and drops it.
    TControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TControl* control);

protected:
    bool Focusable() const override { return false; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    TControl* focusControl_ = nullptr;
};

}  // namespace tolvex

TOLVEX_END_API
