#pragma once

// Painting of one element of a band. Pages are painted in hundredths of a
// millimetre, so fonts can take exact pixel sizes whatever the device.

#include "Layout.h"

#include <QFont>
#include <QStringList>

namespace reportengine {

class PageCanvas;

// Painter units per millimetre while a page is painted.
inline constexpr double Units = 100.0;

// The font of a spec in page units ("Times New Roman" is served by the
// system's metric twin, Liberation Serif).
QFont pageFont(const FontSpec &spec);

// A text: a caption at its left/top; a field value (or a caption with a box
// width) word-wrapped in its box, whole lines only, cut at the box's height
// or at room, the space left in the band below the element's top. The
// glyphs go onto the canvas.
void paintText(PageCanvas &canvas, const Element &element, const QString &text, double bandTop, double room);

// A filled rectangle, cut at room, over what was drawn before it.
void paintRect(PageCanvas &canvas, const Element &element, double bandTop, double room);

// The lines of text that a box of the element shows (what paintText draws).
QStringList wrappedLines(const Element &element, const QString &text, double room);

} // namespace reportengine
