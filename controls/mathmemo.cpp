#include "tolvex/controls/mathmemo.h"

#include "tolvex/controls/transcript.h"

namespace tolvex {

TMathMemo::TMathMemo(TComponent* owner) : TMathControl<TMemo>(owner) {
    SetMathErrorOptions({meoRaiseExceptions});
    SetMaxLength(65536);
}

void TMathMemo::DescribeProperties(TPropertyList& list) {
    TMemo::DescribeProperties(list);
    AddMathErrorOptions(list);
    AddMathInterpreter(list);
    AddAfterExecuteExpression(list);
}

Variant TMathMemo::ExecuteExpression() {
    if (!MathInterpreter()) return Variant();
    const int line = SelLine();
    const std::string expression = LineText(*this, line);
    if (!IsLastLine(*this, line)) Lines().Add(expression);
    const std::optional<Variant> result = Evaluate(expression, [this](const std::string& message) {
        Lines().Add(message);
        CaretStep();
    });
    if (!result) return Variant();
    Lines().Add(VarToStr(*result));
    CaretStep();
    DoAfterExecuteExpression(*result);
    return *result;
}

void TMathMemo::KeyDown(TKey& key, TShiftState shift) {
    if (key == VK_RETURN) {
        key = 0;
        ExecuteExpression();
    }
    TMemo::KeyDown(key, shift);
}

int TMathMemo::SelLine() { return static_cast<int>(Perform(EM_LINEFROMCHAR, SelStart(), 0)); }

bool TMathMemo::SomethingAfterSelStart() const { return SomethingAfter(Text(), SelStart()); }

void TMathMemo::CaretStep() {
    SetSelStart(GetTextLen());
    if (SomethingAfterSelStart()) Lines().Add("");
}

void TMathMemo::ShowBinding() {
    if (MathInterpreter())
        Clear();
    else
        Lines().SetStrings({Name()});
}

}  // namespace tolvex
