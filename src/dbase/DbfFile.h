#pragma once

// The .dbf file of an open table: its header and field descriptors, every
// record held in memory, and the writes that put a record on disk.

#include "DbfTypes.h"
#include "RecordStore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

namespace dbase {

// What the header and the field descriptors say.
struct DbfHeader
{
    quint8 version = 0;
    bool level7 = false;        // 48-byte field descriptors
    bool productionIndex = false;
    quint8 driver = 0;
    int headerLength = 0;
    int recordLength = 0;
    quint32 recordCount = 0;
    QList<FieldDef> fields;
    QVector<int> offsets;       // of each field within a record (after the deletion flag)

    bool hasMemoField() const;
};

// Reads the header from its bytes (at least the whole header; more is fine);
// fileSize checks the record count. Throws Error naming table when damaged.
DbfHeader parseHeader(const QByteArray &bytes, qint64 fileSize, const QString &table);

class DbfFile
{
public:
    DbfFile() = default;
    ~DbfFile();
    DbfFile(const DbfFile &) = delete;
    DbfFile &operator=(const DbfFile &) = delete;

    // Opens read-write (read-only when writing is not permitted) and reads
    // the whole table. Throws Error: missing, unreadable or damaged.
    void open(const QString &path, const QString &table);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    bool readOnly() const { return m_readOnly; }

    const DbfHeader &header() const { return m_header; }
    quint32 count() const { return m_header.recordCount; }
    const char *record(quint32 index) const
    {
        return m_records.data() + qsizetype(index) * m_header.recordLength;
    }

    // Re-reads the record count on disk and loads records that another
    // writer appended. Returns the count held before.
    quint32 refresh();
    // Reads every record again as it is on disk now (another table on the
    // same file may have changed some). Returns false when it cannot.
    bool reload();

    // Each write reaches the file before it returns.
    void writeRecord(quint32 index, const QByteArray &bytes);
    quint32 appendRecord(const QByteArray &bytes); // returns the new record's index
    void writeDeletionFlag(quint32 index, char flag);
    void writeDate(); // the header's date of last update: today

    // A batch of appends that other readers see all at once: the records go
    // after the header's record count, which commitBatch alone moves. What
    // lies past the count on disk (a batch cut short by a kill) is cut first.
    // Memory for expected records is made ready meanwhile.
    void beginBatch(quint32 expected = 0);
    bool inBatch() const { return m_batch; }
    quint32 batchBase() const { return m_batchBase; } // the record count before the batch
    // Makes the batch's records reach the disk and checks that no other
    // writer has moved the count meanwhile; throws Error otherwise.
    void prepareCommit();
    void commitBatch(); // writes the new count and the date
    // Drops the batch's records from memory and cuts them off the file again.
    void abortBatch();

private:
    void writeAt(qint64 offset, const char *data, qint64 size);
    quint32 countOnDisk() const; // the header's record count as the file holds it now
    bool readRecords(qint64 offset, qint64 bytes); // appends to m_records
    void requireWritable() const;
    qint64 cutTail(); // returns the file's size after
    Error writeFailed() const; // the error of a refused write, by errno
    Error anotherWriter() const; // a batch's count moved by another writer
    void writeBatchRecords();  // the batch's records held only in memory, to the file

    static constexpr qint64 BatchWriteBytes = qint64(1) << 20;

    QString m_table;
    int m_fd = -1;
    bool m_readOnly = false;
    DbfHeader m_header;
    RecordStore m_records;
    char m_today[3] = {0, 1, 1}; // the date of last update written with each change
    bool m_tailCut = false; // what lay past the count has been cut since open
    bool m_batch = false;
    quint32 m_batchBase = 0;
    quint32 m_batchWritten = 0;  // the batch's records up to this one are in the file
    qint64 m_batchFileSize = 0; // the file's size when the batch began
    char m_batchTail = 0x1A;     // and its byte after the last record
};

} // namespace dbase
