#include "BalloonShape.h"

#include "Colors.h"
#include "DialogHost.h"

#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>

namespace widgets {

BalloonWindow::BalloonWindow(QWidget *parent, BalloonPosition position)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_position(position)
{
    setAutoFillBackground(true);
    setBackgroundColor(fromColorRef(colorref::LightYellow));
}

void BalloonWindow::setBalloonPosition(BalloonPosition position)
{
    if (position == m_position)
        return;
    m_position = position;
    updateMask();
    update();
}

void BalloonWindow::setOutline(int ellipse, int indent)
{
    ellipse = qMax(0, ellipse);
    indent = qMax(0, indent);
    if (ellipse == m_ellipse && indent == m_indent)
        return;
    m_ellipse = ellipse;
    m_indent = indent;
    updateMask();
    update();
}

QColor BalloonWindow::backgroundColor() const
{
    return palette().color(QPalette::Window);
}

void BalloonWindow::setBackgroundColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

QRect BalloonWindow::bodyRect() const
{
    return balloonBody(m_position, size(), m_indent);
}

void BalloonWindow::updateMask()
{
    if (!size().isEmpty())
        setMask(balloonRegion(m_position, size(), m_ellipse, m_indent));
}

void BalloonWindow::resizeEvent(QResizeEvent *event)
{
    updateMask();
    QWidget::resizeEvent(event);
}

void BalloonWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBalloonOutline(p, m_position, size(), m_ellipse, m_indent);
}

bool BalloonWindow::event(QEvent *event)
{
    // Hints of the balloon's controls belong in the main window's status bar;
    // a tool window would otherwise keep them to itself.
    if (event->type() == QEvent::StatusTip && parentWidget()) {
        QCoreApplication::sendEvent(parentWidget(), event);
        return true;
    }
    return QWidget::event(event);
}

void BalloonWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_engaged)
        return;
    m_engaged = true;
    engageHost();
}

void BalloonWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Hidden by the window system (its owner minimised) is not closed: the
    // balloon comes back with the owner and still holds the main window.
    if (!m_engaged || event->spontaneous())
        return;
    m_engaged = false;
    releaseHost();
    emit closed();
}

void BalloonWindow::engageHost()
{
    if (!m_host)
        return;
    m_host->setIndicatorVisible(QStringLiteral("SBO10"), false);
    if (!m_indicator.isEmpty())
        m_host->setIndicatorVisible(m_indicator, true);
    if (!m_sound.isEmpty())
        m_host->playSound(m_sound);
    m_host->setMainWindowEnabled(false);
    // A balloon owned by the main window is disabled along with it; as a
    // window of its own it can and must stay usable.
    if (!isEnabled())
        setEnabled(true);
}

void BalloonWindow::releaseHost()
{
    if (!m_host)
        return;
    if (!m_indicator.isEmpty())
        m_host->setIndicatorVisible(m_indicator, false);
    if (m_afterClose == CatalogueIndicator::Show)
        m_host->setIndicatorVisible(QStringLiteral("SBO10"), true);
    else if (m_afterClose == CatalogueIndicator::Hide)
        m_host->setIndicatorVisible(QStringLiteral("SBO10"), false);
    m_host->setMainWindowEnabled(true);
}

} // namespace widgets
