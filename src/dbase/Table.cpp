#include "Table.h"

#include "KeyExpression.h"
#include "MdxFile.h"
#include "Messages.h"
#include "PathLookup.h"
#include "TagContents.h"
#include "TableData.h"

#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>

#include <algorithm>
#include <exception>
#include <thread>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dbase {

namespace {

bool isDeleted(const char *record) { return record[0] == '*'; }

const QList<FieldDef> &noFields()
{
    static const QList<FieldDef> empty;
    return empty;
}

} // namespace

Table::Table(QObject *parent) : QObject(parent), d(std::make_unique<TableData>()) {}

Table::~Table()
{
    try {
        close();
    } catch (...) {
        // Nothing can be reported from here; the files stay as the last write left them.
    }
}

void Table::setDatabaseName(const QString &folder) { d->folder = folder; }
QString Table::databaseName() const { return d->folder; }
void Table::setTableName(const QString &fileName) { d->fileName = fileName; }
QString Table::tableName() const { return d->fileName; }

QString Table::filePath() const
{
    if (isActive())
        return d->path;
    return findFile(d->folder, d->fileName);
}

bool Table::isActive() const { return d->state != State::Inactive; }
Table::State Table::state() const { return d->state; }
bool Table::isReadOnly() const { return isActive() && !d->writable; }

// ---------------------------------------------------------------- open, close

void Table::open()
{
    if (isActive())
        return;
    if (d->fileName.trimmed().isEmpty())
        throw Error(QStringLiteral("Tabulka nemá jméno souboru."));
    const QString table = d->fileName;
    d->path = findFile(d->folder, d->fileName);
    try {
        d->dbf.open(d->path, table);
        const DbfHeader &h = d->dbf.header();
        d->codePage = CodePage(h.driver);
        d->fieldCodec = FieldCodec(table, &d->codePage);
        d->fields = h.fields;
        d->fieldNames.clear();
        for (int i = int(d->fields.size()) - 1; i >= 0; --i)
            d->fieldNames.insert(d->fields.at(i).name, i); // the first of equal names wins
        // Level 7 tables are read: their own types are not written by us.
        d->writable = !d->dbf.readOnly() && !h.level7;
        const bool memoFile = h.hasMemoField() || (h.version & 0x80);
        d->dbtPath = companionFile(d->path, QStringLiteral("dbt"));
        if (memoFile)
            d->memo.open(d->dbtPath, table);
        d->mdxPath = companionFile(d->path, QStringLiteral("mdx"));
        d->tags.clear();
        if (h.productionIndex)
            d->tags = readMdxTags(d->mdxPath, table);
    } catch (...) {
        d->dbf.close();
        d->memo.close();
        throw;
    }
    d->changed = false;
    d->modified = false;
    d->indexRebuilt = false;
    d->pendingMemos.clear();
    d->state = State::Browse;
    try {
        loadOrders();
        // An index that does not describe the table is written anew before
        // any program reads it.
        if (d->writable && !d->tags.isEmpty() && !indexDescribesTable()) {
            try {
                writeIndex();
                d->indexRebuilt = true;
            } catch (const Error &) {
                d->changed = true; // the index file cannot be written now: tried again at close
            }
        }
    } catch (...) {
        d->state = State::Inactive;
        d->current = &d->fileOrder;
        d->clearOrders();
        d->dbf.close();
        d->memo.close();
        throw;
    }
    rebuildView();
    moveTo(d->view().empty() ? -1 : 0);
    d->bof = true;
    d->eof = d->view().empty();
    emit stateChanged();
    emit recordChanged();
}

void Table::close()
{
    if (!isActive())
        return;
    settle();
    std::exception_ptr failure;
    if (d->dbf.inBatch())
        rollbackAppend(); // records never committed are not part of the table
    if (d->changed && d->writable) {
        try {
            // The index describes the file as it is now, also with the
            // changes of other tables open on it.
            d->dbf.reload();
            if (!d->tags.isEmpty())
                writeIndex();
            d->dbf.writeDate();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    forgetNote();
    d->dbf.close();
    d->memo.close();
    d->clearOrders();
    d->fileOrder = Order();
    d->current = &d->fileOrder;
    d->filteredRows.clear();
    d->state = State::Inactive;
    d->placeRec = -1;
    d->pos = -1;
    d->bof = d->eof = true;
    emit stateChanged();
    emit recordChanged();
    if (failure)
        std::rethrow_exception(failure);
}

void Table::writeIndex()
{
    const DbfHeader &h = d->dbf.header();
    const RecordBlock records{d->dbf.record(0), d->dbf.count(), h.recordLength};
    const QList<MdxTag> tags = indexContents(d->tags, d->fields, h.offsets, d->codePage, records);
    writeMdx(d->mdxPath, QFileInfo(d->path).completeBaseName(), tags, d->fileName, d->dbf.count());
}

void Table::loadOrders()
{
    d->clearOrders();
    d->fileOrder = Order();
    d->fileOrder.all.rows.reserve(d->dbf.count());
    for (quint32 r = 0; r < d->dbf.count(); ++r)
        if (!isDeleted(d->dbf.record(r)))
            d->fileOrder.all.rows.push_back(r);
    d->current = &d->fileOrder;
    if (!d->orderName.isEmpty())
        d->current = &orderFor(d->orderName);
    if (!d->filterText.isEmpty())
        applyFilterText(d->filterText);
}

bool Table::indexDescribesTable() const
{
    const IndexNote note = readIndexNote(d->mdxPath);
    if (note.present)
        return !note.changing && note.recordCount == d->dbf.count();
    // Another program wrote the index: the keys of its first tag must be
    // the records that are not deleted, each once.
    QFile f(d->mdxPath);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    MdxTag stored;
    if (!readMdxTag(f.readAll(), d->tags.first().name, stored, nullptr))
        return false;
    const auto &live = d->fileOrder.all.rows;
    if (stored.size() != live.size())
        return false;
    std::vector<quint32> records(stored.records);
    std::sort(records.begin(), records.end());
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i] != live[i] + 1)
            return false;
    return true;
}

void Table::noteChange()
{
    // Once per index file: another table's close may have put a new one in
    // place since, whose note says it describes the table.
    if (d->tags.isEmpty())
        return;
    if (d->noteFd >= 0) {
        struct stat st {};
        if (::fstat(d->noteFd, &st) == 0 && st.st_nlink > 0)
            return;
        forgetNote();
    }
    d->noteFd = ::open(QFile::encodeName(d->mdxPath).constData(), O_RDWR | O_CLOEXEC);
    if (d->noteFd >= 0 && !markIndexChanging(d->noteFd))
        forgetNote(); // the index cannot be written: it is rewritten at close, or at the next open
}

void Table::forgetNote()
{
    if (d->noteFd >= 0)
        ::close(d->noteFd);
    d->noteFd = -1;
}

// ---------------------------------------------------------------- batch append

void Table::beginAppend(quint32 expected)
{
    requireWritable();
    settle();
    if (d->dbf.inBatch())
        return;
    if (d->memo.isOpen())
        d->memo.beginBatch();
    d->dbf.beginBatch(expected);
}

bool Table::inAppend() const { return d->dbf.inBatch(); }

bool Table::indexRebuiltAtOpen() const { return d->indexRebuilt; }

void Table::commitAppend()
{
    if (!d->dbf.inBatch())
        return;
    bool indexed = false;
    try {
        settle();
        if (d->memo.isOpen())
            d->memo.syncBatch();
        // The index for the new count first: a kill before the count is
        // written leaves an index whose note names a count the .dbf does
        // not have, so the next opening writes it anew. That holds whether
        // or not the records have reached the disk yet, so they are
        // written and synced meanwhile; only the count waits for both.
        if (!d->tags.isEmpty() && d->dbf.count() > d->dbf.batchBase()) {
            std::exception_ptr syncFailure;
            std::thread sync([this, &syncFailure] {
                try {
                    d->dbf.prepareCommit();
                } catch (...) {
                    syncFailure = std::current_exception();
                }
            });
            try {
                writeIndex();
            } catch (...) {
                sync.join();
                throw;
            }
            sync.join();
            if (syncFailure)
                std::rethrow_exception(syncFailure);
            indexed = true;
        }
        d->dbf.commitBatch();
    } catch (...) {
        rollbackAppend();
        throw;
    }
    d->memo.endBatch();
    // The index just written describes every change so far.
    if (indexed || d->tags.isEmpty()) {
        forgetNote();
        d->changed = false;
    }
    emit recordChanged();
}

void Table::rollbackAppend()
{
    if (!d->dbf.inBatch())
        return;
    if (d->state == State::Edit || d->state == State::Insert)
        cancel();
    const qint64 rec = currentRec();
    std::exception_ptr failure;
    try {
        d->dbf.abortBatch();
    } catch (...) {
        failure = std::current_exception();
    }
    d->memo.abortBatch();
    loadOrders();
    rebuildView();
    placeOnNow(rec >= 0 && rec < qint64(d->dbf.count()) ? rec : -1);
    emit recordChanged();
    if (failure)
        std::rethrow_exception(failure);
}

// ---------------------------------------------------------------- orders and view

Order &Table::orderFor(const QString &name)
{
    const QString key = name.trimmed().toUpper();
    auto it = d->orders.find(key);
    if (it != d->orders.end())
        return *it->second;
    QString expression = key;
    for (const IndexTag &tag : std::as_const(d->tags))
        if (tag.name.compare(key, Qt::CaseInsensitive) == 0)
            expression = tag.expression;
    const std::optional<KeyExpression> parsed = parseKeyExpression(expression, d->fields);
    if (!parsed)
        throw tableError(d->fileName, QStringLiteral("pořadí %1 neexistuje.").arg(quoted(name)));
    auto order = std::make_unique<Order>(key, *parsed, d->layout(), d->columnsFor(*parsed));
    order->setKeys(d->dbf.record(0), d->dbf.count(), d->dbf.header().recordLength);
    order->all.rows = d->fileOrder.sorted(d->fileOrder.all);
    order->sortRows(order->all.rows);
    Order &ref = *order;
    d->orders.emplace(key, std::move(order));
    return ref;
}

bool Table::matchesFilter(quint32 rec) const
{
    const int f = d->conditionField;
    const FieldDef &def = d->fields.at(f);
    const char *record = d->dbf.record(rec);
    const RawField raw{record + d->dbf.header().offsets.at(f), def.length};
    if (d->conditionBytes)
        return QByteArrayView(raw.data, valueLength(raw)) == *d->conditionBytes;
    return d->codec().text(def, raw) == d->condition->value;
}

void Table::rebuildView()
{
    d->filteredRows.clear();
    if (!d->filterActive())
        return;
    for (quint32 r : d->current->sorted(d->current->all))
        if (matchesFilter(r))
            d->filteredRows.rows.push_back(r);
}

void Table::moveTo(qsizetype pos)
{
    d->placeRec = -1;
    const auto &v = d->view();
    if (v.empty()) {
        d->pos = -1;
        d->bof = d->eof = true;
        return;
    }
    d->pos = std::clamp<qsizetype>(pos, 0, qsizetype(v.size()) - 1);
    d->bof = d->eof = false;
}

void Table::resolvePlace() const
{
    if (d->placeRec < 0)
        return;
    const qint64 rec = d->placeRec;
    d->placeRec = -1;
    const_cast<Table *>(this)->placeOnNow(rec);
}

qint64 Table::currentRec() const
{
    resolvePlace();
    if (d->state == State::Edit)
        return d->editRec;
    if (d->state != State::Browse)
        return -1;
    const auto &v = d->view();
    if (d->pos < 0 || d->pos >= qsizetype(v.size()))
        return -1;
    return v[size_t(d->pos)];
}

void Table::placeOn(qint64 rec)
{
    // Found when the cursor is next looked at: a stream of posts stays cheap.
    if (rec < 0) {
        moveTo(0);
        return;
    }
    d->placeRec = rec;
    d->bof = d->eof = false;
}

void Table::placeOnNow(qint64 rec)
{
    if (rec < 0) {
        moveTo(0);
        return;
    }
    const qsizetype at = d->current->position(d->viewSet(), quint32(rec));
    if (at >= 0) {
        moveTo(at);
        return;
    }
    // Not visible (deleted or filtered out): the record that now takes its place.
    const auto &v = d->view();
    const auto it = std::lower_bound(v.begin(), v.end(), quint32(rec),
                                     [this](quint32 a, quint32 b) { return d->current->less(a, b); });
    moveTo(it - v.begin());
}

void Table::addRecords(quint32 from, quint32 to)
{
    for (quint32 r = from; r < to; ++r) {
        const char *record = d->dbf.record(r);
        for (auto &[name, order] : d->orders)
            order->setKey(r, record);
        if (isDeleted(record))
            continue;
        d->fileOrder.add(d->fileOrder.all, r);
        for (auto &[name, order] : d->orders)
            order->add(order->all, r);
        if (d->filterActive() && matchesFilter(r))
            d->current->add(d->filteredRows, r);
    }
}

void Table::refreshFromDisk()
{
    const quint32 before = d->dbf.refresh();
    if (d->dbf.count() > before) {
        const qint64 rec = currentRec();
        addRecords(before, d->dbf.count());
        if (d->state == State::Browse && rec >= 0)
            placeOn(rec);
    }
}

void Table::setOrder(const QString &fieldOrTagName)
{
    if (!isActive()) {
        d->orderName = fieldOrTagName.trimmed();
        return;
    }
    settle();
    const qint64 rec = currentRec();
    const QString name = fieldOrTagName.trimmed();
    Order *next = name.isEmpty() ? &d->fileOrder : &orderFor(name);
    d->current = next;
    d->orderName = name;
    rebuildView();
    placeOn(rec);
    emit recordChanged();
}

QString Table::order() const { return d->orderName; }

QList<IndexTag> Table::tags() const
{
    if (isActive())
        return d->tags;
    // A closed table still tells the tags of its index.
    const QString path = findFile(d->folder, d->fileName);
    const QString mdx = companionFile(path, QStringLiteral("mdx"));
    if (!QFileInfo::exists(mdx))
        return {};
    return readMdxTags(mdx, d->fileName);
}

// ---------------------------------------------------------------- filter

void Table::applyFilterText(const QString &expression)
{
    const std::optional<FilterCondition> c = parseFilter(expression);
    if (!c)
        throw tableError(d->fileName, QStringLiteral("filtr %1 má chybný tvar (správně POLE = 'hodnota').")
                                          .arg(quoted(expression)));
    int field = -1;
    if (!c->field.isEmpty()) {
        field = fieldIndex(c->field);
        if (field < 0 && isActive())
            throw fieldError(d->fileName, c->field, QStringLiteral("pole v tabulce není (filtr)."));
    }
    d->filterText = expression;
    d->condition = c->field.isEmpty() ? std::nullopt : c;
    d->conditionField = field;
    // A text field is compared in its stored bytes, without decoding each record.
    d->conditionBytes.reset();
    if (field >= 0 && d->fields.at(field).type == 'C' && d->codePage.oneToOne())
        d->conditionBytes = d->codePage.encode(c->value);
}

void Table::setFilter(const QString &expression)
{
    if (isActive())
        settle();
    applyFilterText(expression);
    if (isActive())
        restartView();
}

QString Table::filter() const { return d->filterText; }

void Table::setFiltered(bool on)
{
    if (isActive())
        settle();
    d->filtered = on;
    if (isActive())
        restartView();
}

void Table::restartView()
{
    // The view is made anew from the records as they are on disk, with the
    // cursor on its first record.
    refreshFromDisk();
    rebuildView();
    moveTo(0);
    d->bof = true;
    d->eof = d->view().empty();
    emit recordChanged();
}

bool Table::filtered() const { return d->filtered; }

QString Table::filterFor(const QString &field, const QString &value)
{
    return filterExpression(field, value);
}

// ---------------------------------------------------------------- navigation

void Table::requireActive() const
{
    if (!isActive())
        throw tableError(d->fileName, QStringLiteral("tabulka není otevřena."));
}

void Table::first() { moveToEnd(false); }
void Table::last() { moveToEnd(true); }
void Table::next() { step(true); }
void Table::prior() { step(false); }

void Table::moveToEnd(bool last)
{
    requireActive();
    settle();
    refreshFromDisk();
    d->readFrom = std::numeric_limits<int>::max();
    d->readTo = 0;
    const bool empty = d->view().empty();
    moveTo(last ? qsizetype(d->view().size()) - 1 : 0);
    d->bof = !last || empty;
    d->eof = last || empty;
    emit recordChanged();
}

void Table::step(bool forward)
{
    requireActive();
    settle();
    resolvePlace();
    const qsizetype size = qsizetype(d->view().size());
    if (size == 0) {
        d->bof = d->eof = true;
    } else if (forward ? d->pos >= size - 1 : d->pos <= 0) {
        // At the end it moves no further; only the flag of that end is set.
        d->eof = forward;
        d->bof = !forward;
    } else {
        moveTo(d->pos + (forward ? 1 : -1));
        // A scan in an order other than file order jumps about the records:
        // the bytes it reads of the record a few steps ahead are asked into
        // the cache meanwhile.
        constexpr qsizetype Ahead = 6;
        const qsizetype next = d->pos + (forward ? Ahead : -Ahead);
        if (!d->current->isFileOrder() && next >= 0 && next < size && d->readFrom < d->readTo) {
            const char *record = d->dbf.record(d->view()[size_t(next)]);
            const uintptr_t end = uintptr_t(record + d->readTo);
            for (uintptr_t line = uintptr_t(record + d->readFrom) & ~uintptr_t(63); line < end; line += 64)
                __builtin_prefetch(reinterpret_cast<const void *>(line));
        }
    }
    emit recordChanged();
}

bool Table::bof() const
{
    resolvePlace();
    return d->bof;
}

bool Table::eof() const
{
    resolvePlace();
    return d->eof;
}
bool Table::isEmpty() const { return !isActive() || d->view().empty(); }
int Table::recordCount() const { return isActive() ? int(d->view().size()) : 0; }

qsizetype Table::keyPosition(const QString &value, bool *exact)
{
    requireActive();
    settle();
    if (d->current->isFileOrder())
        throw tableError(d->fileName, QStringLiteral("hledání podle klíče potřebuje nastavené pořadí."));
    return d->current->lowerBound(d->viewSet(), value, exact);
}

bool Table::findKey(const QString &value)
{
    bool exact = false;
    const qsizetype at = keyPosition(value, &exact);
    if (!exact)
        return false;
    moveTo(at);
    emit recordChanged();
    return true;
}

void Table::findNearest(const QString &value)
{
    bool exact = false;
    moveTo(keyPosition(value, &exact));
    emit recordChanged();
}

Table::Bookmark Table::bookmark() const
{
    const qint64 rec = currentRec();
    return rec < 0 ? 0 : Bookmark(rec + 1);
}

void Table::gotoBookmark(Bookmark bookmark)
{
    requireActive();
    settle();
    const qsizetype at = bookmark ? d->current->position(d->viewSet(), bookmark - 1) : -1;
    if (at < 0)
        throw tableError(d->fileName, QStringLiteral("záznam %1 není k dispozici.").arg(bookmark));
    moveTo(at);
    emit recordChanged();
}

quint32 Table::recNo() const
{
    return bookmark();
}

// ---------------------------------------------------------------- editing

void Table::requireWritable() const
{
    requireActive();
    if (d->dbf.header().level7)
        throw tableError(d->fileName, QStringLiteral("tabulky dBASE 7 lze jen číst."));
    if (!d->writable)
        throw tableError(d->fileName, QStringLiteral("soubor je jen pro čtení, změny nelze uložit."));
}

void Table::settle()
{
    if (d->state != State::Edit && d->state != State::Insert)
        return;
    if (d->modified)
        post();
    else
        cancel();
}

void Table::edit()
{
    requireWritable();
    if (d->state == State::Edit || d->state == State::Insert)
        return;
    const qint64 rec = currentRec();
    if (rec < 0) {
        insert();
        return;
    }
    d->editRec = quint32(rec);
    d->buffer = QByteArray(d->dbf.record(d->editRec), d->dbf.header().recordLength);
    d->modified = false;
    d->pendingMemos.clear();
    d->state = State::Edit;
    emit stateChanged();
}

void Table::insert()
{
    requireWritable();
    settle();
    d->buffer = QByteArray(d->dbf.header().recordLength, ' ');
    d->modified = false;
    d->pendingMemos.clear();
    d->state = State::Insert;
    emit stateChanged();
    emit recordChanged();
}

void Table::post()
{
    if (d->state != State::Edit && d->state != State::Insert)
        return;
    if (!d->modified) {
        // An untouched record stores nothing, and an untouched new record is dropped.
        cancel();
        return;
    }
    QByteArray &record = d->buffer;
    record[0] = ' ';
    if (!(d->state == State::Insert && d->dbf.inBatch()))
        noteChange();
    // Memo texts go to the .dbt first; the record then points to them.
    for (auto it = d->pendingMemos.cbegin(); it != d->pendingMemos.cend(); ++it) {
        const FieldDef &def = d->fields.at(it.key());
        const int offset = d->dbf.header().offsets.at(it.key());
        QByteArray ref(def.length, ' ');
        if (!it.value().isEmpty()) {
            if (!d->memo.isOpen())
                throw fieldError(d->fileName, def.name, QStringLiteral("tabulka nemá soubor poznámek."));
            ref = QByteArray::number(d->memo.append(it.value())).rightJustified(def.length, ' ');
        }
        std::memcpy(record.data() + offset, ref.constData(), size_t(def.length));
    }

    quint32 rec;
    if (d->state == State::Insert) {
        const quint32 before = d->dbf.count();
        rec = d->dbf.appendRecord(record);
        if (rec > before) // records another table appended meanwhile
            addRecords(before, rec);
        addRecords(rec, rec + 1);
    } else {
        rec = d->editRec;
        d->dbf.writeRecord(rec, record);
        // Take the record out of every order under its old key, then put it back.
        for (auto &[name, order] : d->orders)
            order->erase(order->all, rec);
        if (d->filterActive())
            d->current->erase(d->filteredRows, rec);
        for (auto &[name, order] : d->orders) {
            order->setKey(rec, d->dbf.record(rec));
            order->add(order->all, rec);
        }
        if (d->filterActive() && matchesFilter(rec))
            d->current->add(d->filteredRows, rec);
    }
    d->changed = true;
    d->modified = false;
    d->pendingMemos.clear();
    d->state = State::Browse;
    placeOn(rec);
    emit stateChanged();
    emit recordChanged();
}

void Table::cancel()
{
    if (d->state != State::Edit && d->state != State::Insert)
        return;
    d->modified = false;
    d->pendingMemos.clear();
    d->buffer.clear();
    d->state = State::Browse;
    resolvePlace();
    if (d->pos < 0 && !d->view().empty())
        moveTo(0);
    emit stateChanged();
    emit recordChanged();
}

void Table::remove()
{
    requireWritable();
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    if (d->state == State::Edit)
        cancel();
    const qint64 rec = currentRec();
    if (rec < 0)
        throw tableError(d->fileName, QStringLiteral("není vybrán žádný záznam ke smazání."));
    const qsizetype pos = d->pos;
    noteChange();
    d->dbf.writeDeletionFlag(quint32(rec), '*');
    if (d->filterActive())
        d->current->erase(d->filteredRows, quint32(rec));
    for (auto &[name, order] : d->orders)
        order->erase(order->all, quint32(rec));
    d->fileOrder.erase(d->fileOrder.all, quint32(rec));
    d->changed = true;
    moveTo(pos);
    emit recordChanged();
}

bool Table::isModified() const { return d->modified; }

// ---------------------------------------------------------------- fields

const QList<FieldDef> &Table::fields() const
{
    return d->fields.isEmpty() ? noFields() : d->fields;
}

int Table::fieldIndex(const QString &name) const
{
    // Fields are read by name for every record of a scan: look them up by hash.
    auto it = d->fieldNames.constFind(name);
    if (it == d->fieldNames.cend())
        it = d->fieldNames.constFind(name.trimmed().toUpper());
    return it == d->fieldNames.cend() ? -1 : *it;
}

int Table::requireField(const QString &name) const
{
    requireActive();
    const int i = fieldIndex(name);
    if (i < 0)
        throw fieldError(d->fileName, name.trimmed().toUpper(), QStringLiteral("pole v tabulce není."));
    return i;
}

const char *Table::currentBytes() const
{
    if (d->state == State::Edit || d->state == State::Insert)
        return d->buffer.constData();
    const qint64 rec = currentRec();
    return rec < 0 ? nullptr : d->dbf.record(quint32(rec));
}

QString Table::fieldText(const QString &name) const
{
    const int i = requireField(name);
    const char *record = currentBytes();
    if (!record)
        return QString();
    const FieldDef &def = d->fields.at(i);
    const int offset = d->dbf.header().offsets.at(i);
    d->noteRead(offset, def.length);
    const RawField raw{record + offset, def.length};
    if (def.type == 'M') {
        const std::optional<QByteArray> text = memoText(i, QByteArrayView(raw.data, raw.size));
        return text ? d->codePage.decode(text->constData(), int(text->size())) : QString();
    }
    return d->codec().text(def, raw);
}

std::optional<QByteArray> Table::memoText(int index, QByteArrayView ref) const
{
    const auto pending = d->pendingMemos.constFind(index);
    if (pending != d->pendingMemos.cend())
        return *pending;
    bool ok = false;
    const quint32 block = ref.trimmed().toUInt(&ok);
    if (!ok || block == 0 || !d->memo.isOpen())
        return std::nullopt;
    return d->memo.read(block);
}

QStringView Table::fieldText(int index, QString &buffer) const
{
    const QByteArrayView bytes = fieldBytes(index);
    if (bytes.isNull()) {
        buffer.resize(0);
        return buffer;
    }
    const FieldDef &def = d->fields.at(index);
    if (def.type == 'M') {
        const std::optional<QByteArray> text = memoText(index, bytes);
        if (text)
            d->codePage.decodeInto(text->constData(), int(text->size()), buffer);
        else
            buffer.resize(0);
    } else {
        d->codec().textInto(def, RawField{bytes.data(), int(bytes.size())}, buffer);
    }
    return buffer;
}

QByteArrayView Table::fieldBytes(int index) const
{
    requireActive();
    if (index < 0 || index >= d->fields.size())
        throw tableError(d->fileName, QStringLiteral("pole číslo %1 v tabulce není.").arg(index + 1));
    const char *record = currentBytes();
    if (!record)
        return {};
    const int offset = d->dbf.header().offsets.at(index);
    d->noteRead(offset, d->fields.at(index).length);
    return QByteArrayView(record + offset, d->fields.at(index).length);
}

QByteArrayView Table::recordBytes() const
{
    requireActive();
    const char *record = currentBytes();
    if (!record)
        return {};
    const int length = d->dbf.header().recordLength;
    d->noteRead(0, length);
    return QByteArrayView(record, length);
}

int Table::fieldOffset(int index) const
{
    requireActive();
    if (index < 0 || index >= d->fields.size())
        throw tableError(d->fileName, QStringLiteral("pole číslo %1 v tabulce není.").arg(index + 1));
    return d->dbf.header().offsets.at(index);
}

void Table::setFieldBytes(int index, QByteArrayView bytes)
{
    requireActive();
    if (index < 0 || index >= d->fields.size())
        throw tableError(d->fileName, QStringLiteral("pole číslo %1 v tabulce není.").arg(index + 1));
    const FieldDef &def = d->fields.at(index);
    if (def.type == 'M' || bytes.size() != def.length)
        throw fieldError(d->fileName, def.name, QStringLiteral("hodnotu pole nelze přenést po bajtech."));
    if (d->state == State::Browse)
        edit();
    storeField(index, bytes.data());
}

quint8 Table::languageDriver() const
{
    return isActive() ? d->dbf.header().driver : 0;
}

QVariant Table::fieldValue(const QString &name) const
{
    const int i = requireField(name);
    const FieldDef &def = d->fields.at(i);
    if (def.type == 'M') {
        const QString s = fieldText(name);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    const char *record = currentBytes();
    if (!record)
        return {};
    const int offset = d->dbf.header().offsets.at(i);
    d->noteRead(offset, def.length);
    return d->codec().value(def, RawField{record + offset, def.length});
}

void Table::storeField(int index, const char *bytes)
{
    std::memcpy(d->buffer.data() + d->dbf.header().offsets.at(index), bytes, size_t(d->fields.at(index).length));
    d->modified = true;
    emit recordChanged();
}

void Table::setFieldText(const QString &name, const QString &text)
{
    const int i = requireField(name);
    const FieldDef &def = d->fields.at(i);
    if (def.type == 'M') {
        const QByteArray bytes = d->codec().encodeString(def, text, 16 * 1024 * 1024);
        if (d->state == State::Browse)
            edit();
        d->pendingMemos[i] = bytes;
        d->modified = true;
        emit recordChanged();
        return;
    }
    // Encoded aside first: a refused value changes nothing.
    QVarLengthArray<char, 256> bytes(def.length);
    d->codec().encodeTextInto(def, text, bytes.data());
    if (d->state == State::Browse)
        edit();
    storeField(i, bytes.constData());
}

void Table::setFieldValue(const QString &name, const QVariant &value)
{
    const int i = requireField(name);
    const FieldDef &def = d->fields.at(i);
    if (def.type == 'M') {
        setFieldText(name, value.toString());
        return;
    }
    const QByteArray bytes = d->codec().encodeValue(def, value);
    if (d->state == State::Browse)
        edit();
    storeField(i, bytes.constData());
}

} // namespace dbase
