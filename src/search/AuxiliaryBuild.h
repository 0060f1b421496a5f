#pragma once

// The build of the auxiliary table (VazonI): an empty copy from its template,
// filled with the titled books of one catalogue, with its progress window.
// Searches run it in search mode, the reports in print mode.

namespace core {
class AppSettings;
class DataModule;
class Shell;
} // namespace core

namespace search {

enum class BuildMode { Search, Print };

// Rebuilds the auxiliary table (VazonI) from the catalogue of slot 1..4, with the progress
// window InfoNajitDialog (disables the main window, SBO2 shown / SBO10 hidden, Info.wav).
// On success writes [Kontrola] Pomocna = slot and returns true, with the main window enabled
// again. On failure: closes the progress window, re-enables the main window, reports the
// message through the program's error box, leaves the marker at its old value, returns false.
// Does not bring the search dialogs back: in search mode the caller does that.
bool runAuxiliaryBuild(core::DataModule &data, core::AppSettings &settings, core::Shell &shell,
                       int slot, BuildMode mode);

} // namespace search
