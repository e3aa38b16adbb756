#pragma once
// A check box: a caption and a state that a click toggles. Every change of the state, by the
// user or by code, fires OnClick.
#include "tolvex/framework/control.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TCheckBox"; }
    void DescribeProperties(TPropertyList& list) override;

    bool Checked() const { return checked_; }
    // Fires OnClick when the state changes.
    void SetChecked(bool value);

protected:
    void MouseClicked() override { SetChecked(!checked_); }

private:
    bool checked_ = false;
};

}  // namespace tolvex

TOLVEX_END_API
