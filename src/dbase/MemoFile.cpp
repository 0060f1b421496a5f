#include "MemoFile.h"

#include "Messages.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace dbase {

namespace {

constexpr int HeaderSize = 512;

quint32 le32(const char *p)
{
    return quint32(uchar(p[0])) | quint32(uchar(p[1])) << 8 | quint32(uchar(p[2])) << 16
           | quint32(uchar(p[3])) << 24;
}

void putLe32(char *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

QByteArray header(const QString &path, quint32 nextFree)
{
    QByteArray h(HeaderSize, '\0');
    putLe32(h.data(), nextFree);
    // The file's base name (8 characters) as dBASE IV writes it.
    const QByteArray base = QFileInfo(path).completeBaseName().toLatin1().left(8);
    memcpy(h.data() + 8, base.constData(), size_t(base.size()));
    h[18] = 0x02; // dBASE IV memo
    h[19] = 0x01;
    h[20] = char(512 & 0xFF);
    h[21] = char(512 >> 8);
    return h;
}

} // namespace

void MemoFile::create(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(QStringLiteral("Soubor %1 nelze vytvořit.").arg(QFileInfo(path).fileName()));
    const QByteArray h = header(path, 1);
    if (f.write(h) != h.size())
        throw Error(QStringLiteral("Soubor %1 nelze zapsat.").arg(QFileInfo(path).fileName()));
}

void MemoFile::open(const QString &path, const QString &table)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw tableError(table, QStringLiteral("soubor poznámek %1 chybí nebo je nepřístupný.")
                                    .arg(QFileInfo(path).fileName()));
    const QByteArray h = f.read(HeaderSize);
    if (h.size() < 24)
        throw tableError(table, QStringLiteral("soubor poznámek %1 je poškozen.")
                                    .arg(QFileInfo(path).fileName()) + repairHint());
    const quint32 size = quint32(uchar(h[20])) | quint32(uchar(h[21])) << 8;
    // dBASE III files leave the size 0: their blocks are 512 bytes.
    m_blockSize = (size >= 64 && size % 64 == 0) ? size : 512;
    m_path = path;
    m_table = table;
}

QByteArray MemoFile::read(quint32 block) const
{
    QFile f(m_path);
    if (block == 0 || !f.open(QIODevice::ReadOnly))
        return {};
    const qint64 offset = qint64(block) * m_blockSize;
    if (offset >= f.size() || !f.seek(offset))
        throw tableError(m_table, QStringLiteral("soubor poznámek je poškozen (blok %1 chybí).").arg(block));
    const QByteArray head = f.read(8);
    if (head.size() == 8 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xFF) {
        // dBASE IV: a length that counts the 8 bytes of this head.
        const quint32 len = le32(head.constData() + 4);
        if (len < 8 || offset + len > f.size())
            throw tableError(m_table, QStringLiteral("soubor poznámek je poškozen (blok %1).").arg(block));
        return f.read(len - 8);
    }
    // dBASE III: the text ends with 0x1A.
    f.seek(offset);
    QByteArray out;
    while (!f.atEnd() && out.size() < (1 << 24)) {
        const QByteArray chunk = f.read(512);
        const qsizetype end = chunk.indexOf(char(0x1A));
        if (end >= 0) {
            out += chunk.left(end);
            break;
        }
        out += chunk;
    }
    return out;
}

quint32 MemoFile::append(const QByteArray &text)
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadWrite))
        throw tableError(m_table, QStringLiteral("soubor poznámek nelze zapsat."));
    // New texts go after the last block: the header's next free block is
    // only trusted where it agrees, so a damaged header cannot send the write
    // far beyond the end of the file or over texts of other records.
    const quint64 endBlock = quint64((f.size() + m_blockSize - 1) / m_blockSize);
    if (endBlock >= 0xFFFFFFF0u)
        throw tableError(m_table, QStringLiteral("soubor poznámek je plný."));
    const quint32 next = quint32(qMax<quint64>(1, endBlock));
    QByteArray body(8, '\0');
    body[0] = char(0xFF);
    body[1] = char(0xFF);
    body[2] = 0x08;
    putLe32(body.data() + 4, quint32(text.size() + 8));
    body += text;
    const quint32 blocks = quint32((body.size() + m_blockSize - 1) / m_blockSize);
    body.append(QByteArray(qsizetype(blocks) * m_blockSize - body.size(), '\0'));
    // The text first, then the header's next free block.
    if (!f.seek(qint64(next) * m_blockSize) || f.write(body) != body.size())
        throw tableError(m_table, QStringLiteral("soubor poznámek nelze zapsat."));
    char nb[4];
    putLe32(nb, next + blocks);
    if (!f.seek(0) || f.write(nb, 4) != 4 || !f.flush())
        throw tableError(m_table, QStringLiteral("soubor poznámek nelze zapsat."));
    if (m_batch)
        m_batchEnd = qint64(next + blocks) * m_blockSize;
    return next;
}

void MemoFile::beginBatch()
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        throw tableError(m_table, QStringLiteral("soubor poznámek nelze přečíst."));
    m_batchSize = m_batchEnd = f.size();
    m_batchHead = f.read(4);
    m_batch = true;
}

void MemoFile::syncBatch()
{
    if (!m_batch || m_batchEnd == m_batchSize)
        return;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && (::fdatasync(fd) == 0 || errno == EINVAL);
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        throw tableError(m_table, QStringLiteral("soubor poznámek nelze zapsat."));
}

void MemoFile::abortBatch()
{
    if (!m_batch)
        return;
    m_batch = false;
    QFile f(m_path);
    if (m_batchEnd == m_batchSize || !f.open(QIODevice::ReadWrite) || f.size() != m_batchEnd)
        return; // nothing appended, or another writer's texts follow
    if (f.resize(m_batchSize) && m_batchHead.size() == 4 && f.seek(0))
        f.write(m_batchHead);
}

} // namespace dbase
