// Which program directory a run uses, and how an installed program lays out
// each user's own directory without ever writing below its install prefix.

#include "platform/Error.h"
#include "platform/ProgramDirectory.h"

#include "support/Files.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using testsupport::fileBytes;
using testsupport::fileTree;
using testsupport::writeFile;
using platform::ProgramDirectory;

namespace {

// An install prefix as the install step lays it out: the executables'
// folder with its marker, and the program files the users' directories are
// made from.
struct FakeInstall
{
    QTemporaryDir tmp;
    QString prefix = tmp.path() + QStringLiteral("/prefix");
    QString executables = prefix + QStringLiteral("/lib/ordex2000");
    QString programFiles = prefix + QStringLiteral("/share/ordex2000");

    FakeInstall()
    {
        writeFile(executables + QStringLiteral("/Ordex2000"), "executable");
        writeFile(executables + QStringLiteral("/Ordex2000.installed"),
                  "# installed\nProgramFiles=../../share/ordex2000\n");
        writeFile(programFiles + QStringLiteral("/Ordex2000.ini"), "[Zobrazit]\r\nTipy=1\r\n");
        writeFile(programFiles + QStringLiteral("/Tessera.ini"), "[Nastaveni]\r\nPomocnik=1\r\n");
        writeFile(programFiles + QStringLiteral("/Data/VazonS.dbf"), "empty catalogue");
        writeFile(programFiles + QStringLiteral("/Data/VazonS.dbt"), "empty memo");
        writeFile(programFiles + QStringLiteral("/Data/VazonS.mdx"), "empty index");
        writeFile(programFiles + QStringLiteral("/Data/Pujcovna.dbf"), "lending");
        writeFile(programFiles + QStringLiteral("/Data/Pujcovna.mdx"), "lending index");
        writeFile(programFiles + QStringLiteral("/Data/Zaloha/VazonS.dbf"), "template");
        writeFile(programFiles + QStringLiteral("/Data/Zaloha/VazonS.Dbt"), "template memo");
        writeFile(programFiles + QStringLiteral("/Zvuky/Info.wav"), QByteArray(8192, 'w'));
    }
};

// Sets an environment variable for one scope (unset when value is null).
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QString &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

// Files larger than limit cannot be written for one scope, as on a full disk.
class ScopedFileSizeLimit
{
public:
    explicit ScopedFileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~ScopedFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class ProgramDirectoryTest : public QObject
{
    Q_OBJECT

private slots:
    void installedProgramKeepsEachUsersFilesInTheirHome()
    {
        FakeInstall install;
        const auto prefixBefore = fileTree(install.prefix);
        const QString alice = install.tmp.path() + QStringLiteral("/alice/.local/share");
        const ScopedEnv noOverride("ORDEX_PROGRAM_DIR", QString());

        // First start: the whole layout, and nothing below the prefix changes.
        {
            const ScopedEnv xdg("XDG_DATA_HOME", alice);
            const ProgramDirectory dir = ProgramDirectory::locate(install.executables);
            QCOMPARE(dir.path(), alice + QStringLiteral("/Ordex2000/"));
            QCOMPARE(fileTree(dir.path()), fileTree(install.programFiles));
            QCOMPARE(entries(alice), QStringList{QStringLiteral("Ordex2000")}); // no work folder left
        }
        QCOMPARE(fileTree(install.prefix), prefixBefore);

        // The user works; a later version finds files missing and adds them,
        // but never replaces the user's tables and settings, and never joins
        // an empty index to a catalogue that has books.
        const QString own = alice + QStringLiteral("/Ordex2000/");
        writeFile(own + QStringLiteral("Data/VazonS.dbf"), "alice's books");
        writeFile(own + QStringLiteral("Ordex2000.ini"), "[Zobrazit]\r\nTipy=0\r\n");
        QFile::remove(own + QStringLiteral("Data/VazonS.mdx"));
        QFile::remove(own + QStringLiteral("Zvuky/Info.wav"));
        QFile::remove(own + QStringLiteral("Data/Zaloha/VazonS.Dbt"));
        QFile::remove(own + QStringLiteral("Data/Pujcovna.dbf"));
        QFile::remove(own + QStringLiteral("Data/Pujcovna.mdx"));
        QFile::rename(own + QStringLiteral("Tessera.ini"), own + QStringLiteral("TESSERA.INI"));
        writeFile(own + QStringLiteral("TESSERA.INI"), "[Nastaveni]\r\nPomocnik=0\r\n");
        {
            const ScopedEnv xdg("XDG_DATA_HOME", alice);
            QCOMPARE(ProgramDirectory::locate(install.executables).path(), own);
        }
        QCOMPARE(fileBytes(own + QStringLiteral("Data/VazonS.dbf")), QByteArray("alice's books"));
        QCOMPARE(fileBytes(own + QStringLiteral("Ordex2000.ini")), QByteArray("[Zobrazit]\r\nTipy=0\r\n"));
        QVERIFY(!QFile::exists(own + QStringLiteral("Data/VazonS.mdx")));
        QVERIFY(!QFile::exists(own + QStringLiteral("Tessera.ini"))); // the user's spelling stands
        QCOMPARE(fileBytes(own + QStringLiteral("TESSERA.INI")), QByteArray("[Nastaveni]\r\nPomocnik=0\r\n"));
        QCOMPARE(fileBytes(own + QStringLiteral("Zvuky/Info.wav")), QByteArray(8192, 'w'));
        QCOMPARE(fileBytes(own + QStringLiteral("Data/Zaloha/VazonS.Dbt")), QByteArray("template memo"));
        QCOMPARE(fileBytes(own + QStringLiteral("Data/Pujcovna.dbf")), QByteArray("lending"));
        QCOMPARE(fileBytes(own + QStringLiteral("Data/Pujcovna.mdx")), QByteArray("lending index"));
        QVERIFY(!entries(own + QStringLiteral("Zvuky")).join(QLatin1Char(' ')).contains(QStringLiteral("novy")));

        // A second user gets a directory of their own, from the factory files.
        const QString bob = install.tmp.path() + QStringLiteral("/bob/.local/share");
        {
            const ScopedEnv xdg("XDG_DATA_HOME", bob);
            const ProgramDirectory dir = ProgramDirectory::locate(install.executables);
            QCOMPARE(dir.path(), bob + QStringLiteral("/Ordex2000/"));
            QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("VazonS.dbf")), QByteArray("empty catalogue"));
        }
        QCOMPARE(fileBytes(own + QStringLiteral("Data/VazonS.dbf")), QByteArray("alice's books"));
        QCOMPARE(fileTree(install.prefix), prefixBefore);
    }

    void variableNamesTheDirectoryAndTheBuildTreeStaysWhereItIs()
    {
        FakeInstall install;
        const QString home = install.tmp.path() + QStringLiteral("/home/.local/share");
        const ScopedEnv xdg("XDG_DATA_HOME", home);

        // The build tree (no marker) uses the folder of its executable.
        const QString build = install.tmp.path() + QStringLiteral("/build/Ordex2000");
        writeFile(build + QStringLiteral("/Ordex2000"), "executable");
        {
            const ScopedEnv noOverride("ORDEX_PROGRAM_DIR", QString());
            QCOMPARE(ProgramDirectory::locate(build).path(), build + QLatin1Char('/'));
        }
        QCOMPARE(entries(build), QStringList{QStringLiteral("Ordex2000")});

        // ORDEX_PROGRAM_DIR wins over both; an installed program lays it out.
        const QString chosen = install.tmp.path() + QStringLiteral("/sbirka");
        const ScopedEnv override("ORDEX_PROGRAM_DIR", chosen);
        QCOMPARE(ProgramDirectory::locate(build).path(), chosen + QLatin1Char('/'));
        QVERIFY(!QFile::exists(chosen)); // nothing to lay it out from
        QCOMPARE(ProgramDirectory::locate(install.executables).path(), chosen + QLatin1Char('/'));
        QCOMPARE(fileTree(chosen), fileTree(install.programFiles));
        QVERIFY(!QFile::exists(home));
    }

    void aDirectoryThatCannotBeWrittenIsNeverLeftHalfMade()
    {
        FakeInstall install;
        const ScopedEnv noOverride("ORDEX_PROGRAM_DIR", QString());
        const QString share = install.tmp.path() + QStringLiteral("/home/.local/share");
        QDir().mkpath(share);

        // A full disk in the middle of the first layout: a message, and no
        // directory at all, so the next start lays it out whole.
        {
            const ScopedEnv xdg("XDG_DATA_HOME", share);
            const ScopedFileSizeLimit fullDisk(4096); // Zvuky/Info.wav does not fit
            try {
                ProgramDirectory::locate(install.executables);
                QFAIL("a full disk was taken for success");
            } catch (const platform::Error &e) {
                QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("nelze zapsat")), e.what());
            }
            QCOMPARE(entries(share), QStringList());
        }

        // A user directory of an older version, completed on a full disk: the
        // file that did not fit is not there under its name, half written.
        {
            const ScopedEnv xdg("XDG_DATA_HOME", share);
            ProgramDirectory::locate(install.executables);
            QFile::remove(share + QStringLiteral("/Ordex2000/Zvuky/Info.wav"));
            {
                const ScopedFileSizeLimit fullDisk(4096);
                QVERIFY_THROWS_EXCEPTION(platform::Error, ProgramDirectory::locate(install.executables));
            }
            QCOMPARE(entries(share + QStringLiteral("/Ordex2000/Zvuky")), QStringList());
            ProgramDirectory::locate(install.executables);
            QCOMPARE(fileBytes(share + QStringLiteral("/Ordex2000/Zvuky/Info.wav")), QByteArray(8192, 'w'));
        }

        // A data folder that is no folder (as unwritable as it gets for root).
        const QString notAFolder = install.tmp.path() + QStringLiteral("/file");
        writeFile(notAFolder, "x");
        {
            const ScopedEnv xdg("XDG_DATA_HOME", notAFolder + QStringLiteral("/share"));
            QVERIFY_THROWS_EXCEPTION(platform::Error, ProgramDirectory::locate(install.executables));
        }

        // A damaged install is named as such, not mistaken for the build tree.
        writeFile(install.executables + QStringLiteral("/Ordex2000.installed"), "# nothing\n");
        {
            const ScopedEnv xdg("XDG_DATA_HOME", share);
            QVERIFY_THROWS_EXCEPTION(platform::Error, ProgramDirectory::locate(install.executables));
        }
        writeFile(install.executables + QStringLiteral("/Ordex2000.installed"), "ProgramFiles=../missing\n");
        {
            const ScopedEnv xdg("XDG_DATA_HOME", share + QStringLiteral("/other"));
            try {
                ProgramDirectory::locate(install.executables);
                QFAIL("a missing folder of program files was taken for success");
            } catch (const platform::Error &e) {
                QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("neúplná")), e.what());
            }
            QVERIFY(!QFile::exists(share + QStringLiteral("/other")));
        }
    }
};

QTEST_GUILESS_MAIN(ProgramDirectoryTest)
#include "tst_platform_program_directory.moc"
