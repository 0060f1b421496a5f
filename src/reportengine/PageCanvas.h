#pragma once

// What a report page is drawn with: glyph runs and filled rectangles in page
// units (hundredths of a millimetre, from the top left corner of the printed
// area). The preview and the printer draw through a QPainter; a PDF file is
// written by a canvas of its own (PdfCanvas).

#include <QColor>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
#include <QStringView>

class QPainter;

namespace reportengine {

class PageCanvas
{
public:
    virtual ~PageCanvas() = default;

    // The glyphs of run, in black, moved by at; text is what the run shows
    // (the line it was shaped from), so that a reader can get the letters
    // back, ligatures included.
    virtual void drawGlyphs(const QGlyphRun &run, const QPointF &at, QStringView text) = 0;
    // Paints over everything drawn before it.
    virtual void fillRect(const QRectF &rect, const QColor &colour) = 0;
};

// The glyphs handed to a painter in as few runs as their order allows: a run
// of glyphs in one font goes on while the next text is in the same font too.
// A printer pays for every run it is handed (a graphics state, a transform and
// a font each time). The texts keep their order, which a PDF reader follows to
// tell words apart, and the glyphs their places.
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

// A page drawn with a painter already set to page units (preview, printing).
class PainterCanvas : public PageCanvas
{
public:
    explicit PainterCanvas(QPainter &painter) : m_painter(painter), m_batch(painter) {}

    void drawGlyphs(const QGlyphRun &run, const QPointF &at, QStringView text) override;
    void fillRect(const QRectF &rect, const QColor &colour) override;

private:
    QPainter &m_painter;
    TextBatch m_batch;
};

} // namespace reportengine
