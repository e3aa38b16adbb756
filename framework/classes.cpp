#include "tolvex/framework/classes.h"

#include <mutex>
#include <vector>

#include "tolvex/framework/ident.h"

namespace tolvex {

namespace {

// Filled by the packages' registration routines, read by every form-file reader.
struct ClassRegistry {
    std::mutex mutex;
    std::vector<TComponentClass> classes;

    static ClassRegistry& Instance() {
        static ClassRegistry registry;
        return registry;
    }
    const TComponentClass* Find(std::string_view name) const {
        for (const TComponentClass& c : classes)
            if (SameText(c.name, name)) return &c;
        return nullptr;
    }
};

}  // namespace

bool TComponentClass::Matches(const TComponent& component) const {
    return isInstance ? isInstance(&component) : SameText(component.ClassName(), name);
}

void RegisterClass(const TComponentClass& componentClass) {
    ClassRegistry& registry = ClassRegistry::Instance();
    std::lock_guard lock(registry.mutex);
    if (!registry.Find(componentClass.name)) registry.classes.push_back(componentClass);
}

std::optional<TComponentClass> FindClass(std::string_view name) {
    ClassRegistry& registry = ClassRegistry::Instance();
    std::lock_guard lock(registry.mutex);
    const TComponentClass* found = registry.Find(name);
    return found ? std::optional<TComponentClass>(*found) : std::nullopt;
}

}  // namespace tolvex
