#include "OfficeLabel.h"

#include "Colors.h"
#include "Leds.h"

#include <QEnterEvent>
#include <QMouseEvent>
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
    : QWidget(parent)
    , m_caption(caption)
    , m_labelColor(fromColorRef(colorref::LightGrey))
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
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

    const LedState state = !m_hot ? LedState::Off : m_pressed ? LedState::Down : LedState::On;
    p.drawPixmap(0, 0, ledPixmap(shapeFor(m_ledType), state));

    const QRect text = textRect();
    p.setFont(font());
    p.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::WindowText)
                         : fromColorRef(colorref::Grey));
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_caption);

    if (m_hot && m_pressed) {
        // Dotted focus-like frame around the text while it is held down.
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(QPoint(text.left() - 3, text.top() - 1),
                         QPoint(text.right() - 1, text.bottom())));
    } else if (!m_hot && !m_pressed && m_erasePending) {
        // The whole surface is painted afresh, so the old frame is gone.
        m_erasePending = false;
    }
}

void OfficeLabel::enter()
{
    if (!isEnabled() || m_hot)
        return;
    m_hot = true;
    update();
    emit mouseEntered();
}

void OfficeLabel::leave()
{
    if (!isEnabled() || !m_hot)
        return;
    m_erasePending = true;
    m_hot = false;
    update();
    emit mouseLeft();
}

void OfficeLabel::enterEvent(QEnterEvent *)
{
    enter();
}

void OfficeLabel::leaveEvent(QEvent *)
{
    leave();
}

void OfficeLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && !m_hot)
        enter();
    else if (!inside && m_hot && m_pressed)
        leave();
}

void OfficeLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = false;
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return;
    m_hot = true;
    m_pressed = true;
    update();
}

void OfficeLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void OfficeLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return;
    const bool wasPressed = m_pressed;
    m_pressed = false;
    update();
    if (wasPressed && rect().contains(event->position().toPoint())) {
        m_erasePending = true;
        emit clicked();
    }
}

void OfficeLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_hot = false;
        m_pressed = false;
        m_erasePending = false;
        update();
    } else if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace widgets
