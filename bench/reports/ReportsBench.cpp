// The reports on a large catalogue, timed the way a user meets them:
// "Úplný seznam" to the first page of the preview on screen (with the
// rebuild of the auxiliary table, and without it), the next page and the
// last page in the preview, and ordex-report writing the alphabetical list
// to PDF, with the file's size and the peak memory of each.

#include "LargeCatalogue.h"
#include "common/BenchProgram.h"

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/GenreChoice.h"
#include "core/SharedPrinter.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "reportengine/PreviewWindow.h"
#include "reports/ReportForm.h"
#include "reports/Vysledek1Dialog.h"
#include "reports/ReportRunner.h"
#include "reports/Reports.h"
#include "reports/NahledDialog.h"
#include "reports/SubDialog.h"
#include "widgets/OfficeLabel.h"
#include "core/SearchCopy.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTreeWidget>

#include <sys/resource.h>

#include <cstdio>

namespace {

long rssKiB()
{
    long kib = 0;
    if (FILE *f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmRSS: %ld", &kib) == 1)
                break;
        std::fclose(f);
    }
    return kib;
}

long peakKiB(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

// Processor time of this process (or of its finished children), in ms:
// on a busy machine it tells the work apart from the waiting.
double cpuMs(int who = RUSAGE_SELF)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void say(const char *format, double value)
{
    std::printf(format, value);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int books = 100000;
    const QStringList args = app.arguments();
    if (const int i = int(args.indexOf(QStringLiteral("--books"))); i > 0 && i + 1 < args.size())
        books = args.at(i + 1).toInt();

    benchdata::BenchProgram program([books](const QString &root) { benchdata::fillProgramDirectory(root, books); });
    core::DataModule &data = program.data;
    core::AppSettings &settings = program.settings;
    benchdata::QuietShell &shell = program.shell;
    shell.slot = 1;
    core::SharedPrinter printer;
    core::GenreChoice genre;
    reports::ReportForm form(reports::ReportKind::Title);
    reports::ReportRunner runner(data.searchCopy().table(), [&genre] { return genre.genre(); },
                                 [&printer] { return printer.printer(); });
    std::printf("%d books\n", books);
    // --pdf-only: only ordex-report's PDF; --keep DIR: the catalogue's data
    // folder and the PDF are copied there, to compare or profile the tool.
    const bool pdfOnly = args.contains(QStringLiteral("--pdf-only"));
    QString keep;
    if (const int i = int(args.indexOf(QStringLiteral("--keep"))); i > 0 && i + 1 < args.size())
        keep = args.at(i + 1);

    // ordex-report first, while this process is still small: a child's peak
    // memory counts what it had before it became the tool, and a fork of
    // this process after the previews would report the bench's own size.
    const bool shotsOnly = args.indexOf(QStringLiteral("--shots")) > 0;
    if (!shotsOnly) {
        const QString pdf = program.temp.filePath(QStringLiteral("seznam.pdf"));
        QElapsedTimer clock;
        clock.start();
        QProcess tool;
        tool.start(QStringLiteral(ORDEX_REPORT_EXE),
                   {program.dir.dataDir() + core::bookTableFile(1), QStringLiteral("--report"),
                    QStringLiteral("title"), QStringLiteral("-o"), pdf});
        tool.waitForFinished(600000);
        const double pdfMs = double(clock.nsecsElapsed()) / 1e6;
        if (tool.exitCode() != 0) {
            std::fprintf(stderr, "ordex-report failed: %s\n", tool.readAllStandardError().constData());
            return 1;
        }
        std::printf("ordex-report title short to PDF:                     %8.1f ms (processor %.1f ms)\n", pdfMs,
                    cpuMs(RUSAGE_CHILDREN));
        std::printf("PDF size: %.1f MiB, peak memory of ordex-report: %ld MiB\n",
                    double(QFileInfo(pdf).size()) / (1024.0 * 1024.0), peakKiB(RUSAGE_CHILDREN) / 1024);
        if (!keep.isEmpty()) {
            QDir().mkpath(keep + QStringLiteral("/data"));
            const QDir data(program.dir.dataDir());
            for (const QString &name : data.entryList(QDir::Files))
                QFile::copy(data.filePath(name), keep + QStringLiteral("/data/") + name);
            QFile::remove(keep + QStringLiteral("/seznam.pdf"));
            QFile::copy(pdf, keep + QStringLiteral("/seznam.pdf"));
        }
    }
    if (pdfOnly)
        return 0;

    // --shots DIR: a picture of the preview window of every report at every level.
    if (const int i = int(args.indexOf(QStringLiteral("--shots"))); i > 0 && i + 1 < args.size()) {
        const QString folder = args.at(i + 1);
        if (!data.searchCopy().rebuild(1, settings, shell))
            return 1;
        struct Shot { reports::ReportKind kind; reports::ListDetail detail; const char *name; };
        const Shot shots[] = {
            {reports::ReportKind::Title, reports::ListDetail::Short, "title-short"},
            {reports::ReportKind::Title, reports::ListDetail::Extended, "title-extended"},
            {reports::ReportKind::Title, reports::ListDetail::Full, "title-full"},
            {reports::ReportKind::Number, reports::ListDetail::Short, "number-short"},
            {reports::ReportKind::Number, reports::ListDetail::Extended, "number-extended"},
            {reports::ReportKind::Number, reports::ListDetail::Full, "number-full"},
            {reports::ReportKind::Authors, reports::ListDetail::Short, "authors"},
            {reports::ReportKind::Author, reports::ListDetail::Short, "author"},
        };
        for (const Shot &shot : shots) {
            reports::ReportForm f(shot.kind);
            f.setDetail(shot.detail);
            if (shot.kind == reports::ReportKind::Author) {
                data.openTable(5);
                reports::ReportForm::restrictToAuthor(data.searchCopy().table(), QStringLiteral("Karel Čapek"));
                f.setHeading(QStringLiteral("Karel Čapek"));
            }
            runner.setPreviewHook([&](QWidget *window) {
                window->resize(900, 1000);
                QApplication::processEvents();
                static_cast<reportengine::PreviewWindow *>(window)->fitWidth();
                QApplication::processEvents();
                window->grab().save(folder + QLatin1Char('/') + QLatin1String(shot.name) + QStringLiteral(".png"));
            });
            runner.preview(f);
        }
        // The dialogs on the way to a report.
        reports::Reports owner({data, settings, shell, genre, printer});
        owner.showSelection(1, true);
        owner.selectionDialog()->grab().save(folder + QStringLiteral("/NahledDialog.png"));
        owner.selectionDialog()->findChild<widgets::OfficeLabel *>(QStringLiteral("OfficeLabel1"))->clicked();
        owner.titleDialog()->grab().save(folder + QStringLiteral("/AbecedaDialog.png"));
        owner.titleDialog()->close();
        owner.selectionDialog()->close();
        owner.authorPicker()->setModeMark(QStringLiteral("T"));
        owner.authorPicker()->show();
        owner.authorPicker()->tree()->setCurrentItem(owner.authorPicker()->tree()->topLevelItem(2));
        owner.authorPicker()->grab().save(folder + QStringLiteral("/Vysledek1Dialog.png"));
        owner.authorPicker()->close();
        return 0;
    }

    long before = 0;
    long during = 0;
    double firstPageCpu = 0;
    double firstPage = 0, nextPage = 0, lastPage = 0;
    int pages = 0;
    bool painted = false;
    for (const bool withBuild : {true, false}) {
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = cpuMs();
        if (!withBuild)
            before = rssKiB(); // the program with its tables open, before the preview
        if (withBuild) {
            settings.setAuxiliarySlot(0);
            if (!data.searchCopy().rebuild(1, settings, shell))
                return 1;
        }
        form.setDetail(reports::ListDetail::Full);
        runner.setPreviewHook([&](QWidget *window) {
            auto *preview = static_cast<reportengine::PreviewWindow *>(window);
            auto *view = preview->pageView();
            // The first page on screen: painted into the view's picture and shown.
            view->pageImage();
            view->repaint();
            firstPage = double(clock.nsecsElapsed()) / 1e6;
            firstPageCpu = cpuMs() - cpuStart;
            painted = !view->pageImage().isNull();
            pages = preview->findChild<QObject *>(QStringLiteral("PreviewPage"))->property("maximum").toInt();
            QElapsedTimer step;
            step.start();
            preview->goToPage(1);
            view->pageImage();
            view->repaint();
            nextPage = double(step.nsecsElapsed()) / 1e6;
            step.restart();
            preview->goToPage(pages - 1);
            view->pageImage();
            view->repaint();
            lastPage = double(step.nsecsElapsed()) / 1e6;
            during = std::max(during, rssKiB());
        });
        runner.preview(form);
        std::printf(withBuild ? "preview, Úplný seznam, first page with the build:    %8.1f ms (processor %.1f ms)\n"
                              : "preview, Úplný seznam, first page without the build: %8.1f ms (processor %.1f ms)\n",
                    firstPage, firstPageCpu);
        std::fflush(stdout);
    }
    std::printf("preview pages: %d, first page painted: %s\n", pages, painted ? "yes" : "no");
    {
        // The grouped report walks the author of every book to find its pages.
        reports::ReportForm authors(reports::ReportKind::Authors);
        QElapsedTimer clock;
        clock.start();
        double shown = 0;
        runner.setPreviewHook([&](QWidget *window) {
            auto *view = static_cast<reportengine::PreviewWindow *>(window)->pageView();
            view->pageImage();
            view->repaint();
            shown = double(clock.nsecsElapsed()) / 1e6;
        });
        runner.preview(authors);
        say("preview, all authors, first page without the build:  %8.1f ms\n", shown);
    }
    say("preview, next page:                                  %8.1f ms\n", nextPage);
    say("preview, last page:                                  %8.1f ms\n", lastPage);
    std::printf("preview memory: %ld MiB with the tables open, %ld MiB while the preview is open (+%ld MiB)\n",
                before / 1024, during / 1024, (during - before) / 1024);
    return painted && pages > 0 ? 0 : 1;
}
