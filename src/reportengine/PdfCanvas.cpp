#include "PdfCanvas.h"

#include "ElementPainter.h"
#include "PdfFileWriter.h"
#include "PdfFont.h"

#include <QPainterPath>

#include <cmath>

namespace reportengine {

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
// Glyphs further apart in height than this (in page units) are on
// different lines.
constexpr double LineTolerance = 1e-3;

} // namespace

PdfCanvas::PdfCanvas(double pageHeight, double margin)
{
    // Page units, y upwards from the top left corner of the printed area:
    // the content writes the negated y of the page.
    const double scale = PointsPerMm / Units;
    appendNumber(m_start, scale, 12);
    m_start.append(" 0 0 ");
    appendNumber(m_start, scale, 12);
    m_start.append(' ');
    appendNumber(m_start, margin * PointsPerMm, 6);
    m_start.append(' ');
    appendNumber(m_start, pageHeight - margin * PointsPerMm, 6);
    m_start.append(" cm\n");
}

PdfCanvas::~PdfCanvas() = default;

void PdfCanvas::beginPage()
{
    m_content.clear();
    m_content.reserve(256 * 1024);
    m_content.append(m_start);
    m_inText = m_inArray = m_inString = false;
    m_font = nullptr;
    m_fill = qRgb(0, 0, 0);
}

const QByteArray &PdfCanvas::endPage()
{
    endText();
    return m_content;
}

PdfFont &PdfCanvas::fontOf(const QRawFont &font)
{
    for (const auto &[known, entry] : m_sizes)
        if (known == font)
            return *entry;
    PdfFont *face = nullptr;
    for (const auto &f : m_fonts)
        if (f->face().familyName() == font.familyName() && f->face().styleName() == font.styleName()
            && f->face().weight() == font.weight() && f->face().style() == font.style()) {
            face = f.get();
            break;
        }
    // A long report meets a handful of sizes; a guard, should a font come
    // anew with every text.
    if (m_sizes.size() > 256)
        m_sizes.clear();
    if (!face) {
        m_fonts.push_back(std::make_unique<PdfFont>(font, "F" + QByteArray::number(qsizetype(m_fonts.size() + 1))));
        face = m_fonts.back().get();
    }
    m_sizes.emplace_back(font, face);
    return *face;
}

void PdfCanvas::setFill(QRgb colour)
{
    if (colour == m_fill)
        return;
    m_fill = colour;
    if (qRed(colour) == qGreen(colour) && qGreen(colour) == qBlue(colour)) {
        appendNumber(m_content, qRed(colour) / 255.0, 3);
        m_content.append(" g\n");
        return;
    }
    for (const int c : {qRed(colour), qGreen(colour), qBlue(colour)}) {
        appendNumber(m_content, c / 255.0, 3);
        m_content.append(' ');
    }
    m_content.append("rg\n");
}

void PdfCanvas::endString()
{
    if (m_inString) {
        m_content.append(')');
        m_inString = false;
    }
}

void PdfCanvas::endArray()
{
    endString();
    if (m_inArray) {
        m_content.append("]TJ\n");
        m_inArray = false;
    }
}

void PdfCanvas::endText()
{
    endArray();
    if (m_inText) {
        m_content.append("ET\n");
        m_inText = false;
        m_font = nullptr;
    }
}

void PdfCanvas::appendGlyph(quint32 glyph)
{
    if (!m_inString) {
        m_content.append('(');
        m_inString = true;
    }
    // Two bytes a glyph; the bytes a string gives a meaning are escaped.
    char bytes[4];
    int n = 0;
    for (const char byte : {char(glyph >> 8), char(glyph)}) {
        if (byte == '(' || byte == ')' || byte == '\\') {
            bytes[n++] = '\\';
            bytes[n++] = byte;
        } else if (byte == '\r') {
            bytes[n++] = '\\';
            bytes[n++] = 'r';
        } else {
            bytes[n++] = byte;
        }
    }
    m_content.append(bytes, n);
}

void PdfCanvas::drawGlyphs(const QGlyphRun &run, const QPointF &at, QStringView text)
{
    const QList<quint32> glyphs = run.glyphIndexes();
    if (glyphs.isEmpty())
        return;
    const QRawFont raw = run.rawFont();
    PdfFont &font = fontOf(raw);
    if (!font.embeddable()) {
        drawOutlines(run, at);
        return;
    }
    font.use(glyphs, text);
    const double size = raw.pixelSize();
    if (size <= 0)
        return;
    if (!m_inText) {
        setFill(qRgb(0, 0, 0));
        m_content.append("BT\n");
        m_inText = true;
        m_lineX = m_lineY = m_pen = 0.0;
    }
    if (m_font != &font || m_size != size) {
        endArray();
        m_content.append('/').append(font.resourceName()).append(' ');
        appendNumber(m_content, size, 3);
        m_content.append(" Tf\n");
        m_font = &font;
        m_size = size;
    }
    const QList<QPointF> positions = run.positions();
    // Glyphs stand on the grid of their font's units, where the layout's
    // advances are whole numbers: a reader's own advances then bring each
    // glyph to its place, and only kerning, gaps and the widths' rounding
    // need an adjustment. The pen is followed in grid units, without a
    // division for every glyph.
    const double units = raw.unitsPerEm() > 0 ? raw.unitsPerEm() : 1000.0;
    const double grid = units / size; // grid units per page unit
    const double perGrid = size / units;
    const double thousandthsPerUnit = 1000.0 / units;
    const double unitsPerThousandth = units / 1000.0;
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        const double gx = double(roundWhole((positions[i].x() + at.x()) * grid));
        const double y = -double(roundWhole((positions[i].y() + at.y()) * grid)) * perGrid;
        if (!m_inArray || std::abs(y - m_lineY) > LineTolerance) {
            endArray();
            // Td moves from the start of the last line; the new start is
            // where the written numbers say.
            const double dx = double(roundWhole((gx * perGrid - m_lineX) * 1e4)) / 1e4;
            const double dy = double(roundWhole((y - m_lineY) * 1e4)) / 1e4;
            appendNumber(m_content, dx, 4);
            m_content.append(' ');
            appendNumber(m_content, dy, 4);
            m_content.append(" Td[");
            m_inArray = true;
            m_lineX += dx;
            m_lineY += dy;
            m_pen = m_lineX * grid;
        } else {
            // A TJ adjustment moves the reader's pen back by thousandths
            // of the em.
            const double adjust = double(roundWhole((m_pen - gx) * thousandthsPerUnit * 1000.0)) * 0.001;
            if (adjust != 0.0) {
                endString();
                appendNumber(m_content, adjust, 3);
                m_pen -= adjust * unitsPerThousandth;
            }
        }
        appendGlyph(glyphs[i]);
        m_pen += font.width(glyphs[i]) * unitsPerThousandth;
    }
}

void PdfCanvas::drawOutlines(const QGlyphRun &run, const QPointF &at)
{
    // A face without TrueType outlines cannot be embedded as such: its
    // glyphs are drawn as shapes, in the same places.
    endText();
    setFill(qRgb(0, 0, 0));
    const QRawFont raw = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    auto point = [this](const QPointF &p) {
        appendNumber(m_content, p.x(), 2);
        m_content.append(' ');
        appendNumber(m_content, -p.y(), 2);
        m_content.append(' ');
    };
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        const QPainterPath path = raw.pathForGlyph(glyphs[i]).translated(positions[i] + at);
        if (path.isEmpty())
            continue;
        for (int k = 0; k < path.elementCount(); ++k) {
            const QPainterPath::Element e = path.elementAt(k);
            if (e.isMoveTo()) {
                point(e);
                m_content.append("m\n");
            } else if (e.isLineTo()) {
                point(e);
                m_content.append("l\n");
            } else if (e.isCurveTo() && k + 2 < path.elementCount()) {
                point(e);
                point(path.elementAt(k + 1));
                point(path.elementAt(k + 2));
                m_content.append("c\n");
                k += 2;
            }
        }
        m_content.append("f\n");
    }
}

void PdfCanvas::fillRect(const QRectF &rect, const QColor &colour)
{
    endText();
    if (colour.alpha() == 0 || rect.isEmpty())
        return;
    setFill(colour.rgb());
    appendNumber(m_content, rect.left(), 2);
    m_content.append(' ');
    appendNumber(m_content, -rect.bottom(), 2);
    m_content.append(' ');
    appendNumber(m_content, rect.width(), 2);
    m_content.append(' ');
    appendNumber(m_content, rect.height(), 2);
    m_content.append(" re f\n");
}

} // namespace reportengine
