#pragma once
// A push button: a click fires OnClick and, when the button carries a modal result, gives it to
// its form (which ends a modal showing). The default button answers Return, the cancel button
// Escape.
#include "tolvex/framework/control.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TButton : public TControl {
public:
    explicit TButton(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TButton"; }
    void DescribeProperties(TPropertyList& list) override;

    // Whether Return anywhere in the window clicks the button.
    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    // Whether Escape anywhere in the window clicks the button.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Given to the form on every click; mrNone leaves the form's result alone.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Sets the form's modal result first, then fires OnClick.
    void Click() override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

}  // namespace tolvex

TOLVEX_END_API
