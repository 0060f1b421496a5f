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

} // namespace

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

void LendingLedger::stampCard(int slot, const QString &numberText)
{
    dbase::Table &table = cards();
    if (table.state() == dbase::Table::State::Browse)
        table.edit();
    table.setFieldText(QStringLiteral("DATUM"), QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
    table.setFieldText(QStringLiteral("ID"), numberText);
    table.setFieldText(QStringLiteral("PROGRAM"), core::slotInfo(slot).lendingCode);
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
