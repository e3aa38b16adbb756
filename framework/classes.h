#pragma once
// Component classes known by name, so that the form-file reader can create the components a
// form file names.
#include <optional>
#include <string>
#include <string_view>

#include "tolvex/framework/component.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

using TComponentFactory = TComponent* (*)(TComponent* owner);

// A component class: its name, how to create one for an owner, and which components are of the
// class or descend from it.
struct TComponentClass {
    std::string name;
    TComponentFactory create = nullptr;
    bool (*isInstance)(const TComponent* component) = nullptr;

    // Whether `component` is of this class or a descendant; without `isInstance`, whether its
    // class name is this one.
    bool Matches(const TComponent& component) const;
};

// The class descriptor of `T`; its name is what a `T` answers to ClassName.
template <class T>
TComponentClass ClassOf() {
    const T probe(nullptr);
    return {probe.ClassName(), [](TComponent* owner) -> TComponent* { return new T(owner); },
            [](const TComponent* component) { return dynamic_cast<const T*>(component) != nullptr; }};
}

// Makes the class known to the reader. The first registration of a name stays; registering the
// name again changes nothing. Safe to call from any thread.
void RegisterClass(const TComponentClass& componentClass);
// The class registered under `name` (any case), if any.
std::optional<TComponentClass> FindClass(std::string_view name);

}  // namespace tolvex

TOLVEX_END_API
