#include "Commands.h"

#include "Csv.h"
#include "DbfHeader.h"

#include "dbase/CodePage.h"
#include "dbase/DbfFile.h"
#include "dbase/FieldCodec.h"
#include "dbase/KeyExpression.h"
#include "dbase/MdxFile.h"
#include "dbase/TagContents.h"
#include "dbase/Table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

enum ExitCode { Ok = 0, Failed = 1, BadInput = 2 };

QByteArray readFile(const QString &path, bool *ok = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return file.readAll();
}

// The whole .dbf and its header; false with the reason added to err.
bool readTableFile(const QString &path, QByteArray &bytes, DbfHeader &header, QString &err)
{
    bool ok = false;
    bytes = readFile(path, &ok);
    if (!ok) {
        err += QStringLiteral("Tabulku %1 nelze otevřít.\n").arg(path);
        return false;
    }
    QString why;
    if (!parseDbfHeader(bytes, header, why)) {
        err += QStringLiteral("%1: %2\n").arg(path, why);
        return false;
    }
    return true;
}

// The companion of a table (suffix "dbt" or "mdx") found without regard to
// letter case; empty when there is none.
QString companionFile(const QString &dbfPath, const QString &suffix)
{
    const QFileInfo info(dbfPath);
    const QString wanted = info.completeBaseName() + QLatin1Char('.') + suffix;
    const QStringList entries = info.absoluteDir().entryList(QDir::Files);
    for (const QString &entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return info.absoluteDir().filePath(entry);
    }
    return {};
}

void openTable(dbase::Table &table, const QString &path)
{
    const QFileInfo info(path);
    table.setDatabaseName(info.absolutePath());
    table.setTableName(info.fileName());
    table.open();
}

// One field value in its CSV form.
QString csvValue(const dbase::Table &table, const dbase::FieldDef &field)
{
    switch (field.type) {
    case 'D': {
        const QVariant v = table.fieldValue(field.name);
        return v.isValid() ? v.toDate().toString(QStringLiteral("yyyy-MM-dd")) : QString();
    }
    case 'L': {
        const QVariant v = table.fieldValue(field.name);
        return v.isValid() ? (v.toBool() ? QStringLiteral("T") : QStringLiteral("F")) : QString();
    }
    default:
        return table.fieldText(field.name);
    }
}

// Writes one CSV value into the pending record; throws dbase::Error or
// returns a reason (Czech) when the text is not a value of the field.
QString applyCsvValue(dbase::Table &table, const dbase::FieldDef &field, const QString &text)
{
    if (text.isEmpty())
        return {};
    switch (field.type) {
    case 'D': {
        static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
        const auto m = iso.match(text);
        const QDate date = m.hasMatch()
                               ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt())
                               : QDate();
        if (!date.isValid())
            return QStringLiteral("„%1“ není datum ve tvaru RRRR-MM-DD").arg(text);
        table.setFieldValue(field.name, date);
        return {};
    }
    case 'L': {
        const QString t = text.trimmed().toUpper();
        if (t == QLatin1String("T") || t == QLatin1String("Y") || t == QLatin1String("TRUE"))
            table.setFieldValue(field.name, true);
        else if (t == QLatin1String("F") || t == QLatin1String("N") || t == QLatin1String("FALSE"))
            table.setFieldValue(field.name, false);
        else
            return QStringLiteral("„%1“ není logická hodnota (T nebo F)").arg(text);
        return {};
    }
    case 'N': case 'F': case 'I': case '+': case 'O': {
        // Plain decimal form with a point; nothing else, whatever the engine would guess.
        static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
        if (!number.match(text).hasMatch())
            return QStringLiteral("„%1“ není číslo (desetinná tečka, bez mezer uvnitř)").arg(text);
        table.setFieldText(field.name, text.trimmed());
        return {};
    }
    default:
        table.setFieldText(field.name, text);
        return {};
    }
}

QString fieldType(const RawField &f)
{
    QString s = QStringLiteral("%1 %2").arg(QLatin1Char(f.type)).arg(f.length);
    if (f.decimals > 0)
        s += QStringLiteral(".%1").arg(f.decimals);
    return s;
}

} // namespace

int runInfo(const QString &path, QByteArray &out, QString &err)
{
    QByteArray bytes;
    DbfHeader header;
    if (!readTableFile(path, bytes, header, err))
        return Failed;
    quint32 deleted = 0;
    for (quint32 r = 0; r < header.recordCount; ++r) {
        const qint64 at = qint64(header.headerLength) + qint64(r) * header.recordLength;
        if (at < bytes.size() && bytes.at(at) == '*')
            ++deleted;
    }

    QString text;
    text += QStringLiteral("Tabulka: %1\n").arg(QFileInfo(path).absoluteFilePath());
    text += QStringLiteral("Verze: %1\n").arg(header.versionName());
    text += QStringLiteral("Kódová stránka: %1\n").arg(header.codePageName());
    text += QStringLiteral("Záznamů: %1 (z toho odstraněných %2)\n").arg(header.recordCount).arg(deleted);
    text += QStringLiteral("Délka záznamu: %1 bajtů\n").arg(header.recordLength);
    text += QStringLiteral("Pole (%1):\n").arg(header.fields.size());
    for (const RawField &f : header.fields)
        text += QStringLiteral("  %1 %2\n").arg(f.name.leftJustified(11), fieldType(f));

    int code = Ok;
    if (header.productionIndex || !companionFile(path, QStringLiteral("mdx")).isEmpty()) {
        try {
            dbase::Table table;
            openTable(table, path);
            const QList<dbase::IndexTag> tags = table.tags();
            text += QStringLiteral("Značky indexu (%1):\n").arg(tags.size());
            for (const dbase::IndexTag &t : tags)
                text += QStringLiteral("  %1 %2\n").arg(t.name.leftJustified(11), t.expression);
        } catch (const dbase::Error &e) {
            text += QStringLiteral("Značky indexu: nelze načíst\n");
            err += e.message() + QLatin1Char('\n');
            code = Failed;
        }
    } else {
        text += QStringLiteral("Značky indexu: tabulka nemá produkční index\n");
    }
    out += text.toUtf8();
    return code;
}

namespace {

// A character of the table's code page in UTF-8, and whether a CSV value
// holding it needs quotes.
struct Utf8Char
{
    char bytes[4];
    quint8 size;
    bool special;
};

std::array<Utf8Char, 256> utf8Table(quint8 driver)
{
    const dbase::CodePage codePage(driver);
    std::array<Utf8Char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char c = char(b);
        const QString s = codePage.decode(&c, 1);
        const QByteArray u = s.toUtf8().left(4);
        Utf8Char &e = table[size_t(b)];
        std::memcpy(e.bytes, u.constData(), size_t(u.size()));
        e.size = quint8(u.size());
        e.special = s == QLatin1String(",") || s == QLatin1String("\"") || s == QLatin1String("\n")
                    || s == QLatin1String("\r");
    }
    return table;
}

// Appends the CSV form of each field of a record straight from the stored
// bytes, in the same forms as csvValue; types without a fast form go through it.
class RecordWriter
{
public:
    RecordWriter(const dbase::Table &table, QByteArray &out)
        : m_table(table), m_fields(table.fields()), m_out(out), m_chars(utf8Table(table.languageDriver()))
    {
    }

    void write()
    {
        const qsizetype start = m_out.size();
        for (int i = 0; i < m_fields.size(); ++i) {
            if (i > 0)
                m_out.append(',');
            appendField(i);
        }
        if (m_fields.size() == 1 && m_out.size() == start) // a lone empty value needs its quotes
            m_out.append("\"\"", 2);
        m_out.append("\r\n", 2);
    }

private:
    void appendField(int i)
    {
        const dbase::FieldDef &f = m_fields.at(i);
        const QByteArrayView b = m_table.fieldBytes(i);
        const dbase::RawField raw{b.data(), int(b.size())};
        switch (f.type) {
        case 'C': {
            qsizetype n = b.size();
            while (n > 0 && (b[n - 1] == ' ' || b[n - 1] == 0))
                --n;
            // Written in place: room for the longest form of every character first.
            const qsizetype start = m_out.size();
            m_out.resize(start + n * qsizetype(sizeof(Utf8Char::bytes)));
            char *p = m_out.data() + start;
            bool special = false;
            for (qsizetype k = 0; k < n; ++k) {
                const Utf8Char &c = m_chars[uchar(b[k])];
                std::memcpy(p, c.bytes, sizeof c.bytes);
                p += c.size;
                special = special || c.special;
            }
            m_out.resize(p - m_out.constData());
            if (special)
                quoteFrom(start);
            return;
        }
        case 'N': case 'F':
            if (!dbase::appendPlainNumber(raw, m_out))
                appendCsvField(m_out, QString::fromLatin1(b.trimmed())); // shown as stored
            return;
        case 'D': {
            const QDate d = dbase::dateValue(raw);
            if (d.isValid() && d.year() > 0 && d.year() <= 9999) {
                const int parts[3] = {d.year(), d.month(), d.day()};
                char s[10] = {char('0' + parts[0] / 1000), char('0' + parts[0] / 100 % 10),
                              char('0' + parts[0] / 10 % 10), char('0' + parts[0] % 10), '-',
                              char('0' + parts[1] / 10), char('0' + parts[1] % 10), '-',
                              char('0' + parts[2] / 10), char('0' + parts[2] % 10)};
                m_out.append(s, 10);
            }
            return;
        }
        case 'L': {
            const int v = dbase::logicalValue(raw);
            if (v >= 0)
                m_out.append(v ? 'T' : 'F');
            return;
        }
        default:
            appendCsvField(m_out, csvValue(m_table, f));
        }
    }

    // Puts the value appended from start on in quotes.
    void quoteFrom(qsizetype start)
    {
        const QByteArray value = m_out.mid(start);
        m_out.truncate(start);
        appendCsvField(m_out, QString::fromUtf8(value));
    }

    const dbase::Table &m_table;
    const QList<dbase::FieldDef> m_fields;
    QByteArray &m_out;
    const std::array<Utf8Char, 256> m_chars;
};

constexpr qsizetype ExportChunk = 64 * 1024;

// The export itself: the CSV text goes to out, which is written to stream
// and emptied whenever it holds a chunk (no stream: out collects it all).
int exportTable(const QString &path, const QString &order, const QString &filter, QByteArray &out,
                FILE *stream, QString &err)
{
    auto drain = [&]() {
        if (!stream || out.isEmpty())
            return true;
        const bool ok = std::fwrite(out.constData(), 1, size_t(out.size()), stream) == size_t(out.size());
        out.clear(); // keeps its capacity
        return ok;
    };
    try {
        dbase::Table table;
        openTable(table, path);
        if (!order.isEmpty())
            table.setOrder(order);
        if (!filter.isEmpty()) {
            table.setFilter(filter);
            table.setFiltered(true);
        }
        QStringList row;
        for (const dbase::FieldDef &f : table.fields())
            row.append(f.name);
        appendCsvRecord(out, row);
        RecordWriter writer(table, out);
        for (table.first(); !table.eof(); table.next()) {
            writer.write();
            if (out.size() >= ExportChunk && !drain()) {
                err += QStringLiteral("Zápis na standardní výstup se nezdařil.\n");
                return Failed;
            }
        }
        table.close();
    } catch (const dbase::Error &e) {
        err += e.message() + QLatin1Char('\n');
        return Failed;
    }
    if (!drain() || (stream && std::fflush(stream) != 0)) {
        err += QStringLiteral("Zápis na standardní výstup se nezdařil.\n");
        return Failed;
    }
    return Ok;
}

} // namespace

int runExport(const QString &path, const QString &order, const QString &filter,
              QByteArray &out, QString &err)
{
    return exportTable(path, order, filter, out, nullptr, err);
}

int runExport(const QString &path, const QString &order, const QString &filter, FILE *out, QString &err)
{
    QByteArray buffer;
    buffer.reserve(ExportChunk + 64 * 1024);
    return exportTable(path, order, filter, buffer, out, err);
}

int runImport(const QString &path, const QByteArray &input, QString &err)
{
    CsvReader reader(input);
    if (!reader.isValid()) {
        err += reader.error() + QLatin1Char('\n');
        return BadInput;
    }
    QStringList header;
    if (!reader.next(header)) {
        err += reader.error().isEmpty() ? QStringLiteral("vstup neobsahuje ani řádek se jmény polí\n")
                                        : QStringLiteral("záhlaví: %1\n").arg(reader.error());
        return BadInput;
    }
    std::vector<QStringList> rows;
    QStringList row;
    std::vector<int> rowNumbers;
    QString notes;
    while (reader.next(row)) {
        const int number = reader.recordNumber() - 1;
        if (row.size() != header.size()) {
            err += QStringLiteral("row %1: počet hodnot (%2) neodpovídá počtu jmen polí v záhlaví (%3)\n")
                       .arg(number).arg(row.size()).arg(header.size());
            return BadInput;
        }
        // A record with no value at all would be a blank book that the
        // table does not store; say so rather than count it silently.
        if (std::all_of(row.cbegin(), row.cend(), [](const QString &v) { return v.isEmpty(); })) {
            notes += QStringLiteral("row %1: prázdný záznam vynechán\n").arg(number);
            continue;
        }
        rows.push_back(row);
        rowNumbers.push_back(number);
    }
    if (!reader.error().isEmpty()) {
        err += QStringLiteral("row %1: %2\n").arg(reader.recordNumber() - 1).arg(reader.error());
        return BadInput;
    }

    // Validate every value on a pending record that is never posted.
    QList<dbase::FieldDef> targets;
    try {
        dbase::Table table;
        openTable(table, path);
        QHash<int, bool> used;
        for (const QString &name : header) {
            const int index = table.fieldIndex(name.trimmed());
            if (index < 0) {
                err += QStringLiteral("row 0, field %1: tabulka takové pole nemá\n").arg(name);
                return BadInput;
            }
            if (used.contains(index)) {
                err += QStringLiteral("row 0, field %1: pole je v záhlaví dvakrát\n").arg(name);
                return BadInput;
            }
            used.insert(index, true);
            targets.append(table.fields().at(index));
        }
        for (size_t r = 0; r < rows.size(); ++r) {
            table.insert();
            for (qsizetype c = 0; c < targets.size(); ++c) {
                QString why;
                try {
                    why = applyCsvValue(table, targets.at(c), rows[r].at(c));
                } catch (const dbase::Error &e) {
                    why = e.message();
                }
                if (!why.isEmpty()) {
                    table.cancel();
                    err += QStringLiteral("row %1, field %2: %3\n").arg(rowNumbers[r]).arg(targets.at(c).name, why);
                    return BadInput;
                }
            }
            table.cancel();
        }
        table.close();
    } catch (const dbase::Error &e) {
        err += e.message() + QLatin1Char('\n');
        return Failed;
    }

    // Append for real, in one batch: the header's record count moves only
    // when every record, memo text and the index are on disk, so a kill at
    // any moment leaves all the records or none; a failure drops them again.
    size_t r = 0;
    qsizetype c = 0;
    try {
        dbase::Table table;
        openTable(table, path);
        table.beginAppend();
        try {
            for (r = 0; r < rows.size(); ++r) {
                table.insert();
                for (c = 0; c < targets.size(); ++c) {
                    const QString why = applyCsvValue(table, targets.at(c), rows[r].at(c));
                    if (!why.isEmpty())
                        throw dbase::Error(why);
                }
                c = -1;
                table.post();
            }
            r = rows.size();
            c = -1;
            table.commitAppend();
        } catch (...) {
            table.rollbackAppend();
            throw;
        }
        table.close();
    } catch (const dbase::Error &e) {
        if (r >= rows.size())
            err += e.message() + QLatin1Char('\n');
        else if (c >= 0 && c < targets.size())
            err += QStringLiteral("row %1, field %2: %3\n").arg(rowNumbers[r]).arg(targets.at(c).name, e.message());
        else
            err += QStringLiteral("row %1: %2\n").arg(rowNumbers[r]).arg(e.message());
        err += QStringLiteral("Tabulka zůstala beze změny.\n");
        return Failed;
    }
    err += notes;
    return Ok;
}

namespace {

// Memo references of every live record must point into the memo file.
QString checkMemo(const QString &path, const QByteArray &dbf, const DbfHeader &header)
{
    QList<RawField> memoFields;
    for (const RawField &f : header.fields) {
        if (f.type == 'M' || f.type == 'B' || f.type == 'G')
            memoFields.append(f);
    }
    const QString memoPath = companionFile(path, QStringLiteral("dbt"));
    if (memoPath.isEmpty()) {
        if (header.hasMemoFile() || !memoFields.isEmpty())
            return QStringLiteral("chybí soubor memo (.dbt), který tabulka ohlašuje");
        return {};
    }
    const QByteArray memo = readFile(memoPath);
    if (memo.size() < 512 && (header.hasMemoFile() || !memoFields.isEmpty()))
        return QStringLiteral("soubor memo %1 je kratší než jeho záhlaví").arg(memoPath);
    if (memoFields.isEmpty())
        return {};
    const auto *m = reinterpret_cast<const uchar *>(memo.constData());
    const quint32 nextFree = qFromLittleEndian<quint32>(m);
    quint32 blockSize = 512;
    if (header.version == 0x8B || header.isLevel7()) {
        const quint16 declared = qFromLittleEndian<quint16>(m + 20);
        if (declared >= 64)
            blockSize = declared;
    }
    for (quint32 r = 0; r < header.recordCount; ++r) {
        const qint64 at = qint64(header.headerLength) + qint64(r) * header.recordLength;
        if (dbf.at(at) == '*')
            continue;
        for (const RawField &f : memoFields) {
            const QByteArray ref = dbf.mid(at + f.offset, f.length).trimmed();
            quint32 block = 0;
            if (f.length == 4) {
                block = qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(ref.leftJustified(4, '\0').constData()));
            } else if (!ref.isEmpty()) {
                bool ok = false;
                block = ref.toUInt(&ok);
                if (!ok)
                    return QStringLiteral("záznam %1, pole %2: odkaz do souboru memo „%3“ není číslo bloku")
                        .arg(r + 1).arg(f.name, QString::fromLatin1(ref));
            }
            if (block == 0)
                continue;
            const qint64 start = qint64(block) * blockSize;
            if ((nextFree > 0 && block >= nextFree) || start + 8 > memo.size())
                return QStringLiteral("záznam %1, pole %2: blok %3 leží za koncem souboru memo")
                    .arg(r + 1).arg(f.name).arg(block);
            if (header.version == 0x8B) {
                const auto *b = m + start;
                if (!(b[0] == 0xFF && b[1] == 0xFF && b[2] == 0x08 && b[3] == 0x00))
                    return QStringLiteral("záznam %1, pole %2: blok %3 souboru memo nemá platné záhlaví")
                        .arg(r + 1).arg(f.name).arg(block);
                const quint32 length = qFromLittleEndian<quint32>(b + 4);
                if (start + length > memo.size())
                    return QStringLiteral("záznam %1, pole %2: text v bloku %3 přesahuje konec souboru memo")
                        .arg(r + 1).arg(f.name).arg(block);
            }
        }
    }
    return {};
}

// A stored key as the user reads it.
QString keyText(const dbase::MdxTag &tag, const char *key, const dbase::CodePage &codePage)
{
    switch (tag.keyType) {
    case 'N':
        return QString::number(dbase::bcdValue(key), 'g', 15);
    case 'D': {
        double day;
        std::memcpy(&day, key, sizeof day);
        const QDate date = QDate::fromJulianDay(qint64(day));
        return day > 0 && date.isValid() ? date.toString(QStringLiteral("d.M.yyyy")) : QString();
    }
    default: {
        int n = tag.keyLength;
        while (n > 0 && (key[n - 1] == ' ' || key[n - 1] == 0))
            --n;
        return codePage.decode(key, n);
    }
    }
}

// The first disagreement between the keys stored for a tag and the keys the
// records give (both in index order); empty when they agree.
QString compareKeys(const dbase::MdxTag &stored, const dbase::MdxTag &computed, quint32 recordCount,
                    const dbase::CodePage &codePage)
{
    const QString tag = stored.tag.name;
    if (stored.keyLength != computed.keyLength)
        return QStringLiteral("značka %1: index ukládá klíče o %2 bajtech, výraz %3 dává klíče o %4 bajtech")
            .arg(tag).arg(stored.keyLength).arg(computed.tag.expression).arg(computed.keyLength);
    std::vector<qint64> storedAt(size_t(recordCount) + 1, -1), computedAt(size_t(recordCount) + 1, -1);
    for (size_t i = 0; i < stored.size(); ++i) {
        const quint32 rec = stored.records[i];
        if (rec == 0 || rec > recordCount)
            return QStringLiteral("značka %1: index odkazuje na záznam %2, který tabulka nemá").arg(tag).arg(rec);
        if (storedAt[rec] >= 0)
            return QStringLiteral("značka %1: index obsahuje záznam %2 dvakrát").arg(tag).arg(rec);
        storedAt[rec] = qint64(i);
    }
    for (size_t i = 0; i < computed.size(); ++i)
        computedAt[computed.records[i]] = qint64(i);
    const size_t length = size_t(stored.keyLength);
    for (quint32 rec = 1; rec <= recordCount; ++rec) {
        const qint64 s = storedAt[rec], c = computedAt[rec];
        if (s < 0 && c < 0)
            continue;
        if (s < 0)
            return QStringLiteral("značka %1: záznam %2 v indexu chybí").arg(tag).arg(rec);
        if (c < 0)
            return QStringLiteral("značka %1: index obsahuje záznam %2, který je v tabulce odstraněn")
                .arg(tag).arg(rec);
        const char *a = stored.keyData(size_t(s));
        const char *b = computed.keyData(size_t(c));
        if (std::memcmp(a, b, length) != 0)
            return QStringLiteral("značka %1: záznam %2 má v indexu klíč „%3“, v tabulce „%4“")
                .arg(tag).arg(rec).arg(keyText(stored, a, codePage), keyText(computed, b, codePage));
    }
    for (size_t i = 0; i < stored.size(); ++i)
        if (stored.records[i] != computed.records[i])
            return QStringLiteral("značka %1: klíče v indexu nejsou seřazeny (na %2. místě je záznam %3, "
                                  "má tam být záznam %4)")
                .arg(tag).arg(i + 1).arg(stored.records[i]).arg(computed.records[i]);
    return {};
}

// Every tag's stored keys against the keys computed from the records with
// the same expression, key form and order as the table writes them.
QString checkIndexKeys(const QString &path, const QByteArray &dbf, const QList<dbase::IndexTag> &tags)
{
    const QString mdxPath = companionFile(path, QStringLiteral("mdx"));
    bool ok = false;
    const QByteArray mdx = readFile(mdxPath, &ok);
    if (mdxPath.isEmpty() || !ok)
        return QStringLiteral("produkční index (.mdx) nelze přečíst");
    try {
        const dbase::DbfHeader h = dbase::parseHeader(dbf, dbf.size(), QFileInfo(path).fileName());
        const dbase::CodePage codePage(h.driver);
        const dbase::RecordBlock records{dbf.constData() + h.headerLength, h.recordCount, h.recordLength};
        for (const dbase::IndexTag &tag : tags) {
            dbase::MdxTag stored;
            QString why;
            if (!dbase::readMdxTag(mdx, tag.name, stored, &why))
                return QStringLiteral("značka %1: %2").arg(tag.name, why);
            const dbase::MdxTag computed = dbase::tagContents(tag, h.fields, h.offsets, codePage, records);
            why = compareKeys(stored, computed, h.recordCount, codePage);
            if (!why.isEmpty())
                return why;
        }
    } catch (const dbase::Error &e) {
        return e.message();
    }
    return {};
}

} // namespace

int runCheck(const QString &path, QByteArray &out, QString &err)
{
    QByteArray dbf;
    DbfHeader header;
    if (!readTableFile(path, dbf, header, err))
        return Failed;
    QString why;

    // Records: the header never claims a record whose bytes are missing.
    const qint64 needed = qint64(header.headerLength) + qint64(header.recordCount) * header.recordLength;
    if (dbf.size() < needed) {
        const qint64 present = (dbf.size() - header.headerLength) / header.recordLength;
        err += QStringLiteral("%1: záhlaví udává %2 záznamů, soubor jich obsahuje jen %3\n")
                   .arg(path).arg(header.recordCount).arg(present);
        return Failed;
    }
    QString report;
    if (dbf.size() > needed + 1 || (dbf.size() == needed + 1 && dbf.at(needed) != '\x1A'))
        report += QStringLiteral("Upozornění: za posledním záznamem je %1 bajtů navíc.\n").arg(dbf.size() - needed);
    quint32 live = 0;
    for (quint32 r = 0; r < header.recordCount; ++r) {
        const char flag = dbf.at(qint64(header.headerLength) + qint64(r) * header.recordLength);
        if (flag == ' ')
            ++live;
        else if (flag != '*') {
            err += QStringLiteral("%1: záznam %2 má neplatný příznak odstranění\n").arg(path).arg(r + 1);
            return Failed;
        }
    }

    why = checkMemo(path, dbf, header);
    if (!why.isEmpty()) {
        err += QStringLiteral("%1: %2\n").arg(path, why);
        return Failed;
    }

    if (header.productionIndex && companionFile(path, QStringLiteral("mdx")).isEmpty()) {
        err += QStringLiteral("%1: chybí produkční index (.mdx), který tabulka ohlašuje\n").arg(path);
        return Failed;
    }

    // The engine must read every live record, and every order of the
    // production index must hold each of them exactly once.
    try {
        dbase::Table table;
        openTable(table, path);
        if (table.indexRebuiltAtOpen())
            report += QStringLiteral("%1: produkční index tabulku nepopisoval (zápis přerušený pádem programu "
                                     "nebo záznamy přidané jiným programem); byl vytvořen znovu.\n").arg(path);
        std::vector<char> seen;
        auto visitAll = [&](const QString &order) -> QString {
            table.setOrder(order);
            seen.assign(size_t(header.recordCount) + 1, 0);
            quint32 count = 0;
            for (table.first(); !table.eof(); table.next()) {
                const quint32 rec = table.recNo();
                if (rec == 0 || rec > header.recordCount)
                    return QStringLiteral("vede na neexistující záznam %1").arg(rec);
                if (seen[rec])
                    return QStringLiteral("obsahuje záznam %1 dvakrát").arg(rec);
                seen[rec] = 1;
                ++count;
            }
            if (count != live)
                return QStringLiteral("obsahuje %1 záznamů, tabulka má %2 platných").arg(count).arg(live);
            return {};
        };
        why = visitAll(QString());
        if (!why.isEmpty()) {
            err += QStringLiteral("%1: pořadí v souboru %2\n").arg(path, why);
            return Failed;
        }
        const QList<dbase::IndexTag> tags = table.tags();
        for (const dbase::IndexTag &tag : tags) {
            // Every name in the key expression must be a field of the table.
            static const QRegularExpression identifier(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*"));
            static const QRegularExpression function(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*\\s*\\("));
            const QStringList parts = tag.expression.split(QLatin1Char('+'));
            for (const QString &part : parts) {
                const QString p = part.trimmed();
                if (function.match(p).hasMatch())
                    continue; // UPPER(...) and the like: the engine judged it when it opened the index
                if (identifier.match(p).captured() == p && table.fieldIndex(p) < 0) {
                    err += QStringLiteral("%1: značka %2 odkazuje na neexistující pole %3\n").arg(path, tag.name, p);
                    return Failed;
                }
            }
            why = visitAll(tag.name);
            if (!why.isEmpty()) {
                err += QStringLiteral("%1: značka indexu %2 %3\n").arg(path, tag.name, why);
                return Failed;
            }
        }
        table.close();
        if (!tags.isEmpty()) {
            why = checkIndexKeys(path, dbf, tags);
            if (!why.isEmpty()) {
                err += QStringLiteral("%1: %2\n").arg(path, why);
                return Failed;
            }
        }
        report += QStringLiteral("%1: v pořádku (%2 platných záznamů, %3 značek indexu)\n")
                      .arg(path).arg(live).arg(tags.size());
    } catch (const dbase::Error &e) {
        err += QStringLiteral("%1: %2\n").arg(path, e.message());
        return Failed;
    }
    out += report.toUtf8();
    return Ok;
}
