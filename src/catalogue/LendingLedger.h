#pragma once

// The lending table and the family's address books, without any window:
// finding the card of a book, marking the book as lent, and flagging or
// clearing the borrower in the address books. The lending card overlay of a
// catalogue window drives it; tests and the benchmark use it directly.
//
// There is one lending table for the whole program (one cursor, one filter):
// finding a card for one catalogue moves it for every window.

#include <QString>

#include <functional>

namespace core {
class DataModule;
}
namespace dbase {
class Table;
}

namespace catalogue {

// The person on a card, as the address books are matched against it.
struct Borrower
{
    QString surname; // PRIJMENI of the card and of the address book
    QString name;    // JMENO of both
    QString street;  // ULICE of the card, ULICE1 of the address book
};

class LendingLedger
{
public:
    explicit LendingLedger(core::DataModule &data);

    dbase::Table &cards() const; // Table7

    // "PROGRAM = 'GS'" and the like for the slot's lending code.
    static QString filterFor(int slot);

    // Opens the lending table when it is closed, filters it to the slot's
    // catalogue, orders it by ID and looks up the book's number text.
    // Returns true when the current record is the book's card.
    bool findCard(int slot, const QString &numberText);
    // The current record is the card of the book with this number text.
    bool isCardOf(const QString &numberText) const;

    // Fills in what makes a card the book's: today's date, the number text
    // and the slot's lending code (the card is put into edit state first
    // unless it is being inserted).
    void stampCard(int slot, const QString &numberText);

    // Writes the book's lent marker PUJCENO ("Půjčeno" or empty) and posts
    // it. A book in record edit mode is posted with its other pending
    // changes and put back into edit state; its DATUM is not touched.
    static void markBook(dbase::Table &book, bool lent, bool recordEditing);

    // Progress positions of a linking run, as the progress box shows them.
    using Progress = std::function<void(int position)>;

    // Sets (lent) or clears the slot's borrower flag G1..G4 on every person
    // of the two address books whose PRIJMENI, JMENO and ULICE1 equal the
    // borrower's. A missing address book is skipped; an empty surname
    // touches none. Reports the positions 10 .. 95 as it goes (the caller
    // shows 5 before and 100 after). Only the flag field is written. Throws
    // dbase::Error on a failure of the engine; the address book being
    // worked on is closed again, its pending change dropped.
    void flagBorrower(int slot, const Borrower &borrower, bool lent, const Progress &progress = {});

    // How many persons the last flagBorrower changed or confirmed.
    int matchedLastTime() const { return m_matched; }

private:
    void flagIn(int tableNumber, const QString &flag, const Borrower &borrower, bool lent,
                int position, const Progress &progress);

    core::DataModule &m_data;
    int m_matched = 0;
};

} // namespace catalogue
