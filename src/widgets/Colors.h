#pragma once

// Colours of the program are written as Windows COLORREF numbers
// (0x00BBGGRR), the way the window designs give them.

#include <QColor>

namespace widgets {

inline QColor fromColorRef(quint32 ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

namespace colorref {
constexpr quint32 LightYellow = 14745599; // RGB(255, 255, 224): balloons, splash panel
constexpr quint32 StrongPink = 10184434;  // blinking notice, first phase
constexpr quint32 LightPink = 13547001;   // blinking notice, second phase
constexpr quint32 LightGrey = 12632256;   // RGB(192, 192, 192)
constexpr quint32 Grey = 8421504;         // RGB(128, 128, 128): disabled captions, hot outline
constexpr quint32 White = 16777215;
constexpr quint32 Black = 0;
} // namespace colorref

} // namespace widgets
