#pragma once

// A large, realistic catalogue for the window benchmarks: Czech titles and
// authors, catalogue numbers 1..N in shuffled file order, some books without
// a title, illustrator, note or number, as a real collection has them.

#include <QString>

namespace benchdata {

// Appends count books to the book table at dataDir/fileName (which must
// exist, empty or not) through the table engine. The same seed gives the
// same books.
void writeBooks(const QString &dataDir, const QString &fileName, int count, quint32 seed);

// One book in this many is written without a catalogue number (such books
// sort before the numbered ones).
int unnumberedEvery();

// The standard catalogue and optional catalogue 1 of count books each,
// written afresh into the program directory at root (which has its Data
// folder); optional catalogue 1 gets its name, and neither the tips nor
// the welcome dialog show at start, so the main window takes input.
void fillProgramDirectory(const QString &root, int count);

// The name fillProgramDirectory gives optional catalogue 1.
QString optionalCatalogueName();

} // namespace benchdata
