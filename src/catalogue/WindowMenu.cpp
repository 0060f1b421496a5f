#include "WindowMenu.h"

#include "widgets/RecordMenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>
#include <optional>

namespace catalogue {

using core::Command;
using C = Command;

WindowMenu::WindowMenu(QWidget *window, Snapshot snapshot, Perform perform)
    : QObject(window)
    , m_window(window)
    , m_snapshot(std::move(snapshot))
    , m_perform(std::move(perform))
{
    m_menu = new widgets::RecordMenu(window);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));

    auto addItems = [this](QMenu *menu, std::initializer_list<std::optional<Command>> commands) {
        for (const std::optional<Command> &c : commands) {
            if (c)
                addItem(menu, *c);
            else
                menu->addSeparator();
        }
    };
    constexpr std::optional<Command> Separator;
    addItems(m_menu, {C::Preview, C::Print, Separator, C::Cut, C::Copy, C::Paste, Separator, C::DeleteRecord,
                      C::EditRecord, C::SaveRecord, C::UndoRecord, Separator, C::Find});

    m_goToMenu = new widgets::RecordMenu(core::windowMenuCaption(C::GoTo), m_menu);
    m_menu->addMenu(m_goToMenu);
    m_goToMenu->setObjectName(QStringLiteral("MPMenu"));
    m_goToMenu->menuAction()->setObjectName(QLatin1String(core::commandRow(C::GoTo).windowMenuItem));
    m_items.push_back({C::GoTo, m_goToMenu->menuAction()});
    addItems(m_goToMenu, {C::First, C::Prior, C::Next, C::Last, C::NewRecord});

    // The items follow the window's state before the menu opens.
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::applyAvailability);
}

void WindowMenu::addItem(QMenu *menu, Command command)
{
    const core::CommandRow &row = core::commandRow(command);
    auto *action = new QAction(core::windowMenuCaption(command), m_window);
    action->setObjectName(QLatin1String(row.windowMenuItem));
    if (core::hasShortcut(command)) {
        const QKeySequence shortcut(row.shortcut);
        // Shown in the menu; the keys themselves are taken by the window's
        // key handling so they never clash with the main window's shortcuts.
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WidgetShortcut);
        m_keyActions.push_back(action);
    }
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, command] { m_perform(command); });
    m_items.push_back({command, action});
}

void WindowMenu::applyAvailability()
{
    core::ProgramState program;
    program.active = m_snapshot();
    for (const auto &[command, action] : m_items) {
        const bool enabled = core::availability(program, command).enabled;
        // A submenu's own widget goes enabled again with the main window
        // after a dialog; its switch holds the state.
        if (QMenu *submenu = action->menu())
            submenu->setEnabled(enabled);
        action->setEnabled(enabled);
    }
}

QAction *WindowMenu::actionForKey(const QKeyEvent *event) const
{
    int key = event->key();
    if (key == Qt::Key_Return)
        key = Qt::Key_Enter;
    const QKeySequence pressed(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(key)));
    const auto found = std::find_if(m_keyActions.begin(), m_keyActions.end(),
                                    [&](QAction *action) { return action->shortcut() == pressed; });
    if (found == m_keyActions.end() || !(*found)->isEnabled())
        return nullptr;
    // An item of the go-to submenu counts only while the submenu is on.
    if (m_goToMenu->actions().contains(*found) && !m_goToMenu->menuAction()->isEnabled())
        return nullptr;
    return *found;
}

} // namespace catalogue
