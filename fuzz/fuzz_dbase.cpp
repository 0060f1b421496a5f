// Feeds arbitrary bytes to the table engine as a .dbf, as the .dbt of a
// table with memo fields, and as the .mdx of a valid table; it opens, scans
// and orders what it gets, and reads the index keys as the check does. Refusals (dbase::Error) are fine; crashes and
// sanitizer reports are not.

#include "dbase/DbfFile.h"
#include "dbase/MdxFile.h"
#include "dbase/TagContents.h"
#include "dbase/Table.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void exercise(const QString &folder, const QString &name, const QString &probe)
{
    dbase::Table t;
    t.setDatabaseName(folder);
    t.setTableName(name);
    try {
        t.open();
    } catch (const dbase::Error &) {
        return;
    }
    QStringList orders{QString()};
    for (const dbase::IndexTag &tag : t.tags())
        orders << tag.name;
    for (const dbase::FieldDef &f : t.fields())
        orders << f.name;
    int budget = 8;
    for (const QString &order : orders) {
        if (--budget < 0)
            break;
        try {
            t.setOrder(order);
            int n = 0;
            for (t.first(); !t.eof() && n < 200; t.next(), ++n)
                for (const dbase::FieldDef &f : t.fields()) {
                    t.fieldText(f.name);
                    t.fieldValue(f.name);
                }
            if (!t.fields().isEmpty() && !order.isEmpty()) {
                t.findNearest(probe);
                t.findKey(probe);
            }
        } catch (const dbase::Error &) {
        }
    }
    try {
        if (!t.fields().isEmpty()) {
            t.setFilter(dbase::Table::filterFor(t.fields().first().name, QStringLiteral("a")));
            t.setFiltered(true);
            t.last();
        }
        try {
            t.setFilter(probe);
        } catch (const dbase::Error &) {
        }
        // Writing into what was read, then closing (rewrites the index).
        t.setFiltered(false);
        t.first();
        if (!t.isReadOnly()) {
            t.edit();
            for (const dbase::FieldDef &f : t.fields()) {
                try {
                    t.setFieldText(f.name, probe);
                } catch (const dbase::Error &) {
                }
            }
            t.post();
            t.first();
            if (!t.isEmpty())
                t.remove();
        }
        t.close();
    } catch (const dbase::Error &) {
    }
}

// The index read as ordex-dbf's check reads it: every tag's stored keys
// walked from its root, and the keys the records give for the same tag.
void readIndex(const QByteArray &dbf, const QByteArray &mdx)
{
    const QString table = QStringLiteral("Fuzz.dbf");
    QList<dbase::IndexTag> tags{{QStringLiteral("NAZEV"), QStringLiteral("NAZEV")},
                                {QStringLiteral("CISLO"), QStringLiteral("CISLO")}};
    try {
        tags += dbase::parseMdxTags(mdx, table);
    } catch (const dbase::Error &) {
    }
    std::optional<dbase::DbfHeader> header;
    try {
        header = dbase::parseHeader(dbf, dbf.size(), table);
    } catch (const dbase::Error &) {
    }
    for (const dbase::IndexTag &tag : std::as_const(tags)) {
        dbase::MdxTag stored;
        QString why;
        if (dbase::readMdxTag(mdx, tag.name, stored, &why)) {
            qsizetype total = 0;
            for (size_t i = 0; i < stored.size(); ++i)
                total += stored.key(i).size();
            if (total != stored.keys.size())
                abort(); // every key is keyLength bytes
        }
        if (!header)
            continue;
        const dbase::CodePage codePage(header->driver);
        const dbase::RecordBlock records{dbf.constData() + header->headerLength, header->recordCount,
                                         header->recordLength};
        try {
            dbase::tagContents(tag, header->fields, header->offsets, codePage, records);
        } catch (const dbase::Error &) {
        }
    }
}

// A small valid table with a memo field and two tags, as the base of the
// companion-file variants: its three files, made once.
struct ValidTable
{
    QByteArray dbf, dbt, mdx;
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

ValidTable makeValidTable()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    dbase::createTable(folder + QStringLiteral("/Base.dbf"),
                       {{"NAZEV", 'C', 20, 0}, {"CISLO", 'N', 6, 0}, {"POZN", 'M', 10, 0}},
                       {{"NAZEV", "NAZEV"}, {"CISLO", "CISLO"}}, true);
    dbase::Table t;
    t.setDatabaseName(folder);
    t.setTableName(QStringLiteral("Base.dbf"));
    t.open();
    for (int i = 0; i < 3; ++i) {
        t.insert();
        t.setFieldText(QStringLiteral("NAZEV"), QStringLiteral("Kniha %1").arg(i));
        t.setFieldText(QStringLiteral("CISLO"), QString::number(3 - i));
        t.setFieldText(QStringLiteral("POZN"), QStringLiteral("poznámka"));
        t.post();
    }
    t.close();
    return {readAll(folder + QStringLiteral("/Base.dbf")), readAll(folder + QStringLiteral("/Base.dbt")),
            readAll(folder + QStringLiteral("/Base.mdx"))};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_dbase";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const ValidTable valid = makeValidTable();
    static QTemporaryDir work;
    if (size < 1)
        return 0;
    // The first byte chooses what the rest becomes.
    const int variant = data[0] % 3;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QString folder = work.path();
    for (const char *file : {"Fuzz.dbf", "Fuzz.dbt", "Fuzz.mdx"})
        QFile::remove(folder + QLatin1Char('/') + QLatin1String(file));
    if (variant == 0) {
        write(folder + QStringLiteral("/Fuzz.dbf"), bytes);
        write(folder + QStringLiteral("/Fuzz.dbt"), bytes);
        write(folder + QStringLiteral("/Fuzz.mdx"), bytes);
    } else {
        write(folder + QStringLiteral("/Fuzz.dbf"), valid.dbf);
        write(folder + QStringLiteral("/Fuzz.dbt"), variant == 1 ? bytes : valid.dbt);
        write(folder + QStringLiteral("/Fuzz.mdx"), variant == 2 ? bytes : valid.mdx);
    }
    readIndex(variant == 0 ? bytes : valid.dbf, variant == 1 ? valid.mdx : bytes);
    exercise(folder, QStringLiteral("Fuzz.dbf"), QString::fromLatin1(bytes.left(24)));
    return 0;
}
