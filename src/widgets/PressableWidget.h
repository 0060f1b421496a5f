#pragma once

// The mouse behaviour shared by the office-style button and label: a widget
// that lights up under the mouse, is held down by the left button, follows
// the mouse leaving and coming back while held, and reports a click when the
// button is released over it. It takes no keyboard focus. Its caption is
// what it shows and what the accessibility bridge reads as its name.

#include <QWidget>

namespace widgets {

class PressableWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
public:
    QString caption() const { return m_caption; }
    // Repaints and tells the accessibility bridge that the name changed.
    void setCaption(const QString &caption);

    // Read-only state, for the tests and for painting.
    bool isHot() const { return m_hot; }
    bool isPressed() const { return m_pressed; }

    // A press from outside the mouse (the accessibility bridge): the same
    // clicked() as a mouse click, and nothing while disabled.
    void click();

signals:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    PressableWidget(const QString &caption, QWidget *parent);

    // A painted property: stored and repainted only when it changes.
    template <typename T>
    void setAndRepaint(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        update();
    }

    // Hooks for what a subclass adds to the shared states; each is called
    // after the state changed and before the signal, if any, is sent.
    virtual void mouseHasLeft() {}
    virtual void aboutToClick() {}
    virtual void stateReset() {}

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
    bool m_hot = false;
    bool m_pressed = false;
};

} // namespace widgets
