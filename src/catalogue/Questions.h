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

// "Před  uzavřením  okna  je  nutné  uložit  právě prováděné změny u
// vypůjčitelů." (DotazVypujckaDialog) with the catalogue's display name: the
// window is not closed over a lending card being edited. Ok / Enter / Esc.
widgets::Balloon *createLendingCardWarning(const QString &displayName, core::Shell &shell);

// "Nejprve musíte zadat název volitelné databáze." (DotazJmenoDialog), or
// another reason a name is refused in its place: Ok / Enter / Esc.
widgets::Balloon *createNameWarning(const QString &text, core::Shell &shell);

// "Opravdu si přejete zrušit volitelnou databázi č. k ?"
// (ZrusitVolitelnyDialog): Ano / Enter removes, Ne / Esc does not.
widgets::Balloon *createRemoveQuestion(int k, core::Shell &shell);

// "Opravdu chcete vymazat Standardní databázi ?" (VymazatDialog): Ano /
// Enter erases, Ne / Esc does not.
widgets::Balloon *createEraseQuestion(core::Shell &shell);

} // namespace catalogue
