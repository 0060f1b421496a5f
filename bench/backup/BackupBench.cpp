// Times ordex-dbf backup, restore and repair on a catalogue of many books:
// the backup of a program directory, its restore into a fresh one, and the
// repair of the standard catalogue cut in the middle of a record.

#include "ProgramLayout.h"

#include "Commands.h"

#include "common/SampleBooks.h"
#include "platform/ProgramDirectory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QByteArray csvOf(int books)
{
    QRandomGenerator rng(19);
    QByteArray csv = "NAZEV,AUTOR,DRUH,CISLO,ROK,STRANY,VYDAVATEL,POZNAMKA,ILUSTRACE\n";
    for (int i = 1; i <= books; ++i) {
        csv += sample::title(rng).toUtf8() + ',' + sample::author(rng).toUtf8() + ",Román," + QByteArray::number(i)
            + ',' + QByteArray::number(1900 + rng.bounded(120)) + ',' + QByteArray::number(80 + rng.bounded(600))
            + ',' + sample::pick(rng, sample::Publishers).toUtf8() + ",Věnování autora na předsádce,"
            + sample::pick(rng, sample::Illustrators).toUtf8() + '\n';
    }
    return csv;
}

bool fail(const QString &what, const QString &err)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(err));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int books = 100000;
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--books"));
    if (at > 0 && at + 1 < args.size())
        books = args.at(at + 1).toInt();

    QTemporaryDir tmp;
    const QString a = tmp.path() + QStringLiteral("/a/"), b = tmp.path() + QStringLiteral("/b/");
    layOutProgramDirectory(a, LayoutMode::Fresh);
    layOutProgramDirectory(b, LayoutMode::Fresh);
    QByteArray out;
    QString err;
    if (runImport(a + QStringLiteral("Data/VazonS.dbf"), csvOf(books), err) != 0)
        return fail(QStringLiteral("import"), err) ? 0 : 1;
    const qint64 size = QFile(a + QStringLiteral("Data/VazonS.dbf")).size();
    std::printf("catalogue: %d books, VazonS.dbf %.1f MB\n", books, double(size) / 1e6);

    const QString archive = tmp.path() + QStringLiteral("/zaloha.tar.gz");
    QElapsedTimer t;
    t.start();
    if (runBackup(platform::ProgramDirectory(a), archive, out, err) != 0)
        return fail(QStringLiteral("backup"), err) ? 0 : 1;
    const qint64 backupMs = t.elapsed();
    std::printf("backup:  %6lld ms (archive %.1f MB, written, read back and compared)\n", backupMs,
                double(QFile(archive).size()) / 1e6);

    t.restart();
    if (runRestore(platform::ProgramDirectory(b), archive, QStringLiteral("bench-backup"), out, err) != 0)
        return fail(QStringLiteral("restore"), err) ? 0 : 1;
    const qint64 restoreMs = t.elapsed();
    std::printf("restore: %6lld ms\n", restoreMs);

    // The restored catalogue cut in the middle of a record.
    const QString table = b + QStringLiteral("Data/VazonS.dbf");
    QFile f(table);
    const qint64 cut = size / 2 + 17;
    if (!f.resize(cut))
        return 1;
    t.restart();
    if (runRepair(table, out, err) != 0)
        return fail(QStringLiteral("repair"), err) ? 0 : 1;
    const qint64 repairMs = t.elapsed();
    std::printf("repair:  %6lld ms (cut at byte %lld)\n", repairMs, cut);
    std::printf("%s", out.constData());
    const bool ok = backupMs < 2000 && restoreMs < 2000 && repairMs < 2000;
    std::printf("%s: each under 2 s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
