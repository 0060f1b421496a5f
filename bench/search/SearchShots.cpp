// Screenshots of the search windows on a small catalogue with Czech names,
// for looking at them: run under a virtual X display (Xvfb), writes PNG
// files of the whole screen into OUT_DIR.
//
//   search_shots OUT_DIR
//
// find.png, pomocna-struck.png, progress.png, pomocna.png, results-authors.png,
// results-authors-end.png

#include "common/BenchProgram.h"

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "widgets/ProgressWindow.h"
#include "search/NajitDialog.h"
#include "search/PomocnaDialog.h"
#include "search/ResultTree.h"
#include "search/Searches.h"
#include "search/VysledekDialog.h"
#include "widgets/OfficeLabel.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTreeView>

namespace {

// Where the assistant would put a dialog above itself, at its home place.
void placeAboveTheAssistant(QWidget *dialog)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    dialog->move(screen.width() - 116 + 104 - dialog->width() - 38, screen.height() - 134 - dialog->height() + 30);
}

void shoot(const QString &file)
{
    QTest::qWait(400);
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    benchdata::BenchProgram program;
    core::AppSettings &settings = program.settings;
    core::DataModule &data = program.data;
    benchdata::QuietShell &shell = program.shell;
    shell.placeAbove = placeAboveTheAssistant;

    data.openTable(1);
    dbase::Table *t = data.bookTable(1);
    const QList<QStringList> books = {
        {"Zeyer Julius", "Jan Maria Plojhar"}, {"Čapek Karel", "Krakatit"}, {"Čapek Karel", "Válka s mloky"},
        {"Cibulka Aleš", "Zlatý déšť"},        {"Řezáč Václav", "Nástup"},  {"Rais Karel Václav", "Zapadlí vlastenci"},
        {"Šotola Jiří", "Tovaryšstvo Ježíšovo"}, {"Svěrák Zdeněk", "Povídky"}, {"Žáček Jiří", "Kolik má Praha věží"},
        {"Zábrana Jan", "Celý život"},         {"Hašek Jaroslav", "Osudy dobrého vojáka Švejka"},
        {"Chaloupka Otakar", "Ve stínu žraloka"}, {"Dvořák Jan", "O'Neillův deník"}, {"Čech Svatopluk", "Hanuman"},
        {"Šimek Miloslav", "Besídka"},          {"Řehoř Jan", "Údolí"},
    };
    int number = 1;
    for (const QStringList &b : books) {
        t->insert();
        t->setFieldText(QStringLiteral("AUTOR"), b[0]);
        t->setFieldText(QStringLiteral("NAZEV"), b[1]);
        t->setFieldText(QStringLiteral("CISLO"), QString::number(number++));
        t->post();
    }

    search::Searches searches({data, settings, shell});
    searches.showFindDialog(1);
    shoot(out + QStringLiteral("/find.png"));

    QTest::mouseClick(searches.findDialog()->entry(3), Qt::LeftButton, {}, QPoint(10, 10));
    shoot(out + QStringLiteral("/pomocna-struck.png"));

    {
        auto *progress = new widgets::ProgressWindow(widgets::ProgressWindow::Kind::SearchCopy,
                                                     QStringLiteral("Probíhá separace dat"), shell);
        progress->setRange(100);
        progress->setPosition(45);
        progress->show();
        shoot(out + QStringLiteral("/progress.png"));
        progress->close();
    }

    QTest::mouseClick(searches.pomocnaDialog()->findChild<QWidget *>(QStringLiteral("OfficeLabel1")),
                      Qt::LeftButton, {}, QPoint(10, 8));
    shoot(out + QStringLiteral("/pomocna.png"));

    QTest::mouseClick(searches.pomocnaDialog()->findChild<QWidget *>(QStringLiteral("OfficeLabel2")),
                      Qt::LeftButton, {}, QPoint(10, 8));
    search::VysledekDialog *results = searches.resultsDialog();
    QTreeView *view = results->view();
    view->expandAll();
    view->setCurrentIndex(results->tree()->index(1, 0).model()->index(0, 0, results->tree()->index(1, 0)));
    shoot(out + QStringLiteral("/results-authors.png"));
    view->collapseAll();
    view->scrollToBottom();
    shoot(out + QStringLiteral("/results-authors-end.png"));
    return 0;
}
