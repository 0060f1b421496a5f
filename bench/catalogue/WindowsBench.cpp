// How the catalogue windows of the real program cope with a large catalogue.
// A whole program (main window, dialogs, assistant) runs offscreen on a
// temporary program directory whose standard catalogue and optional
// catalogue 1 hold N books each (100,000 unless told):
//
//   open   "Otevřít databázi..." (MS2) -> OtevreniDialog -> a click on the
//          catalogue's entry -> progress window -> catalogue window shown and
//          painted, the command states refreshed; several rounds, the window
//          closed between them, then the second catalogue beside the first;
//   F7     key presses on the main window stepping the active catalogue one
//          book on, each until the window has shown and painted the book and
//          the commands are refreshed: median, 99th percentile and maximum.
//
//   bench_catalogue_windows [--books N] [--steps N] [--rounds N]
//   bench_catalogue_windows --fill PROGRAM_DIR [--books N]
//
// --fill writes the two catalogues into an existing program directory and
// names optional catalogue 1, for running the real executable on them
// (idle-cpu.sh). Exit status 1 when a step did not do what it should.

#include "LargeCatalogue.h"
#include "ProgramLayout.h"

#include "app/HlavniDialog.h"
#include "app/ProgramContext.h"
#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "catalogue/OtevreniDialog.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/SuiteSettings.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"
#include "widgets/OfficeLabel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {

double ms(qint64 nsecs)
{
    return double(nsecs) / 1e6;
}

void fail(const char *what)
{
    std::fprintf(stderr, "FAILED: %s\n", what);
    std::exit(1);
}

// Runs everything the last step left behind: posted events, the coalesced
// refresh of the main window and the repaint of what changed.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Counts the paints of one widget, to be sure a step was shown.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// One opening the way the user does it. Returns {dialog shown, click to
// window shown} in milliseconds.
std::pair<double, double> openThroughDialog(app::ProgramContext &program, int slot)
{
    app::HlavniDialog *main = program.mainWindow();
    catalogue::Catalogues *catalogues = program.catalogues();
    QElapsedTimer clock;
    clock.start();
    main->command(QStringLiteral("MS2"))->trigger();
    settle();
    const qint64 dialogUp = clock.nsecsElapsed();
    catalogue::OtevreniDialog *dialog = catalogues->openDialog();
    if (!dialog->isVisible())
        fail("the open dialog did not show");
    auto *entry = dialog->findChild<widgets::OfficeLabel *>(QStringLiteral("OfficeLabel%1").arg(slot));
    if (!entry || !entry->isEnabled())
        fail("the catalogue's entry is not available");

    clock.restart();
    QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(10, 10));
    settle();
    const qint64 opened = clock.nsecsElapsed();
    catalogue::CatalogueWindow *window = catalogues->window(slot);
    if (!window || !window->isVisible() || main->activeSlot() != slot)
        fail("the catalogue window is not shown and active");
    if (!main->isEnabled())
        fail("the main window stayed disabled after the opening");
    return {ms(dialogUp), ms(opened)};
}

// CPU time of this thread, to tell a slow step from one the machine's other
// work held up (the wall time then exceeds the CPU time).
qint64 threadCpuNsecs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Steps
{
    std::vector<double> times;    // wall ms per step
    std::vector<double> cpuTimes; // CPU ms of the same steps
    int unpainted = 0;
};

// F7 on the main window, steps times, on the active catalogue window.
Steps stepWithF7(app::ProgramContext &program, int steps)
{
    app::HlavniDialog *main = program.mainWindow();
    main->activateWindow();
    QApplication::setActiveWindow(main);
    settle();
    catalogue::CatalogueWindow *window = program.catalogues()->activeWindow();
    if (!window)
        fail("no active catalogue window");
    dbase::Table *table = window->table();
    auto *title = window->findChild<QLineEdit *>(QStringLiteral("J1"));
    auto *number = window->findChild<QLineEdit *>(QStringLiteral("C1"));
    // A step is shown when the number, title or author edit repainted (a
    // neighbour may share one or two of them, never all three).
    auto *author = window->findChild<QLineEdit *>(QStringLiteral("A1"));
    PaintCounter painted;
    for (QWidget *w : {static_cast<QWidget *>(number), static_cast<QWidget *>(title), static_cast<QWidget *>(author)})
        w->installEventFilter(&painted);
    QAction *next = main->command(QStringLiteral("PNa3"));

    Steps result;
    result.times.reserve(size_t(steps));
    QString previousTitle = title->text();
    QString previousNumber = number->text();
    QString previousAuthor = author->text();
    for (int i = 0; i < steps; ++i) {
        const quint32 before = table->recNo();
        const int paintsBefore = painted.paints;
        QElapsedTimer clock;
        const qint64 cpu = threadCpuNsecs();
        clock.start();
        QTest::keyClick(main, Qt::Key_F7);
        settle();
        result.times.push_back(ms(clock.nsecsElapsed()));
        result.cpuTimes.push_back(ms(threadCpuNsecs() - cpu));
        if (table->recNo() == before) {
            std::fprintf(stderr, "step %d: active window %s, focus %s\n", i + 1,
                         qPrintable(QApplication::activeWindow() ? QApplication::activeWindow()->objectName()
                                                                 : QStringLiteral("none")),
                         qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                                : QStringLiteral("none")));
            fail("F7 did not move to the next book");
        }
        if (title->text() != table->fieldText(QStringLiteral("NAZEV"))
            || number->text() != table->fieldText(QStringLiteral("CISLO")))
            fail("the window does not show the current book");
        if (!next->isEnabled() && !table->eof())
            fail("the next-record command is off in the middle of the catalogue");
        const bool sameLook = title->text() == previousTitle && number->text() == previousNumber
                              && author->text() == previousAuthor;
        if (painted.paints == paintsBefore && !sameLook)
            ++result.unpainted;
        previousTitle = title->text();
        previousNumber = number->text();
        previousAuthor = author->text();
    }
    for (QWidget *w : {static_cast<QWidget *>(number), static_cast<QWidget *>(title), static_cast<QWidget *>(author)})
        w->removeEventFilter(&painted);
    return result;
}

void printSteps(const char *what, Steps steps)
{
    std::vector<double> &t = steps.times;
    std::vector<double> &c = steps.cpuTimes;
    const size_t slowest = size_t(std::max_element(t.begin(), t.end()) - t.begin());
    const double slowestCpu = c[slowest];
    std::sort(t.begin(), t.end());
    std::sort(c.begin(), c.end());
    const size_t p99 = std::min(t.size() - 1, t.size() * 99 / 100);
    double sum = 0;
    for (double v : t)
        sum += v;
    std::printf("%-52s median %.3f ms, mean %.3f ms, p99 %.3f ms, max %.3f ms (target < 5 ms each)\n", what,
                t[t.size() / 2], sum / double(t.size()), t[p99], t.back());
    std::printf("%-52s median %.3f ms, p99 %.3f ms, max %.3f ms; the slowest step used %.3f ms\n",
                "  CPU time of the same steps", c[c.size() / 2], c[p99], c.back(), slowestCpu);
    if (steps.unpainted > 0)
        std::printf("  (%d steps were not painted before the next)\n", steps.unpainted);
}

} // namespace

// The offscreen platform and a machine without sound say so on every
// window; anything else is worth seeing.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg
        && (message.startsWith(QLatin1String("This plugin does not support"))
            || message == QLatin1String("No audio device detected")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietMessages);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each figure as soon as it is measured
    // Windows repaint on the next turn of the event loop instead of after the
    // platform's 5 ms pause, so a step's time holds its painting and not
    // the pause.
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication application(argc, argv);
    int books = 100000;
    int steps = 1000;
    int rounds = 5;
    QString fillDir;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--books") && hasValue)
            books = args.at(++i).toInt();
        else if (a == QLatin1String("--steps") && hasValue)
            steps = args.at(++i).toInt();
        else if (a == QLatin1String("--rounds") && hasValue)
            rounds = args.at(++i).toInt();
        else if (a == QLatin1String("--fill") && hasValue)
            fillDir = args.at(++i);
        else {
            std::fprintf(stderr, "usage: %s [--books N] [--steps N] [--rounds N] | --fill PROGRAM_DIR [--books N]\n",
                         argv[0]);
            return 2;
        }
    }
    if (books < 2) {
        std::fprintf(stderr, "need at least 2 books\n");
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    if (!fillDir.isEmpty()) {
        try {
            benchdata::fillProgramDirectory(QDir(fillDir).absolutePath(), books);
        } catch (const std::exception &error) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(fillDir), error.what());
            return 1;
        }
        std::printf("wrote 2 catalogues of %d books into %s in %.0f ms\n", books, qPrintable(fillDir),
                    ms(clock.nsecsElapsed()));
        return 0;
    }

    if (steps < 1 || rounds < 1 || steps >= books) {
        std::fprintf(stderr, "need more books than steps, at least one step and one round\n");
        return 2;
    }
    QTemporaryDir temp;
    try {
        layOutProgramDirectory(temp.path(), LayoutMode::Fresh);
        benchdata::fillProgramDirectory(temp.path(), books);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("%-52s %.0f ms\n", qPrintable(QStringLiteral("write 2 catalogues of %1 books").arg(books)),
                ms(clock.nsecsElapsed()));

    app::ProgramContext program(platform::ProgramDirectory(temp.path()),
                                QStringLiteral("OrdexBench-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    program.start();
    settle();
    app::HlavniDialog *main = program.mainWindow();
    if (!main || !main->isVisible())
        fail("the main window did not show");

    std::vector<double> opens;
    for (int round = 0; round < rounds; ++round) {
        const auto [dialog, open] = openThroughDialog(program, 1);
        std::printf("open the standard catalogue, round %d%*s dialog %.1f ms, click to window %.1f ms\n",
                    round + 1, round + 1 < 10 ? 17 : 16, "", dialog, open);
        opens.push_back(open);
        if (round + 1 < rounds) {
            if (!program.catalogues()->window(1)->requestClose())
                fail("the catalogue window did not close");
            settle();
        }
    }
    std::sort(opens.begin(), opens.end());
    std::printf("%-52s median %.1f ms, max %.1f ms (target < 500 ms)\n", "open from the dialog",
                opens[opens.size() / 2], opens.back());

    // The table engine's share of an opening: the same table opened, put in
    // catalogue-number order and on its first book, without any window.
    std::vector<double> engineOpens;
    for (int round = 0; round < rounds; ++round) {
        core::DataModule data{platform::ProgramDirectory(temp.path())};
        QElapsedTimer engineClock;
        engineClock.start();
        data.openTable(2);
        data.bookTable(2)->first();
        engineOpens.push_back(ms(engineClock.nsecsElapsed()));
    }
    std::sort(engineOpens.begin(), engineOpens.end());
    std::printf("%-52s median %.1f ms, max %.1f ms\n", "  of which the table engine's open, order and first",
                engineOpens[engineOpens.size() / 2], engineOpens.back());

    printSteps("F7 on the main window, one catalogue open", stepWithF7(program, steps));

    const auto [dialog2, open2] = openThroughDialog(program, 2);
    std::printf("%-52s dialog %.1f ms, click to window %.1f ms\n", "open optional catalogue 1 beside it", dialog2,
                open2);
    printSteps("F7 on the main window, two catalogues open", stepWithF7(program, steps));
    return 0;
}
