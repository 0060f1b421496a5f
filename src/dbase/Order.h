#pragma once

// An order of the records kept in memory: a key per record and the sorted
// record numbers (0-based) of the records not deleted. Equal keys keep file
// order; an empty number sorts before every number; text keys follow Czech
// collation. A key of several fields orders by the first field completely
// before it looks at the next.

#include "CodePage.h"
#include "KeyColumn.h"
#include "KeyExpression.h"

#include <QCollator>
#include <QList>
#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace dbase {

// What an order needs to read keys from a record.
struct RecordLayout
{
    const QList<FieldDef> *fields;
    const QVector<int> *offsets;
    const CodePage *codePage;
    const QCollator *collator;
};

// Record numbers sorted by an order, with the records added since the last
// look waiting unsorted: a stream of posts stays cheap, and the rows are
// merged once when someone looks at them.
struct RowSet
{
    std::vector<quint32> rows;    // sorted
    std::vector<quint32> pending; // not yet merged
    void clear()
    {
        rows.clear();
        pending.clear();
    }
};

class Order
{
public:
    Order() = default; // file order
    // A text order reads its keys from columns, one per term of key.
    Order(const QString &name, const KeyExpression &key, const RecordLayout &layout,
          std::vector<std::shared_ptr<KeyColumn>> columns);

    QString name() const { return m_name; }
    bool isFileOrder() const { return m_fileOrder; }
    bool isNumeric() const { return m_numeric; }
    const KeyExpression &key() const { return m_key; }

    // Keys: the key of record rec (rec == keyCount() appends one).
    int keyCount() const;
    void setKey(quint32 rec, const char *record);
    // The keys of count records of recordLength bytes each from first on,
    // as setKey would give them one by one.
    void setKeys(const char *first, quint32 count, int recordLength);
    // Sorts rows (record numbers in file order) by this order, all at once.
    void sortRows(std::vector<quint32> &rows) const;

    bool less(quint32 a, quint32 b) const;
    // Adding and removing records of a row set ordered by this order; the
    // key of rec must be the one it was added with.
    void add(RowSet &set, quint32 rec) const { set.pending.push_back(rec); }
    void erase(RowSet &set, quint32 rec) const;
    const std::vector<quint32> &sorted(RowSet &set) const; // merges the pending records
    qsizetype position(RowSet &set, quint32 rec) const;    // -1 when absent
    // First position whose key is not less than value; exact tells whether
    // that key equals value. Values that are not keys of this order give the end.
    qsizetype lowerBound(RowSet &set, const QString &value, bool *exact) const;

    RowSet all; // records not deleted

private:
    double numberKey(const char *record) const;
    void sortByNumber(std::vector<quint32> &rows) const; // rows in file order

    QString m_name;
    bool m_fileOrder = true;
    bool m_numeric = false;
    KeyExpression m_key;
    RecordLayout m_layout{};
    std::vector<quint64> m_numbers; // the keys of a number order, as bits in the keys' order
    std::vector<std::shared_ptr<KeyColumn>> m_columns; // text orders
};

} // namespace dbase
