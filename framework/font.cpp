#include "tolvex/framework/font.h"

#include <climits>

#include "tolvex/framework/properties.h"

namespace tolvex {

TFont::TFont() : attributes_{"Default", -12, clBlack, {}} {}

void TFont::DescribeProperties(TPropertyList& list) {
    list.AddInteger("Color", [this] { return Color(); }, [this](std::int64_t v) { SetColor(static_cast<TColor>(v)); },
                    INT32_MIN, INT32_MAX);
    list.AddInteger("Height", [this] { return Height(); }, [this](std::int64_t v) { SetHeight(static_cast<int>(v)); },
                    INT32_MIN, INT32_MAX);
    list.AddString("Name", [this] { return Name(); }, [this](const std::string& v) { SetName(v); });
    list.AddSet("Style", kFontStyleNames, [this] { return Style().Bits(); },
                [this](std::uint32_t bits) { SetStyle(TFontStyles::FromBits(bits)); });
}

void TFont::SetName(std::string name) {
    if (name == attributes_.name) return;
    attributes_.name = std::move(name);
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == attributes_.height) return;
    attributes_.height = height;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == attributes_.color) return;
    attributes_.color = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == attributes_.style) return;
    attributes_.style = style;
    Changed();
}

void TFont::SetAttributes(const TCharAttributes& attributes) {
    if (attributes == attributes_) return;
    attributes_ = attributes;
    Changed();
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

}  // namespace tolvex
