// The main window's first show and its close.

#include "HlavniDialog.h"

#include "CommandRefresh.h"
#include "TipLine.h"

#include "catalogue/Catalogues.h"
#include "core/SuiteSettings.h"
#include "guidance/PomocnikDialog.h"
#include "guidance/StartupGuidance.h"
#include "guidance/TipyDialog.h"
#include "guidance/UvitaniDialog.h"
#include "platform/Error.h"
#include "platform/Launcher.h"
#include "widgets/ErrorBox.h"

#include <QMessageBox>

namespace app {

// ---- first show and close ---------------------------------------------------------------

void HlavniDialog::FormShow()
{
    // The electronic manual, when it is installed.
    const bool manual = platform::manualAvailable(m_dir);
    m_refresh->setManualAvailable(manual);
    if (m_welcome)
        m_welcome->setManualEnabled(manual);

    // The tips table, when its file is there. A damaged tips file is
    // reported and the program works on without tips.
    QString tipsError;
    m_refresh->setTipsOpen(m_tipLine->openTable(m_dir, tipsError));
    if (!tipsError.isEmpty())
        showError(tipsError);
    m_refresh->updateCommands();

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
