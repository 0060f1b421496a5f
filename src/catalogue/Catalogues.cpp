#include "Catalogues.h"

#include "CatalogueWindow.h"
#include "OtevreniDialog.h"
#include "OptionalCatalogueChain.h"
#include "OptionalCatalogues.h"
#include "Questions.h"

#include "base/Error.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "dbase/Table.h"
#include "platform/Error.h"
#include "widgets/Balloon.h"

#include "widgets/ProgressWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace catalogue {

Catalogues::Catalogues(const CatalogueServices &services, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_dialog(new OtevreniDialog(services.settings, services.shell))
    , m_chain(new OptionalCatalogueChain(services.data.programDirectory(), services.settings, services.shell, this))
{
    connect(m_chain, &OptionalCatalogueChain::namesChanged, m_dialog, &OtevreniDialog::refresh);
    connect(m_dialog, &OtevreniDialog::openRequested, this, [this](int slot) { open(slot); });
    m_dialog->refresh();
}

Catalogues::~Catalogues()
{
    delete m_dialog;
}

OtevreniDialog *Catalogues::openDialog() const
{
    return m_dialog;
}

void Catalogues::showOpenDialog()
{
    m_dialog->showAboveAssistant();
}

OptionalCatalogueChain *Catalogues::optionalChain() const
{
    return m_chain;
}

void Catalogues::showOptionalDialog()
{
    m_chain->show();
}

void Catalogues::askEraseStandard()
{
    bool open = window(1) != nullptr;
    try {
        open = open || m_services.settings.catalogueOpen(1);
    } catch (const platform::Error &) {
    }
    if (open)
        return; // the files of an open table are never replaced
    widgets::Balloon *question = createEraseQuestion(m_services.shell);
    connect(question, &widgets::Balloon::accepted, this, [this] {
        try {
            OptionalCatalogues(m_services.data.programDirectory(), m_services.settings).eraseStandard();
        } catch (const platform::Error &error) {
            m_services.shell.showError(error.message());
        }
    });
    connect(question, &widgets::BalloonWindow::closed, this, [this] {
        m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"),
                                             m_services.shell.activeCatalogueWindow() != nullptr);
    });
    m_services.shell.placeBesideAssistant(question);
    question->show();
}

CatalogueWindow *Catalogues::window(int slot) const
{
    if (slot < 1 || slot > 4)
        return nullptr;
    return m_windows[slot - 1];
}

CatalogueWindow *Catalogues::activeWindow() const
{
    return CatalogueWindow::of(m_services.shell.activeCatalogueWindow());
}

void Catalogues::performOnActive(core::Command command)
{
    if (CatalogueWindow *w = activeWindow())
        w->perform(command);
}

void Catalogues::closeActive()
{
    if (CatalogueWindow *w = activeWindow())
        w->requestClose();
}

QString Catalogues::displayName(int slot) const
{
    return m_dialog->displayName(slot);
}

CatalogueWindow *Catalogues::open(int slot)
{
    if (slot < 1 || slot > 4 || window(slot))
        return nullptr;
    const QString name = m_dialog->displayName(slot);
    if (m_dialog->isVisible())
        m_dialog->close();

    auto *progress = new widgets::ProgressWindow(widgets::ProgressWindow::Kind::Opening, name, m_services.shell);
    progress->showPainted();
    progress->setPosition(14);

    dbase::Table *table = m_services.data.bookTable(slot);
    bool marked = false;
    CatalogueWindow *window = nullptr;
    QString failure;
    try {
        progress->setPosition(28);
        m_services.settings.setCatalogueOpen(slot, true);
        marked = true;
        progress->setPosition(42);
        progress->setPosition(56);
        m_services.data.openTable(slot);
        progress->setPosition(70);
        table->first();
        progress->setPosition(84);
        window = new CatalogueWindow(slot, name, m_services);
        progress->setPosition(100);
    } catch (const base::Error &error) {
        failure = error.message();
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    }

    if (!failure.isEmpty()) {
        // Nothing of the half-done opening stays behind: the slot counts as
        // closed again and the main window takes input again.
        delete window;
        try {
            if (table->isActive())
                table->close();
        } catch (const dbase::Error &) {
        }
        if (marked) {
            try {
                m_services.settings.setCatalogueOpen(slot, false);
            } catch (const platform::Error &) {
            }
        }
        progress->close();
        m_services.shell.showError(failure);
        return nullptr;
    }

    progress->close();
    m_windows[slot - 1] = window;
    connect(window, &CatalogueWindow::closed, this, &Catalogues::windowHasClosed);
    connect(window, &CatalogueWindow::closeQuestionAnswered, this, [this](int s, bool closed) {
        if (!closed && s == m_exitSlot)
            m_exitSlot = 0; // the record stays in edit: the end is called off
    });
    // The window goes into the frame, and find and the reports go straight
    // to the program's searches and reports.
    connect(window, &CatalogueWindow::findRequested, this, &Catalogues::findRequested);
    connect(window, &CatalogueWindow::previewRequested, this, [this](int s) { emit reportRequested(s, true); });
    connect(window, &CatalogueWindow::printRequested, this, [this](int s) { emit reportRequested(s, false); });
    QMdiSubWindow *sub = m_services.area.addSubWindow(window);
    window->setSubWindow(sub);
    sub->show();
    m_services.area.setActiveSubWindow(sub);
    emit windowOpened(window);
    return window;
}

bool Catalogues::requestExit()
{
    for (int slot = 1; slot <= 4; ++slot) {
        CatalogueWindow *w = window(slot);
        if (w && w->closeDecision() != CatalogueWindow::CloseDecision::Close) {
            m_exitSlot = slot;
            w->requestClose();
            return false;
        }
    }
    return true;
}

int Catalogues::exitSlot() const
{
    return m_exitSlot;
}

void Catalogues::windowHasClosed(int slot)
{
    if (slot >= 1 && slot <= 4)
        m_windows[slot - 1] = nullptr;
    emit windowClosed(slot);
    if (slot == m_exitSlot) {
        m_exitSlot = 0;
        emit exitMayContinue();
    }
}

} // namespace catalogue
