#pragma once
// The component base: an owner that owns and frees its components, a name, the designing state,
// and the removal notice sent to the other components of the same owner.
#include <memory>
#include <string>
#include <vector>

namespace tolvex {

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    virtual const char* ClassName() const { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // True while the component is edited in a form designer.
    bool Designing() const { return designing_; }
    virtual void SetDesigning(bool designing);

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }

protected:
    // Called on every component of the owner when `component` is inserted or about to be freed.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_;
    std::string name_;
    bool designing_ = false;
    std::vector<TComponent*> components_;  // owned: freed by the destructor
};

}  // namespace tolvex
