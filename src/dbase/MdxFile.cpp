#include "MdxFile.h"

#include "Messages.h"
#include "RecordStore.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
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

// The bytes of one tag of a new index file while it is laid out: megabytes
// for a large table, held in large pages where the system allows rather
// than faulted in page by page. Grows with zeros.
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
    void clear() { m_store.resize(0); } // keeps the memory for the next use
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

// Lays out the B-tree of one tag from its first page on; returns the root
// page. The buffer holds the file from page base on.
struct TreeWriter
{
    PageBuffer &file;
    int keyLength;
    int item;
    quint32 base;

    quint32 nextPage() const { return base + quint32(file.size() / PageSize); }

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
            const qsizetype offset = appendBlock(); // may move the buffer
            char *block = file.data() + offset;
            const int n = int(qMin<size_t>(size_t(leafCapacity), tag.size() - i));
            store32(block, quint32(n));
            for (int k = 0; k < n; ++k) {
                char *at = block + 8 + qsizetype(k) * item;
                store32(at, tag.records[i + size_t(k)]);
                tag.copyKey(i + size_t(k), at + 4);
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
                const qsizetype offset = appendBlock(); // may move the buffer
                char *block = file.data() + offset;
                store32(block, quint32(take - 1));
                for (size_t k = 0; k < take; ++k) {
                    char *at = block + 8 + qsizetype(k) * item;
                    store32(at, level[c + k].page);
                    if (k + 1 < take && level[c + k].lastKey >= 0)
                        tag.copyKey(size_t(level[c + k].lastKey), at + 4);
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
    // The file header and the tag table stay in memory until every tag is
    // written; each tag (its header block, then its tree) is laid out in one
    // buffer used again for the next, and goes to the file at once.
    const QDate today = QDate::currentDate();
    PageBuffer head;
    head.resize(HeaderPages * PageSize);
    head[0] = 2; // dBASE IV
    head[1] = char(today.year() - 1900);
    head[2] = char(today.month());
    head[3] = char(today.day());
    const QByteArray base = dbfBaseName.toLatin1().left(16);
    memcpy(head.data() + 4, base.constData(), size_t(base.size()));
    put16(head, 20, PagesPerBlock);
    put16(head, 22, BlockSize);
    head[24] = 1;    // production index
    head[25] = 0x30; // entries of the tag table
    head[26] = TagEntrySize;
    put16(head, 28, quint16(tags.size()));
    head[44] = head[1];
    head[45] = head[2];
    head[46] = head[3];
    memcpy(head.data() + NoteOffset, NoteMagic, sizeof NoteMagic);
    put32(head, NoteCountOffset, recordCount);
    head[NoteChangingOffset] = 0;

    // Unbuffered: a write refused by a full disk is seen here, not lost in
    // the flush at commit, which would put a cut index in place.
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    errno = 0;
    auto fail = [&]() {
        const bool full = errno == ENOSPC || errno == EFBIG || errno == EDQUOT;
        return tableError(table, QStringLiteral("indexový soubor %1 nelze zapsat%2.")
                                     .arg(QFileInfo(path).fileName(),
                                          full ? QStringLiteral(": na disku není místo") : QString()));
    };
    // The header's place first; its bytes are written when they are known.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(head.constData(), head.size()) != head.size())
        throw fail();

    quint32 pages = HeaderPages;
    PageBuffer part;
    for (int t = 0; t < tags.size(); ++t) {
        const MdxTag &tag = tags.at(t);
        const quint32 headerPage = pages;
        part.clear();
        part.reserve(BlockSize * (3 + qsizetype(tag.size()) / ((BlockSize - 12) / itemLength(tag.keyLength)) * 2));
        part.resize(BlockSize);
        const int item = itemLength(tag.keyLength);
        TreeWriter writer{part, tag.keyLength, item, headerPage};
        const quint32 root = writer.write(tag);
        const quint32 tagPages = quint32(part.size() / PageSize);

        put32(part, 0, root);
        put32(part, 4, tagPages);
        part[8] = char(tag.fieldKey ? 0x10 : 0x00);
        part[9] = tag.keyType;
        put16(part, 12, quint16(tag.keyLength));
        put16(part, 14, quint16((BlockSize - 12) / item));
        put16(part, 16, 0);
        put16(part, 18, quint16(item));
        const QByteArray expr = tag.tag.expression.toLatin1().left(ExpressionSize - 1);
        memcpy(part.data() + ExpressionOffset, expr.constData(), size_t(expr.size()));
        if (out.write(part.constData(), part.size()) != part.size())
            throw fail();
        // The disk starts on the tag while the next one is laid out; the
        // commit's sync then waits for less.
        ::sync_file_range(int(out.handle()), qint64(headerPage) * PageSize, part.size(), SYNC_FILE_RANGE_WRITE);
        pages += tagPages;

        // Tag table entry; the threads link the tags as a list sorted by name.
        const qsizetype e = TagTableOffset + qsizetype(t) * TagEntrySize;
        put32(head, e, headerPage);
        const QByteArray name = tag.tag.name.toUpper().toLatin1().left(10);
        memcpy(head.data() + e + 4, name.constData(), size_t(name.size()));
        head[e + 15] = char(tag.fieldKey ? 0x10 : 0x00);
        head[e + 19] = 0x02;
        head[e + 20] = tag.keyType;
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
            head[e + 16] = char(left[size_t(t)]);
            head[e + 17] = char(right[size_t(t)]);
            head[e + 18] = char(parent[size_t(t)]);
        }
    }
    put32(head, 32, pages);
    put32(head, 36, pages);
    if (!out.seek(0) || out.write(head.constData(), head.size()) != head.size() || !out.commit())
        throw fail();
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
