#include "tolvex/controls/mathrichedit.h"

#include "tolvex/controls/transcript.h"

namespace tolvex {

namespace {

std::unique_ptr<TFont> BoldFont(TColor color) {
    auto font = std::make_unique<TFont>();
    font->SetColor(color);
    font->SetStyle({fsBold});
    return font;
}

}  // namespace

TMathRichEdit::TMathRichEdit(TComponent* owner)
    : TMathControl<TRichEdit>(owner), resultFont_(BoldFont(clBlue)), errorFont_(BoldFont(clRed)) {
    SetMathErrorOptions({meoWriteExceptionMessage});
    SetWordWrap(false);
    SetScrollBars(ssBoth);
}

TMathRichEdit::~TMathRichEdit() = default;

void TMathRichEdit::DescribeProperties(TPropertyList& list) {
    TRichEdit::DescribeProperties(list);
    list.AddObject("MathErrorFont", *errorFont_);
    AddMathErrorOptions(list);
    AddMathInterpreter(list);
    list.AddObject("MathResultFont", *resultFont_);
    list.AddSet("MathRichEditOptions", kMathRichEditOptionNames, [this] { return richEditOptions_.Bits(); },
                [this](std::uint32_t bits) { richEditOptions_ = TMathRichEditOptions::FromBits(bits); });
    AddAfterExecuteExpression(list);
}

Variant TMathRichEdit::ExecuteExpression() {
    if (!MathInterpreter()) return Variant();
    const int line = SelLine();
    const std::string expression = LineText(*this, line);
    if (!IsLastLine(*this, line)) {
        // The copy must not take the look of the line before it (a result, say).
        SelectLines(Lines().Add(expression), false);
        SelAttributes().Assign(Font());
    }
    const std::optional<Variant> result = Evaluate(
        expression, [this](const std::string& message) { WriteLine(message, *errorFont_, mroUseErrorFont); });
    if (!result) return Variant();
    WriteLine(VarToStr(*result), *resultFont_, mroUseResultFont);
    DoAfterExecuteExpression(*result);
    return *result;
}

void TMathRichEdit::WriteLine(const std::string& text, const TFont& font, TMathRichEditOption option) {
    WritingStep(Lines().Add(text), font, option);
}

void TMathRichEdit::WritingStep(int line, const TFont& font, TMathRichEditOption option) {
    if (richEditOptions_.Has(option)) {
        SelectLines(line, true);
        SelAttributes().Assign(font);
    }
    SetSelStart(GetTextLen());
    SelAttributes().Assign(Font());
    if (SomethingAfterSelStart()) Lines().Add("");
    // Adding the line moved the caret, which took the look of the text before it.
    SelAttributes().Assign(Font());
}

// Selects line `fromLine`, or with `toEnd` everything from its first character to the end.
void TMathRichEdit::SelectLines(int fromLine, bool toEnd) {
    const auto start = static_cast<int>(Perform(EM_LINEINDEX, fromLine, 0));
    SetSelStart(start);
    SetSelLength(toEnd ? GetTextLen() - start : static_cast<int>(Perform(EM_LINELENGTH, start, 0)));
}

void TMathRichEdit::KeyDown(TKey& key, TShiftState shift) {
    if (key == VK_RETURN) {
        key = 0;
        ExecuteExpression();
    }
    TRichEdit::KeyDown(key, shift);
}

int TMathRichEdit::SelLine() { return static_cast<int>(Perform(EM_EXLINEFROMCHAR, 0, SelStart())); }

bool TMathRichEdit::SomethingAfterSelStart() const { return SomethingAfter(Text(), SelStart()); }

void TMathRichEdit::ShowBinding() {
    if (MathInterpreter())
        Clear();
    else
        Lines().SetStrings({Name()});
}

}  // namespace tolvex
