#pragma once

// Conversion between the bytes of one field in a record and its text and
// typed forms. Text forms do not depend on the system locale.

#include "CodePage.h"
#include "DbfTypes.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

namespace dbase {

// The field's bytes in the record.
struct RawField
{
    const char *data;
    int size;
};

// The size of the field's bytes without their trailing blanks and NULs,
// which are not part of a value.
int valueLength(RawField raw);

// Plain decimal form of a stored number: "12", "12.5", "-0.25". Empty when
// blank; nothing when the bytes are not a number.
std::optional<QString> plainNumber(RawField raw);
// The same form appended to out (ASCII; nothing for a blank); false, with
// out unchanged, when the bytes are not a number.
bool appendPlainNumber(RawField raw, QByteArray &out);
// The same form written to out, which has room for raw.size + 2 bytes;
// returns its size, or -1 when the bytes are not a plain decimal number
// (appendPlainNumber also reads an exponent form).
int writePlainNumber(RawField raw, char *out);
// A stored number as a double; nothing when blank or not a number.
std::optional<double> numberValue(RawField raw);
// A stored date (yyyyMMdd); invalid when blank or not a date.
QDate dateValue(RawField raw);
// Whether a number (N, F) or date field holds exactly the bytes the engine
// writes for the value they hold, so that copying the bytes into a field of
// the same definition stores what writing the field's text form would.
// False for other types and for every other form.
bool isWrittenForm(const FieldDef &def, RawField raw);
// Logical: 1 true, 0 false, -1 empty.
int logicalValue(RawField raw);

// d.M.yyyy, d. M. yyyy or yyyy-MM-dd; invalid otherwise.
QDate parseDateText(const QString &text);

class FieldCodec
{
public:
    FieldCodec(const QString &table, const CodePage *codePage) : m_table(table), m_codePage(codePage) {}

    // Text form of a field (memo fields excepted: the table reads the .dbt).
    QString text(const FieldDef &def, RawField raw) const;
    // The same text into out, whose memory serves again when it has room.
    void textInto(const FieldDef &def, RawField raw, QString &out) const;
    QVariant value(const FieldDef &def, RawField raw) const;

    // The bytes to store for a text or typed value, exactly def.length long.
    // Throws Error when the value does not convert or does not fit.
    QByteArray encodeText(const FieldDef &def, const QString &text) const;
    // The same bytes written to out (def.length bytes); out may hold some of
    // them when it throws, so it is scratch space until it returns.
    void encodeTextInto(const FieldDef &def, const QString &text, char *out) const;
    QByteArray encodeValue(const FieldDef &def, const QVariant &value) const;
    // The bytes of a character field (also used for memo text).
    QByteArray encodeString(const FieldDef &def, const QString &text, int maxLength) const;

private:
    void encodeNumber(const FieldDef &def, const QString &text, char *out) const;
    void encodeDate(const FieldDef &def, const QDate &date, const QString &shown, char *out) const;
    [[noreturn]] void refuse(const FieldDef &def, const QString &text) const;

    QString m_table;
    const CodePage *m_codePage;
};

} // namespace dbase
