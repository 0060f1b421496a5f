#include "Order.h"

#include "FieldCodec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <cmath>
#include <limits>

namespace dbase {

namespace {

constexpr double EmptyKey = -std::numeric_limits<double>::infinity();

// The bits of a key as an unsigned number in the order of the keys: the
// sign bit set for the positive ones, all bits flipped for the negative
// ones. Zero is one key, whatever its sign.
quint64 sortableBits(double key)
{
    if (key == 0)
        key = 0;
    quint64 bits;
    std::memcpy(&bits, &key, sizeof bits);
    return bits & (quint64(1) << 63) ? ~bits : bits | quint64(1) << 63;
}

} // namespace

Order::Order(const QString &name, const KeyExpression &key, const RecordLayout &layout,
             std::vector<std::shared_ptr<KeyColumn>> columns)
    : m_name(name), m_fileOrder(false), m_key(key), m_layout(layout), m_columns(std::move(columns))
{
    m_numeric = key.numericOrder(*layout.fields);
}

int Order::keyCount() const
{
    if (m_numeric)
        return int(m_numbers.size());
    return m_columns.empty() ? 0 : int(m_columns.front()->size());
}

double Order::numberKey(const char *record) const
{
    const int f = m_key.terms.at(0).field;
    const FieldDef &def = m_layout.fields->at(f);
    const RawField raw{record + m_layout.offsets->at(f), def.length};
    switch (def.type) {
    case 'D': {
        const QDate d = dateValue(raw);
        return d.isValid() ? double(d.toJulianDay()) : EmptyKey;
    }
    case 'L': {
        const int v = logicalValue(raw);
        return v < 0 ? EmptyKey : v;
    }
    case 'N': case 'F': {
        const std::optional<double> v = numberValue(raw);
        return v ? *v : EmptyKey;
    }
    default: {
        const FieldCodec codec(QString(), m_layout.codePage);
        const QVariant v = codec.value(def, raw);
        if (!v.isValid())
            return EmptyKey;
        if (def.type == '@')
            return double(v.toDateTime().toMSecsSinceEpoch());
        return v.toDouble();
    }
    }
}

void Order::setKey(quint32 rec, const char *record)
{
    if (m_fileOrder)
        return;
    if (m_numeric) {
        const quint64 k = sortableBits(numberKey(record));
        if (rec == m_numbers.size())
            m_numbers.push_back(k);
        else
            m_numbers[rec] = k;
        return;
    }
    for (const auto &column : m_columns)
        column->set(rec, record);
}

void Order::setKeys(const char *first, quint32 count, int recordLength)
{
    if (m_fileOrder)
        return;
    if (m_numeric) {
        for (quint32 r = 0; r < count; ++r)
            setKey(r, first + qsizetype(r) * recordLength);
        return;
    }
    // A column shared with an order made before already holds its records.
    for (const auto &column : m_columns)
        column->setAll(first, count, recordLength);
}

void Order::sortRows(std::vector<quint32> &rows) const
{
    if (m_fileOrder)
        return;
    if (m_numeric) {
        sortByNumber(rows);
        return;
    }
    // Field by field from the last to the first, each a stable sort by the
    // rank of the field's value: the first field decides, the next ones
    // break its ties, file order breaks the rest.
    std::vector<quint32> sorted(rows.size());
    for (auto column = m_columns.rbegin(); column != m_columns.rend(); ++column) {
        quint32 rankCount = 0;
        const std::vector<quint32> rank = (*column)->ranks(&rankCount);
        std::vector<quint32> start(size_t(rankCount) + 1, 0);
        for (quint32 rec : rows)
            ++start[rank[rec] + 1];
        for (size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        for (quint32 rec : rows)
            sorted[start[rank[rec]]++] = rec;
        rows.swap(sorted);
    }
}

void Order::sortByNumber(std::vector<quint32> &rows) const
{
    // A radix sort by the keys' bits, a byte at a time from the lowest:
    // each pass is stable, so equal keys keep file order. The bytes all keys
    // share (most of them, for whole numbers) take no pass.
    std::vector<std::array<quint32, 256>> counts(8, std::array<quint32, 256>{});
    for (quint32 rec : rows) {
        const quint64 bits = m_numbers[rec];
        for (int b = 0; b < 8; ++b)
            ++counts[size_t(b)][(bits >> (8 * b)) & 0xFF];
    }
    std::vector<quint32> spare;
    for (int b = 0; b < 8; ++b) {
        std::array<quint32, 256> &count = counts[size_t(b)];
        if (std::find(count.begin(), count.end(), quint32(rows.size())) != count.end())
            continue; // every key has the same byte here
        quint32 start = 0;
        for (quint32 &c : count)
            start += std::exchange(c, start);
        spare.resize(rows.size());
        for (quint32 rec : rows)
            spare[count[(m_numbers[rec] >> (8 * b)) & 0xFF]++] = rec;
        rows.swap(spare);
    }
}

bool Order::less(quint32 a, quint32 b) const
{
    if (!m_fileOrder) {
        if (m_numeric) {
            const quint64 x = m_numbers[a], y = m_numbers[b];
            if (x < y)
                return true;
            if (y < x)
                return false;
        } else {
            for (const auto &column : m_columns)
                if (const int c = column->compare(a, b))
                    return c < 0;
        }
    }
    return a < b;
}

const std::vector<quint32> &Order::sorted(RowSet &set) const
{
    if (set.pending.empty())
        return set.rows;
    auto cmp = [this](quint32 x, quint32 y) { return less(x, y); };
    std::sort(set.pending.begin(), set.pending.end(), cmp);
    if (set.rows.empty() || cmp(set.rows.back(), set.pending.front())) {
        set.rows.insert(set.rows.end(), set.pending.begin(), set.pending.end());
    } else {
        std::vector<quint32> merged;
        merged.reserve(set.rows.size() + set.pending.size());
        std::merge(set.rows.begin(), set.rows.end(), set.pending.begin(), set.pending.end(),
                   std::back_inserter(merged), cmp);
        set.rows.swap(merged);
    }
    set.pending.clear();
    return set.rows;
}

qsizetype Order::position(RowSet &set, quint32 rec) const
{
    const std::vector<quint32> &rows = sorted(set);
    const auto it = std::lower_bound(rows.begin(), rows.end(), rec,
                                     [this](quint32 x, quint32 y) { return less(x, y); });
    if (it != rows.end() && *it == rec)
        return it - rows.begin();
    return -1;
}

void Order::erase(RowSet &set, quint32 rec) const
{
    const auto p = std::find(set.pending.begin(), set.pending.end(), rec);
    if (p != set.pending.end()) {
        set.pending.erase(p);
        return;
    }
    const auto it = std::lower_bound(set.rows.begin(), set.rows.end(), rec,
                                     [this](quint32 x, quint32 y) { return less(x, y); });
    if (it != set.rows.end() && *it == rec)
        set.rows.erase(it);
}

qsizetype Order::lowerBound(RowSet &set, const QString &value, bool *exact) const
{
    const std::vector<quint32> &rows = sorted(set);
    *exact = false;
    if (m_fileOrder)
        return qsizetype(rows.size());
    if (m_numeric) {
        double v = EmptyKey;
        const QString t = value.trimmed();
        if (!t.isEmpty()) {
            const int f = m_key.terms.at(0).field;
            const char type = m_layout.fields->at(f).type;
            bool ok = false;
            if (type == 'D') {
                const QDate d = parseDateText(t);
                ok = d.isValid();
                v = double(d.toJulianDay());
            } else if (type == 'L') {
                ok = true;
                v = (t == QLatin1String("true") || t == QLatin1String("T")) ? 1 : 0;
            } else {
                QString n = t;
                n.replace(QLatin1Char(','), QLatin1Char('.'));
                v = n.toDouble(&ok);
            }
            if (!ok || !std::isfinite(v))
                return qsizetype(rows.size());
        }
        const quint64 key = sortableBits(v);
        const auto it = std::lower_bound(rows.begin(), rows.end(), key,
                                         [this](quint32 r, quint64 k) { return m_numbers[r] < k; });
        *exact = it != rows.end() && m_numbers[*it] == key;
        return it - rows.begin();
    }
    // A value of several fields is read as the fields' widths, the last
    // field taking the rest; fields past its end are empty.
    std::vector<KeyColumn::Probe> probes;
    probes.reserve(m_columns.size());
    qsizetype at = 0;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const bool lastTerm = i + 1 == m_columns.size();
        const int width = m_layout.fields->at(m_columns[i]->term().field).length;
        probes.push_back(m_columns[i]->probe(lastTerm ? value.mid(at) : value.mid(at, width)));
        at += width;
    }
    auto compareTo = [this, &probes](quint32 r) {
        for (size_t i = 0; i < m_columns.size(); ++i)
            if (const int c = m_columns[i]->compare(r, probes[i]))
                return c;
        return 0;
    };
    const auto it = std::lower_bound(rows.begin(), rows.end(), 0,
                                     [&compareTo](quint32 r, int) { return compareTo(r) < 0; });
    *exact = it != rows.end() && compareTo(*it) == 0;
    return it - rows.begin();
}

} // namespace dbase
