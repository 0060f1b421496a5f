#pragma once

// Types text into a control key by key as a keyboard would, Czech letters
// included (QTest's key clicks take Latin-1 only).

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

inline void typeText(QWidget *target, const QString &text)
{
    for (const QChar ch : text) {
        const int key = ch.isLetterOrNumber() && ch.unicode() < 128 ? ch.toUpper().unicode() : Qt::Key_unknown;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &release);
    }
}
