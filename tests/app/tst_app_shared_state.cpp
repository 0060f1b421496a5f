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

#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>

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

// A catalogue of the slot with the titles given, opened in its window.
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
        for (const QString &title : titles) {
            t.insert();
            t.setFieldText(QStringLiteral("NAZEV"), title);
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

} // namespace

class SharedStateTest : public QObject
{
    Q_OBJECT

private slots:
    void activeCatalogueSurvivesEveryDialog();
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

QTEST_MAIN(SharedStateTest)
#include "tst_app_shared_state.moc"
