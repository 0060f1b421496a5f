// Mouse rules, painting state and setters of the office button and label.

#include "PaintCounter.h"

#include "widgets/Colors.h"
#include "widgets/Leds.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace widgets;

namespace {

void sendEnter(QWidget *w)
{
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    QEnterEvent e(local, local, w->mapToGlobal(local));
    QCoreApplication::sendEvent(w, &e);
}

void sendLeave(QWidget *w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

void sendMove(QWidget *w, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, buttons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

QImage grabOf(QWidget *w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool hasColor(const QImage &img, const QColor &color)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == color)
                return true;
    return false;
}

} // namespace

class TestOfficeControls : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // Each case runs against a fresh, empty folder.
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void colorRefsAreBlueGreenRed()
    {
        QCOMPARE(fromColorRef(14745599), QColor(255, 255, 224));
        QCOMPARE(fromColorRef(12632256), QColor(192, 192, 192));
        QCOMPARE(fromColorRef(8421504), QColor(128, 128, 128));
        QCOMPARE(fromColorRef(65535), QColor(255, 255, 0)); // yellow: red and green full
        QCOMPARE(fromColorRef(0x00FF0000), QColor(0, 0, 255));
    }

    void lightsHaveTheirSizesAndNames()
    {
        QCOMPARE(ledPixmap(LedShape::Button, LedState::On).size(), QSize(11, 11));
        QCOMPARE(ledPixmap(LedShape::Round, LedState::Down).size(), QSize(20, 16));
        QCOMPARE(ledPixmap(LedShape::ThreeDUp, LedState::Off).size(), QSize(20, 11));
        QCOMPARE(ledName(LedShape::Button, LedState::Down), QStringLiteral("DOWN"));
        QCOMPARE(ledName(LedShape::Round, LedState::On), QStringLiteral("ONRND"));
        QCOMPARE(ledName(LedShape::ThreeDDown, LedState::Off), QStringLiteral("OFF3DWN"));
        QCOMPARE(ledName(LedShape::ThreeDUp, LedState::Down), QStringLiteral("DOWN3UP"));
        // The three states must look different.
        const QImage off = ledPixmap(LedShape::Button, LedState::Off).toImage();
        QVERIFY(off != ledPixmap(LedShape::Button, LedState::On).toImage());
        QVERIFY(ledPixmap(LedShape::Button, LedState::On).toImage()
                != ledPixmap(LedShape::Button, LedState::Down).toImage());
    }

    void buttonDefaults()
    {
        OfficeButton b;
        QCOMPARE(b.size(), QSize(100, 25));
        QCOMPARE(b.caption(), QStringLiteral("OfficeButton"));
        QCOMPARE(b.buttonColor(), QColor(192, 192, 192));
        QCOMPARE(b.borderColor(), QColor(128, 128, 128));
        QVERIFY(b.isTransparent());
        QCOMPARE(b.roundSize(), 20);
        QCOMPARE(b.borderWidth(), 1);
        QCOMPARE(b.focusPolicy(), Qt::NoFocus);
    }

    void buttonClicksOnlyWhenPressedAndReleasedInside()
    {
        QWidget parent;
        auto *b = new OfficeButton(QStringLiteral("Ano"), &parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QSignalSpy clicked(b, &OfficeButton::clicked);

        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 12));
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!b->isPressed());
        QCOMPARE(b->pressOffset(), 0);

        // Released outside: no click.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(150, 12));
        QCOMPARE(clicked.count(), 1);

        // The right button neither presses nor clicks, and releases a held press.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QTest::mousePress(b, Qt::RightButton, {}, QPoint(50, 12));
        QVERIFY(!b->isPressed());
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 12));
        QTest::mouseRelease(b, Qt::RightButton, {}, QPoint(50, 12));
        QCOMPARE(clicked.count(), 1);
    }

    void disabledButtonIgnoresMouseAndDrawsGreyCaption()
    {
        QWidget parent;
        parent.resize(200, 60);
        auto *b = new OfficeButton(QStringLiteral("MMMM"), &parent);
        QFont f = b->font();
        f.setPixelSize(16);
        b->setFont(f);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));

        sendEnter(b);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QVERIFY(b->isHot() && b->isPressed());
        QSignalSpy clicked(b, &OfficeButton::clicked);
        QSignalSpy entered(b, &OfficeButton::mouseEntered);
        b->setEnabled(false);
        // Disabling clears the whole mouse state.
        QVERIFY(!b->isHot());
        QVERIFY(!b->isPressed());
        QCOMPARE(b->pressOffset(), 0);

        // Events that still reach it are ignored.
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(50, 12), b->mapToGlobal(QPointF(50, 12)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b, &release);
        sendEnter(b);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 12), b->mapToGlobal(QPointF(50, 12)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b, &press);
        QCoreApplication::sendEvent(b, &release);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(entered.count(), 0);
        QVERIFY(!b->isHot());

        // The caption is drawn grey; enabled again, it is not.
        QVERIFY(hasColor(grabOf(b), QColor(128, 128, 128)));
        b->setEnabled(true);
        QVERIFY(!hasColor(grabOf(b), QColor(128, 128, 128)));
    }

    void buttonHoverStateAndSignals()
    {
        QWidget parent;
        parent.resize(200, 100);
        auto *b = new OfficeButton(&parent);
        b->move(40, 40); // away from where the pointer rests
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        sendLeave(b);
        QSignalSpy entered(b, &OfficeButton::mouseEntered);
        QSignalSpy left(b, &OfficeButton::mouseLeft);

        sendEnter(b);
        QVERIFY(b->isHot());
        QCOMPARE(b->pressOffset(), 0);
        QCOMPARE(entered.count(), 1);
        sendLeave(b);
        QVERIFY(!b->isHot());
        QCOMPARE(left.count(), 1);

        // A move inside while not hot makes it hot again (missed enter).
        sendMove(b, QPoint(10, 10), Qt::NoButton);
        QVERIFY(b->isHot());
        // Hot outline: the border colour appears; idle it does not.
        b->setBorderColor(QColor(0, 200, 0));
        QVERIFY(hasColor(grabOf(b), QColor(0, 200, 0)));
        sendLeave(b);
        QVERIFY(!hasColor(grabOf(b), QColor(0, 200, 0)));
    }

    void pressedButtonShowsOffsetAgainOnReentry()
    {
        QWidget parent;
        auto *b = new OfficeButton(&parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QSignalSpy clicked(b, &OfficeButton::clicked);

        sendEnter(b);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QVERIFY(b->isHot() && b->isPressed());
        QCOMPARE(b->pressOffset(), 1);
        const QImage down = grabOf(b);

        // Dragged out: as a leave event...
        sendLeave(b);
        QVERIFY(!b->isHot());
        QVERIFY(b->isPressed());
        QCOMPARE(b->pressOffset(), 0);
        // ...and back in: the offset is back.
        sendEnter(b);
        QVERIFY(b->isHot());
        QCOMPARE(b->pressOffset(), 1);
        QCOMPARE(grabOf(b), down);

        // The same with the moves a held button produces.
        sendMove(b, QPoint(-20, 12), Qt::LeftButton);
        QVERIFY(!b->isHot());
        QCOMPARE(b->pressOffset(), 0);
        QVERIFY(grabOf(b) != down);
        sendMove(b, QPoint(30, 12), Qt::LeftButton);
        QVERIFY(b->isHot());
        QCOMPARE(b->pressOffset(), 1);

        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(b->pressOffset(), 0);
        QVERIFY(!b->isPressed());
        QCOMPARE(clicked.count(), 1);
    }

    void buttonSettersWithCurrentValueDoNotRepaint()
    {
        QWidget parent;
        auto *b = new OfficeButton(QStringLiteral("Ok"), &parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        PaintCounter paints(b);
        paints.settle();

        b->setCaption(QStringLiteral("Ok"));
        b->setButtonColor(b->buttonColor());
        b->setTransparent(true);
        b->setRoundSize(20);
        b->setBorderWidth(1);
        b->setBorderColor(b->borderColor());
        b->setEnabled(true);
        QCOMPARE(paints.paintsAfter(), 0);

        b->setCaption(QStringLiteral("Ne"));
        QVERIFY(paints.paintsAfter() > 0);
        paints.settle();
        b->setRoundSize(8);
        QVERIFY(paints.paintsAfter() > 0);
        // A border width out of a byte's range is clamped, not wrapped.
        b->setBorderWidth(300);
        QCOMPARE(b->borderWidth(), 255);
        b->setBorderWidth(-4);
        QCOMPARE(b->borderWidth(), 0);
    }

    void opaqueButtonFillsWithItsColour()
    {
        QWidget parent;
        auto *b = new OfficeButton(QString(), &parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const QColor fill(10, 20, 200);
        b->setButtonColor(fill);
        QVERIFY(!hasColor(grabOf(b), fill));
        b->setTransparent(false);
        QCOMPARE(grabOf(b).pixelColor(50, 20), fill);
    }

    void labelDefaults()
    {
        OfficeLabel l;
        QCOMPARE(l.size(), QSize(100, 17));
        QCOMPARE(l.caption(), QStringLiteral("OfficeLabel"));
        QCOMPARE(l.ledType(), OfficeLabel::RoundLed);
        QCOMPARE(l.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(l.font().pointSize(), 8);
        QCOMPARE(l.focusPolicy(), Qt::NoFocus);
        // The text starts after the light.
        QCOMPARE(l.textRect().left(), 25);
        l.setLedType(OfficeLabel::ThreeDUp);
        QCOMPARE(l.textRect().left(), 25);
    }

    void labelClickSetsErasePendingBeforeTheHandler()
    {
        QWidget parent;
        auto *l = new OfficeLabel(QStringLiteral("Otevře Standardní databázi"), &parent);
        l->resize(200, 30);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        bool pendingInHandler = false;
        int clicks = 0;
        connect(l, &OfficeLabel::clicked, this, [&] {
            pendingInHandler = l->isErasePending();
            ++clicks;
        });

        sendEnter(l);
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(40, 10));
        QVERIFY(l->isHot() && l->isPressed());
        // Hot and pressed: the dotted black frame is there.
        QVERIFY(hasColor(grabOf(l), Qt::black));
        QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(40, 10));
        QCOMPARE(clicks, 1);
        QVERIFY(pendingInHandler);

        // Leaving leaves erase pending until the next paint wipes the frame.
        sendLeave(l);
        QVERIFY(!l->isHot());
        QVERIFY(l->isErasePending());
        grabOf(l);
        QVERIFY(!l->isErasePending());
    }

    void labelPressedFrameFollowsReentry()
    {
        QWidget parent;
        auto *l = new OfficeLabel(QStringLiteral("x"), &parent);
        l->setTransparent(false);
        l->setLabelColor(QColor(255, 255, 255));
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        sendEnter(l);
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(40, 8));
        const QImage framed = grabOf(l);
        sendMove(l, QPoint(-30, 8), Qt::LeftButton);
        QVERIFY(!l->isHot());
        QVERIFY(l->isPressed());
        QVERIFY(grabOf(l) != framed);
        sendMove(l, QPoint(40, 8), Qt::LeftButton);
        QVERIFY(l->isHot());
        QCOMPARE(grabOf(l), framed);
    }

    void disabledLabelNeverClicksAndDrawsGrey()
    {
        QWidget parent;
        auto *l = new OfficeLabel(QStringLiteral("MMMMMMMM"), &parent);
        QFont f = l->font();
        f.setPixelSize(14);
        l->setFont(f);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        sendEnter(l);
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(40, 8));
        QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(l->isErasePending());
        QSignalSpy clicked(l, &OfficeLabel::clicked);
        l->setEnabled(false);
        QVERIFY(!l->isHot() && !l->isPressed() && !l->isErasePending());
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 8), l->mapToGlobal(QPointF(40, 8)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(40, 8), l->mapToGlobal(QPointF(40, 8)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(l, &press);
        QCoreApplication::sendEvent(l, &release);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(hasColor(grabOf(l), QColor(128, 128, 128)));
    }

    void labelSettersWithCurrentValueDoNotRepaint()
    {
        QWidget parent;
        auto *l = new OfficeLabel(QStringLiteral("A & B"), &parent);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        PaintCounter paints(l);
        paints.settle();
        l->setCaption(QStringLiteral("A & B"));
        l->setLabelColor(l->labelColor());
        l->setTransparent(true);
        l->setLedType(OfficeLabel::RoundLed);
        QCOMPARE(paints.paintsAfter(), 0);
        l->setLedType(OfficeLabel::ThreeDDown);
        QVERIFY(paints.paintsAfter() > 0);
        paints.settle();
        QFont f = l->font();
        f.setPointSize(12);
        l->setFont(f);
        QVERIFY(paints.paintsAfter() > 0);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestOfficeControls)
#include "tst_officecontrols.moc"
