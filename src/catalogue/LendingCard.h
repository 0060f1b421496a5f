#pragma once

// The lending card of a catalogue window: the overlay Panel10 that lies over
// the window's page and footer and shows who borrowed the current book. It
// has its own toolbar (delete, edit, save, undo, back) and its own context
// menu PopupMenu2; the bound edits DBEdit1..DBEdit7 show the current record
// of the one lending table of the program, and the covering panel Kryti
// hides them while the book has no card.
//
// Saving and deleting keep the family's address books informed through the
// LendingLedger, with the progress box InfoPropojitDialog up meanwhile.

#include "LendingLedger.h"

#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;

namespace core {
class DataModule;
class Shell;
} // namespace core
namespace dbase {
class Table;
}

namespace widgets {
class DataSource;
}

namespace catalogue {

class LendingCard : public QWidget
{
    Q_OBJECT
public:
    // Hidden: the overlay is not shown. The other three are the card's
    // states while it is shown.
    enum class State { Hidden, NoCard, CardPresent, Editing };

    // The book side of the card: the catalogue window's slot, table and data
    // source (its typed texts go into the record before the book is marked
    // lent), the number text its C1 shows and whether the record is in
    // record edit mode.
    struct Book
    {
        int slot = 1;
        dbase::Table *table = nullptr;
        widgets::DataSource *source = nullptr;
        std::function<QString()> numberText;
        std::function<bool()> recordEditing;
    };

    static constexpr int EditCount = 7;

    LendingCard(const Book &book, core::DataModule &data, core::Shell &shell,
                QWidget *parent);

    State state() const { return m_state; }
    bool isShown() const { return m_state != State::Hidden; }
    bool isEditing() const { return m_state == State::Editing; }
    QMenu *menu() const { return m_menu; } // PopupMenu2

    // The handlers of the label "Půjčeno" and of the card's buttons.
    void RxLabel1Click(); // open the card of the current book
    void TD2Click();      // delete the card
    void TD3Click();      // edit or create the card
    void TD4Click();      // save the card
    void TD5Click();      // undo the card's changes
    void TD7Click();      // leave the card

    // The window with a shown card became active again: a card not being
    // edited is read again (another program of the family may have changed
    // it meanwhile); a card being edited keeps what was typed.
    void reactivated();

signals:
    void stateChanged(catalogue::LendingCard::State state);

private:
    void build();
    QWidget *buildRows(QWidget *parent, bool bound, std::array<QLineEdit *, EditCount> &edits, QLabel *&date);
    QAction *addButton(const char *name, const QIcon &icon, const QString &caption, const QString &tip,
                       void (LendingCard::*handler)());
    void setEditsEnabled(bool enabled);
    void applyState(State state, bool keepCover = false);
    void setButtons(bool remove, bool edit, bool save, bool undo);
    bool run(const std::function<void()> &step);
    bool link(const QString &text, const Borrower &borrower, bool lent,
              const std::function<void()> &beforeClose = {});
    bool hasBook() const;
    CardOwner owner() const;
    // Reads the book's card afresh into the edits; false when reading failed.
    bool reload();
    void showCard(const std::optional<CardText> &card);
    CardText typedCard() const;

    Book m_book;
    core::DataModule &m_data;
    core::Shell &m_shell;
    LendingLedger m_ledger;
    State m_state = State::Hidden;
    bool m_hasCard = false; // the book had a card when it was last read

    std::array<QLineEdit *, EditCount> m_edits{};      // DBEdit1..DBEdit7
    std::array<QLineEdit *, EditCount> m_coverEdits{}; // their copies on Kryti
    QLabel *m_date = nullptr;                          // DBText2
    QWidget *m_cover = nullptr;                        // Kryti
    QToolBar *m_toolbar = nullptr;
    std::array<QAction *, 4> m_buttons{};              // TD2..TD5
    std::array<QAction *, 4> m_items{};                // TP2..TP5
    QAction *m_back = nullptr;                         // TD7
    QMenu *m_menu = nullptr;
};

} // namespace catalogue
