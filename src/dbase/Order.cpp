#include "Order.h"

#include "FieldCodec.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <cmath>
#include <limits>

namespace dbase {

namespace {
constexpr double EmptyKey = -std::numeric_limits<double>::infinity();
}

Order::Order(const QString &name, const KeyExpression &key, const RecordLayout &layout)
    : m_name(name), m_fileOrder(false), m_key(key), m_layout(layout)
{
    m_numeric = key.numericOrder(*layout.fields);
}

int Order::keyCount() const
{
    return int(m_numeric ? m_numbers.size() : m_textIds.size());
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

QString Order::textKey(const char *record) const
{
    QString s;
    for (int i = 0; i < m_key.terms.size(); ++i) {
        const KeyTerm &t = m_key.terms.at(i);
        const FieldDef &def = m_layout.fields->at(t.field);
        const char *p = record + m_layout.offsets->at(t.field);
        const bool lastTerm = i + 1 == m_key.terms.size();
        int len = def.length;
        if (def.type == 'C' || t.function == KeyTerm::Upper) {
            if (lastTerm) // trailing blanks are not part of the value
                while (len > 0 && (p[len - 1] == ' ' || p[len - 1] == 0))
                    --len;
            QString part = m_layout.codePage->decode(p, len);
            if (t.function == KeyTerm::Upper)
                part = part.toUpper();
            s += part;
        } else {
            // Joined dates and numbers take their stored characters (DTOS form).
            s += QString::fromLatin1(p, len);
        }
    }
    return s;
}

// The bytes textKey reads: the same bytes always give the same key.
void Order::keySource(const char *record, std::string &out) const
{
    out.clear();
    for (int i = 0; i < m_key.terms.size(); ++i) {
        const KeyTerm &t = m_key.terms.at(i);
        const FieldDef &def = m_layout.fields->at(t.field);
        const char *p = record + m_layout.offsets->at(t.field);
        int len = def.length;
        if ((def.type == 'C' || t.function == KeyTerm::Upper) && i + 1 == m_key.terms.size())
            while (len > 0 && (p[len - 1] == ' ' || p[len - 1] == 0))
                --len;
        out.append(p, size_t(len));
    }
}

void Order::setKey(quint32 rec, const char *record)
{
    if (m_fileOrder)
        return;
    if (m_numeric) {
        const double k = numberKey(record);
        if (rec == m_numbers.size())
            m_numbers.push_back(k);
        else
            m_numbers[rec] = k;
        return;
    }
    keySource(record, m_source);
    quint32 id;
    const auto it = m_textIndex.find(std::string_view(m_source));
    if (it != m_textIndex.end()) {
        id = it->second;
    } else {
        id = quint32(m_texts.size());
        m_texts.push_back(m_layout.collator->sortKey(textKey(record)));
        m_textIndex.emplace(m_source, id);
    }
    if (rec == m_textIds.size())
        m_textIds.push_back(id);
    else
        m_textIds[rec] = id;
}

void Order::setKeys(const char *first, quint32 count, int recordLength)
{
    auto record = [first, recordLength](quint32 r) { return first + qsizetype(r) * recordLength; };
    if (m_fileOrder || m_numeric || count < 2000 || m_textIds.size() > count) {
        for (quint32 r = 0; r < count; ++r)
            setKey(r, record(r));
        return;
    }
    // The distinct keys first, each with the first record that has it.
    m_textIds.resize(count);
    m_textIndex.reserve(m_textIndex.size() + count);
    const quint32 known = quint32(m_texts.size());
    std::vector<quint32> firstRecord;
    for (quint32 r = 0; r < count; ++r) {
        keySource(record(r), m_source);
        const auto it = m_textIndex.find(std::string_view(m_source));
        if (it != m_textIndex.end()) {
            m_textIds[r] = it->second;
            continue;
        }
        const quint32 id = known + quint32(firstRecord.size());
        firstRecord.push_back(r);
        m_textIndex.emplace(m_source, id);
        m_textIds[r] = id;
    }
    // Then their collation keys, the second half in a thread of its own
    // with a collator of its own.
    const size_t fresh = firstRecord.size();
    const size_t half = fresh / 2;
    auto keysOf = [&](size_t from, size_t to, const QCollator &collator, std::vector<QCollatorSortKey> &out) {
        out.reserve(out.size() + (to - from));
        for (size_t i = from; i < to; ++i)
            out.push_back(collator.sortKey(textKey(record(firstRecord[i]))));
    };
    std::vector<QCollatorSortKey> second;
    std::exception_ptr failure;
    const QCollator &main = *m_layout.collator;
    // The worker's collator is set up like the table's, from what is read
    // here: the table's collator is used by this thread meanwhile.
    const QLocale locale = main.locale();
    const Qt::CaseSensitivity caseSensitivity = main.caseSensitivity();
    const bool numericMode = main.numericMode();
    const bool ignorePunctuation = main.ignorePunctuation();
    std::thread worker([&] {
        try {
            QCollator own(locale);
            own.setCaseSensitivity(caseSensitivity);
            own.setNumericMode(numericMode);
            own.setIgnorePunctuation(ignorePunctuation);
            keysOf(half, fresh, own, second);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        keysOf(0, half, main, m_texts);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    for (QCollatorSortKey &k : second)
        m_texts.push_back(std::move(k));
}

void Order::sortRows(std::vector<quint32> &rows) const
{
    if (m_fileOrder)
        return;
    if (m_numeric) {
        std::sort(rows.begin(), rows.end(), [this](quint32 a, quint32 b) { return less(a, b); });
        return;
    }
    // Each distinct key is compared with the collator once; the records then
    // go into place by the rank of their key, in file order within a rank.
    std::vector<quint32> ids(m_texts.size());
    for (quint32 i = 0; i < ids.size(); ++i)
        ids[i] = i;
    std::sort(ids.begin(), ids.end(), [this](quint32 a, quint32 b) { return m_texts[a].compare(m_texts[b]) < 0; });
    std::vector<quint32> rank(ids.size());
    quint32 r = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i > 0 && m_texts[ids[i - 1]].compare(m_texts[ids[i]]) != 0)
            ++r;
        rank[ids[i]] = r;
    }
    std::vector<quint32> start(size_t(r) + 2, 0);
    for (quint32 rec : rows)
        ++start[rank[m_textIds[rec]] + 1];
    for (size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    std::vector<quint32> sorted(rows.size());
    for (quint32 rec : rows)
        sorted[start[rank[m_textIds[rec]]]++] = rec;
    rows.swap(sorted);
}

bool Order::less(quint32 a, quint32 b) const
{
    if (!m_fileOrder) {
        if (m_numeric) {
            const double x = m_numbers[a], y = m_numbers[b];
            if (x < y)
                return true;
            if (y < x)
                return false;
        } else {
            const quint32 x = m_textIds[a], y = m_textIds[b];
            if (x != y) {
                const int c = m_texts[x].compare(m_texts[y]);
                if (c)
                    return c < 0;
            }
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
        const auto it = std::lower_bound(rows.begin(), rows.end(), v,
                                         [this](quint32 r, double key) { return m_numbers[r] < key; });
        *exact = it != rows.end() && m_numbers[*it] == v;
        return it - rows.begin();
    }
    QString v = value;
    while (v.endsWith(QLatin1Char(' ')))
        v.chop(1);
    if (m_key.terms.size() == 1 && m_key.terms.at(0).function == KeyTerm::Upper)
        v = v.toUpper();
    const QCollatorSortKey key = m_layout.collator->sortKey(v);
    const auto it = std::lower_bound(rows.begin(), rows.end(), 0,
                                     [this, &key](quint32 r, int) { return m_texts[m_textIds[r]].compare(key) < 0; });
    *exact = it != rows.end() && m_texts[m_textIds[*it]].compare(key) == 0;
    return it - rows.begin();
}

} // namespace dbase
