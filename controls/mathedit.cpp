#include "tolvex/controls/mathedit.h"

namespace tolvex {

TMathEdit::TMathEdit(TComponent* owner) : TMathControl<TEdit>(owner) { SetMathErrorOptions({meoRaiseExceptions}); }

void TMathEdit::DescribeProperties(TPropertyList& list) {
    TEdit::DescribeProperties(list);
    list.AddSet("MathEditOptions", kMathEditOptionNames, [this] { return editOptions_.Bits(); },
                [this](std::uint32_t bits) { editOptions_ = TMathEditOptions::FromBits(bits); });
    AddMathErrorOptions(list);
    AddMathInterpreter(list);
    AddAfterExecuteExpression(list);
}

Variant TMathEdit::ExecuteExpression() {
    if (!MathInterpreter()) return Variant();
    const std::optional<Variant> result = Evaluate(Text(), [this](const std::string& message) { SetText(message); });
    if (!result) return Variant();
    if (editOptions_.Has(meoSelfUpdate)) SetText(VarToStr(*result));
    if (AutoSelect()) SelectAll();
    DoAfterExecuteExpression(*result);
    return *result;
}

void TMathEdit::KeyDown(TKey& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    if (editOptions_.Has(meoExecuteOnReturn) && key == VK_RETURN) ExecuteExpression();
}

void TMathEdit::ShowBinding() {
    if (MathInterpreter())
        Clear();
    else
        SetText(Name());
}

}  // namespace tolvex
