#pragma once

// The child window of one catalogue. One class serves all four slots; the
// slot decides the table, the object names and the main-window items it
// touches. The window has no cursor of its own: it shows the current record
// of its slot's table, whoever moves it.
//
// The window lives in a QMdiSubWindow of the main window's frame, where the
// catalogue subsystem places it (Catalogues::open). The
// sub-window carries the object name "Databaze1Dialog".."Databaze4Dialog"
// (it is what the frame reports as active); this widget inside it is named
// "Databaze1Form".."Databaze4Form". CatalogueWindow::of() maps either to the
// catalogue window.
//
// The window composes the book form (BookForm: the record controls bound to
// the table) and the lending card (LendingCard), which lies over the form's
// page and footer while it is shown, and its context menu PopupMenu1
// (WindowMenu). The form and the card keep their size: in a client area
// smaller than the form they scroll (FormScroll). The window itself holds the
// record commands, the keys, the close, and its state.

#include "core/Availability.h"
#include "CatalogueServices.h"
#include "LendingCard.h"
#include "WindowState.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QMdiSubWindow;
class QScrollArea;

namespace dbase {
class Table;
}
namespace widgets {
class DataSource;
}

namespace catalogue {

class BookForm;
class CloseQuestions;
class WindowMenu;

class CatalogueWindow : public QWidget
{
    Q_OBJECT
public:
    CatalogueWindow(int slot, const QString &displayName, const CatalogueServices &services,
                    QWidget *parent = nullptr);
    ~CatalogueWindow() override;

    // The catalogue window held by a frame's sub-window (or the window itself).
    static CatalogueWindow *of(QWidget *widget);

    QSize sizeHint() const override; // the client area, 517 x 305

    int slot() const;
    dbase::Table *table() const;
    widgets::DataSource *dataSource() const;
    QString displayName() const;
    QMdiSubWindow *subWindow() const;
    // The frame's sub-window the window was placed in: named for the slot,
    // closed with the window, and telling it when it is activated.
    void setSubWindow(QMdiSubWindow *sub);

    BookForm *form() const { return m_form; }

    // What the window is doing: browsing or editing its record, and whether
    // its lending card is hidden, shown or being edited (WindowState). It is
    // kept here and nowhere else; the controls follow it.
    WindowState windowState() const { return m_state; }

    // Record edit mode.
    bool isEditing() const;
    core::CatalogueState state() const;

    // What the commands need to know of the window.
    core::WindowSnapshot snapshot() const;

    // Sets the window's own context-menu items MP0..MP13 and MP from the
    // availability table (WindowMenu; before the menu opens and on every
    // change).
    void applyAvailability();

    // The one way in for a record command (the moves, new, edit, save, undo,
    // delete, the clipboard, find, preview and print), from the main window
    // and from the window's own menu and keys alike.
    void perform(core::Command command);

    // The record commands. Moves, new, edit and delete do nothing while a record is being
    // edited or the lending card is shown (the card belongs to the book it
    // was opened for); save and undo do nothing when no record is edited.
    void first();
    void prior();
    void next();
    void last();
    void newRecord();
    void editRecord();
    // Dates and posts the record. A value the table refuses is shown in an
    // error box and the record stays in edit mode with what the user typed.
    // Returns whether the record was stored.
    bool saveRecord();
    void undo();
    void deleteRecord(); // shows the delete question DotazOdstranitDialog

    // The clipboard commands of the window (MP1..MP3): they act on the free
    // text control entered last.
    void cut();
    void copy();
    void paste();

    // What a close does now (see closeDecision(WindowState)).
    using CloseDecision = catalogue::CloseDecision;
    CloseDecision closeDecision() const;

    // The window's close (its own close button, Ctrl+F4, the program's end):
    // closes it when nothing is pending, otherwise asks about the record and
    // keeps it open. Returns true when the window has closed.
    bool requestClose();

    // The lending card over the form's page and footer (Panel10), and
    // whether it is being edited; the close and the program's end test the
    // latter.
    LendingCard *lendingCard() const { return m_card; }
    bool isLendingCardEditing() const;

signals:
    // The table moved or changed state, the record went into or out of
    // edit mode, another record control was entered, the lending card came
    // or went, the window was activated or deactivated: the main window
    // takes a new snapshot and refreshes its commands. The window tells the
    // main window nothing else about commands.
    void stateMayHaveChanged();
    // Find, and the report selection in preview or print mode, for this catalogue.
    void findRequested(int slot);
    void previewRequested(int slot);
    void printRequested(int slot);
    // The window has really closed: table closed, open marker 0.
    void closed(int slot);
    // The question raised by a close has been answered; closed says whether
    // the window is gone.
    void closeQuestionAnswered(int slot, bool closed);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    void buildLendingCard();
    void buildMenu();
    // The one place the state changes: the form's controls follow the
    // record part, the commands are brought in line and the main window is
    // told.
    void setWindowState(WindowState next);
    void setRecordEditing(bool editing);
    void recordChanged();
    void activated();
    void deactivated();
    void enterRecordControl(bool freeText);
    bool run(const std::function<void()> &step); // shows a refused step in an error box
    void answerPendingRecord(bool save); // to the close's question about the record
    bool closeNow();

    const int m_slot;
    const QString m_displayName;
    CatalogueServices m_services;
    dbase::Table *m_table;

    QScrollArea *m_scroller = nullptr; // FormScroll: holds the form and the card
    BookForm *m_form = nullptr;
    LendingCard *m_card = nullptr; // over the form's page and footer
    WindowState m_state;
    bool m_freeTextEntered = false; // the record control entered last is free text
    WindowMenu *m_menu = nullptr; // PopupMenu1 and its keys

    QPointer<QMdiSubWindow> m_subWindow;
    CloseQuestions *m_questions = nullptr;
};

} // namespace catalogue
