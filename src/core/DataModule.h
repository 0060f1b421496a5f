#pragma once

// The one data module: the nine tables of the program for the whole run.
// Every table looks for its files in the data directory; nothing is opened
// when the module is created.

#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>

namespace core {

class SearchCopy;

class DataModule : public QObject
{
    Q_OBJECT
public:
    static constexpr int TableCount = 9;

    explicit DataModule(const platform::ProgramDirectory &dir, QObject *parent = nullptr);
    ~DataModule() override;

    dbase::Table *table(int n) const;        // Table1..Table9, n = 1..9
    dbase::Table *bookTable(int slot) const; // Table1..Table4 of slot 1..4
    // Table5, the search copy, through its one owner.
    SearchCopy &searchCopy() const;
    dbase::Table *tipsTable() const;         // Table6
    dbase::Table *lendingTable() const;      // Table7
    dbase::Table *addressBook(int n) const;  // Table8, Table9 of n = 1..2

    // The order a table gets when it is opened: CISLO for the book tables,
    // AUTOR for Table5, ID for Table7, PRIJMENI for the address books, file
    // order for the tips.
    static QString defaultOrder(int n);
    // Points table n at the data directory again, opens it and sets its
    // default order. Throws dbase::Error when its files are missing or damaged.
    void openTable(int n);

    const platform::ProgramDirectory &programDirectory() const;

private:
    platform::ProgramDirectory m_dir;
    std::array<dbase::Table *, TableCount> m_tables{};
    std::unique_ptr<SearchCopy> m_searchCopy;
};

} // namespace core
