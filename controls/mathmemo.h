#pragma once
// A memo that works as a transcript: the caret's line is evaluated on Return, and the result (or
// the error's message) is added below it, followed by a fresh line for the next expression.
#include "tolvex/controls/mathcontrol.h"
#include "tolvex/framework/memo.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMathMemo : public TMathControl<TMemo> {
public:
    // Error options [meoRaiseExceptions]; MaxLength 65536.
    explicit TMathMemo(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TMathMemo"; }
    void DescribeProperties(TPropertyList& list) override;

    // Evaluates the caret's line, first copied to the end when it is not the last line.
    Variant ExecuteExpression() override;
    // Return is consumed (the key becomes 0) and evaluates, whatever the shift state; then the
    // inherited handling runs.
    void KeyDown(TKey& key, TShiftState shift) override;

    // The zero-based index of the caret's line.
    int SelLine();
    // Whether anything but CR, LF and blanks stands from the character before the caret to the end.
    bool SomethingAfterSelStart() const;

protected:
    void ShowBinding() override;

private:
    // The caret to the end, then a fresh line unless the text already ends in one.
    void CaretStep();
};

}  // namespace tolvex

TOLVEX_END_API
