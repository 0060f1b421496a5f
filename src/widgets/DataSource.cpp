#include "DataSource.h"

#include "dbase/Table.h"

namespace widgets {

DataSource::DataSource(dbase::Table *table, QObject *parent)
    : QObject(parent)
{
    setTable(table);
}

dbase::Table *DataSource::table() const
{
    return m_table;
}

void DataSource::setTable(dbase::Table *table)
{
    if (m_table == table)
        return;
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (m_table) {
        connect(m_table, &dbase::Table::recordChanged, this, &DataSource::forwardRecord);
        connect(m_table, &dbase::Table::stateChanged, this, &DataSource::forwardState);
    }
    forwardState();
    forwardRecord();
}

bool DataSource::isEnabled() const
{
    return m_enabled;
}

void DataSource::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    if (m_enabled) {
        forwardState();
        forwardRecord();
    }
}

bool DataSource::isEditing() const
{
    if (!m_table || !m_table->isActive())
        return false;
    const auto state = m_table->state();
    return state == dbase::Table::State::Edit || state == dbase::Table::State::Insert;
}

void DataSource::writeField(const QString &field, const QString &text)
{
    if (!isEditing())
        return;
    try {
        m_pending.remove(field);
        m_table->setFieldText(field, text);
    } catch (const dbase::Error &) {
        m_pending.insert(field, text);
    }
}

bool DataSource::hasPending(const QString &field) const
{
    return m_pending.contains(field);
}

QString DataSource::pendingText(const QString &field) const
{
    return m_pending.value(field);
}

void DataSource::updateRecord()
{
    if (!isEditing()) {
        m_pending.clear();
        return;
    }
    // Each text is taken off the list only once the table has taken it.
    const auto pending = m_pending;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        m_table->setFieldText(it.key(), it.value());
        m_pending.remove(it.key());
    }
}

void DataSource::forwardRecord()
{
    // A record that is no longer being edited has nothing pending any more.
    if (!isEditing())
        m_pending.clear();
    if (m_enabled)
        emit recordChanged();
}

void DataSource::forwardState()
{
    if (!isEditing())
        m_pending.clear();
    if (m_enabled)
        emit stateChanged();
}

} // namespace widgets
