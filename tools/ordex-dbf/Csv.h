#pragma once

// Comma-separated values as RFC 4180 has them: fields with a comma, a quote
// or a line break are quoted, quotes inside doubled, records end with CRLF.

#include <QByteArray>
#include <QString>
#include <QStringList>

// Appends one field, quoted when it needs to be.
void appendCsvField(QByteArray &out, const QString &value);
// Appends a whole record with its CRLF.
void appendCsvRecord(QByteArray &out, const QStringList &fields);

// Reads records from UTF-8 text (a leading byte-order mark is skipped).
// Line ends may be CRLF or LF; lines with no characters at all are skipped.
class CsvReader
{
public:
    explicit CsvReader(const QByteArray &utf8);

    // False when the input is not valid UTF-8; error() says where.
    bool isValid() const { return m_error.isEmpty(); }
    // Next record into fields; false at the end or on a malformed record
    // (then error() is not empty).
    bool next(QStringList &fields);
    QString error() const { return m_error; }
    int recordNumber() const { return m_record; } // 1 = the first record read

private:
    QString m_text;
    qsizetype m_pos = 0;
    int m_record = 0;
    QString m_error;
};
