#pragma once

// Clickable multi-line text with an indicator light in front of it: the
// entries of the choice dialogs. Takes no keyboard focus; reacts to the mouse.

#include <QColor>
#include <QString>
#include "PressableWidget.h"

namespace widgets {

class OfficeLabel : public PressableWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor labelColor READ labelColor WRITE setLabelColor)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(LedType ledType READ ledType WRITE setLedType)

public:
    enum LedType { RoundLed = 0, ThreeDDown = 1, ThreeDUp = 2 };
    Q_ENUM(LedType)

    explicit OfficeLabel(QWidget *parent = nullptr);
    explicit OfficeLabel(const QString &caption, QWidget *parent = nullptr);

    // Word-wrapped; an ampersand is shown as it is.

    // Background when not transparent (default light grey).
    QColor labelColor() const { return m_labelColor; }
    void setLabelColor(const QColor &color);

    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    LedType ledType() const { return m_ledType; }
    void setLedType(LedType type);

    // The text font is the widget's font() ("MS Sans Serif", 8 pt by default).

    // Read-only state, for the tests and for painting.
    bool isErasePending() const { return m_erasePending; }
    // Where the caption is drawn, in widget coordinates.
    QRect textRect() const;

    QSize sizeHint() const override; // 100 x 17

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseHasLeft() override;
    void aboutToClick() override;
    void stateReset() override;

private:
    QColor m_labelColor;
    bool m_transparent = true;
    LedType m_ledType = RoundLed;
    bool m_erasePending = false;
};

} // namespace widgets
