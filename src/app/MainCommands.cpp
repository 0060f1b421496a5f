// The main window's commands put to work: which of its own handlers, or
// which other command, each command's action triggers; and the window
// entries of the Okno menu.

#include "HlavniDialog.h"

#include "CommandTable.h"

#include <QAction>
#include <QKeySequence>

namespace app {

namespace {

const char F1Hint[] = "Stiskněte klávesu F1 pro nápovědu";

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

void HlavniDialog::createCommands()
{
    using catalogue::Command;
    m_commands = new CommandTable(this);
    auto on = [this](Command c, auto slot) { connect(m_commands->action(c), &QAction::triggered, this, slot); };
    on(Command::Exit, &QWidget::close);
    on(Command::CloseWindow, &HlavniDialog::MS3Click);
    on(Command::PrinterSetup, &HlavniDialog::MS9Click);
    on(Command::Preview, [this] { reportCommand(true); });
    on(Command::Print, [this] { reportCommand(false); });
    for (Command c : {Command::Cut, Command::Copy, Command::Paste, Command::First, Command::Prior, Command::Next,
                      Command::Last, Command::NewRecord, Command::DeleteRecord, Command::EditRecord,
                      Command::SaveRecord, Command::UndoRecord, Command::Find})
        on(c, [this, c] { routeRecordCommand(c); });
    // The help button is the help command with a hint of its own.
    connect(m_commands->action(Command::HelpButton), &QAction::triggered, m_commands->action(Command::Help),
            &QAction::trigger);

    // The window entries of the Okno menu, captioned and shown by the
    // catalogue windows themselves.
    for (int slot = 1; slot <= 4; ++slot) {
        const QByteArray name = windowEntryName(slot).toLatin1();
        QAction *entry = m_commands->addAction(QLatin1String(name), QString(), QKeySequence(), -1, text(F1Hint));
        entry->setVisible(false);
        entry->setCheckable(false); // checkable while its window is the active one
        connect(entry, &QAction::triggered, this, [this, slot] { showCatalogueOfSlot(slot); });
    }
}

} // namespace app
