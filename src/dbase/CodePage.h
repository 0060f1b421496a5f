#pragma once

// Text of a table in its code page: the language driver byte of the .dbf
// header names the code page; our own tables use code page 1250.

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace dbase {

// The language driver we write: code page 1250 (Central European).
inline constexpr quint8 DriverCp1250 = 0xC8;

// The codec name of a language driver, or nullptr when the driver is unknown.
const char *codecNameForDriver(quint8 driver);

class CodePage
{
public:
    // An unknown driver (and 0, "not given") falls back to code page 1250.
    explicit CodePage(quint8 driver = DriverCp1250);

    QString name() const { return QString::fromLatin1(m_name); }
    // No two bytes read as the same character, so equal texts are equal bytes.
    bool oneToOne() const { return m_oneToOne; }
    QString decode(const char *bytes, int size) const;
    // The same into out, whose memory serves again when it has room: a
    // scan decoding a field of every record allocates nothing per record.
    void decodeInto(const char *bytes, int size, QString &out) const;
    // The bytes of text, or nothing when a character has no code in this page;
    // badChar then holds the first such character.
    std::optional<QByteArray> encode(const QString &text, QString *badChar = nullptr) const;
    // The bytes of text without its trailing blanks, written to out as far as
    // capacity goes; returns their count (more than capacity: they did not
    // all fit), or -1 when a character has no code (badChar holds it).
    int encodeInto(const QString &text, char *out, int capacity, QString *badChar = nullptr) const;

private:
    const char *m_name;
    bool m_singleByte = false;
    bool m_oneToOne = false;
    bool m_asciiAsIs = false; // the bytes below 0x80 read as the same character
    std::array<char16_t, 256> m_table{};
    std::vector<qint16> m_reverse; // UTF-16 unit -> byte, -1 when none
};

} // namespace dbase
