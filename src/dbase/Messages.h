#pragma once

// The Czech messages of the engine name the table and, where it applies,
// the field: "Tabulka VazonS.dbf, pole CISLO: hodnota „abc“ není číslo."

#include "DbfTypes.h"

namespace dbase {

inline Error tableError(const QString &table, const QString &text)
{
    return Error(QStringLiteral("Tabulka %1: %2").arg(table, text));
}

inline Error fieldError(const QString &table, const QString &field, const QString &text)
{
    return Error(QStringLiteral("Tabulka %1, pole %2: %3").arg(table, field, text));
}

// Added to the message of a table that is refused as damaged: what can save its records.
inline QString repairHint()
{
    return QStringLiteral(" Celé záznamy tabulky zachrání příkaz „ordex-dbf repair“.");
}

inline QString quoted(const QString &value)
{
    return QStringLiteral("„") + value + QStringLiteral("“");
}

} // namespace dbase
