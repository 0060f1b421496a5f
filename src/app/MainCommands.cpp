// The main window's commands put to work: the ones it carries out itself,
// and the ones that act on its catalogue windows (CatalogueCommands).

#include "HlavniDialog.h"

#include "CatalogueCommands.h"
#include "CommandTable.h"

#include <QAction>

namespace app {

void HlavniDialog::createCommands()
{
    using catalogue::Command;
    m_commands = new CommandTable(this);
    connect(m_commands->action(Command::Exit), &QAction::triggered, this, &QWidget::close);
    connect(m_commands->action(Command::PrinterSetup), &QAction::triggered, this, &HlavniDialog::MS9Click);
    // The help button is the help command with a hint of its own.
    connect(m_commands->action(Command::HelpButton), &QAction::triggered, m_commands->action(Command::Help),
            &QAction::trigger);

    auto *windows = new CatalogueCommands(*this, *m_commands);
    connect(windows, &CatalogueCommands::findRequested, this, &HlavniDialog::findRequested);
    connect(windows, &CatalogueCommands::reportSelection, this, &HlavniDialog::reportSelection);
}

} // namespace app
