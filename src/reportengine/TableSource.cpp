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

QByteArray TableSource::key(const QString &field) const
{
    const int index = m_table.fieldIndex(field);
    if (index < 0)
        return QByteArray();
    const QByteArrayView bytes = m_table.fieldBytes(index);
    qsizetype size = bytes.size();
    while (size > 0 && (bytes[size - 1] == ' ' || bytes[size - 1] == '\0'))
        --size;
    return bytes.first(size).toByteArray();
}

} // namespace reportengine
