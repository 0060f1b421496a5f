#pragma once

// One font face of a PDF report: the glyphs its pages use and the letters
// each of them shows, written once at the end of the file as a CID-keyed
// TrueType font (Identity-H, glyph ids kept as CIDs) with a subset of the
// outlines, its widths and a ToUnicode map for text extraction.

#include <QByteArray>
#include <QRawFont>
#include <QString>
#include <QStringView>

#include <vector>

namespace reportengine {

class PdfFileWriter;

class PdfFont
{
public:
    // resourceName is the name the pages use ("F1").
    PdfFont(const QRawFont &face, QByteArray resourceName);

    // Whether the face has TrueType outlines that can be embedded; other
    // faces are drawn as shapes.
    bool embeddable() const { return m_embeddable; }
    const QRawFont &face() const { return m_face; }
    const QByteArray &resourceName() const { return m_resourceName; }
    bool isUsed() const { return m_anyUsed; }

    // A glyph's advance in thousandths of the em, exactly as the file's W
    // array gives it to a reader.
    double width(quint32 glyph) const { return glyph < m_widths.size() ? m_widths[glyph] : 0.0; }

    // Notes the glyphs of a run and, for those met the first time, the
    // letters of text that they show.
    void use(const QList<quint32> &glyphs, QStringView text);

    // The letters a used glyph shows (empty when none could be found).
    QString letters(quint32 glyph) const { return glyph < m_letters.size() ? m_letters[glyph] : QString(); }

    // The font's objects; number is the Type0 font the resources name.
    void write(PdfFileWriter &file, int number) const;

private:
    void learnLetters(const QList<quint32> &glyphs, QStringView text);
    bool load();
    QByteArray subsetFontFile() const;
    QByteArray toUnicode() const;
    QByteArray widthArray() const;
    QByteArray postScriptName() const;
    QByteArray subsetTag() const;

    QRawFont m_face;
    QByteArray m_resourceName;
    bool m_embeddable = false;
    bool m_anyUsed = false;
    int m_unitsPerEm = 1000;
    int m_glyphCount = 0;
    QByteArray m_head, m_hhea, m_maxp, m_hmtx, m_loca, m_glyf;
    std::vector<quint32> m_offsets; // glyph data in glyf, numGlyphs + 1
    std::vector<double> m_widths;
    std::vector<char> m_used;
    std::vector<QString> m_letters;
};

} // namespace reportengine
