#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>
#include <limits>

namespace dbase {

namespace {

// Characters of the bytes 0x80..0xFF. The five bytes the code page leaves
// unassigned decode to the C1 control of the same number, as Windows does,
// so that a file passes through unchanged.
constexpr char16_t Cp1250UpperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

} // namespace

// Language drivers of dBASE and the code pages they name. Drivers not listed
// here are read and written as code page 1250, the page of our own tables.
//   0x00 (not given)                      -> 1250
//   0x01, 0x09, 0x0B, 0x0D, 0x0F, 0x11,
//   0x15, 0x18, 0x19, 0x1B                -> 437  (US and Western DOS)
//   0x02, 0x0A, 0x0E, 0x10, 0x12, 0x14,
//   0x16, 0x1A, 0x1D, 0x25, 0x37          -> 850  (Multilingual DOS)
//   0x1F, 0x22, 0x23, 0x40, 0x64          -> 852  (Central European DOS)
//   0x26, 0x65                            -> 866  (Russian DOS)
//   0x08, 0x17, 0x66                      -> 865  (Nordic DOS)
//   0x24                                  -> 860  (Portuguese DOS)
//   0x1C                                  -> 863  (Canadian French DOS)
//   0x67                                  -> 861  (Icelandic DOS)
//   0x6A                                  -> 737  (Greek DOS)
//   0x6B                                  -> 857  (Turkish DOS)
//   0x03, 0x57, 0x58, 0x59                -> 1252 (Western Windows)
//   0x7D                                  -> 1255 (Hebrew Windows)
//   0x7E                                  -> 1256 (Arabic Windows)
//   0xC8                                  -> 1250 (Central European Windows)
//   0xC9                                  -> 1251 (Cyrillic Windows)
//   0xCA                                  -> 1254 (Turkish Windows)
//   0xCB                                  -> 1253 (Greek Windows)
//   0xCC                                  -> 1257 (Baltic Windows)
//   0x04                                  -> Mac Roman
//   0x96                                  -> Mac Cyrillic
//   0x97                                  -> Mac Central European
//   0x98                                  -> Mac Greek
const char *codecNameForDriver(quint8 driver)
{
    switch (driver) {
    case 0x00: return "windows-1250";
    case 0x01: case 0x09: case 0x0B: case 0x0D: case 0x0F: case 0x11:
    case 0x15: case 0x18: case 0x19: case 0x1B:
        return "IBM437";
    case 0x02: case 0x0A: case 0x0E: case 0x10: case 0x12: case 0x14:
    case 0x16: case 0x1A: case 0x1D: case 0x25: case 0x37:
        return "IBM850";
    case 0x1F: case 0x22: case 0x23: case 0x40: case 0x64: return "IBM852";
    case 0x26: case 0x65: return "IBM866";
    case 0x08: case 0x17: case 0x66: return "IBM865";
    case 0x24: return "IBM860";
    case 0x1C: return "IBM863";
    case 0x67: return "IBM861";
    case 0x6A: return "IBM737";
    case 0x6B: return "IBM857";
    case 0x03: case 0x57: case 0x58: case 0x59: return "windows-1252";
    case 0x7D: return "windows-1255";
    case 0x7E: return "windows-1256";
    case 0xC8: return "windows-1250";
    case 0xC9: return "windows-1251";
    case 0xCA: return "windows-1254";
    case 0xCB: return "windows-1253";
    case 0xCC: return "windows-1257";
    case 0x04: return "macintosh";
    case 0x96: return "x-mac-cyrillic";
    case 0x97: return "x-mac-centraleurroman";
    case 0x98: return "x-mac-greek";
    default: return nullptr;
    }
}

CodePage::CodePage(quint8 driver)
{
    m_name = codecNameForDriver(driver);
    if (!m_name || !QStringDecoder(m_name).isValid())
        m_name = "windows-1250";
    // Every page we know is single-byte: decode through a table for speed.
    // Code page 1250 is our own and does not depend on the codecs at hand.
    m_singleByte = true;
    const bool cp1250 = std::strcmp(m_name, "windows-1250") == 0;
    QStringDecoder decoder(m_name);
    for (int b = 0; b < 256; ++b) {
        if (cp1250) {
            m_table[b] = b < 0x80 ? char16_t(b) : Cp1250UpperHalf[b - 0x80];
            continue;
        }
        const char c = char(b);
        const QString s = decoder.decode(QByteArrayView(&c, 1));
        decoder.resetState();
        if (s.size() != 1) {
            m_singleByte = false;
            break;
        }
        m_table[b] = s.at(0).unicode();
    }
    if (m_singleByte) {
        m_asciiAsIs = true;
        for (int b = 0; b < 0x80; ++b)
            m_asciiAsIs = m_asciiAsIs && m_table[b] == char16_t(b);
        m_reverse.assign(65536, -1);
        m_oneToOne = true;
        for (int b = 255; b >= 0; --b) {
            if (m_table[b] == 0xFFFD)
                continue; // no character: such bytes never equal a text's bytes
            if (m_reverse[m_table[b]] >= 0)
                m_oneToOne = false;
            m_reverse[m_table[b]] = qint16(b);
        }
    }
}

QString CodePage::decode(const char *bytes, int size) const
{
    QString out;
    decodeInto(bytes, size, out);
    return out;
}

void CodePage::decodeInto(const char *bytes, int size, QString &out) const
{
    if (!m_singleByte) {
        QStringDecoder decoder(m_name);
        out = decoder.decode(QByteArrayView(bytes, size));
        return;
    }
    out.resize(size);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    int i = 0;
    // Eight bytes at a time; those without a byte above 0x7F need no table
    // where the page reads them as themselves (some DOS pages do not).
    constexpr quint64 highs = 0x8080808080808080ULL;
    for (; size - i >= 8; i += 8) {
        quint64 v;
        std::memcpy(&v, bytes + i, 8);
        if ((v & highs) || !m_asciiAsIs) {
            for (int k = 0; k < 8; ++k)
                dst[i + k] = m_table[uchar(bytes[i + k])];
            continue;
        }
        for (int k = 0; k < 8; ++k)
            dst[i + k] = char16_t(uchar(bytes[i + k]));
    }
    for (; i < size; ++i)
        dst[i] = m_table[uchar(bytes[i])];
}

std::optional<QByteArray> CodePage::encode(const QString &text, QString *badChar) const
{
    if (m_singleByte) {
        QByteArray out(text.size(), Qt::Uninitialized);
        for (int i = 0; i < text.size(); ++i) {
            const qint16 b = m_reverse[text.at(i).unicode()];
            if (b < 0) {
                if (badChar) {
                    const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
                    *badChar = text.mid(i, pair ? 2 : 1);
                }
                return std::nullopt;
            }
            out[i] = char(b);
        }
        return out;
    }
    QStringEncoder encoder(m_name);
    QByteArray out = encoder.encode(text);
    if (!encoder.hasError() && !out.contains('?'))
        return out;
    // Find the character that has no code here; a question mark of the text
    // itself is fine.
    for (int i = 0; i < text.size(); ++i) {
        const int len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, len);
        QStringEncoder single(m_name);
        const QByteArray b = single.encode(one);
        if (single.hasError() || (b == "?" && one != QLatin1String("?"))
            || (m_singleByte && b.size() != 1)) {
            if (badChar)
                *badChar = one;
            return std::nullopt;
        }
        i += len - 1;
    }
    return out;
}

int CodePage::encodeInto(const QString &text, char *out, int capacity, QString *badChar) const
{
    qsizetype size = 0;
    if (m_singleByte) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qint16 b = m_reverse[text.at(i).unicode()];
            if (b < 0) {
                if (badChar) {
                    const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
                    *badChar = text.mid(i, pair ? 2 : 1);
                }
                return -1;
            }
            if (i < capacity)
                out[i] = char(b);
            if (b != ' ')
                size = i + 1;
        }
    } else {
        const std::optional<QByteArray> bytes = encode(text, badChar);
        if (!bytes)
            return -1;
        size = bytes->size();
        while (size > 0 && bytes->at(size - 1) == ' ')
            --size;
        std::memcpy(out, bytes->constData(), size_t(qMin<qsizetype>(size, capacity)));
    }
    return int(qMin<qsizetype>(size, std::numeric_limits<int>::max()));
}

} // namespace dbase
