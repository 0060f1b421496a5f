#pragma once

#include <QString>

#include <stdexcept>

namespace dbase {

// Every failure of the engine: the message names the table and, where it
// applies, the field, in Czech, ready to be shown to the user.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A field of a table. type is the dBASE letter: C N F D L M (written),
// and I + O @ (read from level 7 tables).
struct FieldDef
{
    QString name;
    char type = 'C';
    int length = 0;
    int decimals = 0;
};

// A tag of the production index: its name and key expression ("AUTOR+NAZEV").
struct IndexTag
{
    QString name;
    QString expression;
};

} // namespace dbase
