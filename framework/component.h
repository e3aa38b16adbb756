#pragma once
// The component base: an owner that owns and frees its components, a name, the designing and
// loading states, removal notices, and the handler methods a root publishes for form files.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tolvex/framework/methods.h"
#include "tolvex/framework/persistent.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

enum class TOperation { opInsert, opRemove };

class TReader;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Empty, or an identifier (not "nil") that no other component of the same owner carries
    // (ASCII case aside); EComponentError otherwise.
    virtual void SetName(std::string name);

    // True while the component is edited in a form designer. Components inserted into a
    // designing owner are designing too.
    bool Designing() const { return designing_; }
    virtual void SetDesigning(bool designing);
    // True while a form file is being read into the component.
    bool Loading() const { return loading_; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    // The owned component of that name (any case), or null.
    TComponent* FindComponent(std::string_view name) const;

    // Asks `component` to tell this one (Notification with opRemove) when it is freed, whoever
    // owns it. The link is dropped from both sides when either of the two is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Handler methods published by this component as a root; form files bind events to them by name.
    TMethodTable& Methods() { return methods_; }
    const TMethodTable& Methods() const { return methods_; }
    template <class Event>
    void PublishMethod(const std::string& name, Event handler) { methods_.Publish(name, std::move(handler)); }
    template <class Event>
    Event MethodAddress(std::string_view name) const { return methods_.Find<Event>(name); }

protected:
    // Called on every component of the owner when `component` is inserted or about to be freed,
    // and on the components that asked for a free notification.
    virtual void Notification(TComponent* component, TOperation operation);
    // Called once a form file has been read completely, references included.
    virtual void Loaded() {}

private:
    friend class TReader;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void SetLoading(bool loading) { loading_ = loading; }

    TComponent* owner_;
    std::string name_;
    bool designing_ = false;
    bool loading_ = false;
    std::vector<TComponent*> components_;   // owned: freed by the destructor
    std::vector<TComponent*> freeNotifies_;  // not owned; each also lists this component
    TMethodTable methods_;
};

}  // namespace tolvex

TOLVEX_END_API
