#pragma once

// The small sans-serif text of the family's dialogs (8 points on the
// original screens, 11 pixels here), so that the texts fit the fixed layouts.

#include <QFont>

namespace guidance {

inline QFont dialogFont(QFont font)
{
    font.setPixelSize(11);
    return font;
}

} // namespace guidance
