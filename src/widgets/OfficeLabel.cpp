#include "OfficeLabel.h"

#include "Colors.h"
#include "Leds.h"

#include <QAccessible>
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
    : PressableWidget(parent)
    , m_caption(caption)
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

void OfficeLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    update();
}

void OfficeLabel::setLabelColor(const QColor &color)
{
    if (color == m_labelColor)
        return;
    m_labelColor = color;
    update();
}

void OfficeLabel::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void OfficeLabel::setLedType(LedType type)
{
    if (type == m_ledType)
        return;
    m_ledType = type;
    update();
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
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_caption);

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
