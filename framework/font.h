#pragma once
// Fonts and the character attributes a font gives to text.
#include <cstdint>
#include <functional>
#include <string>

#include "tolvex/framework/persistent.h"
#include "tolvex/framework/set.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// A colour as 0x00BBGGRR: red in the low byte, blue in the high byte.
using TColor = std::int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
inline constexpr const char* kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// What one character of rich text looks like.
struct TCharAttributes {
    std::string name;
    int height = 0;
    TColor color = clBlack;
    TFontStyles style;
    friend bool operator==(const TCharAttributes&, const TCharAttributes&) = default;
};

class TFont : public TPersistent {
public:
    // The default font: name "Default", height -12, black, no style.
    TFont();
    const char* ClassName() const override { return "TFont"; }
    void DescribeProperties(TPropertyList& list) override;

    const std::string& Name() const { return attributes_.name; }
    void SetName(std::string name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return attributes_.height; }
    void SetHeight(int height);
    TColor Color() const { return attributes_.color; }
    void SetColor(TColor color);
    TFontStyles Style() const { return attributes_.style; }
    void SetStyle(TFontStyles style);

    // Copies name, height, colour and style; keeps no link to `other`.
    void Assign(const TFont& other) { SetAttributes(other.attributes_); }
    const TCharAttributes& Attributes() const { return attributes_; }
    void SetAttributes(const TCharAttributes& attributes);

    // Called after every change; the control owning the font uses it to follow the change.
    std::function<void()> OnChange;

private:
    void Changed();
    TCharAttributes attributes_;
};

}  // namespace tolvex

TOLVEX_END_API
