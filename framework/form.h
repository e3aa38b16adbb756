#pragma once
// Forms: top-level windows that hold controls, shown modelessly or modally. A modal showing runs
// until the application's modal driver closes the form and answers its modal result.
#include <cstdint>
#include <vector>

#include "tolvex/framework/control.h"
#include "tolvex/framework/set.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// The result a modal form closes with; buttons carry one to set on their form.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
inline constexpr const char* kBorderIconNames[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};

// Where a window appears when it opens.
enum TPosition : std::uint8_t {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
inline constexpr const char* kPositionNames[] = {"poDesigned",     "poDefault",       "poDefaultPosOnly",
                                                 "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
                                                 "poMainFormCenter", "poOwnerFormCenter"};

class TCustomForm : public TControl {
public:
    // Hidden, with a system menu, minimise and maximise buttons, at the designed position.
    explicit TCustomForm(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TCustomForm"; }
    void DescribeProperties(TPropertyList& list) override;

    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // Whether the form sees every key before the focused control does.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }

    // The control with the focus, or null. Setting it raises EInvalidOperation for a control
    // that is not on this form or cannot take the focus.
    TControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TControl* control);

    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(TNotifyEvent handler) { onShow_ = std::move(handler); }
    const TNotifyEvent& OnHide() const { return onHide_; }
    void SetOnHide(TNotifyEvent handler) { onHide_ = std::move(handler); }

    // Showing fires OnShow, and gives the focus to the first control in tab order when none has
    // it; hiding fires OnHide. Nothing fires when the visibility does not change.
    void SetVisible(bool visible) override;
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    // Shows the form and runs the application's modal driver until the form has a modal result,
    // then hides it and answers the result. An error from OnShow leaves the form hidden (without
    // OnHide) and passes on; an error from the driver or from OnHide passes on after the form was
    // hidden, the first one winning. EInvalidOperation when the form is already visible.
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Closes the form: a modal one gets the result Cancel (its showing then ends); any other is
    // hidden.
    void Close();

    // A key pressed while the window is active goes to its focused control, or to the form itself
    // when no control has the focus.
    void PressKey(TKey key, TShiftState shift = {}) override;
    // What the window does with a key its controls left: Escape clicks the cancel button, Return
    // the focused button or else the default button, Tab moves the focus on (Shift+Tab back).
    // True when the key was used.
    bool DialogKey(TControl& focused, TKey key, TShiftState shift);
    // Gives the focus to the next (or previous) control in tab order that can take it, wrapping
    // round; the first one when `current` is null.
    void SelectNext(TControl* current, bool forward);

    // Told by a control that leaves the form (freed, or given another parent), so that the
    // focus never points to it.
    void ControlLeaving(const TControl& control);

private:
    std::vector<TControl*> TabSequence() const;
    TControl* FindButton(bool cancel) const;

    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    bool keyPreview_ = false;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    TControl* activeControl_ = nullptr;
    TNotifyEvent onShow_;
    TNotifyEvent onHide_;
};

// The base of the application's own windows.
class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner = nullptr) : TCustomForm(owner) {}
    const char* ClassName() const override { return "TForm"; }
};

}  // namespace tolvex

TOLVEX_END_API
