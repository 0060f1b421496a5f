#pragma once

// The one refresh of the command states, as Qt's MDI example has its
// updateMenus(): the program's snapshot (the active catalogue window, the
// open markers, the tips table, the manual, the view toggles) through the
// availability table onto every command, the Okno menu's window entries
// captioned from the frame's sub-window list, and the status bar's catalogue
// panel. Whatever may change a command's state asks for it (schedule()).

#include "core/Availability.h"

#include <QObject>

#include <array>

class QWidget;

namespace core {
class AppSettings;
}

namespace app {

class CatalogueArea;
class CommandTable;
class StatusPanels;
class TipLine;
class ToolbarRows;
class ViewToggles;

class CommandRefresh : public QObject
{
    Q_OBJECT
public:
    // What the refresh reads and writes; window is the main window.
    struct Parts
    {
        QWidget &window;
        core::AppSettings &settings;
        CommandTable &commands;
        CatalogueArea &area;
        ViewToggles &toggles;
        StatusPanels &status;
        TipLine &tipLine;
        ToolbarRows &rows;
    };

    CommandRefresh(const Parts &parts, QObject *parent);

    // One refresh at the next turn of the event loop; many requests before
    // it runs make one refresh.
    void schedule();
    // The refresh itself (runs the pending one at once).
    void run();
    // The refresh when a menu opens, with the open markers read afresh.
    void runForMenu();
    // Only the command states, from the snapshot of this moment.
    void updateCommands();

    // What the commands depend on, at this moment.
    core::ProgramState snapshot() const;

    // Found at the first show: whether the tips table opened and whether
    // the electronic manual is installed.
    void setTipsOpen(bool open) { m_tipsOpen = open; }
    void setManualAvailable(bool available) { m_manualAvailable = available; }

private:
    void readOpenMarkers();
    void updateWindowEntries();

    Parts m_parts;
    // The open markers as last read (only when a menu opens: the erase of
    // the standard catalogue asks for them, not every move of a record).
    std::array<bool, 5> m_openMarkers{};
    bool m_tipsOpen = true;
    bool m_manualAvailable = true;
    bool m_pending = false;
};

} // namespace app
