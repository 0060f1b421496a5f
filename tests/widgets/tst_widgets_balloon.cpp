// The balloon outline and the question balloon: region geometry, answers by
// button and key, and what the host is asked to do around show and close.

#include "widgets/Balloon.h"
#include "widgets/DialogHost.h"
#include "widgets/ErrorBox.h"
#include "widgets/OfficeButton.h"

#include <QAbstractButton>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace widgets;

namespace {

// Records every call, in order; optionally disables a real main window.
class FakeHost : public DialogHost
{
public:
    void setMainWindowEnabled(bool on) override
    {
        enabled = on;
        calls << (on ? QStringLiteral("enable") : QStringLiteral("disable"));
        if (main)
            main->setEnabled(on);
    }
    void setIndicatorVisible(const QString &name, bool visible) override
    {
        calls << (visible ? QStringLiteral("show ") : QStringLiteral("hide ")) + name;
    }
    void playSound(const QString &fileName) override { calls << QStringLiteral("sound ") + fileName; }

    bool enabled = true;
    QStringList calls;
    QWidget *main = nullptr;
};

BalloonSpec deleteQuestion()
{
    BalloonSpec spec;
    spec.objectName = QStringLiteral("DotazOdstranitDialog");
    spec.text = QStringLiteral("Opravdu chcete tento záznam trvale odstranit ?");
    return spec;
}

void click(OfficeButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2));
}

} // namespace

class BalloonTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void rightTopRegion()
    {
        const QSize s(272, 98); // W - I = 257, pointer from y = 20 to 35
        const QRegion r = balloonRegion(BalloonPosition::RightTop, s);
        QVERIFY(r.contains(QPoint(100, 50)));
        QVERIFY(r.contains(QPoint(10, 0)));     // top edge, past the corner
        QVERIFY(!r.contains(QPoint(0, 0)));     // cut corners
        QVERIFY(!r.contains(QPoint(1, 96)));
        QVERIFY(!r.contains(QPoint(255, 1)));
        QVERIFY(r.contains(QPoint(258, 21)));   // pointer, beside the body
        QVERIFY(r.contains(QPoint(268, 21)));   // near its tip
        QVERIFY(!r.contains(QPoint(266, 33)));  // under its slanted edge
        QVERIFY(!r.contains(QPoint(265, 10)));  // above it
        QVERIFY(!r.contains(QPoint(265, 60)));  // right of the body, below it
        QCOMPARE(r.boundingRect(), QRect(0, 0, 272, 98));
    }

    void bottomRightRegion()
    {
        const QSize s(300, 200); // body down to H - I = 185, pointer at x = 265..280
        const QRegion r = balloonRegion(BalloonPosition::BottomRight, s);
        QVERIFY(r.contains(QPoint(150, 100)));
        QVERIFY(!r.contains(QPoint(299, 0)));
        QVERIFY(!r.contains(QPoint(0, 184)));
        QVERIFY(r.contains(QPoint(279, 186)));  // pointer, under the body
        QVERIFY(r.contains(QPoint(278, 197)));  // near its tip
        QVERIFY(!r.contains(QPoint(268, 196))); // left of its slanted edge
        QVERIFY(!r.contains(QPoint(290, 190))); // right of it
        QVERIFY(!r.contains(QPoint(20, 195)));  // under the body elsewhere
    }

    void plainRegionAndDegenerateSizes()
    {
        const QRegion r = balloonRegion(BalloonPosition::None, QSize(100, 50));
        QVERIFY(r.contains(QPoint(99, 25)));
        QVERIFY(!r.contains(QPoint(0, 0)));
        QVERIFY(!r.contains(QPoint(99, 49)));
        // Sizes smaller than the pointer neither crash nor reach outside.
        for (const QSize &s : {QSize(0, 0), QSize(5, 5), QSize(10, 40), QSize(40, 10)})
            for (auto pos : {BalloonPosition::None, BalloonPosition::RightTop, BalloonPosition::BottomRight})
                QVERIFY(QRect(QPoint(0, 0), s).contains(balloonRegion(pos, s).boundingRect())
                        || balloonRegion(pos, s).isEmpty());
    }

    void outlineIsDrawnOnTheEdgeOfTheRegion()
    {
        const QSize s(120, 60);
        QImage img(s, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        paintBalloonOutline(p, BalloonPosition::RightTop, s);
        p.end();
        QCOMPARE(img.pixelColor(0, 30), QColor(Qt::black));   // left edge
        QCOMPARE(img.pixelColor(110, 20), QColor(Qt::black)); // pointer's top edge
        QCOMPARE(img.pixelColor(40, 30), QColor(Qt::white));  // inside
        const QRegion r = balloonRegion(BalloonPosition::RightTop, s);
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                if (!r.contains(QPoint(x, y)))
                    QCOMPARE(img.pixelColor(x, y), QColor(Qt::white));
    }

    void windowIsShapedAndYellow()
    {
        BalloonWindow w(nullptr, BalloonPosition::RightTop);
        QCOMPARE(w.windowFlags() & (Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
                 Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        QCOMPARE(w.backgroundColor(), QColor(255, 255, 224));
        w.resize(300, 98);
        w.show();
        QCOMPARE(w.mask(), balloonRegion(BalloonPosition::RightTop, QSize(300, 98)));
        w.setBalloonPosition(BalloonPosition::None);
        QCOMPARE(w.mask(), balloonRegion(BalloonPosition::None, QSize(300, 98)));
    }

    void builtFromSpec()
    {
        BalloonSpec spec = deleteQuestion();
        spec.yesHint = QStringLiteral("Odstraní záznam");
        Balloon b(spec);
        QCOMPARE(b.objectName(), QStringLiteral("DotazOdstranitDialog"));
        QCOMPARE(b.size(), QSize(272, 98));
        QCOMPARE(b.sound(), QStringLiteral("Dotaz.wav"));
        QCOMPARE(b.indicator(), QStringLiteral("SBO6"));
        auto *yes = b.findChild<OfficeButton *>(QStringLiteral("OfficeButton1"));
        auto *no = b.findChild<OfficeButton *>(QStringLiteral("OfficeButton2"));
        QVERIFY(yes && no);
        QCOMPARE(yes->size(), QSize(64, 20));
        QCOMPARE(yes->statusTip(), QStringLiteral("Odstraní záznam"));
        // Both buttons lie inside the body, clear of each other.
        QVERIFY(b.bodyRect().contains(yes->geometry()) && b.bodyRect().contains(no->geometry()));
        QVERIFY(!yes->geometry().intersects(no->geometry()));

        BalloonSpec warning;
        warning.kind = Balloon::Warning;
        warning.noCaption.clear();
        Balloon w(warning);
        QCOMPARE(w.sound(), QStringLiteral("Info.wav"));
        QCOMPARE(w.indicator(), QStringLiteral("SBO7"));
        QVERIFY(w.noButton() == nullptr);
        QCOMPARE(w.findChildren<OfficeButton *>().size(), 1);
    }

    void showDisablesHostAndCloseEnablesIt()
    {
        FakeHost host;
        Balloon b(deleteQuestion());
        b.setHost(&host);
        b.setCatalogueIndicatorOnClose(BalloonWindow::CatalogueIndicator::Show);
        QSignalSpy closed(&b, &BalloonWindow::closed);
        b.show();
        QCOMPARE(host.calls, QStringList({"hide SBO10", "show SBO6", "sound Dotaz.wav", "disable"}));
        b.show(); // a second show while up asks nothing more
        QCOMPARE(host.calls.size(), 4);
        host.calls.clear();
        b.close();
        QCOMPARE(host.calls, QStringList({"hide SBO6", "show SBO10", "enable"}));
        QCOMPARE(closed.count(), 1);

        // Hidden by the window system while its owner is minimised: still up.
        b.show();
        QHideEvent minimised;
        QSpontaneKeyEvent::setSpontaneous(&minimised);
        qApp->notify(&b, &minimised); // sendEvent would clear the flag
        QVERIFY(!host.enabled);
        QCOMPARE(closed.count(), 1);
        b.close();

        // Hidden instead of closed: the host is released all the same.
        host.calls.clear();
        b.setCatalogueIndicatorOnClose(BalloonWindow::CatalogueIndicator::Leave);
        b.show();
        b.hide();
        QVERIFY(host.enabled);
        QVERIFY(!host.calls.contains(QStringLiteral("show SBO10")));
        QCOMPARE(closed.count(), 3);
    }

    void balloonOwnedByTheMainWindowStaysUsable()
    {
        FakeHost host;
        QWidget main;
        host.main = &main;
        Balloon b(deleteQuestion(), &main);
        b.setHost(&host);
        QSignalSpy accepted(&b, &Balloon::accepted);
        main.show();
        for (int round = 0; round < 2; ++round) {
            b.show();
            QVERIFY(!main.isEnabled());
            QVERIFY(b.isEnabled() && b.yesButton()->isEnabled());
            click(b.yesButton());
            QCOMPARE(accepted.count(), round + 1);
            QVERIFY(main.isEnabled());
        }
    }

    void errorBoxOverTheDisabledMainWindowCanBeAnswered()
    {
        // A command answered in a balloon fails: the balloon still holds the
        // main window disabled when the error box comes up over it, and a box
        // disabled along with its parent could never be closed.
        FakeHost host;
        QWidget main;
        host.main = &main;
        main.show();
        BalloonSpec spec = deleteQuestion();
        spec.closeOnAnswer = false; // the balloon stays up, as the name dialog does
        Balloon b(spec, &main);
        b.setHost(&host);
        QPointer<QMessageBox> box;
        connect(&b, &Balloon::accepted, &main, [&] {
            box = openErrorBox(&main, QStringLiteral("Soubor Vazon3.Mdx nelze zkopírovat."));
        });
        b.show();
        QVERIFY(!main.isEnabled());
        click(b.yesButton());
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->objectName(), QStringLiteral("ErrorBox"));
        QCOMPARE(box->text(), QStringLiteral("Soubor Vazon3.Mdx nelze zkopírovat."));
        QCOMPARE(box->windowTitle(), QStringLiteral("Ordex 2000"));
        QVERIFY(!main.isEnabled());
        QVERIFY(box->isEnabled());
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        QVERIFY(ok && ok->isEnabled());
        // The keyboard answers it as well as the mouse would.
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!box);
        // The balloon is still there to be answered or closed.
        QVERIFY(b.isVisible() && b.isEnabled());
        b.close();
        QVERIFY(main.isEnabled());

        // The other order: the box is up when a balloon disables the main
        // window; the box must not go disabled along with it.
        box = openErrorBox(&main, QStringLiteral("Chyba"));
        b.show();
        QVERIFY(!main.isEnabled());
        QVERIFY(box->isEnabled());
        QVERIFY(box->button(QMessageBox::Ok)->isEnabled());
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->isVisible());
        b.close();
        QVERIFY(main.isEnabled());
    }

    void buttonsAnswerAndClose()
    {
        FakeHost host;
        Balloon b(deleteQuestion());
        b.setHost(&host);
        QSignalSpy accepted(&b, &Balloon::accepted);
        QSignalSpy rejected(&b, &Balloon::rejected);
        bool disabledDuringAnswer = false;
        connect(&b, &Balloon::accepted, this, [&] { disabledDuringAnswer = !host.enabled; });
        b.show();
        click(b.yesButton());
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(rejected.count(), 0);
        QVERIFY(disabledDuringAnswer);
        QVERIFY(!b.isVisible());
        QVERIFY(host.enabled);
        b.show();
        click(b.noButton());
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(rejected.count(), 1);
        QVERIFY(!b.isVisible());
    }

    void enterAndEscapeKeys()
    {
        Balloon b(deleteQuestion());
        QSignalSpy accepted(&b, &Balloon::accepted);
        QSignalSpy rejected(&b, &Balloon::rejected);
        for (auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_A}) {
            b.show();
            QTest::keyClick(&b, key);
        }
        QCOMPARE(accepted.count(), 2);
        QCOMPARE(rejected.count(), 1);
        QVERIFY(b.isVisible()); // other keys do nothing

        // A one-button notice may take both keys as its button.
        BalloonSpec spec;
        spec.noCaption.clear();
        spec.escapeKey = Balloon::KeyAction::Accept;
        spec.closeMeansReject = false;
        Balloon notice(spec);
        QSignalSpy ok(&notice, &Balloon::accepted);
        QSignalSpy noticeRejected(&notice, &Balloon::rejected);
        notice.show();
        QTest::keyClick(&notice, Qt::Key_Escape);
        QCOMPARE(ok.count(), 1);
        notice.show();
        notice.close(); // closed by other means: no answer at all
        QCOMPARE(ok.count(), 1);
        QCOMPARE(noticeRejected.count(), 0);
    }

    void closeByOtherMeansCountsAsRejectedOnce()
    {
        Balloon b(deleteQuestion());
        QSignalSpy accepted(&b, &Balloon::accepted);
        QSignalSpy rejected(&b, &Balloon::rejected);
        b.show();
        b.close();
        QCOMPARE(rejected.count(), 1);
        // A handler that closes the balloon itself does not add a refusal.
        connect(&b, &Balloon::accepted, &b, &QWidget::close);
        b.show();
        b.accept();
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(rejected.count(), 1);
        QVERIFY(!b.isVisible());
    }

    void failedAnswerKeepsBalloonUp()
    {
        FakeHost host;
        Balloon b(deleteQuestion());
        b.setHost(&host);
        QSignalSpy rejected(&b, &Balloon::rejected);
        b.show();
        auto failing = connect(&b, &Balloon::accepted, this, [] { throw std::runtime_error("refused"); });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, b.accept());
        QVERIFY(b.isVisible());
        QVERIFY(!host.enabled);
        disconnect(failing);
        // The user can still answer the other way.
        QTest::keyClick(&b, Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
        QVERIFY(!b.isVisible());
        QVERIFY(host.enabled);
    }

    void statusTipsReachTheOwner()
    {
        struct Owner : QWidget
        {
            QString shown;
            bool event(QEvent *e) override
            {
                if (e->type() == QEvent::StatusTip)
                    shown = static_cast<QStatusTipEvent *>(e)->tip();
                return QWidget::event(e);
            }
        } owner;
        BalloonSpec spec = deleteQuestion();
        spec.noHint = QStringLiteral("Uzavře dialogové okno");
        Balloon b(spec, &owner);
        QStatusTipEvent tip(spec.noHint);
        QCoreApplication::sendEvent(b.noButton(), &tip);
        QCOMPARE(owner.shown, spec.noHint);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(BalloonTest)
#include "tst_widgets_balloon.moc"
