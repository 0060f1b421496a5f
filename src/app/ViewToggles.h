#pragma once

// The six view toggles of the main window: the three command toolbars, the
// tips toolbar, the status bar and the side bar, each with its item in the
// Zobrazit menu (PN1..PN4, MZ2, MZ3) and its twin in the context menu
// PopupMenu1 (P1M1..P1M6), and its [Zobrazit] key in the ini file. The check
// marks come with the other command states from the availability table; the
// toggles only say that they may have changed.

#include "core/AppSettings.h"

#include <QObject>

#include <array>

class QAction;
class QWidget;

namespace app {

class CommandTable;

class ViewToggles : public QObject
{
    Q_OBJECT
public:
    static constexpr int Count = 6;

    // Shows and hides the elements for the menu items and twins of the
    // command table; what a toggle does is wired with the other commands.
    ViewToggles(core::AppSettings &settings, CommandTable &commands, QObject *parent);

    QAction *menuItem(int index) const { return m_toggles[index].menuItem; }
    QAction *twin(int index) const { return m_toggles[index].twin; }
    // The element a toggle shows and hides, in the order of core::ViewElement.
    void setTarget(int index, QWidget *target) { m_toggles[index].target = target; }
    bool isShown(int index) const { return m_toggles[index].shown; }

    // Reads the six [Zobrazit] keys and shows or hides the elements
    // accordingly (creation, and after the restore).
    void apply();
    // The user's toggle (menu item or twin) and a floating toolbar's close
    // button: shown or hidden, and written to the ini file.
    void toggle(int index);
    void hide(int index);

signals:
    // An element was shown or hidden: the check marks may have changed.
    void shownChanged();
    // The ini file could not be written.
    void failed(const QString &message);

private:
    struct Toggle
    {
        core::ViewElement element;
        QAction *menuItem = nullptr; // PN1 .. MZ3
        QAction *twin = nullptr;     // P1M1 .. P1M6
        QWidget *target = nullptr;   // the toolbar, status bar or side bar
        bool shown = true;
    };

    void setShown(int index, bool shown, bool write);
    void setShownAndWrite(int index, bool shown);

    core::AppSettings &m_settings;
    std::array<Toggle, Count> m_toggles;
};

} // namespace app
