#pragma once

// The catalogue window's own context menu PopupMenu1 with its go-to submenu
// MP, and the keys of its items, built from the rows of the command table:
// the items carry their object names (MP0..MP13, MP), captions and keys.
// Their enabled state has one writer, the availability table, read through
// applyAvailability() for the window's snapshot. What an item does is left to the window: a chosen item or its
// key hands the window the item's command.

#include "core/Availability.h"

#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QKeyEvent;
class QKeySequence;
class QMenu;
class QWidget;

namespace catalogue {

class WindowMenu : public QObject
{
    Q_OBJECT
public:
    using Snapshot = std::function<core::WindowSnapshot()>;
    using Perform = std::function<void(core::Command)>;

    // Builds the menu as a popup of the window.
    WindowMenu(QWidget *window, Snapshot snapshot, Perform perform);

    QMenu *menu() const { return m_menu; }

    // Sets the items from the availability table for the window's snapshot,
    // as if the window were the active one. Also runs before the menu opens.
    void applyAvailability();

    // The item a key stands for, if it can run now: an enabled item, and
    // for the go-to items an enabled submenu as well. nullptr otherwise.
    QAction *actionForKey(const QKeyEvent *event) const;

private:
    void addItem(QMenu *menu, core::Command command);

    QWidget *m_window;
    Snapshot m_snapshot;
    Perform m_perform;
    QMenu *m_menu = nullptr;
    QMenu *m_goToMenu = nullptr;
    std::vector<std::pair<core::Command, QAction *>> m_items; // every item, the submenu's switch included
    std::vector<QAction *> m_keyActions;
};

} // namespace catalogue
