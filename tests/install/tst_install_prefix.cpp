// cmake --install into a temporary prefix: the program, its tools, the
// program files and the desktop integration land where a system looks for
// them, and the installed program keeps every user's files in that user's
// home, writing nothing below the prefix.

#include "support/Files.h"
#include "support/ToolRun.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using testsupport::fileTree;

namespace {

const QString AppId = QStringLiteral("cz.tessera.ordex2000");

struct Result
{
    int code = -1;
    QString output; // standard output and error together
};

Result run(const QString &program, const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
           const QByteArray &input = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return {-1, QStringLiteral("%1 did not start").arg(program)};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(240000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, QString::fromUtf8(p.readAll())};
}

// The environment of one user of the machine, with a home of its own.
QProcessEnvironment userEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("ORDEX_PROGRAM_DIR"));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.insert(QStringLiteral("HOME"), home);
    const QString runtime = home + QStringLiteral("/run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime); // the per-user single-instance lock
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// Starts the installed program and waits until its main window is up.
bool startProgram(QProcess &p, const QString &program, QProcessEnvironment env)
{
    env.insert(QStringLiteral("ORDEX_BENCH"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, {});
    QByteArray out;
    for (int waited = 0; waited < 60000 && p.state() != QProcess::NotRunning; waited += 100) {
        p.waitForReadyRead(100);
        out += p.readAllStandardOutput();
        if (out.contains("ORDEX_SHOWN"))
            return true;
    }
    qWarning("%s", out.constData());
    return false;
}

void stopProgram(QProcess &p)
{
    p.terminate();
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(10000);
    }
}

} // namespace

class PrefixTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_prefix;

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_prefix = m_tmp.path() + QStringLiteral("/prefix");
        const Result install = run(QStringLiteral(ORDEX_CMAKE),
                                   {QStringLiteral("--install"), QStringLiteral(ORDEX_BUILD_DIR),
                                    QStringLiteral("--prefix"), m_prefix, QStringLiteral("--strip")});
        QVERIFY2(install.code == 0, qPrintable(install.output));
    }

    void installHoldsTheProgramItsFilesAndItsMenuEntry()
    {
        const QString p = m_prefix + QLatin1Char('/');
        for (const char *name : {"Ordex2000", "ordex-dbf", "ordex-report"})
            QVERIFY2(QFileInfo(p + QStringLiteral("lib/ordex2000/") + QLatin1String(name)).isExecutable(), name);
        // The launchers run the executables beside the marker, wherever the prefix is.
        const QStringList launchers = {QStringLiteral("ordex2000"), QStringLiteral("ordex-dbf"),
                                       QStringLiteral("ordex-report")};
        const QStringList executables = {QStringLiteral("Ordex2000"), QStringLiteral("ordex-dbf"),
                                         QStringLiteral("ordex-report")};
        for (int i = 0; i < launchers.size(); ++i) {
            const QFileInfo launcher(p + QStringLiteral("bin/") + launchers.at(i));
            QVERIFY2(launcher.isSymLink() && launcher.isExecutable(), qPrintable(launcher.filePath()));
            char target[512] = {};
            QVERIFY(::readlink(QFile::encodeName(launcher.filePath()).constData(), target, sizeof target - 1) > 0);
            QVERIFY2(target[0] != '/', target); // relative: the prefix may move, as a package's staging does
            QCOMPARE(launcher.canonicalFilePath(),
                     QFileInfo(p + QStringLiteral("lib/ordex2000/") + executables.at(i)).canonicalFilePath());
        }
        QVERIFY(QFile::exists(p + QStringLiteral("lib/ordex2000/Ordex2000.installed")));

        // The program files, as the build lays them out and nothing of the build tree's own data.
        const QString files = p + QStringLiteral("share/ordex2000/");
        QStringList expected = {QStringLiteral("Ordex2000.ini"), QStringLiteral("Tessera.ini"),
                                QStringLiteral("Data/VazonS.dbf"), QStringLiteral("Data/VazonS.dbt"),
                                QStringLiteral("Data/VazonS.mdx"), QStringLiteral("Data/TIPYG.DBF"),
                                QStringLiteral("Data/Pujcovna.dbf"), QStringLiteral("Data/Pujcovna.mdx")};
        for (const char *base : {"VazonS", "Vazon1", "Vazon2", "Vazon3", "VazonI"})
            for (const char *suffix : {".dbf", ".Dbt", ".Mdx"})
                expected.append(QStringLiteral("Data/Zaloha/") + QLatin1String(base) + QLatin1String(suffix));
        for (const char *sound : {"Dialog", "Info", "Dotaz", "Lista", "PomocnikStart", "PomocnikKonec"})
            expected.append(QStringLiteral("Zvuky/") + QLatin1String(sound) + QStringLiteral(".wav"));
        expected.sort();
        QCOMPARE(fileTree(files).keys(), expected);
        QVERIFY(fileTree(files).value(QStringLiteral("Ordex2000.ini")).contains("Databaze1=0"));

        // Menu entry, AppStream data and the icon at every size, all valid.
        const QString desktop = p + QStringLiteral("share/applications/") + AppId + QStringLiteral(".desktop");
        const QString metainfo = p + QStringLiteral("share/metainfo/") + AppId + QStringLiteral(".metainfo.xml");
        const Result entry = run(QStringLiteral("desktop-file-validate"), {desktop});
        QVERIFY2(entry.code == 0 && entry.output.trimmed().isEmpty(), qPrintable(entry.output));
        const Result appstream = run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"),
                                                                      QStringLiteral("--no-net"), metainfo});
        QVERIFY2(appstream.code == 0, qPrintable(appstream.output));
        const QByteArray entryText = testsupport::fileBytes(desktop);
        QVERIFY(entryText.contains("\nExec=ordex2000\n"));
        QVERIFY(entryText.contains("\nIcon=" + AppId.toUtf8() + "\n"));
        QVERIFY(entryText.contains("\nCategories=Office;\n"));
        QVERIFY(entryText.contains("\nName[cs]="));
        QVERIFY(testsupport::fileBytes(metainfo).contains("<p xml:lang=\"cs\">"));
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString png = p + QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + AppId
                + QStringLiteral(".png");
            const QImage icon(png);
            QVERIFY2(icon.size() == QSize(size, size), qPrintable(png));
            QVERIFY(icon.hasAlphaChannel());
        }
        QVERIFY(QFile::exists(p + QStringLiteral("share/icons/hicolor/scalable/apps/") + AppId + QStringLiteral(".svg")));
    }

    void installedProgramWorksInEachUsersOwnDirectory()
    {
        const auto prefixBefore = fileTree(m_prefix);
        const QString bin = m_prefix + QStringLiteral("/bin/");
        const QString alice = m_tmp.path() + QStringLiteral("/alice");
        const QString aliceDir = alice + QStringLiteral("/.local/share/Ordex2000/");
        const QProcessEnvironment aliceEnv = userEnvironment(alice);

        // The table tool finds the user's standard catalogue without a path,
        // laying out the user's directory on the way.
        const Result info = run(bin + QStringLiteral("ordex-dbf"), {QStringLiteral("info")}, aliceEnv);
        QVERIFY2(info.code == 0, qPrintable(info.output));
        QVERIFY2(info.output.contains(aliceDir + QStringLiteral("Data/VazonS.dbf")), qPrintable(info.output));
        const QString aliceBooksFile = aliceDir + QStringLiteral("Data/VazonS.dbf");
        const Result import = run(bin + QStringLiteral("ordex-dbf"), {QStringLiteral("import"), aliceBooksFile}, aliceEnv,
                                  "NAZEV,AUTOR\r\nKrakatit,\"Čapek Karel\"\r\n");
        QVERIFY2(import.code == 0, qPrintable(import.output));

        // The program itself, started as the menu entry starts it.
        QProcess aliceSession;
        QVERIFY(startProgram(aliceSession, bin + QStringLiteral("ordex2000"), aliceEnv));

        // A second user on the same machine, at the same time: an instance of
        // their own, with a directory of their own laid out from the factory files.
        const QString bob = m_tmp.path() + QStringLiteral("/bob");
        QProcessEnvironment bobEnv = userEnvironment(bob);
        bobEnv.insert(QStringLiteral("XDG_DATA_HOME"), bob + QStringLiteral("/data"));
        QProcess bobSession;
        QVERIFY(startProgram(bobSession, bin + QStringLiteral("ordex2000"), bobEnv));
        stopProgram(bobSession);
        stopProgram(aliceSession);

        const auto factory = fileTree(m_prefix + QStringLiteral("/share/ordex2000"));
        const auto bobFiles = fileTree(bob + QStringLiteral("/data/Ordex2000"));
        for (auto it = factory.cbegin(); it != factory.cend(); ++it)
            QVERIFY2(bobFiles.contains(it.key()), qPrintable(it.key()));
        const Result bobBooks = run(bin + QStringLiteral("ordex-dbf"),
                                    {QStringLiteral("export"), bob + QStringLiteral("/data/Ordex2000/Data/VazonS.dbf")}, bobEnv);
        QVERIFY2(bobBooks.code == 0 && !bobBooks.output.contains(QStringLiteral("Krakatit")), qPrintable(bobBooks.output));
        const Result aliceBooks = run(bin + QStringLiteral("ordex-dbf"), {QStringLiteral("export"), aliceBooksFile}, aliceEnv);
        QVERIFY2(aliceBooks.code == 0 && aliceBooks.output.contains(QStringLiteral("Krakatit"))
                     && aliceBooks.output.contains(QStringLiteral("Čapek Karel")),
                 qPrintable(aliceBooks.output));

        QCOMPARE(fileTree(m_prefix), prefixBefore);
    }
};

QTEST_MAIN(PrefixTest)
#include "tst_install_prefix.moc"
