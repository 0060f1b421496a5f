#include "ElementPainter.h"

#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QTextLayout>

#include <QPaintEngine>

#include <algorithm>
#include <cmath>

namespace reportengine {

namespace {

struct CachedFont
{
    QFont font;
};

const CachedFont &cachedFont(const FontSpec &spec)
{
    // A handful of specs per report, asked for by every element of every
    // row: a look along a short list finds them without building a key.
    static std::vector<std::pair<FontSpec, CachedFont *>> cache;
    for (const auto &[known, entry] : cache)
        if (known.points == spec.points && known.bold == spec.bold && known.italic == spec.italic
            && known.family == spec.family)
            return *entry;
    QFont font(spec.family);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(qRound(spec.points * 25.4 / 72.0 * Units));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    auto *entry = new CachedFont{font};
    cache.emplace_back(spec, entry);
    return *entry;
}

// A one-line text shaped once: captions, genres, numbers and names come
// back on every row, and shaping is the dearest part of painting a row.
struct ShapedLine
{
    QList<QGlyphRun> runs;
    double width = 0.0;
};

const ShapedLine &shaped(const CachedFont &cf, const QString &text)
{
    static QHash<const CachedFont *, QHash<QString, ShapedLine>> byFont;
    QHash<QString, ShapedLine> &lines = byFont[&cf];
    auto it = lines.constFind(text);
    if (it != lines.constEnd())
        return *it;
    // Bounded: a report of unique titles must not keep them all.
    if (lines.size() > 4096)
        lines.clear();
    QTextLayout layout(text, cf.font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    ShapedLine entry{layout.glyphRuns(), line.naturalTextWidth()};
    return *lines.insert(text, entry);
}

bool hasBox(const Element &e)
{
    return e.kind == Element::Kind::Field || e.box.width() > 0;
}

double alignedOffset(Qt::Alignment alignment, double width, double textWidth)
{
    if (alignment & Qt::AlignHCenter)
        return (width - textWidth) / 2;
    if (alignment & Qt::AlignRight)
        return width - textWidth;
    return 0.0;
}

// Lays the text out in the box: whole lines, the first one always, the
// others while they fit in height.
void layoutLines(QTextLayout &layout, const Element &e, double width, double height)
{
    QTextOption option(e.alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0.0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (y > 0 && y + line.height() > height + 0.5) {
            // Not shown: give it no text so that it is not drawn.
            line.setNumColumns(0);
            line.setPosition(QPointF(0, -1e9));
            break;
        }
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

double boxHeight(const Element &e, double room)
{
    const double h = e.box.height() > 0 ? std::min(e.box.height(), room) : room;
    return h * Units;
}

} // namespace

QFont pageFont(const FontSpec &spec)
{
    return cachedFont(spec).font;
}

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
    // A PDF writer spells out the place of every glyph, in its decimals:
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

void paintText(TextBatch &batch, const Element &e, const QString &text, double bandTop, double room)
{
    if (text.isEmpty())
        return;
    const CachedFont &cf = cachedFont(e.font);
    const QPointF at(e.box.left() * Units, (bandTop + e.box.top()) * Units);
    const bool plain = !text.contains(QLatin1Char('\n'));
    const double width = hasBox(e) ? e.box.width() * Units : 1e9;
    if (plain) {
        // Most values fit on one line: no wrapping needed.
        const ShapedLine &line = shaped(cf, text);
        if (!hasBox(e) || line.width <= width) {
            const double offset = hasBox(e) ? alignedOffset(e.alignment, width, line.width) : 0.0;
            for (const QGlyphRun &run : line.runs)
                batch.add(run, at + QPointF(offset, 0));
            return;
        }
    }
    QTextLayout layout(text, cf.font);
    layoutLines(layout, e, width, boxHeight(e, room));
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.position().y() < 0)
            continue;
        for (const QGlyphRun &run : line.glyphRuns())
            batch.add(run, at);
    }
}

QStringList wrappedLines(const Element &e, const QString &text, double room)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    const CachedFont &cf = cachedFont(e.font);
    QTextLayout layout(text, cf.font);
    layoutLines(layout, e, e.box.width() * Units, boxHeight(e, room));
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.position().y() >= 0)
            lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    return lines;
}

void paintRect(TextBatch &batch, QPainter &painter, const Element &e, double bandTop, double room)
{
    const double h = std::min(e.box.height(), room);
    if (h <= 0)
        return;
    batch.flush();
    const QRectF r(e.box.left() * Units, (bandTop + e.box.top()) * Units, e.box.width() * Units, h * Units);
    painter.fillRect(r, e.fill);
}

} // namespace reportengine
