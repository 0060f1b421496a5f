#pragma once

// Puts a top-level dialog in the middle of the primary screen.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace guidance {

inline void centreOnScreen(QWidget &dialog)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        dialog.move(area.x() + (area.width() - dialog.width()) / 2,
                    area.y() + (area.height() - dialog.height()) / 2);
    }
}

} // namespace guidance
