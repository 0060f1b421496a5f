#include "PdfFont.h"

#include "PdfFileWriter.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cmath>
#include <map>

namespace reportengine {

namespace {

quint16 u16(const QByteArray &t, qsizetype at)
{
    if (at < 0 || at + 2 > t.size())
        return 0;
    return quint16((uchar(t[at]) << 8) | uchar(t[at + 1]));
}

qint16 s16(const QByteArray &t, qsizetype at)
{
    return qint16(u16(t, at));
}

quint32 u32(const QByteArray &t, qsizetype at)
{
    return (quint32(u16(t, at)) << 16) | u16(t, at + 2);
}

void put16(QByteArray &t, qsizetype at, quint16 v)
{
    t[at] = char(v >> 8);
    t[at + 1] = char(v);
}

void put32(QByteArray &t, qsizetype at, quint32 v)
{
    put16(t, at, quint16(v >> 16));
    put16(t, at + 2, quint16(v));
}

void append32(QByteArray &t, quint32 v)
{
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    t.append(b, 4);
}

quint32 checksum(const QByteArray &t)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < t.size(); i += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | (i + k < t.size() ? uchar(t[i + k]) : 0);
        sum += word;
    }
    return sum;
}

QByteArray hex16(quint32 v)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out(4, '0');
    for (int i = 3; i >= 0; --i, v >>= 4)
        out[i] = digits[v & 15];
    return out;
}

// Composite glyph flags.
constexpr quint16 ArgsAreWords = 0x0001;
constexpr quint16 HaveScale = 0x0008;
constexpr quint16 MoreComponents = 0x0020;
constexpr quint16 HaveXYScale = 0x0040;
constexpr quint16 HaveTwoByTwo = 0x0080;

} // namespace

PdfFont::PdfFont(const QRawFont &face, QByteArray resourceName)
    : m_face(face)
    , m_resourceName(std::move(resourceName))
{
    m_embeddable = load();
}

bool PdfFont::load()
{
    m_head = m_face.fontTable("head");
    m_hhea = m_face.fontTable("hhea");
    m_maxp = m_face.fontTable("maxp");
    m_hmtx = m_face.fontTable("hmtx");
    m_loca = m_face.fontTable("loca");
    m_glyf = m_face.fontTable("glyf");
    if (m_head.size() < 54 || m_hhea.size() < 36 || m_maxp.size() < 6 || m_glyf.isEmpty())
        return false;
    m_unitsPerEm = u16(m_head, 18);
    m_glyphCount = u16(m_maxp, 4);
    const bool longOffsets = s16(m_head, 50) == 1;
    if (m_unitsPerEm < 16 || m_glyphCount == 0 || m_loca.size() < (m_glyphCount + 1) * (longOffsets ? 4 : 2))
        return false;
    m_offsets.resize(size_t(m_glyphCount) + 1);
    for (int g = 0; g <= m_glyphCount; ++g) {
        const quint32 at = longOffsets ? u32(m_loca, g * 4) : quint32(u16(m_loca, g * 2)) * 2;
        m_offsets[size_t(g)] = std::min<quint32>(at, quint32(m_glyf.size()));
    }
    const int metrics = u16(m_hhea, 34);
    if (metrics == 0 || m_hmtx.size() < metrics * 4)
        return false;
    m_widths.resize(size_t(m_glyphCount));
    for (int g = 0; g < m_glyphCount; ++g) {
        const int advance = u16(m_hmtx, std::min(g, metrics - 1) * 4);
        // Whole thousandths, as PDF programs write them: a reader measures
        // a word's extent with these, and its order of the words on a page
        // follows the extents. The content's adjustments keep the glyphs in
        // their exact places.
        m_widths[size_t(g)] = std::round(advance * 1000.0 / m_unitsPerEm);
    }
    m_used.assign(size_t(m_glyphCount), 0);
    m_letters.resize(size_t(m_glyphCount));
    return true;
}

void PdfFont::use(const QList<quint32> &glyphs, QStringView text)
{
    bool fresh = false;
    for (const quint32 g : glyphs)
        if (g < m_used.size() && !m_used[g]) {
            m_used[g] = 1;
            fresh = true;
        }
    if (fresh) {
        m_anyUsed = true;
        learnLetters(glyphs, text);
    }
}

void PdfFont::learnLetters(const QList<quint32> &glyphs, QStringView text)
{
    // The letters of the text and the glyph that each has on its own.
    std::vector<QStringView> letters;
    std::vector<quint32> alone;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        letters.push_back(text.mid(i, n));
        quint32 glyph = 0;
        int count = 1;
        if (!m_face.glyphIndexesForChars(text.data() + i, int(n), &glyph, &count) || count != 1)
            glyph = 0;
        alone.push_back(glyph);
        i += n;
    }
    // The glyphs follow the letters: a glyph that a letter has alone shows
    // that letter; any other (a ligature, a contextual form) shows the
    // letters up to the one of the next glyph.
    const size_t count = letters.size();
    size_t at = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const quint32 g = glyphs[i];
        size_t from = at;
        while (from < count && alone[from] != g)
            ++from;
        size_t to = from + 1;
        if (from >= count) {
            from = at;
            to = count;
            if (i + 1 < glyphs.size()) {
                to = from + 1;
                while (to < count && alone[to] != glyphs[i + 1])
                    ++to;
            }
        }
        to = std::min(to, count);
        if (to <= from)
            continue;
        if (g < m_letters.size() && m_letters[g].isEmpty())
            for (size_t k = from; k < to; ++k)
                m_letters[g].append(letters[k]);
        at = to;
    }
}

QByteArray PdfFont::subsetTag() const
{
    // Six capitals that differ between different subsets of one face.
    const QByteArray hash = QCryptographicHash::hash(
        QByteArray::fromRawData(m_used.data(), qsizetype(m_used.size())) + postScriptName(), QCryptographicHash::Md5);
    QByteArray tag(6, 'A');
    for (int i = 0; i < 6; ++i)
        tag[i] = char('A' + uchar(hash[i]) % 26);
    return tag;
}

QByteArray PdfFont::postScriptName() const
{
    QByteArray name;
    const QByteArray table = m_face.fontTable("name");
    const int records = u16(table, 2);
    const int strings = u16(table, 4);
    for (int r = 0; r < records && name.isEmpty(); ++r) {
        const qsizetype at = 6 + r * 12;
        const int platform = u16(table, at);
        if (u16(table, at + 6) != 6)
            continue;
        const int length = u16(table, at + 8);
        const qsizetype start = strings + u16(table, at + 10);
        if (start + length > table.size())
            continue;
        if (platform == 3 || platform == 0) {
            for (int k = 0; k + 1 < length; k += 2)
                if (const quint16 c = u16(table, start + k); c < 128)
                    name.append(char(c));
        } else if (platform == 1) {
            name = table.mid(start, length);
        }
    }
    if (name.isEmpty())
        name = (m_face.familyName() + QLatin1Char('-') + m_face.styleName()).toLatin1();
    // Only the letters a PDF name may hold without escapes.
    QByteArray clean;
    for (const char c : std::as_const(name))
        if (c > ' ' && c < 127 && !QByteArray("()<>[]{}/%#").contains(c))
            clean.append(c);
    return clean.isEmpty() ? QByteArray("Font") : clean;
}

QByteArray PdfFont::subsetFontFile() const
{
    // The glyphs kept: those used, the empty .notdef, and the parts of the
    // composite ones, however deep.
    std::vector<char> keep(m_used);
    keep[0] = 1;
    std::vector<quint32> pending;
    for (size_t g = 0; g < keep.size(); ++g)
        if (keep[g])
            pending.push_back(quint32(g));
    while (!pending.empty()) {
        const quint32 g = pending.back();
        pending.pop_back();
        qsizetype at = m_offsets[g];
        const qsizetype end = m_offsets[g + 1];
        if (end - at < 10 || s16(m_glyf, at) >= 0)
            continue;
        at += 10;
        for (int guard = 0; guard < 1000 && at + 4 <= end; ++guard) {
            const quint16 flags = u16(m_glyf, at);
            const quint16 part = u16(m_glyf, at + 2);
            if (part < keep.size() && !keep[part]) {
                keep[part] = 1;
                pending.push_back(part);
            }
            at += 4 + ((flags & ArgsAreWords) ? 4 : 2);
            at += (flags & HaveScale) ? 2 : (flags & HaveXYScale) ? 4 : (flags & HaveTwoByTwo) ? 8 : 0;
            if (!(flags & MoreComponents))
                break;
        }
    }
    // The outlines of the others are left out; the ids stay as they are.
    QByteArray glyf;
    QByteArray loca;
    loca.reserve((m_glyphCount + 1) * 4);
    for (int g = 0; g < m_glyphCount; ++g) {
        append32(loca, quint32(glyf.size()));
        if (keep[size_t(g)] && m_offsets[size_t(g) + 1] > m_offsets[size_t(g)]) {
            glyf.append(m_glyf.constData() + m_offsets[size_t(g)], m_offsets[size_t(g) + 1] - m_offsets[size_t(g)]);
            while (glyf.size() % 4)
                glyf.append('\0');
        }
    }
    append32(loca, quint32(glyf.size()));
    QByteArray head = m_head;
    put32(head, 8, 0);  // checkSumAdjustment, set below
    put16(head, 50, 1); // long loca offsets

    std::map<QByteArray, QByteArray> tables; // in the order of their tags
    tables["glyf"] = glyf;
    tables["head"] = head;
    tables["hhea"] = m_hhea;
    tables["hmtx"] = m_hmtx;
    tables["loca"] = loca;
    tables["maxp"] = m_maxp;
    for (const char *tag : {"OS/2", "name"})
        if (const QByteArray t = m_face.fontTable(tag); !t.isEmpty())
            tables[tag] = t;

    const int n = int(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++log2;
    }
    QByteArray file;
    append32(file, 0x00010000);
    file.append(char(n >> 8)).append(char(n));
    file.append(char((power * 16) >> 8)).append(char(power * 16));
    file.append(char(log2 >> 8)).append(char(log2));
    file.append(char((n * 16 - power * 16) >> 8)).append(char(n * 16 - power * 16));
    quint32 offset = quint32(12 + n * 16);
    qsizetype headOffset = 0;
    for (const auto &[tag, data] : tables) {
        file.append(tag);
        append32(file, checksum(data));
        append32(file, offset);
        append32(file, quint32(data.size()));
        if (tag == "head")
            headOffset = offset;
        offset += quint32((data.size() + 3) & ~3);
    }
    for (const auto &[tag, data] : tables) {
        file.append(data);
        while (file.size() % 4)
            file.append('\0');
    }
    put32(file, headOffset + 8, 0xB1B0AFBAu - checksum(file));
    return file;
}

QByteArray PdfFont::widthArray() const
{
    QByteArray w("[");
    int g = 0;
    while (g < m_glyphCount) {
        if (!m_used[size_t(g)]) {
            ++g;
            continue;
        }
        appendInt(w, g);
        w.append('[');
        for (bool first = true; g < m_glyphCount && m_used[size_t(g)]; ++g, first = false) {
            if (!first)
                w.append(' ');
            appendNumber(w, m_widths[size_t(g)], 0);
        }
        w.append("]\n");
    }
    w.append(']');
    return w;
}

QByteArray PdfFont::toUnicode() const
{
    std::vector<int> mapped;
    for (int g = 0; g < m_glyphCount; ++g)
        if (m_used[size_t(g)] && !m_letters[size_t(g)].isEmpty())
            mapped.push_back(g);
    QByteArray cmap("/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                    "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                    "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                    "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n");
    for (size_t i = 0; i < mapped.size(); i += 100) {
        const size_t end = std::min(mapped.size(), i + 100);
        appendInt(cmap, qsizetype(end - i));
        cmap.append(" beginbfchar\n");
        for (size_t k = i; k < end; ++k) {
            cmap.append('<').append(hex16(quint32(mapped[k]))).append("> <");
            for (const QChar c : m_letters[size_t(mapped[k])])
                cmap.append(hex16(c.unicode()));
            cmap.append(">\n");
        }
        cmap.append("endbfchar\n");
    }
    cmap.append("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return cmap;
}

void PdfFont::write(PdfFileWriter &file, int number) const
{
    const int cidFont = file.reserve();
    const int descriptor = file.reserve();
    const int fontFile = file.reserve();
    const int unicode = file.reserve();
    const QByteArray name = subsetTag() + '+' + postScriptName();
    const double scale = 1000.0 / m_unitsPerEm;
    auto number3 = [](double v) {
        QByteArray s;
        appendNumber(s, v, 3);
        return s;
    };

    file.beginObject(number);
    file.write("<</Type/Font/Subtype/Type0/BaseFont/" + name + "/Encoding/Identity-H/DescendantFonts["
               + reference(cidFont) + "]/ToUnicode " + reference(unicode) + ">>\n");
    file.endObject();

    file.beginObject(cidFont);
    file.write("<</Type/Font/Subtype/CIDFontType2/BaseFont/" + name
               + "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor "
               + reference(descriptor) + "/CIDToGIDMap/Identity/W" + widthArray() + ">>\n");
    file.endObject();

    // The metrics a reader places the text with: ascent and descent from
    // the horizontal header, as the preview's fonts have them.
    const QByteArray post = m_face.fontTable("post");
    const double italicAngle = double(qint32(u32(post, 4))) / 65536.0;
    const double stem = std::max(1, int(s16(post, 10))) * scale;
    const double ascent = s16(m_hhea, 4) * scale;
    const double descent = s16(m_hhea, 6) * scale;
    QByteArray d("<</Type/FontDescriptor/FontName/" + name + "/Flags 4/FontBBox[");
    d += number3(s16(m_head, 36) * scale) + ' ' + number3(s16(m_head, 38) * scale) + ' '
         + number3(s16(m_head, 40) * scale) + ' ' + number3(s16(m_head, 42) * scale);
    d += "]/ItalicAngle " + number3(italicAngle) + "/Ascent " + number3(ascent) + "/Descent " + number3(descent)
         + "/CapHeight " + number3(ascent) + "/StemV " + number3(stem) + "/FontFile2 " + reference(fontFile) + ">>\n";
    file.beginObject(descriptor);
    file.write(d);
    file.endObject();

    const QByteArray program = subsetFontFile();
    QByteArray length1("/Length1 ");
    appendInt(length1, program.size());
    file.writeStream(fontFile, length1, program);
    file.writeStream(unicode, QByteArrayView(), toUnicode());
}

} // namespace reportengine
