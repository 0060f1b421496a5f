#include "TagContents.h"

#include "KeyExpression.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <thread>

namespace dbase {

namespace {

// The values of one field in byte order: each record's rank among the
// field's distinct values (equal values, equal ranks). Many records share a
// value (a blank field, an author's name): each distinct value is sorted
// once. Deleted records have no rank.
struct FieldRanks
{
    int offset = 0;
    int length = 0;
    std::vector<quint32> rank; // per record
    quint32 ranks = 0;         // the count of distinct values
};

void rankField(FieldRanks &f, const RecordBlock &records)
{
    // The distinct values, found again through an open-addressed table of
    // their entries.
    std::vector<std::string_view> distinct;
    size_t capacity = 1024;
    while (capacity < size_t(records.count) * 2)
        capacity *= 2;
    std::vector<quint32> table(capacity, 0); // entry + 1, 0 for a free slot
    std::vector<quint32> &ids = f.rank;      // the entries first, their ranks after
    ids.assign(records.count, 0);
    const std::hash<std::string_view> hash;
    for (quint32 r = 0; r < records.count; ++r) {
        const char *record = records.record(r);
        if (record[0] == '*')
            continue;
        const std::string_view k(record + f.offset, size_t(f.length));
        size_t slot = hash(k) & (capacity - 1);
        while (table[slot] && distinct[table[slot] - 1] != k)
            slot = (slot + 1) & (capacity - 1);
        if (!table[slot]) {
            distinct.push_back(k);
            table[slot] = quint32(distinct.size());
        }
        ids[r] = table[slot] - 1;
    }
    std::vector<quint32> order(distinct.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    // string_view compares bytes as unsigned, as the index orders them.
    std::sort(order.begin(), order.end(), [&distinct](quint32 a, quint32 b) { return distinct[a] < distinct[b]; });
    std::vector<quint32> rankOf(distinct.size());
    for (quint32 r = 0; r < order.size(); ++r)
        rankOf[order[r]] = r;
    f.ranks = quint32(distinct.size());
    for (quint32 r = 0; r < records.count; ++r)
        if (records.record(r)[0] != '*')
            ids[r] = rankOf[ids[r]];
}

// A key of plain text fields is the fields' bytes one after the other, each
// field as long in every record: keys compare as the ranks of their fields
// do, the first field first. The records go into place by those ranks, the
// last field's first (each placing keeps the order of the one before), in
// record order within equal keys.
void sortPlainText(MdxTag &m, const std::vector<const FieldRanks *> &parts, const RecordBlock &records)
{
    std::vector<quint32> order; // 1-based record numbers of the live records
    order.reserve(records.count);
    for (quint32 r = 0; r < records.count; ++r)
        if (records.record(r)[0] != '*')
            order.push_back(r + 1);
    std::vector<quint32> placed(order.size());
    std::vector<quint32> start;
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        const std::vector<quint32> &rank = (*part)->rank;
        start.assign((*part)->ranks + 1, 0);
        for (quint32 rec : order)
            ++start[rank[rec - 1] + 1];
        for (size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        for (quint32 rec : order)
            placed[start[rank[rec - 1]]++] = rec;
        order.swap(placed);
    }
    m.records = std::move(order);
    // The keys are not copied out: the index's writer takes each from its
    // record as it lays the key out.
    struct Part
    {
        int offset;
        int length;
    };
    std::vector<Part> bytes;
    for (const FieldRanks *f : parts)
        bytes.push_back({f->offset, f->length});
    m.keyOfRecord = [records, bytes](quint32 rec, char *out) {
        const char *record = records.record(rec - 1);
        for (const Part &p : bytes) {
            std::memcpy(out, record + p.offset, size_t(p.length));
            out += p.length;
        }
    };
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

// A tag as far as its key tells: its type and length, and how its keys are
// made.
struct TagPlan
{
    std::optional<KeyExpression> key;
    bool plainText = false;
    std::vector<int> fields; // of a plain text key, its terms' fields in order
};

TagPlan planTag(MdxTag &m, const IndexTag &tag, const QList<FieldDef> &fields, const RecordBlock &records)
{
    TagPlan plan;
    m.tag = tag;
    plan.key = parseKeyExpression(tag.expression, fields);
    if (!plan.key) {
        // A key expression that cannot be computed: a text tag without keys.
        m.keyType = 'C';
        m.keyLength = 10;
        m.fieldKey = false;
        return plan;
    }
    const KeyExpression &key = *plan.key;
    m.keyType = key.type;
    m.keyLength = key.length;
    m.fieldKey = key.terms.size() == 1 && key.terms.at(0).function == KeyTerm::Plain;

    // A key expression of many long fields over many records must not take
    // the memory of the machine.
    if (qint64(records.count) * m.keyLength > (qint64(1) << 30))
        throw Error(QStringLiteral("Klíče značky %1 indexu by zabraly příliš mnoho paměti.").arg(tag.name));

    plan.plainText = key.type == 'C';
    for (const KeyTerm &t : key.terms) {
        plan.plainText = plan.plainText && t.function != KeyTerm::Upper;
        plan.fields.push_back(t.field);
    }
    return plan;
}

// Runs job(0) .. job(count - 1), shared by this thread and a second one
// when two are asked for; the first failure is thrown again here.
template <typename Job>
void shareWork(size_t count, bool twoThreads, const Job &job)
{
    std::atomic<size_t> next{0};
    std::exception_ptr failures[2];
    auto work = [&](int worker) {
        try {
            for (size_t i = next++; i < count; i = next++)
                job(i);
        } catch (...) {
            failures[worker] = std::current_exception();
            next = count; // the other worker takes nothing more
        }
    };
    if (twoThreads && count > 1) {
        std::thread second(work, 1);
        work(0);
        second.join();
    } else {
        work(0);
    }
    for (const std::exception_ptr &failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

} // namespace

QList<MdxTag> indexContents(const QList<IndexTag> &tags, const QList<FieldDef> &fields,
                            const QVector<int> &offsets, const CodePage &codePage, const RecordBlock &records)
{
    std::vector<MdxTag> done(size_t(tags.size()));
    std::vector<TagPlan> plans;
    plans.reserve(done.size());
    for (qsizetype t = 0; t < tags.size(); ++t)
        plans.push_back(planTag(done[size_t(t)], tags.at(t), fields, records));

    // First the ranks of every field a plain text key holds, each field
    // once however many tags hold it, and the other keys, which take
    // longest; then the plain text tags from the ranks of their fields.
    std::map<int, FieldRanks> ranked;
    std::vector<size_t> computed;
    for (size_t t = 0; t < plans.size(); ++t) {
        if (!plans[t].key)
            continue;
        if (!plans[t].plainText) {
            computed.push_back(t);
            continue;
        }
        for (int field : plans[t].fields) {
            FieldRanks &f = ranked[field];
            f.offset = offsets.at(field);
            f.length = fields.at(field).length;
        }
    }
    std::vector<FieldRanks *> toRank;
    for (auto &[field, ranks] : ranked)
        toRank.push_back(&ranks);
    const bool twoThreads = records.count >= 1000;
    shareWork(computed.size() + toRank.size(), twoThreads, [&](size_t i) {
        if (i < computed.size()) {
            const size_t t = computed[i];
            sortComputed(done[t], *plans[t].key, fields, offsets, codePage, records);
        } else {
            rankField(*toRank[i - computed.size()], records);
        }
    });
    std::vector<size_t> plain;
    for (size_t t = 0; t < plans.size(); ++t)
        if (plans[t].key && plans[t].plainText)
            plain.push_back(t);
    shareWork(plain.size(), twoThreads, [&](size_t i) {
        const TagPlan &plan = plans[plain[i]];
        std::vector<const FieldRanks *> parts;
        for (int field : plan.fields)
            parts.push_back(&ranked.at(field));
        sortPlainText(done[plain[i]], parts, records);
    });

    QList<MdxTag> out;
    out.reserve(qsizetype(done.size()));
    for (MdxTag &tag : done)
        out.append(std::move(tag));
    return out;
}

MdxTag tagContents(const IndexTag &tag, const QList<FieldDef> &fields, const QVector<int> &offsets,
                   const CodePage &codePage, const RecordBlock &records)
{
    MdxTag m = indexContents({tag}, fields, offsets, codePage, records).takeFirst();
    if (m.keyOfRecord) {
        m.keys.resize(qsizetype(m.size()) * m.keyLength);
        for (size_t i = 0; i < m.size(); ++i)
            m.copyKey(i, m.keys.data() + qsizetype(i) * m.keyLength);
        m.keyOfRecord = nullptr;
    }
    return m;
}

} // namespace dbase
