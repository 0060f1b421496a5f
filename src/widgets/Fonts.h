#pragma once

// The serif face of the program's windows: labels, fields, titles and the
// status bar. Sizes are in pixels so that texts fit the fixed layouts.

#include <QFont>

namespace widgets {

inline QFont serifFont(int pixels, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace widgets
