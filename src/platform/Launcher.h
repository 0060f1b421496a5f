#pragma once

#include "ProgramDirectory.h"

#include <QString>

namespace platform {

// Starts an external program detached from this one. parameters are split
// into arguments as a shell would (quotes group). An empty working directory
// is the current one, which is always the program directory. Paths and
// parameters of any length. Returns whether it started.
bool launch(const QString &file, const QString &parameters, const QString &workingDirectory);

// The electronic manual of the family: "ManualTessera.exe" in the program
// directory and its start page "Html/Ordex2000/Index.htm"; found without
// regard to case.
bool manualAvailable(const ProgramDirectory &dir);
// Starts the manual on its start page; does nothing unless both files exist.
void launchManual(const ProgramDirectory &dir);

} // namespace platform
