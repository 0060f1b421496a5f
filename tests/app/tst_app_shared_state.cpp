// Two catalogue windows of one program: the active catalogue, the one
// lending table and the search copy are shared between them and the dialogs.
// Every scenario drives the real main window.

#include "AppFixture.h"

#include "app/CatalogueArea.h"
#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "widgets/Balloon.h"

#include "widgets/PressableWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QWindow>

using app::HlavniDialog;
using catalogue::CatalogueWindow;

namespace {

QWidget *visibleWindow(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

// A catalogue of the slot with the books given ("title" or "title/author"),
// opened in its window.
CatalogueWindow *openWithBooks(AppFixture &f, app::ProgramContext &program, int slot, const QStringList &titles)
{
    const QString file = f.dir().dataDir() + core::bookTableFile(slot);
    if (slot > 1)
        dbase::createTable(file, core::bookFields(), core::bookTags(), true);
    {
        dbase::Table t;
        t.setDatabaseName(f.dir().dataDir());
        t.setTableName(core::bookTableFile(slot));
        t.open();
        int n = 10 * slot;
        for (const QString &book : titles) {
            t.insert();
            t.setFieldText(QStringLiteral("NAZEV"), book.section(QLatin1Char('/'), 0, 0));
            t.setFieldText(QStringLiteral("AUTOR"), book.section(QLatin1Char('/'), 1, 1));
            t.setFieldText(QStringLiteral("CISLO"), QString::number(++n));
            t.post();
        }
        t.close();
    }
    CatalogueWindow *window = program.catalogues()->open(slot);
    if (!window)
        qFatal("catalogue %d did not open", slot);
    QCoreApplication::processEvents();
    return window;
}

int recordsOf(app::ProgramContext &program, int slot)
{
    return program.dataModule()->bookTable(slot)->recordCount();
}

// Answers the next question that holds the program in a loop of its own
// with the button captioned "Ne", whatever kind of window asks it.
void answerNoWhenAsked()
{
    QTimer::singleShot(50, [] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            for (QAbstractButton *b : top->findChildren<QAbstractButton *>())
                if (b->isVisible() && b->text() == QLatin1String("Ne"))
                    return b->click();
            for (widgets::PressableWidget *b : top->findChildren<widgets::PressableWidget *>())
                if (b->isVisible() && b->caption() == QLatin1String("Ne"))
                    return QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        }
        answerNoWhenAsked();
    });
}

int leavesOf(const QAbstractItemModel *model, const QModelIndex &parent = {})
{
    int n = 0;
    for (int r = 0; r < model->rowCount(parent); ++r) {
        const QModelIndex child = model->index(r, 0, parent);
        n += model->rowCount(child) ? leavesOf(model, child) : 1;
    }
    return n;
}

} // namespace

class SharedStateTest : public QObject
{
    Q_OBJECT

private slots:
    void activeCatalogueSurvivesEveryDialog();
    void searchAfterARefusedOneAuthorReportListsEveryBook();
    void dialogsHoldTheKeyboardAndNeverArmAnExit();
};

// The user's way of answering: the dialog comes to the foreground (as a
// window manager gives it) and takes the key.
void pressIn(const char *name, Qt::Key key)
{
    QWidget *w = visibleWindow(name);
    QVERIFY2(w, name);
    w->activateWindow();
    QTRY_VERIFY(w->isActiveWindow());
    QTest::keyClick(w, key);
    QTRY_VERIFY(!w->isVisible());
}

void click(const char *window, const char *control)
{
    QWidget *w = visibleWindow(window);
    QVERIFY2(w, window);
    QWidget *c = w->findChild<QWidget *>(QLatin1String(control));
    QVERIFY2(c, control);
    QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
}

void SharedStateTest::activeCatalogueSurvivesEveryDialog()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    openWithBooks(f, *program, 1, {"A", "B", "C"});
    CatalogueWindow *optional = openWithBooks(f, *program, 2, {"X", "Y", "Z"});
    main->catalogueArea()->setActiveSubWindow(optional->subWindow());
    QTRY_COMPARE(main->activeSlot(), 2);
    main->refresh();
    const QString panel = main->catalogueText();

    auto backAtTheFrame = [&](const char *step) {
        QTRY_VERIFY2(main->isActiveWindow() && main->isEnabled(), step);
        QTest::qWait(20);
        QVERIFY2(main->activeSlot() == 2, step);
        main->refresh();
        QVERIFY2(main->catalogueText() == panel, step);
    };

    // The delete question, answered Esc and "Ne".
    commandOf(main, "MU4")->trigger();
    pressIn("DotazOdstranitDialog", Qt::Key_Escape);
    backAtTheFrame("delete question, Esc");
    commandOf(main, "MU4")->trigger();
    click("DotazOdstranitDialog", "OfficeButton2");
    backAtTheFrame("delete question, Ne");

    // The report selection, for preview and for print.
    commandOf(main, "MS4")->trigger();
    pressIn("NahledDialog", Qt::Key_Escape);
    backAtTheFrame("report selection, Esc");
    commandOf(main, "MS5")->trigger();
    pressIn("NahledDialog", Qt::Key_Escape);
    backAtTheFrame("print selection, Esc");

    // The find dialog; the copy's dialog over it; the results window.
    commandOf(main, "MU7")->trigger();
    pressIn("NajitDialog", Qt::Key_Escape);
    backAtTheFrame("find dialog, Esc");
    commandOf(main, "MU7")->trigger();
    click("NajitDialog", "OfficeLabel2");
    pressIn("PomocnaDialog", Qt::Key_Escape);
    // The keyboard goes back to the find dialog under it, with no window
    // manager to hand it over.
    QTRY_VERIFY(visibleWindow("NajitDialog") && visibleWindow("NajitDialog")->isActiveWindow());
    pressIn("NajitDialog", Qt::Key_Escape);
    backAtTheFrame("search copy dialog, Esc");
    commandOf(main, "MU7")->trigger();
    click("NajitDialog", "OfficeLabel2");
    click("PomocnaDialog", "OfficeLabel1");
    QTRY_VERIFY(visibleWindow("PomocnaDialog"));
    click("PomocnaDialog", "OfficeLabel2");
    QTRY_VERIFY(visibleWindow("VysledekDialog"));
    pressIn("VysledekDialog", Qt::Key_Escape);
    backAtTheFrame("results window, Esc");

    // Only now the delete goes through, in the window the user chose.
    commandOf(main, "MU4")->trigger();
    click("DotazOdstranitDialog", "OfficeButton1");
    QTRY_COMPARE(recordsOf(*program, 2), 2);
    QCOMPARE(recordsOf(*program, 1), 3);
}

void SharedStateTest::searchAfterARefusedOneAuthorReportListsEveryBook()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    // No printer on this machine, whatever the test runs on.
    main->sharedPrinter().setInstalledCheck([] { return false; });
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    openWithBooks(f, *program, 1, {"Válka s mloky/Čapek Karel", "Krakatit/Čapek Karel", "Babička/Němcová Božena"});

    // The list of one author in print mode; no printer, and no preview either.
    commandOf(main, "MS5")->trigger();
    click("NahledDialog", "OfficeLabel2");
    QTRY_VERIFY(visibleWindow("AutorDialog"));
    click("AutorDialog", "OfficeLabel2");
    QTRY_VERIFY(visibleWindow("Vysledek1Dialog"));
    auto *authors = visibleWindow("Vysledek1Dialog")->findChild<QTreeWidget *>(QStringLiteral("TreeView1"));
    QCOMPARE(authors->topLevelItemCount(), 2);
    authors->setCurrentItem(authors->topLevelItem(0));
    answerNoWhenAsked();
    click("Vysledek1Dialog", "OfficeButton1");
    QTRY_VERIFY(main->isEnabled());

    // The next search by title finds every book of the catalogue.
    commandOf(main, "MU7")->trigger();
    click("NajitDialog", "OfficeLabel2");
    QTRY_VERIFY(visibleWindow("PomocnaDialog"));
    click("PomocnaDialog", "OfficeLabel2");
    QTRY_VERIFY(visibleWindow("VysledekDialog"));
    auto *results = visibleWindow("VysledekDialog")->findChild<QTreeView *>(QStringLiteral("TreeView1"));
    QCOMPARE(leavesOf(results->model()), 3);
}

void SharedStateTest::dialogsHoldTheKeyboardAndNeverArmAnExit()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    openWithBooks(f, *program, 1, {"A", "B"});
    CatalogueWindow *optional = openWithBooks(f, *program, 2, {"X", "Y"});
    main->catalogueArea()->setActiveSubWindow(optional->subWindow());
    QSignalSpy ended(main, &HlavniDialog::closed);

    // A question takes the keyboard as it shows, keeps it when the frame is
    // clicked, and the frame's own close button does nothing meanwhile.
    commandOf(main, "MU4")->trigger();
    QWidget *question = visibleWindow("DotazOdstranitDialog");
    QVERIFY(question);
    QTRY_VERIFY(question->isActiveWindow());
    main->activateWindow();
    QTRY_VERIFY(question->isActiveWindow());
    main->windowHandle()->close();
    QCoreApplication::processEvents();
    QVERIFY(main->isVisible());
    QCOMPARE(ended.count(), 0);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : question, Qt::Key_Escape);
    QTRY_VERIFY(!question->isVisible());
    QTRY_VERIFY(main->isActiveWindow());
    QCOMPARE(main->activeSlot(), 2);
    QCOMPARE(recordsOf(*program, 2), 2);

    // The about box takes the keyboard too: Esc closes it at once.
    commandOf(main, "Oprogramu")->trigger();
    QTRY_VERIFY(visibleWindow("OProgramuDialog"));
    QWidget *about = visibleWindow("OProgramuDialog");
    QTRY_VERIFY(about->isActiveWindow());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about, Qt::Key_Escape);
    QTRY_VERIFY(!about->isVisible());
    QTRY_VERIFY(main->isEnabled());

    // "Konec" over a record in edit, its question closed without an answer:
    // the end is called off, and closing the window later ends nothing.
    commandOf(main, "MU5")->trigger();
    QVERIFY(optional->isEditing());
    commandOf(main, "MS8")->trigger();
    QWidget *exitQuestion = visibleWindow("DotazKonecDialog");
    QVERIFY(exitQuestion);
    exitQuestion->windowHandle()->close();
    QTRY_VERIFY(!visibleWindow("DotazKonecDialog"));
    QCOMPARE(program->catalogues()->exitSlot(), 0);
    QVERIFY(main->findChild<QWidget *>(QStringLiteral("SBO10"))->isVisibleTo(main));
    QVERIFY(optional->isEditing());
    QTRY_VERIFY(commandOf(main, "MU9")->isEnabled());
    commandOf(main, "MU9")->trigger();
    QVERIFY(!optional->isEditing());
    QTRY_VERIFY(commandOf(main, "MS3")->isEnabled());
    commandOf(main, "MS3")->trigger();
    QTRY_VERIFY(!program->catalogues()->window(2));
    QCoreApplication::processEvents();
    QVERIFY(main->isVisible());
    QCOMPARE(ended.count(), 0);

    // Minimising every window leaves the active one active.
    CatalogueWindow *again = openWithBooks(f, *program, 3, {"P"});
    main->catalogueArea()->setActiveSubWindow(program->catalogues()->window(1)->subWindow());
    QTRY_COMPARE(main->activeSlot(), 1);
    Q_UNUSED(again)
    commandOf(main, "MO4")->trigger();
    QCOMPARE(main->activeSlot(), 1);
}

QTEST_MAIN(SharedStateTest)
#include "tst_app_shared_state.moc"
