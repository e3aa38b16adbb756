#include "tolvex/framework/component.h"

#include <algorithm>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/framework/ident.h"

namespace tolvex {

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* component) {
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
    // Those that asked to hear of this component's end hear it first, while it is still whole
    // as a component; each link goes from both sides.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        Erase(other->freeNotifies_, this);
        other->Notification(this, TOperation::opRemove);
    }
    // Free owned components last first; each one leaves the list as it goes.
    while (!components_.empty()) delete components_.back();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(std::string name) {
    if (name == name_) return;
    if (!name.empty() && (!IsValidIdent(name) || SameText(name, "nil")))
        throw EComponentError(Join("\"", name, "\" is not a valid component name."));
    if (!name.empty() && owner_) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this) throw EComponentError(Join("A component named ", name, " already exists."));
    }
    name_ = std::move(name);
}

void TComponent::SetDesigning(bool designing) {
    designing_ = designing;
    for (TComponent* c : components_) c->SetDesigning(designing);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) != freeNotifies_.end()) return;
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    Erase(freeNotifies_, component);
    Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::InsertComponent(TComponent* component) {
    components_.push_back(component);
    if (designing_) component->SetDesigning(true);
    for (TComponent* c : components_)
        if (c != component) c->Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Erase(components_, component);
    for (TComponent* c : components_) c->Notification(component, TOperation::opRemove);
}

}  // namespace tolvex
