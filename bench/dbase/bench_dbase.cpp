// bench-dbase: builds a catalogue of 100,000 books from the empty template
// and times what the program does with it: opening and scanning it, the
// orders and the genre filter, the copy into the auxiliary table that every
// search and report starts with, and the CSV export of ordex-dbf.
//
//   bench-dbase [--books N] [--keep FOLDER]
//
// --keep leaves the catalogue in FOLDER (for comparing other dBASE readers).

#include "ProgramLayout.h"

#include "core/AuxiliaryCopy.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "common/SampleBooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Wall time and the process's own CPU time: on a shared machine the second
// says what the program itself needs.
class Clock
{
public:
    Clock() { restart(); }
    void restart()
    {
        m_wall.start();
        m_cpu = ::cpuMs();
    }
    double wallMs() const { return double(m_wall.nsecsElapsed()) / 1e6; }
    double cpuMs() const { return ::cpuMs() - m_cpu; }

private:
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

void report(const char *what, const Clock &t, const char *target = nullptr)
{
    std::printf("%-58s %9.1f ms (CPU %7.1f ms)", what, t.wallMs(), t.cpuMs());
    if (target)
        std::printf("   (target %s)", target);
    std::printf("\n");
    std::fflush(stdout);
}

void openIn(dbase::Table &t, const QString &folder, const QString &file)
{
    t.setDatabaseName(folder);
    t.setTableName(file);
    t.open();
}

// Copies the three template files of base into data, as the program's template restore does.
void restoreTemplate(const QString &root, const QString &base)
{
    for (const auto &[from, to] : {std::pair{".dbf", ".dbf"}, std::pair{".Dbt", ".dbt"}, std::pair{".Mdx", ".mdx"}}) {
        const QString target = root + "/Data/" + base + QString::fromLatin1(to);
        QFile::remove(target);
        QFile::copy(root + "/Data/Zaloha/" + base + QString::fromLatin1(from), target);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int books = 100000;
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == "--books" && i + 1 < args.size())
            books = args.at(++i).toInt();
        else if (args.at(i) == "--keep" && i + 1 < args.size())
            keep = args.at(++i);
        else {
            std::fputs("Použití: bench-dbase [--books N] [--keep SLOŽKA]\n", stderr);
            return 2;
        }
    }

    QTemporaryDir tmp;
    const QString root = keep.isEmpty() ? tmp.path() : QDir(keep).absolutePath();
    QDir().mkpath(root);
    const QString data = root + "/Data";

    try {
        Clock t;
        layOutProgramDirectory(root, LayoutMode::Fresh);
        report("lay out a fresh program directory", t);

        // The catalogue: numbers 1..N in a shuffled file order.
        std::vector<int> numbers(static_cast<size_t>(books));
        for (int i = 0; i < books; ++i)
            numbers[size_t(i)] = i + 1;
        QRandomGenerator rng(20001);
        std::shuffle(numbers.begin(), numbers.end(), rng);
        const QStringList genres = core::genres();
        const QStringList editions = core::editions();
        const QStringList bindings = core::bindings();
        t.restart();
        {
            dbase::Table table;
            openIn(table, data, "VazonS.dbf");
            for (int i = 0; i < books; ++i) {
                table.insert();
                // One book in fifty has no title yet; the copy skips those.
                if (rng.bounded(50) != 0)
                    table.setFieldText("NAZEV", sample::title(rng));
                table.setFieldText("AUTOR", sample::author(rng));
                table.setFieldText("DRUH", genres.at(int(rng.bounded(quint32(genres.size())))));
                table.setFieldText("CISLO", QString::number(numbers[size_t(i)]));
                table.setFieldText("ROK", QString::number(1900 + rng.bounded(125)));
                table.setFieldText("STRANY", QString::number(50 + rng.bounded(900)));
                table.setFieldText("VYDAVATEL", sample::pick(rng, sample::Publishers));
                if (rng.bounded(4) == 0)
                    table.setFieldText("POZNAMKA", "Věnování autora na předsádce, mírně poškozený přebal.");
                table.setFieldText("DATUM", "1.2.2024");
                table.setFieldText("VYDANI", editions.at(int(rng.bounded(quint32(editions.size())))));
                table.setFieldText("NAKLAD", QString::number(1000 * (1 + rng.bounded(50))));
                table.setFieldText("VAZBA", bindings.at(int(rng.bounded(quint32(bindings.size())))));
                table.post();
            }
            table.close();
        }
        report(qPrintable(QStringLiteral("build the catalogue (%1 books, insert + post each)").arg(books)),
               t);
        const qint64 size = QFileInfo(data + "/VazonS.dbf").size() + QFileInfo(data + "/VazonS.mdx").size();
        std::printf("%-58s %9.1f MB\n", "catalogue size (.dbf + .mdx)", double(size) / 1e6);

        // What a catalogue window does on opening, then a full pass.
        t.restart();
        qint64 checksum = 0;
        {
            dbase::Table table;
            openIn(table, data, "VazonS.dbf");
            table.setOrder("CISLO");
            for (table.first(); !table.eof(); table.next()) {
                checksum += table.fieldText("NAZEV").size() + table.fieldText("AUTOR").size()
                            + table.fieldText("CISLO").size();
            }
            report("open + order by CISLO + scan all (NAZEV, AUTOR, CISLO)", t, "< 150 ms");

            t.restart();
            table.setOrder("NAZEV");
            report("order by NAZEV", t);

            t.restart();
            table.setFilter("DRUH = 'Fantasy'");
            table.setFiltered(true);
            int fantasy = 0;
            for (table.first(); !table.eof(); table.next())
                ++fantasy;
            report(qPrintable(QStringLiteral("filter DRUH = 'Fantasy' + scan (%1 books)").arg(fantasy)), t);
            table.setFiltered(false);
            table.close();
        }

        // The auxiliary table: every titled book copied as the search's
        // build does it into a VazonI made from its template.
        t.restart();
        int copied = 0;
        {
            for (const char *suffix : {".dbf", ".dbt", ".mdx"})
                QFile::remove(data + "/VazonI" + suffix);
            restoreTemplate(root, "VazonI");
            dbase::Table source;
            openIn(source, data, "VazonS.dbf");
            dbase::Table target;
            openIn(target, data, "VazonI.DBF");
            copied = core::copyTitledBooks(source, target);
            report(qPrintable(QStringLiteral("copy %1 titled books into VazonI").arg(copied)), t, "< 1 s");
            t.restart();
            target.close();
            source.close();
            report("close VazonI (writes its 8 index tags)", t);
        }
        // What a report does first with the fresh copy.
        {
            t.restart();
            dbase::Table copy;
            openIn(copy, data, "VazonI.dbf");
            report("open the fresh VazonI", t);
            t.restart();
            copy.setOrder("NAZEV");
            copy.first();
            report("first order by NAZEV on the fresh copy", t);
            t.restart();
            copy.setOrder("AUTORNAZEV");
            copy.first();
            report("first order by AUTORNAZEV on the fresh copy", t);
        }

        // The CSV export as a user runs it.
        t.restart();
        QProcess exporter;
        exporter.setStandardOutputFile(QProcess::nullDevice());
        exporter.start(QStringLiteral(ORDEX_DBF), {"export", data + "/VazonS.dbf", "--order", "NAZEV"});
        exporter.waitForFinished(600000);
        std::printf("%-58s %9.1f ms\n", "ordex-dbf export --order NAZEV (process, to /dev/null)", t.wallMs());
        if (exporter.exitCode() != 0)
            std::fprintf(stderr, "ordex-dbf export failed: %s\n", exporter.readAllStandardError().constData());

        std::printf("(checksum %lld)\n", checksum);
        if (!keep.isEmpty())
            std::printf("catalogue kept in %s\n", qPrintable(data));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench-dbase: %s\n", e.what());
        return 1;
    }
    return 0;
}
