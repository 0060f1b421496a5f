// Ini files shared with the Windows programs of the family: a write must
// leave every other byte as it was, and bad values must never reach the disk.

#include "platform/Error.h"
#include "platform/IniFile.h"

#include "support/Files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using testsupport::fileBytes;
using testsupport::writeFile;
using platform::IniFile;

class IniFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Ordex2000.ini"));
        QFile::remove(m_path);
    }

    void writeChangesOnlyItsKey()
    {
        const QByteArray original =
            "; settings of the family\r\n"
            "\r\n"
            "[Zobrazit]\r\n"
            "Standardni=1\r\n"
            "  Okna = 0  \r\n"
            "\r\n"
            "[Volitelne]\r\n"
            "Data1=Sb\xEDrka zn\xE1mek\r\n"   // cp1250 "Sbírka známek"
            "; trailing comment\r\n";
        writeFile(m_path, original);
        IniFile ini(m_path);

        ini.writeInteger(QStringLiteral("Zobrazit"), QStringLiteral("Okna"), 1);
        QByteArray expected = original;
        expected.replace("  Okna = 0  \r\n", "  Okna =1\r\n");
        QCOMPARE(fileBytes(m_path), expected);

        // A new key goes after the last non-blank line of its section.
        ini.writeString(QStringLiteral("Zobrazit"), QStringLiteral("TipyDne"), QStringLiteral("1"));
        expected.replace("  Okna =1\r\n", "  Okna =1\r\nTipyDne=1\r\n");
        QCOMPARE(fileBytes(m_path), expected);

        // A new section is appended at the end.
        ini.writeString(QStringLiteral("Kontrola"), QStringLiteral("Pomocna"), QStringLiteral("2"));
        expected += "[Kontrola]\r\nPomocna=2\r\n";
        QCOMPARE(fileBytes(m_path), expected);

        QCOMPARE(ini.readString(QStringLiteral("Volitelne"), QStringLiteral("Data1")),
                 QStringLiteral("Sbírka známek"));
        QCOMPARE(ini.readInteger(QStringLiteral("Zobrazit"), QStringLiteral("Okna")), 1);
    }

    void namesIgnoreLetterCase()
    {
        writeFile(m_path, "[ZOBRAZIT]\nSTANDARDNI=1\n[otevreni]\ndatabaze1=1\n");
        IniFile ini(m_path);
        QCOMPARE(ini.readInteger(QStringLiteral("Zobrazit"), QStringLiteral("Standardni")), 1);
        QCOMPARE(ini.readInteger(QStringLiteral("Otevreni"), QStringLiteral("Databaze1")), 1);
        ini.writeString(QStringLiteral("Otevreni"), QStringLiteral("Databaze1"), QStringLiteral("0"));
        // The key keeps its spelling in the file; no second key appears.
        QCOMPARE(fileBytes(m_path), QByteArray("[ZOBRAZIT]\nSTANDARDNI=1\n[otevreni]\ndatabaze1=0\n"));
        // A key of the same name in another section is a different key.
        QCOMPARE(ini.readString(QStringLiteral("Zobrazit"), QStringLiteral("Databaze1")), QString());
    }

    void lineEndingsAreKept()
    {
        // LF file: new lines follow it; a last line without a line end gets one.
        writeFile(m_path, "[Nastaveni]\nPomocnik=1");
        IniFile ini(m_path);
        ini.writeString(QStringLiteral("Nastaveni"), QStringLiteral("Uvitani"), QStringLiteral("0"));
        QCOMPARE(fileBytes(m_path), QByteArray("[Nastaveni]\nPomocnik=1\nUvitani=0\n"));

        // A missing file is created with CRLF, as the Windows programs write.
        const QString fresh = m_dir.filePath(QStringLiteral("Tessera.ini"));
        QFile::remove(fresh);
        IniFile created(fresh);
        QCOMPARE(created.readString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik")), QString());
        QCOMPARE(created.readInteger(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), 7), 7);
        created.writeString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("1"));
        QCOMPARE(fileBytes(fresh), QByteArray("[Nastaveni]\r\nPomocnik=1\r\n"));
    }

    void refusedValuesLeaveTheFileAlone_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString s = QStringLiteral("Volitelne");
        const QString k = QStringLiteral("Data1");
        QTest::newRow("line feed") << s << k << QStringLiteral("a\nb");
        QTest::newRow("carriage return") << s << k << QStringLiteral("a\rb");
        QTest::newRow("nul") << s << k << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
        QTest::newRow("not in code page") << s << k << QStringLiteral("Ωmega");
        QTest::newRow("emoji") << s << k << QStringLiteral("kniha 📚");
        QTest::newRow("key with =") << s << QStringLiteral("Da=ta") << QStringLiteral("x");
        QTest::newRow("empty key") << s << QString() << QStringLiteral("x");
        QTest::newRow("section with ]") << QStringLiteral("Vol]itelne") << k << QStringLiteral("x");
    }

    void refusedValuesLeaveTheFileAlone()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QByteArray original = "[Volitelne]\r\nData1=Moje\r\n";
        writeFile(m_path, original);
        IniFile ini(m_path);
        try {
            ini.writeString(section, key, value);
            QFAIL("the value was accepted");
        } catch (const platform::Error &e) {
            QVERIFY(!e.message().isEmpty());
            QVERIFY2(!e.message().startsWith(QLatin1String("Unable")), qPrintable(e.message()));
        }
        QCOMPARE(fileBytes(m_path), original);
    }

    void czechTextIsStoredInCodePage1250()
    {
        IniFile ini(m_path);
        const QString name = QStringLiteral("Žluťoučký kůň – „úpěl“ €");
        ini.writeString(QStringLiteral("Volitelne"), QStringLiteral("Data2"), name);
        QCOMPARE(fileBytes(m_path),
                 QByteArray("[Volitelne]\r\nData2=\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2 \x96 \x84\xFAp\xECl\x93 \x80\r\n"));
        QCOMPARE(ini.readString(QStringLiteral("Volitelne"), QStringLiteral("Data2")), name);
    }

    void refusedWriteNamesTheFile()
    {
        writeFile(m_path, "[Zobrazit]\r\nOkna=1\r\n");
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        IniFile ini(m_path);
        try {
            ini.writeInteger(QStringLiteral("Zobrazit"), QStringLiteral("Okna"), 0);
            QFAIL("a read-only file was written");
        } catch (const platform::Error &e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to %1").arg(m_path));
        }
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(ini.readInteger(QStringLiteral("Zobrazit"), QStringLiteral("Okna")), 1);

        // A read-only folder refuses the first write of a new file.
        const QString folder = m_dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const QString inLocked = folder + QStringLiteral("/Tessera.ini");
        IniFile locked(inLocked);
        QVERIFY_THROWS_EXCEPTION(platform::Error,
                                 locked.writeString(QStringLiteral("Nastaveni"),
                                                    QStringLiteral("Uvitani"), QStringLiteral("1")));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!QFile::exists(inLocked));

        // A folder in the place of the file.
        const QString dirInstead = m_dir.filePath(QStringLiteral("Blocked.ini"));
        QVERIFY(QDir().mkpath(dirInstead));
        IniFile blocked(dirInstead);
        QCOMPARE(blocked.readString(QStringLiteral("A"), QStringLiteral("B")), QString());
        QVERIFY_THROWS_EXCEPTION(platform::Error,
                                 blocked.writeString(QStringLiteral("A"), QStringLiteral("B"),
                                                     QStringLiteral("1")));
    }

    void everyReadSeesTheFileAsItIsNow()
    {
        IniFile ini(m_path);
        ini.writeString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("1"));
        QCOMPARE(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik")), QStringLiteral("1"));
        // Another program of the family rewrites the file in between.
        writeFile(m_path, "[Nastaveni]\r\nPomocnik=0\r\nUvitani=1\r\n");
        QCOMPARE(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik")), QStringLiteral("0"));
        QCOMPARE(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("Uvitani")), QStringLiteral("1"));
        // A file of the same name in another letter case is the same file.
        QFile::rename(m_path, m_dir.filePath(QStringLiteral("ORDEX2000.INI")));
        QCOMPARE(ini.readString(QStringLiteral("Nastaveni"), QStringLiteral("Uvitani")), QStringLiteral("1"));
        ini.writeString(QStringLiteral("Nastaveni"), QStringLiteral("Uvitani"), QStringLiteral("0"));
        QVERIFY(!QFile::exists(m_path));
        QCOMPARE(fileBytes(m_dir.filePath(QStringLiteral("ORDEX2000.INI"))),
                 QByteArray("[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n"));
    }

    void integerReads_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QByteArray("12") << 12;
        QTest::newRow("spaces") << QByteArray("   1   ") << 1;
        QTest::newRow("hex") << QByteArray("0x1F") << 31;
        QTest::newRow("upper hex") << QByteArray("0X10") << 16;
        QTest::newRow("negative") << QByteArray("-3") << -3;
        QTest::newRow("junk") << QByteArray("ano") << -99;
        QTest::newRow("trailing junk") << QByteArray("1x") << -99;
        QTest::newRow("empty") << QByteArray("") << -99;
        QTest::newRow("bare 0x") << QByteArray("0x") << -99;
        QTest::newRow("too large") << QByteArray("99999999999") << -99;
        QTest::newRow("inner space") << QByteArray("1 2") << -99;
    }

    void integerReads()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        writeFile(m_path, "[Kontrola]\r\nPomocna=" + stored + "\r\n");
        QCOMPARE(IniFile(m_path).readInteger(QStringLiteral("Kontrola"), QStringLiteral("Pomocna"), -99),
                 expected);
    }

    void damagedFilesNeverCrash()
    {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char((i * 7919) % 256));
        static const char tail[] = "\0[Zob\0razit]\r\r\n=\n[\n]]=[\n[Zobrazit\nOkna=\0\n";
        junk += QByteArray(tail, sizeof tail - 1);
        writeFile(m_path, junk);
        IniFile ini(m_path);
        QCOMPARE(ini.readInteger(QStringLiteral("Zobrazit"), QStringLiteral("Okna"), 5), 5);
        ini.readString(QStringLiteral("]"), QStringLiteral("="));
        ini.writeInteger(QStringLiteral("Zobrazit"), QStringLiteral("Okna"), 1);
        QCOMPARE(ini.readInteger(QStringLiteral("Zobrazit"), QStringLiteral("Okna")), 1);
        // The junk before stays as it was.
        QVERIFY(fileBytes(m_path).startsWith(junk));
    }

    void unreadableLinesReadAsDefaultsAndAreReported()
    {
        const QByteArray nul(1, '\0');
        const QByteArray original = "[Zobrazit]\r\n"
                                    "Standardni=1\r\n"
                                    "Okna=1" + nul + "\r\n"                     // a NUL byte
                                    "TipyDne=\x81\r\n"                          // undefined in code page 1250
                                    "Databaze=" + QByteArray(70000, '1') + "\r\n" // longer than any setting
                                    "[Otev\x98reni]\r\n"                        // an unreadable section header
                                    "Tipy=1\r\n"                                // ... ends [Zobrazit]
                                    "[Zobrazit]\r\nStandardni=0\r\nStavovyRadek=1"; // repeated, no line end
        writeFile(m_path, original);
        IniFile ini(m_path);
        QCOMPARE(ini.readInteger("Zobrazit", "Okna", 7), 7);
        QCOMPARE(ini.readString("Zobrazit", "TipyDne"), QString());
        QCOMPARE(ini.readInteger("Zobrazit", "Databaze", 7), 7);
        QCOMPARE(ini.readString("Zobrazit", "Tipy"), QString());
        QCOMPARE(ini.readInteger("Zobrazit", "Standardni"), 1);   // the first of repeated keys
        QCOMPARE(ini.readInteger("Zobrazit", "StavovyRadek"), 1); // found in the repeated section
        const QString damage = ini.damage();
        QVERIFY2(damage.contains(m_path) && damage.contains("celkem 4") && damage.contains("řádek 3"),
                 qPrintable(damage));

        // A write changes its own key and leaves the unreadable lines as they were.
        ini.writeInteger("Zobrazit", "Okna", 0);
        QByteArray expected = original;
        expected.replace(QByteArray("Standardni=1\r\n", 14), QByteArray("Standardni=1\r\nOkna=0\r\n", 22));
        QCOMPARE(fileBytes(m_path), expected);
        QCOMPARE(ini.readInteger("Zobrazit", "Okna", 7), 0);

        writeFile(m_path, "[Zobrazit]\r\nOkna=1\r\n");
        QCOMPARE(ini.damage(), QString());
        QFile::remove(m_path);
        QCOMPARE(ini.damage(), QString()); // a missing file is not damaged
    }

    void hundredMegabyteFileIsReadAndWritten()
    {
        // 100 MB of short lines before the settings: no object per line, so
        // the memory stays near the file's size.
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk += "x" + QByteArray::number(i % 10) + "\n";
        {
            QFile f(m_path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            for (qint64 written = 0; written < 100'000'000; written += junk.size())
                QCOMPARE(f.write(junk), junk.size());
            f.write("[Kontrola]\nPomocna=3\n");
        }
        const qint64 size = QFileInfo(m_path).size();
        QElapsedTimer timer;
        timer.start();
        IniFile ini(m_path);
        QCOMPARE(ini.readInteger("Kontrola", "Pomocna"), 3);
        QCOMPARE(ini.readString("Zobrazit", "Okna"), QString());
        const qint64 reads = timer.restart();
        ini.writeInteger("Kontrola", "Pomocna", 0);
        QCOMPARE(ini.readInteger("Kontrola", "Pomocna"), 0);
        QCOMPARE(QFileInfo(m_path).size(), size);
        qInfo("two reads %lld ms, a write and a read %lld ms", reads, timer.elapsed());
        QFile::remove(m_path);
    }

    void fullDiskKeepsTheOldFile()
    {
        // Writes past the size limit fail as on a full disk.
        const QByteArray original = "[Volitelne]\r\nData1=" + QByteArray(3000, 'a') + "\r\n";
        writeFile(m_path, original);
        rlimit old{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &old) == 0);
        const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 1000;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        bool refused = false;
        try {
            IniFile(m_path).writeString("Volitelne", "Data2", "Romány");
        } catch (const platform::Error &e) {
            refused = e.message().contains("Unable to write to");
        }
        ::setrlimit(RLIMIT_FSIZE, &old);
        ::signal(SIGXFSZ, oldHandler);
        QVERIFY(refused);
        QCOMPARE(fileBytes(m_path), original);
        const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
        QVERIFY2(files.filter("Ordex2000.ini.").isEmpty(), qPrintable(files.join(' '))); // no temporary file stays
    }

    void quotedValuesReadWithoutQuotes()
    {
        writeFile(m_path, "[Volitelne]\r\nData3=\"  Rom\xE1ny \"\r\n");
        QCOMPARE(IniFile(m_path).readString(QStringLiteral("Volitelne"), QStringLiteral("Data3")),
                 QStringLiteral("  Romány "));
    }
};

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_platform_ini_file.moc"
