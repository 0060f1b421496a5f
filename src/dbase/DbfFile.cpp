#include "DbfFile.h"

#include "Messages.h"

#include <QDate>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace dbase {

namespace {

quint16 le16(const char *p) { return quint16(uchar(p[0]) | uchar(p[1]) << 8); }
quint32 le32(const char *p)
{
    return quint32(uchar(p[0])) | quint32(uchar(p[1])) << 8 | quint32(uchar(p[2])) << 16
           | quint32(uchar(p[3])) << 24;
}

bool isLevel7(quint8 version) { return version == 0x04 || version == 0x8C; }
bool isKnownVersion(quint8 version)
{
    return version == 0x03 || version == 0x83 || version == 0x8B || isLevel7(version);
}

// Fixed widths of the types that have one; 0 = any width.
int fixedWidth(char type)
{
    switch (type) {
    case 'D': return 8;
    case 'L': return 1;
    case 'M': return 10;
    case 'I': case '+': return 4;
    case 'O': case '@': return 8;
    default: return 0;
    }
}

bool knownType(char type, bool level7)
{
    switch (type) {
    case 'C': case 'N': case 'F': case 'D': case 'L': case 'M': return true;
    case 'I': case '+': case 'O': case '@': return level7;
    default: return false;
    }
}

QString damaged(const QString &why) { return QStringLiteral("soubor je poškozen (%1).").arg(why); }

} // namespace

bool DbfHeader::hasMemoField() const
{
    for (const FieldDef &f : fields)
        if (f.type == 'M')
            return true;
    return false;
}

DbfHeader parseHeader(const QByteArray &bytes, qint64 fileSize, const QString &table)
{
    DbfHeader h;
    if (bytes.size() < 32)
        throw tableError(table, damaged(QStringLiteral("chybí hlavička")));
    const char *p = bytes.constData();
    h.version = quint8(p[0]);
    if (!isKnownVersion(h.version))
        throw tableError(table, QStringLiteral("neznámá verze tabulky (0x%1).")
                                    .arg(h.version, 2, 16, QLatin1Char('0')));
    h.level7 = isLevel7(h.version);
    h.recordCount = le32(p + 4);
    h.headerLength = le16(p + 8);
    h.recordLength = le16(p + 10);
    h.productionIndex = p[28] != 0;
    h.driver = quint8(p[29]);

    const int descStart = h.level7 ? 68 : 32;
    const int descSize = h.level7 ? 48 : 32;
    if (h.headerLength < descStart + 1 || h.headerLength > fileSize || h.headerLength > bytes.size())
        throw tableError(table, damaged(QStringLiteral("chybná délka hlavičky")));
    if (h.recordLength < 2)
        throw tableError(table, damaged(QStringLiteral("chybná délka věty")));

    int pos = descStart;
    int used = 1; // deletion flag
    bool terminated = false;
    while (pos < h.headerLength) {
        if (p[pos] == 0x0D) {
            terminated = true;
            break;
        }
        if (pos + descSize > h.headerLength)
            break;
        const char *d = p + pos;
        FieldDef f;
        const int nameLen = h.level7 ? 32 : 11;
        int n = 0;
        while (n < nameLen && d[n] != 0)
            ++n;
        f.name = QString::fromLatin1(d, n).trimmed().toUpper();
        if (h.level7) {
            f.type = d[32];
            f.length = uchar(d[33]);
            f.decimals = uchar(d[34]);
        } else {
            f.type = d[11];
            f.length = uchar(d[16]);
            f.decimals = uchar(d[17]);
        }
        if (f.name.isEmpty())
            throw tableError(table, damaged(QStringLiteral("pole bez jména")));
        if (!knownType(f.type, h.level7))
            throw fieldError(table, f.name, QStringLiteral("neznámý typ pole „%1“.")
                                                .arg(QString::fromLatin1(&f.type, 1)));
        const int fixed = fixedWidth(f.type);
        if (f.length < 1 || (fixed && f.length != fixed) || f.decimals > f.length)
            throw fieldError(table, f.name, damaged(QStringLiteral("chybná délka pole")));
        h.offsets.append(used);
        used += f.length;
        h.fields.append(f);
        pos += descSize;
    }
    if (!terminated)
        throw tableError(table, damaged(QStringLiteral("chybí konec popisu polí")));
    if (h.fields.isEmpty())
        throw tableError(table, damaged(QStringLiteral("tabulka nemá žádné pole")));
    if (used > h.recordLength)
        throw tableError(table, damaged(QStringLiteral("pole přesahují délku věty")));
    const qint64 needed = qint64(h.headerLength) + qint64(h.recordCount) * h.recordLength;
    if (needed > fileSize)
        throw tableError(table, damaged(QStringLiteral("hlavička udává %1 vět, soubor jich neobsahuje tolik")
                                            .arg(h.recordCount))
                                    + repairHint());
    return h;
}

DbfFile::~DbfFile()
{
    close();
}

void DbfFile::open(const QString &path, const QString &table)
{
    close();
    m_table = table;
    const QByteArray native = QFile::encodeName(path);
    m_readOnly = false;
    int fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        m_readOnly = true;
    }
    if (fd < 0) {
        if (errno == ENOENT)
            throw tableError(table, QStringLiteral("soubor neexistuje."));
        throw tableError(table, QStringLiteral("soubor nelze otevřít (je uzamčen nebo nepřístupný)."));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw tableError(table, QStringLiteral("soubor nelze otevřít (je uzamčen nebo nepřístupný)."));
    }
    m_fd = fd;
    try {
        const qint64 fileSize = st.st_size;
        QByteArray head(qMin<qint64>(fileSize, 65535 + 1), Qt::Uninitialized);
        const ssize_t got = ::pread(fd, head.data(), size_t(head.size()), 0);
        if (got < 0)
            throw tableError(table, QStringLiteral("soubor nelze přečíst."));
        head.truncate(got);
        m_header = parseHeader(head, fileSize, table);
        const QDate today = QDate::currentDate();
        m_today[0] = char(today.year() - 1900);
        m_today[1] = char(today.month());
        m_today[2] = char(today.day());
        m_records.clear();
        const qint64 bytes = qint64(m_header.recordCount) * m_header.recordLength;
        if (!readRecords(m_header.headerLength, bytes))
            throw tableError(table, QStringLiteral("soubor nelze přečíst."));
    } catch (...) {
        close();
        throw;
    }
}

bool DbfFile::readRecords(qint64 offset, qint64 bytes)
{
    const size_t old = m_records.size();
    if (!m_records.resize(old + size_t(bytes)))
        throw tableError(m_table, QStringLiteral("na tabulku nestačí paměť."));
    qint64 done = 0;
    while (done < bytes) {
        const ssize_t r = ::pread(m_fd, m_records.data() + old + done, size_t(bytes - done), offset + done);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            m_records.resize(old);
            return false;
        }
        done += r;
    }
    return true;
}

quint32 DbfFile::countOnDisk() const
{
    char buf[4];
    if (::pread(m_fd, buf, 4, 4) != 4)
        return m_header.recordCount; // unreadable: nothing new to take
    return le32(buf);
}

void DbfFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_batch = false;
    m_tailCut = false;
    m_records.clear();
}

quint32 DbfFile::refresh()
{
    const quint32 before = m_header.recordCount;
    if (m_fd < 0 || m_batch) // a batch's records stand where another writer's would appear
        return before;
    const quint32 onDisk = countOnDisk();
    if (onDisk <= before)
        return before;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return before;
    const qint64 len = m_header.recordLength;
    if (qint64(m_header.headerLength) + qint64(onDisk) * len > st.st_size)
        return before; // the other writer has not finished; take what is complete later
    const qint64 extra = qint64(onDisk - before) * len;
    if (!readRecords(m_header.headerLength + qint64(before) * len, extra))
        return before;
    m_header.recordCount = onDisk;
    return before;
}

bool DbfFile::reload()
{
    if (m_fd < 0)
        return false;
    refresh();
    const size_t bytes = m_records.size();
    m_records.resize(0);
    if (!readRecords(m_header.headerLength, qint64(bytes))) {
        m_records.resize(bytes); // the bytes held before stay in place
        return false;
    }
    return true;
}

void DbfFile::requireWritable() const
{
    if (m_fd < 0)
        throw tableError(m_table, QStringLiteral("tabulka není otevřena."));
    if (m_readOnly)
        throw tableError(m_table, QStringLiteral("soubor je jen pro čtení, změnu nelze uložit."));
}

Error DbfFile::writeFailed() const
{
    if (errno == ENOSPC || errno == EFBIG || errno == EDQUOT)
        return tableError(m_table, QStringLiteral("zápis do souboru se nezdařil: na disku není místo "
                                                  "(nebo soubor překročil povolenou velikost)."));
    return tableError(m_table, QStringLiteral("zápis do souboru se nezdařil."));
}

Error DbfFile::anotherWriter() const
{
    return tableError(m_table, QStringLiteral("jiný program mezitím do tabulky zapsal; "
                                              "nové záznamy nebyly uloženy."));
}

void DbfFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t w = ::pwrite(m_fd, data + done, size_t(size - done), offset + done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            throw writeFailed();
        done += w;
    }
}

void DbfFile::writeRecord(quint32 index, const QByteArray &bytes)
{
    requireWritable();
    Q_ASSERT(bytes.size() == m_header.recordLength && index < m_header.recordCount);
    const qint64 offset = m_header.headerLength + qint64(index) * m_header.recordLength;
    writeAt(offset, bytes.constData(), bytes.size());
    memcpy(m_records.data() + qint64(index) * m_header.recordLength, bytes.constData(), bytes.size());
}

quint32 DbfFile::appendRecord(const QByteArray &bytes)
{
    requireWritable();
    Q_ASSERT(bytes.size() == m_header.recordLength);
    if (m_batch) {
        // No reader believes records past the count: they are gathered in
        // memory and reach the file in large writes, the last at the commit.
        const quint32 index = m_header.recordCount;
        if (!m_records.append(bytes.constData(), size_t(bytes.size())))
            throw tableError(m_table, QStringLiteral("na tabulku nestačí paměť."));
        m_header.recordCount = index + 1;
        if (qint64(m_header.recordCount - m_batchWritten) * m_header.recordLength >= BatchWriteBytes)
            writeBatchRecords();
        return index;
    }
    refresh(); // another table on the same file may have appended meanwhile
    if (!m_tailCut)
        cutTail();
    const quint32 index = m_header.recordCount;
    const qint64 offset = m_header.headerLength + qint64(index) * m_header.recordLength;
    // The record and the end-of-file mark first, then the count: the header
    // never claims a record whose bytes are not written.
    static const char endOfFile = 0x1A;
    iovec parts[2] = {{const_cast<char *>(bytes.constData()), size_t(bytes.size())},
                      {const_cast<char *>(&endOfFile), 1}};
    const ssize_t total = bytes.size() + 1;
    ssize_t written = ::pwritev(m_fd, parts, 2, offset);
    if (written < 0 && errno == EINTR)
        written = 0;
    if (written < 0)
        throw writeFailed();
    if (written < total) { // a short write: the rest byte by byte
        QByteArray rest = bytes + QByteArray(1, endOfFile);
        writeAt(offset + written, rest.constData() + written, total - written);
    }
    const quint32 count = index + 1;
    const char head[7] = {m_today[0], m_today[1], m_today[2], char(count & 0xFF), char((count >> 8) & 0xFF),
                          char((count >> 16) & 0xFF), char((count >> 24) & 0xFF)};
    writeAt(1, head, 7);
    if (!m_records.append(bytes.constData(), size_t(bytes.size())))
        throw tableError(m_table, QStringLiteral("na tabulku nestačí paměť."));
    m_header.recordCount = count;
    return index;
}

void DbfFile::writeBatchRecords()
{
    if (m_batchWritten >= m_header.recordCount)
        return;
    // Another writer's records at the count are never written over: the
    // batch fails instead, as its commit would.
    if (countOnDisk() != m_batchBase)
        throw anotherWriter();
    const qint64 len = m_header.recordLength;
    const qint64 offset = m_header.headerLength + qint64(m_batchWritten) * len;
    const char *from = m_records.data() + qint64(m_batchWritten) * len;
    const qint64 size = qint64(m_header.recordCount - m_batchWritten) * len;
    // The records, then the end-of-file mark after them.
    static const char endOfFile = 0x1A;
    writeAt(offset, from, size);
    writeAt(offset + size, &endOfFile, 1);
    m_batchWritten = m_header.recordCount;
    // The disk starts on them while the batch goes on; the commit's sync
    // then waits for less.
    ::sync_file_range(m_fd, offset, size, SYNC_FILE_RANGE_WRITE);
}

void DbfFile::writeDeletionFlag(quint32 index, char flag)
{
    requireWritable();
    const qint64 offset = m_header.headerLength + qint64(index) * m_header.recordLength;
    writeAt(offset, &flag, 1);
    m_records.data()[qint64(index) * m_header.recordLength] = flag;
}

void DbfFile::writeDate()
{
    if (m_fd < 0 || m_readOnly)
        return;
    writeAt(1, m_today, 3);
}

namespace {

// A byte far past any table's end, locked (open-file-description locks,
// between processes too) while a batch stands past the record count: a
// second batch waits its turn, and no writer cuts the batch's records.
constexpr off_t BatchLockByte = off_t(1) << 40;

bool lockBatch(int fd, short type)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = BatchLockByte;
    lock.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

} // namespace

qint64 DbfFile::cutTail()
{
    const qint64 end = m_header.headerLength + qint64(m_header.recordCount) * m_header.recordLength;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        throw tableError(m_table, QStringLiteral("soubor nelze přečíst."));
    m_tailCut = true;
    // Records past the count are what a batch cut short by a kill left:
    // they were never part of the table. The end-of-file mark stays. A
    // batch under way in another process keeps its records.
    if (st.st_size <= end + 1)
        return st.st_size;
    if (!m_batch && !lockBatch(m_fd, F_WRLCK))
        return st.st_size;
    const bool cut = ::ftruncate(m_fd, end + 1) == 0;
    if (!m_batch)
        lockBatch(m_fd, F_UNLCK);
    if (!cut)
        throw writeFailed();
    static const char endOfFile = 0x1A;
    writeAt(end, &endOfFile, 1);
    return end + 1;
}

void DbfFile::beginBatch(quint32 expected)
{
    requireWritable();
    if (m_batch)
        return;
    if (!lockBatch(m_fd, F_WRLCK))
        throw tableError(m_table, QStringLiteral("do tabulky právě zapisuje jiný import; zkuste to později."));
    try {
        refresh();
        const qint64 end = m_header.headerLength + qint64(m_header.recordCount) * m_header.recordLength;
        m_batch = true; // cutTail keeps the lock from here on
        m_batchFileSize = cutTail();
        m_batchTail = 0x1A;
        if (m_batchFileSize > end && ::pread(m_fd, &m_batchTail, 1, end) != 1)
            throw tableError(m_table, QStringLiteral("soubor nelze přečíst."));
        m_batchBase = m_header.recordCount;
        m_batchWritten = m_batchBase;
        if (expected > 0)
            m_records.reserve(m_records.size() + size_t(expected) * size_t(m_header.recordLength));
    } catch (...) {
        m_batch = false;
        lockBatch(m_fd, F_UNLCK);
        throw;
    }
}

void DbfFile::prepareCommit()
{
    if (!m_batch)
        return;
    writeBatchRecords();
    if (::fdatasync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        throw tableError(m_table, QStringLiteral("zápis do souboru se nezdařil."));
    if (countOnDisk() != m_batchBase)
        throw anotherWriter();
}

void DbfFile::commitBatch()
{
    if (!m_batch)
        return;
    prepareCommit();
    const quint32 count = m_header.recordCount;
    const char head[7] = {m_today[0], m_today[1], m_today[2], char(count & 0xFF), char((count >> 8) & 0xFF),
                          char((count >> 16) & 0xFF), char((count >> 24) & 0xFF)};
    writeAt(1, head, 7);
    m_batch = false;
    lockBatch(m_fd, F_UNLCK);
}

void DbfFile::abortBatch()
{
    if (!m_batch)
        return;
    m_batch = false;
    struct Unlock
    {
        int fd;
        ~Unlock() { lockBatch(fd, F_UNLCK); } // after the cut: no other batch starts before it
    } unlock{m_fd};
    m_header.recordCount = m_batchBase;
    m_records.resize(size_t(m_batchBase) * size_t(m_header.recordLength));
    // Cut only while no other writer has moved the count; otherwise the
    // bytes past its count are theirs to cut.
    if (countOnDisk() != m_batchBase)
        return;
    const qint64 end = m_header.headerLength + qint64(m_batchBase) * m_header.recordLength;
    if (::ftruncate(m_fd, m_batchFileSize) != 0)
        throw tableError(m_table, QStringLiteral("zápis do souboru se nezdařil."));
    if (m_batchFileSize > end)
        writeAt(end, &m_batchTail, 1);
}

} // namespace dbase
