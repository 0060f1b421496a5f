#pragma once

// The question balloons of the catalogue windows. Each is made when it is
// asked, deletes itself when it closes, and behaves modally through the
// shell (main window and assistant disabled while it is up).

namespace core {
class Shell;
}
namespace widgets {
class Balloon;
}

#include <QString>

namespace catalogue {

// "Opravdu chcete tento záznam trvale odstranit ?" (DotazOdstranitDialog):
// Ano / Enter deletes, Ne / Esc does not.
widgets::Balloon *createDeleteQuestion(core::Shell &shell);

// "Chcete uložit právě prováděné změny v databázi ?" (DotazKonecDialog) with
// the catalogue's display name under the title: Ano / Enter saves the
// record, Ne / Esc discards it.
widgets::Balloon *createCloseQuestion(const QString &displayName, core::Shell &shell);

} // namespace catalogue
