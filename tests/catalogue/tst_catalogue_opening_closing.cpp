// Opening catalogues from the open dialog, deleting after the question, and
// closing windows with and without a pending record, with the ini markers
// and the files after each path.

#include "CatalogueFixture.h"

#include "catalogue/OtevreniDialog.h"
#include "core/Slots.h"
#include "platform/Error.h"
#include "widgets/OfficeLabel.h"

#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>

using catalogue::CatalogueWindow;

class OpeningClosingTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void eachSlotOpensFromTheDialog();
    void unavailableEntriesAreStruckThrough();
    void failedOpeningLeavesNothingBehind();
    void engineAndPlatformFailuresReachTheErrorBox();
    void deleteAsksAndEscapeKeepsTheBook();
    void deleteBalloonKnowsItsCatalogue();
    void closingInBrowseStateClosesAtOnce();
    void closingWithAPendingRecordAsks();
    void programEndWaitsForTheQuestion();

private:
    void addBook(CatalogueWindow *w, const QString &number, const QString &title);

    std::unique_ptr<CatalogueFixture> p;
};

void OpeningClosingTest::init()
{
    p = std::make_unique<CatalogueFixture>();
}

void OpeningClosingTest::cleanup()
{
    p.reset();
}

void OpeningClosingTest::addBook(CatalogueWindow *w, const QString &number, const QString &title)
{
    w->newRecord();
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("C1")), number);
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("J1")), title);
    QVERIFY(w->saveRecord());
}

void OpeningClosingTest::eachSlotOpensFromTheDialog()
{
    const QStringList names{QStringLiteral("Standardní databáze programu Ordex"), QStringLiteral("Sci-fi sbírka"),
                            QStringLiteral("Knihy po dědovi"), QStringLiteral("Půjčovna")};
    for (int slot = 1; slot <= 4; ++slot) {
        QVERIFY(!p->settings.catalogueOpen(slot));
        CatalogueWindow *w = p->openFromDialog(slot);
        QVERIFY2(w, qPrintable(QStringLiteral("slot %1").arg(slot)));
        QCOMPARE(w->subWindow()->objectName(), QStringLiteral("Databaze%1Dialog").arg(slot));
        QCOMPARE(CatalogueWindow::of(w->subWindow()), w);
        QVERIFY(w->table()->isActive());
        QVERIFY(p->settings.catalogueOpen(slot));
        QCOMPARE(p->main.activeSlot(), slot);
        QCOMPARE(p->main.entryCaption.value(slot), names[slot - 1]);
        QVERIFY(p->main.entryVisible.value(slot));
        QCOMPARE(w->windowTitle(), slot == 1 ? QStringLiteral("Standardní databáze") : names[slot - 1]);
        QCOMPARE(w->size(), QSize(517, 305));
        QVERIFY(!w->isEditing());
        // The progress window is gone and the main window takes input again.
        QVERIFY(p->main.mainWindowEnabled);
        QVERIFY(!p->main.indicators.contains(QStringLiteral("SBO3")));
        QVERIFY(p->main.indicators.contains(QStringLiteral("SBD%1").arg(slot)));
        addBook(w, QString::number(slot * 10), QStringLiteral("Kniha %1").arg(slot));
    }
    QCOMPARE(p->main.area.subWindowList().size(), 4);
    // An open catalogue cannot be opened a second time.
    QVERIFY(!p->openFromDialog(1));
    QCOMPARE(p->main.area.subWindowList().size(), 4);
    for (int slot = 1; slot <= 4; ++slot)
        QCOMPARE(p->readBack(slot)->fieldText(QStringLiteral("CISLO")), QString::number(slot * 10));
}

void OpeningClosingTest::unavailableEntriesAreStruckThrough()
{
    p->settings.setOptionalName(2, core::placeholderCatalogueName());
    p->settings.setCatalogueOpen(4, true); // left over from an abnormal end
    catalogue::OtevreniDialog *dialog = p->catalogues.openDialog();
    p->catalogues.showOpenDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(p->main.placedAbove.contains(QStringLiteral("OtevreniDialog")));
    auto strike = [dialog](int n) { return dialog->findChild<QFrame *>(QStringLiteral("C%1").arg(n))->isVisible(); };
    QVERIFY(dialog->isAvailable(1) && !strike(1) && !strike(2));
    QVERIFY(dialog->isAvailable(2));
    QVERIFY(!dialog->isAvailable(3) && strike(5) && strike(6));
    QVERIFY(!dialog->isAvailable(4) && strike(7) && strike(8));
    // A struck entry ignores the click.
    QTest::mouseClick(dialog->findChild<widgets::OfficeLabel *>(QStringLiteral("OfficeLabel3")), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!p->catalogues.window(3));

    // Escape closes the dialog and changes nothing.
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!p->settings.catalogueOpen(1));
    QVERIFY(p->main.area.subWindowList().isEmpty());

    // Once its window has closed a catalogue is offered again.
    CatalogueWindow *w = p->openFromDialog(1);
    QVERIFY(w);
    p->catalogues.showOpenDialog();
    QVERIFY(!dialog->isAvailable(1));
    dialog->close();
    QVERIFY(w->requestClose());
    p->catalogues.showOpenDialog();
    QVERIFY(dialog->isAvailable(1));
    dialog->close();
}

void OpeningClosingTest::failedOpeningLeavesNothingBehind()
{
    // A damaged catalogue file: the opening fails with the engine's message.
    QFile file(p->dir.dataDir() + core::bookTableFile(2));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a table");
    file.close();
    ErrorBoxes boxes;
    boxes.expectOne();
    QVERIFY(!p->openFromDialog(2));
    QCOMPARE(boxes.messages.size(), 1);
    QVERIFY(!p->settings.catalogueOpen(2));
    QVERIFY(p->main.mainWindowEnabled);
    QVERIFY(!p->main.indicators.contains(QStringLiteral("SBO3")));
    QVERIFY(p->main.area.subWindowList().isEmpty());
    QVERIFY(!p->data.bookTable(2)->isActive());
}

namespace {

// What every error box shown meanwhile said, and whether it was the
// program's one error box and could be answered.
class ShownBoxes : public QObject
{
public:
    ShownBoxes() { qApp->installEventFilter(this); }
    QStringList texts;
    bool allTheProgramsBox = true;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                texts << box->text();
                allTheProgramsBox = allTheProgramsBox && box->objectName() == QLatin1String("ErrorBox")
                                    && box->icon() == QMessageBox::Critical && box->isEnabled();
                QMetaObject::invokeMethod(box, &QMessageBox::accept, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

} // namespace

void OpeningClosingTest::engineAndPlatformFailuresReachTheErrorBox()
{
    // The engine's failure: a damaged catalogue file. Its message is the one
    // the table itself gives.
    const QString damaged = p->dir.dataDir() + core::bookTableFile(2);
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a table");
    file.close();
    QString engineMessage;
    try {
        dbase::Table t;
        t.setDatabaseName(p->dir.dataDir());
        t.setTableName(core::bookTableFile(2));
        t.open();
    } catch (const dbase::Error &e) {
        engineMessage = e.message();
    }
    QVERIFY(!engineMessage.isEmpty());

    ShownBoxes boxes;
    QVERIFY(!p->catalogues.open(2));
    QCOMPARE(boxes.texts, QStringList{engineMessage});

    // The platform's failure: the ini file cannot take the open marker.
    const QString ini = p->dir.path() + QStringLiteral("Ordex2000.ini");
    QVERIFY(QFile::rename(ini, ini + QStringLiteral(".bak")));
    QVERIFY(QDir().mkdir(ini));
    QString platformMessage;
    try {
        p->settings.setCatalogueOpen(3, true);
    } catch (const platform::Error &e) {
        platformMessage = e.message();
    }
    QVERIFY(!platformMessage.isEmpty());
    QVERIFY(!p->catalogues.open(3));
    QCOMPARE(boxes.texts, (QStringList{engineMessage, platformMessage}));
    QVERIFY(boxes.allTheProgramsBox);
    QVERIFY(QDir().rmdir(ini));
    QVERIFY(QFile::rename(ini + QStringLiteral(".bak"), ini));

    // Nothing of either opening stayed behind, and the boxes were answered.
    QVERIFY(p->main.mainWindowEnabled);
    QVERIFY(p->main.area.subWindowList().isEmpty());
    QVERIFY(!p->settings.catalogueOpen(2));
    QVERIFY(!p->settings.catalogueOpen(3));
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

void OpeningClosingTest::deleteAsksAndEscapeKeepsTheBook()
{
    CatalogueWindow *w = p->openFromDialog(1);
    addBook(w, QStringLiteral("1"), QStringLiteral("Alfa"));
    addBook(w, QStringLiteral("2"), QStringLiteral("Beta"));

    w->deleteRecord();
    widgets::Balloon *question = CatalogueFixture::balloon(QStringLiteral("DotazOdstranitDialog"));
    QVERIFY(question);
    QVERIFY(p->main.placedBeside.contains(QStringLiteral("DotazOdstranitDialog")));
    QVERIFY(!p->main.mainWindowEnabled);
    QTest::keyClick(question, Qt::Key_Escape);
    QVERIFY(!CatalogueFixture::balloon(QStringLiteral("DotazOdstranitDialog")));
    QVERIFY(p->main.mainWindowEnabled);
    QCOMPARE(p->readBack(1)->recordCount(), 2);

    w->deleteRecord();
    question = CatalogueFixture::balloon(QStringLiteral("DotazOdstranitDialog"));
    QVERIFY(question);
    QTest::keyClick(question, Qt::Key_Return);
    QVERIFY(!CatalogueFixture::balloon(QStringLiteral("DotazOdstranitDialog")));
    auto disk = p->readBack(1);
    QCOMPARE(disk->recordCount(), 1);
    QCOMPARE(disk->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Alfa"));
}

void OpeningClosingTest::deleteBalloonKnowsItsCatalogue()
{
    CatalogueWindow *first = p->openFromDialog(1);
    addBook(first, QStringLiteral("1"), QStringLiteral("Alfa"));
    CatalogueWindow *third = p->openFromDialog(3);
    addBook(third, QStringLiteral("1"), QStringLiteral("Gama"));
    third->deleteRecord();
    // Another window becomes active before the answer (the frame is
    // disabled under the balloon; the activation comes from the program).
    p->main.area.setEnabled(true);
    p->main.area.setActiveSubWindow(first->subWindow());
    QCOMPARE(p->main.activeSlot(), 1);
    CatalogueFixture::balloon(QStringLiteral("DotazOdstranitDialog"))->accept();
    QCOMPARE(p->readBack(3)->recordCount(), 0);
    QCOMPARE(p->readBack(1)->recordCount(), 1);
}

void OpeningClosingTest::closingInBrowseStateClosesAtOnce()
{
    CatalogueWindow *w = p->openFromDialog(2);
    dbase::Table *table = w->table();
    QSignalSpy closed(&p->catalogues, &catalogue::Catalogues::windowClosed);
    QVERIFY(w->requestClose());
    QCOMPARE(closed.size(), 1);
    QVERIFY(!table->isActive());
    QVERIFY(!p->settings.catalogueOpen(2));
    QVERIFY(!p->main.entryVisible.value(2));
    QVERIFY(!p->main.indicators.contains(QStringLiteral("SBD2")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // No window left to act on: the record commands are off.
    QVERIFY(!p->main.activeCatalogueWindow());
    for (auto c : {core::Command::EditRecord, core::Command::NewRecord, core::Command::Preview})
        QVERIFY(!p->main.enabled(c));
    QVERIFY(!p->catalogues.window(2));
    QVERIFY(p->main.area.subWindowList().isEmpty());
}

void OpeningClosingTest::closingWithAPendingRecordAsks()
{
    // Escape discards the new record and closes the window.
    CatalogueWindow *w = p->openFromDialog(1);
    w->newRecord();
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("J1")), QStringLiteral("Zahozená"));
    QVERIFY(!w->requestClose());
    QVERIFY(p->settings.catalogueOpen(1));
    QVERIFY(w->isEditing());
    widgets::Balloon *question = CatalogueFixture::balloon(QStringLiteral("DotazKonecDialog"));
    QVERIFY(question);
    QCOMPARE(question->subtitle(), QStringLiteral("Standardní databáze programu Ordex"));
    QVERIFY(!p->main.mainWindowEnabled);
    QTest::keyClick(question, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!p->catalogues.window(1));
    QVERIFY(!p->settings.catalogueOpen(1));
    QVERIFY(p->main.mainWindowEnabled);
    QCOMPARE(p->readBack(1)->recordCount(), 0);

    // Enter saves the record, then the window closes.
    w = p->openFromDialog(2);
    w->newRecord();
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("C1")), QStringLiteral("9"));
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("J1")), QStringLiteral("Uložená"));
    QVERIFY(!w->requestClose());
    question = CatalogueFixture::balloon(QStringLiteral("DotazKonecDialog"));
    QCOMPARE(question->subtitle(), QStringLiteral("Sci-fi sbírka"));
    QTest::keyClick(question, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!p->catalogues.window(2));
    QVERIFY(!p->settings.catalogueOpen(2));
    QCOMPARE(p->readBack(2)->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Uložená"));

    // A record the table refuses: the window stays open and editable.
    w = p->openFromDialog(3);
    w->newRecord();
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("S1")), QStringLiteral("x"));
    QVERIFY(!w->requestClose());
    ErrorBoxes boxes;
    boxes.expectOne();
    CatalogueFixture::balloon(QStringLiteral("DotazKonecDialog"))->accept();
    QCOMPARE(boxes.messages.size(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(p->catalogues.window(3), w);
    QVERIFY(w->isEditing());
    QVERIFY(p->settings.catalogueOpen(3));
    QVERIFY(p->main.mainWindowEnabled);
    QCOMPARE(qobject_cast<QLineEdit *>(w->findChild<QWidget *>(QStringLiteral("S1")))->text(), QStringLiteral("x"));
}

void OpeningClosingTest::programEndWaitsForTheQuestion()
{
    CatalogueWindow *first = p->openFromDialog(1);
    CatalogueWindow *second = p->openFromDialog(2);
    QVERIFY(first && second);
    QVERIFY(p->catalogues.requestExit()); // nothing pending

    second->newRecord();
    CatalogueFixture::type(second->findChild<QWidget *>(QStringLiteral("C1")), QStringLiteral("5"));
    p->main.area.setActiveSubWindow(first->subWindow());
    QSignalSpy mayContinue(&p->catalogues, &catalogue::Catalogues::exitMayContinue);
    QVERIFY(!p->catalogues.requestExit());
    QCOMPARE(p->catalogues.exitSlot(), 2);
    widgets::Balloon *question = CatalogueFixture::balloon(QStringLiteral("DotazKonecDialog"));
    QVERIFY(question);
    QCOMPARE(question->subtitle(), QStringLiteral("Sci-fi sbírka"));
    question->accept();
    QCOMPARE(mayContinue.size(), 1);
    QCOMPARE(p->readBack(2)->recordCount(), 1);
    QVERIFY(!p->settings.catalogueOpen(2));
    QVERIFY(p->settings.catalogueOpen(1));
    QVERIFY(p->catalogues.requestExit());
}

QTEST_MAIN(OpeningClosingTest)
#include "tst_catalogue_opening_closing.moc"
