// Gradient bar and title, side bar and busy animation.

#include "widgets/BusyAnimation.h"
#include "widgets/GradientLabel.h"
#include "widgets/GradientProgressBar.h"
#include "widgets/SideBar.h"

#include <QAction>
#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace widgets;

class PanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void progressBarStaysInRange()
    {
        GradientProgressBar bar;
        QCOMPARE(bar.size(), QSize(231, 17));
        QCOMPARE(bar.value(), 0);
        QSignalSpy changed(&bar, &GradientProgressBar::valueChanged);
        bar.setValue(3);
        bar.setValue(3);
        QCOMPARE(changed.count(), 1);
        bar.setValue(250);
        QCOMPARE(bar.value(), 100);
        bar.setValue(-7);
        QCOMPARE(bar.value(), 0);
        bar.setRange(100, 10); // reversed: swapped, value pulled in
        QCOMPARE(bar.minimum(), 10);
        QCOMPARE(bar.maximum(), 100);
        QCOMPARE(bar.value(), 10);
        bar.setRange(5, 5); // empty range paints without dividing by zero
        bar.grab();
    }

    void progressBarFillsFromTheLeft()
    {
        GradientProgressBar bar;
        bar.setValue(50);
        const QImage img = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QColor left = img.pixelColor(1, 8);
        const QColor filledEnd = img.pixelColor(110, 8);
        QVERIFY(left.red() > 240 && left.green() > 240 && left.blue() > 240); // white start
        QVERIFY(filledEnd.red() > 200 && filledEnd.green() < 160);           // towards red
        QCOMPARE(img.pixelColor(200, 8), QColor(Qt::black));                 // not yet filled
        bar.setValue(100);
        const QImage full = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QColor right = full.pixelColor(229, 8);
        QVERIFY(right.red() > 240 && right.green() < 20 && right.blue() < 20);
    }

    void gradientTitleRunsRedToBlue()
    {
        GradientLabel label(QStringLiteral("██████████"));
        QFont f(QStringLiteral("Times New Roman"));
        f.setPixelSize(37);
        label.setFont(f);
        label.resize(label.sizeHint());
        const QImage img = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The first and last ink on the middle line.
        QList<QColor> ink;
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, img.height() / 2).green() < 60)
                ink << img.pixelColor(x, img.height() / 2);
        QVERIFY(ink.size() > 10);
        QVERIFY(ink.first().red() > ink.first().blue());
        QVERIFY(ink.last().blue() > ink.last().red());
    }

    void sideBarPages()
    {
        SideBar bar;
        bar.resize(126, 400);
        const int p1 = bar.addPage(QStringLiteral("LookOutPage1"), QStringLiteral("Soubor"),
                                   QStringLiteral("Obsahuje příkazy pro práci s vybranými databázemi"));
        const int p2 = bar.addPage(QStringLiteral("LookOutPage2"), QStringLiteral("Úpravy"), QString());
        QCOMPARE(p1, 0);
        QCOMPARE(p2, 1);
        QCOMPARE(bar.currentPage(), 0);
        QCOMPARE(bar.findChild<QWidget *>(QStringLiteral("LookOutPage2")), bar.page(1));
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));

        QAction first(QStringLiteral("&První"));
        QAction other(QStringLiteral("Otevřít"));
        QToolButton *ud1 = bar.addButton(p2, &first, QStringLiteral("UD1"), QStringLiteral("První záznam"));
        QToolButton *os2 = bar.addButton(p1, &other, QStringLiteral("OS2"), QStringLiteral("Otevřít databázi ..."));
        QVERIFY(ud1 && os2);
        QVERIFY(bar.addButton(7, &first, QStringLiteral("X"), QString()) == nullptr);
        QVERIFY(os2->isVisible());
        QVERIFY(!ud1->isVisible()); // its page is closed

        QSignalSpy chosen(&bar, &SideBar::pageChosen);
        QTest::mouseClick(bar.pageHeader(1), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().toInt(), 1);
        QCOMPARE(bar.currentPage(), 1);
        QVERIFY(ud1->isVisible());
        QVERIFY(!os2->isVisible());
        // Picking the open page again still counts as a choice.
        QTest::mouseClick(bar.pageHeader(1), Qt::LeftButton);
        QCOMPARE(chosen.count(), 2);
        // Opening a page from code is not the user's choice.
        bar.setCurrentPage(0);
        bar.setCurrentPage(9);
        QCOMPARE(bar.currentPage(), 0);
        QCOMPARE(chosen.count(), 2);
    }

    void sideBarPageTooShortScrollsByArrows()
    {
        // A short bar: the page's ten buttons do not fit. The bar asks for no
        // more room on that page than on the empty one, and its arrows show
        // only where there is more to see.
        SideBar bar;
        bar.addPage(QStringLiteral("LookOutPage1"), QStringLiteral("Soubor"), QString());
        bar.addPage(QStringLiteral("LookOutPage2"), QStringLiteral("Úpravy"), QString());
        QList<QAction *> actions;
        for (int i = 0; i < 10; ++i) {
            actions << new QAction(QStringLiteral("Příkaz %1").arg(i), &bar);
            bar.addButton(1, actions.last(), QStringLiteral("UD%1").arg(i), actions.last()->text());
        }
        const QSize emptyPage = bar.minimumSizeHint();
        bar.setCurrentPage(1);
        QCOMPARE(bar.minimumSizeHint(), emptyPage);
        bar.resize(126, 250);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        auto *up = bar.findChild<QToolButton *>(QStringLiteral("LookOutPage2ScrollerUp"));
        auto *down = bar.findChild<QToolButton *>(QStringLiteral("LookOutPage2ScrollerDown"));
        QVERIFY(up && down);
        QTRY_VERIFY(down->isVisible());
        QVERIFY(!up->isVisible());
        QCOMPARE(down->accessibleName(), QStringLiteral("Posunout dolů"));
        QToolButton *last = bar.buttons(1).last();
        for (int i = 0; i < 40 && down->isVisible(); ++i)
            down->click();
        QVERIFY(!down->isVisible());
        QVERIFY(up->isVisible());
        // The last button has come into sight.
        QWidget *page = bar.page(1);
        const QRect seen = page->rect();
        QVERIFY(seen.contains(last->mapTo(page, last->rect().bottomLeft())));
    }

    void sideBarButtonFollowsItsAction()
    {
        SideBar bar;
        const int page = bar.addPage(QStringLiteral("LookOutPage2"), QStringLiteral("Úpravy"), QString());
        bar.show();
        QAction next(QStringLiteral("&Další"));
        next.setStatusTip(QStringLiteral("Zobrazí následující záznam vybrané databáze"));
        next.setEnabled(false);
        QToolButton *ud3 = bar.addButton(page, &next, QStringLiteral("UD3"), QStringLiteral("Další záznam"));
        QVERIFY(!ud3->isEnabled());
        QCOMPARE(ud3->statusTip(), next.statusTip());
        QSignalSpy triggered(&next, &QAction::triggered);
        next.setEnabled(true);
        QVERIFY(ud3->isEnabled());
        QTest::mouseClick(ud3, Qt::LeftButton);
        QCOMPARE(triggered.count(), 1);
        QPixmap pm(16, 16);
        pm.fill(Qt::red);
        next.setIcon(QIcon(pm));
        QVERIFY(!ud3->icon().isNull());
        // The caption stays the side bar's own when the action changes.
        next.setText(QStringLiteral("Jinak"));
        QCOMPARE(ud3->text(), QStringLiteral("Další záznam"));
        // The caption turns blue under the pointer and back when it leaves.
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(ud3, &enter);
        QCOMPARE(ud3->palette().color(QPalette::ButtonText), QColor(Qt::blue));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(ud3, &leave);
        QVERIFY(ud3->palette().color(QPalette::ButtonText) != QColor(Qt::blue));
        next.setEnabled(false);
        QVERIFY(!ud3->isEnabled());
    }

    void animationRunsOnlyWhileVisible()
    {
        QWidget parent;
        auto *anim = new BusyAnimation(BusyAnimation::CopyPages, &parent);
        QVERIFY(!anim->isRunning());
        QVERIFY(BusyAnimation::IntervalMs >= 80);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QVERIFY(anim->isRunning());
        QTRY_VERIFY(anim->frame() > 0);
        anim->hide();
        QVERIFY(!anim->isRunning());
        const int frame = anim->frame();
        QTest::qWait(3 * BusyAnimation::IntervalMs);
        QCOMPARE(anim->frame(), frame);
        anim->show();
        QVERIFY(anim->isRunning());
        parent.hide(); // hiding the window stops it too
        QVERIFY(!anim->isRunning());

        BusyAnimation search(BusyAnimation::Search);
        search.show();
        QVERIFY(search.isRunning());
        search.grab();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(PanelsTest)
#include "tst_widgets_panels.moc"
