#pragma once

// The main window: the frame of the catalogue windows with every command of
// the program in its menu, three command toolbars, the tips toolbar, the side
// bar and two context menus; the status bar with the hint line, the dialog
// indicators and the active catalogue. It keeps the commands in step with
// the active catalogue window and ends the program when it closes.

#include "core/Availability.h"
#include "core/AppSettings.h"
#include "core/SharedPrinter.h"
#include "core/Shell.h"
#include "platform/ProgramDirectory.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>

class QMdiSubWindow;
class QMenu;
class QPrinter;

namespace core {
class GenreChoice;
class DataModule;
class SuiteSettings;
}
namespace platform {
class Sounds;
}
namespace catalogue {
class CatalogueWindow;
class Catalogues;
}
namespace guidance {
class PomocnikDialog;
class TipyDialog;
class UvitaniDialog;
}

namespace app {

class CatalogueArea;
class CommandRefresh;
class CommandTable;
class MainMenus;
class StatusPanels;
class TipLine;
class ToolbarRows;
class ViewToggles;

class HlavniDialog : public QMainWindow, public core::Shell
{
    Q_OBJECT
public:
    static constexpr int RestoredWidth = 607;
    static constexpr int RestoredHeight = 416;

    // The settings, the genre choice and the printer are the program
    // context's; the window only uses them.
    HlavniDialog(const platform::ProgramDirectory &dir, core::DataModule &data, core::AppSettings &settings,
                 core::SuiteSettings &suite, platform::Sounds &sounds, core::GenreChoice &genre,
                 core::SharedPrinter &printer, QWidget *parent = nullptr);
    ~HlavniDialog() override;

    // The windows of the guidance, created after the main window.
    void setAssistant(guidance::PomocnikDialog *assistant);
    void setWelcomeDialog(guidance::UvitaniDialog *welcome);
    void setTipsDialog(guidance::TipyDialog *tips);
    // The catalogue windows' keeper: the close asks it first.
    void setCatalogues(catalogue::Catalogues *catalogues);

    // core::Shell
    void setMainWindowEnabled(bool enabled) override;
    void setIndicatorVisible(const QString &name, bool visible) override;
    void playSound(const QString &fileName) override;
    QWidget *activeCatalogueWindow() const override;
    int activeSlot() const override;
    void placeBesideAssistant(QWidget *dialog) override;
    void placeAboveAssistant(QWidget *dialog) override;
    void showError(const QString &message) override;

    // A command by the object name of its menu item ("MS1", "TD3" is the
    // toolbar button of "PNa3"); also the view toggles, their twins, the
    // genre items and the window entries o11..o41 and N10.
    QAction *command(const QString &name) const;
    // The commands, keyed by core::Command.
    CommandTable *commands() const { return m_commands; }
    CatalogueArea *catalogueArea() const;
    // The catalogue window of a slot when it is open in the frame.
    QMdiSubWindow *catalogueSubWindow(int slot) const;
    // The one printer shared by the printer set-up and the reports (the
    // program context's).
    QPrinter *printer();
    core::SharedPrinter &sharedPrinter() { return m_printer; }
    // The menus with the genre menu, which sets the program's genre choice.
    MainMenus *menus() const { return m_menus; }
    core::GenreChoice &genreChoice() { return m_genre; }
    // The view toggles: toolbars, status bar and side bar shown or hidden.
    ViewToggles *viewToggles() const { return m_toggles; }
    // The tip line of the tips toolbar (DBEdit1).
    TipLine *tipLine() const { return m_tipLine; }

    // Texts of the status bar panels 0 and 2.
    QString hintText() const;
    QString catalogueText() const;

    // What the commands depend on, at this moment.
    core::ProgramState snapshot() const;

    // The refresh of the command states (CommandRefresh): one at the next
    // turn of the event loop, or the pending one at once.
    void scheduleRefresh();
    void refresh();

signals:
    // The close went through: the program ends.
    void closed();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    // Construction, one part each.
    void createToolbars();
    void createStatusBar();

    // The window that holds the program while the frame is disabled (the
    // dialog, balloon or notice shown last and still up), and handing it the
    // keyboard: when it shows, and when a click brings the frame forward.
    QWidget *holdingWindow() const;
    void giveKeyboardToHoldingWindow();

    void FormShow();
    bool FormClose();
    void giveWindowPictures(catalogue::CatalogueWindow *window);

    platform::ProgramDirectory m_dir;
    core::DataModule &m_data;
    platform::Sounds &m_sounds;
    core::AppSettings *m_settings;
    core::SuiteSettings *m_suite;
    core::GenreChoice &m_genre;
    core::SharedPrinter &m_printer;

    CommandTable *m_commands = nullptr;
    ViewToggles *m_toggles = nullptr;
    MainMenus *m_menus = nullptr;
    std::unique_ptr<ToolbarRows> m_rows;
    TipLine *m_tipLine = nullptr;   // DBEdit1
    CatalogueArea *m_area = nullptr;
    StatusPanels *m_status = nullptr;
    CommandRefresh *m_refresh = nullptr;

    QPointer<guidance::PomocnikDialog> m_assistant;
    QPointer<guidance::UvitaniDialog> m_welcome;
    QPointer<guidance::TipyDialog> m_tips;
    QPointer<catalogue::Catalogues> m_catalogues;
    QList<QPointer<QWidget>> m_shownWindows; // the program's windows, in the order they were shown

    bool m_endAfterError = false;
    bool m_shownOnce = false;
};

} // namespace app
