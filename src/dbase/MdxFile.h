#pragma once

// The production index (.mdx) in the dBASE IV layout: a 544-byte file
// header, a table of 32-byte tag entries at offset 544, for each tag a tag
// header with its key expression and a B-tree of 1024-byte blocks.

#include "DbfTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>
#include <vector>

namespace dbase {

struct MdxTag
{
    IndexTag tag;
    char keyType = 'C';   // C, N or D
    int keyLength = 0;
    bool fieldKey = true; // the key is one field
    // Keys with their record numbers (1-based), in index order.
    std::vector<std::pair<QByteArray, quint32>> entries;
};

// Tag names and key expressions; throws Error naming table when damaged.
QList<IndexTag> parseMdxTags(const QByteArray &bytes, const QString &table);
QList<IndexTag> readMdxTags(const QString &path, const QString &table);

// Writes the whole index for the table named dbfBaseName (no extension):
// into a new file beside path, then put in its place, so a reader never sees
// a half-written index. Throws Error when it cannot be written.
void writeMdx(const QString &path, const QString &dbfBaseName, const QList<MdxTag> &tags,
              const QString &table);

// The first count keys of one tag as stored, leaf by leaf (for checks).
std::vector<std::pair<QByteArray, quint32>> readMdxKeys(const QString &path, const QString &tagName,
                                                        quint32 count);

} // namespace dbase
