// The program directory laid out by the build and by every test: its files,
// their letter cases, the tables' layouts, the tips, the ini files and the
// sounds, and that a rebuild keeps the user's data.

#include "ProgramLayout.h"
#include "TipsOfTheDay.h"
#include "WaveTones.h"

#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/Codepage1250.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

QStringList sortedEntries(const QString &folder)
{
    QStringList entries = QDir(folder).entryList(QDir::Files);
    entries.sort();
    return entries;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void openIn(dbase::Table &table, const QString &folder, const QString &file)
{
    table.setDatabaseName(folder);
    table.setTableName(file);
    table.open();
}

QStringList tagNames(const QList<dbase::IndexTag> &tags)
{
    QStringList names;
    for (const auto &t : tags)
        names.append(t.name.toUpper());
    names.sort();
    return names;
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void freshLayoutHasEveryFileInItsLetterCase();
    void templatesOpenWithTheirFieldsAndOrders();
    void numberFieldsHoldEveryTypedValue();
    void tipsTableTeachesInCzech();
    void iniFilesCarryFactoryValues();
    void soundsArePlayableWaves();
    void rebuildKeepsUserDataButRenewsTemplates();
    void freshReplacesUserDataAndStrayLetterCases();
    void addressBookHasBorrowerFlagsInPlace();
    void valueListsAsTheFormsOfferThem();
    void layoutIsFast();
};

void LayoutTest::freshLayoutHasEveryFileInItsLetterCase()
{
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    QStringList templates;
    for (const char *base : {"VazonS", "Vazon1", "Vazon2", "Vazon3", "VazonI"})
        templates << QString::fromLatin1(base) + ".dbf" << QString::fromLatin1(base) + ".Dbt"
                  << QString::fromLatin1(base) + ".Mdx";
    templates.sort();
    QCOMPARE(sortedEntries(dir.filePath("Data/Zaloha")), templates);
    QStringList data{"Pujcovna.dbf", "Pujcovna.mdx", "TIPYG.DBF", "VazonS.dbf", "VazonS.dbt", "VazonS.mdx"};
    data.sort();
    QCOMPARE(sortedEntries(dir.filePath("Data")), data);
    QStringList sounds{"Dialog.wav", "Info.wav", "Dotaz.wav", "Lista.wav", "PomocnikStart.wav",
                       "PomocnikKonec.wav"};
    sounds.sort();
    QCOMPARE(sortedEntries(dir.filePath("Zvuky")), sounds);
    QCOMPARE(sortedEntries(dir.path()), QStringList({"Ordex2000.ini", "Tessera.ini"}));
    // The empty standard catalogue is the template itself.
    QCOMPARE(fileBytes(dir.filePath("Data/VazonS.dbf")), fileBytes(dir.filePath("Data/Zaloha/VazonS.dbf")));
    QCOMPARE(fileBytes(dir.filePath("Data/VazonS.mdx")), fileBytes(dir.filePath("Data/Zaloha/VazonS.Mdx")));
}

void LayoutTest::templatesOpenWithTheirFieldsAndOrders()
{
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    const QString zaloha = dir.filePath("Data/Zaloha");

    auto fieldNames = [](const QList<dbase::FieldDef> &fields) {
        QStringList names;
        for (const auto &f : fields)
            names.append(f.name);
        return names;
    };
    const QStringList book{"NAZEV", "AUTOR", "DRUH", "CISLO", "ROK", "STRANY", "VYDAVATEL", "POZNAMKA",
                           "PUJCENO", "DATUM", "ORIGINAL", "ILUSTRACE", "TISK", "VYDANI", "NAKLAD", "VAZBA"};
    for (const char *file : {"VazonS.dbf", "Vazon1.dbf", "Vazon2.dbf", "Vazon3.dbf"}) {
        dbase::Table t;
        openIn(t, zaloha, QString::fromLatin1(file));
        QCOMPARE(fieldNames(t.fields()), book);
        QVERIFY(t.isEmpty());
        QCOMPARE(tagNames(t.tags()), QStringList({"CISLO", "NAZEV"}));
        t.setOrder("NAZEV");
        t.setOrder("CISLO");
    }
    {
        dbase::Table t;
        openIn(t, zaloha, "VazonI.DBF"); // the program's letter case; found regardless
        QCOMPARE(fieldNames(t.fields()), book.mid(0, 15));
        QCOMPARE(tagNames(t.tags()), QStringList({"AUTOR", "AUTORNAZEV", "CISLO", "ILUSTRACE", "NAZEV",
                                                  "ORIGINAL", "PUJCENO", "VYDAVATEL"}));
        for (const auto &tag : t.tags()) {
            if (tag.name.toUpper() == "AUTORNAZEV")
                QCOMPARE(tag.expression.toUpper().remove(' '), QStringLiteral("AUTOR+NAZEV"));
        }
        t.setOrder("AUTORNAZEV");
    }
    {
        dbase::Table t;
        openIn(t, dir.filePath("Data"), "Pujcovna.dbf");
        QCOMPARE(fieldNames(t.fields()), QStringList({"JMENO", "PRIJMENI", "ULICE", "CISLO", "OBEC", "PSC",
                                                      "TELEFON", "DATUM", "ID", "PROGRAM"}));
        QCOMPARE(tagNames(t.tags()), QStringList{"ID"});
        QVERIFY(t.isEmpty());
    }
}

void LayoutTest::numberFieldsHoldEveryTypedValue()
{
    // Whatever fits the edits (5 characters for the number and the pages, 4
    // for the year, 10 for the print run) comes back exactly as typed.
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    dbase::Table t;
    openIn(t, dir.filePath("Data"), "VazonS.dbf");
    const QList<QList<QString>> cases = {
        // CISLO, STRANY, ROK, NAKLAD
        {"99999", "99999", "9999", "9999999999"},
        {"-9999", "0.125", "-999", "-999999999"},
        {"0.1234", ".5", "2024", "0.12345678"},
        {"12.5", "1", "0", ".123456789"},
        {"100000", "-1", "1", "1"}, // a catalogue of 100,000 books by import
    };
    for (const auto &c : cases) {
        t.insert();
        t.setFieldText("NAZEV", "Kniha " + c.at(0));
        t.setFieldText("CISLO", c.at(0));
        t.setFieldText("STRANY", c.at(1));
        t.setFieldText("ROK", c.at(2));
        t.setFieldText("NAKLAD", c.at(3));
        t.post();
    }
    t.close();
    openIn(t, dir.filePath("Data"), "VazonS.dbf");
    t.setOrder("NAZEV");
    for (const auto &c : cases) {
        QVERIFY2(t.findKey("Kniha " + c.at(0)), qPrintable(c.at(0)));
        auto plain = [](const QString &typed) { return QString::number(typed.toDouble(), 'g', 15); };
        QCOMPARE(t.fieldText("CISLO"), plain(c.at(0)));
        QCOMPARE(t.fieldText("STRANY"), plain(c.at(1)));
        QCOMPARE(t.fieldText("ROK"), plain(c.at(2)));
        QCOMPARE(t.fieldText("NAKLAD"), plain(c.at(3)));
    }
    // The year field holds the whole 16-bit range the program allows.
    t.edit();
    t.setFieldText("ROK", QString::number(core::SmallIntMin));
    t.post();
    QCOMPARE(t.fieldText("ROK"), QStringLiteral("-32768"));
}

void LayoutTest::tipsTableTeachesInCzech()
{
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    const QStringList tips = tipsOfTheDay();
    QVERIFY(tips.size() >= 20);
    QSet<QString> distinct;
    for (const QString &tip : tips) {
        QVERIFY2(tip.size() <= 254, qPrintable(tip));
        QVERIFY2(platform::fitsCodepage1250(tip), qPrintable(tip));
        QVERIFY2(!distinct.contains(tip), qPrintable(tip));
        distinct.insert(tip);
    }
    dbase::Table t;
    openIn(t, dir.filePath("Data"), "TIPYG.DBF");
    QCOMPARE(t.fields().size(), 1);
    QCOMPARE(t.fields().first().name, QStringLiteral("TIPDNE"));
    QCOMPARE(t.fields().first().length, 254);
    QStringList read;
    for (t.first(); !t.eof(); t.next())
        read.append(t.fieldText("TIPDNE"));
    QCOMPARE(read, tips); // file order is the order shown, Czech letters intact
}

void LayoutTest::iniFilesCarryFactoryValues()
{
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    platform::IniFile ordex(dir.filePath("Ordex2000.ini"));
    for (const char *key : {"Standardni", "Databaze", "Okna", "TipyDne", "StavovyRadek", "PanelOutlook", "Tipy"})
        QCOMPARE(ordex.readInteger("Zobrazit", key, -1), 1);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(ordex.readInteger("Otevreni", QStringLiteral("Databaze%1").arg(i), -1), 0);
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(ordex.readString("Volitelne", QStringLiteral("Data%1").arg(i)),
                 QStringLiteral("Uživatelsky definovatelná databáze programu Ordex"));
    QCOMPARE(ordex.readInteger("Kontrola", "Pomocna", -1), 0);
    QCOMPARE(ordex.readString("Kontrola", "Tipy"), QStringLiteral("0"));
    // Code page 1250 on disk: "ž" is the single byte 0x9E.
    QVERIFY(fileBytes(dir.filePath("Ordex2000.ini")).contains("U\x9Eivatelsky"));

    platform::IniFile tessera(dir.filePath("Tessera.ini"));
    QCOMPARE(tessera.readString("Nastaveni", "Pomocnik"), QStringLiteral("1"));
    QCOMPARE(tessera.readString("Nastaveni", "Uvitani"), QStringLiteral("1"));
}

void LayoutTest::soundsArePlayableWaves()
{
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    for (const QString &name : QDir(dir.filePath("Zvuky")).entryList(QDir::Files)) {
        const QByteArray w = fileBytes(dir.filePath("Zvuky/" + name));
        QVERIFY2(w.size() > 44, qPrintable(name));
        const auto *b = reinterpret_cast<const uchar *>(w.constData());
        QCOMPARE(w.left(4), QByteArray("RIFF"));
        QCOMPARE(qFromLittleEndian<quint32>(b + 4), quint32(w.size() - 8));
        QCOMPARE(w.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint16>(b + 20), quint16(1));  // PCM
        QCOMPARE(qFromLittleEndian<quint16>(b + 34), quint16(16)); // bits
        const quint32 rate = qFromLittleEndian<quint32>(b + 24);
        const quint32 data = qFromLittleEndian<quint32>(b + 40);
        QCOMPARE(qint64(data), qint64(w.size() - 44));
        const double ms = 1000.0 * data / (2.0 * rate);
        QVERIFY2(ms >= 40 && ms <= 1000, qPrintable(name));
        // Not silent, and never at full scale.
        qint16 peak = 0;
        for (qsizetype i = 44; i + 1 < w.size(); i += 2)
            peak = std::max<qint16>(peak, std::abs(qFromLittleEndian<qint16>(b + i)));
        QVERIFY2(peak > 3000 && peak < 32000, qPrintable(name));
        // Starts and ends softly, so it does not click.
        QVERIFY(std::abs(qFromLittleEndian<qint16>(b + 44)) < 500);
        QVERIFY(std::abs(qFromLittleEndian<qint16>(b + w.size() - 2)) < 500);
    }
}

void LayoutTest::rebuildKeepsUserDataButRenewsTemplates()
{
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::KeepUserData); // first build: nothing to keep
    QVERIFY(QFile::exists(dir.filePath("Data/VazonS.dbf")));
    {
        dbase::Table t;
        openIn(t, dir.filePath("Data"), "VazonS.dbf");
        t.insert();
        t.setFieldText("NAZEV", "Babička");
        t.setFieldText("CISLO", "1");
        t.post();
        t.close();
    }
    platform::IniFile(dir.filePath("Ordex2000.ini")).writeInteger("Zobrazit", "Okna", 0);
    platform::IniFile(dir.filePath("Tessera.ini")).writeString("Nastaveni", "Uvitani", "0");
    const QByteArray catalogue = fileBytes(dir.filePath("Data/VazonS.dbf"));
    const QByteArray index = fileBytes(dir.filePath("Data/VazonS.mdx"));
    // A damaged template and sound, a lost lending table.
    QFile::resize(dir.filePath("Data/Zaloha/Vazon2.dbf"), 10);
    QFile::remove(dir.filePath("Zvuky/Info.wav"));
    QFile::remove(dir.filePath("Data/Pujcovna.dbf"));

    layOutProgramDirectory(dir.path(), LayoutMode::KeepUserData);
    QCOMPARE(fileBytes(dir.filePath("Data/VazonS.dbf")), catalogue);
    QCOMPARE(fileBytes(dir.filePath("Data/VazonS.mdx")), index);
    QCOMPARE(platform::IniFile(dir.filePath("Ordex2000.ini")).readInteger("Zobrazit", "Okna", -1), 0);
    QCOMPARE(platform::IniFile(dir.filePath("Tessera.ini")).readString("Nastaveni", "Uvitani"), QStringLiteral("0"));
    QVERIFY(QFileInfo(dir.filePath("Data/Zaloha/Vazon2.dbf")).size() > 10);
    QVERIFY(QFile::exists(dir.filePath("Zvuky/Info.wav")));
    QVERIFY(QFile::exists(dir.filePath("Data/Pujcovna.dbf")));

    dbase::Table t;
    openIn(t, dir.filePath("Data"), "VazonS.dbf");
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.fieldText("NAZEV"), QStringLiteral("Babička"));
    dbase::Table renewed;
    openIn(renewed, dir.filePath("Data/Zaloha"), "Vazon2.dbf");
    QVERIFY(renewed.isEmpty());
}

void LayoutTest::freshReplacesUserDataAndStrayLetterCases()
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("Data/Zaloha"));
    // A user's catalogue written by another program in capitals, and a
    // template memo file in the wrong case.
    QFile f(dir.filePath("Data/VAZONS.DBF"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("stary");
    f.close();
    QFile g(dir.filePath("Data/Zaloha/vazons.dbt"));
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.close();

    layOutProgramDirectory(dir.path(), LayoutMode::KeepUserData);
    // The user's catalogue counts as present whatever its letter case.
    QVERIFY(!QFile::exists(dir.filePath("Data/VazonS.dbf")));
    QCOMPARE(fileBytes(dir.filePath("Data/VAZONS.DBF")), QByteArray("stary"));
    QVERIFY(!QFile::exists(dir.filePath("Data/Zaloha/vazons.dbt")));
    QVERIFY(QFile::exists(dir.filePath("Data/Zaloha/VazonS.Dbt")));

    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    QVERIFY(!QFile::exists(dir.filePath("Data/VAZONS.DBF")));
    QVERIFY(QFile::exists(dir.filePath("Data/VazonS.dbf")));
}

void LayoutTest::addressBookHasBorrowerFlagsInPlace()
{
    QTemporaryDir dir;
    createAddressBook(dir.filePath("Adresar1.DBF"));
    dbase::Table t;
    openIn(t, dir.path(), "Adresar1.DBF");
    const auto fields = t.fields();
    QCOMPARE(fields.size(), 41);
    QCOMPARE(fields.first().name, QStringLiteral("PRIJMENI"));
    QCOMPARE(fields.at(24).name, QStringLiteral("POZNAMKA"));
    for (int i = 25; i < 38; ++i)
        QCOMPARE(fields.at(i).type, 'L');
    // Four flags of another program first, then ours.
    for (int g = 1; g <= 4; ++g)
        QCOMPARE(t.fieldIndex(QStringLiteral("G%1").arg(g)), 28 + g);
    QCOMPARE(fields.at(38).name, QStringLiteral("DATUM"));
    QCOMPARE(fields.at(40).name, QStringLiteral("INFO"));
    QCOMPARE(fields.at(40).length, 100);
    QCOMPARE(tagNames(t.tags()), QStringList{"PRIJMENI"});

    t.insert();
    t.setFieldText("PRIJMENI", "Dvořák");
    t.setFieldValue("G3", true);
    t.post();
    QCOMPARE(t.fieldText("G3"), QStringLiteral("true"));
}

void LayoutTest::valueListsAsTheFormsOfferThem()
{
    const QStringList g = core::genres();
    QCOMPARE(g.size(), 25);
    QCOMPARE(g.first(), QStringLiteral("Atlas"));
    QCOMPARE(g.at(2), QStringLiteral("Červená knihovna"));
    QCOMPARE(g.at(20), QStringLiteral("Svázané časopisy"));
    QCOMPARE(g.last(), QStringLiteral("Životopis"));
    QCOMPARE(core::editions().size(), 10);
    QCOMPARE(core::editions().at(3), QStringLiteral("Čtvrté"));
    QCOMPARE(core::bindings(), QStringList({"Brožovaná", "Rychlovazba", "Vázaná"}));
    // Every entry of a list fits its field and the code page, so choosing
    // one is never refused ("Rychlovazba" has 11 letters).
    auto length = [](const char *name) {
        for (const auto &f : core::bookFields())
            if (f.name == QLatin1String(name))
                return f.length;
        return 0;
    };
    const QList<std::pair<const char *, QStringList>> lists = {
        {"DRUH", g}, {"VYDANI", core::editions()}, {"VAZBA", core::bindings()}};
    for (const auto &[field, entries] : lists) {
        for (const QString &s : entries)
            QVERIFY2(s.size() <= length(field) && platform::fitsCodepage1250(s), qPrintable(s));
    }
    QCOMPARE(core::bookTableFile(1), QStringLiteral("VazonS.dbf"));
    QCOMPARE(core::bookTableFile(4), QStringLiteral("Vazon3.dbf"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, core::bookTableFile(5));
}

void LayoutTest::layoutIsFast()
{
    QTemporaryDir warm;
    layOutProgramDirectory(warm.path(), LayoutMode::Fresh);
    QTemporaryDir dir;
    QElapsedTimer timer;
    timer.start();
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    const qint64 ms = timer.elapsed();
    qInfo("fresh program directory laid out in %lld ms", ms);
    QVERIFY2(ms < 100, qPrintable(QString::number(ms)));
}

QTEST_GUILESS_MAIN(LayoutTest)
#include "tst_tools_layout.moc"
