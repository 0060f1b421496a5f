#include "CommandRefresh.h"

#include "CatalogueArea.h"
#include "CommandTable.h"
#include "StatusPanels.h"
#include "TipLine.h"
#include "ToolbarRows.h"
#include "ViewToggles.h"

#include "catalogue/CatalogueWindow.h"
#include "core/AppSettings.h"
#include "core/Slots.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QTimer>

namespace app {

CommandRefresh::CommandRefresh(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
{
    readOpenMarkers();
}

void CommandRefresh::schedule()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, &CommandRefresh::run);
}

void CommandRefresh::run()
{
    m_pending = false;
    QWidget *window = m_parts.area.activeCatalogue();
    m_parts.status.setCatalogueText(window ? QStringLiteral("      ") + window->windowTitle() : QString());
    updateCommands();
    m_parts.tipLine.fitWindowWidth(m_parts.window.width());
    if (!m_parts.rows.checkPending())
        m_parts.rows.enforce();
}

void CommandRefresh::runForMenu()
{
    readOpenMarkers();
    run();
}

void CommandRefresh::readOpenMarkers()
{
    for (int slot = 1; slot <= core::SlotCount; ++slot)
        m_openMarkers[slot] = m_parts.settings.catalogueOpen(slot);
}

core::ProgramState CommandRefresh::snapshot() const
{
    core::ProgramState state;
    if (catalogue::CatalogueWindow *cw = catalogue::CatalogueWindow::of(m_parts.area.activeCatalogue()))
        state.active = cw->snapshot();
    state.openMarkers = m_openMarkers;
    state.tipsOpen = m_tipsOpen;
    state.manualAvailable = m_manualAvailable;
    for (int i = 0; i < ViewToggles::Count && i < int(state.viewShown.size()); ++i)
        state.viewShown[i] = m_parts.toggles.isShown(i);
    return state;
}

void CommandRefresh::updateCommands()
{
    updateWindowEntries();
    m_parts.commands.apply(core::availability(snapshot()), &m_parts.window);
}

void CommandRefresh::updateWindowEntries()
{
    // One entry per open catalogue window, captioned with its name.
    for (int slot = 1; slot <= core::SlotCount; ++slot) {
        QMdiSubWindow *sub = m_parts.area.windowOfSlot(slot);
        catalogue::CatalogueWindow *cw = sub && !sub->isHidden() ? catalogue::CatalogueWindow::of(sub) : nullptr;
        QAction *entry = m_parts.commands.action(core::windowEntry(slot));
        entry->setText(cw ? cw->displayName() : QString());
        entry->setVisible(cw != nullptr);
    }
}

} // namespace app
