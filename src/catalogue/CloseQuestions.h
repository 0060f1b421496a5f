#pragma once

// The balloons a catalogue window's close raises: the question whether to
// save the record being edited (DotazKonecDialog) and the warning that the
// window stays open while its lending card is edited (DotazVypujckaDialog).
// A window has at most one of each up; asking again raises it. Each balloon
// deletes itself when it closes. What the answer does is the window's.

#include "CatalogueServices.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace widgets {
class Balloon;
}

namespace catalogue {

class CloseQuestions : public QObject
{
    Q_OBJECT
public:
    CloseQuestions(const QString &displayName, const CatalogueServices &services, QObject *parent);

    // Asks about the record; the answer comes as recordAnswered().
    void askAboutRecord();
    // Takes the answered record question down.
    void closeRecordQuestion();
    // Shows the warning; its close comes as cardWarningClosed().
    void warnAboutLendingCard();
    // Takes down whatever is up: the window goes.
    void closeAll();

signals:
    void recordAnswered(bool save);
    // The record question went without an answer: the record stays in edit.
    void recordDismissed();
    // The warning has closed and SBO10 tells again whether any catalogue is
    // open (this one still is).
    void cardWarningClosed();

private:
    const QString m_displayName;
    CatalogueServices m_services;
    QPointer<widgets::Balloon> m_question;
    QPointer<widgets::Balloon> m_cardWarning;
};

} // namespace catalogue
