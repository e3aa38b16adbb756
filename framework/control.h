#pragma once
// The base of visible controls: a font, key-down handling and messages sent with Perform.
#include <cstdint>
#include <functional>
#include <memory>

#include "framework/component.h"
#include "framework/font.h"
#include "framework/keys.h"

namespace tolvex {

// Fired on a key press before the control handles it; the handler may change or clear the key.
using TKeyEvent = std::function<void(TComponent& Sender, TKey& Key, TShiftState Shift)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner = nullptr);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }
    void DescribeProperties(TPropertyList& list) override;

    // The control's own font, owned by the control.
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    // Copies the attributes of `font`; keeps no link to it.
    void SetFont(const TFont& font) { font_->Assign(font); }

    const TKeyEvent& OnKeyDown() const { return onKeyDown_; }
    void SetOnKeyDown(TKeyEvent handler) { onKeyDown_ = std::move(handler); }

    // A key press as a widget backend, or a test, delivers it: KeyDown first, then the control's
    // own handling of a key that KeyDown left non-zero. An error of the system's type raised on
    // the way goes to Application().ShowException, as an event loop would show it.
    void PressKey(TKey key, TShiftState shift = {});
    // Key-down handling: fires OnKeyDown. Descendants extend it.
    virtual void KeyDown(TKey& key, TShiftState shift);

    // Answers a control message; 0 for messages the control does not know.
    virtual std::intptr_t Perform(unsigned message, std::intptr_t wParam, std::intptr_t lParam);

protected:
    // What the control itself does with a key nobody consumed; nothing here.
    virtual void DefaultKeyDown(TKey key, TShiftState shift);
    // Called after every change of Font.
    virtual void FontChanged() {}

private:
    std::unique_ptr<TFont> font_;
    TKeyEvent onKeyDown_;
};

}  // namespace tolvex
