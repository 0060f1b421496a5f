#pragma once

// A small painted animation shown while the program copies or searches. Its
// timer runs only while the widget is visible.

#include <QBasicTimer>
#include <QWidget>

namespace widgets {

class BusyAnimation : public QWidget
{
    Q_OBJECT

public:
    // CopyPages: sheets flying from one folder to another.
    // Search: a magnifier circling over a page.
    enum Kind { CopyPages, Search };
    Q_ENUM(Kind)

    explicit BusyAnimation(Kind kind = CopyPages, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    bool isRunning() const { return m_timer.isActive(); }
    int frame() const { return m_frame; }
    static constexpr int FrameCount = 16;
    static constexpr int IntervalMs = 100;

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCopy(QPainter &painter);
    void paintSearch(QPainter &painter);

    Kind m_kind;
    QBasicTimer m_timer;
    int m_frame = 0;
};

} // namespace widgets
