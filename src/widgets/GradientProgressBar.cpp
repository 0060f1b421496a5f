#include "GradientProgressBar.h"

#include <QLinearGradient>
#include <QPainter>

#include <utility>

namespace widgets {

GradientProgressBar::GradientProgressBar(QWidget *parent)
    : QWidget(parent)
    , m_start(Qt::white)
    , m_end(Qt::red)
{
    resize(231, 17);
}

QSize GradientProgressBar::sizeHint() const
{
    return {231, 17};
}

void GradientProgressBar::setRange(int minimum, int maximum)
{
    if (minimum > maximum)
        std::swap(minimum, maximum);
    if (minimum == m_minimum && maximum == m_maximum)
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    const int clamped = qBound(m_minimum, m_value, m_maximum);
    if (clamped != m_value) {
        m_value = clamped;
        emit valueChanged(m_value);
    }
    update();
}

void GradientProgressBar::setColors(const QColor &start, const QColor &end)
{
    if (start == m_start && end == m_end)
        return;
    m_start = start;
    m_end = end;
    update();
}

void GradientProgressBar::setValue(int value)
{
    value = qBound(m_minimum, value, m_maximum);
    if (value == m_value)
        return;
    m_value = value;
    update();
    emit valueChanged(m_value);
}

void GradientProgressBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const qint64 span = qint64(m_maximum) - m_minimum;
    if (span <= 0 || m_value <= m_minimum)
        return;
    const int filled = int(qint64(width()) * (qint64(m_value) - m_minimum) / span);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, m_start);
    g.setColorAt(1, m_end);
    p.fillRect(QRect(0, 0, filled, height()), g);
}

} // namespace widgets
