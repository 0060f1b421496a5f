#pragma once

// The link between one table and the controls bound to it. The controls never
// talk to the table directly: they follow the table's moves and changes
// through this object, and the source can be switched off (a long run of
// moves, a rebuild) and on again, after which every control catches up.

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

namespace dbase {
class Table;
}

namespace widgets {

class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(dbase::Table *table = nullptr, QObject *parent = nullptr);

    dbase::Table *table() const;
    void setTable(dbase::Table *table);

    bool isEnabled() const;
    // Switched off, the bound controls stop following the table; switched on
    // again they show the current record at once.
    void setEnabled(bool enabled);

    // The table is open and in edit or insert state.
    bool isEditing() const;

    // A control's text goes into the record at once. What the table refuses
    // (letters in a number, a character code page 1250 cannot hold) stays
    // here as pending text, is still shown by its control and is tried again
    // by updateRecord().
    void writeField(const QString &field, const QString &text);
    bool hasPending(const QString &field) const;
    QString pendingText(const QString &field) const;

    // Writes the pending texts into the record before it is posted. Throws
    // dbase::Error with the engine's message when one still does not fit;
    // the record stays in edit state and keeps what the user typed.
    void updateRecord();

signals:
    void recordChanged();
    void stateChanged();

private:
    void forwardRecord();
    void forwardState();

    QPointer<dbase::Table> m_table;
    bool m_enabled = true;
    QMap<QString, QString> m_pending; // field name -> refused text
};

} // namespace widgets
