// bench-dbase: builds a catalogue of 100,000 books from the empty template
// and times what the program does with it: opening and scanning it, the
// orders and the genre filter, the copy into the auxiliary table that every
// search and report starts with, and the CSV export of ordex-dbf.
//
//   bench-dbase [--books N] [--keep FOLDER] [--repeat N] [--only STEP]
//
// --keep leaves the catalogue in FOLDER (for comparing other dBASE readers).
// --repeat runs each timed step on the finished catalogue N times and
// reports the fastest run, which is also the way to profile one step
// (perf record ... bench-dbase --repeat 50 --only scan); --only runs one
// of the steps scan, copy, orders and export after the catalogue is built.
// Each step is set against its limit measured in the same run: the scan
// against reading the .dbf once into memory, the export against pgdbf.

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

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
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

// The fastest of repeat runs of step, in wall time, with its CPU time.
struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

// The same with an untimed preparation before each run.
template<typename Prepare, typename Step>
Timing fastest(int repeat, Prepare prepare, Step step)
{
    Timing best;
    for (int i = 0; i < repeat; ++i) {
        prepare();
        Clock c;
        step();
        if (i == 0 || c.wallMs() < best.wallMs)
            best = {c.wallMs(), c.cpuMs()};
    }
    return best;
}

template<typename Step>
Timing fastest(int repeat, Step step)
{
    return fastest(repeat, [] {}, step);
}

void report(const char *what, const Timing &t, const char *target = nullptr, double limitMs = 0)
{
    std::printf("%-58s %9.1f ms (CPU %7.1f ms)", what, t.wallMs, t.cpuMs);
    if (limitMs > 0)
        std::printf("  %5.2fx", t.wallMs / limitMs);
    if (target)
        std::printf("   (target %s)", target);
    std::printf("\n");
    std::fflush(stdout);
}

// Reads the whole file once into fresh memory, in large pages where the
// system gives them (in small pages each page fault costs more than the
// copy of its bytes, and the limit would be no limit).
qint64 readWhole(const QString &path, const std::function<void(const char *)> &use = {})
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const size_t size = size_t(QFileInfo(path).size());
    void *p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    qint64 done = 0;
    if (p != MAP_FAILED) {
        ::madvise(p, size, MADV_HUGEPAGE);
        char *buffer = static_cast<char *>(p);
        while (size_t(done) < size) {
            const ssize_t got = ::read(fd, buffer + done, size - size_t(done));
            if (got <= 0)
                break;
            done += got;
        }
        if (use)
            use(buffer);
        ::munmap(p, size);
    }
    ::close(fd);
    return done;
}

// Runs a program with its output to /dev/null; false when it failed.
bool runQuietly(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), p.readAllStandardError().constData());
        return false;
    }
    return true;
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
    int repeat = 1;
    QString only;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == "--books" && i + 1 < args.size())
            books = args.at(++i).toInt();
        else if (args.at(i) == "--keep" && i + 1 < args.size())
            keep = args.at(++i);
        else if (args.at(i) == "--repeat" && i + 1 < args.size())
            repeat = qMax(1, args.at(++i).toInt());
        else if (args.at(i) == "--only" && i + 1 < args.size())
            only = args.at(++i);
        else {
            std::fputs("Použití: bench-dbase [--books N] [--keep SLOŽKA] [--repeat N] [--only KROK]\n", stderr);
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

        // What a catalogue window does on opening, then a full pass, against
        // the plain read of the .dbf that it cannot beat.
        const QString catalogue = data + "/VazonS.dbf";
        auto runs = [&only](const char *step) { return only.isEmpty() || only == QLatin1String(step); };
        qint64 checksum = 0;
        if (runs("scan")) {
            const Timing read = fastest(repeat, [&] { readWhole(catalogue); });
            report("read VazonS.dbf once into memory (the limit)", read);
            const Timing scan = fastest(repeat, [&] {
                checksum = 0;
                dbase::Table table;
                openIn(table, data, "VazonS.dbf");
                table.setOrder("CISLO");
                // As a scan of many records reads them: by index, into buffers used again.
                const int title = table.fieldIndex("NAZEV"), author = table.fieldIndex("AUTOR"),
                          number = table.fieldIndex("CISLO");
                QString a, b, c;
                for (table.first(); !table.eof(); table.next()) {
                    checksum += table.fieldText(title, a).size() + table.fieldText(author, b).size()
                                + table.fieldText(number, c).size();
                }
            });
            report("open + order by CISLO + scan all (NAZEV, AUTOR, CISLO)", scan, "< 1.2x the read", read.wallMs);
            {
                // The floor under any scan in that order of a table read whole:
                // the read, then one byte of each of the three fields of every
                // record touched in number order, with nothing decoded or sorted.
                dbase::Table table;
                openIn(table, data, "VazonS.dbf");
                std::vector<int> offsets;
                for (const char *name : {"NAZEV", "AUTOR", "CISLO"})
                    offsets.push_back(table.fieldOffset(table.fieldIndex(name)));
                const qsizetype length = table.recordBytes().size();
                table.close();
                std::vector<int> byNumber(static_cast<size_t>(books));
                for (int i = 0; i < books; ++i)
                    byNumber[size_t(numbers[size_t(i)] - 1)] = i;
                const Timing touch = fastest(repeat, [&] {
                    readWhole(catalogue, [&](const char *bytes) {
                        const int header = uchar(bytes[8]) | uchar(bytes[9]) << 8;
                        for (int record : byNumber) {
                            const char *r = bytes + header + record * length;
                            for (int offset : offsets)
                                checksum += r[offset];
                        }
                    });
                });
                report("  floor: the read + the fields touched in CISLO order", touch, nullptr, read.wallMs);
            }
            {
                dbase::Table table;
                openIn(table, data, "VazonS.dbf");
                Clock t;
                table.setOrder("NAZEV");
                report("order by NAZEV", t);

                int fantasy = 0;
                report("filter DRUH = 'Fantasy' + scan", fastest(repeat, [&] {
                    table.setFiltered(false);
                    table.setFilter("DRUH = 'Fantasy'");
                    table.setFiltered(true);
                    fantasy = 0;
                    for (table.first(); !table.eof(); table.next())
                        ++fantasy;
                }));
                std::printf("  (%d books of the genre)\n", fantasy);
                table.setFiltered(false);
                table.close();
            }
        }

        // The auxiliary table: every titled book copied as the search's
        // build does it into a VazonI made from its template.
        if (runs("copy") || runs("orders")) {
            int copied = 0;
            Timing closing;
            const Timing copying = fastest(repeat, [&] {
                for (const char *suffix : {".dbf", ".dbt", ".mdx"})
                    QFile::remove(data + "/VazonI" + suffix);
                restoreTemplate(root, "VazonI");
            }, [&] {
                dbase::Table source;
                openIn(source, data, "VazonS.dbf");
                dbase::Table target;
                openIn(target, data, "VazonI.DBF");
                copied = core::copyTitledBooks(source, target);
                Clock c;
                target.close();
                source.close();
                closing = {c.wallMs(), c.cpuMs()};
            });
            report(qPrintable(QStringLiteral("copy %1 titled books into VazonI, with its tags").arg(copied)),
                   copying, "< 400 ms");
            report("close VazonI (after the copy)", closing);
        }

        // What a report does first with the fresh copy: the authors report
        // orders it by AUTORNAZEV straight away, the others by a field.
        if (runs("orders")) {
            report("open the fresh VazonI", fastest(repeat, [&] {
                dbase::Table copy;
                openIn(copy, data, "VazonI.dbf");
            }));
            std::unique_ptr<dbase::Table> copy;
            auto openCopy = [&] {
                copy = std::make_unique<dbase::Table>();
                openIn(*copy, data, "VazonI.dbf");
            };
            report("first order by NAZEV on the fresh copy", fastest(repeat, openCopy, [&] {
                copy->setOrder("NAZEV");
                copy->first();
            }));
            report("first order by AUTORNAZEV on the fresh copy", fastest(repeat, openCopy, [&] {
                copy->setOrder("AUTORNAZEV");
                copy->first();
            }), "< 100 ms");
            report("  the same after an order by NAZEV", fastest(repeat, [&] {
                openCopy();
                copy->setOrder("NAZEV");
            }, [&] {
                copy->setOrder("AUTORNAZEV");
                copy->first();
            }));
            copy.reset();
        }

        // The CSV export as a user runs it, against pgdbf's unsorted export
        // of the same file.
        if (runs("export")) {
            const QStringList exportArgs{"export", catalogue, "--order", "NAZEV"};
            const Timing pgdbf = fastest(repeat, [&] {
                runQuietly(QStringLiteral("pgdbf"), {"-s", "cp1250", catalogue});
            });
            report("pgdbf -s cp1250 (unsorted, process, to /dev/null)", pgdbf);
            report("ordex-dbf export --order NAZEV (process, to /dev/null)",
                   fastest(repeat, [&] { runQuietly(QStringLiteral(ORDEX_DBF), exportArgs); }), "<= 0.5x pgdbf",
                   pgdbf.wallMs);
            report("ordex-dbf export (unsorted)",
                   fastest(repeat, [&] { runQuietly(QStringLiteral(ORDEX_DBF), {"export", catalogue}); }), nullptr,
                   pgdbf.wallMs);
        }

        std::printf("(checksum %lld)\n", checksum);
        if (!keep.isEmpty())
            std::printf("catalogue kept in %s\n", qPrintable(data));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench-dbase: %s\n", e.what());
        return 1;
    }
    return 0;
}
