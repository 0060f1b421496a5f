// The start: the splash and its progress, the main window as the program's
// window, and the second start that shows only the assistant and a notice.

#include "AppFixture.h"

#include "app/KopieDialog.h"
#include "app/SpusteniDialog.h"
#include "core/DataModule.h"
#include "guidance/PomocnikDialog.h"
#include "guidance/TipyDialog.h"
#include "widgets/Colors.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void splashProgressOnlyGrows();
    void splashShowsUnknownOwnerLines();
    void mainWindowComesUpMaximised();
    void tipsAtStartHoldBackTheAssistant();
    void secondStartShowsOnlyTheNotice();
    void noticeEndsWithEscapeToo();
    void assistantOfSecondStartIgnoresDoubleClick();
    void damagedSettingsAreReportedOnce();
};

void StartupTest::splashProgressOnlyGrows()
{
    AppFixture f;
    auto program = f.start();
    const QList<int> expected = {3,  4,  10, 14, 17, 20, 24, 27, 30, 34, 37, 40, 44, 47,
                                 50, 54, 57, 60, 64, 70, 77, 80, 84, 87, 90, 93, 97, 100};
    QCOMPARE(program->progressValues(), expected);
    // The splash is gone once the main window is up.
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!(qobject_cast<app::SpusteniDialog *>(w) && w->isVisible()));
}

void StartupTest::splashShowsUnknownOwnerLines()
{
    qunsetenv("ORGANIZATION");
    app::SpusteniDialog splash;
    QCOMPARE(splash.size(), QSize(339, 288));
    QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.findChild<QLabel *>("Label5")->text(), QStringLiteral("unknown"));
    QVERIFY(!splash.findChild<QLabel *>("Label4")->text().isEmpty());
    QWidget *metr = splash.findChild<QWidget *>("Metr");
    QVERIFY(metr);
    QCOMPARE(metr->size(), QSize(231, 17));
    QCOMPARE(splash.progress(), 0);
    splash.setProgress(40);
    QCOMPARE(metr->property("value").toInt(), 40);
}

void StartupTest::mainWindowComesUpMaximised()
{
    AppFixture f;
    auto program = f.start();
    app::HlavniDialog *main = program->mainWindow();
    QVERIFY(main->isVisible());
    QVERIFY(main->isMaximized());
    QCOMPARE(main->objectName(), QStringLiteral("HlavniDialog"));
    main->showNormal();
    QTRY_COMPARE(main->size(), QSize(607, 416));
    QVERIFY(program->dataModule());
    QVERIFY(program->notice() == nullptr);
    // No book table is opened by the start.
    for (int slot = 1; slot <= 4; ++slot)
        QVERIFY(!program->dataModule()->bookTable(slot)->isActive());
    // Welcome and assistant follow the family settings (both on when fresh).
    QTRY_VERIFY(program->assistant()->isVisible());
}

void StartupTest::tipsAtStartHoldBackTheAssistant()
{
    AppFixture f;
    auto program = f.start(true);
    QTRY_VERIFY(program->tipsDialog()->isVisible());
    QVERIFY(!program->assistant()->isVisible());
    QVERIFY(!program->mainWindow()->isEnabled());
}

void StartupTest::secondStartShowsOnlyTheNotice()
{
    AppFixture f;
    auto first = f.start();
    QVERIFY(first->mainWindow());

    app::ProgramContext second(f.dir(), f.key);
    QSignalSpy finished(&second, &app::ProgramContext::finished);
    QVERIFY(!second.start());
    QVERIFY(second.mainWindow() == nullptr);
    QVERIFY(second.dataModule() == nullptr);
    QVERIFY(second.progressValues().isEmpty());
    app::KopieDialog *notice = second.notice();
    guidance::PomocnikDialog *assistant = second.assistant();
    QVERIFY(notice && notice->isVisible());
    QTRY_VERIFY(assistant->isVisible());
    QVERIFY(!assistant->isEnabled());
    QCOMPARE(f.suite("Nastaveni", "Pomocnik"), QStringLiteral("1"));

    // The notice stands left of the centred assistant, 35 pixels over it,
    // bottoms level.
    const QRect a = assistant->geometry();
    QCOMPARE(notice->geometry().left(), a.left() - 320 + 35);
    QCOMPARE(notice->geometry().bottom(), a.bottom());
    QCOMPARE(notice->size(), QSize(320, 97));

    // It blinks between the two pinks, starting with the strong one.
    const QColor strong = widgets::fromColorRef(10184434);
    const QColor light = widgets::fromColorRef(13547001);
    QCOMPARE(notice->backgroundColor(), strong);
    QTRY_COMPARE_WITH_TIMEOUT(notice->backgroundColor(), light, 1500);
    QTRY_COMPARE_WITH_TIMEOUT(notice->backgroundColor(), strong, 1500);

    // Enter ends the second instance, closing its assistant.
    QTest::keyClick(notice, Qt::Key_Return);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!assistant->isVisible());
    QCOMPARE(f.suite("Nastaveni", "Pomocnik"), QStringLiteral("0"));
    // It ends once, though its assistant has closed as well.
    QTest::qWait(20);
    QCOMPARE(finished.count(), 1);
    // The first instance is untouched.
    QVERIFY(first->mainWindow()->isVisible());
}

void StartupTest::noticeEndsWithEscapeToo()
{
    AppFixture f;
    auto first = f.start();
    app::ProgramContext second(f.dir(), f.key);
    QSignalSpy finished(&second, &app::ProgramContext::finished);
    QVERIFY(!second.start());
    QTest::keyClick(second.notice(), Qt::Key_Escape);
    QCOMPARE(finished.count(), 1);
    // Once the first instance has ended, the next start is a first one again.
    QVERIFY(first->mainWindow()->close());
    first.reset();
    app::ProgramContext third(f.dir(), f.key);
    QVERIFY(third.start());
}

void StartupTest::assistantOfSecondStartIgnoresDoubleClick()
{
    AppFixture f;
    auto first = f.start();
    app::ProgramContext second(f.dir(), f.key);
    QSignalSpy finished(&second, &app::ProgramContext::finished);
    QVERIFY(!second.start());
    guidance::PomocnikDialog *assistant = second.assistant();
    // The notice closed by other means than its button gives the assistant
    // back its input; the instance goes on.
    second.notice()->close();
    QVERIFY(assistant->isEnabled());
    QCOMPARE(finished.count(), 0);
    // A double-click there would lead to the welcome dialog this instance
    // never made: nothing happens.
    const int before = int(QApplication::topLevelWidgets().size());
    QTest::mouseDClick(assistant, Qt::LeftButton, {}, QPoint(50, 50));
    QCoreApplication::processEvents();
    QVERIFY(assistant->isVisible());
    QCOMPARE(int(QApplication::topLevelWidgets().size()), before);
    QCOMPARE(finished.count(), 0);
    // Closing the assistant itself ends this instance.
    assistant->close();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(f.suite("Nastaveni", "Pomocnik"), QStringLiteral("0"));
}

QTEST_MAIN(StartupTest)
#include "tst_app_startup.moc"

void StartupTest::damagedSettingsAreReportedOnce()
{
    AppFixture f;
    const QString path = f.dir().file(QStringLiteral("Ordex2000.ini"));
    QFile ini(path);
    QVERIFY(ini.open(QIODevice::Append));
    ini.write(QByteArray("[Zobrazit]\r\nOkna=1\0\r\nPozn\x81mka=\r\n", 32));
    ini.close();
    auto program = f.start();
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            boxes << box;
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first()->text().contains(QStringLiteral("Ordex2000.ini"))
                 && boxes.first()->text().contains(QStringLiteral("celkem 2")),
             qPrintable(boxes.first()->text()));
    QVERIFY(program->mainWindow()->isVisible()); // the program runs on with the defaults
    boxes.first()->close();
}
