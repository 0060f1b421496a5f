#pragma once

// Horizontal progress bar filled with a colour gradient on a black
// background, without text (the splash's "Metr").

#include <QColor>
#include <QWidget>

namespace widgets {

class GradientProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)

public:
    explicit GradientProgressBar(QWidget *parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // A reversed range is swapped; the value is kept inside the range.
    void setRange(int minimum, int maximum);

    int value() const { return m_value; }

    // Gradient from the start colour (white) at the left to the end colour
    // (red) at the right end of the full bar.
    QColor startColor() const { return m_start; }
    QColor endColor() const { return m_end; }
    void setColors(const QColor &start, const QColor &end);

    // The part not yet reached (black unless set), and an optional lowered
    // bevel one pixel wide around the bar.
    QColor background() const { return m_background; }
    void setBackground(const QColor &color);
    bool loweredBevel() const { return m_bevel; }
    void setLoweredBevel(bool on);

    QSize sizeHint() const override; // 231 x 17

public slots:
    // Values outside the range are clamped.
    void setValue(int value);

signals:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
    QColor m_start;
    QColor m_end;
    QColor m_background = Qt::black;
    bool m_bevel = false;
};

} // namespace widgets
