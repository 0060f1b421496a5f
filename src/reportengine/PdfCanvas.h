#pragma once

// A report page written straight as PDF content: one text object for the
// text between two rectangles, the font set only when it changes, the
// glyphs of a line in one TJ string with the kerning and the gaps as its
// adjustments, and a Td only where a line jumps. Text is black.

#include "PageCanvas.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace reportengine {

class PdfFont;

class PdfCanvas : public PageCanvas
{
public:
    // The paper is pageHeight points tall; page units start margin
    // millimetres in from its left and top edges.
    PdfCanvas(double pageHeight, double margin);
    ~PdfCanvas() override;

    void beginPage();
    // The page's content stream, complete.
    const QByteArray &endPage();

    void drawGlyphs(const QGlyphRun &run, const QPointF &at, QStringView text) override;
    void fillRect(const QRectF &rect, const QColor &colour) override;

    // Every face met so far, each once.
    const std::vector<std::unique_ptr<PdfFont>> &fonts() const { return m_fonts; }

private:
    PdfFont &fontOf(const QRawFont &font);
    void setFill(QRgb colour);
    void endString();
    void endArray(); // ends the string and the TJ array
    void endText();
    void drawOutlines(const QGlyphRun &run, const QPointF &at);
    void appendGlyph(quint32 glyph);

    QByteArray m_start; // the page transform every page begins with
    QByteArray m_content;
    std::vector<std::unique_ptr<PdfFont>> m_fonts;
    std::vector<std::pair<QRawFont, PdfFont *>> m_sizes; // every size of every face met
    PdfFont *m_font = nullptr; // set in the current text object
    double m_size = 0.0;
    bool m_inText = false;
    bool m_inArray = false;
    bool m_inString = false;
    double m_lineX = 0.0; // start of the current line, y upwards
    double m_lineY = 0.0;
    double m_pen = 0.0; // where a reader puts the next glyph, in units of the font
    QRgb m_fill = 0;
};

} // namespace reportengine
