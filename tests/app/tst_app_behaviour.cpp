// The program as a user leaves and rearranges it: the unsaved-record
// question answered each way from each road that closes a catalogue window,
// the assistant's family setting across a normal end, the go-to submenu after
// a dialog, and the side bar's pages against the main window's size.

#include "AppFixture.h"

#include "support/Typing.h"

#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/DataModule.h"
#include "core/SuiteSettings.h"
#include "dbase/Table.h"
#include "guidance/PomocnikDialog.h"
#include "widgets/Balloon.h"
#include "widgets/OfficeButton.h"
#include "widgets/RecordMenu.h"

#include <QApplication>
#include <QMenu>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using app::HlavniDialog;

namespace {

enum Road { OwnCloseButton, CloseCommand, ExitCommand };
enum Answer { YesButton, EnterKey, NoButton, EscapeKey };

widgets::Balloon *visibleBalloon(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return qobject_cast<widgets::Balloon *>(w);
    }
    return nullptr;
}

// "Zavřít" is on while a catalogue window is active, from the moment the
// Soubor menu opens.
void openSouborMenu(HlavniDialog *main)
{
    QMenu *soubor = main->findChild<QMenu *>(QStringLiteral("Soubor"));
    QVERIFY(soubor);
    emit soubor->aboutToShow();
    emit soubor->aboutToHide();
}

// The books of the standard catalogue as they stand on disk.
QStringList storedTitles(core::DataModule *data)
{
    dbase::Table *t = data->bookTable(1);
    const bool wasOpen = t->isActive();
    if (!wasOpen)
        t->open();
    QStringList titles;
    for (t->first(); !t->eof(); t->next())
        titles << t->fieldText(QStringLiteral("NAZEV"));
    if (!wasOpen)
        t->close();
    return titles;
}

} // namespace

class BehaviourTest : public QObject
{
    Q_OBJECT

private slots:
    void closeQuestionAnswersEachWay_data();
    void closeQuestionAnswersEachWay();
    void refusedSaveKeepsTheWindowAndTheText();
    void normalEndKeepsTheAssistantOn();
    void goToSubmenuStaysOffAfterADialog();
    void sideBarPagesKeepTheWindowSize();
    void contextMenuShowsPicturesAndFullKeyNames();
    void tipLineLeavesRoomForItsButtons();
    void cascadeAfterMinimiseShowsEveryWindow();
    void keyboardStaysWithTheWindowAfterASave();
};

void BehaviourTest::closeQuestionAnswersEachWay_data()
{
    QTest::addColumn<int>("road");
    QTest::addColumn<int>("answer");
    const std::pair<const char *, int> roads[] = {
        {"X", OwnCloseButton}, {"Zavřít", CloseCommand}, {"Konec", ExitCommand}};
    const std::pair<const char *, int> answers[] = {
        {"Ano", YesButton}, {"Enter", EnterKey}, {"Ne", NoButton}, {"Esc", EscapeKey}};
    for (const auto &[roadName, road] : roads)
        for (const auto &[answerName, answer] : answers)
            QTest::addRow("%s/%s", roadName, answerName) << road << answer;
}

void BehaviourTest::closeQuestionAnswersEachWay()
{
    QFETCH(int, road);
    QFETCH(int, answer);
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    catalogue::CatalogueWindow *w = program->catalogues()->open(1);
    QVERIFY(w);
    QTRY_COMPARE(main->activeSlot(), 1);
    w->newRecord();
    typeText(w->findChild<QWidget *>(QStringLiteral("C1")), QStringLiteral("12"));
    typeText(w->findChild<QWidget *>(QStringLiteral("J1")), QStringLiteral("Kniha"));
    QSignalSpy finished(program.get(), &app::ProgramContext::finished);

    switch (road) {
    case OwnCloseButton:
        QVERIFY(!w->subWindow()->close());
        break;
    case CloseCommand:
        openSouborMenu(main);
        commandOf(main, "MS3")->trigger();
        break;
    case ExitCommand:
        commandOf(main, "MS8")->trigger();
        break;
    }
    widgets::Balloon *question = visibleBalloon(QStringLiteral("DotazKonecDialog"));
    QVERIFY(question);
    // The question disables the main window and with it the catalogue
    // window; the record is still being edited.
    QVERIFY(!main->isEnabled());
    QVERIFY(w->isEditing());
    QCOMPARE(f.ini("Otevreni", "Databaze1"), QStringLiteral("1"));

    switch (answer) {
    case YesButton:
        QTest::mouseClick(question->yesButton(), Qt::LeftButton);
        break;
    case EnterKey:
        QTest::keyClick(question, Qt::Key_Return);
        break;
    case NoButton:
        QTest::mouseClick(question->noButton(), Qt::LeftButton);
        break;
    case EscapeKey:
        QTest::keyClick(question, Qt::Key_Escape);
        break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!visibleBalloon(QStringLiteral("DotazKonecDialog")));
    QVERIFY(!program->catalogues()->window(1));
    QCOMPARE(f.ini("Otevreni", "Databaze1"), QStringLiteral("0"));
    const bool saved = answer == YesButton || answer == EnterKey;
    QCOMPARE(storedTitles(program->dataModule()),
             saved ? QStringList{QStringLiteral("Kniha")} : QStringList());
    // The end of the program goes on once the question is answered.
    QCOMPARE(finished.count(), road == ExitCommand ? 1 : 0);
    if (road != ExitCommand)
        QVERIFY(main->isEnabled());
}

void BehaviourTest::refusedSaveKeepsTheWindowAndTheText()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    catalogue::CatalogueWindow *w = program->catalogues()->open(1);
    QVERIFY(w);
    w->newRecord();
    QWidget *pages = w->findChild<QWidget *>(QStringLiteral("S1"));
    typeText(pages, QStringLiteral("x"));
    openSouborMenu(main);
    commandOf(main, "MS3")->trigger();
    widgets::Balloon *question = visibleBalloon(QStringLiteral("DotazKonecDialog"));
    QVERIFY(question);
    // The table refuses "x" as a page count: an error box, then the window
    // stays in edit mode with what the user typed.
    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    question->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(program->catalogues()->window(1), w);
    QVERIFY(w->isEditing());
    QCOMPARE(pages->property("text").toString(), QStringLiteral("x"));
    QCOMPARE(f.ini("Otevreni", "Databaze1"), QStringLiteral("1"));
    QVERIFY(main->isEnabled());
}

void BehaviourTest::normalEndKeepsTheAssistantOn()
{
    AppFixture f;
    core::SuiteSettings(f.dir()).setAssistantShown(true);
    {
        auto program = f.start();
        QVERIFY(program->assistant()->isVisible());
        QVERIFY(program->mainWindow()->close());
        // What the application's quit does: it closes every window that
        // still has one on the screen's side, hidden ones included.
        QApplication::closeAllWindows();
        program->assistant()->close();
        QCOMPARE(f.suite("Nastaveni", "Pomocnik"), QStringLiteral("1"));
    }
    QCOMPARE(f.suite("Nastaveni", "Pomocnik"), QStringLiteral("1"));

    // The user's own close of the figure still switches it off.
    auto program = f.start();
    QVERIFY(program->assistant()->isVisible());
    QVERIFY(program->assistant()->close());
    QCOMPARE(f.suite("Nastaveni", "Pomocnik"), QStringLiteral("0"));
}

void BehaviourTest::goToSubmenuStaysOffAfterADialog()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    QAction *goTo = commandOf(main, "MU8");
    QVERIFY(!goTo->isEnabled());
    // A dialog disables the main window while it is up, and enables it when
    // it goes; the submenu stays off.
    main->setMainWindowEnabled(false);
    main->setMainWindowEnabled(true);
    QCoreApplication::processEvents();
    QVERIFY(!goTo->isEnabled());

    // With a catalogue open the refresh switches it on, and a dialog does
    // not switch it off.
    QVERIFY(program->catalogues()->open(1));
    QTRY_COMPARE(main->activeSlot(), 1);
    main->refresh();
    QVERIFY(goTo->isEnabled());
    main->setMainWindowEnabled(false);
    main->setMainWindowEnabled(true);
    main->refresh();
    QVERIFY(goTo->isEnabled());
}

void BehaviourTest::sideBarPagesKeepTheWindowSize()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    main->showNormal();
    QCoreApplication::processEvents();
    const QSize size = main->size();
    const QSize minimum = main->minimumSizeHint();
    // The contents fit the restored size.
    QVERIFY2(minimum.width() <= 607 && minimum.height() <= 416,
             qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
    for (int page : {1, 2, 0, 1, 0}) {
        auto *header = main->findChild<QToolButton *>(
            QStringLiteral("LookOutPage%1Header").arg(page + 1));
        QVERIFY(header);
        header->click();
        QCoreApplication::processEvents();
        QCOMPARE(main->minimumSizeHint(), minimum);
        QCOMPARE(main->size(), size);
    }
}

void BehaviourTest::contextMenuShowsPicturesAndFullKeyNames()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    catalogue::CatalogueWindow *w = program->catalogues()->open(1);
    QVERIFY(w);
    // Every item of the window's menu shows the picture of its twin in the
    // main menu, and the title bar the program's own picture.
    const char *items[] = {"MP0", "MP01", "MP1", "MP2", "MP3", "MP4", "MP5", "MP6",
                           "MP13", "MP7", "MP8", "MP9", "MP10", "MP11", "MP12"};
    for (const char *name : items) {
        QAction *a = w->findChild<QAction *>(QLatin1String(name));
        QVERIFY2(a && !a->icon().isNull(), name);
    }
    QCOMPARE(w->findChild<QAction *>("MP4")->icon().cacheKey(), commandOf(main, "MU4")->icon().cacheKey());
    QVERIFY(!w->subWindow()->windowIcon().isNull());
    QCOMPARE(w->subWindow()->windowIcon().cacheKey(), main->windowIcon().cacheKey());

    // The keys read as the window's menu names them.
    auto *menu = w->findChild<widgets::RecordMenu *>(QStringLiteral("PopupMenu1"));
    QVERIFY(menu);
    QVERIFY(w->findChild<widgets::RecordMenu *>(QStringLiteral("MPMenu")));
    const std::pair<const char *, const char *> keys[] = {
        {"MP4", "Ctrl+Delete"}, {"MP5", "Ctrl+Insert"}, {"MP6", "Enter"},
        {"MP12", "Insert"}, {"MP01", "Ctrl+P"}, {"MP8", "F5"}};
    for (const auto &[name, text] : keys) {
        // What the menu shows: the text after a tab, or else the shortcut.
        const QAction *a = w->findChild<QAction *>(QLatin1String(name));
        const qsizetype tab = a->text().indexOf(QLatin1Char('\t'));
        const QString shown = tab >= 0 ? a->text().mid(tab + 1)
                                       : a->shortcut().toString(QKeySequence::NativeText);
        QCOMPARE(shown, QLatin1String(text));
    }
    // The main menu's save reads "Enter" as well.
    QCOMPARE(commandOf(main, "MU6")->shortcut().toString(QKeySequence::NativeText), QStringLiteral("Enter"));
}

void BehaviourTest::tipLineLeavesRoomForItsButtons()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    main->showNormal();
    auto *line = main->findChild<QWidget *>(QStringLiteral("DBEdit1"));
    auto *manual = main->findChild<QWidget *>(QStringLiteral("EM1"));
    QVERIFY(line && manual);
    for (int width : {800, 607, 1280}) {
        main->resize(width, 500);
        QCoreApplication::processEvents();
        main->refresh();
        QCoreApplication::processEvents();
        QCOMPARE(line->width(), main->width() - 156);
        // The last button of the tips toolbar is still on it.
        QVERIFY2(manual->isVisible(), qPrintable(QString::number(width)));
    }
}

void BehaviourTest::cascadeAfterMinimiseShowsEveryWindow()
{
    AppFixture f;
    auto program = f.start();
    HlavniDialog *main = program->mainWindow();
    catalogue::CatalogueWindow *first = program->catalogues()->open(1);
    QVERIFY(first);
    QTRY_COMPARE(main->activeSlot(), 1);
    main->refresh();
    commandOf(main, "MO4")->trigger();
    QVERIFY(first->subWindow()->isMinimized());
    commandOf(main, "MO3")->trigger();
    QCoreApplication::processEvents();
    // Back among the cascade with its client size, not an icon.
    QVERIFY(!first->subWindow()->isMinimized());
    QCOMPARE(first->size(), QSize(517, 305));
}

void BehaviourTest::keyboardStaysWithTheWindowAfterASave()
{
    AppFixture f;
    auto program = f.start();
    catalogue::CatalogueWindow *w = program->catalogues()->open(1);
    QVERIFY(w);
    w->newRecord();
    QWidget *title = w->findChild<QWidget *>(QStringLiteral("J1"));
    title->setFocus();
    typeText(title, QStringLiteral("Kniha"));
    QVERIFY(w->saveRecord());
    // Not the untitled tab of the page: the window itself, so that its keys
    // (F5..F8, Insert) go on working.
    QWidget *focus = QApplication::focusWidget();
    if (focus) {
        QVERIFY(!qobject_cast<QTabBar *>(focus));
        QVERIFY(focus == w || w->isAncestorOf(focus));
    }
    auto *pages = w->findChild<QTabWidget *>(QStringLiteral("Zalozky"));
    QVERIFY(pages);
    QCOMPARE(pages->tabBar()->focusPolicy(), Qt::NoFocus);
}

QTEST_MAIN(BehaviourTest)
#include "tst_app_behaviour.moc"
