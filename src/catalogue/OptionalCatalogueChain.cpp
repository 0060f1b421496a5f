#include "OptionalCatalogueChain.h"

#include "EditaceDialog.h"
#include "JmenoDialog.h"
#include "NovyDialog.h"
#include "Questions.h"

#include "core/Shell.h"
#include "platform/Error.h"
#include "widgets/Balloon.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace catalogue {

OptionalCatalogueChain::OptionalCatalogueChain(const platform::ProgramDirectory &dir, core::AppSettings &settings,
                                               core::Shell &shell, QObject *parent)
    : QObject(parent)
    , m_shell(shell)
    , m_catalogues(dir, settings)
    , m_novy(new NovyDialog(settings, shell))
    , m_editace(new EditaceDialog(shell))
    , m_jmeno(new JmenoDialog(shell))
{
    connect(m_novy, &NovyDialog::chosen, this, &OptionalCatalogueChain::choose);
    connect(m_editace, &widgets::BalloonWindow::closed, this, [this] { m_novy->setEnabled(true); });
    connect(m_editace, &EditaceDialog::editRequested, this, &OptionalCatalogueChain::edit);
    connect(m_editace, &EditaceDialog::removeRequested, this, &OptionalCatalogueChain::askRemove);
    connect(m_jmeno, &JmenoDialog::nameConfirmed, this, &OptionalCatalogueChain::confirmName);
}

OptionalCatalogueChain::~OptionalCatalogueChain()
{
    delete m_jmeno;
    delete m_editace;
    delete m_novy;
    delete m_warning;
}

NovyDialog *OptionalCatalogueChain::novyDialog() const
{
    return m_novy;
}

EditaceDialog *OptionalCatalogueChain::editaceDialog() const
{
    return m_editace;
}

JmenoDialog *OptionalCatalogueChain::jmenoDialog() const
{
    return m_jmeno;
}

void OptionalCatalogueChain::show()
{
    m_novy->refresh();
    m_shell.placeAboveAssistant(m_novy);
    m_novy->show();
    m_novy->raise();
}

void OptionalCatalogueChain::choose(int k)
{
    m_novy->setEnabled(false);
    m_editace->prepare(k, m_catalogues.exists(k));
    // Level with the chosen entry, left of the list (right of it when there
    // is no room on the left).
    int left = m_novy->x() - 200;
    if (left < 5)
        left = m_novy->x() + 100;
    static const int offsets[3] = {39, 71, 103};
    m_editace->move(left, m_novy->y() + offsets[k - 1]);
    m_editace->show();
    m_editace->raise();
}

void OptionalCatalogueChain::edit(int k)
{
    const QString current = m_novy->entryName(k);
    m_editace->close();
    m_novy->close();
    m_jmeno->prepare(k, current);
    m_jmeno->show();
    m_jmeno->raise();
    m_jmeno->activateWindow();
}

void OptionalCatalogueChain::askRemove(int k)
{
    m_novy->close();
    m_editace->close();
    widgets::Balloon *question = createRemoveQuestion(k, m_shell);
    connect(question, &widgets::Balloon::accepted, this, [this, k] {
        try {
            m_catalogues.remove(k);
        } catch (const platform::Error &error) {
            m_shell.showError(error.message());
        }
        emit namesChanged();
    });
    m_shell.placeBesideAssistant(question);
    question->show();
}

void OptionalCatalogueChain::confirmName(int k, const QString &name)
{
    if (m_warning)
        return;
    if (OptionalCatalogues::isMissingName(name)) {
        warn(QStringLiteral("Nejprve musíte zadat název volitelné databáze."));
        return;
    }
    const QString problem = OptionalCatalogues::nameProblem(name);
    if (!problem.isEmpty()) {
        warn(problem);
        return;
    }
    try {
        m_catalogues.confirmName(k, name);
    } catch (const platform::Error &error) {
        // Nothing was written: the dialog stays for another try or Storno.
        m_shell.showError(error.message());
        return;
    }
    m_jmeno->close();
    emit namesChanged();
}

void OptionalCatalogueChain::warn(const QString &text)
{
    m_warning = createNameWarning(text, m_shell);
    m_shell.setIndicatorVisible(QStringLiteral("SBO4"), false);
    m_jmeno->setEnabled(false);
    connect(m_warning, &widgets::BalloonWindow::closed, this, [this] {
        m_warning = nullptr; // it deletes itself
        // Back to the name, which stays as typed; the main window stays
        // off while JmenoDialog is up.
        m_shell.setIndicatorVisible(QStringLiteral("SBO4"), true);
        m_shell.setMainWindowEnabled(false);
        m_jmeno->setEnabled(true);
        m_jmeno->activateWindow();
        m_jmeno->edit()->setFocus();
    });
    m_shell.placeBesideAssistant(m_warning);
    m_warning->show();
}

} // namespace catalogue
