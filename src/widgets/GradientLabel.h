#pragma once

// A one-line text drawn with a horizontal colour gradient (red to blue by
// default), as the title on the splash.

#include <QColor>
#include <QString>
#include <QWidget>

namespace widgets {

class GradientLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit GradientLabel(QWidget *parent = nullptr);
    explicit GradientLabel(const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    QColor startColor() const { return m_start; }
    QColor endColor() const { return m_end; }
    void setColors(const QColor &start, const QColor &end);

    // Qt::AlignLeft (default), Qt::AlignHCenter or Qt::AlignRight; always
    // vertically centred.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    // The font is the widget's font().

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_text;
    QColor m_start;
    QColor m_end;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

} // namespace widgets
