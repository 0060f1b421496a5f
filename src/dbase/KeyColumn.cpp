#include "KeyColumn.h"

#include "Order.h"

#include <QCollator>

#include <algorithm>
#include <exception>
#include <thread>

namespace dbase {

KeyColumn::KeyColumn(const KeyTerm &term, const RecordLayout &layout)
    : m_term(term), m_codePage(layout.codePage), m_collator(layout.collator)
{
    const FieldDef &def = layout.fields->at(term.field);
    m_offset = layout.offsets->at(term.field);
    m_length = def.length;
    m_collated = def.type == 'C' || term.function == KeyTerm::Upper;
}

void KeyColumn::source(const char *record, std::string &out) const
{
    const char *p = record + m_offset;
    int len = m_length;
    if (m_collated)
        while (len > 0 && (p[len - 1] == ' ' || p[len - 1] == 0))
            --len;
    out.assign(p, size_t(len));
}

QString KeyColumn::text(const std::string &bytes) const
{
    if (!m_collated)
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    QString s = m_codePage->decode(bytes.data(), int(bytes.size()));
    if (m_term.function == KeyTerm::Upper)
        s = s.toUpper();
    return s;
}

quint32 KeyColumn::idOf(const std::string &bytes, bool *fresh)
{
    const auto it = m_index.find(std::string_view(bytes));
    if (it != m_index.end()) {
        *fresh = false;
        return it->second;
    }
    *fresh = true;
    const quint32 id = quint32(m_values.size());
    const auto placed = m_index.emplace(bytes, id).first;
    m_values.push_back(&placed->first);
    return id;
}

void KeyColumn::set(quint32 rec, const char *record)
{
    source(record, m_scratch);
    bool fresh = false;
    const quint32 id = idOf(m_scratch, &fresh);
    if (fresh && m_collated)
        m_keys.push_back(m_collator->sortKey(text(m_scratch)));
    if (rec == m_ids.size())
        m_ids.push_back(id);
    else
        m_ids[rec] = id;
}

void KeyColumn::setAll(const char *first, quint32 count, int recordLength)
{
    const quint32 from = size();
    if (from >= count)
        return;
    auto record = [first, recordLength](quint32 r) { return first + qsizetype(r) * recordLength; };
    if (!m_collated || count - from < 2000) {
        for (quint32 r = from; r < count; ++r)
            set(r, record(r));
        return;
    }
    // The distinct values first, then their collation keys, the second half
    // in a thread of its own with a collator of its own.
    const quint32 known = quint32(m_values.size());
    m_ids.reserve(count);
    m_index.reserve(m_index.size() + (count - from));
    for (quint32 r = from; r < count; ++r) {
        source(record(r), m_scratch);
        bool fresh = false;
        m_ids.push_back(idOf(m_scratch, &fresh));
    }
    const size_t fresh = m_values.size() - known;
    const size_t half = fresh / 2;
    auto keysOf = [&](size_t from, size_t to, const QCollator &collator, std::vector<QCollatorSortKey> &out) {
        out.reserve(out.size() + (to - from));
        for (size_t i = from; i < to; ++i)
            out.push_back(collator.sortKey(text(*m_values[known + i])));
    };
    std::vector<QCollatorSortKey> second;
    std::exception_ptr failure;
    const QCollator &main = *m_collator;
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
        keysOf(0, half, main, m_keys);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    for (QCollatorSortKey &k : second)
        m_keys.push_back(std::move(k));
}

int KeyColumn::compareIds(quint32 x, quint32 y) const
{
    if (x == y)
        return 0;
    if (!m_collated)
        return m_values[x]->compare(*m_values[y]);
    if (const int c = m_keys[x].compare(m_keys[y]))
        return c;
    return text(*m_values[x]).compare(text(*m_values[y]));
}

int KeyColumn::compare(quint32 a, quint32 b) const
{
    return compareIds(m_ids[a], m_ids[b]);
}

KeyColumn::Probe KeyColumn::probe(const QString &value) const
{
    Probe p;
    if (!m_collated) {
        p.bytes = value.toLatin1().toStdString();
        return p;
    }
    p.text = value;
    while (p.text.endsWith(QLatin1Char(' ')))
        p.text.chop(1);
    if (m_term.function == KeyTerm::Upper)
        p.text = p.text.toUpper();
    p.key = m_collator->sortKey(p.text);
    return p;
}

int KeyColumn::compare(quint32 rec, const Probe &probe) const
{
    const quint32 id = m_ids[rec];
    if (!m_collated)
        return m_values[id]->compare(probe.bytes);
    if (const int c = m_keys[id].compare(*probe.key))
        return c;
    return text(*m_values[id]).compare(probe.text);
}

std::vector<quint32> KeyColumn::ranks(quint32 *rankCount) const
{
    // Each distinct value is placed among the others once; the records then
    // take the rank of their value.
    std::vector<quint32> ids(m_values.size());
    for (quint32 i = 0; i < ids.size(); ++i)
        ids[i] = i;
    std::sort(ids.begin(), ids.end(), [this](quint32 a, quint32 b) { return compareIds(a, b) < 0; });
    std::vector<quint32> rankOf(ids.size());
    quint32 r = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i > 0 && compareIds(ids[i - 1], ids[i]) != 0)
            ++r;
        rankOf[ids[i]] = r;
    }
    *rankCount = ids.empty() ? 0 : r + 1;
    std::vector<quint32> out(m_ids.size());
    for (size_t rec = 0; rec < m_ids.size(); ++rec)
        out[rec] = rankOf[m_ids[rec]];
    return out;
}

} // namespace dbase
