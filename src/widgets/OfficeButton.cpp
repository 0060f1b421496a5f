#include "OfficeButton.h"

#include "Colors.h"
#include "Leds.h"

#include <QPainter>

namespace widgets {

OfficeButton::OfficeButton(QWidget *parent)
    : OfficeButton(QStringLiteral("OfficeButton"), parent)
{
}

OfficeButton::OfficeButton(const QString &caption, QWidget *parent)
    : PressableWidget(caption, parent)
    , m_buttonColor(fromColorRef(colorref::LightGrey))
    , m_borderColor(fromColorRef(colorref::Grey))
{
    resize(100, 25);
}

QSize OfficeButton::sizeHint() const
{
    return {100, 25};
}

void OfficeButton::setButtonColor(const QColor &color)
{
    setAndRepaint(m_buttonColor, color);
}

void OfficeButton::setTransparent(bool transparent)
{
    setAndRepaint(m_transparent, transparent);
}

void OfficeButton::setRoundSize(int size)
{
    size = qMax(0, size);
    setAndRepaint(m_roundSize, size);
}

void OfficeButton::setBorderWidth(int width)
{
    width = qBound(0, width, 255);
    setAndRepaint(m_borderWidth, width);
}

void OfficeButton::setBorderColor(const QColor &color)
{
    setAndRepaint(m_borderColor, color);
}

void OfficeButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    const int h = height();
    const int bw = m_borderWidth;
    const qreal radius = m_roundSize / 2.0;

    const QColor fill = m_transparent ? palette().color(QPalette::Window) : m_buttonColor;
    p.setBrush(fill);

    // Outline box from (x1, y1) to (x2, y2), right and bottom exclusive; the
    // pen runs along the middle of the outermost pixels.
    auto outline = [&](int x1, int y1, int x2, int y2, int penWidth, const QColor &color) {
        if (penWidth <= 0) {
            p.setPen(Qt::NoPen);
        } else {
            p.setPen(QPen(color, penWidth));
        }
        const QRectF box(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1);
        p.drawRoundedRect(box, radius, radius);
    };

    if (isHot()) {
        outline(bw, bw, w - bw + 1, h - bw + 1, bw + 1, m_borderColor);
        p.setPen(QPen(Qt::white, 2));
        const qreal y = bw + 2;
        p.drawLine(QPointF(m_roundSize / 2, y), QPointF(w - m_roundSize / 2, y));
    } else {
        outline(bw - 1, bw - 1, w - (bw - 1), h - (bw - 1), bw, fromColorRef(colorref::LightGrey));
    }

    const LedState state = !isHot() ? LedState::Off : isPressed() ? LedState::Down : LedState::On;
    const QPixmap led = ledPixmap(LedShape::Button, state);
    p.drawPixmap(7 + pressOffset(), (h - led.height()) / 2 + pressOffset(), led);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());
    const QFontMetrics fm(font());
    const int tw = fm.horizontalAdvance(caption());
    const int th = fm.height();
    const int x = (w - tw) / 2 + pressOffset() + 7;
    const int y = (h - th) / 2 + pressOffset();
    p.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::WindowText)
                         : fromColorRef(colorref::Grey));
    p.drawText(x, y + fm.ascent(), caption());
}

} // namespace widgets
