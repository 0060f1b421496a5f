#pragma once

// Flat self-drawn push button with an indicator light and a rounded outline
// that lights up under the mouse. It takes no keyboard focus and reacts to
// the mouse only; dialogs bind clicked().

#include <QColor>
#include <QString>
#include "PressableWidget.h"

namespace widgets {

class OfficeButton : public PressableWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor buttonColor READ buttonColor WRITE setButtonColor)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(int roundSize READ roundSize WRITE setRoundSize)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)

public:
    explicit OfficeButton(QWidget *parent = nullptr);
    explicit OfficeButton(const QString &caption, QWidget *parent = nullptr);


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
    // The caption and light move by a pixel while the button is held down
    // with the mouse over it.
    int pressOffset() const { return isHot() && isPressed() ? 1 : 0; }

    QSize sizeHint() const override; // 100 x 25

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_buttonColor;
    bool m_transparent = true;
    int m_roundSize = 20;
    int m_borderWidth = 1;
    QColor m_borderColor;
};

} // namespace widgets
