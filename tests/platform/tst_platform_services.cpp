// The program directory, sounds, the launcher, the single-instance guard and
// the owner line of the splash.

#include "platform/Launcher.h"
#include "platform/OwnerLine.h"
#include "platform/ProgramDirectory.h"
#include "platform/SingleInstance.h"
#include "platform/Sounds.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

void put(const QString &path, const QByteArray &bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(bytes);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner);
}

// A short silent wave file: 8 kHz, 8 bit, mono.
QByteArray silentWave()
{
    const quint32 samples = 800;
    QByteArray w;
    auto u32 = [&w](quint32 v) { for (int i = 0; i < 4; ++i) w.append(char((v >> (8 * i)) & 0xFF)); };
    auto u16 = [&w](quint16 v) { w.append(char(v & 0xFF)); w.append(char(v >> 8)); };
    w += "RIFF"; u32(36 + samples); w += "WAVE";
    w += "fmt "; u32(16); u16(1); u16(1); u32(8000); u32(8000); u16(1); u16(8);
    w += "data"; u32(samples); w += QByteArray(samples, char(0x80));
    return w;
}

QString uniqueKey()
{
    return QStringLiteral("ordex-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

class ServicesTest : public QObject
{
    Q_OBJECT

private slots:
    // Runs first, before any thread of the audio back end exists.
    void staleLockOfACrashedInstanceDoesNotBlock()
    {
        const QString key = uniqueKey();
        const pid_t child = fork();
        if (child == 0) {
            SingleInstanceGuard crashed(key);
            _exit(crashed.isAnotherRunning() ? 1 : 0); // ends without releasing its lock
        }
        QVERIFY(child > 0);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);

        SingleInstanceGuard next(key);
        QVERIFY(!next.isAnotherRunning());
    }

    void secondGuardFindsTheFirst()
    {
        const QString key = uniqueKey();
        {
            SingleInstanceGuard first(key);
            QVERIFY(!first.isAnotherRunning());
            QVERIFY(!first.isAnotherRunning()); // asking again keeps the lock

            SingleInstanceGuard second(key);
            QVERIFY(second.isAnotherRunning());
            QVERIFY(second.isAnotherRunning());

            SingleInstanceGuard other(uniqueKey());
            QVERIFY(!other.isAnotherRunning());
        }
        // The first instance ended: the next start works.
        SingleInstanceGuard third(key);
        QVERIFY(!third.isAnotherRunning());
    }

    void programDirectoryPaths()
    {
        const ProgramDirectory root(QStringLiteral("/"));
        QCOMPARE(root.path(), QStringLiteral("/"));
        QCOMPARE(root.dataDir(), QStringLiteral("/Data/"));
        QCOMPARE(root.templateDir(), QStringLiteral("/Data/Zaloha/"));
        QCOMPARE(root.soundDir(), QStringLiteral("/Zvuky/"));

        QCOMPARE(ProgramDirectory(QStringLiteral("/opt/Katalog/../Katalog")).path(),
                 QStringLiteral("/opt/Katalog/"));
        QCOMPARE(ProgramDirectory(QStringLiteral("Katalog")).path(),
                 QDir::currentPath() + QStringLiteral("/Katalog/"));
    }

    void soundsWithoutFilesAreSilentAndQuick()
    {
        QTemporaryDir tmp;
        Sounds sounds{ProgramDirectory(tmp.path())}; // no Zvuky folder at all
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 100; ++i)
            sounds.play(QStringLiteral("Dialog.wav"));
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(sounds.resolve(QStringLiteral("Dialog.wav")), QString());

        QDir().mkpath(tmp.filePath(QStringLiteral("Zvuky")));
        sounds.play(QStringLiteral("Info.wav")); // folder without the file
        QCOMPARE(sounds.resolve(QStringLiteral("Info.wav")), QString());
    }

    void soundsNeverWaitForTheEnd()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        put(dir.soundDir() + QStringLiteral("dotaz.WAV"), silentWave());
        put(dir.soundDir() + QStringLiteral("Info.wav"), silentWave());
        Sounds sounds(dir);
        QCOMPARE(sounds.resolve(QStringLiteral("Dotaz.wav")), dir.soundDir() + QStringLiteral("dotaz.WAV"));
        QElapsedTimer clock;
        clock.start();
        // One after another: each cuts off the one before, none waits.
        for (int i = 0; i < 10; ++i) {
            sounds.play(QStringLiteral("Dotaz.wav"));
            sounds.play(QStringLiteral("Info.wav"));
        }
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }

    void launchKeepsLongPathsWhole()
    {
        QTemporaryDir tmp;
        // Well over the 79 characters a fixed buffer would keep.
        const QString deep = tmp.path() + QStringLiteral("/a-rather-long-folder-name-for-a-program/")
            + QStringLiteral("and-another-one-below-it-with-more-letters/Příliš žluťoučký");
        const QString script = deep + QStringLiteral("/viewer.sh");
        const QString out = deep + QStringLiteral("/out.txt");
        QVERIFY(script.size() > 100);
        put(script, "#!/bin/sh\nprintf '%s|' \"$@\" > out.tmp\npwd >> out.tmp\nmv out.tmp out.txt\n", true);

        QVERIFY(launch(script, QStringLiteral("first \"second word\""), deep));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 5000);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()).trimmed(),
                 QStringLiteral("first|second word|") + QDir(deep).canonicalPath());

        QVERIFY(!launch(deep + QStringLiteral("/missing.exe"), QString(), QString()));
        QVERIFY(!launch(QString(), QString(), QString()));
    }

    void manualNeedsBothFiles()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        QVERIFY(!manualAvailable(dir));
        launchManual(dir); // nothing there: nothing happens

        put(dir.file(QStringLiteral("ManualTessera.exe")),
            "#!/bin/sh\nprintf '%s' \"$1\" > started.tmp\nmv started.tmp started.txt\n", true);
        QVERIFY(!manualAvailable(dir));
        launchManual(dir);

        put(dir.file(QStringLiteral("html/ORDEX2000/index.htm")), "<html></html>");
        QVERIFY(manualAvailable(dir));
        // Without the viewer the page alone is not enough.
        QFile::rename(dir.file(QStringLiteral("ManualTessera.exe")), dir.file(QStringLiteral("x.exe")));
        QVERIFY(!manualAvailable(dir));
        QFile::rename(dir.file(QStringLiteral("x.exe")), dir.file(QStringLiteral("ManualTessera.exe")));

        launchManual(dir);
        const QString started = dir.file(QStringLiteral("started.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 5000);
        QFile f(started);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("Html/Ordex2000/Index.htm"));
    }

    void ownerLine()
    {
        QVERIFY(!registeredOwner().isEmpty());
        qputenv("ORGANIZATION", "Knihovna u Vazonu");
        QCOMPARE(registeredOrganization(), QStringLiteral("Knihovna u Vazonu"));
        qunsetenv("ORGANIZATION");
        QCOMPARE(registeredOrganization(), QStringLiteral("unknown"));
    }
};

QTEST_GUILESS_MAIN(ServicesTest)
#include "tst_platform_services.moc"
