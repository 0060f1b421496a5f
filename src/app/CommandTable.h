#pragma once

// The main window's commands: one action per command, keyed by the command
// enum and findable by the object name of any of its controls; built from
// the command rows (caption, shortcut, picture, hint). It is also the one
// writer of the command states: apply() sets every action, and the menus,
// toolbars and side-bar pages that go off as a group, from the result of the
// availability table.

#include "core/Availability.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <array>

class QAction;
class QKeySequence;
class QWidget;

namespace app {

class CommandTable : public QObject
{
    Q_OBJECT
public:
    // Creates the actions of the command rows as children of parent.
    explicit CommandTable(QObject *parent);

    // The action of a command; nullptr for the groups FileMenu and EditMenu
    // until their menus are added.
    QAction *action(core::Command command) const;
    // An action by the object name of its menu item or of a control showing
    // it ("MS1", "TS1", "OS1"), or of an action added under its own name.
    QAction *command(const QString &objectName) const;
    // The command's twin in a context menu of the main window, or nullptr.
    QAction *twin(core::Command command) const;

    // An action made for a control that is no command of its own (the genre
    // items).
    QAction *addAction(const QString &objectName, const QString &caption, const QKeySequence &shortcut,
                       int icon, const QString &hint);
    // Registers an action made elsewhere (a submenu's action, a separator);
    // it becomes the command's action when the name is its menu item's.
    void add(const QString &objectName, QAction *action);

    // Writes the states to the actions, their twins and, for the groups, to
    // the menu, the toolbar and the side-bar page named in the control list
    // (found under window).
    void apply(const core::CommandStates &states, QWidget *window);

    // The action of a submenu follows its menu widget, and that widget goes
    // enabled again with the main window after every dialog: a menu switched
    // off by itself stays off until it is switched on.
    static void setActionEnabled(QAction *action, bool enabled);

private:
    void addTwin(core::Command command, QAction *original);
    QWidget *groupWidget(QWidget *window, const char *name);

    std::array<QAction *, core::CommandCount> m_actions{};
    QHash<QString, QAction *> m_byName;
    QHash<QString, QPointer<QWidget>> m_groupWidgets;
};

} // namespace app
