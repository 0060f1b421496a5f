#pragma once

// A fresh program directory in a temporary folder, laid out as the build lays
// out build/Ordex2000: the templates, the sounds, the ini files and the main
// catalogue. Every test that runs the program's own files starts from one.

#include <QString>

class QTemporaryDir;

namespace testsupport {

enum class OptionalCatalogues {
    Missing, // only the main catalogue, as a fresh installation has it
    Created  // slots 2..4 exist too, empty, as the optional-catalogue dialog leaves them
};

// Lays out the program directory in the temporary folder and returns its
// path with a trailing '/'.
QString layOutProgram(const QTemporaryDir &temp, OptionalCatalogues optional = OptionalCatalogues::Missing);

} // namespace testsupport
