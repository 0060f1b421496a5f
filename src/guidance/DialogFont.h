#pragma once

// The small sans-serif text of the family's dialogs (8 points on the
// original screens, 11 pixels here), so that the texts fit the fixed layouts.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

namespace guidance {

inline QFont dialogFont(QFont font)
{
    font.setPixelSize(11);
    return font;
}

// The font at the largest pixel size, from its own down to 8, at which the
// text lies wholly inside a box of the given size (word-wrapped when asked).
// The fixed layouts were drawn for narrower screen fonts than some systems
// have; a text that would be cut off is set a little smaller instead.
inline QFont fittingFont(QFont font, const QString &text, const QSize &box, bool wrap)
{
    int px = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    for (; px > 8; --px) {
        font.setPixelSize(px);
        const QRect need = QFontMetrics(font).boundingRect(
            QRect(0, 0, box.width(), 10000), wrap ? Qt::TextWordWrap : 0, text);
        if (need.width() <= box.width() && need.height() <= box.height())
            break;
    }
    font.setPixelSize(px);
    return font;
}

} // namespace guidance
