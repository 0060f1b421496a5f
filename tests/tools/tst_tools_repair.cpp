// ordex-dbf repair on the damage that disks and crashing programs cause: it
// keeps exactly the whole records, the result passes the check, the damaged
// files stay beside it byte for byte, and what it cannot read it leaves alone.

#include "ProgramLayout.h"

#include "dbase/Table.h"

#include "support/Files.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <unistd.h>

using testsupport::fileBytes;
using testsupport::writeFile;

namespace {

using Run = testsupport::ToolRun;

Run runTool(const QStringList &args, const QByteArray &input = {})
{
    return testsupport::runProgram(QStringLiteral(ORDEX_DBF), args, input);
}

// The records as CSV lines, header first.
QStringList exported(const QString &dbf)
{
    const Run r = runTool({QStringLiteral("export"), dbf});
    return r.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

quint16 le16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// Where a field starts within a record, from the field descriptors.
int fieldOffset(const QByteArray &dbf, const char *name)
{
    int offset = 1;
    for (int d = 32; dbf.at(d) != '\r'; d += 32) {
        if (qstrcmp(dbf.constData() + d, name) == 0)
            return offset;
        offset += uchar(dbf.at(d + 16));
    }
    return -1;
}

void setCount(QByteArray &dbf, quint32 count) { qToLittleEndian(count, dbf.data() + 4); }

// The damaged files kept beside the table, by their original suffix.
QMap<QString, QByteArray> keptBeside(const QString &data, const QString &base)
{
    QMap<QString, QByteArray> out;
    for (const QString &f : QDir(data).entryList({base + QStringLiteral(".*.poskozeno-*")}, QDir::Files))
        out[f.section(QLatin1Char('.'), 1, 1)] = fileBytes(data + f);
    return out;
}

} // namespace

class RepairTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void keepsExactlyTheWholeRecords_data();
    void keepsExactlyTheWholeRecords();
    void emptiesUnreadableMemosOnly();
    void refusesWhatItCannotRead();
    void damagedTableTellsAboutRepair();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QString m_table;
    QStringList m_rows; // the exported lines of the good table
};

void RepairTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    layOutProgramDirectory(m_dir->path(), LayoutMode::Fresh);
    m_data = m_dir->path() + QStringLiteral("/Data/");
    m_table = m_data + QStringLiteral("VazonS.dbf");
    QByteArray csv = "NAZEV,AUTOR,DRUH,CISLO,ROK,DATUM,POZNAMKA\n";
    for (int i = 1; i <= 6; ++i)
        csv += "Kniha " + QByteArray::number(i) + ",Autorka Čapková " + QByteArray::number(7 - i)
            + ",Román," + QByteArray::number(10 * i) + ",19" + QByteArray::number(50 + i) + ",2024-03-0"
            + QByteArray::number(i) + ",Poznámka " + QByteArray::number(i) + "\n";
    QCOMPARE(runTool({QStringLiteral("import"), m_table}, csv).code, 0);
    m_rows = exported(m_table);
    QCOMPARE(m_rows.size(), 7);
}

void RepairTest::keepsExactlyTheWholeRecords_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QList<int>>("kept"); // record numbers 1..6
    QTest::addColumn<int>("lost");
    QTest::newRow("cut in the middle of a record") << "cut" << QList<int>{1, 2, 3, 4} << 1;
    QTest::newRow("header claims more records") << "more" << QList<int>{1, 2, 3, 4, 5, 6} << 0;
    QTest::newRow("header claims fewer records") << "fewer" << QList<int>{1, 2, 3, 4, 5, 6} << 0;
    QTest::newRow("bytes that are no number") << "number" << QList<int>{1, 3, 4, 5, 6} << 1;
    QTest::newRow("bytes that are no date") << "date" << QList<int>{1, 2, 3, 4, 6} << 1;
    QTest::newRow("deletion flag overwritten") << "flag" << QList<int>{2, 3, 4, 5, 6} << 1;
    QTest::newRow("index missing") << "nomdx" << QList<int>{1, 2, 3, 4, 5, 6} << 0;
    QTest::newRow("index of another table") << "foreignmdx" << QList<int>{1, 2, 3, 4, 5, 6} << 0;
}

void RepairTest::keepsExactlyTheWholeRecords()
{
    QFETCH(QString, damage);
    QFETCH(QList<int>, kept);
    QFETCH(int, lost);
    const QByteArray good = fileBytes(m_table);
    const int headerLength = le16(good, 8), recordLength = le16(good, 10);
    auto fieldAt = [&](int record, int offset) { return headerLength + (record - 1) * recordLength + offset; };
    QByteArray bad = good;
    if (damage == "cut")
        bad.truncate(fieldAt(5, 40));
    else if (damage == "more")
        setCount(bad, 9);
    else if (damage == "fewer")
        setCount(bad, 4);
    else if (damage == "number")
        bad.replace(fieldAt(2, fieldOffset(good, "CISLO")), 3, "x?z");
    else if (damage == "date")
        bad.replace(fieldAt(5, fieldOffset(good, "DATUM")), 8, "2024ab99");
    else if (damage == "flag")
        bad[fieldAt(1, 0)] = 'Q';
    QByteArray mdx = fileBytes(m_data + QStringLiteral("VazonS.mdx"));
    if (damage == "nomdx")
        QVERIFY(QFile::remove(m_data + QStringLiteral("VazonS.mdx")));
    if (damage == "foreignmdx")
        writeFile(m_data + QStringLiteral("VazonS.mdx"), fileBytes(m_data + QStringLiteral("Pujcovna.mdx")));
    const QByteArray badMdx = fileBytes(m_data + QStringLiteral("VazonS.mdx"));
    writeFile(m_table, bad);
    const QByteArray dbt = fileBytes(m_data + QStringLiteral("VazonS.dbt"));

    const Run r = runTool({QStringLiteral("repair"), m_table});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY(r.out.contains(QStringLiteral("Záznamů zachováno: %1").arg(kept.size())));
    QVERIFY2(r.out.contains(QStringLiteral("Záznamů ztraceno: %1").arg(lost)), qPrintable(r.out));
    QCOMPARE(r.out.contains(QStringLiteral("Za počtem záznamů v hlavičce leželo 2 celých záznamů")), damage == "fewer");

    QStringList expected{m_rows.at(0)};
    for (int k : kept)
        expected << m_rows.at(k);
    QCOMPARE(exported(m_table), expected);
    const Run check = runTool({QStringLiteral("check"), m_table});
    QVERIFY2(check.code == 0 && !check.out.contains(QStringLiteral("vytvořen znovu")), qPrintable(check.err + check.out));

    // The damaged files, byte for byte, beside the table.
    const QMap<QString, QByteArray> beside = keptBeside(m_data, QStringLiteral("VazonS"));
    QCOMPARE(beside.value(QStringLiteral("dbf")), bad);
    QCOMPARE(beside.value(QStringLiteral("dbt")), dbt);
    QCOMPARE(beside.value(QStringLiteral("mdx")), damage == "nomdx" ? QByteArray() : badMdx);
    // The new index offers the book table's orders again.
    dbase::Table t;
    t.setDatabaseName(m_data);
    t.setTableName(QStringLiteral("VazonS.dbf"));
    t.open();
    QCOMPARE(t.tags().size(), 2);
    t.setOrder(QStringLiteral("NAZEV"));
    QCOMPARE(t.recordCount(), kept.size());
    QVERIFY(QDir(m_data).entryList({QStringLiteral(".*oprava*")}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

void RepairTest::emptiesUnreadableMemosOnly()
{
    // A table of another program with a memo field.
    const QString path = m_data + QStringLiteral("Zapisky.dbf");
    dbase::createTable(path, {{QStringLiteral("NAZEV"), 'C', 20, 0}, {QStringLiteral("TEXT"), 'M', 10, 0}},
                       {{QStringLiteral("NAZEV"), QStringLiteral("NAZEV")}}, true);
    {
        dbase::Table t;
        t.setDatabaseName(m_data);
        t.setTableName(QStringLiteral("Zapisky.dbf"));
        t.open();
        for (int i = 1; i <= 3; ++i) {
            t.insert();
            t.setFieldText(QStringLiteral("NAZEV"), QStringLiteral("Záznam %1").arg(i));
            t.setFieldText(QStringLiteral("TEXT"), QStringLiteral("Dlouhý text číslo %1").arg(i).repeated(40));
            t.post();
        }
        t.close();
    }
    const QStringList rows = exported(path);
    QByteArray dbf = fileBytes(path);
    const int headerLength = le16(dbf, 8), recordLength = le16(dbf, 10);
    dbf.replace(headerLength + recordLength + fieldOffset(dbf, "TEXT"), 10, "      9999"); // record 2: a block past the end
    writeFile(path, dbf);
    QVERIFY(runTool({QStringLiteral("check"), path}).code != 0);

    const Run r = runTool({QStringLiteral("repair"), path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains(QStringLiteral("Poznámek vyprázdněno: 1 (záznamy č. 2)")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("Záznamů zachováno: 3")));
    QStringList expected = rows;
    expected[2] = QStringLiteral("Záznam 2,");
    QCOMPARE(exported(path), expected);
    QCOMPARE(runTool({QStringLiteral("check"), path}).code, 0);
}

void RepairTest::refusesWhatItCannotRead()
{
    // A header that no longer says what a record is.
    QByteArray dbf = fileBytes(m_table);
    dbf.replace(40, 24, QByteArray(24, '\xFF'));
    writeFile(m_table, dbf);
    const QStringList before = QDir(m_data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    Run r = runTool({QStringLiteral("repair"), m_table});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("hlavička je nečitelná")), qPrintable(r.err));
    QCOMPARE(fileBytes(m_table), dbf);
    QCOMPARE(QDir(m_data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);

    // A read-only data folder: nothing is written, the table stays.
    QByteArray cut = fileBytes(m_data + QStringLiteral("Pujcovna.dbf"));
    if (::geteuid() == 0)
        QSKIP("root writes into read-only folders");
    const QString lending = m_data + QStringLiteral("Pujcovna.dbf");
    cut.chop(3);
    writeFile(lending, cut);
    QVERIFY(QFile::setPermissions(m_data, QFile::ReadOwner | QFile::ExeOwner));
    r = runTool({QStringLiteral("repair"), lending});
    QFile::setPermissions(m_data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("zůstala beze změny")), qPrintable(r.err));
    QCOMPARE(fileBytes(lending), cut);
    QCOMPARE(QDir(m_data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

void RepairTest::damagedTableTellsAboutRepair()
{
    QByteArray dbf = fileBytes(m_table);
    setCount(dbf, 40);
    writeFile(m_table, dbf);
    dbase::Table t;
    t.setDatabaseName(m_data);
    t.setTableName(QStringLiteral("VazonS.dbf"));
    try {
        t.open();
        QFAIL("a damaged table opened");
    } catch (const dbase::Error &e) {
        QVERIFY2(e.message().contains(QStringLiteral("ordex-dbf repair")), qPrintable(e.message()));
    }
}

QTEST_MAIN(RepairTest)
#include "tst_tools_repair.moc"
