// The assistant figure: its corner, the family setting it keeps, dragging,
// the double-click that opens the welcome dialog, and the two placements of
// dialogs beside and above it.

#include "GuidanceFixture.h"

#include "guidance/UvitaniDialog.h"

#include <QMouseEvent>
#include <QTest>

using guidance::PanelPlacement;
using guidance::PomocnikDialog;

namespace {

// A plain frameless window standing in for a balloon or panel dialog.
std::unique_ptr<QWidget> dialogOfSize(int width, int height)
{
    auto dialog = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    dialog->setFixedSize(width, height);
    return dialog;
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons)
{
    const QPointF local = widget->mapFromGlobal(global);
    QMouseEvent event(type, local, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class AssistantTest : public QObject
{
    Q_OBJECT

private slots:
    void showAndCloseKeepTheFamilySetting()
    {
        GuidanceFixture f;
        QCOMPARE(f.assistant->pos(), QPoint(1024 - 104 - 12, 768 - 104 - 30));
        QCOMPARE(f.assistant->size(), QSize(104, 104));
        f.writeTessera("Pomocnik", QStringLiteral("0"));
        f.assistant->show();
        QCOMPARE(f.tessera("Pomocnik"), QStringLiteral("1"));
        f.assistant->close();
        QVERIFY(f.assistant->isHidden());
        QCOMPARE(f.tessera("Pomocnik"), QStringLiteral("0"));
        // Hiding for a move is no close: the setting stays.
        f.assistant->show();
        f.assistant->hide();
        QCOMPARE(f.tessera("Pomocnik"), QStringLiteral("1"));
    }

    void leftButtonDragsTheFigure()
    {
        GuidanceFixture f;
        f.assistant->show();
        const QPoint start = f.assistant->pos();
        const QPoint grip = start + QPoint(50, 50);
        sendMouse(f.assistant.get(), QEvent::MouseButtonPress, grip, Qt::LeftButton);
        sendMouse(f.assistant.get(), QEvent::MouseMove, grip - QPoint(300, 200), Qt::LeftButton);
        sendMouse(f.assistant.get(), QEvent::MouseButtonRelease, grip - QPoint(300, 200), Qt::NoButton);
        QCOMPARE(f.assistant->pos(), start - QPoint(300, 200));
        // A move without the button held does not drag.
        sendMouse(f.assistant.get(), QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
        QCOMPARE(f.assistant->pos(), start - QPoint(300, 200));
    }

    void balloonBesideTheFigure()
    {
        GuidanceFixture f;
        f.assistant->show();
        auto balloon = dialogOfSize(300, 98);
        f.assistant->placeBeside(balloon.get());
        // At home the figure stays where it is.
        QCOMPARE(f.assistant->pos(), QPoint(1024 - 104 - 12, 768 - 104 - 30));
        QVERIFY(balloon->isVisible());
        QCOMPARE(balloon->geometry().bottom(), f.assistant->geometry().bottom());
        QCOMPARE(balloon->geometry().right() + 1 - f.assistant->x(), 45);

        // The warning balloon that stands 15 pixels lower.
        auto warning = dialogOfSize(320, 97);
        f.assistant->placeBeside(warning.get(), 15);
        QCOMPARE(warning->y(), f.assistant->y() + 104 - 97 + 15);
    }

    void balloonBringsDraggedFigureHome()
    {
        GuidanceFixture f;
        f.assistant->show();
        f.assistant->move(0, 0);
        auto balloon = dialogOfSize(300, 98);
        f.assistant->placeBeside(balloon.get());
        QCOMPARE(f.assistant->pos(), QPoint(1024 - 104 - 7, 768 - 104 - 25));
        QVERIFY(f.assistant->isVisible());
        QCOMPARE(balloon->pos(), QPoint(1024 - 104 - 7 - 300 + 45, 768 - 25 - 98));

        // Dragged below its place near the bottom edge: home again.
        f.assistant->move(600, 700);
        f.assistant->placeBeside(balloon.get());
        QCOMPARE(f.assistant->pos(), QPoint(1024 - 104 - 7, 768 - 104 - 25));
    }

    void placementShowsClosedFigure()
    {
        GuidanceFixture f;
        f.assistant->show();
        f.assistant->close();
        QCOMPARE(f.tessera("Pomocnik"), QStringLiteral("0"));
        auto balloon = dialogOfSize(300, 98);
        f.assistant->placeBeside(balloon.get());
        QVERIFY(f.assistant->isVisible());
        QCOMPARE(f.tessera("Pomocnik"), QStringLiteral("1"));

        f.assistant->close();
        auto panel = dialogOfSize(389, 250);
        f.assistant->placeAbove(panel.get(), PanelPlacement::Standard);
        QVERIFY(f.assistant->isVisible());
        QCOMPARE(f.tessera("Pomocnik"), QStringLiteral("1"));

        // Setting on, figure hidden (another program wrote "1"): still shown.
        f.assistant->hide();
        f.writeTessera("Pomocnik", QStringLiteral("1"));
        f.assistant->placeBeside(balloon.get());
        QVERIFY(f.assistant->isVisible());
    }

    void panelAboveTheFigure_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QPoint>("assistantAt");
        QTest::addColumn<QPoint>("assistantAfter");
        QTest::addColumn<QPoint>("dialogAt");
        const QPoint home(1024 - 104 - 12, 768 - 104 - 30);
        // Standard row: a = 36, b = -28, corner 12/30, c = 38; dialog 300 x 250.
        QTest::newRow("standard, too far left")
            << 0 << QPoint(231, 600) << home << QPoint(home.x() + 104 - 300 - 38, home.y() - 250 + 30);
        QTest::newRow("standard, left just enough")
            << 0 << QPoint(232, 600) << QPoint(232, 600) << QPoint(232 + 104 - 300 - 38, 600 - 250 + 30);
        QTest::newRow("standard, too high")
            << 0 << QPoint(500, 221) << home << QPoint(home.x() + 104 - 300 - 38, home.y() - 250 + 30);
        QTest::newRow("standard, high just enough")
            << 0 << QPoint(500, 222) << QPoint(500, 222) << QPoint(500 + 104 - 300 - 38, 222 - 250 + 30);
        // Help row: a = 30, b = +10, corner 7/25, c = 40.
        const QPoint helpHome(1024 - 104 - 7, 768 - 104 - 25);
        QTest::newRow("help, top left")
            << 1 << QPoint(0, 0) << helpHome << QPoint(helpHome.x() + 104 - 300 - 40, helpHome.y() - 250 + 30);
        QTest::newRow("help, fits")
            << 1 << QPoint(500, 260) << QPoint(500, 260) << QPoint(500 + 104 - 300 - 40, 260 - 250 + 30);
    }

    void panelAboveTheFigure()
    {
        QFETCH(int, row);
        QFETCH(QPoint, assistantAt);
        QFETCH(QPoint, assistantAfter);
        QFETCH(QPoint, dialogAt);
        GuidanceFixture f;
        f.assistant->show();
        f.assistant->move(assistantAt);
        auto panel = dialogOfSize(300, 250);
        f.assistant->placeAbove(panel.get(), row == 0 ? PanelPlacement::Standard : PanelPlacement::Help);
        QCOMPARE(f.assistant->pos(), assistantAfter);
        QCOMPARE(panel->pos(), dialogAt);
        QVERIFY(panel->isVisible());
    }

    void doubleClickOpensWelcome()
    {
        GuidanceFixture f;
        guidance::UvitaniDialog welcome(f.shell, f.suite, f.dir, *f.assistant);
        f.assistant->setWelcomeDialog(&welcome);
        f.assistant->show();
        // Too close to the top for the welcome dialog above it.
        f.assistant->move(700, 100);
        QTest::mouseDClick(f.assistant.get(), Qt::LeftButton, {}, QPoint(50, 50));
        const QPoint home(1024 - 104 - 12, 768 - 104 - 30);
        QCOMPARE(f.assistant->pos(), home);
        QVERIFY(welcome.isVisible());
        QCOMPARE(welcome.pos(), QPoint(home.x() + 104 - 389 - 38, home.y() - 140 + 30));
        QVERIFY(!f.shell.mainWindowEnabled);
        QVERIFY(!f.assistant->isEnabled());
        QVERIFY(f.shell.indicator(QStringLiteral("SBO8")));

        // While the welcome dialog is up the figure ignores the mouse.
        welcome.hide();
        f.shell.setMainWindowEnabled(false);
        f.assistant->move(10, 10);
        QTest::mouseDClick(f.assistant.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(welcome.isHidden());
        QCOMPARE(f.assistant->pos(), QPoint(10, 10));
    }

    void doubleClickWithoutWelcomeIsHarmless()
    {
        // The second instance has no welcome dialog.
        GuidanceFixture f;
        f.assistant->centreOnScreen();
        QCOMPARE(f.assistant->pos(), QPoint(512 - 52, 384 - 52));
        f.assistant->show();
        QTest::mouseDClick(f.assistant.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(f.assistant->pos(), QPoint(512 - 52, 384 - 52));
        QVERIFY(f.assistant->isVisible());
    }
};

QTEST_MAIN(AssistantTest)
#include "tst_guidance_assistant.moc"
