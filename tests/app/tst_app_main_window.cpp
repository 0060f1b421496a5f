// The main window driven by object name on a fresh program directory: view
// toggles and their ini keys, toolbar rows, menu refresh, command states,
// hints, the genre menu, window commands, the tip line and the close.

#include "AppFixture.h"

#include "app/CatalogueArea.h"
#include "app/CommandTable.h"
#include "app/MainMenus.h"
#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "catalogue/OtevreniDialog.h"
#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "guidance/IniDialog.h"
#include "guidance/TipyDialog.h"
#include "dbase/Table.h"
#include "platform/FileRules.h"
#include "search/NajitDialog.h"
#include "search/Searches.h"
#include "reports/Reports.h"
#include "reports/NahledDialog.h"
#include "widgets/Balloon.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

using app::HlavniDialog;

namespace {

QToolBar *toolbar(HlavniDialog *main, const char *name)
{
    return main->findChild<QToolBar *>(QLatin1String(name));
}

// Opens a top-level menu as the user would, which runs its refresh.
void openMenu(HlavniDialog *main, const char *name)
{
    QMenu *m = main->menuBar()->findChild<QMenu *>(QLatin1String(name));
    QVERIFY(m);
    emit m->aboutToShow();
    emit m->aboutToHide();
}

// A real catalogue window of a slot, opened as the open dialog opens it (which
// marks it open) and active in the frame; an optional catalogue gets an empty
// table first. When asked, its record is in edit mode, the window's own state.
catalogue::CatalogueWindow *openCatalogue(AppFixture &f, app::ProgramContext &program, int slot,
                                          bool editing = false)
{
    if (slot > 1)
        dbase::createTable(f.dir().dataDir() + core::bookTableFile(slot), core::bookFields(), core::bookTags(),
                           true);
    catalogue::CatalogueWindow *window = program.catalogues()->open(slot);
    if (!window)
        qFatal("catalogue %d did not open", slot);
    if (editing)
        window->newRecord();
    QCoreApplication::processEvents();
    return window;
}

int rowOf(QToolBar *bar)
{
    return bar->geometry().top();
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void viewTogglesSurviveRestart();
    void floatingToolbarCloseButtonHidesAndWrites();
    void restoreShowsEverythingAgain();
    void toolbarsKeepTheirRows();
    void menusFollowTheActiveCatalogue();
    void commandStatesFollowTheCatalogueState();
    void sharedActionsDriveEveryControl();
    void hintsAppearInTheFirstPanel();
    void genreMenuTicksExactlyOne();
    void cascadeGivesOpenWindowsTheirClientSize();
    void tilingSplitsTheArea();
    void tipLineFollowsTheTipsTable();
    void missingTipsTableDisablesTipButtons();
    void damagedTipsTableIsReportedNotFatal();
    void unwritableMarkersAreToldBeforeTheEnd();
    void unwritableViewToggleIsTold();
    void markersOfAKilledRunDoNotLockCataloguesOut();
    void normalCloseResetsMarkers();
    void closeWithUnsavedRecordIsRefused();
    void commandsReachTheRealCatalogueWindow();
    void lendingCardKeepsTheProgramOpen();
    void reportCommandsOpenTheSelectionForTheirCatalogue();
    void errorBoxWhileABalloonHoldsTheMainWindow();
};

void MainWindowTest::viewTogglesSurviveRestart()
{
    AppFixture f;
    {
        auto program = f.start();
        HlavniDialog *main = program->mainWindow();
        QVERIFY(main->isVisible());
        QCOMPARE(main->windowTitle(), QStringLiteral("Ordex 2000"));
        for (const char *n : {"PN1", "PN2", "PN3", "PN4", "MZ2", "MZ3", "P1M1", "P1M5", "P1M6"})
            QVERIFY2(commandOf(main, n)->isChecked(), n);

        // The status bar's own context menu hides it and clears both checks.
        commandOf(main, "P1M5")->trigger();
        QVERIFY(!main->statusBar()->isVisible());
        QVERIFY(!commandOf(main, "MZ2")->isChecked());
        QVERIFY(!commandOf(main, "P1M5")->isChecked());
        QCOMPARE(f.ini("Zobrazit", "StavovyRadek"), QStringLiteral("0"));

        // The menu toggle of a toolbar and of the side bar.
        commandOf(main, "PN2")->trigger();
        QVERIFY(!toolbar(main, "DatabazeL")->isVisible());
        QVERIFY(!commandOf(main, "P1M2")->isChecked());
        commandOf(main, "MZ3")->trigger();
        QVERIFY(!main->findChild<QWidget *>("LookOut1")->isVisible());
        QCOMPARE(f.ini("Zobrazit", "PanelOutlook"), QStringLiteral("0"));

        // Twice is back on.
        commandOf(main, "P1M3")->trigger();
        commandOf(main, "PN3")->trigger();
        QVERIFY(toolbar(main, "OknaL")->isVisible());
        QCOMPARE(f.ini("Zobrazit", "Okna"), QStringLiteral("1"));
        main->close();
    }
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QVERIFY(!main->statusBar()->isVisible());
    QVERIFY(!commandOf(main, "MZ2")->isChecked());
    QVERIFY(!commandOf(main, "P1M5")->isChecked());
    QVERIFY(!toolbar(main, "DatabazeL")->isVisible());
    QVERIFY(!commandOf(main, "PN2")->isChecked());
    QVERIFY(!main->findChild<QWidget *>("LookOut1")->isVisible());
    QVERIFY(toolbar(main, "StandardniL")->isVisible());
    QVERIFY(toolbar(main, "OknaL")->isVisible());
    QVERIFY(toolbar(main, "TipyDneL")->isVisible());
    QVERIFY(commandOf(main, "P1M4")->isChecked());
}

void MainWindowTest::floatingToolbarCloseButtonHidesAndWrites()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QToolBar *okna = toolbar(main, "OknaL");
    QAction *close = okna->findChild<QAction *>("OknaLZavrit");
    QVERIFY(close);
    QVERIFY(!close->isVisible()); // only a floating toolbar shows it
    close->trigger();
    QVERIFY(!okna->isVisible());
    QVERIFY(!commandOf(main, "PN3")->isChecked());
    QVERIFY(!commandOf(main, "P1M3")->isChecked());
    QCOMPARE(f.ini("Zobrazit", "Okna"), QStringLiteral("0"));
    // The toggle brings it back.
    commandOf(main, "PN3")->trigger();
    QVERIFY(okna->isVisible());
    QCOMPARE(f.ini("Zobrazit", "Okna"), QStringLiteral("1"));
}

void MainWindowTest::restoreShowsEverythingAgain()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    for (const char *n : {"PN1", "PN4", "MZ2", "MZ3"})
        commandOf(main, n)->trigger();
    f.settings().setCatalogueOpen(3, true);
    f.settings().setOptionalName(1, QStringLiteral("Moje sbírka"));

    commandOf(main, "MN5")->trigger();
    QWidget *balloon = program->iniDialog()->window();
    QTRY_VERIFY(balloon->isVisible());
    QVERIFY(!main->isEnabled()); // the balloon behaves modally
    QTest::keyClick(balloon, Qt::Key_Return);
    QTRY_VERIFY(!balloon->isVisible());
    QVERIFY(main->isEnabled());

    for (const char *n : {"PN1", "PN2", "PN3", "PN4", "MZ2", "MZ3", "P1M1", "P1M2", "P1M3", "P1M4", "P1M5", "P1M6"})
        QVERIFY2(commandOf(main, n)->isChecked(), n);
    for (const char *n : {"StandardniL", "DatabazeL", "OknaL", "TipyDneL"})
        QVERIFY2(toolbar(main, n)->isVisible(), n);
    QVERIFY(main->statusBar()->isVisible());
    QVERIFY(main->findChild<QWidget *>("LookOut1")->isVisible());
    QCOMPARE(f.ini("Otevreni", "Databaze3"), QStringLiteral("0"));
    QCOMPARE(f.settings().optionalName(1), QStringLiteral("Moje sbírka"));
}

void MainWindowTest::toolbarsKeepTheirRows()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QToolBar *standard = toolbar(main, "StandardniL");
    QToolBar *database = toolbar(main, "DatabazeL");
    QToolBar *windows = toolbar(main, "OknaL");
    QToolBar *tips = toolbar(main, "TipyDneL");
    QCOMPARE(rowOf(standard), rowOf(database));
    QCOMPARE(rowOf(standard), rowOf(windows));
    QVERIFY(rowOf(tips) > rowOf(standard));
    QVERIFY(standard->x() < database->x() && database->x() < windows->x());
    for (QToolBar *bar : {standard, database, windows, tips})
        QCOMPARE(bar->allowedAreas(), Qt::TopToolBarArea);

    // A command toolbar dropped into the tips row goes back to the first.
    main->insertToolBar(tips, standard);
    main->layout()->activate();
    QCOMPARE(rowOf(standard), rowOf(tips));
    QTest::mouseRelease(standard, Qt::LeftButton);
    QTRY_VERIFY(rowOf(standard) < rowOf(tips));
    QCOMPARE(rowOf(standard), rowOf(database));
    QVERIFY(standard->x() < database->x());

    // The tips toolbar dropped into the first row goes back to the second.
    main->removeToolBarBreak(tips);
    main->layout()->activate();
    QCOMPARE(rowOf(tips), rowOf(standard));
    QTest::mouseRelease(tips, Qt::LeftButton);
    QTRY_VERIFY(rowOf(tips) > rowOf(standard));
    QCOMPARE(rowOf(database), rowOf(standard));

    // A hidden command toolbar stays hidden through the repair.
    commandOf(main, "PN2")->trigger();
    main->insertToolBar(tips, windows);
    main->layout()->activate();
    QTest::mouseRelease(windows, Qt::LeftButton);
    QTRY_VERIFY(rowOf(windows) < rowOf(tips));
    QVERIFY(!database->isVisible());
    QVERIFY(windows->isVisible());
}

void MainWindowTest::menusFollowTheActiveCatalogue()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();

    openMenu(main, "Nastroje");
    QVERIFY(commandOf(main, "MN5")->isEnabled());
    QVERIFY(!commandOf(main, "MN7")->isEnabled());
    QVERIFY(commandOf(main, "MN1")->isEnabled());
    openMenu(main, "Soubor");
    QVERIFY(!commandOf(main, "MS3")->isEnabled());

    catalogue::CatalogueWindow *window = openCatalogue(f, *program, 2);
    QCOMPARE(main->activeSlot(), 2);
    openMenu(main, "Nastroje");
    QVERIFY(!commandOf(main, "MN5")->isEnabled());
    QVERIFY(commandOf(main, "MN7")->isEnabled());
    openMenu(main, "Soubor");
    QVERIFY(commandOf(main, "MS3")->isEnabled());
    openMenu(main, "Okno");
    QVERIFY(commandOf(main, "N10")->isVisible());
    for (const char *n : {"MO1", "MO2", "MO3", "MO4", "MO5"})
        QVERIFY2(commandOf(main, n)->isEnabled(), n);
    main->refresh();
    QVERIFY(main->findChild<QWidget *>("TO1")->isEnabled());
    QVERIFY(main->findChild<QWidget *>("OO4")->isEnabled());
    QVERIFY(!program->catalogues()->displayName(2).isEmpty());
    QCOMPARE(main->catalogueText(), QStringLiteral("      ") + program->catalogues()->displayName(2));

    // The standard catalogue marked open disables its erase, whatever is active.
    f.settings().setCatalogueOpen(1, true);
    openMenu(main, "Nastroje");
    QVERIFY(!commandOf(main, "MN1")->isEnabled());

    QVERIFY(window->requestClose());
    QCoreApplication::processEvents();
    QCOMPARE(main->activeSlot(), 0);
    openMenu(main, "Nastroje");
    QVERIFY(commandOf(main, "MN5")->isEnabled());
    openMenu(main, "Okno");
    QVERIFY(!commandOf(main, "N10")->isVisible());
    QVERIFY(!commandOf(main, "MO5")->isEnabled());
    main->refresh();
    QVERIFY(!main->findChild<QWidget *>("TO1")->isEnabled());
}

void MainWindowTest::commandStatesFollowTheCatalogueState()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    dbase::Table *table = program->dataModule()->bookTable(1);
    catalogue::CatalogueWindow *window = program->catalogues()->open(1); // the empty standard catalogue
    QVERIFY(window);
    QTRY_COMPARE(main->activeSlot(), 1);
    main->refresh();

    // Empty: only edit, new and the go-to submenu.
    for (const char *n : {"MU5", "PNa5", "MU8"})
        QVERIFY2(commandOf(main, n)->isEnabled(), n);
    for (const char *n : {"MS4", "MS5", "MU4", "MU6", "MU9", "MU7", "PNa1", "Pna2", "PNa3", "PNa4", "MU1"})
        QVERIFY2(!commandOf(main, n)->isEnabled(), n);

    // Two records: at the first the moves back are off, at the last the
    // moves forward.
    table->insert();
    table->setFieldText(QStringLiteral("NAZEV"), QStringLiteral("Babička"));
    table->post();
    table->insert();
    table->setFieldText(QStringLiteral("NAZEV"), QStringLiteral("Kytice"));
    table->post();
    table->first();
    main->refresh();
    QVERIFY(commandOf(main, "MS4")->isEnabled());
    QVERIFY(commandOf(main, "MU7")->isEnabled());
    QVERIFY(!commandOf(main, "PNa1")->isEnabled());
    QVERIFY(commandOf(main, "PNa3")->isEnabled());
    table->last();
    main->refresh();
    QVERIFY(commandOf(main, "PNa1")->isEnabled());
    QVERIFY(!commandOf(main, "PNa4")->isEnabled());

    // Edit mode, the window's own state: only save and undo among the
    // record commands, on the toolbar and in the window's menu alike.
    window->editRecord();
    main->refresh();
    QVERIFY(commandOf(main, "MU6")->isEnabled());
    QVERIFY(commandOf(main, "MU9")->isEnabled());
    QVERIFY(main->findChild<QWidget *>("TD8")->isEnabled());
    for (const char *n : {"MU5", "MU4", "PNa1", "PNa3", "PNa5", "MS4", "MU7"})
        QVERIFY2(!commandOf(main, n)->isEnabled(), n);
    QVERIFY(window->findChild<QAction *>("MP6")->isEnabled());
    QVERIFY(!window->findChild<QAction *>("MP5")->isEnabled());
    window->undo();
    main->refresh();
    QVERIFY(commandOf(main, "MU5")->isEnabled());

    // Closed: nothing left for the record commands.
    QVERIFY(window->requestClose());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main->refresh();
    for (const char *n : {"MU5", "PNa5", "MU8", "MS4", "MS3", "MO1"})
        QVERIFY2(!commandOf(main, n)->isEnabled(), n);
    QCOMPARE(main->catalogueText(), QString());
}

void MainWindowTest::sharedActionsDriveEveryControl()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    // Menu item, toolbar button and side-bar button of one command.
    const struct { const char *menu, *tool, *side; } commands[] = {
        {"MS1", "TS1", "OS1"}, {"MS4", "TS3", "OS3"}, {"PNa3", "TD3", "UD3"}, {"MU9", "TD10", "UD10"},
        {"MO4", "TO4", "OO4"},
    };
    for (const auto &c : commands) {
        QAction *a = commandOf(main, c.menu);
        auto *tool = main->findChild<QToolButton *>(QLatin1String(c.tool));
        auto *side = main->findChild<QToolButton *>(QLatin1String(c.side));
        QVERIFY2(tool && side, c.menu);
        QCOMPARE(tool->defaultAction(), a);
        QVERIFY(!a->icon().isNull());
        for (bool on : {true, false, true}) {
            a->setEnabled(on);
            QCOMPARE(tool->isEnabled(), on);
            QCOMPARE(side->isEnabled(), on);
        }
    }
    QCOMPARE(commandOf(main, "MS1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(commandOf(main, "PNa3")->shortcut(), QKeySequence(Qt::Key_F7));
    QCOMPARE(commandOf(main, "MZ1")->text(), QStringLiteral("Panely &nástrojů          "));
    QVERIFY(!commandOf(main, "MU8")->isEnabled());
    QVERIFY(!commandOf(main, "o11")->isVisible());
    QCOMPARE(main->findChild<QWidget *>("TS1")->size(), QSize(23, 22));

    // Every command of the control list has its action, under every name of
    // its controls that the main window shows.
    for (int i = 0; i < core::CommandCount; ++i) {
        const auto c = core::Command(i);
        const core::CommandRow &names = core::commandRow(c);
        QAction *a = main->commands()->action(c);
        QVERIFY2(a, names.menuItem);
        QCOMPARE(a->objectName(), QLatin1String(names.menuItem));
        if (c == core::Command::FileMenu || c == core::Command::EditMenu)
            continue; // a menu, a toolbar and a side-bar page rather than buttons
        for (const char *control : {names.toolbarButton, names.sideBarButton}) {
            if (control)
                QCOMPARE(commandOf(main, control), a);
        }
    }

    // Status-bar pictures: all hidden at start, shown and hidden on request.
    for (int i = 1; i <= 10; ++i)
        QVERIFY(!main->findChild<QLabel *>(QStringLiteral("SBO%1").arg(i))->isVisible());
    main->setIndicatorVisible(QStringLiteral("SBO6"), true);
    QVERIFY(main->findChild<QLabel *>("SBO6")->isVisible());
    QCOMPARE(main->findChild<QLabel *>("SBO6")->size(), QSize(15, 15));
    main->setIndicatorVisible(QStringLiteral("SBO6"), false);
    QVERIFY(!main->findChild<QLabel *>("SBO6")->isVisible());
    main->setIndicatorVisible(QStringLiteral("nothing"), true); // ignored
    QCOMPARE(main->findChild<QWidget *>("Panel0")->width(), 500);
    QCOMPARE(main->findChild<QWidget *>("Panel1")->width(), 22);
    QCOMPARE(main->findChild<QWidget *>("Panel2")->width(), 150);
}

void MainWindowTest::hintsAppearInTheFirstPanel()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QWidget *button = main->findChild<QWidget *>("TS2");
    QStatusTipEvent tip(commandOf(main, "MS2")->statusTip());
    QCoreApplication::sendEvent(button, &tip);
    QCOMPARE(main->hintText(), QStringLiteral("      Zobrazí dialog pro otevření databáze"));
    // A hint of a menu item, which lives in a window of its own.
    QMenu *popup = main->findChild<QMenu *>("PopupMenu1");
    QStatusTipEvent menuTip(QStringLiteral("Zobrazí nebo skryje stavový řádek"));
    QCoreApplication::sendEvent(popup, &menuTip);
    QCOMPARE(main->hintText(), QStringLiteral("      Zobrazí nebo skryje stavový řádek"));
    QStatusTipEvent empty{QString()};
    QCoreApplication::sendEvent(button, &empty);
    QCOMPARE(main->hintText(), QStringLiteral("      "));
    QVERIFY(main->statusBar()->currentMessage().isEmpty());
}

void MainWindowTest::genreMenuTicksExactlyOne()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QCOMPARE(main->menus()->tickedGenre(), QString());
    QCOMPARE(main->menus()->tickedGenreCaption(), QStringLiteral("Všechny druhy"));
    QMenu *genres = main->findChild<QMenu *>("MN7");
    int checkable = 0;
    for (QAction *a : genres->actions())
        checkable += a->isCheckable();
    QCOMPARE(checkable, 26);

    commandOf(main, "DR12")->trigger();
    QCOMPARE(main->menus()->tickedGenre(), QStringLiteral("Horor"));
    QVERIFY(!commandOf(main, "D0")->isChecked());
    commandOf(main, "DR12")->trigger(); // the ticked one again stays ticked
    QCOMPARE(main->menus()->tickedGenre(), QStringLiteral("Horor"));
    commandOf(main, "DR23")->trigger();
    QCOMPARE(main->menus()->tickedGenre(), QStringLiteral("Drama"));
    QVERIFY(!commandOf(main, "DR12")->isChecked());
    commandOf(main, "DR3")->trigger();
    QCOMPARE(main->menus()->tickedGenreCaption(), QStringLiteral("Červená knihovna"));
}

void MainWindowTest::cascadeGivesOpenWindowsTheirClientSize()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    f.settings().setCatalogueOpen(1, true);
    f.settings().setCatalogueOpen(3, true);
    QMdiSubWindow *one = openCatalogue(f, *program, 1)->subWindow();
    QMdiSubWindow *three = openCatalogue(f, *program, 3)->subWindow();
    one->resize(200, 150);
    three->resize(640, 90);
    main->refresh();
    commandOf(main, "MO3")->trigger();
    QCOMPARE(one->contentsRect().size(), QSize(517, 305));
    QCOMPARE(three->contentsRect().size(), QSize(517, 305));
    QVERIFY(one->pos() != three->pos());

    commandOf(main, "MO4")->trigger();
    QVERIFY(one->isMinimized());
    QVERIFY(three->isMinimized());
    commandOf(main, "o31")->trigger();
    QVERIFY(!three->isMinimized());
    QCOMPARE(main->activeSlot(), 3);
}

void MainWindowTest::tilingSplitsTheArea()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QMdiSubWindow *a = openCatalogue(f, *program, 1)->subWindow();
    QMdiSubWindow *b = openCatalogue(f, *program, 2)->subWindow();
    main->refresh();
    const QSize area = main->catalogueArea()->viewport()->size();

    commandOf(main, "MO1")->trigger(); // side by side
    QCOMPARE(a->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    QCOMPARE(b->geometry().left(), area.width() / 2);
    QCOMPARE(b->geometry().right(), area.width() - 1);

    commandOf(main, "MO2")->trigger(); // one above the other
    QCOMPARE(a->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    QCOMPARE(b->geometry().top(), area.height() / 2);
    QCOMPARE(b->geometry().bottom(), area.height() - 1);
}

void MainWindowTest::tipLineFollowsTheTipsTable()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    auto *line = main->findChild<QLineEdit *>("DBEdit1");
    QVERIFY(line->isReadOnly());
    QCOMPARE(line->focusPolicy(), Qt::NoFocus);
    QVERIFY(commandOf(main, "TT1")->isEnabled());
    QVERIFY(commandOf(main, "TT2")->isEnabled());
    const QString first = line->text();
    QVERIFY(!first.isEmpty());

    // Right after the start the table stands at its first tip, as it
    // reports: the very first "previous" goes to the last tip.
    dbase::Table *tips = program->dataModule()->tipsTable();
    commandOf(main, "TT1")->trigger();
    QVERIFY(line->text() != first);
    tips->first();

    commandOf(main, "TT2")->trigger();
    QVERIFY(line->text() != first);
    commandOf(main, "TT1")->trigger();
    QCOMPARE(line->text(), first);
    // At the first tip, which the table reports, "previous" goes to the last.
    tips->first();
    commandOf(main, "TT1")->trigger();
    QCOMPARE(line->text(), tips->fieldText(QStringLiteral("TIPDNE")).trimmed());
    QVERIFY(line->text() != first);

    // Stepping in the tips dialog moves the toolbar's tip as well.
    const QString before = line->text();
    program->tipsDialog()->show();
    program->tipsDialog()->Button2Click();
    QVERIFY(line->text() != before);
    QCOMPARE(line->text(), program->tipsDialog()->currentTipText().trimmed());
    program->tipsDialog()->Button1Click();
    QVERIFY(main->isEnabled());

    // The tip line grows and shrinks with the window, and the buttons after
    // it stay in sight.
    main->showNormal();
    main->resize(900, 500);
    QTRY_COMPARE(main->width(), 900);
    const int narrow = line->width();
    QVERIFY(narrow <= 900 - 156);
    main->resize(1200, 500);
    QTRY_COMPARE(main->width(), 1200);
    QCOMPARE(line->width(), narrow + 300);
    QWidget *manual = main->findChild<QWidget *>("EM1");
    QTRY_VERIFY(manual->isVisible());
    QVERIFY(manual->geometry().right() < main->findChild<QToolBar *>("TipyDneL")->width());
}

void MainWindowTest::missingTipsTableDisablesTipButtons()
{
    AppFixture f;
    const QString tipsFile =
        platform::presenceTest(QStringLiteral("TipyG.dbf"), f.dir().dataDir());
    QVERIFY(!tipsFile.isEmpty());
    QVERIFY(QFile::remove(tipsFile));
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QVERIFY(!commandOf(main, "TT1")->isEnabled());
    QVERIFY(!commandOf(main, "TT2")->isEnabled());
    QVERIFY(!main->findChild<QWidget *>("TT2")->isEnabled());
    QVERIFY(main->findChild<QLineEdit *>("DBEdit1")->text().isEmpty());
    QVERIFY(!program->dataModule()->tipsTable()->isActive());
}

void MainWindowTest::damagedTipsTableIsReportedNotFatal()
{
    AppFixture f;
    const QString tipsFile =
        platform::presenceTest(QStringLiteral("TipyG.dbf"), f.dir().dataDir());
    QFile file(tipsFile);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("this is no dBASE table");
    file.close();
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QVERIFY(main->isVisible());
    QVERIFY(!commandOf(main, "TT1")->isEnabled());
    QVERIFY(!commandOf(main, "TT2")->isEnabled());
    QVERIFY(main->findChild<QLineEdit *>("DBEdit1")->text().isEmpty());
    // The engine's message is shown in the error box.
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("ErrorBox") && w->isVisible())
            box = qobject_cast<QMessageBox *>(w);
    QVERIFY(box);
    QVERIFY(!box->text().isEmpty());
    box->close();
}

void MainWindowTest::unwritableMarkersAreToldBeforeTheEnd()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QSignalSpy finished(program.get(), &app::ProgramContext::finished);
    // A read-only settings file: the open markers cannot be reset.
    QFile ini(f.settings().path());
    const QFileDevice::Permissions before = ini.permissions();
    QVERIFY(ini.setPermissions(before & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser)));
    // The end waits for the user to read why, in the one error box.
    QVERIFY(!main->close());
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("ErrorBox") && w->isVisible())
            box = qobject_cast<QMessageBox *>(w);
    QVERIFY(box);
    QVERIFY(box->text().contains(f.settings().path()));
    QCOMPARE(finished.count(), 0);
    box->close();
    QTRY_COMPARE(finished.count(), 1);
    ini.setPermissions(before);
}

void MainWindowTest::unwritableViewToggleIsTold()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QFile ini(f.settings().path());
    const QFileDevice::Permissions before = ini.permissions();
    QVERIFY(ini.setPermissions(before & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser)));
    // The context menu's twin hides the toolbar; the key cannot be written,
    // and the user reads why in the one error box.
    commandOf(main, "P1M2")->trigger();
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("ErrorBox") && w->isVisible())
            box = qobject_cast<QMessageBox *>(w);
    QVERIFY(box);
    QVERIFY(box->text().contains(f.settings().path()));
    box->close();
    ini.setPermissions(before);
    // The check marks tell what is shown, whatever the file holds.
    QCOMPARE(commandOf(main, "PN2")->isChecked(), toolbar(main, "DatabazeL")->isVisible());
    QCOMPARE(commandOf(main, "P1M2")->isChecked(), toolbar(main, "DatabazeL")->isVisible());
    QCOMPARE(f.ini("Zobrazit", "Databaze"), QStringLiteral("1"));
}

void MainWindowTest::markersOfAKilledRunDoNotLockCataloguesOut()
{
    AppFixture f;
    f.settings().setCatalogueOpen(1, true);
    f.settings().setCatalogueOpen(3, true);
    auto program = f.start();
    for (const char *k : {"Databaze1", "Databaze3"})
        QCOMPARE(f.ini("Otevreni", k), QStringLiteral("0"));
    program->catalogues()->showOpenDialog();
    QVERIFY(program->catalogues()->openDialog()->isAvailable(1));
    program->catalogues()->openDialog()->close();
}

void MainWindowTest::normalCloseResetsMarkers()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    core::AppSettings s = f.settings();
    s.setCatalogueOpen(2, true);
    s.setCatalogueOpen(4, true);
    s.setAuxiliarySlot(3);
    s.setTipsShownThisRun(QStringLiteral("1"));
    QSignalSpy finished(program.get(), &app::ProgramContext::finished);
    QVERIFY(main->close());
    QCOMPARE(finished.count(), 1);
    for (const char *k : {"Databaze1", "Databaze2", "Databaze3", "Databaze4"})
        QCOMPARE(f.ini("Otevreni", k), QStringLiteral("0"));
    QCOMPARE(f.ini("Kontrola", "Pomocna"), QStringLiteral("0"));
    QCOMPARE(f.ini("Kontrola", "Tipy"), QStringLiteral("0"));
}

void MainWindowTest::closeWithUnsavedRecordIsRefused()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    // Two windows with a record being edited: the first in slot order asks
    // about its record, the other one is not asked while that question is up.
    catalogue::CatalogueWindow *three = openCatalogue(f, *program, 3, true);
    catalogue::CatalogueWindow *two = openCatalogue(f, *program, 2, true);
    QVERIFY(two->isEditing());
    QSignalSpy finished(program.get(), &app::ProgramContext::finished);
    QVERIFY(!main->close());
    QCOMPARE(program->catalogues()->exitSlot(), 2);
    int questions = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        questions += w->objectName() == QLatin1String("DotazKonecDialog") && w->isVisible();
    QCOMPARE(questions, 1);
    QCOMPARE(finished.count(), 0);
    QVERIFY(main->isVisible());
    QCOMPARE(f.ini("Otevreni", "Databaze2"), QStringLiteral("1"));
    // Nothing was closed or saved behind the user's back.
    QVERIFY(program->catalogues()->window(2));
    QVERIFY(two->isEditing());
    QVERIFY(three->isEditing());
}

void MainWindowTest::commandsReachTheRealCatalogueWindow()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    catalogue::CatalogueWindow *window = program->catalogues()->open(1);
    QVERIFY(window);
    QTRY_COMPARE(main->activeSlot(), 1);
    main->refresh();
    // The window puts its entry into the Okno menu, checked while active.
    QVERIFY(commandOf(main, "o11")->isVisible());
    QCOMPARE(commandOf(main, "o11")->text(), QStringLiteral("Standardní databáze programu Ordex"));
    QVERIFY(commandOf(main, "o11")->isChecked());
    QVERIFY(!commandOf(main, "o21")->isVisible());
    // The empty standard catalogue: a new record is possible, moves are not.
    QVERIFY(commandOf(main, "PNa5")->isEnabled());
    QVERIFY(!commandOf(main, "PNa3")->isEnabled());

    // F7's road in reverse: the main window's command acts on the window.
    commandOf(main, "PNa5")->trigger();
    QVERIFY(window->isEditing());
    main->refresh();
    QVERIFY(commandOf(main, "MU6")->isEnabled());
    QVERIFY(!commandOf(main, "PNa5")->isEnabled());

    // Find and the reports from the main menu and from the window's own
    // menu reach the same place, for the window's slot.
    QSignalSpy finds(program->catalogues(), &catalogue::Catalogues::findRequested);
    QSignalSpy reports(program->catalogues(), &catalogue::Catalogues::reportRequested);
    emit window->findRequested(1);
    emit window->printRequested(1);
    QCOMPARE(finds.count(), 1);
    QCOMPARE(reports.count(), 1);
    // The find dialog comes up above the assistant for the window's catalogue.
    search::NajitDialog *find = program->searches()->findDialog();
    QVERIFY(find->isVisible());
    QCOMPARE(find->slot(), 1);
    QVERIFY(!main->isEnabled());
    find->close();
    QVERIFY(main->isEnabled());
    QCOMPARE(reports.at(0).at(1).toBool(), false);
    // The print command opened the report selection; the user leaves it.
    QVERIFY(program->reports()->selectionDialog()->isVisible());
    QTest::keyClick(program->reports()->selectionDialog(), Qt::Key_Escape);

    // Ending the program now is refused; the window raises its question.
    QSignalSpy finished(program.get(), &app::ProgramContext::finished);
    QVERIFY(!main->close());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(program->catalogues()->exitSlot(), 1);
    QCOMPARE(f.ini("Otevreni", "Databaze1"), QStringLiteral("1"));
    QVERIFY(program->catalogues()->window(1));
}

void MainWindowTest::lendingCardKeepsTheProgramOpen()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    catalogue::CatalogueWindow *window = program->catalogues()->open(1);
    QVERIFY(window);
    QTRY_COMPARE(main->activeSlot(), 1);
    window->newRecord();
    QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("C1")), QStringLiteral("4"));
    QVERIFY(window->saveRecord());

    // The card shown: the file and edit menus are off until it is left.
    QMenu *soubor = main->menuBar()->findChild<QMenu *>(QStringLiteral("Soubor"));
    window->lendingCard()->RxLabel1Click();
    // (The window signals the change; the main window refreshes at the next turn.)
    QTRY_VERIFY(!soubor->menuAction()->isEnabled());
    QVERIFY(!main->findChild<QWidget *>(QStringLiteral("DatabazeL"))->isEnabled());
    QVERIFY(!main->findChild<QWidget *>(QStringLiteral("LookOutPage2"))->isEnabled());
    QVERIFY(main->findChild<QWidget *>(QStringLiteral("OknaL"))->isEnabled());
    window->findChild<QAction *>(QStringLiteral("TD3"))->trigger();
    QVERIFY(window->isLendingCardEditing());

    // Ending the program is refused with the card's warning.
    QSignalSpy finished(program.get(), &app::ProgramContext::finished);
    QVERIFY(!main->close());
    QCOMPARE(finished.count(), 0);
    QWidget *warning = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("DotazVypujckaDialog") && w->isVisible())
            warning = w;
    QVERIFY(warning);
    warning->close();
    QVERIFY(program->catalogues()->window(1));
    QCOMPARE(f.ini("Otevreni", "Databaze1"), QStringLiteral("1"));

    // Undone and left: the menus come back and the program may end.
    window->findChild<QAction *>(QStringLiteral("TD5"))->trigger();
    window->findChild<QAction *>(QStringLiteral("TD7"))->trigger();
    QTRY_VERIFY(soubor->menuAction()->isEnabled());
    QVERIFY(main->findChild<QWidget *>(QStringLiteral("StandardniL"))->isEnabled());
    QVERIFY(main->close());
    QCOMPARE(finished.count(), 1);
}

void MainWindowTest::reportCommandsOpenTheSelectionForTheirCatalogue()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    catalogue::CatalogueWindow *window = program->catalogues()->open(1);
    QVERIFY(window);
    QTRY_COMPARE(main->activeSlot(), 1);
    dbase::Table *table = program->dataModule()->bookTable(1);
    table->insert();
    table->setFieldText(QStringLiteral("NAZEV"), QStringLiteral("Babička"));
    table->post();
    main->refresh();
    reports::NahledDialog *selection = program->reports()->selectionDialog();
    QVERIFY(commandOf(main, "MS5")->isEnabled());
    QCOMPARE(commandOf(main, "MS5")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    commandOf(main, "MS5")->trigger();
    QVERIFY(selection->isVisible());
    QVERIFY(!selection->isPreviewMode());
    QCOMPARE(selection->slotText(), QStringLiteral("1"));
    QVERIFY(!main->isEnabled());
    QTest::keyClick(selection, Qt::Key_Escape);
    QVERIFY(main->isEnabled());
    // The window's own menu: preview for its slot.
    emit window->previewRequested(1);
    QVERIFY(selection->isVisible());
    QVERIFY(selection->isPreviewMode());
    QTest::keyClick(selection, Qt::Key_Escape);
    // The genre menu reaches the reports through the shared choice.
    commandOf(main, "DR12")->trigger();
    QCOMPARE(main->genreChoice().genre(), QStringLiteral("Horor"));
    table->close();
}

void MainWindowTest::errorBoxWhileABalloonHoldsTheMainWindow()
{
    // Erasing the standard catalogue without its template fails while the
    // question still holds the main window disabled: the error box comes up
    // over the disabled main window and must still take the user's answer.
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    const QString templ = platform::presenceTest(QStringLiteral("VazonS.dbf"), f.dir().templateDir());
    QVERIFY(!templ.isEmpty());
    QVERIFY(QFile::remove(templ));

    struct Seen
    {
        QString text;
        bool boxEnabled = false;
        bool okEnabled = false;
        bool mainEnabled = true;
        QWidget *parent = nullptr;
    } seen;
    class Watch : public QObject
    {
    public:
        Watch(Seen &seen, HlavniDialog *main) : m_seen(seen), m_main(main) {}
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            auto *box = qobject_cast<QMessageBox *>(watched);
            if (box && event->type() == QEvent::Show && box->objectName() == QLatin1String("ErrorBox")) {
                m_seen.text = box->text();
                m_seen.boxEnabled = box->isEnabled();
                m_seen.okEnabled = box->button(QMessageBox::Ok)->isEnabled();
                m_seen.mainEnabled = m_main->isEnabled();
                m_seen.parent = box->parentWidget();
            }
            return false;
        }

    private:
        Seen &m_seen;
        HlavniDialog *m_main;
    } watch(seen, main);
    qApp->installEventFilter(&watch);

    program->catalogues()->askEraseStandard();
    widgets::Balloon *question = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("VymazatDialog") && w->isVisible())
            question = qobject_cast<widgets::Balloon *>(w);
    QVERIFY(question);
    QVERIFY(!main->isEnabled());
    question->accept();
    qApp->removeEventFilter(&watch);

    QVERIFY2(seen.text.contains(QStringLiteral("VazonS.dbf")), qPrintable(seen.text));
    QCOMPARE(seen.parent, main);
    QVERIFY(!seen.mainEnabled);
    QVERIFY(seen.boxEnabled);
    QVERIFY(seen.okEnabled);
    // The question has gone; the box is answered and the program goes on.
    QVERIFY(main->isEnabled());
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("ErrorBox") && w->isVisible())
            box = qobject_cast<QMessageBox *>(w);
    QVERIFY(box);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!box->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "tst_app_main_window.moc"
