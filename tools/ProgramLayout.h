#pragma once

// Lays out a complete program directory (everything but the executables):
// the empty table templates, the empty standard catalogue, the tips of the
// day, the lending table, both ini files with their factory values and the
// sounds. The build runs it on build/Ordex2000; tests run it on a temporary
// folder.

#include <QString>

enum class LayoutMode {
    Fresh,        // write every file, replacing what is there
    KeepUserData  // rewrite templates and sounds; create tables and ini files only when missing
};

// Throws platform::Error when a folder or file cannot be written (and
// dbase::Error should the engine refuse a table layout); both carry a
// Czech message in what().
void layOutProgramDirectory(const QString &dir, LayoutMode mode);

// Writes an empty address book of the family (Adresar1.DBF or Adresar2.DBF
// with its .MDX on PRIJMENI) at dbfPath; the program itself never creates one.
void createAddressBook(const QString &dbfPath);
