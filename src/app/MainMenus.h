#pragma once

// The menus of the main window built from the command table: the main menu
// MainMenu1 with the genre menu and its choice, the side bar LookOut1 and the
// two context menus, PopupMenu1 (the view toggles' twins, on the toolbars,
// the status bar and the side bar) and PopupMenu2 (on the catalogue area).
// The menus never set a command's state; they say when one opens, so that
// the main window refreshes the states first.

#include "core/GenreChoice.h"

#include <QObject>

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
class ViewToggles;

class MainMenus : public QObject
{
    Q_OBJECT
public:
    // window is the main window, the parent of the context menus.
    MainMenus(QWidget &window, CommandTable &commands, ViewToggles &toggles, platform::Sounds &sounds);

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

    QWidget &m_window;
    CommandTable &m_commands;
    ViewToggles &m_toggles;
    platform::Sounds &m_sounds;
    QMenu *m_popup1 = nullptr;
    QMenu *m_popup2 = nullptr;
    QActionGroup *m_genres = nullptr;
    core::GenreChoice m_genreChoice;
};

} // namespace app
