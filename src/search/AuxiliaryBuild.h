#pragma once

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/Shell.h"

namespace search {

enum class BuildMode { Search, Print };
// Rebuilds the auxiliary table (VazonI) from the catalogue of slot 1..4, with the progress
// window. On success writes [Kontrola] Pomocna = slot and returns true, main window enabled
// again. On failure: reports the message, re-enables the main window, leaves the marker,
// returns false. In print mode nothing more happens.
bool runAuxiliaryBuild(core::DataModule &data, core::AppSettings &settings, core::Shell &shell,
                       int slot, BuildMode mode);

} // namespace search
