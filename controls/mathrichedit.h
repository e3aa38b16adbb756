#pragma once
// A rich-text transcript: as the memo, with result lines and error lines in their own fonts.
#include <memory>

#include "tolvex/controls/mathcontrol.h"
#include "tolvex/framework/richedit.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMathRichEdit : public TMathControl<TRichEdit> {
public:
    // Result font blue and bold, error font red and bold, both fonts in use; error options
    // [meoWriteExceptionMessage]; WordWrap false and ScrollBars ssBoth.
    explicit TMathRichEdit(TComponent* owner = nullptr);
    ~TMathRichEdit() override;
    const char* ClassName() const override { return "TMathRichEdit"; }
    void DescribeProperties(TPropertyList& list) override;

    // The control's own fonts; setting one copies the given font's attributes.
    const TFont& MathResultFont() const { return *resultFont_; }
    void SetMathResultFont(const TFont& font) { resultFont_->Assign(font); }
    const TFont& MathErrorFont() const { return *errorFont_; }
    void SetMathErrorFont(const TFont& font) { errorFont_->Assign(font); }
    TMathRichEditOptions MathRichEditOptions() const { return richEditOptions_; }
    void SetMathRichEditOptions(TMathRichEditOptions options) { richEditOptions_ = options; }

    // Evaluates the caret's line, first copied to the end (in the control's font) when it is not
    // the last line; the result or message line is written in its font.
    Variant ExecuteExpression() override;
    // Return is consumed (the key becomes 0) and evaluates; then the inherited handling runs.
    void KeyDown(TKey& key, TShiftState shift) override;

    // The zero-based index of the caret's line.
    int SelLine();
    // Whether anything but CR, LF and blanks stands from the character before the caret to the end.
    bool SomethingAfterSelStart() const;

protected:
    void ShowBinding() override;

private:
    // Adds `text` as a line and does the writing step for it.
    void WriteLine(const std::string& text, const TFont& font, TMathRichEditOption option);
    // Under `option` the line and all after it take `font`; then the caret goes to the end with
    // the control's font as typing attributes, on a fresh line.
    void WritingStep(int line, const TFont& font, TMathRichEditOption option);
    void SelectLines(int fromLine, bool toEnd);

    std::unique_ptr<TFont> resultFont_;
    std::unique_ptr<TFont> errorFont_;
    TMathRichEditOptions richEditOptions_{mroUseResultFont, mroUseErrorFont};
};

}  // namespace tolvex

TOLVEX_END_API
