// How quickly a catalogue window follows its table: opening a large
// catalogue, stepping through every book with the controls following, and
// adding books through the window. Prints one line per measurement.

#include "support/FakeShell.h"
#include "support/Typing.h"

#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

void fill(const QString &dataDir, int count)
{
    dbase::Table table;
    table.setDatabaseName(dataDir);
    table.setTableName(core::bookTableFile(1));
    table.open();
    for (int i = 0; i < count; ++i) {
        table.insert();
        table.setFieldText(QStringLiteral("CISLO"), QString::number(count - i));
        table.setFieldText(QStringLiteral("NAZEV"), QStringLiteral("Kniha číslo %1").arg(i));
        table.setFieldText(QStringLiteral("AUTOR"), QStringLiteral("Autor %1").arg(i % 97));
        table.setFieldText(QStringLiteral("POZNAMKA"), QStringLiteral("Poznámka ke knize"));
        table.post();
    }
    table.close();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5000;
    QTextStream out(stdout);

    QTemporaryDir temp;
    const QString root = temp.path() + QLatin1Char('/');
    QDir().mkpath(root + QStringLiteral("Data"));
    core::AppSettings::writeFactoryFile(root + QStringLiteral("Ordex2000.ini"));
    dbase::createTable(root + QStringLiteral("Data/") + core::bookTableFile(1), core::bookFields(),
                       core::bookTags(), true);

    QElapsedTimer clock;
    clock.start();
    fill(root + QStringLiteral("Data"), count);
    out << "fill " << count << " books: " << clock.elapsed() << " ms\n";

    platform::ProgramDirectory dir(root);
    core::AppSettings settings(dir);
    core::DataModule data(dir);
    FakeShell main{FakeShell::Frame::Shown};
    catalogue::Catalogues catalogues({data, settings, main, main.area});

    clock.restart();
    catalogue::CatalogueWindow *window = catalogues.open(1);
    out << "open the catalogue window: " << clock.elapsed() << " ms\n";
    if (!window)
        return 1;

    auto *title = window->findChild<QLineEdit *>(QStringLiteral("J1"));
    clock.restart();
    int moves = 0;
    while (window->state() != core::CatalogueState::AtLast) {
        window->next();
        ++moves;
    }
    const qint64 paging = clock.nsecsElapsed();
    out << "step through " << moves << " books: " << paging / 1000000 << " ms, "
        << paging / 1000 / qMax(1, moves) << " us per move (last title " << title->text() << ")\n";

    const int added = 200;
    clock.restart();
    for (int i = 0; i < added; ++i) {
        window->newRecord();
        typeText(window->findChild<QLineEdit *>(QStringLiteral("C1")), QString::number(i));
        typeText(title, QStringLiteral("Nová kniha"));
        window->saveRecord();
    }
    const qint64 adding = clock.nsecsElapsed();
    out << "add " << added << " books through the window: " << adding / 1000000 << " ms, "
        << adding / 1000 / added << " us per book\n";
    return 0;
}
