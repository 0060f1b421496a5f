#include "PressableWidget.h"

#include "PressableAccessible.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QMouseEvent>

namespace widgets {

PressableWidget::PressableWidget(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    installPressableAccessibility();
}

void PressableWidget::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    update();
}

void PressableWidget::enter()
{
    if (!isEnabled() || m_hot)
        return;
    m_hot = true;
    update();
    emit mouseEntered();
}

void PressableWidget::leave()
{
    if (!isEnabled() || !m_hot)
        return;
    m_hot = false;
    mouseHasLeft();
    update();
    emit mouseLeft();
}

void PressableWidget::enterEvent(QEnterEvent *)
{
    enter();
}

void PressableWidget::leaveEvent(QEvent *)
{
    leave();
}

void PressableWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    // While a button is held the mouse stays with us, so leaving and coming
    // back are seen here rather than as enter and leave events.
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && !m_hot)
        enter();
    else if (!inside && m_hot && m_pressed)
        leave();
}

void PressableWidget::mousePressEvent(QMouseEvent *event)
{
    m_pressed = false;
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return;
    m_hot = true;
    m_pressed = true;
    update();
}

void PressableWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click presses the widget again.
    mousePressEvent(event);
}

void PressableWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return;
    const bool wasPressed = m_pressed;
    m_pressed = false;
    update();
    if (wasPressed && rect().contains(event->position().toPoint())) {
        aboutToClick();
        emit clicked();
    }
}

void PressableWidget::click()
{
    if (!isEnabled())
        return;
    aboutToClick();
    emit clicked();
}

void PressableWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_hot = false;
        m_pressed = false;
        stateReset();
        update();
    } else if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace widgets
