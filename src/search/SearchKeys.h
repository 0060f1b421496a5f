#pragma once

// The seven keys a catalogue is searched by: their entry in the find dialog,
// the heading the next windows show, where PomocnaDialog goes, and how the
// results tree lists the key.

#include <QString>
#include <QStringList>

namespace search {

constexpr int KeyCount = 7;

struct SearchKey
{
    int k;                 // 1..7
    const char *entryName; // the find dialog's entry ("OfficeLabel7" for k = 6)
    const char *entryText;
    const char *entryHint;
    const char *heading;   // handed on to PomocnaDialog and the results window
    const char *keyField;  // the auxiliary table's order while reading; only records with it filled
    QStringList pathFields; // the texts added per record, one per level of the tree
    int pomocnaOffset;     // PomocnaDialog's top below the find dialog's top
    bool sorted;           // sorted by Czech collation after filling (keys 2 and 3)
};

// k = 1..7; throws std::out_of_range otherwise.
const SearchKey &searchKey(int k);

} // namespace search
