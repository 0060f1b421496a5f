#include "PageCanvas.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <vector>

namespace reportengine {

namespace {

// The font at the size of its own units (its em), where every advance and
// every kerning step is a whole number.
const QRawFont &atItsUnits(const QRawFont &font)
{
    static std::vector<std::pair<QRawFont, QRawFont>> sized;
    for (const auto &[from, to] : sized)
        if (from == font)
            return to;
    QRawFont to = font;
    to.setPixelSize(font.unitsPerEm());
    sized.emplace_back(font, to);
    return sized.back().second;
}

} // namespace

TextBatch::TextBatch(QPainter &painter)
    : m_painter(painter)
    // A PDF printer spells out the place of every glyph, in its decimals:
    // at the font's own units the places are whole numbers, a quarter
    // shorter to write and to compress.
    , m_inFontUnits(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf)
{
}

void TextBatch::add(const QGlyphRun &run, const QPointF &at)
{
    const QRawFont font = run.rawFont();
    if (!m_glyphs.isEmpty() && (run.flags() != m_flags || !(font == m_font)))
        flush();
    m_font = font;
    m_flags = run.flags();
    m_glyphs.append(run.glyphIndexes());
    for (const QPointF &p : run.positions())
        m_positions.append(p + at);
}

void TextBatch::flush()
{
    if (m_glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setFlags(m_flags);
    run.setGlyphIndexes(m_glyphs);
    const double units = m_font.unitsPerEm();
    const double size = m_font.pixelSize();
    if (m_inFontUnits && units > 0 && size > 0) {
        // Each glyph moves by less than half a unit of its font (a
        // thousandth of a millimetre at 10 points).
        const double scale = units / size;
        for (QPointF &p : m_positions)
            p = QPointF(std::round(p.x() * scale), std::round(p.y() * scale));
        run.setRawFont(atItsUnits(m_font));
        run.setPositions(m_positions);
        const QTransform page = m_painter.worldTransform();
        m_painter.setWorldTransform(QTransform::fromScale(1 / scale, 1 / scale) * page);
        m_painter.drawGlyphRun(QPointF(0, 0), run);
        m_painter.setWorldTransform(page);
    } else {
        run.setRawFont(m_font);
        run.setPositions(m_positions);
        m_painter.drawGlyphRun(QPointF(0, 0), run);
    }
    m_glyphs.clear();
    m_positions.clear();
}

void PainterCanvas::drawGlyphs(const QGlyphRun &run, const QPointF &at, QStringView)
{
    m_batch.add(run, at);
}

void PainterCanvas::fillRect(const QRectF &rect, const QColor &colour)
{
    m_batch.flush();
    m_painter.fillRect(rect, colour);
}

} // namespace reportengine
