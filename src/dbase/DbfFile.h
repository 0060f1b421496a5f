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

private:
    void writeAt(qint64 offset, const char *data, qint64 size);
    quint32 countOnDisk() const; // the header's record count as the file holds it now
    bool readRecords(qint64 offset, qint64 bytes); // appends to m_records
    void requireWritable() const;

    QString m_table;
    int m_fd = -1;
    bool m_readOnly = false;
    DbfHeader m_header;
    RecordStore m_records;
    char m_today[3] = {0, 1, 1}; // the date of last update written with each change
};

} // namespace dbase
