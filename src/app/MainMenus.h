#pragma once

// The menus of the main window built from the command table: the main menu
// MainMenu1 with the genre menu and its choice, the side bar LookOut1 and the
// two context menus, PopupMenu1 (the view toggles' twins, on the toolbars,
// the status bar and the side bar) and PopupMenu2 (on the catalogue area).
// The menus never set a command's state; they say when one opens, so that
// the main window refreshes the states first.

#include "core/Commands.h"
#include "core/GenreChoice.h"

#include <QObject>

#include <initializer_list>
#include <optional>

class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace platform {
class Sounds;
}
namespace widgets {
class SideBar;
}

namespace app {

class CommandTable;

class MainMenus : public QObject
{
    Q_OBJECT
public:
    // window is the main window, the parent of the context menus; the genre
    // menu sets the program's genre choice.
    MainMenus(QWidget &window, CommandTable &commands, core::GenreChoice &genre, platform::Sounds &sounds);

    void createMainMenu(QMenuBar *bar);
    void createContextMenus();
    // The side bar, a child of the window until it is laid out.
    widgets::SideBar *createSideBar();

    QMenu *popup1() const { return m_popup1; } // PopupMenu1
    QMenu *popup2() const { return m_popup2; } // PopupMenu2

    // The genre menu's choice, which the book lists read.
    core::GenreChoice &genreChoice() { return m_genreChoice; }
    // The genre ticked in the genre menu: empty for "Všechny druhy".
    QString tickedGenre() const;
    // The caption of the ticked item ("Všechny druhy" or the genre).
    QString tickedGenreCaption() const;

signals:
    // A menu is about to open.
    void menuAboutToShow();

private:
    void createGenreMenu(QMenu *genreMenu);
    QMenu *addMenu(QMenuBar *bar, const char *name, const char *caption, const char *hint);
    QMenu *addMenu(QMenuBar *bar, core::Command command);
    QMenu *addSubMenu(QMenu *parent, const char *name, const char *caption);
    QMenu *addSubMenu(QMenu *parent, core::Command command);
    // Names a new menu and its action, gives it its hint and lists it
    // among the commands addressed by name.
    QMenu *named(QMenu *menu, const char *name, const char *hint);
    // The commands' actions in this order; nullopt for a separator.
    void addItems(QMenu *menu, std::initializer_list<std::optional<core::Command>> commands);

    QWidget &m_window;
    CommandTable &m_commands;
    platform::Sounds &m_sounds;
    QMenu *m_popup1 = nullptr;
    QMenu *m_popup2 = nullptr;
    QActionGroup *m_genres = nullptr;
    core::GenreChoice &m_genreChoice;
};

} // namespace app
