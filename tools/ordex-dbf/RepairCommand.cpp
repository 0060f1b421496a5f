// ordex-dbf repair: salvages the whole records of a damaged table into a new
// table of the same layout, beside which the damaged files are kept.

#include "Commands.h"

#include "CommandSupport.h"

#include "core/TableDefinitions.h"
#include "dbase/CodePage.h"
#include "dbase/DbfFile.h"
#include "dbase/FieldCodec.h"
#include "dbase/KeyExpression.h"
#include "dbase/MdxFile.h"
#include "dbase/MemoFile.h"
#include "dbase/Table.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <vector>

using namespace dbftool;

namespace {

// What the salvage found, for the report.
struct Salvage
{
    quint32 kept = 0;
    QList<quint32> lost;    // record numbers (1-based, in file order)
    quint32 deleted = 0;    // records marked deleted, left out
    quint32 pastCount = 0;  // whole records kept that lay past the header's count
    QList<quint32> emptied; // records whose memo text could not be read
    QString memoProblem;    // the whole memo file is unreadable
    QString indexNote;
};

// Whether the bytes of a non-memo field can be what its type says.
bool fits(const dbase::FieldDef &f, const char *bytes)
{
    const dbase::RawField raw{bytes, f.length};
    auto blank = [&] {
        for (int i = 0; i < f.length; ++i)
            if (bytes[i] != ' ' && bytes[i] != 0)
                return false;
        return true;
    };
    switch (f.type) {
    case 'N': case 'F':
        return blank() || dbase::plainNumber(raw).has_value();
    case 'D':
        return blank() || dbase::dateValue(raw).isValid();
    case 'L':
        return QByteArrayView("TtFfYyNn? ").contains(bytes[0]);
    default:
        return true;
    }
}

// The memo texts of the old .dbt, read only where a block is sound.
class OldMemo
{
public:
    OldMemo(const QString &dbfPath, const QString &table, bool dbase4)
        : m_dbase4(dbase4)
    {
        const QString path = existingCompanion(dbfPath, QStringLiteral("dbt"));
        if (path.isEmpty()) {
            m_problem = QStringLiteral("soubor poznámek (.dbt) chybí");
            return;
        }
        m_bytes = readFile(path);
        try {
            m_file.open(path, table);
            if (m_bytes.size() >= 22) {
                const quint16 size = qFromLittleEndian<quint16>(m_bytes.constData() + 20);
                if (size >= 64 && size % 64 == 0)
                    m_blockSize = size;
            }
        } catch (const dbase::Error &e) {
            m_problem = e.message();
        }
    }
    QString problem() const { return m_problem; }

    // The text of the reference, or nothing when it cannot be read.
    std::optional<QByteArray> text(const char *reference, int length) const
    {
        const QByteArray ref = QByteArray(reference, length).trimmed();
        if (ref.isEmpty() || ref.count('0') == ref.size())
            return QByteArray();
        bool ok = false;
        const quint32 block = ref.toUInt(&ok);
        if (!ok || !m_problem.isEmpty())
            return std::nullopt;
        const qint64 at = qint64(block) * m_blockSize;
        if (at + 8 > m_bytes.size())
            return std::nullopt;
        const auto *b = reinterpret_cast<const uchar *>(m_bytes.constData() + at);
        if (m_dbase4 && !(b[0] == 0xFF && b[1] == 0xFF && b[2] == 0x08 && b[3] == 0x00))
            return std::nullopt;
        try {
            return m_file.read(block);
        } catch (const dbase::Error &) {
            return std::nullopt;
        }
    }

private:
    bool m_dbase4;
    QByteArray m_bytes;
    dbase::MemoFile m_file;
    quint32 m_blockSize = 512;
    QString m_problem;
};

// The tags of the new index: those of the old .mdx that fit the fields,
// else the ones the program gives a table of this name.
QList<dbase::IndexTag> newTags(const QString &path, const QString &table, const QList<dbase::FieldDef> &fields,
                               QString &note)
{
    QList<dbase::IndexTag> tags;
    const QString mdx = existingCompanion(path, QStringLiteral("mdx"));
    if (!mdx.isEmpty()) {
        try {
            for (const dbase::IndexTag &t : dbase::readMdxTags(mdx, table))
                if (dbase::parseKeyExpression(t.expression, fields))
                    tags.append(t);
        } catch (const dbase::Error &) {
            tags.clear();
        }
    }
    if (!tags.isEmpty())
        return tags;
    const QString base = QFileInfo(path).completeBaseName();
    auto is = [&](const char *name) { return base.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    QList<dbase::IndexTag> known;
    if (is("VazonS") || is("Vazon1") || is("Vazon2") || is("Vazon3"))
        known = core::bookTags();
    else if (is("VazonI"))
        known = core::auxiliaryTags();
    else if (is("Pujcovna"))
        known = core::lendingTags();
    else if (is("Adresar1") || is("Adresar2"))
        known = core::addressBookTags();
    for (const dbase::IndexTag &t : std::as_const(known))
        if (dbase::parseKeyExpression(t.expression, fields))
            tags.append(t);
    note = mdx.isEmpty() ? QStringLiteral("produkční index chyběl") : QStringLiteral("produkční index nešlo použít");
    return tags;
}

QString numberList(const QList<quint32> &numbers)
{
    QStringList parts;
    for (qsizetype i = 0; i < numbers.size() && i < 20; ++i)
        parts << QString::number(numbers.at(i));
    if (numbers.size() > 20)
        parts << QStringLiteral("… (celkem %1)").arg(numbers.size());
    return parts.join(QStringLiteral(", "));
}

// Removes the folder of the new files with everything in it.
void dropFolder(const QString &folder)
{
    QDir(folder).removeRecursively();
}

} // namespace

int runRepair(const QString &path, QByteArray &out, QString &err)
{
    const QFileInfo info(path);
    const QString table = info.fileName();
    bool readable = false;
    const QByteArray dbf = readFile(path, &readable);
    if (!readable) {
        err += QStringLiteral("Tabulku %1 nelze otevřít; nic nebylo změněno.\n").arg(path);
        return Failed;
    }

    // The header must be whole: it alone says what a record is.
    dbase::DbfHeader h;
    try {
        qint64 claimed = 0;
        if (dbf.size() >= 12)
            claimed = qint64(qFromLittleEndian<quint16>(dbf.constData() + 8))
                + qint64(qFromLittleEndian<quint32>(dbf.constData() + 4))
                      * qFromLittleEndian<quint16>(dbf.constData() + 10);
        h = dbase::parseHeader(dbf, qMax<qint64>(dbf.size(), claimed), table);
    } catch (const dbase::Error &e) {
        err += QStringLiteral("Tabulku %1 nelze opravit: její hlavička je nečitelná (%2). Nic nebylo změněno.\n")
                   .arg(path, e.message());
        return Failed;
    }
    for (const dbase::FieldDef &f : std::as_const(h.fields)) {
        if (!QByteArrayView("CNFDLM").contains(f.type)) {
            err += QStringLiteral("Tabulku %1 nelze opravit: pole %2 má typ, který oprava neumí zapsat. "
                                  "Nic nebylo změněno.\n").arg(path, f.name);
            return Failed;
        }
    }

    Salvage s;
    const QList<dbase::IndexTag> tags = newTags(path, table, h.fields, s.indexNote);
    // A memo file stays beside the table when it had one, also without memo fields.
    const bool withMemo = h.hasMemoField() || (h.version & 0x80) != 0
        || !existingCompanion(path, QStringLiteral("dbt")).isEmpty();
    std::optional<OldMemo> memo;
    if (h.hasMemoField()) {
        memo.emplace(path, table, h.version == 0x8B || h.level7);
        s.memoProblem = memo->problem();
    }

    // The new table is made in a folder of its own beside the old one.
    const QString folder = info.absolutePath() + QStringLiteral("/.") + info.completeBaseName()
        + QStringLiteral(".oprava");
    dropFolder(folder);
    if (!QDir().mkpath(folder)) {
        err += QStringLiteral("Ve složce %1 nelze zapisovat; tabulka %2 zůstala beze změny.\n")
                   .arg(QDir::toNativeSeparators(info.absolutePath()), table);
        return Failed;
    }
    const QString newPath = folder + QLatin1Char('/') + table;
    const dbase::CodePage codePage(h.driver);
    try {
        dbase::createTable(newPath, h.fields, tags, withMemo);
        if (h.driver != dbase::DriverCp1250) {
            // The texts are copied as they are, so the new table keeps the old code page.
            QFile f(newPath);
            if (!f.open(QIODevice::ReadWrite) || !f.seek(29) || f.write(QByteArray(1, char(h.driver))) != 1)
                throw dbase::Error(QStringLiteral("soubor %1 nelze zapsat").arg(newPath));
        }
        dbase::Table t;
        openTable(t, newPath);
        t.beginAppend();
        const qint64 whole = (dbf.size() - h.headerLength) / h.recordLength;
        const qint64 partial = (dbf.size() - h.headerLength) % h.recordLength;
        for (qint64 r = 0; r < whole; ++r) {
            const char *rec = dbf.constData() + h.headerLength + r * h.recordLength;
            const quint32 number = quint32(r + 1);
            if (rec[0] == 0x1A && r >= qint64(h.recordCount))
                break; // the end-of-file mark after the last record
            if (rec[0] == '*') {
                ++s.deleted;
                continue;
            }
            bool good = rec[0] == ' ';
            for (qsizetype i = 0; good && i < h.fields.size(); ++i)
                good = h.fields.at(i).type == 'M' || fits(h.fields.at(i), rec + h.offsets.at(i));
            if (!good) {
                s.lost.append(number);
                continue;
            }
            t.insert();
            bool emptied = false;
            for (qsizetype i = 0; i < h.fields.size(); ++i) {
                const dbase::FieldDef &f = h.fields.at(i);
                const char *bytes = rec + h.offsets.at(i);
                if (f.type != 'M') {
                    t.setFieldBytes(int(i), QByteArrayView(bytes, f.length));
                    continue;
                }
                const std::optional<QByteArray> text = memo->text(bytes, f.length);
                if (!text) {
                    emptied = true;
                    continue;
                }
                if (!text->isEmpty())
                    t.setFieldText(f.name, codePage.decode(text->constData(), int(text->size())));
            }
            t.post();
            if (r >= qint64(h.recordCount))
                ++s.pastCount;
            if (emptied)
                s.emptied.append(number);
            ++s.kept;
        }
        if (partial > 0 && !(partial == 1 && dbf.at(dbf.size() - 1) == 0x1A))
            s.lost.append(quint32(whole + 1));
        t.commitAppend();
        t.close();
    } catch (const dbase::Error &e) {
        dropFolder(folder);
        err += QStringLiteral("Opravenou tabulku nelze zapsat (%1); tabulka %2 zůstala beze změny.\n")
                   .arg(e.message(), table);
        return Failed;
    }

    // The result must pass the check before it replaces anything.
    QByteArray checkOut;
    QString checkErr;
    if (runCheck(newPath, checkOut, checkErr) != Ok) {
        dropFolder(folder);
        err += QStringLiteral("Opravená tabulka neprošla kontrolou (%1); tabulka %2 zůstala beze změny.\n")
                   .arg(checkErr.trimmed(), table);
        return Failed;
    }

    // The damaged files step aside under a new name, then the new ones move in.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QList<std::pair<QString, QString>> moved; // from, to
    auto undo = [&] {
        for (auto it = moved.crbegin(); it != moved.crend(); ++it)
            QFile::rename(it->second, it->first);
    };
    QStringList keptNames;
    const QString olds[3] = {info.absoluteFilePath(), existingCompanion(path, QStringLiteral("dbt")),
                             existingCompanion(path, QStringLiteral("mdx"))};
    for (const QString &old : olds) {
        if (old.isEmpty())
            continue;
        const QString to = old + QStringLiteral(".poskozeno-") + stamp;
        if (!QFile::rename(old, to)) {
            undo();
            dropFolder(folder);
            err += QStringLiteral("Soubor %1 nelze přejmenovat; tabulka %2 zůstala beze změny.\n").arg(old, table);
            return Failed;
        }
        moved.append({old, to});
        keptNames << QFileInfo(to).fileName();
    }
    const QStringList made = QDir(folder).entryList(QDir::Files);
    for (const QString &name : made) {
        const QString to = info.absolutePath() + QLatin1Char('/') + name;
        if (!QFile::rename(folder + QLatin1Char('/') + name, to)) {
            undo(); // the new files go back into the folder, the old ones to their names
            dropFolder(folder);
            err += QStringLiteral("Opravenou tabulku nelze přesunout na místo; tabulka %1 zůstala beze změny.\n")
                       .arg(table);
            return Failed;
        }
        moved.append({folder + QLatin1Char('/') + name, to});
    }
    dropFolder(folder);

    QString report = QStringLiteral("Tabulka %1 je opravena.\n").arg(path);
    report += QStringLiteral("Záznamů zachováno: %1\n").arg(s.kept);
    report += QStringLiteral("Záznamů ztraceno: %1%2\n")
                  .arg(s.lost.size())
                  .arg(s.lost.isEmpty() ? QString() : QStringLiteral(" (záznamy č. %1)").arg(numberList(s.lost)));
    report += QStringLiteral("Poznámek vyprázdněno: %1%2\n")
                  .arg(s.emptied.size())
                  .arg(s.emptied.isEmpty() ? QString()
                                           : QStringLiteral(" (záznamy č. %1)").arg(numberList(s.emptied)));
    if (!s.memoProblem.isEmpty() && !s.emptied.isEmpty())
        report += QStringLiteral("Soubor poznámek nešlo číst: %1\n").arg(s.memoProblem);
    if (s.deleted > 0)
        report += QStringLiteral("Odstraněné záznamy vynechány: %1\n").arg(s.deleted);
    if (h.recordCount != s.kept + s.deleted + quint32(s.lost.size()))
        report += QStringLiteral("Hlavička udávala %1 záznamů, nyní udává %2.\n").arg(h.recordCount).arg(s.kept);
    if (s.pastCount > 0)
        report += QStringLiteral("Za počtem záznamů v hlavičce leželo %1 celých záznamů (například z přerušeného "
                                 "importu); jsou zachovány, zkontrolujte je.\n").arg(s.pastCount);
    QStringList tagNames;
    for (const dbase::IndexTag &t : tags)
        tagNames << t.name;
    report += QStringLiteral("Produkční index vytvořen znovu%1%2.\n")
                  .arg(tagNames.isEmpty() ? QStringLiteral(" (bez značek)")
                                          : QStringLiteral(" (značky %1)").arg(tagNames.join(QStringLiteral(", "))),
                       s.indexNote.isEmpty() ? QString() : QStringLiteral("; ") + s.indexNote);
    report += QStringLiteral("Původní soubory zůstaly vedle ní: %1\n").arg(keptNames.join(QStringLiteral(", ")));
    out += report.toUtf8();
    return Ok;
}
