#pragma once

// The production index (.mdx) in the dBASE IV layout: a 544-byte file
// header, a table of 32-byte tag entries at offset 544, for each tag a tag
// header with its key expression and a B-tree of 1024-byte blocks.

#include "DbfTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace dbase {

struct MdxTag
{
    IndexTag tag;
    char keyType = 'C';   // C, N or D
    int keyLength = 0;
    bool fieldKey = true; // the key is one field
    // Keys in index order, keyLength bytes each, with their record numbers (1-based).
    QByteArray keys;
    std::vector<quint32> records;
    // For a tag whose keys are the bytes of its records' fields, keys may
    // stay empty: this writes the key of a record (1-based) instead, read
    // from the records, which stay in place while the tag is used.
    std::function<void(quint32 record, char *out)> keyOfRecord;

    size_t size() const { return records.size(); }
    void copyKey(size_t i, char *out) const
    {
        if (keyOfRecord)
            keyOfRecord(records[i], out);
        else
            std::memcpy(out, keys.constData() + qsizetype(i) * keyLength, size_t(keyLength));
    }
    const char *keyData(size_t i) const { return keys.constData() + qsizetype(i) * keyLength; } // of held keys
    QByteArray key(size_t i) const
    {
        QByteArray k(keyLength, Qt::Uninitialized);
        copyKey(i, k.data());
        return k;
    }
};

// Tag names and key expressions; throws Error naming table when damaged.
QList<IndexTag> parseMdxTags(const QByteArray &bytes, const QString &table);
QList<IndexTag> readMdxTags(const QString &path, const QString &table);

// Writes the whole index for the table named dbfBaseName (no extension),
// holding recordCount records: into a new file beside path, then put in
// its place, so a reader never sees a half-written index and a kill leaves
// the old index or the new one. Throws Error when it cannot be written.
void writeMdx(const QString &path, const QString &dbfBaseName, const QList<MdxTag> &tags,
              const QString &table, quint32 recordCount);

// The engine's note in the part of the index's file header that dBASE
// leaves unused (bytes 48 to 543): the record count of the table the index
// was written for, and whether a change of the table may have reached the
// .dbf since. An index another program wrote has no note.
struct IndexNote
{
    bool present = false;
    bool changing = false;
    quint32 recordCount = 0;
};
IndexNote readIndexNote(const QString &path);
// Marks the open index file as possibly stale; false when it cannot be written.
bool markIndexChanging(int fd);

// The stored keys of one tag, read from the index file's bytes by walking
// its tree from the root, leaves left to right. False, with why (Czech),
// when the tag is missing or its tree is damaged; out then holds nothing.
bool readMdxTag(const QByteArray &mdx, const QString &tagName, MdxTag &out, QString *why);

// The first count keys of one tag as stored (empty when unreadable).
std::vector<std::pair<QByteArray, quint32>> readMdxKeys(const QString &path, const QString &tagName,
                                                        quint32 count);

} // namespace dbase
