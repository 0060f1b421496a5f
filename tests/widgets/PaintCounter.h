#pragma once

// Counts the paint events a widget receives, to tell whether a setter
// repainted it.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }

    int count() const { return m_count; }

    // Lets pending repaints happen, then starts counting afresh.
    void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
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
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};
