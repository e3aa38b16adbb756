#include "tolvex/framework/form.h"

#include <algorithm>
#include <exception>

#include "tolvex/framework/application.h"
#include "tolvex/framework/button.h"
#include "tolvex/framework/properties.h"

namespace tolvex {

TCustomForm* GetParentForm(const TControl& control) {
    const TControl* top = &control;
    while (top->Parent()) top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

TCustomForm::TCustomForm(TComponent* owner) : TControl(owner) { TControl::SetVisible(false); }

void TCustomForm::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    list.AddComponent<TControl>("ActiveControl", [this] { return activeControl_; },
                                [this](TControl* control) { SetActiveControl(control); });
    list.AddSet("BorderIcons", kBorderIconNames, [this] { return borderIcons_.Bits(); },
                [this](std::uint32_t bits) { borderIcons_ = TBorderIcons::FromBits(bits); });
    AddCaption(list);
    list.AddBoolean("KeyPreview", [this] { return keyPreview_; }, [this](bool v) { keyPreview_ = v; });
    list.AddEnumeration("Position", kPositionNames, [this] { return static_cast<int>(position_); },
                        [this](int v) { position_ = static_cast<TPosition>(v); });
    list.AddMethod<TNotifyEvent>("OnHide", [this] { return onHide_; }, [this](TNotifyEvent h) { onHide_ = std::move(h); });
    list.AddMethod<TNotifyEvent>("OnShow", [this] { return onShow_; }, [this](TNotifyEvent h) { onShow_ = std::move(h); });
}

void TCustomForm::SetActiveControl(TControl* control) {
    if (control && (GetParentForm(*control) != this || control == this || !control->CanFocus()))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    activeControl_ = control;
}

void TCustomForm::ControlLeaving(const TControl& control) {
    for (const TControl* c = activeControl_; c; c = c->Parent())
        if (c == &control) {
            activeControl_ = nullptr;
            return;
        }
}

// ---- Showing --------------------------------------------------------------------------------

void TCustomForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    TControl::SetVisible(visible);
    if (!visible) {
        if (onHide_) onHide_(*this);
        return;
    }
    if (!activeControl_) SelectNext(nullptr, true);
    if (onShow_) onShow_(*this);
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    modalResult_ = mrNone;
    modal_ = true;
    try {
        Show();
    } catch (...) {
        TControl::SetVisible(false);
        modal_ = false;
        throw;
    }
    std::exception_ptr failure;
    try {
        Application().RunModal(*this);
        if (modalResult_ == mrNone) Close();
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        Hide();
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    modal_ = false;
    if (failure) std::rethrow_exception(failure);
    return modalResult_;
}

void TCustomForm::Close() {
    if (modal_)
        modalResult_ = mrCancel;
    else
        Hide();
}

// ---- Keys and focus -------------------------------------------------------------------------

void TCustomForm::PressKey(TKey key, TShiftState shift) {
    if (activeControl_)
        activeControl_->PressKey(key, shift);
    else
        TControl::PressKey(key, shift);
}

bool TCustomForm::DialogKey(TControl& focused, TKey key, TShiftState shift) {
    switch (key) {
        case VK_ESCAPE:
        case VK_RETURN: {
            TControl* button = key == VK_RETURN && dynamic_cast<TButton*>(&focused) ? &focused : FindButton(key == VK_ESCAPE);
            if (!button) return false;
            button->Click();
            return true;
        }
        case VK_TAB:
            SelectNext(&focused, !shift.Has(ssShift));
            return true;
        default: return false;
    }
}

TControl* TCustomForm::FindButton(bool cancel) const {
    for (TControl* c : TabSequence()) {
        const auto* button = dynamic_cast<const TButton*>(c);
        if (button && c->Enabled() && c->Showing() && (cancel ? button->Cancel() : button->Default())) return c;
    }
    return nullptr;
}

// Every control of the form in tab order, depth first: a control, then the controls it holds.
std::vector<TControl*> TCustomForm::TabSequence() const {
    std::vector<TControl*> sequence;
    std::vector<const TControl*> pending{this};
    while (!pending.empty()) {
        const TControl* parent = pending.back();
        pending.pop_back();
        // Children go on the stack last first, so that the first one is taken next.
        for (auto it = parent->tabList_.rbegin(); it != parent->tabList_.rend(); ++it) pending.push_back(*it);
        if (parent != this) sequence.push_back(const_cast<TControl*>(parent));
    }
    return sequence;
}

void TCustomForm::SelectNext(TControl* current, bool forward) {
    std::vector<TControl*> stops = TabSequence();
    std::erase_if(stops, [current](TControl* c) { return c != current && !(c->TabStop() && c->CanFocus()); });
    if (!forward) std::reverse(stops.begin(), stops.end());
    if (stops.empty() || (stops.size() == 1 && stops.front() == current)) return;
    auto at = std::find(stops.begin(), stops.end(), current);
    at = at == stops.end() || at + 1 == stops.end() ? stops.begin() : at + 1;
    SetActiveControl(*at);
}

}  // namespace tolvex
