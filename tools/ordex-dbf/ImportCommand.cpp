// ordex-dbf import: appends CSV records to a table, all or nothing.

#include "Commands.h"

#include "CommandSupport.h"
#include "Csv.h"

#include "dbase/Table.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>

#include <vector>

using namespace dbftool;

namespace {

// Writes one CSV value into the pending record; throws dbase::Error or
// returns a reason (Czech) when the text is not a value of the field.
QString applyCsvValue(dbase::Table &table, const dbase::FieldDef &field, const QString &text)
{
    if (text.isEmpty())
        return {};
    switch (field.type) {
    case 'D': {
        static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
        const auto m = iso.match(text);
        const QDate date = m.hasMatch()
                               ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt())
                               : QDate();
        if (!date.isValid())
            return QStringLiteral("„%1“ není datum ve tvaru RRRR-MM-DD").arg(text);
        table.setFieldValue(field.name, date);
        return {};
    }
    case 'L': {
        const QString t = text.trimmed().toUpper();
        if (t == QLatin1String("T") || t == QLatin1String("Y") || t == QLatin1String("TRUE"))
            table.setFieldValue(field.name, true);
        else if (t == QLatin1String("F") || t == QLatin1String("N") || t == QLatin1String("FALSE"))
            table.setFieldValue(field.name, false);
        else
            return QStringLiteral("„%1“ není logická hodnota (T nebo F)").arg(text);
        return {};
    }
    case 'N': case 'F': case 'I': case '+': case 'O': {
        // Plain decimal form with a point; nothing else, whatever the engine would guess.
        static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
        if (!number.match(text).hasMatch())
            return QStringLiteral("„%1“ není číslo (desetinná tečka, bez mezer uvnitř)").arg(text);
        table.setFieldText(field.name, text.trimmed());
        return {};
    }
    default:
        table.setFieldText(field.name, text);
        return {};
    }
}

} // namespace

int runImport(const QString &path, const QByteArray &input, QString &err)
{
    CsvReader reader(input);
    if (!reader.isValid()) {
        err += reader.error() + QLatin1Char('\n');
        return BadInput;
    }
    QStringList header;
    if (!reader.next(header)) {
        err += reader.error().isEmpty() ? QStringLiteral("vstup neobsahuje ani řádek se jmény polí\n")
                                        : QStringLiteral("záhlaví: %1\n").arg(reader.error());
        return BadInput;
    }
    std::vector<QStringList> rows;
    QStringList row;
    std::vector<int> rowNumbers;
    QString notes;
    while (reader.next(row)) {
        const int number = reader.recordNumber() - 1;
        if (row.size() != header.size()) {
            err += QStringLiteral("záznam %1: počet hodnot (%2) neodpovídá počtu jmen polí v záhlaví (%3)\n")
                       .arg(number).arg(row.size()).arg(header.size());
            return BadInput;
        }
        // A record with no value at all would be a blank book that the
        // table does not store; say so rather than count it silently.
        if (std::all_of(row.cbegin(), row.cend(), [](const QString &v) { return v.isEmpty(); })) {
            notes += QStringLiteral("záznam %1: prázdný záznam vynechán\n").arg(number);
            continue;
        }
        rows.push_back(row);
        rowNumbers.push_back(number);
    }
    if (!reader.error().isEmpty()) {
        err += QStringLiteral("záznam %1: %2\n").arg(reader.recordNumber() - 1).arg(reader.error());
        return BadInput;
    }

    // Validate every value on a pending record that is never posted.
    QList<dbase::FieldDef> targets;
    try {
        dbase::Table table;
        openTable(table, path);
        QHash<int, bool> used;
        for (const QString &name : header) {
            const int index = table.fieldIndex(name.trimmed());
            if (index < 0) {
                err += QStringLiteral("záhlaví, pole %1: tabulka takové pole nemá\n").arg(name);
                return BadInput;
            }
            if (used.contains(index)) {
                err += QStringLiteral("záhlaví, pole %1: pole je v záhlaví dvakrát\n").arg(name);
                return BadInput;
            }
            used.insert(index, true);
            targets.append(table.fields().at(index));
        }
        for (size_t r = 0; r < rows.size(); ++r) {
            table.insert();
            for (qsizetype c = 0; c < targets.size(); ++c) {
                QString why;
                try {
                    why = applyCsvValue(table, targets.at(c), rows[r].at(c));
                } catch (const dbase::Error &e) {
                    why = e.message();
                }
                if (!why.isEmpty()) {
                    table.cancel();
                    err += QStringLiteral("záznam %1, pole %2: %3\n").arg(rowNumbers[r]).arg(targets.at(c).name, why);
                    return BadInput;
                }
            }
            table.cancel();
        }
        table.close();
    } catch (const dbase::Error &e) {
        err += e.message() + QLatin1Char('\n');
        return Failed;
    }

    // Append for real, in one batch: the header's record count moves only
    // when every record, memo text and the index are on disk, so a kill at
    // any moment leaves all the records or none; a failure drops them again.
    size_t r = 0;
    qsizetype c = 0;
    try {
        dbase::Table table;
        openTable(table, path);
        table.beginAppend();
        try {
            for (r = 0; r < rows.size(); ++r) {
                table.insert();
                for (c = 0; c < targets.size(); ++c) {
                    const QString why = applyCsvValue(table, targets.at(c), rows[r].at(c));
                    if (!why.isEmpty())
                        throw dbase::Error(why);
                }
                c = -1;
                table.post();
            }
            r = rows.size();
            c = -1;
            table.commitAppend();
        } catch (...) {
            table.rollbackAppend();
            throw;
        }
        table.close();
    } catch (const dbase::Error &e) {
        if (r >= rows.size())
            err += e.message() + QLatin1Char('\n');
        else if (c >= 0 && c < targets.size())
            err += QStringLiteral("záznam %1, pole %2: %3\n").arg(rowNumbers[r]).arg(targets.at(c).name, e.message());
        else
            err += QStringLiteral("záznam %1: %2\n").arg(rowNumbers[r]).arg(e.message());
        err += QStringLiteral("Tabulka zůstala beze změny.\n");
        return Failed;
    }
    err += notes;
    return Ok;
}
