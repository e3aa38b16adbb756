// The registries of property and component editors, filled by the design-time packages'
// Register routines and read by the form designer.
#include <algorithm>
#include <mutex>
#include <optional>

#include "tolvex/framework/designer.h"
#include "tolvex/framework/ident.h"

namespace tolvex {

namespace {

struct PropertyRegistration {
    TPropertyKind kind;
    TComponentClass componentClass;
    std::string propertyName;
    TPropertyEditorClass editorClass;

    bool Fits(TPropertyKind propertyKind, const std::string& name, const std::vector<TComponent*>& components) const {
        return kind == propertyKind && (propertyName.empty() || SameText(propertyName, name)) &&
               std::all_of(components.begin(), components.end(),
                           [this](const TComponent* c) { return componentClass.Matches(*c); });
    }
};

struct ComponentRegistration {
    TComponentClass componentClass;
    TComponentEditorClass editorClass;
};

struct EditorRegistry {
    std::mutex mutex;
    std::vector<PropertyRegistration> properties;
    std::vector<ComponentRegistration> components;

    static EditorRegistry& Instance() {
        static EditorRegistry registry;
        return registry;
    }
};

class TProbeDesigner : public TDesigner {
public:
    void Modified() override {}
};

// The kind of the property on every component, or nothing when one of them lacks it or has it
// of another kind.
std::optional<TPropertyKind> CommonKind(const std::vector<TComponent*>& components, const std::string& name) {
    std::optional<TPropertyKind> kind;
    for (TComponent* component : components) {
        TPropertyList list;
        component->DescribeProperties(list);
        const TPropertyInfo* info = list.Find(name);
        if (!info || (kind && *kind != info->kind)) return std::nullopt;
        kind = info->kind;
    }
    return kind;
}

}  // namespace

namespace detail {

TDesigner& ProbeDesigner() {
    static TProbeDesigner designer;
    return designer;
}

TComponent& ProbeComponent() {
    static TComponent component;
    return component;
}

}  // namespace detail

void RegisterPropertyEditor(TPropertyKind propertyType, const TComponentClass& componentClass,
                            const std::string& propertyName, const TPropertyEditorClass& editorClass) {
    EditorRegistry& registry = EditorRegistry::Instance();
    std::lock_guard lock(registry.mutex);
    const bool known = std::any_of(registry.properties.begin(), registry.properties.end(), [&](const auto& r) {
        return r.kind == propertyType && SameText(r.componentClass.name, componentClass.name) &&
               SameText(r.propertyName, propertyName) && r.editorClass.name == editorClass.name;
    });
    if (!known) registry.properties.push_back({propertyType, componentClass, propertyName, editorClass});
}

void RegisterComponentEditor(const TComponentClass& componentClass, const TComponentEditorClass& editorClass) {
    EditorRegistry& registry = EditorRegistry::Instance();
    std::lock_guard lock(registry.mutex);
    const bool known = std::any_of(registry.components.begin(), registry.components.end(), [&](const auto& r) {
        return SameText(r.componentClass.name, componentClass.name) && r.editorClass.name == editorClass.name;
    });
    if (!known) registry.components.push_back({componentClass, editorClass});
}

std::unique_ptr<TPropertyEditor> GetPropertyEditor(TDesigner& designer, const std::vector<TComponent*>& components,
                                                   const std::string& propertyName) {
    if (components.empty()) return nullptr;
    const std::optional<TPropertyKind> kind = CommonKind(components, propertyName);
    if (!kind) return nullptr;
    TPropertyEditorFactory create;
    {
        EditorRegistry& registry = EditorRegistry::Instance();
        std::lock_guard lock(registry.mutex);
        const auto found = std::find_if(registry.properties.rbegin(), registry.properties.rend(),
                                        [&](const auto& r) { return r.Fits(*kind, propertyName, components); });
        if (found != registry.properties.rend()) create = found->editorClass.create;
    }
    if (!create && (*kind == TPropertyKind::String || *kind == TPropertyKind::Char))
        create = PropertyEditorClassOf<TStringProperty>().create;
    if (!create) return nullptr;
    std::unique_ptr<TPropertyEditor> editor = create(designer, components, propertyName);
    if (components.size() > 1 && !editor->GetAttributes().Has(paMultiSelect)) return nullptr;
    return editor;
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent& component, TDesigner& designer) {
    TComponentEditorFactory create;
    {
        EditorRegistry& registry = EditorRegistry::Instance();
        std::lock_guard lock(registry.mutex);
        const auto found = std::find_if(registry.components.rbegin(), registry.components.rend(),
                                        [&](const auto& r) { return r.componentClass.Matches(component); });
        if (found != registry.components.rend()) create = found->editorClass.create;
    }
    return create ? create(component, designer) : std::make_unique<TComponentEditor>(component, designer);
}

std::vector<TPropertyEditorEntry> RegisteredPropertyEditors() {
    EditorRegistry& registry = EditorRegistry::Instance();
    std::lock_guard lock(registry.mutex);
    std::vector<TPropertyEditorEntry> entries;
    for (const auto& r : registry.properties)
        entries.push_back({r.kind, r.componentClass.name, r.propertyName, r.editorClass.name});
    return entries;
}

std::vector<TComponentEditorEntry> RegisteredComponentEditors() {
    EditorRegistry& registry = EditorRegistry::Instance();
    std::lock_guard lock(registry.mutex);
    std::vector<TComponentEditorEntry> entries;
    for (const auto& r : registry.components) entries.push_back({r.componentClass.name, r.editorClass.name});
    return entries;
}

}  // namespace tolvex
