#include "CloseQuestions.h"

#include "Questions.h"

#include "core/AppSettings.h"
#include "core/Shell.h"
#include "core/Slots.h"
#include "platform/Error.h"
#include "widgets/Balloon.h"

#include <memory>

namespace catalogue {

CloseQuestions::CloseQuestions(const QString &displayName, const CatalogueServices &services, QObject *parent)
    : QObject(parent)
    , m_displayName(displayName)
    , m_services(services)
{
}

void CloseQuestions::askAboutRecord()
{
    if (m_question) {
        m_question->raise();
        return;
    }
    m_question = createCloseQuestion(m_displayName, m_services.shell);
    auto answered = std::make_shared<bool>(false);
    connect(m_question, &widgets::Balloon::accepted, this, [this, answered] {
        *answered = true;
        emit recordAnswered(true);
    });
    connect(m_question, &widgets::Balloon::rejected, this, [this, answered] {
        *answered = true;
        emit recordAnswered(false);
    });
    // Closed without an answer (Alt+F4, the window manager): nothing is
    // decided, and a program end waiting on this window is called off.
    connect(m_question, &widgets::BalloonWindow::closed, this, [this, answered] {
        if (!*answered) {
            m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
            emit recordDismissed();
        }
    });
    m_services.shell.placeBesideAssistant(m_question);
    m_question->show();
}

void CloseQuestions::closeRecordQuestion()
{
    if (m_question)
        m_question->close();
}

void CloseQuestions::warnAboutLendingCard()
{
    if (m_cardWarning) {
        m_cardWarning->raise();
        return;
    }
    m_cardWarning = createLendingCardWarning(m_displayName, m_services.shell);
    connect(m_cardWarning, &widgets::BalloonWindow::closed, this, [this] {
        m_cardWarning = nullptr; // it deletes itself; the next close raises a new one
        // SBO10 tells that a catalogue is open; this one still is.
        bool anyOpen = false;
        for (int s = 1; s <= core::SlotCount; ++s) {
            try {
                anyOpen = anyOpen || m_services.settings.catalogueOpen(s);
            } catch (const platform::Error &) {
            }
        }
        m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"), anyOpen);
        emit cardWarningClosed();
    });
    // Beside the assistant, its bottom 15 pixels below the assistant's.
    m_services.shell.placeBesideAssistant(m_cardWarning);
    m_cardWarning->move(m_cardWarning->x(), m_cardWarning->y() + 15);
    m_cardWarning->show();
}

void CloseQuestions::closeAll()
{
    if (m_question)
        m_question->close();
    if (m_cardWarning)
        m_cardWarning->close();
}

} // namespace catalogue
