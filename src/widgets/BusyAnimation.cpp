#include "BusyAnimation.h"

#include <QPainter>
#include <QTimerEvent>
#include <QtMath>

namespace widgets {

BusyAnimation::BusyAnimation(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    resize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize BusyAnimation::sizeHint() const
{
    return m_kind == CopyPages ? QSize(272, 60) : QSize(80, 50);
}

void BusyAnimation::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_timer.start(IntervalMs, this);
}

void BusyAnimation::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

void BusyAnimation::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_frame = (m_frame + 1) % FrameCount;
    update();
}

void BusyAnimation::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_kind == CopyPages)
        paintCopy(p);
    else
        paintSearch(p);
}

namespace {

void paintFolder(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(140, 110, 20), 1));
    p.setBrush(QColor(250, 215, 90));
    QPolygonF tab({r.topLeft(), r.topLeft() + QPointF(r.width() * 0.35, 0),
                   r.topLeft() + QPointF(r.width() * 0.45, r.height() * 0.15),
                   r.topRight() + QPointF(0, r.height() * 0.15), r.bottomRight(), r.bottomLeft()});
    p.drawPolygon(tab);
}

void paintSheet(QPainter &p, const QPointF &centre, qreal angle)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF sheet(-7, -9, 14, 18);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(QPen(QColor(120, 120, 200), 1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(-4, -5 + i * 3.5), QPointF(4, -5 + i * 3.5));
    p.restore();
}

} // namespace

void BusyAnimation::paintCopy(QPainter &p)
{
    const qreal h = height();
    const qreal w = width();
    const QRectF from(8, h - 38, 44, 30);
    const QRectF to(w - 52, h - 38, 44, 30);
    paintFolder(p, from);
    paintFolder(p, to);
    // One sheet travels along an arc from the left folder to the right one.
    const qreal t = qreal(m_frame) / (FrameCount - 1);
    const qreal x = from.center().x() + (to.center().x() - from.center().x()) * t;
    const qreal y = from.top() - qSin(t * M_PI) * (h - 30) * 0.8 + 4;
    paintSheet(p, QPointF(x, y), -30 + 60 * t);
}

void BusyAnimation::paintSearch(QPainter &p)
{
    const QRectF page(width() / 2.0 - 16, 5, 32, height() - 10);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (qreal y = page.top() + 6; y < page.bottom() - 3; y += 5)
        p.drawLine(QPointF(page.left() + 4, y), QPointF(page.right() - 4, y));
    // The magnifier circles over the page.
    const qreal a = 2 * M_PI * m_frame / FrameCount;
    const QPointF c = page.center() + QPointF(qCos(a) * 10, qSin(a) * 8);
    p.setPen(QPen(QColor(90, 60, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(6, 6), c + QPointF(14, 14));
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(180, 220, 255, 140));
    p.drawEllipse(c, 8, 8);
}

} // namespace widgets
