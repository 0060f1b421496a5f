// ordex-dbf check: whether a table, its memo file and its production index agree.

#include "Commands.h"

#include "CommandSupport.h"
#include "DbfHeader.h"

#include "dbase/CodePage.h"
#include "dbase/DbfFile.h"
#include "dbase/FieldCodec.h"
#include "dbase/KeyExpression.h"
#include "dbase/MdxFile.h"
#include "dbase/TagContents.h"
#include "dbase/Table.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <cstring>
#include <vector>

using namespace dbftool;

namespace {

// Memo references of every live record must point into the memo file.
QString checkMemo(const QString &path, const QByteArray &dbf, const DbfHeader &header)
{
    QList<RawField> memoFields;
    for (const RawField &f : header.fields) {
        if (f.type == 'M' || f.type == 'B' || f.type == 'G')
            memoFields.append(f);
    }
    const QString memoPath = existingCompanion(path, QStringLiteral("dbt"));
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
    const QString mdxPath = existingCompanion(path, QStringLiteral("mdx"));
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

    if (header.productionIndex && existingCompanion(path, QStringLiteral("mdx")).isEmpty()) {
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
