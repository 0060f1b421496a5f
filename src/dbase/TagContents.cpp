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

    // Keys in record order first, in one block.
    std::vector<quint32> recs;
    recs.reserve(records.count);
    QByteArray keys;
    keys.reserve(qsizetype(records.count) * m.keyLength);
    for (quint32 r = 0; r < records.count; ++r) {
        const char *record = records.record(r);
        if (record[0] == '*')
            continue;
        const QByteArray k = indexKey(*key, fields, offsets, record, codePage);
        keys.append(k.constData(), qMin<qsizetype>(k.size(), m.keyLength));
        if (k.size() < m.keyLength)
            keys.append(m.keyLength - k.size(), '\0');
        recs.push_back(r + 1);
    }

    // Then sorted: positions into the block, ties by position, which is record order.
    const size_t n = recs.size();
    std::vector<quint32> at(n);
    for (quint32 i = 0; i < n; ++i)
        at[i] = i;
    const char *base = keys.constData();
    const size_t len = size_t(m.keyLength);
    if (key->type == 'C') {
        std::sort(at.begin(), at.end(), [base, len](quint32 a, quint32 b) {
            const int c = std::memcmp(base + a * len, base + b * len, len);
            return c < 0 || (c == 0 && a < b);
        });
    } else {
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
    m.keys.resize(keys.size());
    m.records.resize(n);
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(m.keys.data() + i * len, base + size_t(at[i]) * len, len);
        m.records[i] = recs[at[i]];
    }
    return m;
}

} // namespace dbase
