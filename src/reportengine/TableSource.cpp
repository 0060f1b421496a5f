#include "TableSource.h"

#include "dbase/Table.h"

namespace reportengine {

TableSource::TableSource(dbase::Table &table)
    : m_table(table)
{
}

bool TableSource::first()
{
    if (!m_table.isActive())
        return false;
    m_table.first();
    return !m_table.isEmpty();
}

bool TableSource::next()
{
    m_table.next();
    return !m_table.eof();
}

RecordSource::Position TableSource::position() const
{
    return m_table.bookmark();
}

void TableSource::seek(Position position)
{
    m_table.gotoBookmark(dbase::Table::Bookmark(position));
}

QString TableSource::text(const QString &field) const
{
    QString value = m_table.fieldText(field);
    while (!value.isEmpty() && value.back() == QLatin1Char(' '))
        value.chop(1);
    return value;
}

} // namespace reportengine
