// The main window's frame: layout, the parts it is put together from (the
// menus, the view toggles, the toolbar rows, the status panels), and what it
// offers the dialogs and catalogue windows.

#include "HlavniDialog.h"

#include "CatalogueArea.h"
#include "CommandRefresh.h"
#include "CommandTable.h"
#include "CommandIcons.h"
#include "MainMenus.h"
#include "StatusPanels.h"
#include "TipLine.h"
#include "ToolbarRows.h"
#include "ViewToggles.h"

#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/DataModule.h"
#include "core/SharedPrinter.h"
#include "core/Slots.h"
#include "core/SuiteSettings.h"
#include "guidance/PanelPlacement.h"
#include "guidance/PomocnikDialog.h"
#include "guidance/TipyDialog.h"
#include "guidance/UvitaniDialog.h"
#include "platform/Error.h"
#include "platform/Sounds.h"
#include "widgets/ErrorBox.h"
#include "widgets/SideBar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QStatusTipEvent>
#include <QToolBar>

namespace app {

HlavniDialog::HlavniDialog(const platform::ProgramDirectory &dir, core::DataModule &data,
                           core::AppSettings &settings, core::SuiteSettings &suite, platform::Sounds &sounds,
                           core::GenreChoice &genre, core::SharedPrinter &printer, QWidget *parent)
    : QMainWindow(parent)
    , m_dir(dir)
    , m_data(data)
    , m_sounds(sounds)
    , m_settings(&settings)
    , m_suite(&suite)
    , m_genre(genre)
    , m_printer(printer)
    , m_rows(std::make_unique<ToolbarRows>(*this))
{
    setObjectName(QStringLiteral("HlavniDialog"));
    setWindowTitle(QStringLiteral("Ordex 2000"));
    // Which of the program's windows showed last: the one holding the
    // program gets the keyboard (see holdingWindow()).
    qApp->installEventFilter(this);
    setWindowIcon(programIcon());
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    setStatusTip(QStringLiteral("Stiskněte klávesu F1 pro nápovědu"));
    setDockOptions(QMainWindow::AnimatedDocks);

    m_commands = new CommandTable(this);
    m_toggles = new ViewToggles(*m_settings, *m_commands, this);
    connect(m_toggles, &ViewToggles::failed, this, &HlavniDialog::showError);
    m_menus = new MainMenus(*this, *m_commands, m_genre, m_sounds);
    m_menus->createMainMenu(menuBar());
    m_menus->createContextMenus();
    createToolbars();
    widgets::SideBar *sideBar = m_menus->createSideBar();
    m_toggles->setTarget(5, sideBar);
    createStatusBar();

    // Below the toolbars: the side bar and the catalogue area, 3 pixels apart
    // and from the edges.
    auto *centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("Centre"));
    auto *row = new QHBoxLayout(centre);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(3);
    m_area = new CatalogueArea(centre);
    m_area->setObjectName(QStringLiteral("ClientArea"));
    m_area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_area, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menus->popup2()->popup(m_area->viewport()->mapToGlobal(pos)); });
    row->addWidget(sideBar);
    row->addWidget(m_area, 1);
    setCentralWidget(centre);

    m_refresh = new CommandRefresh({*this, *m_settings, *m_commands, *m_area, *m_toggles, *m_status, *m_tipLine,
                                    *m_rows},
                                   this);
    connect(m_toggles, &ViewToggles::shownChanged, m_refresh, &CommandRefresh::updateCommands);
    connect(m_menus, &MainMenus::menuAboutToShow, m_refresh, &CommandRefresh::runForMenu);
    m_toggles->apply();

    // The state of the commands may change with any of these.
    connect(m_area, &QMdiArea::subWindowActivated, this, &HlavniDialog::scheduleRefresh);
    connect(qApp, &QApplication::focusChanged, this, &HlavniDialog::scheduleRefresh);
    for (int slot = 1; slot <= core::SlotCount; ++slot) {
        dbase::Table *t = m_data.bookTable(slot);
        connect(t, &dbase::Table::recordChanged, this, &HlavniDialog::scheduleRefresh);
        connect(t, &dbase::Table::stateChanged, this, &HlavniDialog::scheduleRefresh);
    }
    m_refresh->updateCommands(); // the first states

    // Restored size 607 x 416 in the middle of the screen; shown maximised.
    resize(RestoredWidth, RestoredHeight);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.x() + (avail.width() - RestoredWidth) / 2,
             avail.y() + (avail.height() - RestoredHeight) / 2);
    }
}

void HlavniDialog::scheduleRefresh()
{
    m_refresh->schedule();
}

void HlavniDialog::refresh()
{
    m_refresh->run();
}

core::ProgramState HlavniDialog::snapshot() const
{
    return m_refresh->snapshot();
}

HlavniDialog::~HlavniDialog()
{
    disconnect(qApp, nullptr, this, nullptr);
    // The catalogue windows still open go with the frame, while the status
    // bar and the commands they may touch on their way out still exist.
    for (QMdiSubWindow *sub : m_area->subWindowList())
        delete sub;
}

void HlavniDialog::setAssistant(guidance::PomocnikDialog *assistant)
{
    m_assistant = assistant;
}

void HlavniDialog::setWelcomeDialog(guidance::UvitaniDialog *welcome)
{
    m_welcome = welcome;
}

void HlavniDialog::setTipsDialog(guidance::TipyDialog *tips)
{
    m_tips = tips;
}

void HlavniDialog::setCatalogues(catalogue::Catalogues *catalogues)
{
    m_catalogues = catalogues;
    connect(catalogues, &catalogue::Catalogues::windowOpened, this,
            [this](catalogue::CatalogueWindow *window) {
                connect(window, &catalogue::CatalogueWindow::stateMayHaveChanged, this,
                        &HlavniDialog::scheduleRefresh);
                giveWindowPictures(window);
                scheduleRefresh();
            });
    connect(catalogues, &catalogue::Catalogues::windowClosed, this, &HlavniDialog::scheduleRefresh);
}

void HlavniDialog::giveWindowPictures(catalogue::CatalogueWindow *window)
{
    // The program's picture in the window's title bar, and in its context
    // menu the pictures of the same commands in the main menu.
    if (QMdiSubWindow *sub = window->subWindow())
        sub->setWindowIcon(windowIcon());
    for (int i = 0; i < core::CommandCount; ++i) {
        const core::CommandRow &row = core::commandRow(core::Command(i));
        QAction *own = row.windowMenuItem ? window->findChild<QAction *>(QLatin1String(row.windowMenuItem)) : nullptr;
        if (own && row.icon >= 0)
            own->setIcon(commandIcon(row.icon));
    }
}

void HlavniDialog::createToolbars()
{
    m_tipLine = new TipLine(m_data, this);
    m_rows->create([this](const QString &name) { return command(name); }, m_menus->popup1(), m_tipLine);
    connect(m_rows.get(), &ToolbarRows::closedByUser, m_toggles, &ViewToggles::hide);
    for (ToolbarRows::Bar bar : {ToolbarRows::Standardni, ToolbarRows::Databaze, ToolbarRows::Okna,
                                 ToolbarRows::TipyDne})
        m_toggles->setTarget(bar, m_rows->toolbar(bar));
}

void HlavniDialog::createStatusBar()
{
    m_status = new StatusPanels(m_menus->popup1(), this);
    setStatusBar(m_status);
    m_toggles->setTarget(4, m_status);
}

// ---- core::Shell ------------------------------------------------------------

void HlavniDialog::setMainWindowEnabled(bool enabled)
{
    if (!enabled)
        m_area->hold();
    setEnabled(enabled);
    if (enabled) {
        m_area->release();
        // The pointer left the control that set the hint while the frame
        // took no input: the hint no longer belongs to anything.
        m_status->showHint(statusTip());
    }
    if (m_assistant)
        m_assistant->setEnabled(enabled);
    scheduleRefresh();
    if (!enabled)
        QMetaObject::invokeMethod(this, &HlavniDialog::giveKeyboardToHoldingWindow, Qt::QueuedConnection);
    if (enabled) {
        // Once the dialog that held the program has gone, the keyboard comes
        // back here, unless another window of the program took it meanwhile
        // (without a window manager nobody else hands it back).
        QMetaObject::invokeMethod(this, [this] {
            QWidget *active = QApplication::activeWindow();
            if (isEnabled() && isVisible() && (!active || !active->isVisible()))
                activateWindow();
        }, Qt::QueuedConnection);
    }
}

void HlavniDialog::setIndicatorVisible(const QString &name, bool visible)
{
    m_status->setIndicatorVisible(name, visible);
}

void HlavniDialog::playSound(const QString &fileName)
{
    m_sounds.play(fileName);
}

QWidget *HlavniDialog::activeCatalogueWindow() const
{
    QMdiSubWindow *sub = m_area->activeCatalogue();
    if (!sub)
        return nullptr;
    if (core::slotOfWindowName(sub->objectName()) > 0)
        return sub;
    if (sub->widget() && core::slotOfWindowName(sub->widget()->objectName()) > 0)
        return sub->widget();
    return nullptr;
}

int HlavniDialog::activeSlot() const
{
    QWidget *w = activeCatalogueWindow();
    return w ? core::slotOfWindowName(w->objectName()) : 0;
}

QMdiSubWindow *HlavniDialog::catalogueSubWindow(int slot) const
{
    return m_area->windowOfSlot(slot);
}

void HlavniDialog::placeBesideAssistant(QWidget *dialog)
{
    if (m_assistant)
        m_assistant->placeBeside(dialog);
    else
        dialog->show();
}

void HlavniDialog::placeAboveAssistant(QWidget *dialog)
{
    if (m_assistant)
        m_assistant->placeAbove(dialog, guidance::PanelPlacement::Standard);
    else
        dialog->show();
}

void HlavniDialog::showError(const QString &message)
{
    widgets::openErrorBox(this, message);
}

// ---- the rest of the public face --------------------------------------------------

QAction *HlavniDialog::command(const QString &name) const
{
    return m_commands->command(name);
}

CatalogueArea *HlavniDialog::catalogueArea() const
{
    return m_area;
}

QPrinter *HlavniDialog::printer()
{
    return m_printer.printer();
}

QString HlavniDialog::hintText() const
{
    return m_status->hintText();
}

QString HlavniDialog::catalogueText() const
{
    return m_status->catalogueText();
}

// ---- events -------------------------------------------------------------------------

QWidget *HlavniDialog::holdingWindow() const
{
    for (auto it = m_shownWindows.crbegin(); it != m_shownWindows.crend(); ++it) {
        QWidget *w = *it;
        if (w && w != this && w != m_assistant && w->isVisible() && w->isEnabled()
            && !(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip))
            return w;
    }
    return nullptr;
}

void HlavniDialog::giveKeyboardToHoldingWindow()
{
    if (isEnabled())
        return;
    if (QWidget *w = holdingWindow()) {
        w->raise();
        w->activateWindow();
    }
}

bool HlavniDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w->isWindow() && w != this) {
            m_shownWindows.removeIf([w](const QPointer<QWidget> &p) { return !p || p == w; });
            if (event->type() == QEvent::Show)
                m_shownWindows.append(w);
            else if (!isEnabled() && !event->spontaneous())
                // A dialog over the one that holds the program went: the
                // keyboard goes back to that one (a window manager would do
                // it, but the program must not depend on one).
                QMetaObject::invokeMethod(this, &HlavniDialog::giveKeyboardToHoldingWindow, Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool HlavniDialog::event(QEvent *event)
{
    // A click on the frame while a dialog holds the program brings the frame
    // forward; the keyboard stays with the dialog.
    if (event->type() == QEvent::WindowActivate && !isEnabled())
        QMetaObject::invokeMethod(this, &HlavniDialog::giveKeyboardToHoldingWindow, Qt::QueuedConnection);
    // The hints go to panel 0 (the status panels catch them first once they
    // exist), never into the bar as a message.
    if (event->type() == QEvent::StatusTip) {
        if (m_status)
            m_status->showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void HlavniDialog::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_tipLine->fitWindowWidth(width());
}

QMenu *HlavniDialog::createPopupMenu()
{
    return nullptr; // the toolbars, status bar and side bar show PopupMenu1 themselves
}

void HlavniDialog::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void HlavniDialog::closeEvent(QCloseEvent *event)
{
    // While a dialog holds the program the frame takes no input, the window
    // manager's close button included (the program's own end comes only
    // from an enabled frame).
    if (!isEnabled()) {
        event->ignore();
        giveKeyboardToHoldingWindow();
        return;
    }
    if (FormClose()) {
        event->accept();
        emit closed();
    } else
        event->ignore();
}

} // namespace app
