#pragma once

// Answers the next error box the code under test shows, keeping its text.
// It watches for the box being shown, whenever that happens inside the
// command, instead of looking for it on a timer.

#include <QObject>
#include <QStringList>

class QEvent;

class ErrorBoxes : public QObject
{
public:
    void expectOne();
    QStringList messages;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_expected = 0;
};
