// The active side of the main window: the refresh of the command states,
// the commands it routes to the active catalogue window, the first show and
// the close.

#include "HlavniDialog.h"

#include "CatalogueArea.h"
#include "ErrorBox.h"
#include "TipLine.h"

#include "catalogue/Availability.h"
#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/DataModule.h"
#include "core/Slots.h"
#include "core/SuiteSettings.h"
#include "dbase/Table.h"
#include "guidance/PomocnikDialog.h"
#include "guidance/StartupGuidance.h"
#include "guidance/TipyDialog.h"
#include "guidance/UvitaniDialog.h"
#include "platform/Error.h"
#include "platform/FileRules.h"
#include "platform/Launcher.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTimer>

namespace app {

namespace {

using catalogue::CatalogueState;
using catalogue::Command;

// The main window's controls of each record command (their toolbar and
// side-bar buttons share the actions).
struct CommandControls
{
    Command command;
    std::initializer_list<const char *> names;
};

const CommandControls mainControls[] = {
    {Command::Preview, {"MS4"}},
    {Command::Print, {"MS5"}},
    {Command::Clipboard, {"MU1", "MU2", "MU3"}},
    {Command::Delete, {"MU4"}},
    {Command::Edit, {"MU5"}},
    {Command::Save, {"MU6"}},
    {Command::Undo, {"MU9"}},
    {Command::Find, {"MU7"}},
    {Command::GoTo, {"MU8"}},
    {Command::FirstPrior, {"PNa1", "Pna2"}},
    {Command::NextLast, {"PNa3", "PNa4"}},
    {Command::New, {"PNa5"}},
};

bool isEnabledWithin(QWidget *w, QWidget *window)
{
    return w && w->isEnabledTo(window);
}

} // namespace

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
    if (window) {
        const int slot = activeSlot();
        m_catalogue->setText(QStringLiteral("      ") + window->windowTitle());
        applyAvailability(window, slot);
    }
    setCommandsEnabled({"MO1", "MO2", "MO3", "MO4"}, window != nullptr);
    setTipLineWidth();
    if (!m_rowsCheckPending)
        enforceToolbarRows();
}

void HlavniDialog::applyAvailability(QWidget *window, int slot)
{
    catalogue::CatalogueWindow *cw = catalogue::CatalogueWindow::of(window);
    CatalogueState state;
    if (cw) {
        state = cw->state();
    } else {
        // A window of another make: its number edit C1 tells edit mode.
        dbase::Table *t = m_data.bookTable(slot);
        const bool editing = isEnabledWithin(window->findChild<QWidget *>(QStringLiteral("C1")), window);
        const bool active = t->isActive();
        state = catalogue::catalogueState(editing, !active || t->bof(), !active || t->eof());
    }
    for (const CommandControls &c : mainControls) {
        const std::optional<bool> on =
            catalogue::commandEnabled(c.command, state, catalogue::Place::MainWindow);
        if (on)
            setCommandsEnabled(c.names, *on);
    }
    if (cw)
        cw->applyAvailability(state);
}

// ---- menus opening --------------------------------------------------------------

void HlavniDialog::SouborClick()
{
    command(QStringLiteral("MS3"))->setEnabled(activeCatalogueWindow() != nullptr);
}

void HlavniDialog::NastrojeClick()
{
    const bool active = activeCatalogueWindow() != nullptr;
    command(QStringLiteral("MN5"))->setEnabled(!active);
    setActionEnabled(command(QStringLiteral("MN7")), active);
    command(QStringLiteral("MN1"))->setEnabled(!m_settings->catalogueOpen(1));
}

void HlavniDialog::OknoClick()
{
    const bool active = activeCatalogueWindow() != nullptr;
    command(QStringLiteral("N10"))->setVisible(active);
    setCommandsEnabled({"MO1", "MO2", "MO3", "MO4", "MO5"}, active);
}

// ---- commands --------------------------------------------------------------------

void HlavniDialog::MS3Click()
{
    if (QWidget *w = activeCatalogueWindow()) {
        if (catalogue::CatalogueWindow *cw = catalogue::CatalogueWindow::of(w))
            cw->requestClose();
        else
            w->close();
    }
}

void HlavniDialog::MS9Click()
{
    // The printer chosen here is the one "Tisk..." prints on.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        QMessageBox::information(this, QStringLiteral("Ordex 2000"),
                                 QStringLiteral("V systému není nainstalována žádná tiskárna."));
        return;
    }
    QPrintDialog dialog(printer(), this);
    dialog.setWindowTitle(QStringLiteral("Nastavení tiskárny"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

void HlavniDialog::showCatalogueOfSlot(int slot)
{
    QMdiSubWindow *sub = catalogueSubWindow(slot);
    if (!sub)
        return;
    if (sub->isMinimized())
        sub->showNormal();
    else
        sub->show();
    m_area->setActiveSubWindow(sub);
    sub->raise();
}

void HlavniDialog::clipboardCommand(int which)
{
    QWidget *w = activeCatalogueWindow();
    catalogue::CatalogueWindow *cw = w ? catalogue::CatalogueWindow::of(w) : nullptr;
    if (!cw)
        return;
    switch (which) {
    case 0: cw->cut(); break;
    case 1: cw->copy(); break;
    default: cw->paste(); break;
    }
}

void HlavniDialog::routeRecordCommand(const QString &name)
{
    QWidget *w = activeCatalogueWindow();
    catalogue::CatalogueWindow *cw = w ? catalogue::CatalogueWindow::of(w) : nullptr;
    if (!cw)
        return;
    if (name == QLatin1String("PNa1"))
        cw->first();
    else if (name == QLatin1String("Pna2"))
        cw->prior();
    else if (name == QLatin1String("PNa3"))
        cw->next();
    else if (name == QLatin1String("PNa4"))
        cw->last();
    else if (name == QLatin1String("PNa5"))
        cw->newRecord();
    else if (name == QLatin1String("MU4"))
        cw->deleteRecord();
    else if (name == QLatin1String("MU5"))
        cw->editRecord();
    else if (name == QLatin1String("MU6"))
        cw->saveRecord();
    else if (name == QLatin1String("MU9"))
        cw->undo();
    else if (name == QLatin1String("MU7"))
        emit findRequested(cw->slot());
    scheduleRefresh();
}

void HlavniDialog::reportCommand(bool preview)
{
    const int slot = activeSlot();
    if (slot > 0)
        emit reportSelection(slot, preview);
}

// ---- first show and close ---------------------------------------------------------------

void HlavniDialog::FormShow()
{
    // The electronic manual, when it is installed.
    const bool manual = platform::manualAvailable(m_dir);
    command(QStringLiteral("EM"))->setEnabled(manual);
    if (m_welcome)
        m_welcome->setManualEnabled(manual);

    // The tips table, when its file is there. A damaged tips file is
    // reported and the program works on without tips.
    QString tipsError;
    const bool tipsOpen = m_tipLine->openTable(m_dir, tipsError);
    if (!tipsError.isEmpty())
        showError(tipsError);
    setCommandsEnabled({"TT1", "TT2"}, tipsOpen);

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
    bool open[core::SlotCount + 1] = {};
    for (int slot = 1; slot <= core::SlotCount; ++slot)
        open[slot] = m_settings->catalogueOpen(slot);

    auto windowOf = [this](int slot) -> catalogue::CatalogueWindow * {
        QMdiSubWindow *sub = catalogueSubWindow(slot);
        return sub ? catalogue::CatalogueWindow::of(sub) : nullptr;
    };
    // A record being edited: that window asks about it, the program goes on.
    if (m_catalogues && !m_catalogues->requestExit())
        return false;
    for (int slot = 1; slot <= core::SlotCount; ++slot) {
        if (!open[slot])
            continue;
        QMdiSubWindow *sub = catalogueSubWindow(slot);
        catalogue::CatalogueWindow *cw = windowOf(slot);
        const bool editing = cw ? cw->isEditing()
                                : sub && isEnabledWithin(sub->findChild<QWidget *>(QStringLiteral("C1")), sub);
        if (editing) {
            emit unsavedRecordOnClose(slot);
            if (cw)
                cw->requestClose();
            else
                sub->close();
            return false;
        }
    }
    // A lending card being edited: the same with the card's warning.
    for (int slot = 1; slot <= core::SlotCount; ++slot) {
        if (!open[slot])
            continue;
        catalogue::CatalogueWindow *cw = windowOf(slot);
        if (cw && cw->isLendingCardEditing()) {
            emit lendingCardOnClose(slot);
            cw->requestClose();
            return false;
        }
    }
    try {
        m_settings->resetAtExit();
    } catch (const platform::Error &e) {
        // The markers could not be written; say so before the program
        // ends, but do not keep the user from ending it.
        QMessageBox::critical(this, windowTitle(), e.message());
    }
    return true;
}

} // namespace app
