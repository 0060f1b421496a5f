#pragma once

// The keys of an index tag computed from the records, exactly as the .mdx
// holds them: the table writes its index from these, and a check of the
// files compares the stored keys with them.

#include "CodePage.h"
#include "MdxFile.h"

#include <QList>
#include <QVector>

namespace dbase {

// The stored records of a table: count records of recordLength bytes each,
// one after the other, starting with the deletion flag.
struct RecordBlock
{
    const char *data = nullptr;
    quint32 count = 0;
    int recordLength = 0;
    const char *record(quint32 index) const { return data + qsizetype(index) * recordLength; }
};

// Every record not deleted with its key, sorted by key (text keys by their
// bytes, numbers and dates by value), equal keys in record order. A key
// expression that cannot be computed gives a text tag without keys.
MdxTag tagContents(const IndexTag &tag, const QList<FieldDef> &fields, const QVector<int> &offsets,
                   const CodePage &codePage, const RecordBlock &records);

// The contents of every tag of an index, each as tagContents gives it,
// except that the keys of text fields are not held but taken from the
// records (MdxTag::keyOfRecord), which stay in place while the tags are
// used. The tags over the same text field share the ordering of its values
// (AUTOR and AUTOR+NAZEV order AUTOR once), and a large table's tags are
// computed on two threads.
QList<MdxTag> indexContents(const QList<IndexTag> &tags, const QList<FieldDef> &fields,
                            const QVector<int> &offsets, const CodePage &codePage, const RecordBlock &records);

} // namespace dbase
