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

} // namespace benchdata
