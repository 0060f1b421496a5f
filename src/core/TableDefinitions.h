#pragma once

// The record layouts, index tags, file names and value lists of every table
// of the program. The build lays out the empty templates from these lists;
// the forms take their drop-down lists from here.

#include "dbase/DbfTypes.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace core {

// File names in the data directory, in the letter case the program uses.
inline constexpr char StandardCatalogueFile[] = "VazonS.dbf";
inline constexpr char AuxiliaryTableFile[] = "VazonI.DBF";
inline constexpr char TipsTableFile[] = "TIPYG.DBF";
inline constexpr char LendingTableFile[] = "Pujcovna.dbf";
inline constexpr char AddressBook1File[] = "Adresar1.DBF";
inline constexpr char AddressBook2File[] = "Adresar2.DBF";

// "VazonS.dbf" for slot 1, "Vazon1.dbf".."Vazon3.dbf" for slots 2..4;
// anything else throws std::out_of_range.
QString bookTableFile(int slot);
// "Adresar1.DBF" or "Adresar2.DBF" for n = 1..2; else std::out_of_range.
QString addressBookFile(int n);

// Largest absolute value of a small-integer field (ROK): 16-bit signed.
inline constexpr int SmallIntMin = -32768;
inline constexpr int SmallIntMax = 32767;

// The 16 fields of a book, NAZEV .. VAZBA, in file order.
QList<dbase::FieldDef> bookFields();
// The auxiliary table: the first 15 book fields (no VAZBA).
QList<dbase::FieldDef> auxiliaryFields();
// The tips of the day: TIPDNE C254.
QList<dbase::FieldDef> tipsFields();
// The lending card: JMENO .. PROGRAM.
QList<dbase::FieldDef> lendingFields();
// The family's address books, with the borrower flags G1..G4 in place.
QList<dbase::FieldDef> addressBookFields();

// Production index tags.
QList<dbase::IndexTag> bookTags();        // CISLO, NAZEV
QList<dbase::IndexTag> auxiliaryTags();   // AUTOR .. PUJCENO and AUTORNAZEV
QList<dbase::IndexTag> lendingTags();     // ID
QList<dbase::IndexTag> addressBookTags(); // PRIJMENI

// Drop-down lists of the book forms, in their order on screen.
QStringList genres();   // 25 entries of DRUH
QStringList editions(); // 10 entries of VYDANI
QStringList bindings(); // 3 entries of VAZBA

} // namespace core
