// How the search copes with a large catalogue. The standard catalogue of a
// temporary program directory holds N books (100,000 unless told) with
// Czech titles, authors and publishers; the catalogue is open as its window
// would have it. Measured:
//
//   build      the search copy rebuild (progress window, template, copy, index);
//   tree k     VysledekDialog::start for keys 1, 2, 3 and 6: the copy opened
//              afresh, the tree filled (and sorted for 2 and 3), the window
//              shown and painted;
//   show       a hit selected and "Zobrazit": the catalogue on the book;
//   idle       CPU time of the process while the results window is up and
//              nothing happens.
//
//   bench_search [--books N] [--idle-ms MS]
//
// Exit status 1 when a step did not do what it should.

#include "LargeCatalogue.h"
#include "common/BenchProgram.h"

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "core/SearchCopy.h"
#include "search/ResultTree.h"
#include "search/VysledekDialog.h"
#include "widgets/OfficeButton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>

#include <sys/resource.h>

#include <cstdio>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int fail(const char *what)
{
    std::fprintf(stderr, "FAILED: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int books = 100000;
    int idleMs = 3000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--books"))
            books = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--idle-ms"))
            idleMs = args[i + 1].toInt();
    }

    QElapsedTimer clock;
    benchdata::BenchProgram program([books, &clock](const QString &root) {
        clock.start();
        benchdata::writeBooks(root + QStringLiteral("Data"), core::bookTableFile(1), books, 4242u);
        std::printf("catalogue of %d books written in %.0f ms\n", books, double(clock.elapsed()));
        std::fflush(stdout);
    });
    core::AppSettings &settings = program.settings;
    core::DataModule &data = program.data;
    benchdata::QuietShell &shell = program.shell;
    data.openTable(1);
    data.bookTable(1)->first();

    // Wall time and the process's CPU time: on a machine shared with other
    // work the second says what the program itself needs.
    clock.restart();
    double cpu = cpuSeconds();
    if (!data.searchCopy().rebuild(1, settings, shell))
        return fail(qPrintable(shell.errors.join(QLatin1Char(' '))));
    std::printf("build of the search copy: %.0f ms (CPU %.0f ms)\n", double(clock.elapsed()),
                (cpuSeconds() - cpu) * 1000);
    std::fflush(stdout);
    if (settings.auxiliarySlot() != 1)
        return fail("marker");

    search::VysledekDialog results(data, shell);
    for (int k : {1, 2, 3, 6}) {
        clock.restart();
        cpu = cpuSeconds();
        if (!results.start(k, 1, QStringLiteral("Vyhledávání")))
            return fail("results window");
        results.repaint();
        const double ms = double(clock.elapsed());
        std::printf("tree for key %d: %.0f ms (CPU %.0f ms; %d nodes, %d at the top)\n", k, ms,
                    (cpuSeconds() - cpu) * 1000, results.tree()->nodeCount(), results.tree()->rowCount());
        std::fflush(stdout);
        if (results.tree()->rowCount() == 0)
            return fail("empty tree");
        if (k != 3)
            results.close();
    }

    // "Zobrazit" on a few hits of the author tree, each from the book table's far end.
    QTreeView *view = results.view();
    search::ResultTree *tree = results.tree();
    dbase::Table *catalogue = data.bookTable(1);
    double worst = 0;
    double worstCpu = 0;
    for (int round = 0; round < 5; ++round) {
        if (!results.isVisible() && !results.start(3, 1, QStringLiteral("Vyhledávání")))
            return fail("results window");
        const QModelIndex author = tree->index((round * 37) % tree->rowCount(), 0);
        const QModelIndex title = tree->index((round * 11) % tree->rowCount(author), 0, author);
        catalogue->last();
        clock.restart();
        cpu = cpuSeconds();
        view->selectionModel()->setCurrentIndex(title, QItemSelectionModel::ClearAndSelect);
        if (!results.showSelectedHit())
            return fail("Zobrazit");
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        worst = std::max(worst, ms);
        worstCpu = std::max(worstCpu, (cpuSeconds() - cpu) * 1000);
        if (catalogue->fieldText(QStringLiteral("NAZEV")) != title.data().toString()
            || catalogue->fieldText(QStringLiteral("AUTOR")) != author.data().toString())
            return fail("the book shown is not the hit");
    }
    std::printf("from \"Zobrazit\" to the book: %.1f ms at most of 5 (CPU %.1f ms)\n", worst, worstCpu);

    // The results window up, nothing happening.
    if (!results.start(3, 1, QStringLiteral("Vyhledávání")))
        return fail("results window");
    app.processEvents();
    const double before = cpuSeconds();
    QTimer::singleShot(idleMs, &app, &QCoreApplication::quit);
    app.exec();
    const double used = cpuSeconds() - before;
    std::printf("idle with the results window up: %.1f ms CPU in %d ms (%.2f %%)\n", used * 1000, idleMs,
                used * 100000 / idleMs);
    return 0;
}
