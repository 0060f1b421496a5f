#include "WindowMenu.h"

#include "widgets/RecordMenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace catalogue {

using C = Command;

WindowMenu::WindowMenu(QWidget *window, Snapshot snapshot, Perform perform)
    : QObject(window)
    , m_window(window)
    , m_snapshot(std::move(snapshot))
    , m_perform(std::move(perform))
{
    m_menu = new widgets::RecordMenu(window);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));

    addItem(m_menu, C::Preview, QStringLiteral("Náhled..."), QKeySequence());
    addItem(m_menu, C::Print, QStringLiteral("Tisk..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    m_menu->addSeparator();
    addItem(m_menu, C::Cut, QStringLiteral("Vyjmout"), QKeySequence(Qt::CTRL | Qt::Key_X));
    addItem(m_menu, C::Copy, QStringLiteral("Kopírovat"), QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(m_menu, C::Paste, QStringLiteral("Vložit"), QKeySequence(Qt::CTRL | Qt::Key_V));
    m_menu->addSeparator();
    addItem(m_menu, C::DeleteRecord, QStringLiteral("Odstranit záznam"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    addItem(m_menu, C::EditRecord, QStringLiteral("Editovat záznam"), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    // Shown as "Enter"; both Enter keys save.
    addItem(m_menu, C::SaveRecord, QStringLiteral("Uložit záznam"), QKeySequence(Qt::Key_Enter));
    addItem(m_menu, C::UndoRecord, QStringLiteral("Zpět"), QKeySequence());
    m_menu->addSeparator();
    addItem(m_menu, C::Find, QStringLiteral("Najít..."), QKeySequence(Qt::CTRL | Qt::Key_F));

    m_goToMenu = new widgets::RecordMenu(QStringLiteral("Přejít na ..."), m_menu);
    m_menu->addMenu(m_goToMenu);
    m_goToMenu->setObjectName(QStringLiteral("MPMenu"));
    m_goToMenu->menuAction()->setObjectName(QLatin1String(commandNames(C::GoTo).windowMenuItem));
    m_items.push_back({C::GoTo, m_goToMenu->menuAction()});
    addItem(m_goToMenu, C::First, QStringLiteral("První"), QKeySequence(Qt::Key_F5));
    addItem(m_goToMenu, C::Prior, QStringLiteral("Předchozí"), QKeySequence(Qt::Key_F6));
    addItem(m_goToMenu, C::Next, QStringLiteral("Další"), QKeySequence(Qt::Key_F7));
    addItem(m_goToMenu, C::Last, QStringLiteral("Poslední"), QKeySequence(Qt::Key_F8));
    addItem(m_goToMenu, C::NewRecord, QStringLiteral("Nový záznam"), QKeySequence(Qt::Key_Insert));

    // The items follow the window's state before the menu opens.
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::applyAvailability);
}

void WindowMenu::addItem(QMenu *menu, Command command, const QString &caption, const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, m_window);
    action->setObjectName(QLatin1String(commandNames(command).windowMenuItem));
    if (!shortcut.isEmpty()) {
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
    ProgramState program;
    program.active = m_snapshot();
    for (const auto &[command, action] : m_items) {
        const bool enabled = availability(program, command).enabled;
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
