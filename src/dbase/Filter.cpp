#include "Filter.h"

namespace dbase {

namespace {

QString withoutTrailingBlanks(QString s)
{
    qsizetype e = s.size();
    while (e > 0 && s.at(e - 1) == QLatin1Char(' '))
        --e;
    s.truncate(e);
    return s;
}

} // namespace

std::optional<FilterCondition> parseFilter(const QString &expression)
{
    const QString s = expression;
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto skipSpaces = [&] {
        while (i < n && s.at(i).isSpace())
            ++i;
    };
    skipSpaces();
    if (i == n)
        return FilterCondition{};
    const qsizetype nameStart = i;
    while (i < n && (s.at(i).isLetterOrNumber() || s.at(i) == QLatin1Char('_')))
        ++i;
    if (i == nameStart || s.at(nameStart).isDigit())
        return std::nullopt;
    FilterCondition c;
    c.field = s.mid(nameStart, i - nameStart).toUpper();
    skipSpaces();
    if (i == n || s.at(i) != QLatin1Char('='))
        return std::nullopt;
    ++i;
    skipSpaces();
    if (i == n || (s.at(i) != QLatin1Char('\'') && s.at(i) != QLatin1Char('"')))
        return std::nullopt;
    const QChar quote = s.at(i++);
    QString value;
    bool closed = false;
    while (i < n) {
        const QChar ch = s.at(i++);
        if (ch == quote) {
            if (i < n && s.at(i) == quote) {
                value += quote;
                ++i;
                continue;
            }
            closed = true;
            break;
        }
        value += ch;
    }
    if (!closed)
        return std::nullopt;
    skipSpaces();
    if (i != n)
        return std::nullopt;
    c.value = withoutTrailingBlanks(value);
    return c;
}

QString filterExpression(const QString &field, const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QLatin1String("''"));
    return field + QLatin1String(" = '") + v + QLatin1Char('\'');
}

} // namespace dbase
