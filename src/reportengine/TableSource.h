#pragma once

// The records of an open table's current view (its order and filter) as the
// records of a report. The bookmark is the position.

#include "RecordSource.h"

namespace dbase {
class Table;
}

namespace reportengine {

class TableSource : public RecordSource
{
public:
    explicit TableSource(dbase::Table &table);

    bool first() override;
    bool next() override;
    Position position() const override;
    void seek(Position position) override;
    QString text(const QString &field) const override;
    // The stored bytes: the same text is stored as the same bytes.
    QByteArray key(const QString &field) const override;

private:
    dbase::Table &m_table;
};

} // namespace reportengine
