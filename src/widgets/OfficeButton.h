#pragma once

// Flat self-drawn push button with an indicator light and a rounded outline
// that lights up under the mouse. It takes no keyboard focus and reacts to
// the mouse only; dialogs bind clicked().

#include <QColor>
#include <QString>
#include <QWidget>

namespace widgets {

class OfficeButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor buttonColor READ buttonColor WRITE setButtonColor)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(int roundSize READ roundSize WRITE setRoundSize)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)

public:
    explicit OfficeButton(QWidget *parent = nullptr);
    explicit OfficeButton(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Fill used when the button is not transparent (default light grey).
    QColor buttonColor() const { return m_buttonColor; }
    void setButtonColor(const QColor &color);

    // Transparent (default): filled with the parent's background colour.
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // Corner diameter of the outline (default 20).
    int roundSize() const { return m_roundSize; }
    void setRoundSize(int size);

    // Outline width 0..255 (default 1); values outside are clamped.
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);

    // Outline colour while the mouse is over the button (default grey).
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);

    // The caption font is the widget's font(); enabled is QWidget's enabled.

    // Read-only state, for the tests and for painting.
    bool isHot() const { return m_hot; }
    bool isPressed() const { return m_pressed; }
    int pressOffset() const { return m_offset; }

    QSize sizeHint() const override; // 100 x 25

signals:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void enter();
    void leave();

    QString m_caption;
    QColor m_buttonColor;
    bool m_transparent = true;
    int m_roundSize = 20;
    int m_borderWidth = 1;
    QColor m_borderColor;
    bool m_hot = false;
    bool m_pressed = false;
    int m_offset = 0;
};

} // namespace widgets
