#pragma once

// The balloons of a system without any printer: the question that offers the
// preview instead of printing a report, and the warning of the printer
// set-up. Each is made when it is needed, stands beside the assistant, plays
// its sound, holds the main window while it is up and deletes itself when it
// closes; the catalogue indicator comes back with it when a catalogue window
// is active.

#include <QString>

namespace core {
class Shell;
}

namespace reports {

// "V systému není nainstalována žádná tiskárna, sestavu nelze vytisknout.
// Chcete zobrazit náhled sestavy?" (DotazNahledDialog) with Ano and Ne:
// waits for the answer (Ano / Enter: true; Ne / Esc or a close: false).
bool askForPreviewInstead(core::Shell &shell);

// "V systému není nainstalována žádná tiskárna." (DotazTiskarnaDialog), a
// warning with Ok (Enter and Esc as well); returns at once.
void warnNoPrinter(core::Shell &shell);

// The reason both of them give.
QString noPrinterMessage();

} // namespace reports
