#pragma once
// The base of visible controls: a place among other controls (parent, alignment, bounds,
// visibility), focus and tab order, a font, clicks, key-down handling and messages sent with
// Perform.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tolvex/framework/component.h"
#include "tolvex/framework/font.h"
#include "tolvex/framework/keys.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TCustomForm;

// Fired on a key press before the control handles it; the handler may change or clear the key.
using TKeyEvent = std::function<void(TComponent& Sender, TKey& Key, TShiftState Shift)>;
// Fired when something happened to the control (a click, a change).
using TNotifyEvent = std::function<void(TComponent& Sender)>;

// Where a control sits in its parent: nowhere in particular, or along one edge, or filling what
// the aligned siblings leave.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
inline constexpr const char* kAlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner = nullptr);
    // Leaves the parent and lets go of the children, which their owner frees.
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }
    void DescribeProperties(TPropertyList& list) override;

    // ---- Place ----------------------------------------------------------------------------
    // The control that shows this one, or null. Not owned: the owner frees a control, whatever
    // its parent. Setting it puts the control at the end of the new parent's tab order;
    // EInvalidOperation when the parent would contain itself.
    TControl* Parent() const { return parent_; }
    void SetParent(TControl* parent);
    // The controls this one shows, in the order they were put in.
    int ControlCount() const { return static_cast<int>(children_.size()); }
    TControl* Controls(int index) const { return children_.at(static_cast<std::size_t>(index)); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align) { align_ = align; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { width_ = width; }
    void SetHeight(int height) { height_ = height; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible) { visible_ = visible; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    // Visible, and so is every parent up to the top, each of them showing this one (a page
    // control shows only its active page). A form counts its own Visible.
    bool Showing() const;

    // The text a button, label, box or window shows. Published by the classes that show it.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

    // ---- Focus ----------------------------------------------------------------------------
    // The position among the parent's children that Tab walks through; -1 without a parent.
    // Setting it moves the control there, the others after it moving up by one.
    int TabOrder() const;
    void SetTabOrder(int order);
    // Whether Tab stops at the control.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // Whether the control can take the focus: it takes focus at all, and it and every parent
    // below its form are enabled and shown. The form's own visibility does not count, so the
    // focus can be set before a window opens.
    bool CanFocus() const;
    // Makes the control its form's active control; EInvalidOperation when it cannot take the
    // focus. Without a form nothing happens.
    void SetFocus();
    bool Focused() const;

    // ---- Font -----------------------------------------------------------------------------
    // The control's own font, owned by the control.
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    // Copies the attributes of `font`; keeps no link to it.
    void SetFont(const TFont& font) { font_->Assign(font); }
    // Whether the font follows the parent's. True for a new control; changing the font makes it
    // false, setting it true again copies the parent's font.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // ---- Clicks and keys ------------------------------------------------------------------
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }
    // What a click does; fires OnClick. Descendants add their own effect.
    virtual void Click();
    // A click with the mouse as a widget backend, or a test, delivers it: the control takes the
    // focus when Tab stops at it, then its click runs. Nothing happens on a disabled control. An
    // error of the system's type goes to Application().ShowException.
    void MouseClick();

    const TKeyEvent& OnKeyDown() const { return onKeyDown_; }
    void SetOnKeyDown(TKeyEvent handler) { onKeyDown_ = std::move(handler); }

    // A key press as a widget backend, or a test, delivers it. The form sees it first when its
    // KeyPreview is on; then KeyDown; a key still not cleared goes to the form as a dialog key
    // (Escape, Return, Tab) unless the control wants it, and otherwise to the control's own
    // handling. An error of the system's type raised on the way goes to
    // Application().ShowException, as an event loop would show it.
    virtual void PressKey(TKey key, TShiftState shift = {});
    // Key-down handling: fires OnKeyDown. Descendants extend it.
    virtual void KeyDown(TKey& key, TShiftState shift);

    // Answers a control message; 0 for messages the control does not know.
    virtual std::intptr_t Perform(unsigned message, std::intptr_t wParam, std::intptr_t lParam);

protected:
    // What the control itself does with a key nobody consumed; nothing here.
    virtual void DefaultKeyDown(TKey key, TShiftState shift);
    // Whether the control keeps `key` from the form's dialog keys (a memo its Return, say).
    virtual bool WantsKey(TKey) const { return false; }
    // What a mouse click does: Click here; a check box toggles.
    virtual void MouseClicked() { Click(); }
    // Whether the control can have the focus at all (a label cannot).
    virtual bool Focusable() const { return true; }
    // Whether this control, when showing, shows `child` (a page control: only its active page).
    virtual bool ShowsChild(const TControl&) const { return true; }
    // Called when `child` has been put into this control, and when it is about to leave it
    // (not when this control is being freed).
    virtual void ControlInserted(TControl&) {}
    virtual void ControlRemoving(TControl&) {}
    // Called after every change of Font.
    virtual void FontChanged() {}
    // Publishes Caption; for the classes that show one.
    void AddCaption(TPropertyList& list);

private:
    friend class TCustomForm;  // walks the tab lists
    void DeliverKey(TKey& key, TShiftState shift);
    void ParentFontChanged();
    bool Contains(const TControl* control) const;

    TControl* parent_ = nullptr;
    std::vector<TControl*> children_;  // not owned, in insertion order
    std::vector<TControl*> tabList_;   // the children in tab order
    TAlign align_ = alNone;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    bool parentFont_ = true;
    bool followingParent_ = false;  // set while the font copies the parent's
    std::string caption_;
    std::unique_ptr<TFont> font_;
    TNotifyEvent onClick_;
    TKeyEvent onKeyDown_;
};

// The form whose window holds the control: the top of its parent chain, when that is a form.
TCustomForm* GetParentForm(const TControl& control);

}  // namespace tolvex

TOLVEX_END_API
