#pragma once
// The form designer's interfaces: the designer's notice that the form was modified, property
// editors (what the object inspector shows and assigns for a property of the selected
// components), component editors (the verbs of a component's context menu), and the registries
// through which design-time packages install their editors. Plain classes and functions, so a
// host or a test can drive them.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tolvex/framework/classes.h"
#include "tolvex/framework/properties.h"
#include "tolvex/framework/set.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// The form designer as its editors see it.
class TDesigner {
public:
    virtual ~TDesigner() = default;
    // Tells the designer that the form being designed was changed (so it is saved, say).
    virtual void Modified() = 0;
};

// How the object inspector offers a property: paDialog gives it a button that calls Edit,
// paMultiSelect keeps it shown when several components are selected, paValueList offers the
// values of GetValues.
enum TPropertyAttribute : std::uint8_t {
    paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate, paSortList, paReadOnly, paRevertable
};
using TPropertyAttributes = TSet<TPropertyAttribute>;

// Edits one published property of the selected components. Reads come from the first
// component; writes go to all of them, after which the designer is told of the modification.
class TPropertyEditor {
public:
    // `components` is the selection, at least one component; each publishes `propertyName`.
    TPropertyEditor(TDesigner& designer, std::vector<TComponent*> components, std::string propertyName);
    virtual ~TPropertyEditor() = default;
    TPropertyEditor(const TPropertyEditor&) = delete;
    TPropertyEditor& operator=(const TPropertyEditor&) = delete;
    virtual const char* ClassName() const { return "TPropertyEditor"; }

    TDesigner& Designer() const { return designer_; }
    int PropCount() const { return static_cast<int>(components_.size()); }
    TComponent* GetComponent(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    const std::string& GetName() const { return propertyName_; }

    // [paRevertable] here.
    virtual TPropertyAttributes GetAttributes();
    // The value as the inspector shows it, and the assignment of a text the user typed.
    virtual std::string GetValue() = 0;
    virtual void SetValue(const std::string& value) = 0;
    // What the inspector's button (or a double click) does. Here: with paValueList, the value
    // moves on to the next one of GetValues (after the last, to the first); otherwise nothing.
    virtual void Edit();
    // The values a value list offers; none here.
    virtual void GetValues(const std::function<void(const std::string&)>& add);

    // Tells the designer that the form was modified.
    void Modified();

protected:
    // The property's value on the selected component `index`.
    TPropertyValue GetPropValue(int index) const;
    // Assigns the value to every selected component in order, then tells the designer. A failing
    // assignment stops there and passes on; the designer is told all the same when an earlier
    // component was already changed.
    void SetPropValues(const TPropertyValue& value);

private:
    TDesigner& designer_;
    std::vector<TComponent*> components_;
    std::string propertyName_;
};

// A string (or character) property, shown and assigned as its text.
class TStringProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    const char* ClassName() const override { return "TStringProperty"; }
    // [paMultiSelect, paRevertable].
    TPropertyAttributes GetAttributes() override;
    std::string GetValue() override;
    void SetValue(const std::string& value) override;
};

// Adds verbs to a component's context menu in the designer, and says what a double click on it
// does.
class TComponentEditor {
public:
    TComponentEditor(TComponent& component, TDesigner& designer) : component_(component), designer_(designer) {}
    virtual ~TComponentEditor() = default;
    TComponentEditor(const TComponentEditor&) = delete;
    TComponentEditor& operator=(const TComponentEditor&) = delete;
    virtual const char* ClassName() const { return "TComponentEditor"; }

    // The component being edited; it belongs to the form being designed.
    TComponent& Component() const { return component_; }
    TDesigner& GetDesigner() const { return designer_; }

    // A double click: runs the first verb, when there is one.
    virtual void Edit();
    virtual void ExecuteVerb(int index);
    // The verb's menu text; empty here.
    virtual std::string GetVerb(int index);
    // None here.
    virtual int GetVerbCount();

private:
    TComponent& component_;
    TDesigner& designer_;
};

// ---- Registration ---------------------------------------------------------------------------

using TPropertyEditorFactory =
    std::function<std::unique_ptr<TPropertyEditor>(TDesigner&, std::vector<TComponent*>, std::string)>;
using TComponentEditorFactory = std::function<std::unique_ptr<TComponentEditor>(TComponent&, TDesigner&)>;

// An editor class: its name and how to create one.
template <class Factory>
struct TEditorClass {
    std::string name;
    Factory create;
};
using TPropertyEditorClass = TEditorClass<TPropertyEditorFactory>;
using TComponentEditorClass = TEditorClass<TComponentEditorFactory>;

namespace detail {
// What an editor class is probed with for its name: a designer that ignores the notice, and a
// bare component. Editors do nothing on construction.
TDesigner& ProbeDesigner();
TComponent& ProbeComponent();
}  // namespace detail

// The descriptor of a property editor class `E`; its name is what an `E` answers to ClassName.
template <class E>
TPropertyEditorClass PropertyEditorClassOf() {
    const E probe(detail::ProbeDesigner(), {}, "");
    TPropertyEditorFactory create = [](TDesigner& designer, std::vector<TComponent*> components, std::string name) {
        return std::unique_ptr<TPropertyEditor>(new E(designer, std::move(components), std::move(name)));
    };
    return {probe.ClassName(), std::move(create)};
}
// The descriptor of a component editor class `E`.
template <class E>
TComponentEditorClass ComponentEditorClassOf() {
    const E probe(detail::ProbeComponent(), detail::ProbeDesigner());
    TComponentEditorFactory create = [](TComponent& component, TDesigner& designer) {
        return std::unique_ptr<TComponentEditor>(new E(component, designer));
    };
    return {probe.ClassName(), std::move(create)};
}

// Installs `editorClass` for the properties of kind `propertyType` named `propertyName` (any
// case; empty: every property of that kind) of the components of `componentClass` and its
// descendants. Registering the same thing again changes nothing. Safe to call from any thread.
void RegisterPropertyEditor(TPropertyKind propertyType, const TComponentClass& componentClass,
                            const std::string& propertyName, const TPropertyEditorClass& editorClass);
// Installs `editorClass` for the components of `componentClass` and its descendants.
void RegisterComponentEditor(const TComponentClass& componentClass, const TComponentEditorClass& editorClass);

// The editor for the property `propertyName` of the selected components: the latest
// registration that fits the property's kind and name and every selected component, else
// TStringProperty for a string or character property. Null when the components do not all
// publish the property, when nothing fits, or when several components are selected and the
// editor lacks paMultiSelect.
std::unique_ptr<TPropertyEditor> GetPropertyEditor(TDesigner& designer, const std::vector<TComponent*>& components,
                                                   const std::string& propertyName);
// The editor for `component`: the latest registration that fits it, else a TComponentEditor.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent& component, TDesigner& designer);

struct TPropertyEditorEntry {
    TPropertyKind propertyType;
    std::string componentClass;
    std::string propertyName;
    std::string editorClass;
};
struct TComponentEditorEntry {
    std::string componentClass;
    std::string editorClass;
};
// Everything registered so far, in registration order.
std::vector<TPropertyEditorEntry> RegisteredPropertyEditors();
std::vector<TComponentEditorEntry> RegisteredComponentEditors();

}  // namespace tolvex

TOLVEX_END_API
