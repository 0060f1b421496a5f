// A process killed at any moment of a stream of posts leaves a table that
// opens and holds every record whose post returned.

#include "dbase/MdxFile.h"
#include "dbase/Table.h"

#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using testsupport::fileBytes;
using dbase::Table;

namespace {

// The keys the index file holds for its tag CISLO, -1 when the file is not
// a whole index.
qsizetype indexedRecords(const QString &mdxPath)
{
    dbase::MdxTag tag;
    if (!dbase::readMdxTag(fileBytes(mdxPath), QStringLiteral("CISLO"), tag, nullptr))
        return -1;
    return qsizetype(tag.size());
}

// Kills a post stream (args after the folder) once it has acknowledged
// about wanted records; returns the last acknowledged number + 1.
int killStream(const QString &folder, const QStringList &args, int wanted)
{
    QProcess writer;
    writer.start(POST_STREAM_EXE, QStringList{folder} + args);
    if (!writer.waitForStarted())
        return -1;
    QByteArray out;
    while (out.count('\n') < wanted && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(5000);
        out += writer.readAllStandardOutput();
    }
    QTest::qWait(int(QRandomGenerator::global()->bounded(20)));
    writer.kill();
    writer.waitForFinished();
    out += writer.readAllStandardOutput();
    if (writer.exitStatus() != QProcess::CrashExit)
        return -1;
    return out.trimmed().split('\n').last().toInt() + 1;
}

} // namespace

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
            // Let it write a while, then kill it without warning.
            acknowledged = killStream(dir.path(), {}, 50 + int(QRandomGenerator::global()->bounded(400)));
            QVERIFY2(acknowledged >= 0, "the post stream ended before it was killed");

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

    void killDuringIndexWriteLeavesOldOrNewIndex()
    {
        // The stream closes and opens the table every 20 posts, so kills
        // fall into the index write at close: the .mdx on disk is then
        // always a whole index, old or new, and the next opening makes it
        // describe every record.
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Stream.dbf"), {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}},
                           {{"CISLO", "CISLO"}}, true);
        const QString mdx = dir.filePath("Stream.mdx");
        int acknowledged = 0;
        for (int round = 0; round < 8; ++round) {
            const int theirs = killStream(dir.path(), {"reopen"}, 40 + int(QRandomGenerator::global()->bounded(200)));
            QVERIFY(theirs >= acknowledged);
            acknowledged = theirs;
            QVERIFY2(indexedRecords(mdx) >= 0, "the index on disk is half written");
            Table t;
            t.setDatabaseName(dir.path());
            t.setTableName("Stream.dbf");
            t.open();
            QVERIFY(t.recordCount() >= acknowledged);
            QCOMPARE(indexedRecords(mdx), qsizetype(t.recordCount()));
            t.setOrder("CISLO");
            int expected = 0;
            for (t.first(); !t.eof(); t.next(), ++expected)
                QCOMPARE(t.fieldText("CISLO"), QString::number(expected));
        }
        QVERIFY(acknowledged > 300);
    }

    void staleIndexIsRebuiltAtOpening()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Stream.dbf"), {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}},
                           {{"CISLO", "CISLO"}}, false);
        const QString dbf = dir.filePath("Stream.dbf");
        const QString mdx = dir.filePath("Stream.mdx");
        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("Stream.dbf");
        t.open();
        for (int i = 0; i < 3; ++i) {
            t.insert();
            t.setFieldText("CISLO", QString::number(i));
            t.post();
        }
        t.close();
        QCOMPARE(indexedRecords(mdx), 3);

        // A table closed as it should be: its index is not written again.
        const QByteArray fresh = fileBytes(mdx);
        t.open();
        QVERIFY(!t.indexRebuiltAtOpen());
        t.close();
        QCOMPARE(fileBytes(mdx), fresh);

        // Another program appends two records and leaves the index alone.
        QByteArray bytes = fileBytes(dbf);
        const int recordLength = uchar(bytes[10]) | uchar(bytes[11]) << 8;
        bytes.chop(1); // the end-of-file mark
        for (int i = 3; i < 5; ++i)
            bytes += ' ' + QByteArray::number(i).rightJustified(8, ' ') + QByteArray(recordLength - 9, ' ');
        bytes += '\x1A';
        bytes[4] = 5;
        QFile f(dbf);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        t.open();
        QVERIFY(t.indexRebuiltAtOpen());
        QCOMPARE(indexedRecords(mdx), 5);
        t.close();

        // A program killed after a post, before its close: the index says
        // a change may have followed it.
        t.open();
        t.first();
        t.edit();
        t.setFieldText("CISLO", "77");
        t.post();
        QCOMPARE(dbase::readIndexNote(mdx).changing, true);
        Table other;
        other.setDatabaseName(dir.path());
        other.setTableName("Stream.dbf");
        other.open();
        QVERIFY(other.indexRebuiltAtOpen());
        other.close();
        dbase::MdxTag tag;
        QVERIFY(dbase::readMdxTag(fileBytes(mdx), "CISLO", tag, nullptr));
        QCOMPARE(tag.records.back(), 1u); // 77 sorts last: the edit is in the index
        // The first table's next change marks the new index file again.
        t.edit();
        t.setFieldText("CISLO", "78");
        t.post();
        QCOMPARE(dbase::readIndexNote(mdx).changing, true);
        t.close();
        QCOMPARE(dbase::readIndexNote(mdx).changing, false);
    }

    void batchesTakeTurnsAndNeverCommitOverAnotherWriter()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Stream.dbf"), {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}},
                           {{"CISLO", "CISLO"}}, true);
        auto openOn = [&](Table &t) {
            t.setDatabaseName(dir.path());
            t.setTableName("Stream.dbf");
            t.open();
        };
        Table a, b;
        openOn(a);
        openOn(b);
        a.beginAppend();
        for (int i = 0; i < 2; ++i) {
            a.insert();
            a.setFieldText("CISLO", QString::number(i));
            a.post();
        }
        QCOMPARE(a.recordCount(), 2);
        QVERIFY_THROWS_EXCEPTION(dbase::Error, b.beginAppend()); // one batch at a time
        // A single post meanwhile lands at the record count: the batch then
        // refuses to commit over it and leaves it alone.
        b.insert();
        b.setFieldText("CISLO", "99");
        b.post();
        QVERIFY_THROWS_EXCEPTION(dbase::Error, a.commitAppend());
        QVERIFY(!a.inAppend());
        a.close();
        b.close();
        Table c;
        openOn(c);
        QCOMPARE(c.recordCount(), 1);
        QCOMPARE(c.fieldText("CISLO"), QString("99"));
        // The lock went with the batch: a new one begins, commits and is seen.
        c.beginAppend();
        c.insert();
        c.setFieldText("CISLO", "100");
        c.post();
        Table reader;
        openOn(reader);
        QCOMPARE(reader.recordCount(), 1); // not before the commit
        c.commitAppend();
        reader.last();
        QCOMPARE(reader.fieldText("CISLO"), QString("100"));
        c.close();
    }

    void fullDiskAtCloseKeepsTheOldIndexUntilTheNextOpening()
    {
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Stream.dbf"), {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}},
                           {{"CISLO", "CISLO"}, {"TEXT", "TEXT"}}, false);
        const QString mdx = dir.filePath("Stream.mdx");
        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("Stream.dbf");
        t.open();
        for (int i = 0; i < 300; ++i) { // an index of more blocks than the limit below allows
            t.insert();
            t.setFieldText("CISLO", QString::number(i));
            t.setFieldText("TEXT", QString("Záznam %1").arg(i));
            t.post();
        }
        const QByteArray before = fileBytes(mdx);
        rlimit old{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &old) == 0);
        const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = before.size() + 2048;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        QString message;
        try {
            t.close();
        } catch (const dbase::Error &e) {
            message = e.message();
        }
        ::setrlimit(RLIMIT_FSIZE, &old);
        ::signal(SIGXFSZ, oldHandler);
        QVERIFY2(message.contains("místo"), qPrintable(message));
        QVERIFY(!t.isActive());
        QCOMPARE(fileBytes(mdx), before); // the old index, saying it is stale
        QVERIFY(dbase::readIndexNote(mdx).changing);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file stays
        t.open();
        QVERIFY(t.indexRebuiltAtOpen());
        QCOMPARE(t.recordCount(), 300);
        QCOMPARE(indexedRecords(mdx), 300);
        t.close();
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
#include "tst_dbase_durability.moc"
