#pragma once

// Painting of one element of a band. Pages are painted in hundredths of a
// millimetre, so fonts can take exact pixel sizes whatever the device.

#include "Layout.h"

#include <QFont>
#include <QGlyphRun>
#include <QStringList>

#include <vector>

class QPainter;

namespace reportengine {

// Painter units per millimetre while a page is painted.
inline constexpr double Units = 100.0;

// The font of a spec in page units ("Times New Roman" is served by the
// system's metric twin, Liberation Serif).
QFont pageFont(const FontSpec &spec);

// The text of a page drawn in as few runs as its order allows: a run of
// glyphs in one font goes on while the next text is in the same font too. A
// PDF writer or a printer pays for every run it is handed (a graphics state,
// a transform and a font each time). The texts keep their order, which a
// PDF reader follows to tell words apart, and the glyphs their places.
class TextBatch
{
public:
    explicit TextBatch(QPainter &painter);
    ~TextBatch() { flush(); }

    void add(const QGlyphRun &run, const QPointF &at);
    // Draws what was gathered in the painter's pen: before anything is
    // painted that may lie over the text, and at the page's end.
    void flush();

private:
    QPainter &m_painter;
    bool m_inFontUnits = false;
    QRawFont m_font;
    QGlyphRun::GlyphRunFlags m_flags;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
};

// A text: a caption at its left/top; a field value (or a caption with a box
// width) word-wrapped in its box, whole lines only, cut at the box's height
// or at room, the space left in the band below the element's top. The
// glyphs go into the batch.
void paintText(TextBatch &batch, const Element &element, const QString &text, double bandTop, double room);

// A filled rectangle, cut at room; the text gathered so far is drawn first.
void paintRect(TextBatch &batch, QPainter &painter, const Element &element, double bandTop, double room);

// The lines of text that a box of the element shows (what paintText draws).
QStringList wrappedLines(const Element &element, const QString &text, double room);

} // namespace reportengine
