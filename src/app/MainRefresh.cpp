// The active side of the main window: the refresh of the command states,
// the first show and the close.

#include "HlavniDialog.h"

#include "CatalogueArea.h"
#include "CommandTable.h"
#include "StatusPanels.h"
#include "TipLine.h"
#include "ToolbarRows.h"
#include "ViewToggles.h"

#include "catalogue/Availability.h"
#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/DataModule.h"
#include "core/Slots.h"
#include "core/SuiteSettings.h"
#include "guidance/PomocnikDialog.h"
#include "guidance/StartupGuidance.h"
#include "guidance/TipyDialog.h"
#include "guidance/UvitaniDialog.h"
#include "platform/Error.h"
#include "platform/FileRules.h"
#include "platform/Launcher.h"
#include "reports/PrinterQuestions.h"
#include "widgets/ErrorBox.h"

#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTimer>

namespace app {

void HlavniDialog::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, &HlavniDialog::refresh);
}

void HlavniDialog::refresh()
{
    m_refreshPending = false;
    QWidget *window = activeCatalogueWindow();
    m_status->setCatalogueText(window ? QStringLiteral("      ") + window->windowTitle() : QString());
    updateCommands();
    m_tipLine->fitWindowWidth(width());
    if (!m_rows->checkPending())
        m_rows->enforce();
}

void HlavniDialog::refreshForMenu()
{
    readOpenMarkers();
    refresh();
}

void HlavniDialog::readOpenMarkers()
{
    // Read from the file only when a menu opens (the erase of the standard
    // catalogue asks for them), not on every move of a record.
    for (int slot = 1; slot <= core::SlotCount; ++slot)
        m_openMarkers[slot] = m_settings->catalogueOpen(slot);
}

catalogue::ProgramState HlavniDialog::snapshot() const
{
    catalogue::ProgramState state;
    QWidget *window = activeCatalogueWindow();
    if (catalogue::CatalogueWindow *cw = window ? catalogue::CatalogueWindow::of(window) : nullptr)
        state.active = cw->snapshot();
    state.openMarkers = m_openMarkers;
    state.tipsOpen = m_tipsOpen;
    state.manualAvailable = m_manualAvailable;
    for (int i = 0; i < ViewToggles::Count && i < int(state.viewShown.size()); ++i)
        state.viewShown[i] = m_toggles->isShown(i);
    return state;
}

void HlavniDialog::updateCommands()
{
    m_commands->apply(catalogue::availability(snapshot()), this);
}

// ---- commands --------------------------------------------------------------------

void HlavniDialog::MS9Click()
{
    // The printer chosen here is the one "Tisk..." prints on.
    if (!m_printer.installed()) {
        reports::warnNoPrinter(*this);
        return;
    }
    QPrintDialog dialog(printer(), this);
    dialog.setWindowTitle(QStringLiteral("Nastavení tiskárny"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

// ---- first show and close ---------------------------------------------------------------

void HlavniDialog::FormShow()
{
    // The electronic manual, when it is installed.
    const bool manual = platform::manualAvailable(m_dir);
    m_manualAvailable = manual;
    if (m_welcome)
        m_welcome->setManualEnabled(manual);

    // The tips table, when its file is there. A damaged tips file is
    // reported and the program works on without tips.
    QString tipsError;
    m_tipsOpen = m_tipLine->openTable(m_dir, tipsError);
    if (!tipsError.isEmpty())
        showError(tipsError);
    updateCommands();

    const bool assistantOn = m_suite->assistantShown();
    const bool welcomeOn = m_suite->welcomeAtStart();
    if (m_settings->tipsAtStart()) {
        if (m_tips)
            m_tips->show();
        return;
    }
    if (m_assistant && m_welcome)
        guidance::runStartupGuidance(*m_assistant, *m_welcome, *this, assistantOn, welcomeOn);
}

bool HlavniDialog::FormClose()
{
    // The markers could not be reset and the user has been told: the end goes on.
    if (m_endAfterError)
        return true;
    // A record or a lending card being edited: that window asks about it
    // (or refuses), and the program goes on.
    if (m_catalogues && !m_catalogues->requestExit())
        return false;
    try {
        m_settings->resetAtExit();
    } catch (const platform::Error &e) {
        // The markers could not be written; say so, and end the program
        // once the user has closed the box.
        m_endAfterError = true;
        QMessageBox *box = widgets::openErrorBox(this, e.message());
        connect(box, &QMessageBox::finished, this, &QWidget::close, Qt::QueuedConnection);
        return false;
    }
    return true;
}

} // namespace app
