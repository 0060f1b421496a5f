#pragma once

// Key expressions of index tags: a field name, or fields joined by "+",
// each optionally as UPPER(field) or DTOS(field).

#include "CodePage.h"
#include "DbfTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

#include <optional>

namespace dbase {

struct KeyTerm
{
    enum Function { Plain, Upper, Dtos };
    int field = -1;
    Function function = Plain;
};

struct KeyExpression
{
    QVector<KeyTerm> terms;
    char type = 'C';  // of the index key: C, N or D
    int length = 0;   // bytes of the index key

    // Orders by the value of one number, date or logical field.
    bool numericOrder(const QList<FieldDef> &fields) const;
};

std::optional<KeyExpression> parseKeyExpression(const QString &expression,
                                                const QList<FieldDef> &fields);

// The bytes of a record's key in the .mdx: text in the table's code page,
// numbers as 12-byte BCD, dates as an 8-byte Julian day number.
QByteArray indexKey(const KeyExpression &key, const QList<FieldDef> &fields,
                    const QVector<int> &offsets, const char *record, const CodePage &codePage);

// The 12-byte BCD form of a number in a dBASE IV index, and back.
QByteArray bcdKey(double value);
double bcdValue(const char *key);

} // namespace dbase
