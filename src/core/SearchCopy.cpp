#include "SearchCopy.h"

#include "DataModule.h"

#include "dbase/Table.h"

#include <QString>

namespace core {

namespace {

constexpr int CopyTable = 5;

} // namespace

SearchCopy::SearchCopy(DataModule &data)
    : m_data(data)
{
}

dbase::Table &SearchCopy::table() const
{
    return *m_data.table(CopyTable);
}

dbase::Table &SearchCopy::reopen()
{
    dbase::Table &copy = table();
    release();
    if (copy.isActive())
        copy.close();
    m_data.openTable(CopyTable);
    return copy;
}

void SearchCopy::release() noexcept
{
    dbase::Table &copy = table();
    try {
        if (copy.filtered())
            copy.setFiltered(false);
        if (!copy.filter().isEmpty())
            copy.setFilter(QString());
    } catch (...) {
        try {
            copy.close();
            copy.setFiltered(false);
        } catch (...) {
        }
    }
}

} // namespace core
