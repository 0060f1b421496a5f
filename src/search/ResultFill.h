#pragma once

// Filling the results tree from the auxiliary table, and finding the book of
// a chosen hit in its catalogue.

#include <QString>

namespace dbase {
class Table;
}

namespace search {

class ResultTree;

// Reads the open auxiliary table in the order of key k (1..7) from its first
// record to its last and adds the path of every record whose key field is
// filled, bound to that record; keys 2 and 3 are then sorted at every level
// by Czech, case-sensitive collation. The tree is emptied first.
void fillResultTree(ResultTree &tree, dbase::Table &auxiliary, int k);

// Moves the catalogue's table to the book with this title, and among books of
// the same title to the one with this catalogue number (the first of them
// when none has it; the nearest following title when none has the title).
// The table is on its CISLO order again afterwards.
void locateBook(dbase::Table &catalogue, const QString &title, const QString &number);

} // namespace search
