#include "TagContents.h"

#include "KeyExpression.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

namespace dbase {

namespace {

// A key of plain text fields is the fields' bytes: they are compared where
// the records hold them, by their first sixteen bytes first, and copied
// once, in index order.
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
    struct Item
    {
        quint64 head[2];
        const char *record;
        quint32 rec;
    };
    std::vector<Item> items;
    items.reserve(records.count);
    for (quint32 r = 0; r < records.count; ++r) {
        const char *record = records.record(r);
        if (record[0] == '*')
            continue;
        unsigned char head[16] = {};
        int filled = 0;
        for (const Part &p : parts) {
            if (filled == 16)
                break;
            const int n = qMin(16 - filled, p.length);
            std::memcpy(head + filled, record + p.offset, size_t(n));
            filled += n;
        }
        Item item{{0, 0}, record, r + 1};
        for (int i = 0; i < 16; ++i)
            item.head[i / 8] = item.head[i / 8] << 8 | head[i];
        items.push_back(item);
    }
    const bool longer = m.keyLength > 16;
    std::sort(items.begin(), items.end(), [&parts, longer](const Item &a, const Item &b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        if (longer)
            for (const Part &p : parts)
                if (const int c = std::memcmp(a.record + p.offset, b.record + p.offset, size_t(p.length)))
                    return c < 0;
        return a.rec < b.rec;
    });
    const size_t n = items.size();
    m.keys.resize(qsizetype(n) * m.keyLength);
    m.records.resize(n);
    char *dest = m.keys.data();
    for (size_t i = 0; i < n; ++i) {
        for (const Part &p : parts) {
            std::memcpy(dest, items[i].record + p.offset, size_t(p.length));
            dest += p.length;
        }
        m.records[i] = items[i].rec;
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
