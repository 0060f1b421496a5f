#pragma once

// Types text into a control key by key as a keyboard would, Czech letters
// included (QTest's key clicks take Latin-1 only).

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
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

// Types text into a control as the user would: focus, select all, then type;
// an editable combo box takes it in its line.
inline void typeOver(QWidget *control, const QString &text)
{
    QWidget *target = control;
    if (auto *combo = qobject_cast<QComboBox *>(control))
        target = combo->lineEdit();
    target->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        edit->selectAll();
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(target))
        memo->selectAll();
    typeText(target, text);
}
