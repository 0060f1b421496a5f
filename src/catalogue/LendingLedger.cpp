#include "LendingLedger.h"

#include "core/DataModule.h"
#include "core/Slots.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/FileRules.h"

#include <QDate>

namespace catalogue {

namespace {

const QString LentText = QStringLiteral("Půjčeno");

// The first address book is Table8, the second Table9.
constexpr int FirstAddressTable = 8;

// Any record still pending from an interrupted operation goes first: a card
// is never stored under another book.
void dropPending(dbase::Table &table)
{
    if (table.isActive() && table.state() != dbase::Table::State::Browse)
        table.cancel();
}

} // namespace

const std::array<const char *, CardText::FieldCount> CardText::FieldNames = {
    "JMENO", "PRIJMENI", "ULICE", "CISLO", "TELEFON", "OBEC", "PSC"};

LendingLedger::LendingLedger(core::DataModule &data)
    : m_data(data)
{
}

dbase::Table &LendingLedger::cards() const
{
    return *m_data.lendingTable();
}

QString LendingLedger::filterFor(int slot)
{
    return dbase::Table::filterFor(QStringLiteral("PROGRAM"), core::slotInfo(slot).lendingCode);
}

bool LendingLedger::findCard(int slot, const QString &numberText)
{
    dbase::Table &table = cards();
    if (!table.isActive())
        m_data.openTable(7);
    dropPending(table);
    table.setFiltered(true);
    table.setFilter(filterFor(slot));
    table.setOrder(QStringLiteral("ID"));
    table.first();
    table.findKey(numberText);
    return isCardOf(numberText);
}

bool LendingLedger::isCardOf(const QString &numberText) const
{
    const dbase::Table &table = cards();
    if (!table.isActive() || table.isEmpty() || table.state() == dbase::Table::State::Insert)
        return false;
    return table.fieldText(QStringLiteral("ID")) == numberText;
}

std::optional<CardText> LendingLedger::readCard(int slot, const QString &numberText)
{
    if (!findCard(slot, numberText))
        return std::nullopt;
    const dbase::Table &table = cards();
    CardText card;
    for (int i = 0; i < CardText::FieldCount; ++i)
        card.fields[i] = table.fieldText(QString::fromLatin1(CardText::FieldNames[i]));
    card.date = table.fieldText(QStringLiteral("DATUM"));
    return card;
}

CardText LendingLedger::saveCard(const CardOwner &owner, const CardText &typed)
{
    dbase::Table &table = cards();
    if (findCard(owner.slot, owner.numberText))
        table.edit();
    else
        table.insert();
    try {
        for (int i = 0; i < CardText::FieldCount; ++i)
            table.setFieldText(QString::fromLatin1(CardText::FieldNames[i]), typed.fields[i]);
        table.setFieldText(QStringLiteral("DATUM"), QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
        table.setFieldText(QStringLiteral("ID"), owner.numberText);
        table.setFieldText(QStringLiteral("PROGRAM"), core::slotInfo(owner.slot).lendingCode);
        table.post();
    } catch (...) {
        dropPending(table);
        throw;
    }
    // The card is stored first: a book is never marked lent without one.
    if (owner.book)
        markBook(*owner.book, true, owner.recordEditing);
    CardText stored = typed;
    stored.date = QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));
    return readCard(owner.slot, owner.numberText).value_or(stored);
}

void LendingLedger::deleteCard(const CardOwner &owner)
{
    if (findCard(owner.slot, owner.numberText))
        cards().remove();
    if (owner.book)
        markBook(*owner.book, false, owner.recordEditing);
}

void LendingLedger::markBook(dbase::Table &book, bool lent, bool recordEditing)
{
    const QString value = lent ? LentText : QString();
    if (recordEditing) {
        book.setFieldText(QStringLiteral("PUJCENO"), value);
        book.post();
        book.edit();
        return;
    }
    book.edit();
    try {
        book.setFieldText(QStringLiteral("PUJCENO"), value);
        book.post();
    } catch (...) {
        book.cancel();
        throw;
    }
}

void LendingLedger::flagBorrower(int slot, const Borrower &borrower, bool lent, const Progress &progress)
{
    auto report = [&](int position) {
        if (progress)
            progress(position);
    };
    m_matched = 0;
    const QString dataDir = m_data.programDirectory().dataDir();
    bool present[2];
    present[0] = !platform::presenceTest(core::addressBookFile(1), dataDir).isEmpty();
    report(10);
    present[1] = !platform::presenceTest(core::addressBookFile(2), dataDir).isEmpty();
    report(15);
    if (borrower.surname.trimmed().isEmpty())
        return;
    const QString flag = core::slotInfo(slot).addressFlag;
    for (int n = 0; n < 2; ++n) {
        const int start = 20 + n * 40;
        if (present[n])
            flagIn(FirstAddressTable + n, flag, borrower, lent, start, progress);
    }
}

void LendingLedger::flagIn(int tableNumber, const QString &flag, const Borrower &borrower, bool lent,
                           int position, const Progress &progress)
{
    auto report = [&](int step) {
        if (progress)
            progress(position + step * 5);
    };
    dbase::Table &table = *m_data.table(tableNumber);
    const QString value = lent ? QStringLiteral("true") : QStringLiteral("false");
    try {
        table.setDatabaseName(m_data.programDirectory().dataDir());
        report(0);
        m_data.openTable(tableNumber);
        report(1);
        table.setFiltered(true);
        report(2);
        // The value is quoted by the engine: a surname with an apostrophe
        // is looked up as it stands.
        table.setFilter(dbase::Table::filterFor(QStringLiteral("PRIJMENI"), borrower.surname));
        report(3);
        table.first();
        report(4);
        while (!table.eof()) {
            if (table.fieldText(QStringLiteral("PRIJMENI")) == borrower.surname
                && table.fieldText(QStringLiteral("JMENO")) == borrower.name
                && table.fieldText(QStringLiteral("ULICE1")) == borrower.street) {
                ++m_matched;
                if (table.fieldText(flag) != value) {
                    table.edit();
                    table.setFieldText(flag, value);
                }
            }
            table.next(); // stores the change
        }
        if (table.state() != dbase::Table::State::Browse)
            table.post(); // the last record of the view
        report(5);
        table.setFiltered(false);
        report(6);
        table.close();
        report(7);
    } catch (...) {
        // Nothing half-written stays pending; the table is closed again so
        // that the next run starts afresh.
        try {
            if (table.isActive()) {
                if (table.state() != dbase::Table::State::Browse)
                    table.cancel();
                table.close();
            }
        } catch (...) {
        }
        throw;
    }
}

} // namespace catalogue
