#pragma once

// The .dbt memo file beside a table: a 512-byte header with the next free
// block and the block size, then the texts, each in whole blocks.

#include <QByteArray>
#include <QString>

namespace dbase {

class MemoFile
{
public:
    // Writes an empty dBASE IV memo file (next free block 1, blocks of 512).
    static void create(const QString &path);

    // Checks the header; throws Error naming the table when damaged.
    void open(const QString &path, const QString &table);
    void close()
    {
        m_path.clear();
        m_batch = false;
    }
    bool isOpen() const { return !m_path.isEmpty(); }

    // The text bytes of a memo starting at block; throws Error when the
    // block lies outside the file.
    QByteArray read(quint32 block) const;
    // Appends a memo in the dBASE IV form and returns its first block.
    quint32 append(const QByteArray &text);

    // Texts appended in a batch are reachable only through records that the
    // batch's commit makes part of the table; a dropped batch cuts them off
    // the file again, unless another writer has appended after them.
    void beginBatch();
    void syncBatch(); // they reach the disk; throws Error
    void abortBatch();
    void endBatch() { m_batch = false; }

private:
    QString m_path;
    bool m_batch = false;
    qint64 m_batchSize = 0;  // the file's size when the batch began
    qint64 m_batchEnd = 0;   // and after the batch's last text
    QByteArray m_batchHead;  // the next free block when the batch began
    QString m_table;
    quint32 m_blockSize = 512;
};

} // namespace dbase
