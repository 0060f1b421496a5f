#include "DataModule.h"

#include "SearchCopy.h"

#include "Slots.h"
#include "TableDefinitions.h"

#include <stdexcept>

namespace core {

namespace {

// File names of Table1..Table9, in their order.
QString fileOf(int n)
{
    switch (n) {
    case 5: return QString::fromLatin1(AuxiliaryTableFile);
    case 6: return QString::fromLatin1(TipsTableFile);
    case 7: return QString::fromLatin1(LendingTableFile);
    case 8: return addressBookFile(1);
    case 9: return addressBookFile(2);
    default: return bookTableFile(n);
    }
}

void checkIndex(int n, int count)
{
    if (n < 1 || n > count)
        throw std::out_of_range("table number out of range");
}

} // namespace

DataModule::DataModule(const platform::ProgramDirectory &dir, QObject *parent)
    : QObject(parent)
    , m_dir(dir)
{
    setObjectName(QStringLiteral("DataModule1"));
    for (int n = 1; n <= TableCount; ++n) {
        auto *table = new dbase::Table(this);
        table->setObjectName(QStringLiteral("Table%1").arg(n));
        table->setDatabaseName(m_dir.dataDir());
        table->setTableName(fileOf(n));
        m_tables[n - 1] = table;
    }
    m_searchCopy = std::make_unique<SearchCopy>(*this);
}

DataModule::~DataModule() = default;

SearchCopy &DataModule::searchCopy() const
{
    return *m_searchCopy;
}

dbase::Table *DataModule::table(int n) const
{
    checkIndex(n, TableCount);
    return m_tables[n - 1];
}

dbase::Table *DataModule::bookTable(int slot) const
{
    checkIndex(slot, SlotCount);
    return m_tables[slot - 1];
}


dbase::Table *DataModule::tipsTable() const { return m_tables[5]; }

dbase::Table *DataModule::lendingTable() const { return m_tables[6]; }

dbase::Table *DataModule::addressBook(int n) const
{
    checkIndex(n, 2);
    return m_tables[6 + n];
}

QString DataModule::defaultOrder(int n)
{
    checkIndex(n, TableCount);
    switch (n) {
    case 5: return QStringLiteral("AUTOR");
    case 6: return QString(); // file order
    case 7: return QStringLiteral("ID");
    case 8:
    case 9: return QStringLiteral("PRIJMENI");
    default: return QStringLiteral("CISLO");
    }
}

void DataModule::openTable(int n)
{
    dbase::Table *t = table(n);
    t->setDatabaseName(m_dir.dataDir());
    t->open();
    // A table opened in the order it already has stays on its first record
    // as the beginning (setting an order reports no beginning or end).
    if (t->order() != defaultOrder(n))
        t->setOrder(defaultOrder(n));
}

const platform::ProgramDirectory &DataModule::programDirectory() const
{
    return m_dir;
}

} // namespace core
