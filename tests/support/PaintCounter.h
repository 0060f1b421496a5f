#pragma once

// Counts the paint events a widget receives, to tell whether a setter
// repainted it.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) : QObject(widget) { widget->installEventFilter(this); }

    // Lets pending repaints happen, then counts afresh.
    void settle()
    {
        paintsAfter();
        m_count = 0;
    }

    // Lets pending repaints happen and returns how many there were.
    int paintsAfter()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return m_count;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        m_count += event->type() == QEvent::Paint;
        return false;
    }

private:
    int m_count = 0;
};
