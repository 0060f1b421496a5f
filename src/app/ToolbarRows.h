#pragma once

// The four toolbars of the main window and their docking rules: the command
// toolbars Standardní, Databáze and Okna side by side in the first row, in
// this order, the tips toolbar alone in the second. Each toolbar may float;
// a floating one shows a close button.

#include "core/Commands.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace app {

class ToolbarRows : public QObject
{
    Q_OBJECT
public:
    // Finds a command's action by the object name of its toolbar button.
    using CommandLookup = std::function<QAction *(const QString &name)>;
    // In the order of the view toggles.
    enum Bar { Standardni, Databaze, Okna, TipyDne, BarCount };

    explicit ToolbarRows(QMainWindow &window);

    // Builds the four toolbars, the tip line in the tips toolbar, and docks
    // them in their rows. contextMenu comes up on a right click.
    void create(const CommandLookup &command, QMenu *contextMenu, QWidget *tipLine);
    QToolBar *toolbar(Bar bar) const { return m_bars[bar]; }

    // Puts the docked toolbars back into their rows when one was dropped
    // into the wrong one. Hidden toolbars stay hidden.
    void enforce();
    // Whether a check of the rows is already on its way.
    bool checkPending() const { return m_checkPending; }

    // A button for the command action: 23 x 22, named, read out by its hint.
    static void addButton(QToolBar *bar, QAction *action, const QString &name);

signals:
    // The user closed a floating toolbar with its close button.
    void closedByUser(Bar bar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolBar *makeBar(Bar index, const char *name, const QString &caption, QMenu *contextMenu);
    // The buttons of the commands named; an empty name is a separator.
    // The commands' toolbar buttons in this order; nullopt for a separator.
    void addButtons(QToolBar *bar, std::initializer_list<std::optional<core::Command>> commands);

    QMainWindow &m_window;
    CommandLookup m_command;
    QToolBar *m_bars[BarCount] = {};
    bool m_checkPending = false;
};

} // namespace app
