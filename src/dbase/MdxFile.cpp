#include "MdxFile.h"

#include "Messages.h"
#include "RecordStore.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <new>
#include <set>

namespace dbase {

namespace {

constexpr int PageSize = 512;
constexpr int PagesPerBlock = 2;
constexpr int BlockSize = PageSize * PagesPerBlock;
constexpr int TagTableOffset = 544;
constexpr int TagEntrySize = 32;
constexpr int MaxTags = 47;            // entries that fit before the first block
constexpr int HeaderPages = 4;         // file header and tag table
constexpr int ExpressionOffset = 24;   // in a tag header
constexpr int ExpressionSize = 220;
// The engine's note in the unused part of the file header.
constexpr int NoteOffset = 48;
constexpr char NoteMagic[4] = {'O', 'X', 'N', '1'};
constexpr int NoteCountOffset = NoteOffset + 4;
constexpr int NoteChangingOffset = NoteOffset + 8;

quint16 le16(const char *p) { return quint16(uchar(p[0]) | uchar(p[1]) << 8); }
quint32 le32(const char *p)
{
    return quint32(uchar(p[0])) | quint32(uchar(p[1])) << 8 | quint32(uchar(p[2])) << 16
           | quint32(uchar(p[3])) << 24;
}
template <typename Bytes>
void put16(Bytes &b, qsizetype at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}
void store32(char *p, quint32 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char((v >> 8) & 0xFF);
    p[2] = char((v >> 16) & 0xFF);
    p[3] = char(v >> 24);
}
template <typename Bytes>
void put32(Bytes &b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

QString cString(const char *p, int max)
{
    int n = 0;
    while (n < max && p[n] != 0)
        ++n;
    return QString::fromLatin1(p, n).trimmed();
}

int itemLength(int keyLength) { return (keyLength + 4 + 3) / 4 * 4; }

Error damaged(const QString &table)
{
    return tableError(table, QStringLiteral("indexový soubor (.mdx) je poškozen.") + repairHint());
}

} // namespace

namespace {

// Reads the tag table and the tag headers through read(offset, size), which
// returns fewer bytes than asked where the file ends.
template <typename Read>
QList<IndexTag> parseTags(Read read, const QString &table)
{
    const QByteArray head = read(0, TagTableOffset);
    if (head.size() < TagTableOffset)
        throw damaged(table);
    const int entryLength = uchar(head[26]);
    const int inUse = le16(head.constData() + 28);
    if (entryLength < 21 || inUse > 256)
        throw damaged(table);
    const QByteArray entries = read(TagTableOffset, qint64(inUse) * entryLength);
    if (entries.size() < qint64(inUse) * entryLength)
        throw damaged(table);
    QList<IndexTag> tags;
    for (int i = 0; i < inUse; ++i) {
        const char *entry = entries.constData() + qsizetype(i) * entryLength;
        const quint32 headerPage = le32(entry);
        IndexTag tag;
        tag.name = cString(entry + 4, 11).toUpper();
        if (tag.name.isEmpty() || headerPage < 1)
            throw damaged(table);
        const QByteArray expression = read(qint64(headerPage) * PageSize + ExpressionOffset, ExpressionSize);
        if (expression.size() < ExpressionSize)
            throw damaged(table);
        tag.expression = cString(expression.constData(), ExpressionSize);
        if (tag.expression.isEmpty())
            throw damaged(table);
        tags.append(tag);
    }
    return tags;
}

} // namespace

QList<IndexTag> parseMdxTags(const QByteArray &bytes, const QString &table)
{
    return parseTags([&bytes](qint64 offset, qint64 size) {
        if (offset >= bytes.size())
            return QByteArray();
        return bytes.mid(offset, qMin<qint64>(size, bytes.size() - offset));
    }, table);
}

QList<IndexTag> readMdxTags(const QString &path, const QString &table)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw tableError(table, QStringLiteral("indexový soubor %1 chybí nebo je nepřístupný.")
                                    .arg(QFileInfo(path).fileName()));
    // Only the tag table and the tag headers are read, not the trees between them.
    return parseTags([&f](qint64 offset, qint64 size) {
        if (!f.seek(offset))
            return QByteArray();
        return f.read(size);
    }, table);
}

namespace {

// The bytes of a new index file while it is laid out: tens of megabytes for
// a large table, held in large pages where the system allows rather than
// faulted in page by page. Grows with zeros.
class PageBuffer
{
public:
    qsizetype size() const { return qsizetype(m_store.size()); }
    char *data() { return m_store.data(); }
    const char *constData() const { return m_store.data(); }
    char &operator[](qsizetype i) { return m_store.data()[i]; }
    void reserve(qsizetype n)
    {
        const size_t old = m_store.size();
        if (size_t(n) > old && m_store.resize(size_t(n)))
            m_store.resize(old);
    }
    void resize(qsizetype n)
    {
        const size_t old = m_store.size();
        if (!m_store.resize(size_t(n)))
            throw std::bad_alloc();
        if (size_t(n) > old)
            std::memset(m_store.data() + old, 0, size_t(n) - old);
    }

private:
    RecordStore m_store;
};

// Lays out the B-tree of one tag from its first page on; returns the root page.
struct TreeWriter
{
    PageBuffer &file;
    int keyLength;
    int item;

    quint32 nextPage() const { return quint32(file.size() / PageSize); }

    // A new zeroed block at the end of the file; returns its offset.
    qsizetype appendBlock()
    {
        const qsizetype at = file.size();
        file.resize(at + BlockSize);
        return at;
    }

    quint32 write(const MdxTag &tag)
    {
        const int leafCapacity = (BlockSize - 8) / item;
        const int nodeCapacity = (BlockSize - 12) / item; // keeps room for the last pointer
        struct Child
        {
            quint32 page;
            qsizetype lastKey; // index of the key in tag, -1 for none
        };
        std::vector<Child> level;
        // Leaves: keys with record numbers.
        size_t i = 0;
        do {
            const quint32 page = nextPage();
            char *block = file.data() + appendBlock();
            const int n = int(qMin<size_t>(size_t(leafCapacity), tag.size() - i));
            store32(block, quint32(n));
            const char *keys = tag.keyData(i);
            for (int k = 0; k < n; ++k) {
                char *at = block + 8 + qsizetype(k) * item;
                store32(at, tag.records[i + size_t(k)]);
                std::memcpy(at + 4, keys + qsizetype(k) * keyLength, size_t(keyLength));
            }
            level.push_back({page, n ? qsizetype(i) + n - 1 : -1});
            i += size_t(n);
        } while (i < tag.size());
        // Inner levels: each entry points to a child and holds its last key;
        // the last child is the pointer after the keys.
        while (level.size() > 1) {
            std::vector<Child> upper;
            size_t c = 0;
            while (c < level.size()) {
                const size_t take = qMin<size_t>(size_t(nodeCapacity) + 1, level.size() - c);
                const quint32 page = nextPage();
                char *block = file.data() + appendBlock();
                store32(block, quint32(take - 1));
                for (size_t k = 0; k < take; ++k) {
                    char *at = block + 8 + qsizetype(k) * item;
                    store32(at, level[c + k].page);
                    if (k + 1 < take && level[c + k].lastKey >= 0)
                        std::memcpy(at + 4, tag.keyData(size_t(level[c + k].lastKey)), size_t(keyLength));
                }
                upper.push_back({page, level[c + take - 1].lastKey});
                c += take;
            }
            level.swap(upper);
        }
        return level.front().page;
    }
};

} // namespace

void writeMdx(const QString &path, const QString &dbfBaseName, const QList<MdxTag> &tags,
              const QString &table, quint32 recordCount)
{
    if (tags.size() > MaxTags)
        throw tableError(table, QStringLiteral("index smí mít nejvýše %1 značek.").arg(MaxTags));
    const QDate today = QDate::currentDate();
    qsizetype estimate = HeaderPages * PageSize;
    for (const MdxTag &tag : tags) {
        const qsizetype perBlock = (BlockSize - 12) / itemLength(tag.keyLength);
        estimate += BlockSize * (3 + qsizetype(tag.size()) / perBlock * 2);
    }
    PageBuffer file;
    file.reserve(estimate);
    file.resize(HeaderPages * PageSize);
    file[0] = 2; // dBASE IV
    file[1] = char(today.year() - 1900);
    file[2] = char(today.month());
    file[3] = char(today.day());
    const QByteArray base = dbfBaseName.toLatin1().left(16);
    memcpy(file.data() + 4, base.constData(), size_t(base.size()));
    put16(file, 20, PagesPerBlock);
    put16(file, 22, BlockSize);
    file[24] = 1;    // production index
    file[25] = 0x30; // entries of the tag table
    file[26] = TagEntrySize;
    put16(file, 28, quint16(tags.size()));
    file[44] = file[1];
    file[45] = file[2];
    file[46] = file[3];
    memcpy(file.data() + NoteOffset, NoteMagic, sizeof NoteMagic);
    put32(file, NoteCountOffset, recordCount);
    file[NoteChangingOffset] = 0;

    for (int t = 0; t < tags.size(); ++t) {
        const MdxTag &tag = tags.at(t);
        const quint32 headerPage = quint32(file.size() / PageSize);
        file.resize(file.size() + BlockSize);
        const int item = itemLength(tag.keyLength);
        TreeWriter writer{file, tag.keyLength, item};
        const quint32 root = writer.write(tag);

        const qsizetype h = qsizetype(headerPage) * PageSize;
        put32(file, h + 0, root);
        put32(file, h + 4, quint32(file.size() / PageSize) - headerPage);
        file[h + 8] = char(tag.fieldKey ? 0x10 : 0x00);
        file[h + 9] = tag.keyType;
        put16(file, h + 12, quint16(tag.keyLength));
        put16(file, h + 14, quint16((BlockSize - 12) / item));
        put16(file, h + 16, 0);
        put16(file, h + 18, quint16(item));
        const QByteArray expr = tag.tag.expression.toLatin1().left(ExpressionSize - 1);
        memcpy(file.data() + h + ExpressionOffset, expr.constData(), size_t(expr.size()));

        // Tag table entry; the threads link the tags as a list sorted by name.
        const qsizetype e = TagTableOffset + qsizetype(t) * TagEntrySize;
        put32(file, e, headerPage);
        const QByteArray name = tag.tag.name.toUpper().toLatin1().left(10);
        memcpy(file.data() + e + 4, name.constData(), size_t(name.size()));
        file[e + 15] = char(tag.fieldKey ? 0x10 : 0x00);
        file[e + 19] = 0x02;
        file[e + 20] = tag.keyType;
    }
    // Threads of the tag table: a binary tree of the names.
    {
        std::vector<int> left(size_t(tags.size()), 0), right(size_t(tags.size()), 0), parent(size_t(tags.size()), 0);
        for (int t = 1; t < tags.size(); ++t) {
            int node = 0;
            const QString name = tags.at(t).tag.name.toUpper();
            while (true) {
                const bool goLeft = name < tags.at(node).tag.name.toUpper();
                int &next = goLeft ? left[size_t(node)] : right[size_t(node)];
                if (next == 0) {
                    next = t + 1;
                    parent[size_t(t)] = node + 1;
                    break;
                }
                node = next - 1;
            }
        }
        for (int t = 0; t < tags.size(); ++t) {
            const qsizetype e = TagTableOffset + qsizetype(t) * TagEntrySize;
            file[e + 16] = char(left[size_t(t)]);
            file[e + 17] = char(right[size_t(t)]);
            file[e + 18] = char(parent[size_t(t)]);
        }
    }
    const quint32 pages = quint32(file.size() / PageSize);
    put32(file, 32, pages);
    put32(file, 36, pages);

    // Unbuffered: a write refused by a full disk is seen here, not lost in
    // the flush at commit, which would put a cut index in place.
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(file.constData(), file.size()) != file.size() || !out.commit()) {
        const bool full = errno == ENOSPC || errno == EFBIG || errno == EDQUOT;
        throw tableError(table, QStringLiteral("indexový soubor %1 nelze zapsat%2.")
                                    .arg(QFileInfo(path).fileName(),
                                         full ? QStringLiteral(": na disku není místo") : QString()));
    }
}

IndexNote readIndexNote(const QString &path)
{
    IndexNote note;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return note;
    const QByteArray head = f.read(NoteChangingOffset + 1);
    if (head.size() < NoteChangingOffset + 1 || memcmp(head.constData() + NoteOffset, NoteMagic, sizeof NoteMagic) != 0)
        return note;
    note.present = true;
    note.recordCount = le32(head.constData() + NoteCountOffset);
    note.changing = head[NoteChangingOffset] != 0;
    return note;
}

bool markIndexChanging(int fd)
{
    const char one = 1;
    return ::pwrite(fd, &one, 1, NoteChangingOffset) == 1;
}

namespace {

// Walks a tag's tree: an inner block holds n keys and n + 1 child pointers,
// a leaf n keys with record numbers and nothing (zero) after them.
class TreeReader
{
public:
    TreeReader(const QByteArray &file, int keyLength, int item, MdxTag &out)
        : m_file(file), m_keyLength(keyLength), m_item(item), m_out(out)
    {
    }

    // Returns the reason (Czech) when the tree is damaged.
    QString walk(quint32 page, int depth)
    {
        if (depth > 32)
            return QStringLiteral("strom je příliš hluboký");
        const qint64 at = qint64(page) * PageSize;
        if (page < HeaderPages || at + BlockSize > m_file.size())
            return QStringLiteral("blok %1 leží mimo soubor").arg(page);
        if (!m_visited.insert(page).second)
            return QStringLiteral("na blok %1 vede více odkazů").arg(page);
        const char *b = m_file.constData() + at;
        const quint32 n = le32(b);
        if (n > quint32((BlockSize - 8) / m_item))
            return QStringLiteral("blok %1 udává %2 klíčů, vejde se jich méně").arg(page).arg(n);
        const qint64 last = 8 + qint64(n) * m_item;
        const bool inner = last + 4 <= BlockSize && le32(b + last) != 0;
        if (inner) {
            for (quint32 k = 0; k <= n; ++k) {
                const QString why = walk(le32(b + 8 + qint64(k) * m_item), depth + 1);
                if (!why.isEmpty())
                    return why;
            }
            return {};
        }
        for (quint32 k = 0; k < n; ++k) {
            const char *e = b + 8 + qint64(k) * m_item;
            m_out.records.push_back(le32(e));
            m_out.keys.append(e + 4, m_keyLength);
        }
        return {};
    }

private:
    const QByteArray &m_file;
    int m_keyLength;
    int m_item;
    MdxTag &m_out;
    std::set<quint32> m_visited;
};

} // namespace

bool readMdxTag(const QByteArray &mdx, const QString &tagName, MdxTag &out, QString *why)
{
    out = MdxTag();
    auto fail = [&](const QString &reason) {
        out = MdxTag();
        if (why)
            *why = reason;
        return false;
    };
    if (mdx.size() < TagTableOffset)
        return fail(QStringLiteral("indexový soubor je kratší než jeho hlavička"));
    const int entryLength = uchar(mdx[26]);
    const int inUse = le16(mdx.constData() + 28);
    if (entryLength < 21)
        return fail(QStringLiteral("tabulka značek indexu je poškozena"));
    for (int i = 0; i < inUse; ++i) {
        const qsizetype at = TagTableOffset + qsizetype(i) * entryLength;
        if (at + entryLength > mdx.size())
            return fail(QStringLiteral("tabulka značek indexu je poškozena"));
        if (cString(mdx.constData() + at + 4, 11).compare(tagName, Qt::CaseInsensitive) != 0)
            continue;
        const qint64 h = qint64(le32(mdx.constData() + at)) * PageSize;
        if (h < TagTableOffset || h + BlockSize > mdx.size())
            return fail(QStringLiteral("hlavička značky leží mimo soubor"));
        const char *header = mdx.constData() + h;
        out.tag = IndexTag{tagName.toUpper(), cString(header + ExpressionOffset, ExpressionSize)};
        out.keyType = header[9];
        out.keyLength = le16(header + 12);
        out.fieldKey = (uchar(header[8]) & 0x10) != 0;
        const int item = le16(header + 18);
        if (out.keyLength < 1 || item < out.keyLength + 4 || item > BlockSize - 8)
            return fail(QStringLiteral("hlavička značky udává chybnou délku klíče"));
        TreeReader reader(mdx, out.keyLength, item, out);
        const QString damage = reader.walk(le32(header), 0);
        if (!damage.isEmpty())
            return fail(damage);
        return true;
    }
    return fail(QStringLiteral("značka v indexu není"));
}

std::vector<std::pair<QByteArray, quint32>> readMdxKeys(const QString &path, const QString &tagName,
                                                        quint32 count)
{
    std::vector<std::pair<QByteArray, quint32>> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    MdxTag tag;
    if (!readMdxTag(f.readAll(), tagName, tag, nullptr))
        return out;
    for (size_t i = 0; i < tag.size() && out.size() < count; ++i)
        out.emplace_back(tag.key(i), tag.records[i]);
    return out;
}

} // namespace dbase
