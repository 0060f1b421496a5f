#include "GradientLabel.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

namespace widgets {

GradientLabel::GradientLabel(QWidget *parent)
    : GradientLabel(QString(), parent)
{
}

GradientLabel::GradientLabel(const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_start(Qt::red)
    , m_end(Qt::blue)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GradientLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
}

void GradientLabel::setColors(const QColor &start, const QColor &end)
{
    if (start == m_start && end == m_end)
        return;
    m_start = start;
    m_end = end;
    update();
}

void GradientLabel::setAlignment(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

QSize GradientLabel::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(m_text) + 2, fm.height()};
}

void GradientLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

void GradientLabel::paintEvent(QPaintEvent *)
{
    if (m_text.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    const QFontMetrics fm(font());
    const int tw = fm.horizontalAdvance(m_text);
    int x = 0;
    if (m_alignment & Qt::AlignHCenter)
        x = (width() - tw) / 2;
    else if (m_alignment & Qt::AlignRight)
        x = width() - tw;
    // The gradient runs across the text itself, red at its first letter and
    // blue at its last, wherever the text stands.
    QLinearGradient g(x, 0, x + qMax(1, tw), 0);
    g.setColorAt(0, m_start);
    g.setColorAt(1, m_end);
    p.setPen(QPen(QBrush(g), 1));
    const int y = (height() - fm.height()) / 2 + fm.ascent();
    p.drawText(x, y, m_text);
}

} // namespace widgets
