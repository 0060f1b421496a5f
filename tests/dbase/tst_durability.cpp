// A process killed at any moment of a stream of posts leaves a table that
// opens and holds every record whose post returned.

#include "dbase/Table.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using dbase::Table;

class DurabilityTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLosesNoPostedRecord()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Stream.dbf"), {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}},
                           {{"CISLO", "CISLO"}}, true);
        int acknowledged = 0;
        for (int round = 0; round < 6; ++round) {
            QProcess writer;
            writer.start(POST_STREAM_EXE, {dir.path()});
            QVERIFY(writer.waitForStarted());
            // Let it write a while, then kill it without warning.
            const int wanted = 50 + int(QRandomGenerator::global()->bounded(400));
            QByteArray out;
            while (out.count('\n') < wanted && writer.state() == QProcess::Running) {
                writer.waitForReadyRead(5000);
                out += writer.readAllStandardOutput();
            }
            QTest::qWait(int(QRandomGenerator::global()->bounded(20)));
            writer.kill();
            writer.waitForFinished();
            out += writer.readAllStandardOutput();
            QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                     writer.readAllStandardError().constData());
            const QList<QByteArray> lines = out.trimmed().split('\n');
            acknowledged = lines.last().toInt() + 1;

            Table t;
            t.setDatabaseName(dir.path());
            t.setTableName("Stream.dbf");
            t.open(); // opens after every kill
            QVERIFY2(t.recordCount() >= acknowledged,
                     qPrintable(QString("%1 records, %2 posted").arg(t.recordCount()).arg(acknowledged)));
            int expected = 0;
            for (t.first(); !t.eof(); t.next(), ++expected) {
                QCOMPARE(t.fieldText("CISLO"), QString::number(expected));
                QCOMPARE(t.fieldText("TEXT"), QString("Záznam číslo %1").arg(expected));
            }
            QCOMPARE(expected, t.recordCount());
        }
        QVERIFY(acknowledged > 300);
    }

    void fileCutShortWhileOpenIsNoCrash()
    {
        // Another program empties the file under an open table: moves and
        // posts go on without ending the process; nothing is claimed that
        // the file cannot hold.
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Stream.dbf"), {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}},
                           {{"CISLO", "CISLO"}}, false);
        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("Stream.dbf");
        t.open();
        t.insert();
        t.setFieldText("CISLO", "1");
        t.post();
        QVERIFY(QFile::resize(dir.filePath("Stream.dbf"), 0));
        t.first();
        t.last();
        QCOMPARE(t.recordCount(), 1); // what was read stays readable
        QCOMPARE(t.fieldText("CISLO"), QString("1"));
        try {
            t.insert();
            t.setFieldText("CISLO", "2");
            t.post();
            t.close();
        } catch (const dbase::Error &) {
        }
        Table again;
        again.setDatabaseName(dir.path());
        again.setTableName("Stream.dbf");
        QVERIFY_THROWS_EXCEPTION(dbase::Error, again.open()); // a header of zeros is refused
    }

    void postAfterAnotherProcessAppendedKeepsItsRecords()
    {
        // A table held open while another program appends: its next post
        // goes after their records, never over them.
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Stream.dbf"), {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}},
                           {{"CISLO", "CISLO"}}, true);
        Table mine;
        mine.setDatabaseName(dir.path());
        mine.setTableName("Stream.dbf");
        mine.open();
        QProcess writer;
        writer.start(POST_STREAM_EXE, {dir.path()});
        QVERIFY(writer.waitForStarted());
        QByteArray out;
        while (out.count('\n') < 20 && writer.state() == QProcess::Running) {
            writer.waitForReadyRead(5000);
            out += writer.readAllStandardOutput();
        }
        writer.kill();
        writer.waitForFinished();
        out += writer.readAllStandardOutput();
        const int theirs = out.trimmed().split('\n').last().toInt() + 1;
        QVERIFY(theirs >= 20);

        mine.insert();
        mine.setFieldText("CISLO", "-1");
        mine.setFieldText("TEXT", "Můj záznam");
        mine.post();
        QVERIFY(mine.recordCount() >= theirs + 1);
        mine.close();

        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("Stream.dbf");
        t.open();
        t.setOrder("CISLO");
        t.first();
        QCOMPARE(t.fieldText("TEXT"), QString("Můj záznam"));
        int expected = 0;
        for (t.next(); !t.eof() && expected < theirs; t.next(), ++expected)
            QCOMPARE(t.fieldText("TEXT"), QString("Záznam číslo %1").arg(expected));
        QCOMPARE(expected, theirs);
    }
};

QTEST_GUILESS_MAIN(DurabilityTest)
#include "tst_durability.moc"
