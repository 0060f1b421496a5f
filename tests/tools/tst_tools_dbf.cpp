// ordex-dbf run as people run it: export and import of a catalogue as CSV,
// the all-or-nothing import, and the check of a table's files.

#include "ProgramLayout.h"

#include "dbase/Table.h"
#include "platform/Codepage1250.h"

#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

using Run = testsupport::ToolRun;

Run runTool(const QStringList &args, const QByteArray &input = {})
{
    return testsupport::runProgram(QStringLiteral(ORDEX_DBF), args, input);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The three files of a table, to see that a refused import left them alone.
QList<QByteArray> tableFiles(const QString &data, const QString &base)
{
    return {fileBytes(data + "/" + base + ".dbf"), fileBytes(data + "/" + base + ".dbt"),
            fileBytes(data + "/" + base + ".mdx")};
}

// A dBASE III+ table as other programs write it: code page 1250 language
// driver, a memo field when memo is given (.dbt of 512-byte blocks, the
// text ended by two 0x1A), one deleted record, an unknown logical "?".
void writeForeignTable(const QString &dbfPath, int memoBlock, bool level4 = false)
{
    struct F { const char *name; char type; int length; int decimals; };
    const bool memo = memoBlock >= 0;
    QList<F> fields{{"NAZEV", 'C', 30, 0}, {"CISLO", 'N', 6, 1}, {"DATUM", 'D', 8, 0}, {"PUJC", 'L', 1, 0}};
    if (memo)
        fields.append({"TEXT", 'M', 10, 0});
    int recordLength = 1;
    for (const F &f : fields)
        recordLength += f.length;
    const int headerLength = 32 + 32 * int(fields.size()) + 1;
    QByteArray b(32, '\0');
    b[0] = char(!memo ? 0x03 : level4 ? 0x8B : 0x83);
    b[1] = char(124); b[2] = 5; b[3] = 17;
    b[4] = 3;
    b[8] = char(headerLength & 0xFF); b[9] = char(headerLength >> 8);
    b[10] = char(recordLength & 0xFF); b[11] = char(recordLength >> 8);
    b[29] = char(0xC8);
    for (const F &f : fields) {
        QByteArray d(32, '\0');
        d.replace(0, int(qstrlen(f.name)), f.name);
        d[11] = f.type;
        d[16] = char(f.length);
        d[17] = char(f.decimals);
        b += d;
    }
    b += '\r';
    auto record = [&](char flag, const QString &title, const char *number, const char *date, char logical,
                      const char *memoRef) {
        b += flag;
        b += platform::encode1250(title).leftJustified(30, ' ');
        b += number;
        b += date;
        b += logical;
        if (memo)
            b += memoRef;
    };
    const QByteArray ref = QByteArray::number(memoBlock).rightJustified(10, ' ');
    record(' ', QStringLiteral(" Žluťoučký kůň, \"úpěl\""), "  12.5", "20240131", 'T', ref.constData());
    record('*', QStringLiteral("Smazaný"), "   2.0", "20000101", 'F', "          ");
    record(' ', QStringLiteral("Ďáblova óda"), "  -3.0", "        ", '?', "          ");
    b += '\x1A';
    QFile f(dbfPath);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
    f.close();
    if (memo) {
        QByteArray dbt(512, '\0');
        dbt[0] = 2; // next free block
        dbt[16] = 3;
        const QByteArray text = platform::encode1250(QStringLiteral("Poznámka z jiného programu"));
        if (level4) { // dBASE IV: block size in the header, each text behind FF FF 08 00 and its length
            dbt[21] = 2;
            dbt += QByteArray("\xFF\xFF\x08\x00", 4);
            char length[4];
            qToLittleEndian(quint32(8 + text.size()), length);
            dbt += QByteArray(length, 4);
            dbt += text;
        } else {
            dbt += text + "\x1A\x1A";
        }
        dbt = dbt.leftJustified(1024, '\0');
        QFile m(QFileInfo(dbfPath).absolutePath() + "/" + QFileInfo(dbfPath).completeBaseName() + ".DBT");
        QVERIFY(m.open(QIODevice::WriteOnly));
        m.write(dbt);
    }
}

const char Header[] = "NAZEV,AUTOR,DRUH,CISLO,ROK,STRANY,VYDAVATEL,POZNAMKA,PUJCENO,DATUM,"
                      "ORIGINAL,ILUSTRACE,TISK,VYDANI,NAKLAD,VAZBA\r\n";

} // namespace

class DbfTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void roundTripKeepsCzechTextAndAwkwardValues();
    void exportFollowsOrderAndFilter();
    void exportLeavesOutDeletedRecords();
    void exportOfManyRecordsHoldsEveryOne();
    void importOfSomeFieldsLeavesTheRestEmpty();
    void refusedImportLeavesFilesUnchanged_data();
    void refusedImportLeavesFilesUnchanged();
    void infoDescribesTheTable();
    void checkAcceptsGoodTables();
    void checkFindsDamage_data();
    void checkFindsDamage();
    void readsTableWrittenByAnotherProgram();
    void checkFollowsMemoReferences();
    void checkComparesIndexKeysWithRecords_data();
    void checkComparesIndexKeysWithRecords();
    void badCommandLineShowsUsage();
    void helpAndVersionAreAnswersNotErrors();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_data;
    QString m_catalogue;
};

void DbfTest::init()
{
    delete m_dir;
    m_dir = new QTemporaryDir;
    layOutProgramDirectory(m_dir->path(), LayoutMode::Fresh);
    m_data = m_dir->filePath("Data");
    m_catalogue = m_data + "/VazonS.dbf";
}

void DbfTest::roundTripKeepsCzechTextAndAwkwardValues()
{
    const QByteArray csv = QByteArray(Header)
        + "Válka s mloky,\"Čapek, Karel\",Sci-Fi,12,1936,256,Fr. Borový,\"Řekl: \"\"Ne!\"\"\r\ndruhý řádek\","
          "Půjčeno,2023-01-31,War with the Newts,Josef Čapek,Tisk Brno,První,5000,Vázaná\r\n"
        + "Ďáblova úžlabina,Ťukal Ňuk,Horor,12.5,,,,,,,,,,,0.25,Rychlovazba\r\n";
    // A record without any value is a blank book: left out, and said so.
    Run r = runTool({"import", m_catalogue}, csv + ",,,,,,,,,,,,,,,\r\n");
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(r.err.contains("záznam 3: "), qPrintable(r.err));

    r = runTool({"export", m_catalogue});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.toUtf8(), csv); // file order: as imported
}

void DbfTest::exportFollowsOrderAndFilter()
{
    const QByteArray csv = "NAZEV,CISLO,DRUH\n"
                           "Dášenka,1,Dětská kniha\n"
                           "Cyrano,2,Drama\n"
                           "Čarodějův učeň,3,Fantasy\n"
                           "Chaloupka,4,Dětská kniha\n"
                           "Hobit,5,Fantasy\n"
                           "Rozum a cit,6,Drama d'amour\n";
    Run r = runTool({"import", m_catalogue}, csv);
    QVERIFY2(r.code == 0, qPrintable(r.err));

    auto column = [](const QString &out) {
        QStringList titles = out.split("\r\n", Qt::SkipEmptyParts);
        titles.removeFirst();
        for (QString &t : titles)
            t = t.section(',', 0, 0);
        return titles;
    };
    r = runTool({"export", m_catalogue, "--order", "NAZEV"});
    QCOMPARE(r.code, 0);
    // Czech collation: C < Č < D, H < Ch.
    QCOMPARE(column(r.out), QStringList({"Cyrano", "Čarodějův učeň", "Dášenka", "Hobit", "Chaloupka", "Rozum a cit"}));
    r = runTool({"export", m_catalogue, "--order", "CISLO"});
    QCOMPARE(column(r.out), QStringList({"Dášenka", "Cyrano", "Čarodějův učeň", "Chaloupka", "Hobit", "Rozum a cit"}));

    r = runTool({"export", m_catalogue, "--order", "NAZEV", "--filter", "DRUH = 'Dětská kniha'"});
    QCOMPARE(r.code, 0);
    QCOMPARE(column(r.out), QStringList({"Dášenka", "Chaloupka"}));
    r = runTool({"export", m_catalogue, "--filter", "DRUH = 'Drama d''amour'"});
    QCOMPARE(column(r.out), QStringList({"Rozum a cit"}));
    // A filter that matches nothing still gives the header row.
    r = runTool({"export", m_catalogue, "--filter", "DRUH = 'Western'"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QString::fromLatin1(Header));

    r = runTool({"export", m_catalogue, "--order", "NENI"});
    QVERIFY(r.code != 0);
    QVERIFY(!r.err.isEmpty());
    r = runTool({"export", m_catalogue, "--filter", "DRUH = 'neuzavřeno"});
    QVERIFY(r.code != 0);
}

void DbfTest::exportLeavesOutDeletedRecords()
{
    QVERIFY(runTool({"import", m_catalogue}, "NAZEV,CISLO\nPrvní,1\nDruhá,2\nTřetí,3\n").code == 0);
    {
        dbase::Table t;
        t.setDatabaseName(m_data);
        t.setTableName("VazonS.dbf");
        t.open();
        t.setOrder("CISLO");
        QVERIFY(t.findKey("2"));
        t.remove();
        t.close();
    }
    Run r = runTool({"export", m_catalogue});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.count("\r\n"), 3);
    QVERIFY(!r.out.contains("Druhá"));
    QVERIFY(r.out.contains("Třetí"));
}

void DbfTest::importOfSomeFieldsLeavesTheRestEmpty()
{
    // Header names in any order and case; a BOM as spreadsheets write it.
    Run r = runTool({"import", m_catalogue}, "\xEF\xBB\xBF" "cislo,Nazev\n7,Krakatit\n");
    QVERIFY2(r.code == 0, qPrintable(r.err));
    // Appends: a second import adds to the first.
    r = runTool({"import", m_catalogue}, "NAZEV\nR.U.R.\n");
    QVERIFY2(r.code == 0, qPrintable(r.err));
    r = runTool({"export", m_catalogue});
    QCOMPARE(r.out, QString::fromLatin1(Header) + QStringLiteral("Krakatit,,,7,,,,,,,,,,,,\r\nR.U.R.,,,,,,,,,,,,,,,\r\n"));
    // An empty number sorts before every number.
    r = runTool({"export", m_catalogue, "--order", "CISLO"});
    QCOMPARE(r.out, QString::fromLatin1(Header) + QStringLiteral("R.U.R.,,,,,,,,,,,,,,,\r\nKrakatit,,,7,,,,,,,,,,,,\r\n"));
    QCOMPARE(runTool({"check", m_catalogue}).code, 0);
}

void DbfTest::refusedImportLeavesFilesUnchanged_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("where");
    const QByteArray good = "NAZEV,CISLO,DATUM,POZNAMKA\nDobrá,1,2001-02-03,ok\nTaky dobrá,2,,\n";
    QTest::newRow("date") << good + "Zlá,3,2001-02-30,\n" << "záznam 3, pole DATUM";
    QTest::newRow("date form") << good + "Zlá,3,3.2.2001,\n" << "záznam 3, pole DATUM";
    QTest::newRow("number") << good + "Zlá,tři,,\n" << "záznam 3, pole CISLO";
    QTest::newRow("decimal comma") << good + "Zlá,\"3,5\",,\n" << "záznam 3, pole CISLO";
    QTest::newRow("too wide number") << good + "Zlá,123456789012,,\n" << "záznam 3, pole CISLO";
    QTest::newRow("too long") << good + "Zlá,3,," + QByteArray(255, 'x') + "\n" << "záznam 3, pole POZNAMKA";
    QTest::newRow("not in code page") << good + "Zlá ☺,3,,\n" << "záznam 3, pole NAZEV";
    QTest::newRow("count") << good + "Zlá,3\n" << "záznam 3";
    QTest::newRow("quote") << good + "\"Zlá,3,,\n" << "záznam 3";
    QTest::newRow("field") << QByteArray("NAZEV,BARVA\nKniha,modrá\n") << "záhlaví, pole BARVA";
    QTest::newRow("twice") << QByteArray("NAZEV,nazev\nKniha,Kniha\n") << "záhlaví, pole nazev";
    QTest::newRow("utf8") << QByteArray("NAZEV\nKn\xedha\n") << "UTF-8";
}

void DbfTest::refusedImportLeavesFilesUnchanged()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, where);
    QVERIFY(runTool({"import", m_catalogue}, "NAZEV,CISLO\nStará,100\n").code == 0);
    const QList<QByteArray> before = tableFiles(m_data, "VazonS");

    Run r = runTool({"import", m_catalogue}, csv);
    QVERIFY(r.code != 0);
    QVERIFY2(r.err.contains(where), qPrintable(r.err));
    QCOMPARE(tableFiles(m_data, "VazonS"), before);
    QCOMPARE(QDir(m_data).entryList(QDir::Files).size(), 6);
}

void DbfTest::infoDescribesTheTable()
{
    QVERIFY(runTool({"import", m_data + "/Pujcovna.dbf"}, "ID,PROGRAM\n12,GS\n").code == 0);
    Run r = runTool({"info", m_data + "/Pujcovna.dbf"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains("1250"), qPrintable(r.out));
    QVERIFY(r.out.contains(QRegularExpression("Záznamů: 1\\b")));
    QVERIFY(r.out.contains(QRegularExpression("PSC\\s+N ")));
    QVERIFY(r.out.contains(QRegularExpression("DATUM\\s+D 8")));
    QVERIFY(r.out.contains(QRegularExpression("ID\\s+ID")));

    r = runTool({"info", m_data + "/Zaloha/VazonI.dbf"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains(QRegularExpression("AUTORNAZEV\\s+AUTOR\\s*\\+\\s*NAZEV")));
    QVERIFY(r.out.contains("Pole (15)"));

    r = runTool({"info", m_data + "/Neni.dbf"});
    QVERIFY(r.code != 0);
}

void DbfTest::exportOfManyRecordsHoldsEveryOne()
{
    // Several pieces of output: every record whole and in order across
    // their seams, quoted values among them.
    QByteArray csv = "NAZEV,CISLO,DATUM,POZNAMKA\n";
    QByteArray expected = Header;
    for (int i = 3000; i >= 1; --i) {
        const QByteArray title = QString("Kniha č. %1, díl \"%2\"").arg(i).arg(i % 7).toUtf8();
        const QByteArray quoted = "\"" + QByteArray(title).replace("\"", "\"\"") + "\"";
        const QByteArray note = QString("Poznámka %1 – žluťoučký kůň").arg(i).toUtf8();
        csv += quoted + "," + QByteArray::number(i) + ",2024-02-" + QByteArray::number(1 + i % 28).rightJustified(2, '0')
               + "," + note + "\n";
    }
    for (int i = 1; i <= 3000; ++i) {
        const QByteArray title = QString("Kniha č. %1, díl \"%2\"").arg(i).arg(i % 7).toUtf8();
        expected += "\"" + QByteArray(title).replace("\"", "\"\"") + "\",,," + QByteArray::number(i) + ",,,,"
                    + QString("Poznámka %1 – žluťoučký kůň").arg(i).toUtf8() + ",,2024-02-"
                    + QByteArray::number(1 + i % 28).rightJustified(2, '0') + ",,,,,,\r\n";
    }
    QVERIFY(expected.size() > 3 * 64 * 1024);
    Run r = runTool({"import", m_catalogue}, csv);
    QVERIFY2(r.code == 0, qPrintable(r.err));
    r = runTool({"export", m_catalogue, "--order", "CISLO"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.toUtf8().size(), expected.size());
    QVERIFY(r.out.toUtf8() == expected);
}

void DbfTest::checkAcceptsGoodTables()
{
    for (const char *file : {"VazonS.dbf", "TIPYG.DBF", "Pujcovna.dbf", "Zaloha/VazonI.dbf", "Zaloha/Vazon3.dbf"}) {
        Run r = runTool({"check", m_data + "/" + file});
        QVERIFY2(r.code == 0, qPrintable(QString(file) + ": " + r.err));
    }
    QVERIFY(runTool({"import", m_catalogue}, "NAZEV,CISLO\nA,1\nB,2\nC,3\n").code == 0);
    Run r = runTool({"check", m_catalogue});
    QVERIFY2(r.code == 0, qPrintable(r.err));
}

void DbfTest::checkFindsDamage_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("truncated records") << "truncate";
    QTest::newRow("record count") << "count";
    QTest::newRow("deletion flag") << "flag";
    QTest::newRow("memo file missing") << "nodbt";
    QTest::newRow("index missing") << "nomdx";
    QTest::newRow("index garbage") << "garbage";
    QTest::newRow("header garbage") << "header";
}

void DbfTest::checkFindsDamage()
{
    QFETCH(QString, damage);
    QVERIFY(runTool({"import", m_catalogue}, "NAZEV,CISLO\nA,1\nB,2\nC,3\n").code == 0);
    const QString dbf = m_catalogue;
    QByteArray bytes = fileBytes(dbf);
    const int headerLength = quint8(bytes[8]) | quint8(bytes[9]) << 8;
    auto rewrite = [](const QString &path, const QByteArray &b) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(b);
    };
    if (damage == "truncate") {
        rewrite(dbf, bytes.left(bytes.size() - 40));
    } else if (damage == "count") {
        bytes[4] = 9;
        rewrite(dbf, bytes);
    } else if (damage == "flag") {
        bytes[headerLength] = 'x';
        rewrite(dbf, bytes);
    } else if (damage == "nodbt") {
        QVERIFY(QFile::remove(m_data + "/VazonS.dbt"));
    } else if (damage == "nomdx") {
        QVERIFY(QFile::remove(m_data + "/VazonS.mdx"));
    } else if (damage == "garbage") {
        QByteArray mdx = fileBytes(m_data + "/VazonS.mdx");
        for (qsizetype i = 0; i < mdx.size(); ++i)
            mdx[i] = char(0xA5 ^ i);
        rewrite(m_data + "/VazonS.mdx", mdx);
    } else if (damage == "header") {
        bytes[10] = 3; // record length
        rewrite(dbf, bytes);
    }
    Run r = runTool({"check", dbf});
    QVERIFY2(r.code != 0, qPrintable(r.out));
    QVERIFY(!r.err.trimmed().isEmpty());
}

void DbfTest::readsTableWrittenByAnotherProgram()
{
    const QString path = m_dir->filePath("CIZI.DBF");
    writeForeignTable(path, -1);
    Run r = runTool({"export", path});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("NAZEV,CISLO,DATUM,PUJC\r\n"
                                   "\" Žluťoučký kůň, \"\"úpěl\"\"\",12.5,2024-01-31,T\r\n"
                                   "Ďáblova óda,-3,,\r\n"));
    r = runTool({"info", path});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains("0x03"));
    QVERIFY(r.out.contains(QRegularExpression("Záznamů: 3 \\(z toho odstraněných 1\\)")));
    QCOMPARE(runTool({"check", path}).code, 0);
}

void DbfTest::checkFollowsMemoReferences()
{
    const QString path = m_dir->filePath("MEMO.DBF");
    writeForeignTable(path, 1);
    Run r = runTool({"check", path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    r = runTool({"export", path});
    QVERIFY2(r.out.contains(",Poznámka z jiného programu\r\n"), qPrintable(r.out + r.err));

    writeForeignTable(path, 9); // a block past the end of the memo file
    r = runTool({"check", path});
    QVERIFY(r.code != 0);
    QVERIFY2(r.err.contains("TEXT"), qPrintable(r.err));

    writeForeignTable(path, 1, true);
    r = runTool({"check", path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    r = runTool({"export", path});
    QVERIFY2(r.out.contains(",Poznámka z jiného programu\r\n"), qPrintable(r.out + r.err));
    {
        QFile dbt(m_dir->filePath("MEMO.DBT"));
        QVERIFY(dbt.open(QIODevice::ReadWrite));
        dbt.seek(512);
        dbt.write("XX"); // the block's signature destroyed
    }
    r = runTool({"check", path});
    QVERIFY(r.code != 0);

    writeForeignTable(path, 1);
    QVERIFY(QFile::remove(m_dir->filePath("MEMO.DBT")));
    r = runTool({"check", path});
    QVERIFY(r.code != 0);
    QVERIFY2(r.err.contains(".dbt"), qPrintable(r.err));
}

void DbfTest::checkComparesIndexKeysWithRecords_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QStringList>("expected"); // parts of the message
    QTest::newRow("untouched") << "" << QStringList();
    QTest::newRow("key byte in the index") << "indexkey" << QStringList{"značka NAZEV", "„Kniha 0123“"};
    QTest::newRow("title changed in the table") << "title" << QStringList{"značka NAZEV", "„Kniha 0042“", "„Kniha X042“"};
    QTest::newRow("number changed in the table") << "number" << QStringList{"značka CISLO", "„42“", "„92“"};
    QTest::newRow("record deleted in the table") << "deleted" << QStringList{"odstraněn"};
    QTest::newRow("two entries swapped") << "swapped" << QStringList{"značka NAZEV", "seřazeny"};
    QTest::newRow("record number past the end") << "recno" << QStringList{"značka NAZEV", "nemá"};
    QTest::newRow("child pointer loops") << "loop" << QStringList{"značka"};
}

void DbfTest::checkComparesIndexKeysWithRecords()
{
    QFETCH(QString, damage);
    QFETCH(QStringList, expected);
    // 300 books in a shuffled file order: both trees have inner blocks.
    QByteArray csv = "NAZEV,CISLO\n";
    int recordOf42 = 0;
    for (int i = 0; i < 300; ++i) {
        const int n = (i * 7) % 300;
        if (n == 42)
            recordOf42 = i + 1;
        csv += QString("Kniha %1,%2\n").arg(n, 4, 10, QChar('0')).arg(n).toUtf8();
    }
    QVERIFY(runTool({"import", m_catalogue}, csv).code == 0);
    const QString mdxPath = m_data + "/VazonS.mdx";
    QByteArray dbf = fileBytes(m_catalogue);
    QByteArray mdx = fileBytes(mdxPath);
    const int headerLength = quint8(dbf[8]) | quint8(dbf[9]) << 8;
    const int recordLength = quint8(dbf[10]) | quint8(dbf[11]) << 8;
    const qsizetype record42 = headerLength + qsizetype(recordOf42 - 1) * recordLength;
    const qsizetype key123 = mdx.indexOf("Kniha 0123"); // in its leaf: record number, then the key
    QVERIFY(key123 > 0);
    const int item = 56; // 50 bytes of NAZEV and the record number, rounded to 4
    if (damage == "indexkey") {
        mdx[key123 + 7] = 'Q';
    } else if (damage == "title") {
        QCOMPARE(dbf.mid(record42 + 1, 10), QByteArray("Kniha 0042"));
        dbf[record42 + 7] = 'X';
    } else if (damage == "number") {
        const qsizetype at = dbf.indexOf("42", record42 + 51); // CISLO follows NAZEV..DRUH
        QVERIFY(at > 0 && at < record42 + recordLength);
        dbf[at] = '9';
    } else if (damage == "deleted") {
        dbf[record42] = '*';
    } else if (damage == "swapped") {
        const QByteArray a = mdx.mid(key123 - 4, item), b = mdx.mid(key123 - 4 + item, item);
        QVERIFY(b.mid(4, 10) == "Kniha 0124");
        mdx.replace(key123 - 4, item, b);
        mdx.replace(key123 - 4 + item, item, a);
    } else if (damage == "recno") {
        qToLittleEndian<quint32>(301, mdx.data() + key123 - 4);
    } else if (damage == "loop") {
        // The root of the NAZEV tree made to point at itself.
        const int entries = 544;
        for (int t = 0; t < 2; ++t) {
            if (mdx.mid(entries + 32 * t + 4, 5) != "NAZEV")
                continue;
            const qsizetype header = qsizetype(qFromLittleEndian<quint32>(mdx.constData() + entries + 32 * t)) * 512;
            const quint32 root = qFromLittleEndian<quint32>(mdx.constData() + header);
            qToLittleEndian<quint32>(root, mdx.data() + qsizetype(root) * 512 + 8);
        }
    }
    auto rewrite = [](const QString &path, const QByteArray &b) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(b);
    };
    rewrite(m_catalogue, dbf);
    rewrite(mdxPath, mdx);
    const Run r = runTool({"check", m_catalogue});
    if (expected.isEmpty()) {
        QVERIFY2(r.code == 0, qPrintable(r.err));
        return;
    }
    QVERIFY2(r.code == 1, qPrintable(r.out));
    for (const QString &part : expected)
        QVERIFY2(r.err.contains(part), qPrintable(r.err));
}

void DbfTest::badCommandLineShowsUsage()
{
    for (const QStringList &args : {QStringList{}, QStringList{"export"}, QStringList{"zrus", m_catalogue},
                                    QStringList{"export", m_catalogue, "--order"}}) {
        Run r = runTool(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("ordex-dbf export"));
    }
}

void DbfTest::helpAndVersionAreAnswersNotErrors()
{
    // Asked for anywhere on the line, the usage goes to standard output and
    // the tool touches nothing.
    const QList<QByteArray> before = tableFiles(m_data, "VazonS");
    for (const QStringList &args : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"import", m_catalogue, "--help"},
                                    QStringList{"export", m_catalogue, "-h"}}) {
        Run r = runTool(args, "NAZEV\nKniha\n");
        QVERIFY2(r.code == 0, qPrintable(args.join(' ')));
        QVERIFY(r.out.startsWith("Použití:"));
        QVERIFY(r.out.contains("ordex-dbf import TABULKA"));
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    }
    QCOMPARE(tableFiles(m_data, "VazonS"), before);
    Run r = runTool({"--version"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("ordex-dbf (Ordex 2000) " ORDEX_VERSION "\n"));
    // The usage is Czech throughout: the messages it describes are.
    for (const char *english : {"row", "field", "usage", "Usage"})
        QVERIFY2(!runTool({"--help"}).out.contains(QLatin1String(english)), english);
}

QTEST_GUILESS_MAIN(DbfTest)
#include "tst_tools_dbf.moc"
