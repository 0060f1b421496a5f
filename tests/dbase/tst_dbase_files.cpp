// Tables of other dBASE versions and programs, damaged files, new tables
// and the production index.

#include "dbase/MdxFile.h"
#include "dbase/FieldCodec.h"
#include "dbase/KeyExpression.h"
#include "dbase/Table.h"

#include "Fixtures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using dbase::FieldDef;
using dbase::IndexTag;
using dbase::Table;

namespace {

void openIn(Table &t, const QString &folder, const QString &name)
{
    t.setDatabaseName(folder);
    t.setTableName(name);
    t.open();
}

QStringList column(Table &t, const QString &field)
{
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.fieldText(field);
    return out;
}

QString openError(const QString &folder, const QString &name)
{
    Table t;
    try {
        openIn(t, folder, name);
    } catch (const dbase::Error &e) {
        return e.message();
    }
    return QString();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QList<FieldDef> bookFields()
{
    return {{"NAZEV", 'C', 50, 0}, {"AUTOR", 'C', 50, 0}, {"CISLO", 'N', 6, 0}, {"DATUM", 'D', 8, 0}};
}

QList<IndexTag> bookTags()
{
    return {{"CISLO", "CISLO"}, {"NAZEV", "NAZEV"}, {"AUTORNAZEV", "AUTOR+NAZEV"}, {"DATUM", "DATUM"}};
}

} // namespace

class FilesTest : public QObject
{
    Q_OBJECT

private slots:
    void readsDbase3Plus()
    {
        QTemporaryDir dir;
        fixtures::write(dir.filePath("KNIHY.DBF"), fixtures::dbase3PlusBooks());
        Table t;
        openIn(t, dir.path(), "Knihy.dbf");
        // The deleted record is not shown; no language driver reads as 1250.
        QCOMPARE(column(t, "NAZEV"), QStringList({"Babička", "Krakatit"}));
        t.first();
        QCOMPARE(t.fieldText("CISLO"), QString("12"));
        QCOMPARE(t.fieldText("CENA"), QString("99.9"));
        QCOMPARE(t.fieldText("DATUM"), QString("31.12.1999"));
        QCOMPARE(t.fieldText("PUJCENO"), QString("true"));
        t.next();
        QCOMPARE(t.fieldText("CENA"), QString());
        QCOMPARE(t.fieldText("PUJCENO"), QString());
        QCOMPARE(t.recNo(), 3u);
        QVERIFY(t.tags().isEmpty());
        // Our writes keep the table readable for its own program: the same
        // version byte, the record appended after the last.
        t.insert();
        t.setFieldText("NAZEV", "Nova");
        t.post();
        t.close();
        const QByteArray disk = readAll(dir.filePath("KNIHY.DBF"));
        QCOMPARE(uchar(disk[0]), uchar(0x03));
        QCOMPARE(uchar(disk[4]), uchar(4));
        QCOMPARE(disk.right(1), QByteArray("\x1A"));
        QCOMPARE(disk.size(), 32 + 5 * 32 + 1 + 4 * 34 + 1);
    }

    void readsDbase3PlusMemo()
    {
        QTemporaryDir dir;
        fixtures::write(dir.filePath("Memo3.dbf"), fixtures::dbase3PlusWithMemo());
        fixtures::write(dir.filePath("Memo3.dbt"), fixtures::dbase3PlusMemoFile());
        Table t;
        openIn(t, dir.path(), "Memo3.dbf");
        QCOMPARE(column(t, "POZNAMKA"), QStringList({"Kratka poznamka", QString(600, 'x'), QString()}));
        QFile::remove(dir.filePath("Memo3.dbt"));
        t.close();
        QVERIFY(openError(dir.path(), "Memo3.dbf").contains("poznámek"));
    }

    void readsDbase4OfAnotherCodePage()
    {
        QTemporaryDir dir;
        fixtures::write(dir.filePath("Cizi.dbf"), fixtures::dbase4Cp852WithMemo());
        fixtures::write(dir.filePath("Cizi.DBT"), fixtures::dbase4MemoFile());
        Table t;
        openIn(t, dir.path(), "Cizi.dbf");
        t.first();
        QCOMPARE(t.fieldText("NAZEV"), QString("Šťastná"));
        QCOMPARE(t.fieldText("POZNAMKA"), QString("Řeřicha"));
        QCOMPARE(t.fieldValue("STRANY"), QVariant(250.0));
        // Written back in its own code page, memo appended to the .dbt.
        t.edit();
        t.setFieldText("NAZEV", "Žluťák");
        t.setFieldText("POZNAMKA", "Nová řeřicha");
        t.post();
        t.close();
        QVERIFY(readAll(dir.filePath("Cizi.dbf")).contains("\xA6\x6C\x75\x9C\xA0\x6B"));
        openIn(t, dir.path(), "Cizi.dbf");
        QCOMPARE(t.fieldText("NAZEV"), QString("Žluťák"));
        QCOMPARE(t.fieldText("POZNAMKA"), QString("Nová řeřicha"));
        // A letter code page 852 does not hold is refused.
        QVERIFY_THROWS_EXCEPTION(dbase::Error, t.setFieldText("NAZEV", "€"));
    }

    void memoWrittenAfterLastBlockWhateverTheHeaderSays()
    {
        QTemporaryDir dir;
        fixtures::write(dir.filePath("Cizi.dbf"), fixtures::dbase4Cp852WithMemo());
        QByteArray dbt = fixtures::dbase4MemoFile();
        dbt[0] = char(0x00); // next free block: far beyond the end
        dbt[3] = char(0x7F);
        fixtures::write(dir.filePath("Cizi.dbt"), dbt);
        Table t;
        openIn(t, dir.path(), "Cizi.dbf");
        t.edit();
        t.setFieldText("POZNAMKA", "Nová");
        t.post();
        QCOMPARE(t.fieldText("POZNAMKA"), QString("Nová"));
        QCOMPARE(QFileInfo(dir.filePath("Cizi.dbt")).size(), qint64(3 * 512));
        t.close();
        openIn(t, dir.path(), "Cizi.dbf");
        QCOMPARE(t.fieldText("POZNAMKA"), QString("Nová"));
    }

    void readsLevel7_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("0x04") << 0x04;
        QTest::newRow("0x8C") << 0x8C;
    }

    void readsLevel7()
    {
        QFETCH(int, version);
        QTemporaryDir dir;
        fixtures::write(dir.filePath("Sedm.dbf"), fixtures::level7Types(quint8(version)));
        if (version == 0x8C)
            fixtures::write(dir.filePath("Sedm.dbt"), fixtures::dbaseIVMemo({}));
        Table t;
        openIn(t, dir.path(), "Sedm.dbf");
        QCOMPARE(t.fields().size(), 5);
        QCOMPARE(t.fields().at(4).name, QString("NAZEV_DLOUHY_JMENO"));
        QCOMPARE(column(t, "ID"), QStringList({"1", "2", "3"}));
        QCOMPARE(column(t, "POCET"), QStringList({"-5", "70000", ""}));
        QCOMPARE(column(t, "CENA"), QStringList({"12.5", "-0.25", ""}));
        QCOMPARE(column(t, "KDY"), QStringList({"1.6.2021 13:45:30", "31.12.1999 0:00:00", ""}));
        QCOMPARE(column(t, "NAZEV_DLOUHY_JMENO"), QStringList({"Prvni", "Druha", "Treti"}));
        t.first();
        QCOMPARE(t.fieldValue("POCET"), QVariant(qint64(-5)));
        QCOMPARE(t.fieldValue("KDY").toDateTime(), QDateTime(QDate(2021, 6, 1), QTime(13, 45, 30)));
        t.setOrder("CENA");
        QCOMPARE(column(t, "ID"), QStringList({"3", "2", "1"}));
        // Read only: their types are not ours to write.
        QVERIFY_THROWS_EXCEPTION(dbase::Error, t.insert());
    }

    void refusesDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("messagePart");
        const QByteArray good = fixtures::dbase3PlusBooks();
        QTest::newRow("empty file") << QByteArray() << "poškozen";
        QTest::newRow("truncated header") << good.left(20) << "poškozen";
        QTest::newRow("truncated descriptors") << good.left(100) << "poškozen";
        QByteArray count = good;
        count[4] = char(0x40); // 64 records claimed, 3 present
        QTest::newRow("count larger than file") << count << "64 vět";
        QByteArray huge = good;
        huge[7] = char(0x7F);
        QTest::newRow("huge count") << huge << "vět";
        QTest::newRow("garbage") << QByteArray(4000, char(0xA5)) << "verze";
        QByteArray type = good;
        type[32 + 11] = 'X';
        QTest::newRow("unknown type") << type << "neznámý typ";
        QByteArray width = good;
        width[32 * 4 + 16] = 3; // DATUM 3 wide
        QTest::newRow("date width") << width << "délka pole";
        QByteArray record = good;
        record[10] = 5; // record length shorter than its fields
        record[11] = 0;
        QTest::newRow("record length") << record << "délku věty";
        QByteArray noEnd = good;
        noEnd[32 * 6] = 'A';
        QTest::newRow("no terminator") << noEnd << "poškozen";
        QByteArray header = good;
        header[8] = char(0xFF);
        header[9] = char(0x7F);
        QTest::newRow("header length") << header << "hlavičky";
    }

    void refusesDamagedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, messagePart);
        QTemporaryDir dir;
        fixtures::write(dir.filePath("Vadna.dbf"), bytes);
        const QString message = openError(dir.path(), "Vadna.dbf");
        QVERIFY2(message.startsWith("Tabulka Vadna.dbf"), qPrintable(message));
        QVERIFY2(message.contains(messagePart), qPrintable(message));
    }

    void refusesMissingFiles()
    {
        QTemporaryDir dir;
        QVERIFY(openError(dir.path(), "Neni.dbf").contains("neexistuje"));
        dbase::createTable(dir.filePath("Knihy.dbf"), bookFields(), bookTags(), true);
        QFile::remove(dir.filePath("Knihy.mdx"));
        QVERIFY(openError(dir.path(), "Knihy.dbf").contains("indexový soubor"));
        fixtures::write(dir.filePath("Knihy.mdx"), QByteArray(600, '\0') + "garbage");
        QVERIFY(openError(dir.path(), "Knihy.dbf").contains("poškozen"));
        QVERIFY(QDir(dir.path()).mkdir("Slozka.dbf"));
        QVERIFY(!openError(dir.path(), "Slozka.dbf").isEmpty());
    }

    void createTableWritesDbase4()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("VazonS.dbf"), bookFields(), bookTags(), true);
        const QByteArray dbf = readAll(dir.filePath("VazonS.dbf"));
        QCOMPARE(uchar(dbf[0]), uchar(0x8B));
        QCOMPARE(dbf.mid(4, 4), QByteArray(4, '\0'));
        QCOMPARE(int(uchar(dbf[8]) | uchar(dbf[9]) << 8), 32 + 4 * 32 + 1);
        QCOMPARE(int(uchar(dbf[10]) | uchar(dbf[11]) << 8), 1 + 50 + 50 + 6 + 8);
        QCOMPARE(uchar(dbf[28]), uchar(1));
        QCOMPARE(uchar(dbf[29]), uchar(0xC8));
        QCOMPARE(dbf.mid(32, 6), QByteArray("NAZEV\0", 6));
        QCOMPARE(dbf[32 + 11], 'C');
        QCOMPARE(uchar(dbf[32 + 31]), uchar(1)); // NAZEV has a tag
        QCOMPARE(uchar(dbf[64 + 31]), uchar(0)); // AUTOR only within AUTORNAZEV
        QCOMPARE(dbf.right(2), QByteArray("\x0D\x1A"));
        const QByteArray dbt = readAll(dir.filePath("VazonS.dbt"));
        QCOMPARE(dbt.size(), 512);
        QCOMPARE(dbt.left(4), QByteArray("\x01\0\0\0", 4));
        QCOMPARE(int(uchar(dbt[20]) | uchar(dbt[21]) << 8), 512);

        // Without tags there is no index, and a stale one is removed.
        dbase::createTable(dir.filePath("VazonS.dbf"), bookFields(), {}, false);
        QVERIFY(!QFile::exists(dir.filePath("VazonS.mdx")));
        QVERIFY(!QFile::exists(dir.filePath("VazonS.dbt")));
        QCOMPARE(uchar(readAll(dir.filePath("VazonS.dbf"))[28]), uchar(0));

        // Definitions that cannot be written are refused.
        QVERIFY_THROWS_EXCEPTION(dbase::Error, dbase::createTable(dir.filePath("X.dbf"), {{"JMENO_PRILIS_DLOUHE", 'C', 5, 0}}, {}, false));
        QVERIFY_THROWS_EXCEPTION(dbase::Error, dbase::createTable(dir.filePath("X.dbf"), {{"A", 'C', 300, 0}}, {}, false));
        QVERIFY_THROWS_EXCEPTION(dbase::Error, dbase::createTable(dir.filePath("X.dbf"), {{"A", 'M', 10, 0}}, {}, false));
        QVERIFY_THROWS_EXCEPTION(dbase::Error, dbase::createTable(dir.filePath("X.dbf"), {{"A", 'C', 5, 0}}, {{"B", "B"}}, false));
        QVERIFY(!QFile::exists(dir.filePath("X.dbf")));
    }

    void indexTagsRoundTrip()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("VazonI.DBF"), bookFields(), bookTags(), true);
        Table t;
        openIn(t, dir.path(), "vazoni.dbf");
        QCOMPARE(t.tags().size(), 4);
        QCOMPARE(t.tags().at(2).name, QString("AUTORNAZEV"));
        QCOMPARE(t.tags().at(2).expression, QString("AUTOR+NAZEV"));
        QCOMPARE(t.tags().at(0).expression, QString("CISLO"));
        const QByteArray mdx = readAll(dir.filePath("VazonI.MDX"));
        QCOMPARE(mdx.size() % 512, 0);
        QCOMPARE(mdx.mid(4, 7), QByteArray("VazonI\0", 7));
        QCOMPARE(uchar(mdx[24]), uchar(1));
        QCOMPARE(int(uchar(mdx[28])), 4);
    }

    void indexRewrittenInKeyOrderAfterChanges()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Knihy.dbf"), bookFields(), bookTags(), true);
        const QByteArray emptyIndex = readAll(dir.filePath("Knihy.mdx"));
        const int count = 700; // more keys than one block holds, for every tag
        {
            Table t;
            openIn(t, dir.path(), "Knihy.dbf");
            for (int i = 0; i < count; ++i) {
                t.insert();
                t.setFieldText("NAZEV", QString("Kniha %1").arg((i * 7919) % count, 4, 10, QChar('0')));
                t.setFieldText("AUTOR", i % 3 ? "Čapek" : "Adams");
                if (i % 10)
                    t.setFieldText("CISLO", QString::number((i * 37) % 101 - 50));
                t.setFieldValue("DATUM", QDate(2000, 1, 1).addDays((i * 13) % 400));
                t.post();
            }
            t.first();
            t.remove();
            // While open the index only says that it no longer describes the
            // table (one byte of its note); it is written when the table closes.
            QByteArray marked = emptyIndex;
            marked[56] = 1;
            QCOMPARE(readAll(dir.filePath("Knihy.mdx")), marked);
            QVERIFY(dbase::readIndexNote(dir.filePath("Knihy.mdx")).changing);
        }
        const quint32 live = count - 1;
        auto nazev = dbase::readMdxKeys(dir.filePath("Knihy.mdx"), "NAZEV", live);
        QCOMPARE(nazev.size(), size_t(live));
        for (size_t i = 1; i < nazev.size(); ++i) {
            QVERIFY(nazev[i - 1].first <= nazev[i].first);
            QVERIFY(nazev[i].second != 1); // the deleted record is gone
        }
        QCOMPARE(nazev.front().first.left(10), QByteArray("Kniha 0001")); // "Kniha 0000" was deleted
        auto autor = dbase::readMdxKeys(dir.filePath("Knihy.mdx"), "AUTORNAZEV", live);
        QCOMPARE(autor.size(), size_t(live));
        for (size_t i = 1; i < autor.size(); ++i) {
            QVERIFY(autor[i - 1].first <= autor[i].first);
            if (autor[i - 1].first == autor[i].first)
                QVERIFY(autor[i - 1].second < autor[i].second);
        }
        auto cislo = dbase::readMdxKeys(dir.filePath("Knihy.mdx"), "CISLO", live);
        QCOMPARE(cislo.size(), size_t(live));
        for (size_t i = 1; i < cislo.size(); ++i) {
            const double a = dbase::bcdValue(cislo[i - 1].first.constData());
            const double b = dbase::bcdValue(cislo[i].first.constData());
            QVERIFY2(a < b || (a == b && cislo[i - 1].second < cislo[i].second),
                     qPrintable(QString("%1 %2").arg(a).arg(b)));
        }
        // The table opens again with the same tags.
        Table t;
        openIn(t, dir.path(), "Knihy.dbf");
        QCOMPARE(t.tags().size(), 4);
        QCOMPARE(t.recordCount(), int(live));
    }

    void indexOfSharedFileHoldsEveryTablesChanges()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Knihy.dbf"), bookFields(), bookTags(), true);
        Table a, b;
        openIn(a, dir.path(), "Knihy.dbf");
        a.insert();
        a.setFieldText("NAZEV", "Beta");
        a.post();
        openIn(b, dir.path(), "Knihy.dbf");
        a.edit();
        a.setFieldText("NAZEV", "Alfa");
        a.post();
        a.close();
        // b still holds "Beta" in memory; the index it writes must not.
        b.insert();
        b.setFieldText("NAZEV", "Gama");
        b.post();
        b.close();
        const auto keys = dbase::readMdxKeys(dir.filePath("Knihy.mdx"), "NAZEV", 2);
        QCOMPARE(keys.size(), size_t(2));
        QCOMPARE(keys[0].first.left(5), QByteArray("Alfa "));
        QCOMPARE(keys[0].second, 1u);
        QCOMPARE(keys[1].first.left(5), QByteArray("Gama "));
    }

    void storedKeysOfDamagedIndexAreRefused_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("untouched") << "";
        QTest::newRow("no such tag") << "tag";
        QTest::newRow("tag header past the end") << "header";
        QTest::newRow("root past the end") << "root";
        QTest::newRow("more keys than a block holds") << "count";
        QTest::newRow("key longer than an item") << "item";
        QTest::newRow("cut short") << "cut";
    }

    void storedKeysOfDamagedIndexAreRefused()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Knihy.dbf"), bookFields(), bookTags(), true);
        {
            Table t;
            openIn(t, dir.path(), "Knihy.dbf");
            for (int i = 0; i < 100; ++i) {
                t.insert();
                t.setFieldText("NAZEV", QString("Kniha %1").arg(i));
                t.post();
            }
        }
        QByteArray mdx = readAll(dir.filePath("Knihy.mdx"));
        QString tag = "NAZEV";
        // The tag table entry of NAZEV and its header.
        qsizetype entry = 544;
        while (mdx.mid(entry + 4, 5) != "NAZEV")
            entry += 32;
        const qsizetype header = qsizetype(qFromLittleEndian<quint32>(mdx.constData() + entry)) * 512;
        const quint32 root = qFromLittleEndian<quint32>(mdx.constData() + header);
        if (damage == "tag")
            tag = "NIC";
        else if (damage == "header")
            qToLittleEndian<quint32>(0x00FFFFFF, mdx.data() + entry);
        else if (damage == "root")
            qToLittleEndian<quint32>(0x7FFFFFFF, mdx.data() + header);
        else if (damage == "count")
            qToLittleEndian<quint32>(1000, mdx.data() + qsizetype(root) * 512);
        else if (damage == "item")
            qToLittleEndian<quint16>(8, mdx.data() + header + 18);
        else if (damage == "cut")
            mdx.truncate(header + 1024 + 100);
        dbase::MdxTag stored;
        QString why;
        const bool ok = dbase::readMdxTag(mdx, tag, stored, &why);
        if (damage.isEmpty()) {
            QVERIFY2(ok, qPrintable(why));
            QCOMPARE(stored.size(), size_t(100));
            QCOMPARE(stored.keys.size(), qsizetype(100 * stored.keyLength));
            return;
        }
        QVERIFY(!ok);
        QVERIFY(!why.isEmpty());
        QCOMPARE(stored.size(), size_t(0));
    }

    // A batch large enough for the tags to be computed on two threads, with
    // tags sharing fields in either order and an empty one: every tag holds
    // the live records in the order of their keys' bytes, equal keys in
    // record order. The batch posts more records than it said to expect.
    void indexOfALargeBatchSharesFieldsBetweenTags()
    {
        QTemporaryDir dir;
        const QList<IndexTag> tags = {{"AUTORNAZEV", "AUTOR+NAZEV"}, {"NAZEV", "NAZEV"},
                                      {"NAZEVAUTOR", "NAZEV+AUTOR"}, {"AUTOR", "AUTOR"},
                                      {"CISLO", "CISLO"}, {"DATUM", "DATUM"}};
        dbase::createTable(dir.filePath("Knihy.dbf"), bookFields(), tags, true);
        const QStringList authors = {"Čapek", "Adams", "Žák", "", "Áda", "Capek", "čapek"};
        const int count = 2500;
        {
            Table t;
            openIn(t, dir.path(), "Knihy.dbf");
            t.beginAppend(1000);
            for (int i = 0; i < count; ++i) {
                t.insert();
                t.setFieldText("NAZEV", i % 11 ? QString("Kniha %1").arg((i * 7919) % 400) : QString());
                t.setFieldText("AUTOR", authors.at(i % authors.size()));
                t.setFieldText("CISLO", QString::number((i * 37) % 1001 - 500));
                t.post();
            }
            t.commitAppend();
            for (int i = 0; i < 3; ++i) {
                t.first();
                t.remove();
            }
        }
        Table t;
        openIn(t, dir.path(), "Knihy.dbf");
        const int nazev = t.fieldIndex("NAZEV"), autor = t.fieldIndex("AUTOR");
        std::vector<std::pair<QByteArray, quint32>> byAutor, byNazev;
        for (t.first(); !t.eof(); t.next()) {
            const QByteArray a = t.fieldBytes(autor).toByteArray(), n = t.fieldBytes(nazev).toByteArray();
            byAutor.emplace_back(a + n, t.recNo());
            byNazev.emplace_back(n + a, t.recNo());
        }
        QCOMPARE(byAutor.size(), size_t(count - 3));
        for (auto *expected : {&byAutor, &byNazev})
            std::stable_sort(expected->begin(), expected->end(),
                             [](const auto &x, const auto &y) { return x.first < y.first; });
        const QString mdx = dir.filePath("Knihy.mdx");
        QCOMPARE(dbase::readMdxKeys(mdx, "AUTORNAZEV", count), byAutor);
        QCOMPARE(dbase::readMdxKeys(mdx, "NAZEVAUTOR", count), byNazev);
        const auto autorKeys = dbase::readMdxKeys(mdx, "AUTOR", count);
        const auto nazevKeys = dbase::readMdxKeys(mdx, "NAZEV", count);
        QCOMPARE(autorKeys.size(), byAutor.size());
        QCOMPARE(nazevKeys.size(), byNazev.size());
        for (size_t i = 0; i < autorKeys.size(); ++i) {
            QCOMPARE(autorKeys[i].first, byAutor[i].first.left(50));
            QCOMPARE(nazevKeys[i].first, byNazev[i].first.left(50));
        }
        for (size_t i = 1; i < autorKeys.size(); ++i) {
            if (autorKeys[i - 1].first == autorKeys[i].first)
                QVERIFY(autorKeys[i - 1].second < autorKeys[i].second);
            if (nazevKeys[i - 1].first == nazevKeys[i].first)
                QVERIFY(nazevKeys[i - 1].second < nazevKeys[i].second);
        }
        QCOMPARE(dbase::readMdxKeys(mdx, "CISLO", count).size(), byAutor.size());
        QCOMPARE(dbase::readMdxKeys(mdx, "DATUM", count).size(), byAutor.size());
    }

    void numericIndexKeys()
    {
        for (double v : {0.0, 1.0, 12.0, -3.5, 0.05, 123456.789, -99999.0, 1e-5}) {
            const QByteArray k = dbase::bcdKey(v);
            QCOMPARE(k.size(), 12);
            QVERIFY2(qAbs(dbase::bcdValue(k.constData()) - v) < 1e-9, qPrintable(QString::number(v)));
        }
    }

    // The key of a stored number is the key of the value it reads as,
    // however the digits stand in the field: padded, signed, with zeros that
    // say nothing, at the edges of what fits a double exactly, or not a
    // plain decimal at all.
    void storedNumberKeysAreTheKeysOfTheirValues()
    {
        const QList<dbase::FieldDef> fields = {{"N", 'N', 20, 10}};
        const auto key = dbase::parseKeyExpression("N", fields);
        QVERIFY(key);
        const dbase::CodePage codePage(0x65);
        QStringList texts = {"", "0", "-0.000", "+3", ".5", "-.05", "00120", "12000", "12345.0000",
                             "-99999.9999999999", "0.0000000001", "99999.12345678901", "123456.5",
                             "123456789012345", "1234567890123456", "999999999999999.9", "1e5",
                             "12a", "--1", "0.00000000005", "1.5-"};
        QRandomGenerator rng(7);
        for (int i = 0; i < 2000; ++i) {
            const int whole = int(rng.bounded(7)), fraction = int(rng.bounded(12));
            QString t = rng.bounded(3) == 0 ? "-" : "";
            for (int d = 0; d < whole; ++d)
                t += QChar('0' + int(rng.bounded(10)));
            if (fraction > 0 || whole == 0)
                t += '.';
            for (int d = 0; d < qMax(fraction, whole == 0 ? 1 : 0); ++d)
                t += QChar('0' + int(rng.bounded(10)));
            texts << t;
        }
        for (const QString &text : std::as_const(texts)) {
            const QByteArray record = " " + text.toLatin1().rightJustified(20, ' ');
            const dbase::RawField raw{record.constData() + 1, 20};
            const std::optional<double> v = dbase::numberValue(raw);
            QCOMPARE(dbase::indexKey(*key, fields, {1}, record.constData(), codePage).toHex(),
                     dbase::bcdKey(v ? *v : 0.0).toHex());
        }
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_dbase_files.moc"
