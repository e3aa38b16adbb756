#include "tolvex/framework/designer.h"

#include <algorithm>

namespace tolvex {

namespace {

// The published property `name` of `component`, from a list that lives as long as the caller's.
const TPropertyInfo& PropertyOf(TComponent& component, TPropertyList& list, const std::string& name) {
    component.DescribeProperties(list);
    const TPropertyInfo* info = list.Find(name);
    if (!info || !info->get) throw EPropertyError(Join("Property ", name, " does not exist"));
    return *info;
}

}  // namespace

// ---- Property editors -----------------------------------------------------------------------

TPropertyEditor::TPropertyEditor(TDesigner& designer, std::vector<TComponent*> components, std::string propertyName)
    : designer_(designer), components_(std::move(components)), propertyName_(std::move(propertyName)) {}

TPropertyAttributes TPropertyEditor::GetAttributes() { return {paRevertable}; }

void TPropertyEditor::Edit() {
    if (!GetAttributes().Has(paValueList)) return;
    std::vector<std::string> values;
    GetValues([&values](const std::string& value) { values.push_back(value); });
    if (values.empty()) return;
    const auto at = std::find(values.begin(), values.end(), GetValue());
    SetValue(at == values.end() || at + 1 == values.end() ? values.front() : *(at + 1));
}

void TPropertyEditor::GetValues(const std::function<void(const std::string&)>&) {}

void TPropertyEditor::Modified() { designer_.Modified(); }

TPropertyValue TPropertyEditor::GetPropValue(int index) const {
    TPropertyList list;
    return PropertyOf(*GetComponent(index), list, propertyName_).get();
}

void TPropertyEditor::SetPropValues(const TPropertyValue& value) {
    int changed = 0;
    try {
        for (TComponent* component : components_) {
            TPropertyList list;
            const TPropertyInfo& info = PropertyOf(*component, list, propertyName_);
            info.set(value, component->Owner() ? *component->Owner() : *component);
            ++changed;
        }
    } catch (...) {
        if (changed > 0) Modified();
        throw;
    }
    Modified();
}

TPropertyAttributes TStringProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }

std::string TStringProperty::GetValue() { return StringOf(GetPropValue(0)); }

void TStringProperty::SetValue(const std::string& value) { SetPropValues(value); }

// ---- Component editors ----------------------------------------------------------------------

void TComponentEditor::Edit() {
    if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {}

std::string TComponentEditor::GetVerb(int) { return {}; }

int TComponentEditor::GetVerbCount() { return 0; }

}  // namespace tolvex
