// Mouse rules, painting state and setters of the office button and label.

#include "support/PaintCounter.h"

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

// Mouse events sent straight to a widget, even a disabled one.
void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButtons held,
               Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void sendClick(QWidget *w, const QPoint &pos)
{
    sendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::NoButton, Qt::LeftButton);
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

const QColor grey(128, 128, 128);

} // namespace

class OfficeControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // Each case runs against a fresh, empty folder and a shown parent,
        // with the controls away from where the pointer rests.
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_parent.reset(new QWidget);
        m_parent->resize(300, 120);
    }

    void colorRefsAreBlueGreenRed()
    {
        QCOMPARE(fromColorRef(14745599), QColor(255, 255, 224));
        QCOMPARE(fromColorRef(8421504), QColor(128, 128, 128));
        QCOMPARE(fromColorRef(65535), QColor(255, 255, 0)); // yellow: red and green full
        QCOMPARE(fromColorRef(0x00FF0000), QColor(0, 0, 255));
    }

    void lightsDifferByState()
    {
        QCOMPARE(ledPixmap(LedShape::Round, LedState::Down).size(), QSize(20, 16));
        QCOMPARE(ledPixmap(LedShape::ThreeDUp, LedState::Off).size(), QSize(20, 11));
        QCOMPARE(ledName(LedShape::ThreeDDown, LedState::Off), QStringLiteral("OFF3DWN"));
        const auto img = [](LedState s) { return ledPixmap(LedShape::Button, s).toImage(); };
        QVERIFY(img(LedState::Off) != img(LedState::On));
        QVERIFY(img(LedState::On) != img(LedState::Down));
    }

    void buttonClicksOnlyWhenPressedAndReleasedInside()
    {
        auto *b = button(QStringLiteral("Ano"));
        QSignalSpy clicked(b, &OfficeButton::clicked);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 12));
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!b->isPressed());
        QCOMPARE(b->pressOffset(), 0);

        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(150, 12)); // outside
        // Another button going down first releases the held press.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QTest::mousePress(b, Qt::RightButton, {}, QPoint(50, 12));
        QVERIFY(!b->isPressed());
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 12));
        QCOMPARE(clicked.count(), 1);
    }

    void disabledButtonIgnoresMouseAndDrawsGreyCaption()
    {
        auto *b = button(QStringLiteral("MMMM"));
        QFont f = b->font();
        f.setPixelSize(16);
        b->setFont(f);
        sendEnter(b);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QVERIFY(b->isHot() && b->isPressed());
        QSignalSpy clicked(b, &OfficeButton::clicked);
        QSignalSpy entered(b, &OfficeButton::mouseEntered);

        b->setEnabled(false);
        QVERIFY(!b->isHot() && !b->isPressed());
        QCOMPARE(b->pressOffset(), 0);
        sendMouse(b, QEvent::MouseButtonRelease, QPoint(50, 12), Qt::NoButton, Qt::LeftButton);
        sendEnter(b);
        sendClick(b, QPoint(50, 12));
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(entered.count(), 0);
        QVERIFY(!b->isHot());
        QVERIFY(hasColor(grabOf(b), grey));
        b->setEnabled(true);
        QVERIFY(!hasColor(grabOf(b), grey));
    }

    void buttonHoverStateAndOutline()
    {
        auto *b = button(QString());
        b->setBorderColor(QColor(0, 200, 0));
        QSignalSpy entered(b, &OfficeButton::mouseEntered);
        QSignalSpy left(b, &OfficeButton::mouseLeft);
        sendEnter(b);
        QVERIFY(b->isHot());
        QCOMPARE(b->pressOffset(), 0);
        QCOMPARE(entered.count(), 1);
        QVERIFY(hasColor(grabOf(b), QColor(0, 200, 0))); // hot outline
        sendLeave(b);
        QVERIFY(!b->isHot());
        QCOMPARE(left.count(), 1);
        QVERIFY(!hasColor(grabOf(b), QColor(0, 200, 0)));
        // A move inside while not hot makes it hot again (a missed enter).
        sendMouse(b, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
        QVERIFY(b->isHot());
        // Opaque, it is filled with its own colour.
        b->setButtonColor(QColor(10, 20, 200));
        b->setTransparent(false);
        QCOMPARE(grabOf(b).pixelColor(50, 20), QColor(10, 20, 200));
    }

    void pressedButtonShowsOffsetAgainOnReentry()
    {
        auto *b = button(QStringLiteral("Ok"));
        QSignalSpy clicked(b, &OfficeButton::clicked);
        sendEnter(b);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 12));
        QCOMPARE(b->pressOffset(), 1);
        const QImage down = grabOf(b);

        // Out and back in, as leave and enter events...
        sendLeave(b);
        QVERIFY(!b->isHot() && b->isPressed());
        QCOMPARE(b->pressOffset(), 0);
        sendEnter(b);
        QCOMPARE(b->pressOffset(), 1);
        QCOMPARE(grabOf(b), down);
        // ...and as the moves a held button produces.
        sendMouse(b, QEvent::MouseMove, QPoint(-20, 12), Qt::LeftButton);
        QVERIFY(!b->isHot());
        QVERIFY(grabOf(b) != down);
        sendMouse(b, QEvent::MouseMove, QPoint(30, 12), Qt::LeftButton);
        QVERIFY(b->isHot());
        QCOMPARE(b->pressOffset(), 1);

        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(30, 12));
        QVERIFY(!b->isPressed());
        QCOMPARE(b->pressOffset(), 0);
        QCOMPARE(clicked.count(), 1);
    }

    void buttonSettersWithCurrentValueDoNotRepaint()
    {
        auto *b = button(QStringLiteral("Ok"));
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
        // A border width outside a byte's range is clamped, not wrapped.
        b->setBorderWidth(300);
        QCOMPARE(b->borderWidth(), 255);
        b->setBorderWidth(-4);
        QCOMPARE(b->borderWidth(), 0);
    }

    void labelClickSetsErasePendingBeforeTheHandler()
    {
        auto *l = label(QStringLiteral("Otevře Standardní databázi"));
        QCOMPARE(l->textRect().left(), 25); // after the 20-pixel light
        bool pendingInHandler = false;
        connect(l, &OfficeLabel::clicked, this, [&] { pendingInHandler = l->isErasePending(); });
        sendEnter(l);
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(l->isHot() && l->isPressed());
        QVERIFY(hasColor(grabOf(l), Qt::black)); // the dotted frame
        QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(pendingInHandler);
        // Leaving keeps erase pending until the next paint wipes the frame.
        sendLeave(l);
        QVERIFY(l->isErasePending());
        grabOf(l);
        QVERIFY(!l->isErasePending());
    }

    void labelPressedFrameFollowsReentry()
    {
        auto *l = label(QStringLiteral("x"));
        l->setTransparent(false);
        l->setLabelColor(Qt::white);
        sendEnter(l);
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(40, 8));
        const QImage framed = grabOf(l);
        sendMouse(l, QEvent::MouseMove, QPoint(-30, 8), Qt::LeftButton);
        QVERIFY(!l->isHot() && l->isPressed());
        QVERIFY(grabOf(l) != framed);
        sendMouse(l, QEvent::MouseMove, QPoint(40, 8), Qt::LeftButton);
        QCOMPARE(grabOf(l), framed);
    }

    void disabledLabelNeverClicksAndDrawsGrey()
    {
        auto *l = label(QStringLiteral("MMMMMMMM"));
        QFont f = l->font();
        f.setPixelSize(14);
        l->setFont(f);
        sendEnter(l);
        QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(l->isErasePending());
        QSignalSpy clicked(l, &OfficeLabel::clicked);
        l->setEnabled(false);
        QVERIFY(!l->isHot() && !l->isPressed() && !l->isErasePending());
        sendClick(l, QPoint(40, 8));
        QCOMPARE(clicked.count(), 0);
        QVERIFY(hasColor(grabOf(l), grey));
    }

    void labelSettersWithCurrentValueDoNotRepaint()
    {
        auto *l = label(QStringLiteral("A & B"));
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
    OfficeButton *button(const QString &caption)
    {
        auto *b = new OfficeButton(caption, m_parent.get());
        b->move(40, 40);
        showParent();
        return b;
    }

    OfficeLabel *label(const QString &caption)
    {
        auto *l = new OfficeLabel(caption, m_parent.get());
        l->setGeometry(40, 40, 200, 30);
        showParent();
        return l;
    }

    void showParent()
    {
        m_parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_parent.get()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_parent;
};

QTEST_MAIN(OfficeControlsTest)
#include "tst_widgets_office_controls.moc"
