#include "tolvex/framework/control.h"

#include <algorithm>
#include <climits>

#include "tolvex/framework/application.h"
#include "tolvex/framework/form.h"
#include "tolvex/framework/properties.h"

namespace tolvex {

namespace {

void Erase(std::vector<TControl*>& list, const TControl* control) {
    list.erase(std::remove(list.begin(), list.end(), control), list.end());
}

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this] {
        if (!followingParent_) parentFont_ = false;
        FontChanged();
        for (TControl* child : children_) child->ParentFontChanged();
    };
}

TControl::~TControl() {
    SetParent(nullptr);
    for (TControl* child : children_) child->parent_ = nullptr;
}

void TControl::DescribeProperties(TPropertyList& list) {
    TComponent::DescribeProperties(list);
    list.AddEnumeration("Align", kAlignNames, [this] { return static_cast<int>(align_); },
                        [this](int v) { align_ = static_cast<TAlign>(v); });
    list.AddBoolean("Enabled", [this] { return enabled_; }, [this](bool v) { enabled_ = v; });
    list.AddObject("Font", *font_);
    const auto integer = [&list](const char* name, int& field) {
        list.AddInteger(name, [&field] { return field; }, [&field](std::int64_t v) { field = static_cast<int>(v); },
                        INT_MIN, INT_MAX);
    };
    integer("Height", height_);
    integer("Left", left_);
    list.AddBoolean("ParentFont", [this] { return parentFont_; }, [this](bool v) { SetParentFont(v); });
    list.AddInteger("TabOrder", [this] { return TabOrder(); }, [this](std::int64_t v) { SetTabOrder(static_cast<int>(v)); },
                    -1, INT_MAX);
    list.AddBoolean("TabStop", [this] { return tabStop_; }, [this](bool v) { tabStop_ = v; });
    integer("Top", top_);
    list.AddBoolean("Visible", [this] { return visible_; }, [this](bool v) { SetVisible(v); });
    integer("Width", width_);
    list.AddMethod<TNotifyEvent>("OnClick", [this] { return onClick_; },
                                 [this](TNotifyEvent handler) { onClick_ = std::move(handler); });
    list.AddMethod<TKeyEvent>("OnKeyDown", [this] { return onKeyDown_; },
                              [this](TKeyEvent handler) { onKeyDown_ = std::move(handler); });
}

void TControl::AddCaption(TPropertyList& list) {
    list.AddString("Caption", [this] { return caption_; }, [this](const std::string& v) { caption_ = v; });
}

// ---- Place ----------------------------------------------------------------------------------

void TControl::SetParent(TControl* parent) {
    if (parent == parent_) return;
    if (parent && Contains(parent)) throw EInvalidOperation("A control cannot be its own parent");
    if (parent_) {
        if (TCustomForm* form = GetParentForm(*this)) form->ControlLeaving(*this);
        parent_->ControlRemoving(*this);
        Erase(parent_->children_, this);
        Erase(parent_->tabList_, this);
    }
    parent_ = parent;
    if (!parent_) return;
    parent_->children_.push_back(this);
    parent_->tabList_.push_back(this);
    ParentFontChanged();
    parent_->ControlInserted(*this);
}

bool TControl::Contains(const TControl* control) const {
    for (; control; control = control->parent_)
        if (control == this) return true;
    return false;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

bool TControl::Showing() const {
    if (!visible_) return false;
    return !parent_ || (parent_->ShowsChild(*this) && parent_->Showing());
}

// ---- Focus ----------------------------------------------------------------------------------

int TControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabList_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TControl::SetTabOrder(int order) {
    if (!parent_ || order < 0) return;
    auto& list = parent_->tabList_;
    Erase(list, this);
    list.insert(list.begin() + std::min<std::size_t>(static_cast<std::size_t>(order), list.size()), this);
}

bool TControl::CanFocus() const {
    if (!Focusable()) return false;
    const TControl* c = this;
    for (; c->parent_; c = c->parent_)
        if (!c->enabled_ || !c->visible_ || !c->parent_->ShowsChild(*c)) return false;
    return c->enabled_;
}

void TControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(*this)) form->SetActiveControl(this);
}

bool TControl::Focused() const {
    const TCustomForm* form = GetParentForm(*this);
    return form && form->ActiveControl() == this;
}

// ---- Font -----------------------------------------------------------------------------------

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parent_ || !parentFont_) return;
    followingParent_ = true;
    font_->Assign(parent_->Font());
    followingParent_ = false;
}

// ---- Clicks and keys ------------------------------------------------------------------------

void TControl::Click() {
    if (onClick_) onClick_(*this);
}

void TControl::MouseClick() {
    if (!enabled_) return;
    Application().HandleInput([this] {
        // A click focuses what Tab would stop at (a button, a check box), as on a real window.
        if (tabStop_ && CanFocus()) SetFocus();
        MouseClicked();
    });
}

void TControl::PressKey(TKey key, TShiftState shift) {
    Application().HandleInput([&] { DeliverKey(key, shift); });
}

void TControl::DeliverKey(TKey& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(*this);
    if (form && form != this && form->KeyPreview()) {
        form->KeyDown(key, shift);
        if (key == 0) return;
    }
    KeyDown(key, shift);
    if (key == 0) return;
    if (form && !WantsKey(key) && form->DialogKey(*this, key, shift)) return;
    DefaultKeyDown(key, shift);
}

void TControl::KeyDown(TKey& key, TShiftState shift) {
    if (onKeyDown_) onKeyDown_(*this, key, shift);
}

std::intptr_t TControl::Perform(unsigned, std::intptr_t, std::intptr_t) { return 0; }

void TControl::DefaultKeyDown(TKey, TShiftState) {}

}  // namespace tolvex
