#pragma once

// The lending table and the family's address books, without any window:
// the cards of the books, the books' lent marker, and the borrower flags in
// the address books. The lending card overlay of a catalogue window drives
// it; tests and the benchmark use it directly.
//
// There is one lending table for the whole program (one cursor, one filter)
// and every catalogue window shows a card from it. So each operation here is
// a transaction of its own: it finds the book's card by its key (the book's
// number text and the catalogue's program code) immediately before it reads
// or writes, and it leaves no record pending. What a window shows or has
// typed lives in the window, never in the table's cursor.

#include <QString>

#include <array>
#include <functional>
#include <optional>

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

// What a card says: the seven texts the user types, in the order of the
// card's edits (first name, surname, street, number, telephone, town,
// postcode), and the date of the loan.
struct CardText
{
    static constexpr int FieldCount = 7;
    static const std::array<const char *, FieldCount> FieldNames; // JMENO, PRIJMENI, ...

    std::array<QString, FieldCount> fields;
    QString date;

    Borrower borrower() const { return {fields[1], fields[0], fields[2]}; }
};

// The book a card belongs to: its catalogue, its number text as the window
// shows it, its table (positioned on it) and whether the record is in
// record edit mode.
struct CardOwner
{
    int slot = 1;
    QString numberText;
    dbase::Table *book = nullptr;
    bool recordEditing = false;
};

class LendingLedger
{
public:
    explicit LendingLedger(core::DataModule &data);

    dbase::Table &cards() const; // Table7

    // "PROGRAM = 'GS'" and the like for the slot's lending code.
    static QString filterFor(int slot);

    // The book's card, read afresh from the table, or nothing when the book
    // has none. Opens the lending table on first use. Throws dbase::Error.
    std::optional<CardText> readCard(int slot, const QString &numberText);

    // Stores what was typed as the book's card: its existing card is found
    // again and updated, or a card is added when the book has none. Today's
    // date, the number text and the program code make it the book's; then
    // the book is marked lent. A value the table refuses throws before
    // anything is written. Returns the card as stored.
    CardText saveCard(const CardOwner &owner, const CardText &typed);

    // Deletes the book's card, found again by its key (none found: nothing
    // to delete), and marks the book not lent.
    void deleteCard(const CardOwner &owner);

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
    // Filters the table to the slot's catalogue and moves to the book's
    // card; true when there is one.
    bool findCard(int slot, const QString &numberText);
    bool isCardOf(const QString &numberText) const;

    void flagIn(int tableNumber, const QString &flag, const Borrower &borrower, bool lent,
                int position, const Progress &progress);

    core::DataModule &m_data;
    int m_matched = 0;
};

} // namespace catalogue
