// The parts the main window is put together from, each on its own: the
// toolbar rows on a bare main window, the window arrangements of the
// catalogue area.

#include "app/CatalogueArea.h"
#include "app/ToolbarRows.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include <memory>

using app::CatalogueArea;
using app::ToolbarRows;

namespace {

// A main window with the four toolbars; every button finds an action of its
// own name.
struct Rows
{
    QMainWindow window;
    QMenu menu;
    ToolbarRows rows{window};
    QHash<QString, QAction *> actions;

    Rows()
    {
        rows.create(
            [this](const QString &name) {
                QAction *&a = actions[name];
                if (!a)
                    a = new QAction(name, &window);
                return a;
            },
            &menu, new QLineEdit);
        window.setCentralWidget(new QLabel(QStringLiteral("area")));
        window.resize(900, 400);
        window.show();
        window.layout()->activate();
    }
    QToolBar *bar(ToolbarRows::Bar b) const { return rows.toolbar(b); }
    int row(ToolbarRows::Bar b) const { return bar(b)->geometry().top(); }
};

QMdiSubWindow *addWindow(CatalogueArea &area, const QString &name)
{
    QMdiSubWindow *sub = area.addSubWindow(new QLabel(name));
    sub->setObjectName(name);
    sub->resize(300, 200);
    sub->show();
    return sub;
}

} // namespace

class FrameTest : public QObject
{
    Q_OBJECT

private slots:
    void toolbarsAreBuiltInTheirRows();
    void redockedToolbarReturnsToItsRow();
    void closingAFloatingToolbarIsReported();
    void iconsFillRowsFromTheBottomUpwards();
    void cascadeRestoresIconsAndSizesOpenCatalogues();
    void areaScrollsToAWindowReachingPastIt();
};

void FrameTest::toolbarsAreBuiltInTheirRows()
{
    Rows r;
    QCOMPARE(r.row(ToolbarRows::Standardni), r.row(ToolbarRows::Databaze));
    QCOMPARE(r.row(ToolbarRows::Standardni), r.row(ToolbarRows::Okna));
    QVERIFY(r.row(ToolbarRows::TipyDne) > r.row(ToolbarRows::Standardni));
    // The buttons show the commands found by their own names, separators
    // where the names leave a gap, the close button last.
    QToolBar *windows = r.bar(ToolbarRows::Okna);
    const QList<QAction *> items = windows->actions();
    QCOMPARE(items.size(), 8);
    QCOMPARE(items.at(0), r.actions.value(QStringLiteral("TO1")));
    QVERIFY(items.at(3)->isSeparator());
    QCOMPARE(items.at(6), r.actions.value(QStringLiteral("ToolbarButton9722")));
    QCOMPARE(items.at(7)->objectName(), QStringLiteral("OknaLZavrit"));
    QCOMPARE(windows->findChild<QWidget *>(QStringLiteral("TO4"))->size(), QSize(23, 22));
    QVERIFY(r.bar(ToolbarRows::TipyDne)->findChild<QLineEdit *>());
}

void FrameTest::redockedToolbarReturnsToItsRow()
{
    Rows r;
    QToolBar *standard = r.bar(ToolbarRows::Standardni);
    QToolBar *database = r.bar(ToolbarRows::Databaze);
    QToolBar *windows = r.bar(ToolbarRows::Okna);
    QToolBar *tips = r.bar(ToolbarRows::TipyDne);
    QAction *close = windows->findChild<QAction *>(QStringLiteral("OknaLZavrit"));

    // Okna floats: the close button appears; the rules leave it floating
    // while they repair the others.
    emit windows->topLevelChanged(true);
    QVERIFY(close->isVisible());
    database->hide();
    r.window.insertToolBar(tips, standard);
    r.window.layout()->activate();
    QCOMPARE(r.row(ToolbarRows::Standardni), r.row(ToolbarRows::TipyDne));
    r.rows.enforce();
    r.window.layout()->activate();
    QVERIFY(r.row(ToolbarRows::Standardni) < r.row(ToolbarRows::TipyDne));
    QVERIFY(database->isHidden());

    // Okna docks again, at the far end of the tips row: the docking alone,
    // without a release of the mouse, puts it back after the others.
    database->show();
    r.window.insertToolBar(tips, windows);
    emit windows->topLevelChanged(false);
    QVERIFY(!close->isVisible());
    r.window.layout()->activate();
    QCOMPARE(r.row(ToolbarRows::Okna), r.row(ToolbarRows::Standardni));
    QVERIFY(r.row(ToolbarRows::TipyDne) > r.row(ToolbarRows::Okna));
    QVERIFY(standard->x() < database->x() && database->x() < windows->x());
    QVERIFY(!tips->isHidden());

    // The tips toolbar docked into the first row goes back to the second
    // when it is moved; hidden, it stays hidden.
    tips->hide();
    r.window.removeToolBarBreak(tips);
    tips->show();
    r.window.layout()->activate();
    QCOMPARE(r.row(ToolbarRows::TipyDne), r.row(ToolbarRows::Standardni));
    QTest::mouseRelease(tips, Qt::LeftButton);
    QTRY_VERIFY(r.row(ToolbarRows::TipyDne) > r.row(ToolbarRows::Standardni));
}

void FrameTest::closingAFloatingToolbarIsReported()
{
    Rows r;
    QList<ToolbarRows::Bar> closed;
    QObject::connect(&r.rows, &ToolbarRows::closedByUser, &r.rows,
                     [&closed](ToolbarRows::Bar b) { closed.append(b); });
    for (ToolbarRows::Bar b : {ToolbarRows::TipyDne, ToolbarRows::Standardni}) {
        QToolBar *bar = r.bar(b);
        bar->findChild<QAction *>(bar->objectName() + QStringLiteral("Zavrit"))->trigger();
    }
    QCOMPARE(closed, (QList<ToolbarRows::Bar>{ToolbarRows::TipyDne, ToolbarRows::Standardni}));
}

void FrameTest::iconsFillRowsFromTheBottomUpwards()
{
    CatalogueArea area;
    area.resize(420, 360);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QList<QMdiSubWindow *> windows;
    for (int i = 1; i <= 4; ++i)
        windows.append(addWindow(area, QStringLiteral("Databaze%1Dialog").arg(i)));
    QMdiSubWindow *restored = addWindow(area, QStringLiteral("Other"));
    restored->move(10, 10);
    area.minimiseAll();
    for (QMdiSubWindow *w : windows)
        QVERIFY(w->isMinimized());
    restored->showNormal();
    restored->move(10, 10);

    area.arrangeIcons();
    const QRect view = area.viewport()->rect();
    const QSize icon = windows.first()->size();
    QVERIFY(icon.width() * 2 <= view.width() && icon.width() * 4 > view.width());
    const int perRow = view.width() / icon.width();
    for (int i = 0; i < windows.size(); ++i) {
        const QPoint expected((i % perRow) * icon.width(), view.height() - (i / perRow + 1) * icon.height());
        QCOMPARE(windows.at(i)->pos(), expected);
    }
    // The second row lies on the first, with no gap and no overlap.
    QCOMPARE(windows.at(perRow)->geometry().bottom() + 1, windows.first()->geometry().top());
    QCOMPARE(restored->pos(), QPoint(10, 10));
}

void FrameTest::cascadeRestoresIconsAndSizesOpenCatalogues()
{
    CatalogueArea area;
    area.resize(800, 600);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QMdiSubWindow *one = addWindow(area, QStringLiteral("Databaze1Dialog"));
    QMdiSubWindow *two = addWindow(area, QStringLiteral("Databaze2Dialog"));
    QMdiSubWindow *four = addWindow(area, QStringLiteral("Databaze4Dialog"));
    QCOMPARE(area.windowOfSlot(2), two);
    QCOMPARE(area.windowOfSlot(3), nullptr);
    two->showMinimized();

    area.cascade([](int slot) { return slot != 4; }); // 4's marker says closed
    const QSize client(CatalogueArea::CascadeClientWidth, CatalogueArea::CascadeClientHeight);
    QVERIFY(!two->isMinimized());
    QCOMPARE(one->contentsRect().size(), client);
    QCOMPARE(two->contentsRect().size(), client);
    QVERIFY(four->contentsRect().size() != client);
}

void FrameTest::areaScrollsToAWindowReachingPastIt()
{
    // A catalogue window in its cascade size, in the area of a main window
    // at its restored size: the window's footer lies below the area.
    CatalogueArea area;
    area.resize(440, 250);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QScrollBar *down = area.verticalScrollBar();
    QScrollBar *across = area.horizontalScrollBar();
    QVERIFY(!down->isVisible() && !across->isVisible());
    QMdiSubWindow *big = addWindow(area, QStringLiteral("Databaze1Dialog"));
    CatalogueArea::setClientSize(big, CatalogueArea::CascadeClientWidth, CatalogueArea::CascadeClientHeight);
    big->move(0, 0);
    QTRY_VERIFY(down->isVisible() && across->isVisible());

    // Scrolled to the end, the window's bottom right corner is in view.
    down->setValue(down->maximum());
    across->setValue(across->maximum());
    const QRect view = area.viewport()->rect();
    QVERIFY(view.contains(big->geometry().bottomRight()));
    QVERIFY(!view.contains(big->geometry().topLeft()));

    // Tiled, the windows fit the whole area and the bars go.
    QMdiSubWindow *small = addWindow(area, QStringLiteral("Databaze2Dialog"));
    area.tileStacked();
    QTRY_VERIFY(!down->isVisible() && !across->isVisible());
    const QRect whole = area.viewport()->rect();
    QCOMPARE(big->geometry(), QRect(0, 0, whole.width(), whole.height() / 2));
    QCOMPARE(small->geometry().bottomRight(), whole.bottomRight());
}

QTEST_MAIN(FrameTest)
#include "tst_app_frame.moc"
