#pragma once
// A combo box that evaluates its text and keeps the expressions entered as a history, newest first.
#include "tolvex/controls/mathcontrol.h"
#include "tolvex/framework/combobox.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMathComboBox : public TMathControl<TComboBox> {
public:
    // Options [meoSelfUpdate, meoExecuteOnReturn], history mhoDeleteDuplicates, error options
    // [meoRaiseExceptions].
    explicit TMathComboBox(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TMathComboBox"; }
    void DescribeProperties(TPropertyList& list) override;

    TMathEditOptions MathEditOptions() const { return editOptions_; }
    void SetMathEditOptions(TMathEditOptions options) { editOptions_ = options; }
    TMathHistoryOption MathHistoryOption() const { return historyOption_; }
    void SetMathHistoryOption(TMathHistoryOption option) { historyOption_ = option; }

    // Evaluates the text; on success the text enters the history (Items, compared exactly) and
    // may be replaced by the result, and all text is selected.
    Variant ExecuteExpression() override;
    // The inherited handling first; then Return evaluates under meoExecuteOnReturn.
    void KeyDown(TKey& key, TShiftState shift) override;

protected:
    void ShowBinding() override;

private:
    void UpdateHistory(const std::string& expression);

    TMathEditOptions editOptions_{meoSelfUpdate, meoExecuteOnReturn};
    TMathHistoryOption historyOption_ = mhoDeleteDuplicates;
};

}  // namespace tolvex

TOLVEX_END_API
