#include "framework/control.h"

#include "framework/application.h"
#include "framework/properties.h"

namespace tolvex {

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this] { FontChanged(); };
}

TControl::~TControl() = default;

void TControl::DescribeProperties(TPropertyList& list) {
    TComponent::DescribeProperties(list);
    list.AddObject("Font", *font_);
    list.AddMethod<TKeyEvent>("OnKeyDown", [this] { return onKeyDown_; },
                              [this](TKeyEvent handler) { onKeyDown_ = std::move(handler); });
}

void TControl::PressKey(TKey key, TShiftState shift) {
    try {
        KeyDown(key, shift);
        if (key != 0) DefaultKeyDown(key, shift);
    } catch (const Exception& e) {
        Application().ShowException(e);
    }
}

void TControl::KeyDown(TKey& key, TShiftState shift) {
    if (onKeyDown_) onKeyDown_(*this, key, shift);
}

std::intptr_t TControl::Perform(unsigned, std::intptr_t, std::intptr_t) { return 0; }

void TControl::DefaultKeyDown(TKey, TShiftState) {}

}  // namespace tolvex
