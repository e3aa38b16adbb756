#include "framework/component.h"

#include <algorithm>

namespace tolvex {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
    // Free owned components last first; each one leaves the list as it goes.
    while (!components_.empty()) delete components_.back();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetDesigning(bool designing) {
    designing_ = designing;
    for (TComponent* c : components_) c->SetDesigning(designing);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::InsertComponent(TComponent* component) {
    components_.push_back(component);
    for (TComponent* c : components_)
        if (c != component) c->Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    for (TComponent* c : components_) c->Notification(component, TOperation::opRemove);
}

}  // namespace tolvex
