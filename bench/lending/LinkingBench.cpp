// How long saving a lending card takes from "save" until the link progress
// box has closed, and deleting it until its box has closed, with two address
// books of many persons of whom 20 are the borrower (10 in each). Prints one
// line per measurement and the median of the rounds.

#include "support/FakeShell.h"
#include "support/Typing.h"

#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "catalogue/LendingCard.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>

namespace {

const QString Surname = QStringLiteral("Nováková");
const QString Name = QStringLiteral("Jana");
const QString Street = QStringLiteral("Dlouhá 5");

void fillAddressBook(const QString &dataDir, const QString &file, int persons, int matching)
{
    dbase::createTable(dataDir + file, core::addressBookFields(), core::addressBookTags(), false);
    static const char *const surnames[] = {"Novák", "Svoboda", "Dvořák", "Černý", "Procházka", "Kučera",
                                           "Veselý", "Horák", "Němec", "Pokorný", "Nováková", "Marek"};
    dbase::Table t;
    t.setDatabaseName(dataDir);
    t.setTableName(file);
    t.open();
    const int every = persons / qMax(1, matching);
    int placed = 0;
    for (int i = 0; i < persons; ++i) {
        t.insert();
        const bool match = placed < matching && i % every == every / 2;
        if (match)
            ++placed;
        // Many persons share the borrower's surname but not the rest.
        t.setFieldText(QStringLiteral("PRIJMENI"), match ? Surname : QString::fromUtf8(surnames[i % 12]));
        t.setFieldText(QStringLiteral("JMENO"), match ? Name : QStringLiteral("Jméno %1").arg(i % 300));
        t.setFieldText(QStringLiteral("ULICE1"), match ? Street : QStringLiteral("Ulice %1").arg(i % 700));
        t.setFieldText(QStringLiteral("MESTO1"), QStringLiteral("Město %1").arg(i % 50));
        t.setFieldText(QStringLiteral("PSC1"), QString::number(10000 + i % 80000));
        t.setFieldText(QStringLiteral("EMAIL1"), QStringLiteral("osoba%1@example.cz").arg(i));
        t.setFieldText(QStringLiteral("POZNAMKA"), QStringLiteral("Poznámka k osobě %1").arg(i));
        t.post();
    }
    t.close();
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int persons = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int rounds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 7;
    QTextStream out(stdout);

    QTemporaryDir temp;
    const QString root = temp.path() + QLatin1Char('/');
    const QString data = root + QStringLiteral("Data/");
    QDir().mkpath(data);
    core::AppSettings::writeFactoryFile(root + QStringLiteral("Ordex2000.ini"));
    dbase::createTable(data + core::bookTableFile(1), core::bookFields(), core::bookTags(), true);
    dbase::createTable(data + QString::fromLatin1(core::LendingTableFile), core::lendingFields(),
                       core::lendingTags(), false);

    QElapsedTimer clock;
    clock.start();
    fillAddressBook(data, core::addressBookFile(1), persons, 10);
    fillAddressBook(data, core::addressBookFile(2), persons, 10);
    out << "fill two address books of " << persons << " persons: " << clock.elapsed() << " ms\n";
    out.flush();

    platform::ProgramDirectory dir(root);
    core::AppSettings settings(dir);
    core::DataModule dataModule(dir);
    FakeShell main{FakeShell::Frame::Shown};
    catalogue::Catalogues catalogues({dataModule, settings, main, main.area});
    catalogue::CatalogueWindow *window = catalogues.open(1);
    if (!window)
        return 1;
    window->newRecord();
    typeText(window->findChild<QLineEdit *>(QStringLiteral("C1")), QStringLiteral("12"));
    window->saveRecord();

    auto action = [window](const char *name) { return window->findChild<QAction *>(QString::fromLatin1(name)); };
    auto edit = [window](int n) { return window->findChild<QLineEdit *>(QStringLiteral("DBEdit%1").arg(n)); };
    QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("RxLabel1")), Qt::LeftButton);

    QList<qint64> saves, deletes;
    for (int r = 0; r < rounds; ++r) {
        action("TD3")->trigger();
        edit(2)->setText(QString());
        typeText(edit(2), Surname);
        typeText(edit(1), Name);
        typeText(edit(3), Street);
        clock.restart();
        action("TD4")->trigger(); // returns when the progress box has closed
        const qint64 save = clock.nsecsElapsed() / 1000;
        clock.restart();
        action("TD2")->trigger();
        const qint64 remove = clock.nsecsElapsed() / 1000;
        if (window->lendingCard()->state() != catalogue::LendingCard::State::NoCard) {
            out << "the card did not go back to the empty card\n";
            return 1;
        }
        out << "round " << r + 1 << ": save and link " << save / 1000.0 << " ms, delete and unlink "
            << remove / 1000.0 << " ms\n";
        out.flush();
        saves << save;
        deletes << remove;
    }
    out << "median of " << rounds << " rounds: save and link " << median(saves) / 1000.0
        << " ms, delete and unlink " << median(deletes) / 1000.0 << " ms\n";
    return 0;
}
