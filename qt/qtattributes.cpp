#include "tolvex/qt/qttext.h"
#include "tolvex/qt/qtattributes.h"

#include <cstdlib>

namespace tolvex::qt {

namespace {

// The framework's own height and colour, kept beside what Qt renders.
constexpr int kHeightProperty = QTextFormat::UserProperty + 1;
constexpr int kColorProperty = QTextFormat::UserProperty + 2;

// Faces the forms name that a Linux desktop rarely has, with stand-ins of close metrics. The
// forms were laid out for them: a wider face (fontconfig's default) runs labels into the edits
// beside them.
struct TStandIn {
    const char* face;
    const char* standIns[2];
};
constexpr TStandIn kStandIns[] = {
    {"MS Sans Serif", {"Liberation Sans", "Arial"}},
};

// The face first, then its stand-ins: Qt takes the first family that is installed.
QStringList FamiliesFor(const std::string& name) {
    QStringList families{ToQString(name)};
    for (const TStandIn& entry : kStandIns)
        if (name == entry.face)
            for (const char* standIn : entry.standIns) families << QString::fromLatin1(standIn);
    return families;
}

}  // namespace

QColor ToQColor(TColor color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

TColor FromQColor(const QColor& color) { return color.red() | (color.green() << 8) | (color.blue() << 16); }

QFont ToQFont(const TCharAttributes& attributes) {
    QFont font;
    font.setFamilies(FamiliesFor(attributes.name));
    if (attributes.height != 0) font.setPixelSize(std::abs(attributes.height));
    font.setBold(attributes.style.Has(fsBold));
    font.setItalic(attributes.style.Has(fsItalic));
    font.setUnderline(attributes.style.Has(fsUnderline));
    font.setStrikeOut(attributes.style.Has(fsStrikeOut));
    return font;
}

QTextCharFormat ToCharFormat(const TCharAttributes& attributes) {
    QTextCharFormat format;
    format.setFontFamilies(FamiliesFor(attributes.name));
    if (attributes.height != 0) format.setProperty(QTextFormat::FontPixelSize, std::abs(attributes.height));
    format.setForeground(ToQColor(attributes.color));
    format.setFontWeight(attributes.style.Has(fsBold) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(attributes.style.Has(fsItalic));
    format.setFontUnderline(attributes.style.Has(fsUnderline));
    format.setFontStrikeOut(attributes.style.Has(fsStrikeOut));
    format.setProperty(kHeightProperty, attributes.height);
    format.setProperty(kColorProperty, attributes.color);
    return format;
}

TCharAttributes FromCharFormat(const QTextCharFormat& format) {
    TCharAttributes attributes;
    const QStringList families = format.fontFamilies().toStringList();
    attributes.name = families.isEmpty() ? std::string() : FromQString(families.front());
    attributes.height = format.hasProperty(kHeightProperty) ? format.intProperty(kHeightProperty)
                                                            : -format.intProperty(QTextFormat::FontPixelSize);
    attributes.color = format.hasProperty(kColorProperty) ? format.intProperty(kColorProperty)
                                                          : FromQColor(format.foreground().color());
    if (format.fontWeight() >= QFont::Bold) attributes.style.Include(fsBold);
    if (format.fontItalic()) attributes.style.Include(fsItalic);
    if (format.fontUnderline()) attributes.style.Include(fsUnderline);
    if (format.fontStrikeOut()) attributes.style.Include(fsStrikeOut);
    return attributes;
}

}  // namespace tolvex::qt
