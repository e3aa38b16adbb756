#include "tolvex/framework/richedit.h"

namespace tolvex {

TCharAttributes TTextAttributes::Attributes() const { return owner_.Peer().SelAttributes(); }

void TTextAttributes::SetAttributes(const TCharAttributes& attributes) { owner_.Peer().SetSelAttributes(attributes); }

void TTextAttributes::SetColor(TColor color) {
    TCharAttributes attributes = Attributes();
    attributes.color = color;
    SetAttributes(attributes);
}

void TTextAttributes::SetStyle(TFontStyles style) {
    TCharAttributes attributes = Attributes();
    attributes.style = style;
    SetAttributes(attributes);
}

std::intptr_t TRichEdit::Perform(unsigned message, std::intptr_t wParam, std::intptr_t lParam) {
    if (message == EM_EXLINEFROMCHAR) return LineFromChar(lParam);
    return TCustomMemo::Perform(message, wParam, lParam);
}

}  // namespace tolvex
