#pragma once

// The state behind a Table: its files, the orders held in memory, the
// filter, the cursor and the pending record.

#include "CodePage.h"
#include "DbfFile.h"
#include "FieldCodec.h"
#include "Filter.h"
#include "MemoFile.h"
#include "Order.h"
#include "Table.h"

#include <QCollator>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <optional>

namespace dbase {

class TableData
{
public:
    QString folder;
    QString fileName;
    QString path;    // of the .dbf as found
    QString dbtPath;
    QString mdxPath;

    DbfFile dbf;
    MemoFile memo;
    CodePage codePage;
    QCollator collator{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
    QList<FieldDef> fields;
    QHash<QString, int> fieldNames; // upper-case name -> index
    QList<IndexTag> tags;
    bool writable = false;
    bool changed = false; // written since open: the index is rewritten at close
    bool indexRebuilt = false; // at open
    int noteFd = -1;          // the .mdx whose note says a change may have reached the .dbf

    Table::State state = Table::State::Inactive;

    // Orders: file order and the orders built so far, by upper-case name.
    Order fileOrder;
    std::map<QString, std::unique_ptr<Order>> orders;
    // The columns of the text orders, by field and function: orders over the
    // same field share its values and collation keys.
    std::map<std::pair<int, int>, std::shared_ptr<KeyColumn>> columns;
    Order *current = &fileOrder;
    QString orderName;

    // Filter.
    QString filterText;
    std::optional<FilterCondition> condition;
    int conditionField = -1;
    std::optional<QByteArray> conditionBytes; // the value as stored, where bytes can be compared
    bool filtered = false;
    RowSet filteredRows;

    // Cursor over the visible rows.
    qsizetype pos = -1;
    qint64 placeRec = -1; // the cursor goes onto this record when it is next looked at
    bool bof = true;
    bool eof = true;

    // Pending record of edit or insert.
    QByteArray buffer;
    quint32 editRec = 0;
    bool modified = false;
    QHash<int, QByteArray> pendingMemos; // field -> text bytes

    bool filterActive() const { return filtered && condition && conditionField >= 0; }
    RowSet &viewSet() { return filterActive() ? filteredRows : current->all; }
    const std::vector<quint32> &view() { return current->sorted(viewSet()); }
    RecordLayout layout() const
    {
        return RecordLayout{&fields, &dbf.header().offsets, &codePage, &collator};
    }
    std::vector<std::shared_ptr<KeyColumn>> columnsFor(const KeyExpression &key)
    {
        std::vector<std::shared_ptr<KeyColumn>> out;
        if (key.numericOrder(fields))
            return out;
        for (const KeyTerm &t : key.terms) {
            std::shared_ptr<KeyColumn> &c = columns[{t.field, int(t.function)}];
            if (!c)
                c = std::make_shared<KeyColumn>(t, layout());
            out.push_back(c);
        }
        return out;
    }
    void clearOrders()
    {
        orders.clear();
        columns.clear();
    }
    const FieldCodec &codec() const { return fieldCodec; }

    FieldCodec fieldCodec{QString(), &codePage}; // naming the table as opened

    // The bytes of a record read through the fields since the last first()
    // or last(): a scan asks these of the record a few steps ahead into the
    // cache, not the whole record, most of which it never reads.
    int readFrom = std::numeric_limits<int>::max();
    int readTo = 0;
    void noteRead(int offset, int length)
    {
        readFrom = std::min(readFrom, offset);
        readTo = std::max(readTo, offset + length);
    }
};

} // namespace dbase
