// The kill campaign: ordex-dbf imports and streams of posts, each killed
// with SIGKILL at a random moment, then judged as another program would
// find the files before anything opens them again:
//   whole  - an import left all its rows or none; a post stream kept every
//            post it had acknowledged, in order;
//   index  - the .mdx on disk is a whole index (never a cut one) and either
//            describes the table or says that it does not (then the next
//            opening writes it anew);
//   check  - `ordex-dbf check` passes afterwards.
//
//   bench-kill [--rounds N] [--rows N] [--seed N]    (N rounds in all, half of each kind)

#include "ProgramLayout.h"

#include "dbase/MdxFile.h"
#include "dbase/Table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <cstdio>
#include <cstring>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 recordCount(const QString &dbf)
{
    const QByteArray b = fileBytes(dbf);
    return b.size() < 8 ? 0 : qFromLittleEndian<quint32>(b.constData() + 4);
}

// What the index on disk tells another program before the next opening.
enum class IndexState { Describes, SaysStale, Damaged };

IndexState indexState(const QString &mdx, const QString &tag, quint32 records)
{
    dbase::MdxTag keys;
    if (!dbase::readMdxTag(fileBytes(mdx), tag, keys, nullptr))
        return IndexState::Damaged;
    const dbase::IndexNote note = dbase::readIndexNote(mdx);
    if (!note.present)
        return IndexState::Damaged;
    return !note.changing && note.recordCount == records ? IndexState::Describes : IndexState::SaysStale;
}

bool checkPasses(const QString &dbf)
{
    QProcess p;
    p.start(QStringLiteral(ORDEX_DBF), {QStringLiteral("check"), dbf});
    p.waitForFinished(300000);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QByteArray csvRows(int from, int count)
{
    QByteArray csv = "NAZEV,AUTOR,DRUH,CISLO,ROK,POZNAMKA\n";
    csv.reserve(qsizetype(count) * 80);
    for (int i = from; i < from + count; ++i)
        csv += "Kniha " + QByteArray::number(i) + ",Autor " + QByteArray::number(i % 997) + ",Román,"
            + QByteArray::number(i) + "," + QByteArray::number(1900 + i % 120) + ","
            + (i % 10 == 0 ? "Poznámka " + QByteArray::number(i) : QByteArray()) + "\n";
    return csv;
}

// The child of a post stream: posts numbered records, printing each number
// once its post has returned, and closes and opens the table every 50.
int postStream(const QString &folder)
{
    dbase::Table t;
    t.setDatabaseName(folder);
    t.setTableName(QStringLiteral("Stream.dbf"));
    t.open();
    for (int i = t.recordCount();; ++i) {
        t.insert();
        t.setFieldText(QStringLiteral("CISLO"), QString::number(i));
        t.setFieldText(QStringLiteral("TEXT"), QStringLiteral("Záznam číslo %1").arg(i));
        if (i % 7 == 0)
            t.setFieldText(QStringLiteral("POZN"), QStringLiteral("Poznámka %1").arg(i));
        t.post();
        std::printf("%d\n", i);
        std::fflush(stdout);
        if (i % 50 == 49) {
            t.close();
            t.open();
        }
    }
}

struct Tally
{
    int rounds = 0, whole = 0, describes = 0, saysStale = 0, damaged = 0, checked = 0;

    void add(bool isWhole, IndexState index, bool check)
    {
        ++rounds;
        whole += isWhole;
        describes += index == IndexState::Describes;
        saysStale += index == IndexState::SaysStale;
        damaged += index == IndexState::Damaged;
        checked += check;
    }
    void print(const char *what) const
    {
        std::printf("%-13s %3d killed: %3d whole, index %3d current + %3d marked stale (rebuilt at the next "
                    "opening), %d damaged; check passed %d\n",
                    what, rounds, whole, describes, saysStale, damaged, checked);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--post-stream")) {
        try {
            return postStream(args.at(2));
        } catch (const dbase::Error &e) {
            std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
            return 1;
        }
    }
    int rounds = 50, rows = 100000;
    quint32 seed = QRandomGenerator::system()->generate();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--rounds"))
            rounds = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--rows"))
            rows = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--seed"))
            seed = args.at(i + 1).toUInt();
    }
    QRandomGenerator random(seed);
    std::printf("kill campaign: %d rounds, imports of %d rows, seed %u\n", rounds, rows, seed);

    // Imports into a catalogue that holds one book.
    Tally imports;
    QTemporaryDir dir;
    layOutProgramDirectory(dir.path(), LayoutMode::Fresh);
    const QString data = dir.filePath(QStringLiteral("Data"));
    const QString table = data + QStringLiteral("/VazonS.dbf");
    const QByteArray csv = csvRows(1, rows);
    // The child reads its CSV from a file: it never waits for this process to feed it.
    const QString csvPath = dir.filePath(QStringLiteral("rows.csv"));
    auto startImport = [&](QProcess &p, const QByteArray &input) {
        QFile f(csvPath);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(input);
        f.close();
        p.setStandardInputFile(csvPath);
        p.start(QStringLiteral(ORDEX_DBF), {QStringLiteral("import"), table});
        p.waitForStarted();
    };
    auto import = [&](const QByteArray &input) {
        QProcess p;
        startImport(p, input);
        return p.waitForFinished(600000) && p.exitCode() == 0;
    };
    if (!import(csvRows(0, 1))) {
        std::fprintf(stderr, "bench-kill: the first import failed\n");
        return 1;
    }
    const QStringList files{QStringLiteral("VazonS.dbf"), QStringLiteral("VazonS.dbt"), QStringLiteral("VazonS.mdx")};
    QList<QByteArray> start;
    for (const QString &f : files)
        start << fileBytes(data + QLatin1Char('/') + f);
    QElapsedTimer timer;
    timer.start();
    import(csv);
    const qint64 whole = timer.elapsed();
    std::printf("a whole import of %d rows takes %lld ms; kills fall between 50 ms and %lld ms\n", rows, whole,
                whole * 3 / 2);
    int none = 0, all = 0;
    for (int round = 0; round < rounds / 2; ++round) {
        for (int i = 0; i < files.size(); ++i) {
            QFile f(data + QLatin1Char('/') + files.at(i));
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(start.at(i));
        }
        const int wait = 50 + int(random.bounded(qMax<qint64>(1, whole * 3 / 2 - 50)));
        QProcess p;
        startImport(p, csv);
        QThread::msleep(ulong(wait));
        p.kill();
        p.waitForFinished();
        const quint32 count = recordCount(table);
        const bool isWhole = count == 1 || count == quint32(1 + rows);
        (count == 1 ? none : all) += 1;
        imports.add(isWhole, indexState(data + QStringLiteral("/VazonS.mdx"), QStringLiteral("CISLO"), count),
                    checkPasses(table));
        if (!isWhole)
            std::printf("  import killed after %d ms left %u records\n", wait, count);
    }
    std::printf("imports: %d left no new row, %d all %d rows\n", none, all, rows);

    // Post streams on a table of their own, one after another on the same table.
    Tally posts;
    QTemporaryDir streamDir;
    dbase::createTable(streamDir.filePath(QStringLiteral("Stream.dbf")),
                       {{"CISLO", 'N', 8, 0}, {"TEXT", 'C', 40, 0}, {"POZN", 'M', 10, 0}},
                       {{"CISLO", "CISLO"}, {"TEXT", "TEXT"}}, true);
    int acknowledged = 0;
    for (int round = 0; round < rounds - rounds / 2; ++round) {
        QProcess p;
        p.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--post-stream"), streamDir.path()});
        p.waitForStarted();
        QThread::msleep(ulong(10 + random.bounded(400)));
        p.kill();
        p.waitForFinished();
        const QList<QByteArray> lines = p.readAllStandardOutput().trimmed().split('\n');
        if (!lines.last().isEmpty())
            acknowledged = lines.last().toInt() + 1;
        const QString dbf = streamDir.filePath(QStringLiteral("Stream.dbf"));
        const quint32 count = recordCount(dbf);
        const IndexState index = indexState(streamDir.filePath(QStringLiteral("Stream.mdx")), QStringLiteral("CISLO"), count);
        bool isWhole = count >= quint32(acknowledged);
        try {
            dbase::Table t;
            t.setDatabaseName(streamDir.path());
            t.setTableName(QStringLiteral("Stream.dbf"));
            t.open();
            int expected = 0;
            for (t.first(); !t.eof(); t.next(), ++expected)
                isWhole = isWhole && t.fieldText(QStringLiteral("CISLO")) == QString::number(expected);
        } catch (const dbase::Error &) {
            isWhole = false;
        }
        posts.add(isWhole, index, checkPasses(dbf));
    }
    std::printf("post streams: %d posts acknowledged in all\n", acknowledged);
    imports.print("imports");
    posts.print("post streams");
    const bool sound = imports.whole == imports.rounds && posts.whole == posts.rounds && !imports.damaged
        && !posts.damaged && imports.checked == imports.rounds && posts.checked == posts.rounds;
    std::printf("%s\n", sound ? "every kill left whole tables with a sound index" : "FAULTS FOUND");
    return sound ? 0 : 1;
}
