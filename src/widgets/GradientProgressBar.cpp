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

void GradientProgressBar::setBackground(const QColor &color)
{
    if (color == m_background)
        return;
    m_background = color;
    update();
}

void GradientProgressBar::setLoweredBevel(bool on)
{
    if (on == m_bevel)
        return;
    m_bevel = on;
    update();
}

void GradientProgressBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect bar = m_bevel ? rect().adjusted(1, 1, -1, -1) : rect();
    p.fillRect(bar, m_background);
    if (m_bevel) {
        p.setPen(QColor(128, 128, 128));
        p.drawLine(0, 0, width() - 1, 0);
        p.drawLine(0, 0, 0, height() - 1);
        p.setPen(Qt::white);
        p.drawLine(1, height() - 1, width() - 1, height() - 1);
        p.drawLine(width() - 1, 1, width() - 1, height() - 1);
    }
    const qint64 span = qint64(m_maximum) - m_minimum;
    if (span <= 0 || m_value <= m_minimum)
        return;
    const int filled = int(qint64(bar.width()) * (qint64(m_value) - m_minimum) / span);
    QLinearGradient g(bar.left(), 0, bar.right() + 1, 0);
    g.setColorAt(0, m_start);
    g.setColorAt(1, m_end);
    p.fillRect(QRect(bar.left(), bar.top(), filled, bar.height()), g);
}

} // namespace widgets
