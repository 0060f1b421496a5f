#pragma once

// The filter expression FIELD = 'value': an apostrophe inside the value is
// written doubled ('O''Brien'); double quotes may enclose the value instead.

#include <QString>

#include <optional>

namespace dbase {

struct FilterCondition
{
    QString field; // upper case
    QString value; // without trailing blanks
};

// Nothing when the expression is malformed; an empty expression gives an
// empty field (no condition).
std::optional<FilterCondition> parseFilter(const QString &expression);

// Writes a condition in the form parseFilter reads back.
QString filterExpression(const QString &field, const QString &value);

} // namespace dbase
