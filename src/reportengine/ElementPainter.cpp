#include "ElementPainter.h"

#include "PageCanvas.h"

#include <QGlyphRun>
#include <QHash>
#include <QTextLayout>

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

void paintText(PageCanvas &canvas, const Element &e, const QString &text, double bandTop, double room)
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
                canvas.drawGlyphs(run, at + QPointF(offset, 0), text);
            return;
        }
    }
    QTextLayout layout(text, cf.font);
    layoutLines(layout, e, width, boxHeight(e, room));
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.position().y() < 0)
            continue;
        const QStringView shown = QStringView(text).mid(line.textStart(), line.textLength());
        for (const QGlyphRun &run : line.glyphRuns())
            canvas.drawGlyphs(run, at, shown);
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

void paintRect(PageCanvas &canvas, const Element &e, double bandTop, double room)
{
    const double h = std::min(e.box.height(), room);
    if (h <= 0)
        return;
    const QRectF r(e.box.left() * Units, (bandTop + e.box.top()) * Units, e.box.width() * Units, h * Units);
    canvas.fillRect(r, e.fill);
}

} // namespace reportengine
