#pragma once

// Which record commands are enabled in which state of the active catalogue.
// This is the one table of it: the main window's refresh and the catalogue
// window's own context menu both read it.

#include <optional>

namespace catalogue {

// The state of a catalogue as its window shows it, tested in this order:
// editing (the number edit C1 is enabled), empty (at start and at end at
// once), at first (at start), at last (at end), between.
enum class CatalogueState { Editing, Empty, AtFirst, AtLast, Between };

CatalogueState catalogueState(bool editing, bool atStart, bool atEnd);

enum class Command {
    Preview,    // MS4 TS3 OS3; MP0
    Print,      // MS5 TS5 OS4; MP01
    Clipboard,  // MU1..MU3 TS6..TS8 (the window's MP1..MP3 follow the focus)
    Delete,     // MU4 TD6 UD6; MP4
    Edit,       // MU5 TD7 UD7; MP5
    Save,       // MU6 TD8 UD8; MP6
    Undo,       // MU9 TD10 UD10; MP13
    Find,       // MU7 TD9 UD9; MP7
    GoTo,       // MU8; MP
    FirstPrior, // PNa1 Pna2 TD1 TD2 UD1 UD2; MP8 MP9
    NextLast,   // PNa3 PNa4 TD3 TD4 UD3 UD4; MP10 MP11
    New,        // PNa5 TD5 UD5; MP12
};

// Where the command's controls are: the main window's menu, toolbar and side
// bar, or the catalogue window's context menu.
enum class Place { MainWindow, WindowMenu };

// The enabled flag of a command's controls in a state; nullopt means the
// controls keep whatever they show (they are not touched).
std::optional<bool> commandEnabled(Command command, CatalogueState state, Place place);

} // namespace catalogue
