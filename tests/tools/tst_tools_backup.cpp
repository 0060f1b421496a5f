// ordex-dbf backup and restore as people run them, from the program
// directory: a backup restored into a fresh program directory gives the same
// bytes; every refusal (not our archive, a damaged one, a full disk, the
// program running) leaves the program directory as it was; the replaced files
// are kept and a kept catalogue goes back into a slot.

#include "ProgramLayout.h"

#include "platform/IniFile.h"
#include "platform/SingleInstance.h"

#include "support/Files.h"
#include "support/ToolRun.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>


using testsupport::fileBytes;
using testsupport::writeFile;

namespace {

using Run = testsupport::ToolRun;

// Runs the ordex-dbf of a program directory; limit > 0 stands for a full disk.
Run runTool(const QString &programDir, const QStringList &args, qint64 limit = 0, const QByteArray &input = {})
{
    return testsupport::runProgram(programDir + QStringLiteral("/ordex-dbf"), args, input, limit);
}

// A program directory with its own copy of the tool.
void makeProgramDir(const QString &dir)
{
    layOutProgramDirectory(dir, LayoutMode::Fresh);
    QVERIFY(QFile::copy(QStringLiteral(ORDEX_DBF), dir + QStringLiteral("/ordex-dbf")));
}

// Every file below dir by its relative path, the tool left out.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(dir).relativeFilePath(path);
        if (rel != QLatin1String("ordex-dbf"))
            out[rel] = fileBytes(path);
    }
    return out;
}

// The files a backup takes.
QMap<QString, QByteArray> dataOf(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (auto [rel, bytes] : snapshot(dir).asKeyValueRange())
        if (!rel.startsWith(QLatin1String("Data/Zaloha/")) && !rel.startsWith(QLatin1String("Data/Zachovane/"))
            && !rel.startsWith(QLatin1String("Zvuky/")))
            out[rel] = bytes;
    return out;
}

} // namespace

class BackupTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void restoredBackupGivesTheSameBytes();
    void refusalsLeaveTheProgramDirectoryAsItWas();
    void keptCatalogueGoesBackIntoASlot();

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_a, m_b, m_archive;
};

void BackupTest::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    // The single-instance lock lives in the runtime folder: a folder of this
    // test's own, so that an Ordex 2000 running on the machine does not count.
    const QString runtime = m_tmp->path() + QStringLiteral("/runtime");
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    m_a = m_tmp->path() + QStringLiteral("/a");
    m_b = m_tmp->path() + QStringLiteral("/b");
    m_archive = m_tmp->path() + QStringLiteral("/zaloha.tar.gz");
    makeProgramDir(m_a);
    makeProgramDir(m_b);
    QByteArray csv = "NAZEV,AUTOR,CISLO,POZNAMKA\n";
    for (int i = 1; i <= 40; ++i)
        csv += "Kniha " + QByteArray::number(i) + ",Božena Němcová," + QByteArray::number(i) + ",Věnování\n";
    QCOMPARE(runTool(m_a, {QStringLiteral("import"), m_a + QStringLiteral("/Data/VazonS.dbf")}, 0, csv).code, 0);
    QVERIFY(QFile::copy(m_a + QStringLiteral("/Data/Zaloha/Vazon2.dbf"), m_a + QStringLiteral("/Data/Vazon2.dbf")));
    QVERIFY(QFile::copy(m_a + QStringLiteral("/Data/Zaloha/Vazon2.Dbt"), m_a + QStringLiteral("/Data/Vazon2.dbt")));
    QVERIFY(QFile::copy(m_a + QStringLiteral("/Data/Zaloha/Vazon2.Mdx"), m_a + QStringLiteral("/Data/Vazon2.mdx")));
    platform::IniFile(m_a + QStringLiteral("/Ordex2000.ini"))
        .writeString(QStringLiteral("Volitelne"), QStringLiteral("Data2"), QStringLiteral("Knihy po dědečkovi"));
    platform::IniFile(m_a + QStringLiteral("/Tessera.ini"))
        .writeString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("0"));
}

void BackupTest::restoredBackupGivesTheSameBytes()
{
    const Run backup = runTool(m_a, {QStringLiteral("backup"), m_archive});
    QVERIFY2(backup.code == 0, qPrintable(backup.err));
    QVERIFY(backup.out.contains(QStringLiteral("ověřena")));
    QCOMPARE(QDir(m_tmp->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("zaloha.tar.gz")});
    // Ordinary archive tools open it.
    QProcess tar;
    tar.start(QStringLiteral("tar"), {QStringLiteral("tzf"), m_archive});
    QVERIFY(tar.waitForFinished(20000));
    QCOMPARE(tar.exitCode(), 0);
    const QString listing = QString::fromUtf8(tar.readAllStandardOutput());
    QVERIFY(listing.contains(QStringLiteral("Data/VazonS.dbf")) && listing.contains(QStringLiteral("Tessera.ini")));

    const QMap<QString, QByteArray> before = dataOf(m_b);
    const Run restore = runTool(m_b, {QStringLiteral("restore"), m_archive});
    QVERIFY2(restore.code == 0, qPrintable(restore.err));
    QCOMPARE(dataOf(m_b), dataOf(m_a));
    // What the fresh directory held is kept, byte for byte.
    const QStringList kept = QDir(m_b + QStringLiteral("/Data/Zachovane")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(kept.size(), 1);
    QVERIFY(kept.at(0).endsWith(QStringLiteral("Před obnovou ze zálohy")));
    const QString keptDir = m_b + QStringLiteral("/Data/Zachovane/") + kept.at(0) + QLatin1Char('/');
    for (auto [rel, bytes] : before.asKeyValueRange())
        QCOMPARE(fileBytes(keptDir + QFileInfo(rel).fileName()), bytes);
    QVERIFY(QDir(m_b).entryList({QStringLiteral(".obnova*")}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

void BackupTest::refusalsLeaveTheProgramDirectoryAsItWas()
{
    QCOMPARE(runTool(m_a, {QStringLiteral("backup"), m_archive}).code, 0);
    const QMap<QString, QByteArray> before = snapshot(m_b);
    auto refused = [&](const QString &archive, const QString &why, qint64 limit = 0) {
        const Run r = runTool(m_b, {QStringLiteral("restore"), archive}, limit);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(why), qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("Nic nebylo změněno")), qPrintable(r.err));
        QCOMPARE(snapshot(m_b), before);
    };

    // Not ours: a text file, and an archive of other files.
    const QString text = m_tmp->path() + QStringLiteral("/poznamky.txt");
    writeFile(text, "nějaký text");
    refused(text, QStringLiteral("není zálohou"));
    const QString foreign = m_tmp->path() + QStringLiteral("/cizi.tar.gz");
    QProcess tar;
    tar.setWorkingDirectory(m_tmp->path());
    tar.start(QStringLiteral("tar"), {QStringLiteral("czf"), foreign, QStringLiteral("poznamky.txt")});
    QVERIFY(tar.waitForFinished(20000) && tar.exitCode() == 0);
    refused(foreign, QStringLiteral("není zálohou"));
    refused(m_tmp->path() + QStringLiteral("/zadna.tar.gz"), QStringLiteral("neexistuje"));

    // Damaged: cut short, and bytes changed in the middle.
    const QByteArray good = fileBytes(m_archive);
    const QString damaged = m_tmp->path() + QStringLiteral("/poskozena.tar.gz");
    writeFile(damaged, good.left(good.size() * 2 / 3));
    refused(damaged, QStringLiteral("poškozena"));
    QByteArray flipped = good;
    for (qsizetype i = good.size() / 2; i < good.size() / 2 + 16; ++i)
        flipped[i] = char(~flipped[i]);
    writeFile(damaged, flipped);
    refused(damaged, QStringLiteral("poškozena"));

    // A full disk while the restored files are written.
    refused(m_archive, QStringLiteral("nelze zapsat"), 20000);

    // The program running.
    {
        platform::SingleInstanceGuard program(QStringLiteral("Ordex2000"));
        program.isAnotherRunning();
        const Run r = runTool(m_b, {QStringLiteral("restore"), m_archive});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("je spuštěn")), qPrintable(r.err));
        QCOMPARE(snapshot(m_b), before);
    }

    // A backup stopped by a full disk leaves no archive behind.
    const QString second = m_tmp->path() + QStringLiteral("/druha.tar.gz");
    const Run r = runTool(m_a, {QStringLiteral("backup"), second}, 4096);
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("Zálohu nelze vytvořit")), qPrintable(r.err));
    QStringList left = QDir(m_tmp->path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(!left.contains(QStringLiteral("druha.tar.gz")) && left.filter(QStringLiteral("novy")).isEmpty(),
             qPrintable(left.join(QLatin1Char(' '))));
}

void BackupTest::keptCatalogueGoesBackIntoASlot()
{
    // The standard catalogue of b is kept by the restore of a's backup ...
    QCOMPARE(runTool(m_a, {QStringLiteral("backup"), m_archive}).code, 0);
    QByteArray csv = "NAZEV,CISLO\nJediná kniha,5\n";
    QCOMPARE(runTool(m_b, {QStringLiteral("import"), m_b + QStringLiteral("/Data/VazonS.dbf")}, 0, csv).code, 0);
    const QByteArray oldStandard = fileBytes(m_b + QStringLiteral("/Data/VazonS.dbf"));
    QCOMPARE(runTool(m_b, {QStringLiteral("restore"), m_archive}).code, 0);
    Run list = runTool(m_b, {QStringLiteral("kept")});
    QCOMPARE(list.code, 0);
    QVERIFY2(list.out.startsWith(QStringLiteral("1  ")) && list.out.contains(QStringLiteral("1 knih")), qPrintable(list.out));

    // ... and goes back as optional catalogue 2, which keeps its name.
    QCOMPARE(runTool(m_b, {QStringLiteral("kept"), QStringLiteral("9"), QStringLiteral("3")}).code, 1);
    const QByteArray replaced = fileBytes(m_b + QStringLiteral("/Data/Vazon2.dbf"));
    const Run back = runTool(m_b, {QStringLiteral("kept"), QStringLiteral("1"), QStringLiteral("3")});
    QVERIFY2(back.code == 0, qPrintable(back.err));
    QCOMPARE(fileBytes(m_b + QStringLiteral("/Data/Vazon2.dbf")), oldStandard);
    QCOMPARE(runTool(m_b, {QStringLiteral("check"), m_b + QStringLiteral("/Data/Vazon2.dbf")}).code, 0);
    QCOMPARE(platform::IniFile(m_b + QStringLiteral("/Ordex2000.ini")).readString(QStringLiteral("Volitelne"), QStringLiteral("Data2")),
             QStringLiteral("Knihy po dědečkovi"));
    // The restored standard catalogue is untouched; what slot 3 held is kept in its turn.
    QCOMPARE(fileBytes(m_b + QStringLiteral("/Data/VazonS.dbf")), fileBytes(m_a + QStringLiteral("/Data/VazonS.dbf")));
    list = runTool(m_b, {QStringLiteral("kept")});
    QVERIFY2(list.out.startsWith(QStringLiteral("1  ")) && list.out.contains(QStringLiteral("Knihy po dědečkovi  Vazon2.dbf  0 knih")),
             qPrintable(list.out));
    QCOMPARE(list.out.count(QLatin1Char('\n')), 1);
    const QStringList folders = QDir(m_b + QStringLiteral("/Data/Zachovane")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(folders.size(), 2);
    for (const QString &f : folders)
        if (f.endsWith(QStringLiteral("Knihy po dědečkovi")))
            QCOMPARE(fileBytes(m_b + QStringLiteral("/Data/Zachovane/") + f + QStringLiteral("/Vazon2.dbf")), replaced);
}

QTEST_MAIN(BackupTest)
#include "tst_tools_backup.moc"
