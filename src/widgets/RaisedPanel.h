#pragma once

// The frame of the program's borderless windows: a raised panel over the
// whole window holding an inner panel of the light yellow of the dialogs.

#include "Colors.h"

#include <QFrame>

namespace widgets {

// Fills window (of fixed size) with the raised panel and returns the inner
// panel, border pixels in from the window's edges, on which the window's
// controls go.
inline QFrame *raisedPanel(QWidget *window, int border = 3)
{
    auto *outer = new QFrame(window);
    outer->setFrameShape(QFrame::Panel);
    outer->setFrameShadow(QFrame::Raised);
    outer->setGeometry(0, 0, window->width(), window->height());

    auto *inner = new QFrame(outer);
    inner->setAutoFillBackground(true);
    QPalette palette = inner->palette();
    palette.setColor(QPalette::Window, widgets::fromColorRef(widgets::colorref::LightYellow));
    inner->setPalette(palette);
    inner->setGeometry(border, border, window->width() - 2 * border, window->height() - 2 * border);
    return inner;
}

} // namespace widgets
