#pragma once

// What the program shows when it starts: the assistant and, when the family
// settings ask for it, the welcome dialog above it. Run by the main window's
// first show when no tips dialog is shown, and by the first close of the
// tips dialog in a run.

namespace core {
class Shell;
}

namespace guidance {

class PomocnikDialog;
class UvitaniDialog;

// assistantOn and welcomeOn are [Nastaveni] Pomocnik and Uvitani read as
// "1" by the caller beforehand. With the assistant off nothing is shown.
void runStartupGuidance(PomocnikDialog &assistant, UvitaniDialog &welcome, core::Shell &shell,
                        bool assistantOn, bool welcomeOn);

} // namespace guidance
