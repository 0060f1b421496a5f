#pragma once

// Which command is available when: one snapshot of the program goes in,
// the enabled (and checked) state of every command comes out. This is the
// one table of it; the main window's refresh writes its result to the
// actions, and the catalogue window's own context menu reads the same result
// for its items. Plain code, no widgets.

#include "Commands.h"

#include <array>
#include <optional>

namespace core {

// What the lending card over a window does.
enum class CardMode { Hidden, Shown, Editing };

// The active catalogue window as the commands see it.
struct WindowSnapshot
{
    int slot = 1;
    bool editingRecord = false;        // the record is in edit mode
    CardMode card = CardMode::Hidden;  // independent: a card may lie over an edited record
    bool atStart = true;               // the table at its first record (or closed, or empty)
    bool atEnd = true;                 // at its last record; both: the catalogue is empty
    bool freeTextEntered = false;      // the record control entered last is a free-text field
};

// The program as the commands see it.
struct ProgramState
{
    std::optional<WindowSnapshot> active; // none: no catalogue window is active
    std::array<bool, 5> openMarkers{};    // [Otevreni] DatabazeN, index 1..4
    bool tipsOpen = false;                // the tips table could be opened
    bool manualAvailable = false;         // the electronic manual is installed
    // Zobrazit: Standardni, Databaze, Okna, TipyDne, StavovyRadek, PanelOutlook.
    std::array<bool, 6> viewShown{true, true, true, true, true, true};
};

struct CommandState
{
    bool enabled = true;
    bool checked = false; // for the commands with a check mark
    bool shown = true;    // only the window list separator comes and goes
};

using CommandStates = std::array<CommandState, CommandCount>;

CommandStates availability(const ProgramState &state);
CommandState availability(const ProgramState &state, Command command);

// The state of a catalogue as its window shows it, tested in this order:
// editing, empty (at start and at end at once), at first, at last, between.
enum class CatalogueState { Editing, Empty, AtFirst, AtLast, Between };

CatalogueState catalogueState(const WindowSnapshot &window);

} // namespace core
