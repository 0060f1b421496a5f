#include "OfficeLabel.h"

#include "Colors.h"
#include "Leds.h"

#include <QPainter>

namespace widgets {

namespace {

LedShape shapeFor(OfficeLabel::LedType type)
{
    switch (type) {
    case OfficeLabel::ThreeDDown: return LedShape::ThreeDDown;
    case OfficeLabel::ThreeDUp: return LedShape::ThreeDUp;
    case OfficeLabel::RoundLed: break;
    }
    return LedShape::Round;
}

} // namespace

OfficeLabel::OfficeLabel(QWidget *parent)
    : OfficeLabel(QStringLiteral("OfficeLabel"), parent)
{
}

OfficeLabel::OfficeLabel(const QString &caption, QWidget *parent)
    : PressableWidget(caption, parent)
    , m_labelColor(fromColorRef(colorref::LightGrey))
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    setFont(f);
    resize(100, 17);
}

QSize OfficeLabel::sizeHint() const
{
    return {100, 17};
}

void OfficeLabel::setLabelColor(const QColor &color)
{
    setAndRepaint(m_labelColor, color);
}

void OfficeLabel::setTransparent(bool transparent)
{
    setAndRepaint(m_transparent, transparent);
}

void OfficeLabel::setLedType(LedType type)
{
    setAndRepaint(m_ledType, type);
}

QRect OfficeLabel::textRect() const
{
    const int left = ledSize(shapeFor(m_ledType)).width() + 5;
    return QRect(QPoint(left, 1), QPoint(width() - 1, height() - 2));
}

void OfficeLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), m_labelColor);

    const LedState state = !isHot() ? LedState::Off : isPressed() ? LedState::Down : LedState::On;
    p.drawPixmap(0, 0, ledPixmap(shapeFor(m_ledType), state));

    const QRect text = textRect();
    p.setFont(font());
    p.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::WindowText)
                         : fromColorRef(colorref::Grey));
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption());

    if (isHot() && isPressed()) {
        // Dotted focus-like frame around the text while it is held down.
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(QPoint(text.left() - 3, text.top() - 1),
                         QPoint(text.right() - 1, text.bottom())));
    } else if (!isHot() && !isPressed() && m_erasePending) {
        // The whole surface is painted afresh, so the old frame is gone.
        m_erasePending = false;
    }
}

void OfficeLabel::mouseHasLeft()
{
    m_erasePending = true;
}

void OfficeLabel::aboutToClick()
{
    m_erasePending = true;
}

void OfficeLabel::stateReset()
{
    m_erasePending = false;
}

} // namespace widgets
