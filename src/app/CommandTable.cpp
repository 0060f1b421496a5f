#include "CommandTable.h"

#include "CommandIcons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace app {

using core::Command;

CommandTable::CommandTable(QObject *parent)
    : QObject(parent)
{
    using C = Command;
    for (int i = 0; i < core::CommandCount; ++i) {
        const Command c = Command(i);
        // The menus and submenus are made with their menus (MainMenus::add).
        if (c == C::FileMenu || c == C::EditMenu || c == C::GoTo || c == C::GenreMenu)
            continue;
        const core::CommandRow &row = core::commandRow(c);
        QAction *a = addAction(core::commandName(c), core::commandCaption(c),
                               core::hasShortcut(c) ? QKeySequence(row.shortcut) : QKeySequence(), row.icon,
                               core::commandHint(c));
        // Its toolbar and side-bar buttons show the same action.
        for (const char *control : {row.toolbarButton, row.sideBarButton}) {
            if (control)
                m_byName.insert(QLatin1String(control), a);
        }
        if (core::viewToggleIndex(c) >= 0)
            a->setCheckable(true); // ticked by the command states' refresh
        if (core::slotOfWindowEntry(c) > 0) {
            a->setVisible(false);    // shown while its window is open
            a->setCheckable(false);  // checkable while its window is the active one
        }
        if (c == C::WindowList) {
            a->setSeparator(true);
            a->setVisible(false);
        }
        if (row.popupTwin)
            addTwin(c, a);
    }
    // Both Enter keys save; the menu shows the first, "Enter".
    action(C::SaveRecord)->setShortcuts({QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)});
}

void CommandTable::addTwin(Command command, QAction *original)
{
    const core::CommandRow &row = core::commandRow(command);
    QAction *twin = addAction(QLatin1String(row.popupTwin), core::popupCaption(command), original->shortcut(),
                              row.icon, original->statusTip());
    twin->setCheckable(original->isCheckable());
    // The menu's keys already belong to the original; the twin only shows them.
    if (!twin->shortcut().isEmpty())
        twin->setShortcutContext(Qt::WidgetShortcut);
    connect(twin, &QAction::triggered, original, &QAction::trigger);
}

QAction *CommandTable::twin(Command c) const
{
    const char *name = core::commandRow(c).popupTwin;
    return name ? command(QLatin1String(name)) : nullptr;
}

QAction *CommandTable::action(core::Command command) const
{
    return m_actions[int(command)];
}

QAction *CommandTable::command(const QString &objectName) const
{
    return m_byName.value(objectName);
}

QAction *CommandTable::addAction(const QString &objectName, const QString &caption,
                                 const QKeySequence &shortcut, int icon, const QString &hint)
{
    auto *a = new QAction(caption, parent());
    a->setObjectName(objectName);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    if (icon >= 0)
        a->setIcon(commandIcon(icon));
    a->setStatusTip(hint);
    a->setToolTip(hint);
    add(objectName, a);
    return a;
}

void CommandTable::add(const QString &objectName, QAction *action)
{
    m_byName.insert(objectName, action);
    const std::optional<Command> c = core::commandOfControl(objectName);
    if (c && objectName == core::commandName(*c))
        m_actions[int(*c)] = action;
}

QWidget *CommandTable::groupWidget(QWidget *window, const char *name)
{
    const QString key = QLatin1String(name);
    QPointer<QWidget> &w = m_groupWidgets[key];
    if (!w)
        w = window->findChild<QWidget *>(key);
    return w;
}

void CommandTable::apply(const core::CommandStates &states, QWidget *window)
{
    for (int i = 0; i < core::CommandCount; ++i) {
        const Command c = Command(i);
        const core::CommandState &s = states[i];
        const core::CommandRow &names = core::commandRow(c);
        if (c == Command::FileMenu || c == Command::EditMenu) {
            if (QAction *menu = action(c))
                setActionEnabled(menu, s.enabled);
            for (const char *group : {names.toolbarButton, names.sideBarButton}) {
                if (QWidget *w = groupWidget(window, group))
                    w->setEnabled(s.enabled);
            }
            continue;
        }
        QAction *a = action(c);
        if (!a)
            continue;
        for (QAction *target : {a, twin(c)}) {
            if (!target)
                continue;
            setActionEnabled(target, s.enabled);
            if (core::slotOfWindowEntry(c) > 0)
                target->setCheckable(s.checked); // no empty box beside the other windows
            if (target->isCheckable())
                target->setChecked(s.checked);
        }
        if (c == Command::WindowList)
            a->setVisible(s.shown);
    }
}

void CommandTable::setActionEnabled(QAction *action, bool enabled)
{
    if (QMenu *m = action->menu())
        m->setEnabled(enabled);
    action->setEnabled(enabled);
}

} // namespace app
