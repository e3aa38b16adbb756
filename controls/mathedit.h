#pragma once
// A single-line edit that evaluates its text.
#include "tolvex/controls/mathcontrol.h"
#include "tolvex/framework/edit.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMathEdit : public TMathControl<TEdit> {
public:
    // Options [meoSelfUpdate, meoExecuteOnReturn], error options [meoRaiseExceptions].
    explicit TMathEdit(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TMathEdit"; }
    void DescribeProperties(TPropertyList& list) override;

    TMathEditOptions MathEditOptions() const { return editOptions_; }
    void SetMathEditOptions(TMathEditOptions options) { editOptions_ = options; }

    // Evaluates the text; on success the text may become the result and, with AutoSelect, is
    // selected; a failure is written and re-raised per MathErrorOptions.
    Variant ExecuteExpression() override;
    // The inherited handling first; then Return evaluates under meoExecuteOnReturn. The key is
    // left as it is.
    void KeyDown(TKey& key, TShiftState shift) override;

protected:
    void ShowBinding() override;

private:
    TMathEditOptions editOptions_{meoSelfUpdate, meoExecuteOnReturn};
};

}  // namespace tolvex

TOLVEX_END_API
