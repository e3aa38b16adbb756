#pragma once
// Fonts and character attributes as Qt sees them. A colour 0x00BBGGRR becomes the QColor of its
// three bytes; a negative height (character height in pixels) becomes a pixel size, and so does
// a positive one (cell height). A character format also carries the exact height and colour, so
// attributes read back from a document are the ones that were set. A face that Linux desktops
// lack ("MS Sans Serif") is followed by stand-ins of close metrics, and reads back as named.
#include <QColor>
#include <QFont>
#include <QTextCharFormat>

#include "tolvex/framework/font.h"

namespace tolvex::qt {

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// The font a widget shows for `attributes` (its colour goes to the palette, not the font).
QFont ToQFont(const TCharAttributes& attributes);
QTextCharFormat ToCharFormat(const TCharAttributes& attributes);
TCharAttributes FromCharFormat(const QTextCharFormat& format);

}  // namespace tolvex::qt
