#include "tolvex/controls/mathcombobox.h"

namespace tolvex {

TMathComboBox::TMathComboBox(TComponent* owner) : TMathControl<TComboBox>(owner) {
    SetMathErrorOptions({meoRaiseExceptions});
}

void TMathComboBox::DescribeProperties(TPropertyList& list) {
    TComboBox::DescribeProperties(list);
    list.AddSet("MathEditOptions", kMathEditOptionNames, [this] { return editOptions_.Bits(); },
                [this](std::uint32_t bits) { editOptions_ = TMathEditOptions::FromBits(bits); });
    AddMathErrorOptions(list);
    list.AddEnumeration("MathHistoryOption", kMathHistoryOptionNames, [this] { return static_cast<int>(historyOption_); },
                        [this](int value) { historyOption_ = static_cast<TMathHistoryOption>(value); });
    AddMathInterpreter(list);
    AddAfterExecuteExpression(list);
}

Variant TMathComboBox::ExecuteExpression() {
    if (!MathInterpreter()) return Variant();
    const std::string expression = Text();
    const std::optional<Variant> result = Evaluate(expression, [this](const std::string& message) { SetText(message); });
    if (!result) return Variant();
    UpdateHistory(expression);
    if (editOptions_.Has(meoSelfUpdate)) SetText(VarToStr(*result));
    SelectAll();
    DoAfterExecuteExpression(*result);
    return *result;
}

void TMathComboBox::UpdateHistory(const std::string& expression) {
    TStrings& items = Items();
    switch (historyOption_) {
        case mhoAllowDuplicates: break;
        case mhoPreventDuplicates:
            if (items.IndexOf(expression) >= 0) return;
            break;
        case mhoDeleteDuplicates:
            for (int i = items.Count() - 1; i >= 0; --i)
                if (items[i] == expression) items.Delete(i);
            break;
    }
    items.Insert(0, expression);
}

void TMathComboBox::KeyDown(TKey& key, TShiftState shift) {
    TComboBox::KeyDown(key, shift);
    if (editOptions_.Has(meoExecuteOnReturn) && key == VK_RETURN) ExecuteExpression();
}

void TMathComboBox::ShowBinding() {
    if (MathInterpreter()) {
        Items().Clear();
        Clear();
    } else {
        SetText(Name());
    }
}

}  // namespace tolvex
