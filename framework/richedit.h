#pragma once
// A rich-text memo: every character has its own attributes, and the attributes of the
// selection can be read and set.
#include "tolvex/framework/memo.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TRichEdit;

// The attributes of a rich edit's selection; with nothing selected, those new text gets
// (the typing attributes).
class TTextAttributes {
public:
    explicit TTextAttributes(TRichEdit& owner) : owner_(owner) {}

    TCharAttributes Attributes() const;
    void SetAttributes(const TCharAttributes& attributes);
    // Takes a font's name, height, colour and style.
    void Assign(const TFont& font) { SetAttributes(font.Attributes()); }

    std::string Name() const { return Attributes().name; }
    int Height() const { return Attributes().height; }
    TColor Color() const { return Attributes().color; }
    TFontStyles Style() const { return Attributes().style; }
    void SetColor(TColor color);
    void SetStyle(TFontStyles style);

private:
    TRichEdit& owner_;
};

class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* owner = nullptr) : TCustomMemo(owner), selAttributes_(*this) {}
    const char* ClassName() const override { return "TRichEdit"; }

    TTextAttributes& SelAttributes() { return selAttributes_; }
    // The attributes of one character of the text.
    TCharAttributes AttributesAt(int index) const { return Peer().AttributesAt(index); }

    // Adds EM_EXLINEFROMCHAR (the character in lParam).
    std::intptr_t Perform(unsigned message, std::intptr_t wParam, std::intptr_t lParam) override;

private:
    TTextAttributes selAttributes_;
};

}  // namespace tolvex

TOLVEX_END_API
