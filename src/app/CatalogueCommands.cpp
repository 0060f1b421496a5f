#include "CatalogueCommands.h"

#include "CatalogueArea.h"
#include "CommandTable.h"
#include "HlavniDialog.h"

#include "catalogue/CatalogueWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiSubWindow>

namespace app {

namespace {

catalogue::CatalogueWindow *activeWindow(const HlavniDialog &main)
{
    QWidget *w = main.activeCatalogueWindow();
    return w ? catalogue::CatalogueWindow::of(w) : nullptr;
}

} // namespace

CatalogueCommands::CatalogueCommands(HlavniDialog &main, CommandTable &commands)
    : QObject(&main)
    , m_main(main)
{
    using catalogue::Command;
    auto on = [&](Command c, auto slot) { connect(commands.action(c), &QAction::triggered, this, slot); };
    on(Command::CloseWindow, [this] { closeWindow(); });
    on(Command::Preview, [this] { reportCommand(true); });
    on(Command::Print, [this] { reportCommand(false); });
    for (Command c : {Command::Cut, Command::Copy, Command::Paste, Command::First, Command::Prior, Command::Next,
                      Command::Last, Command::NewRecord, Command::DeleteRecord, Command::EditRecord,
                      Command::SaveRecord, Command::UndoRecord, Command::Find})
        on(c, [this, c] { routeRecordCommand(c); });

    for (int slot = 1; slot <= 4; ++slot) {
        QAction *entry = commands.addAction(windowEntryName(slot), QString(), QKeySequence(), -1,
                                            QStringLiteral("Stiskněte klávesu F1 pro nápovědu"));
        entry->setVisible(false);
        entry->setCheckable(false); // checkable while its window is the active one
        connect(entry, &QAction::triggered, this, [this, slot] { showCatalogueOfSlot(slot); });
    }
}

QString CatalogueCommands::windowEntryName(int slot)
{
    return QLatin1Char('o') + QString::number(slot) + QLatin1Char('1');
}

void CatalogueCommands::closeWindow()
{
    if (catalogue::CatalogueWindow *cw = activeWindow(m_main))
        cw->requestClose();
}

void CatalogueCommands::showCatalogueOfSlot(int slot)
{
    QMdiSubWindow *sub = m_main.catalogueSubWindow(slot);
    if (!sub)
        return;
    if (sub->isMinimized())
        sub->showNormal();
    else
        sub->show();
    m_main.catalogueArea()->setActiveSubWindow(sub);
    sub->raise();
}

void CatalogueCommands::routeRecordCommand(catalogue::Command command)
{
    catalogue::CatalogueWindow *cw = activeWindow(m_main);
    if (!cw)
        return;
    using catalogue::Command;
    switch (command) {
    case Command::Cut: cw->cut(); break;
    case Command::Copy: cw->copy(); break;
    case Command::Paste: cw->paste(); break;
    case Command::First: cw->first(); break;
    case Command::Prior: cw->prior(); break;
    case Command::Next: cw->next(); break;
    case Command::Last: cw->last(); break;
    case Command::NewRecord: cw->newRecord(); break;
    case Command::DeleteRecord: cw->deleteRecord(); break;
    case Command::EditRecord: cw->editRecord(); break;
    case Command::SaveRecord: cw->saveRecord(); break;
    case Command::UndoRecord: cw->undo(); break;
    case Command::Find: emit findRequested(cw->slot()); break;
    default: break;
    }
    m_main.scheduleRefresh();
}

void CatalogueCommands::reportCommand(bool preview)
{
    const int slot = m_main.activeSlot();
    if (slot > 0)
        emit reportSelection(slot, preview);
}

} // namespace app
