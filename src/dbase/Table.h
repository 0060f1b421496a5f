#pragma once

// The dataset cursor over one dBASE table (.dbf with its .dbt memo file and
// .mdx production index). Every window of the program reads and writes books
// through it; other programs of the family read the same files, so what it
// writes stays plain dBASE IV.

#include "DbfTypes.h"

#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace dbase {

class TableData;
class Order;

class Table : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Table(QObject *parent = nullptr);
    ~Table() override;

    // Where the files are: the folder (with or without a trailing slash) and
    // the file name of the .dbf ("VazonS.dbf"); found without regard to case.
    void setDatabaseName(const QString &folder);
    QString databaseName() const;
    void setTableName(const QString &fileName);
    QString tableName() const;
    QString filePath() const; // resolved path of the .dbf (as found on disk when it exists)

    void open();  // throws Error: missing, locked or damaged files
    void close(); // settles a pending edit first; rewrites the .mdx when the table changed
    bool isActive() const;
    State state() const;

    // Navigation over the visible records (filter applied) in the current order.
    void first();
    void next();
    void prior();
    void last();
    bool bof() const;
    bool eof() const;
    bool isEmpty() const;    // no visible record
    int recordCount() const; // visible records

    // Editing. edit() on an empty view starts an insertion. post() writes the
    // record to disk before it returns; the record stays current.
    void edit();
    void insert();
    void post();
    void cancel();
    void remove(); // deletes the current record (sets its deletion flag)
    bool isModified() const; // a field of the pending record was set

    // Fields.
    const QList<FieldDef> &fields() const;
    int fieldIndex(const QString &name) const; // -1 when missing; case-insensitive
    // Text form: numbers in plain decimal form with a point ("12", "12.5"),
    // dates d.M.yyyy, logicals "true"/"false", empty for an empty value.
    QString fieldText(const QString &name) const;
    // The same text of field index, decoded into buffer, whose memory serves
    // again for the next record: a scan that reads a few fields of every
    // record makes no string for each. The view lasts until buffer changes.
    // Throws Error as fieldBytes does.
    QStringView fieldText(int index, QString &buffer) const;
    void setFieldText(const QString &name, const QString &text); // throws Error, changes nothing then
    // Typed form: QString, double (or qint64 for I/+), QDate, bool; invalid QVariant when empty.
    QVariant fieldValue(const QString &name) const;
    void setFieldValue(const QString &name, const QVariant &value);
    // The stored bytes of field index in the current record (the pending one
    // while editing); empty without a current record. For readers that
    // convert a whole table themselves, with the table's language driver.
    QByteArrayView fieldBytes(int index) const;
    // Stores bytes (exactly the field's length, in this table's language
    // driver) as field index of the pending record, starting an edit as
    // setFieldText does. For copying a field between tables where the two
    // fields have the same definition; throws Error for a memo field or
    // bytes of another length.
    void setFieldBytes(int index, QByteArrayView bytes);
    // The stored bytes of the whole current record, its deletion flag
    // first, and where in them field index begins: for readers that take
    // every field of many records, one call per record instead of one per
    // field. Empty without a current record.
    QByteArrayView recordBytes() const;
    int fieldOffset(int index) const;
    quint8 languageDriver() const;

    // Orders: by a field name or an index tag name of the .mdx ("AUTORNAZEV").
    // An empty name is file order. Keeps the current record.
    void setOrder(const QString &fieldOrTagName);
    QString order() const;
    QList<IndexTag> tags() const; // tags of the production index

    // Filter "FIELD = 'value'" (apostrophes in the value doubled) with its switch.
    void setFilter(const QString &expression); // throws Error on a malformed expression
    QString filter() const;
    void setFiltered(bool on);
    bool filtered() const;
    // The filter expression that shows the records whose field equals value
    // (apostrophes doubled), for setFilter.
    static QString filterFor(const QString &field, const QString &value);

    bool findKey(const QString &value);     // on the current order; moves on a match
    void findNearest(const QString &value); // first record whose key is not less

    using Bookmark = quint32;                 // physical record number, 1-based; 0 = none
    Bookmark bookmark() const;
    void gotoBookmark(Bookmark bookmark);     // throws Error when the record is not visible
    quint32 recNo() const;                    // physical record number of the current record

    bool isReadOnly() const; // open, but the files cannot be written

    // An append of many records that other readers see all at once or not at
    // all, also when the process is killed at any moment. The records posted
    // from beginAppend on stand past the header's record count, which every
    // dBASE reader believes; commitAppend makes them and their memo texts
    // reach the disk, writes the index for them, and only then the new
    // count. Edits of older records and deletions are written at once as
    // ever. commitAppend throws Error when it cannot finish; the table is
    // then as it was before beginAppend. The memory for expected records
    // (about as many as will be posted) is made ready on another thread
    // while the first ones are posted.
    void beginAppend(quint32 expected = 0);
    void commitAppend();
    void rollbackAppend(); // drops the records posted since beginAppend
    bool inAppend() const;

    // The production index did not describe the table when it was opened
    // (a kill before the index was written, or records another program
    // added without it) and was written anew then.
    bool indexRebuiltAtOpen() const;

signals:
    // The current record moved or its values changed (move, post, cancel, field write).
    void recordChanged();
    // Opened, closed, or switched between browse, edit and insert.
    void stateChanged();

private:
    void requireActive() const;
    void requireWritable() const;
    int requireField(const QString &name) const;
    void settle(); // posts a changed pending record, drops an unchanged one
    Order &orderFor(const QString &name);
    bool matchesFilter(quint32 rec) const;
    void applyFilterText(const QString &expression);
    void rebuildView();
    void restartView(); // after a change of the filter: its first record, the flags, the signal
    void moveTo(qsizetype pos);
    void moveToEnd(bool last); // first() and last()
    void step(bool forward);   // next() and prior()
    qsizetype keyPosition(const QString &value, bool *exact); // of findKey and findNearest
    void placeOn(qint64 rec);
    void placeOnNow(qint64 rec);
    void resolvePlace() const;
    qint64 currentRec() const;
    const char *currentBytes() const;
    // The text bytes of a memo field (pending or in the .dbt); nothing when it has none.
    std::optional<QByteArray> memoText(int index, QByteArrayView ref) const;
    void addRecords(quint32 from, quint32 to);
    void refreshFromDisk();
    void storeField(int index, const char *bytes); // the field's length of bytes
    void writeIndex();
    void loadOrders();  // file order, the chosen order and the filter, from the records held
    bool indexDescribesTable() const;
    void noteChange(); // before a change reaches the .dbf: the index on disk no longer describes it
    void forgetNote();

    std::unique_ptr<TableData> d;
};

// Makes a new empty table: .dbf, a .dbt when withMemo, and a .mdx holding the
// tags (none: no .mdx and no production-index flag). Overwrites existing files.
// Used by the build to lay out the empty templates.
void createTable(const QString &dbfPath, const QList<FieldDef> &fields,
                 const QList<IndexTag> &tags, bool withMemo);

} // namespace dbase
