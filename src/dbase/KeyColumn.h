#pragma once

// The values of one term of a text order (a field, or UPPER of a field) for
// every record, each distinct value once with its collation key. Orders that
// share a term share its column, so a field's collation keys are computed
// once for all the orders over it.
//
// Values compare by the Czech collation first and by their exact text when
// the collation finds them equal; joined dates and numbers compare by their
// stored characters. Trailing blanks are not part of a value.

#include "KeyExpression.h"

#include <QCollatorSortKey>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QCollator;

namespace dbase {

struct RecordLayout;

class KeyColumn
{
public:
    KeyColumn(const KeyTerm &term, const RecordLayout &layout);

    const KeyTerm &term() const { return m_term; }
    quint32 size() const { return quint32(m_ids.size()); } // records with a value
    // The value of record rec (rec == size() appends one).
    void set(quint32 rec, const char *record);
    // The values of count records of recordLength bytes each from first on,
    // for the records not held yet; many collation keys are computed in two
    // threads.
    void setAll(const char *first, quint32 count, int recordLength);

    // Negative, zero or positive as the value of record a is before, equal
    // to or after that of record b.
    int compare(quint32 a, quint32 b) const;

    // A value looked for, prepared once for many comparisons.
    struct Probe
    {
        std::optional<QCollatorSortKey> key; // when collated
        QString text;
        std::string bytes;
    };
    Probe probe(const QString &value) const;
    int compare(quint32 rec, const Probe &probe) const;

    // The rank of every record's value: equal values equal ranks, smaller
    // values smaller ranks; with the count of ranks in *rankCount.
    std::vector<quint32> ranks(quint32 *rankCount) const;

private:
    void source(const char *record, std::string &out) const;
    QString text(const std::string &bytes) const;
    int compareIds(quint32 x, quint32 y) const;
    quint32 idOf(const std::string &bytes, bool *fresh);

    KeyTerm m_term;
    int m_offset = 0;
    int m_length = 0;
    bool m_collated = true; // text: by collation; dates and numbers by their characters
    const CodePage *m_codePage;
    const QCollator *m_collator;

    struct Hash
    {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::vector<quint32> m_ids;                 // per record: its entry below
    std::vector<const std::string *> m_values;  // per entry: the stored bytes
    std::vector<QCollatorSortKey> m_keys;       // per entry, when collated
    std::unordered_map<std::string, quint32, Hash, std::equal_to<>> m_index;
    std::string m_scratch;
};

} // namespace dbase
