#pragma once

#include "base/Error.h"

#include <QString>

namespace dbase {

// Every failure of the engine: the message names the table and, where it
// applies, the field, in Czech, ready to be shown to the user.
class Error : public base::Error
{
public:
    explicit Error(const QString &message) : base::Error(message) {}
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
