#include "TagContents.h"

#include "KeyExpression.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <functional>

namespace dbase {

namespace {

// A key of plain text fields is the fields' bytes. Many records share a
// key (a blank field, an author's name): each distinct key is sorted once,
// and the records go into place by the rank of their key, in record order
// within a rank.
void sortPlainText(MdxTag &m, const KeyExpression &key, const QList<FieldDef> &fields,
                   const QVector<int> &offsets, const RecordBlock &records)
{
    struct Part
    {
        int offset;
        int length;
    };
    QVarLengthArray<Part, 4> parts;
    for (const KeyTerm &t : key.terms)
        parts.append({offsets.at(t.field), fields.at(t.field).length});
    const size_t len = size_t(m.keyLength);

    // The distinct keys: views into the records for a key of one field,
    // into keys joined here for a key of several; found again through an
    // open-addressed table of their entries.
    std::vector<std::string_view> distinct;
    std::deque<std::string> joined;
    size_t capacity = 1024;
    while (capacity < size_t(records.count) * 2)
        capacity *= 2;
    std::vector<quint32> table(capacity, 0); // entry + 1, 0 for a free slot
    std::vector<quint32> recs; // 1-based record numbers of the live records
    std::vector<quint32> ids;  // their keys' entries in distinct
    recs.reserve(records.count);
    ids.reserve(records.count);
    std::string scratch(len, ' ');
    const std::hash<std::string_view> hash;
    for (quint32 r = 0; r < records.count; ++r) {
        const char *record = records.record(r);
        if (record[0] == '*')
            continue;
        std::string_view k;
        if (parts.size() == 1) {
            k = std::string_view(record + parts[0].offset, len);
        } else {
            size_t at = 0;
            for (const Part &p : parts) {
                std::memcpy(scratch.data() + at, record + p.offset, size_t(p.length));
                at += size_t(p.length);
            }
            k = scratch;
        }
        size_t slot = hash(k) & (capacity - 1);
        while (table[slot] && distinct[table[slot] - 1] != k)
            slot = (slot + 1) & (capacity - 1);
        if (!table[slot]) {
            if (parts.size() > 1)
                k = joined.emplace_back(scratch);
            distinct.push_back(k);
            table[slot] = quint32(distinct.size());
        }
        recs.push_back(r + 1);
        ids.push_back(table[slot] - 1);
    }

    std::vector<quint32> order(distinct.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    // string_view compares bytes as unsigned, as the index orders them.
    std::sort(order.begin(), order.end(), [&distinct](quint32 a, quint32 b) { return distinct[a] < distinct[b]; });
    std::vector<quint32> start(distinct.size() + 1, 0); // by rank, then by id
    std::vector<quint32> rank(distinct.size());
    for (quint32 r = 0; r < order.size(); ++r)
        rank[order[r]] = r;
    for (quint32 id : ids)
        ++start[rank[id] + 1];
    for (size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    const size_t n = recs.size();
    m.records.resize(n);
    for (size_t i = 0; i < n; ++i)
        m.records[start[rank[ids[i]]]++] = recs[i];
    // start[rank] now ends each rank's run: the keys follow the runs.
    m.keys.resize(qsizetype(n * len));
    char *dest = m.keys.data();
    size_t from = 0;
    for (quint32 r = 0; r < order.size(); ++r) {
        const std::string_view k = distinct[order[r]];
        for (; from < start[r]; ++from, dest += len)
            std::memcpy(dest, k.data(), len);
    }
}

// Other keys (numbers, dates, upper-cased text) are computed into one
// block in record order first, then sorted: text by its bytes, numbers and
// dates by value.
void sortComputed(MdxTag &m, const KeyExpression &key, const QList<FieldDef> &fields,
                  const QVector<int> &offsets, const CodePage &codePage, const RecordBlock &records)
{
    const size_t len = size_t(m.keyLength);
    std::vector<quint32> recs;
    recs.reserve(records.count);
    std::vector<char> keys(size_t(records.count) * len);
    char *out = keys.data();
    for (quint32 r = 0; r < records.count; ++r) {
        const char *record = records.record(r);
        if (record[0] == '*')
            continue;
        const QByteArray k = indexKey(key, fields, offsets, record, codePage);
        const size_t n = qMin(size_t(k.size()), len);
        std::memcpy(out, k.constData(), n);
        std::memset(out + n, 0, len - n);
        out += len;
        recs.push_back(r + 1);
    }
    // Then sorted: positions into the block, ties by position, which is
    // record order. Text keys are compared by their first eight bytes first.
    const size_t n = recs.size();
    std::vector<quint32> at(n);
    const char *base = keys.data();
    if (key.type == 'C') {
        struct Item
        {
            quint64 prefix;
            quint32 pos;
        };
        std::vector<Item> items(n);
        for (quint32 i = 0; i < n; ++i) {
            unsigned char head[8] = {};
            std::memcpy(head, base + size_t(i) * len, qMin<size_t>(8, len));
            quint64 v = 0;
            for (unsigned char b : head)
                v = v << 8 | b;
            items[i] = {v, i};
        }
        std::sort(items.begin(), items.end(), [base, len](const Item &a, const Item &b) {
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix;
            if (len > 8) {
                const int c = std::memcmp(base + size_t(a.pos) * len + 8, base + size_t(b.pos) * len + 8, len - 8);
                if (c)
                    return c < 0;
            }
            return a.pos < b.pos;
        });
        for (size_t i = 0; i < n; ++i)
            at[i] = items[i].pos;
    } else {
        for (quint32 i = 0; i < n; ++i)
            at[i] = i;
        std::vector<double> value(n);
        for (size_t i = 0; i < n; ++i) {
            if (key.type == 'N')
                value[i] = bcdValue(base + i * len);
            else
                std::memcpy(&value[i], base + i * len, sizeof(double));
        }
        std::sort(at.begin(), at.end(), [&value](quint32 a, quint32 b) {
            return value[a] < value[b] || (!(value[b] < value[a]) && a < b);
        });
    }
    m.keys.resize(qsizetype(n * len));
    m.records.resize(n);
    char *dest = m.keys.data();
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(dest + i * len, base + size_t(at[i]) * len, len);
        m.records[i] = recs[at[i]];
    }
}

} // namespace

MdxTag tagContents(const IndexTag &tag, const QList<FieldDef> &fields, const QVector<int> &offsets,
                   const CodePage &codePage, const RecordBlock &records)
{
    MdxTag m;
    m.tag = tag;
    const std::optional<KeyExpression> key = parseKeyExpression(tag.expression, fields);
    if (!key) {
        m.keyType = 'C';
        m.keyLength = 10;
        m.fieldKey = false;
        return m;
    }
    m.keyType = key->type;
    m.keyLength = key->length;
    m.fieldKey = key->terms.size() == 1 && key->terms.at(0).function == KeyTerm::Plain;

    // A key expression of many long fields over many records must not take
    // the memory of the machine.
    if (qint64(records.count) * m.keyLength > (qint64(1) << 30))
        throw Error(QStringLiteral("Klíče značky %1 indexu by zabraly příliš mnoho paměti.").arg(tag.name));

    bool plainText = key->type == 'C';
    for (const KeyTerm &t : key->terms)
        plainText = plainText && t.function != KeyTerm::Upper;
    if (plainText)
        sortPlainText(m, *key, fields, offsets, records);
    else
        sortComputed(m, *key, fields, offsets, codePage, records);
    return m;
}

} // namespace dbase
