#include "TagContents.h"

#include "KeyExpression.h"

#include <algorithm>
#include <cstring>

namespace dbase {

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

    // Keys in record order first, in one block. A key of plain text
    // fields is the fields' bytes, copied without a key of its own.
    const size_t len = size_t(m.keyLength);
    bool plainText = key->type == 'C';
    for (const KeyTerm &t : key->terms)
        plainText = plainText && t.function != KeyTerm::Upper;
    std::vector<quint32> recs;
    recs.reserve(records.count);
    std::vector<char> keys(size_t(records.count) * len);
    char *out = keys.data();
    for (quint32 r = 0; r < records.count; ++r) {
        const char *record = records.record(r);
        if (record[0] == '*')
            continue;
        if (plainText) {
            char *p = out;
            for (const KeyTerm &t : key->terms) {
                const int flen = fields.at(t.field).length;
                std::memcpy(p, record + offsets.at(t.field), size_t(flen));
                p += flen;
            }
        } else {
            const QByteArray k = indexKey(*key, fields, offsets, record, codePage);
            const size_t n = qMin(size_t(k.size()), len);
            std::memcpy(out, k.constData(), n);
            std::memset(out + n, 0, len - n);
        }
        out += len;
        recs.push_back(r + 1);
    }

    // Then sorted: positions into the block, ties by position, which is
    // record order. Text keys are compared by their first eight bytes first.
    const size_t n = recs.size();
    std::vector<quint32> at(n);
    const char *base = keys.data();
    if (key->type == 'C') {
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
            if (key->type == 'N')
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
    return m;
}

} // namespace dbase
