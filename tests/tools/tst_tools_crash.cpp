// ordex-dbf import killed without warning or stopped by a full disk: the
// catalogue afterwards holds all the new rows or none of them, its files
// pass the check, and a refused import leaves them byte for byte as they were.

#include "ProgramLayout.h"

#include "support/Files.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using testsupport::fileBytes;

namespace {

quint32 recordCount(const QString &dbf)
{
    const QByteArray b = fileBytes(dbf);
    return b.size() < 8 ? 0 : qFromLittleEndian<quint32>(b.constData() + 4);
}

QByteArray rows(int from, int count, bool notes)
{
    QByteArray csv = "NAZEV,AUTOR,CISLO,ROK,POZNAMKA\n";
    for (int i = from; i < from + count; ++i)
        csv += "Kniha číslo " + QByteArray::number(i) + ",Autor " + QByteArray::number(i % 97) + ","
            + QByteArray::number(i) + ",19" + QByteArray::number(10 + i % 90) + ","
            + (notes ? "Poznámka ke knize " + QByteArray::number(i) : QByteArray()) + "\n";
    return csv;
}

using Run = testsupport::ToolRun;

// Runs ordex-dbf; limit > 0 caps the size of every file it writes, as a full disk does.
Run runTool(const QStringList &args, const QByteArray &input = {}, qint64 limit = 0)
{
    return testsupport::runProgram(QStringLiteral(ORDEX_DBF), args, input, limit);
}

QList<QByteArray> tableFiles(const QString &data)
{
    return {fileBytes(data + "/VazonS.dbf"), fileBytes(data + "/VazonS.dbt"), fileBytes(data + "/VazonS.mdx")};
}

} // namespace

class CrashTest : public QObject
{
    Q_OBJECT
private slots:
    void killedImportLeavesAllRowsOrNone()
    {
        QTemporaryDir dir;
        layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
        const QString data = dir.filePath("Data");
        const QString table = data + "/VazonS.dbf";
        QCOMPARE(runTool({"import", table}, rows(0, 1, true)).code, 0);
        const QList<QByteArray> start = tableFiles(data);
        const int n = 6000;
        const QByteArray csv = rows(1, n, true);
        {
            QFile f(dir.filePath("rows.csv"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(csv);
        }

        // How long a whole import takes here.
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(runTool({"import", table}, csv).code, 0);
        const qint64 whole = qMax<qint64>(timer.elapsed(), 50);
        QCOMPARE(recordCount(table), quint32(1 + n));

        int none = 0, all = 0;
        for (int k = 0; k < 8; ++k) {
            for (int i = 0; i < 3; ++i) {
                QFile f(data + (i == 0 ? "/VazonS.dbf" : i == 1 ? "/VazonS.dbt" : "/VazonS.mdx"));
                QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                f.write(start.at(i));
            }
            QProcess p;
            p.setStandardInputFile(dir.filePath("rows.csv")); // read at once, not fed by this process
            p.start(QStringLiteral(ORDEX_DBF), {"import", table});
            QVERIFY(p.waitForStarted());
            QTest::qWait(int(whole * (k + 1) / 6) - 10 + k % 3 * 10); // to a third past a whole import
            p.kill();
            p.waitForFinished();
            const quint32 count = recordCount(table);
            QVERIFY2(count == 1 || count == quint32(1 + n),
                     qPrintable(QStringLiteral("killed after %1 ms: %2 records").arg(whole * (k + 1) / 6).arg(count)));
            (count == 1 ? none : all) += 1;
            const Run check = runTool({"check", table});
            QVERIFY2(check.code == 0, qPrintable(check.err));
        }
        qInfo("%d kills left no new row, %d all of them (a whole import takes %lld ms)", none, all, whole);
        // The next import after a cut one appends after the records the table holds.
        QCOMPARE(runTool({"import", table}, rows(90000, 2, false)).code, 0);
        QCOMPARE(runTool({"check", table}).code, 0);
    }

    void fullDiskLeavesTableAsItWas_data()
    {
        QTest::addColumn<bool>("atIndex");
        QTest::newRow("while appending") << false;
        QTest::newRow("while writing the index") << true;
    }

    void fullDiskLeavesTableAsItWas()
    {
        QFETCH(bool, atIndex);
        QTemporaryDir dir;
        layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
        const QString data = dir.filePath("Data");
        const QString table = data + "/VazonS.dbf";
        QCOMPARE(runTool({"import", table}, rows(0, 1, false)).code, 0);
        const QList<QByteArray> before = tableFiles(data);

        // The sizes a whole import would reach, from a copy.
        QTemporaryDir scratch;
        layOutProgramDirectory(scratch.path(), LayoutMode::Fresh);
        const QString copy = scratch.filePath("Data/VazonS.dbf");
        QCOMPARE(runTool({"import", copy}, rows(0, 1, false)).code, 0);
        const int n = atIndex ? 4 : 400;
        QCOMPARE(runTool({"import", copy}, rows(1, n, false)).code, 0);
        const qint64 dbf = QFileInfo(copy).size();
        const qint64 mdx = QFileInfo(scratch.filePath("Data/VazonS.mdx")).size();
        qint64 limit;
        if (atIndex) {
            QVERIFY2(dbf + 512 < mdx, "the index must outgrow the table for this case");
            limit = mdx - 512; // the records fit, the new index does not
        } else {
            limit = before.at(0).size() + (dbf - before.at(0).size()) / 2; // half the records fit
        }

        const Run r = runTool({"import", table}, rows(1, n, false), limit);
        QVERIFY2(r.code != 0, qPrintable(QStringLiteral("limit %1, table %2, index %3").arg(limit).arg(dbf).arg(mdx)));
        QVERIFY2(r.err.contains(QStringLiteral("místo")) && r.err.contains(QStringLiteral("beze změny")),
                 qPrintable(r.err));
        QCOMPARE(tableFiles(data), before);
        QCOMPARE(QDir(data).entryList({"VazonS*"}, QDir::Files).size(), 3); // no temporary file stays
        QCOMPARE(runTool({"check", table}).code, 0);
        // Room again: the same import goes through.
        QCOMPARE(runTool({"import", table}, rows(1, n, false)).code, 0);
        QCOMPARE(recordCount(table), quint32(1 + n));
    }
};

QTEST_GUILESS_MAIN(CrashTest)
#include "tst_tools_crash.moc"
