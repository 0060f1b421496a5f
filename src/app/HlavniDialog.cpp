// The main window's frame: layout, status bar, view toggles, toolbar rows,
// and what it offers the dialogs and catalogue windows.

#include "HlavniDialog.h"

#include "CatalogueArea.h"
#include "CommandTable.h"
#include "CommandIcons.h"

#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/DataModule.h"
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
#include "widgets/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace app {

namespace {

const QString SixBlanks = QStringLiteral("      ");

} // namespace

HlavniDialog::HlavniDialog(const platform::ProgramDirectory &dir, core::DataModule &data,
                           core::AppSettings &settings, core::SuiteSettings &suite, platform::Sounds &sounds,
                           QWidget *parent)
    : QMainWindow(parent)
    , m_dir(dir)
    , m_data(data)
    , m_sounds(sounds)
    , m_settings(&settings)
    , m_suite(&suite)
{
    setObjectName(QStringLiteral("HlavniDialog"));
    setWindowTitle(QStringLiteral("Ordex 2000"));
    setWindowIcon(programIcon());
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    setStatusTip(QStringLiteral("Stiskněte klávesu F1 pro nápovědu"));
    setDockOptions(QMainWindow::AnimatedDocks);

    using core::ViewElement;
    for (ViewElement e : {ViewElement::Standardni, ViewElement::Databaze, ViewElement::Okna,
                          ViewElement::TipyDne, ViewElement::StavovyRadek, ViewElement::PanelOutlook})
        m_toggles.append(ViewToggle{e});

    createCommands();
    createMenus();
    createContextMenus();
    createToolbars();
    createSideBar();
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
            [this](const QPoint &pos) { m_popup2->popup(m_area->viewport()->mapToGlobal(pos)); });
    row->addWidget(m_sideBar);
    row->addWidget(m_area, 1);
    setCentralWidget(centre);

    // The hint handler: every hint of the application ends up in panel 0.
    qApp->installEventFilter(this);

    applyViewSettings();

    // The state of the commands may change with any of these.
    connect(m_area, &QMdiArea::subWindowActivated, this, &HlavniDialog::scheduleRefresh);
    connect(qApp, &QApplication::focusChanged, this, &HlavniDialog::scheduleRefresh);
    for (int slot = 1; slot <= core::SlotCount; ++slot) {
        dbase::Table *t = m_data.bookTable(slot);
        connect(t, &dbase::Table::recordChanged, this, &HlavniDialog::scheduleRefresh);
        connect(t, &dbase::Table::stateChanged, this, &HlavniDialog::scheduleRefresh);
    }
    dbase::Table *tips = m_data.tipsTable();
    connect(tips, &dbase::Table::recordChanged, this, &HlavniDialog::showTip);
    connect(tips, &dbase::Table::stateChanged, this, &HlavniDialog::showTip);
    readOpenMarkers();
    updateCommands(); // the first states

    // Restored size 607 x 416 in the middle of the screen; shown maximised.
    resize(RestoredWidth, RestoredHeight);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.x() + (avail.width() - RestoredWidth) / 2,
             avail.y() + (avail.height() - RestoredHeight) / 2);
    }
}

HlavniDialog::~HlavniDialog()
{
    qApp->removeEventFilter(this);
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
                // The window's own menu asks for the same dialogs as the main menu.
                connect(window, &catalogue::CatalogueWindow::findRequested, this,
                        &HlavniDialog::findRequested);
                connect(window, &catalogue::CatalogueWindow::previewRequested, this,
                        [this](int slot) { emit reportSelection(slot, true); });
                connect(window, &catalogue::CatalogueWindow::printRequested, this,
                        [this](int slot) { emit reportSelection(slot, false); });
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
    for (int i = 0; i < catalogue::CommandCount; ++i) {
        const char *item = catalogue::commandNames(catalogue::Command(i)).windowMenuItem;
        QAction *own = item ? window->findChild<QAction *>(QLatin1String(item)) : nullptr;
        QAction *main = m_commands->action(catalogue::Command(i));
        if (own && main)
            own->setIcon(main->icon());
    }
}

void HlavniDialog::createStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StavovyRadek"));
    bar->setStatusTip(QStringLiteral("Stiskněte klávesu F1 pro nápovědu"));
    bar->setFixedHeight(22);
    bar->setSizeGripEnabled(false);
    bar->setFont(widgets::serifFont(13));
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this,
            [this, bar](const QPoint &pos) { m_popup1->popup(bar->mapToGlobal(pos)); });

    // The panels stand side by side from the left at their own widths; a
    // window narrower than the three together cuts the last one off at the
    // right instead of growing to hold them.
    auto *strip = new QWidget(bar);
    strip->setObjectName(QStringLiteral("Panels"));
    strip->setMinimumSize(0, 20);
    strip->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    bar->addWidget(strip, 1);
    int nextLeft = 0;
    auto panel = [strip, &nextLeft](const char *name, int width) {
        auto *f = new QFrame(strip);
        f->setObjectName(QLatin1String(name));
        f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        f->setGeometry(nextLeft, 0, width, 20);
        nextLeft += width + 2;
        return f;
    };
    // What each status picture tells, for screen readers.
    static const QHash<QString, QString> pictureMeaning = {
        {QStringLiteral("Image1"), QStringLiteral("Nápověda")},
        {QStringLiteral("SBO1"), QStringLiteral("Výběr tiskové sestavy")},
        {QStringLiteral("SBO2"), QStringLiteral("Vyhledávání záznamů")},
        {QStringLiteral("SBO3"), QStringLiteral("Práce s databází")},
        {QStringLiteral("SBO4"), QStringLiteral("Správa volitelných databází")},
        {QStringLiteral("SBO5"), QStringLiteral("Dialog")},
        {QStringLiteral("SBO6"), QStringLiteral("Dotaz")},
        {QStringLiteral("SBO7"), QStringLiteral("Upozornění")},
        {QStringLiteral("SBO8"), QStringLiteral("Nápověda programu")},
        {QStringLiteral("SBO9"), QStringLiteral("Dialog")},
        {QStringLiteral("SBO10"), QStringLiteral("Databáze je aktivní")},
        {QStringLiteral("SBD1"), QStringLiteral("Standardní databáze")},
        {QStringLiteral("SBD2"), QStringLiteral("Volitelná databáze 1")},
        {QStringLiteral("SBD3"), QStringLiteral("Volitelná databáze 2")},
        {QStringLiteral("SBD4"), QStringLiteral("Volitelná databáze 3")},
    };
    auto picture = [this](QWidget *parent, const QString &name, int x, int y) {
        auto *l = new QLabel(parent);
        l->setObjectName(name);
        l->setAccessibleName(pictureMeaning.value(name));
        const QPixmap pm = indicatorPicture(name);
        l->setPixmap(pm);
        l->setGeometry(x, y, pm.width(), pm.height());
        return l;
    };

    QFrame *p0 = panel("Panel0", 500);
    picture(p0, QStringLiteral("Image1"), 2, 1);
    m_hint = new QLabel(SixBlanks, p0);
    m_hint->setObjectName(QStringLiteral("HintText"));
    m_hint->setGeometry(20, 0, 478, 20);

    QFrame *p1 = panel("Panel1", 22);
    for (int i = 1; i <= 10; ++i) {
        const QString name = QStringLiteral("SBO%1").arg(i);
        QLabel *l = picture(p1, name, 3, 2);
        l->hide();
        m_indicators.insert(name, l);
    }

    QFrame *p2 = panel("Panel2", 150);
    m_catalogue = new QLabel(p2);
    m_catalogue->setObjectName(QStringLiteral("CatalogueText"));
    m_catalogue->setGeometry(2, 0, 146, 20);
    for (int i = 1; i <= 4; ++i) {
        const QString name = QStringLiteral("SBD%1").arg(i);
        QLabel *l = picture(p2, name, 3, 2);
        l->hide();
        m_indicators.insert(name, l);
    }
    setStatusBar(bar);
    m_toggles[4].target = bar;
}

// ---- view settings -------------------------------------------------------

void HlavniDialog::applyViewSettings()
{
    for (int i = 0; i < m_toggles.size(); ++i)
        setViewShown(i, m_settings->viewShown(m_toggles[i].element), false);
}

void HlavniDialog::setViewShown(int index, bool shown, bool write)
{
    ViewToggle &t = m_toggles[index];
    t.shown = shown;
    t.target->setVisible(shown);
    updateCommands(); // the check marks of the toggle and its twin
    if (write)
        m_settings->setViewShown(t.element, shown);
}

void HlavniDialog::toggleView(int index)
{
    try {
        setViewShown(index, !m_toggles[index].shown, true);
    } catch (const platform::Error &e) {
        showError(e.message());
    }
}

void HlavniDialog::toolbarClosed(int index)
{
    try {
        setViewShown(index, false, true);
    } catch (const platform::Error &e) {
        showError(e.message());
    }
}

// ---- toolbar rows ----------------------------------------------------------

void HlavniDialog::enforceToolbarRows()
{
    m_rowsCheckPending = false;
    // Never while the user still drags a toolbar: the release checks again.
    if (QApplication::mouseButtons() != Qt::NoButton)
        return;
    if (layout())
        layout()->activate();

    auto docked = [this](QToolBar *t) {
        return !t->isFloating() && toolBarArea(t) == Qt::TopToolBarArea;
    };
    const QList<QToolBar *> commandBars = {m_standardni, m_databaze, m_okna};
    bool wrong = false;
    int rowY = -1;
    int lastX = -1;
    for (QToolBar *t : commandBars) {
        if (!docked(t) || !t->isVisible())
            continue;
        if (rowY < 0)
            rowY = t->y();
        else if (t->y() != rowY)
            wrong = true;
        if (t->x() < lastX)
            wrong = true; // out of order
        lastX = t->x();
    }
    if (docked(m_tipyDne) && m_tipyDne->isVisible() && rowY >= 0 && m_tipyDne->y() <= rowY)
        wrong = true;
    if (!wrong)
        return;

    // Lay the docked toolbars out again: the command toolbars in order in the
    // first row, the tips toolbar alone in the second.
    QList<QToolBar *> all = commandBars;
    all.append(m_tipyDne);
    QHash<QToolBar *, bool> visible;
    for (QToolBar *t : all) {
        if (!docked(t))
            continue;
        visible.insert(t, m_toggles[all.indexOf(t)].shown);
        removeToolBar(t);
    }
    for (QToolBar *t : commandBars) {
        if (visible.contains(t))
            addToolBar(Qt::TopToolBarArea, t);
    }
    if (visible.contains(m_tipyDne)) {
        addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, m_tipyDne);
    }
    for (auto it = visible.cbegin(); it != visible.cend(); ++it)
        it.key()->setVisible(it.value());
}

// ---- core::Shell ------------------------------------------------------------

void HlavniDialog::setMainWindowEnabled(bool enabled)
{
    setEnabled(enabled);
    if (m_assistant)
        m_assistant->setEnabled(enabled);
    scheduleRefresh();
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
    if (QLabel *l = m_indicators.value(name))
        l->setVisible(visible);
}

void HlavniDialog::playSound(const QString &fileName)
{
    m_sounds.play(fileName);
}

QWidget *HlavniDialog::activeCatalogueWindow() const
{
    QMdiSubWindow *sub = m_area->currentSubWindow();
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
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        if (core::slotOfWindowName(sub->objectName()) == slot)
            return sub;
        if (sub->widget() && core::slotOfWindowName(sub->widget()->objectName()) == slot)
            return sub;
    }
    return nullptr;
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

// ---- catalogue::CatalogueHost ---------------------------------------------------

QString HlavniDialog::windowEntryName(int slot)
{
    // o11, o21, o31, o41: the Okno menu's entry of each catalogue slot.
    return QLatin1Char('o') + QString::number(slot) + QLatin1Char('1');
}

QMdiArea *HlavniDialog::mdiArea() const
{
    return m_area;
}

void HlavniDialog::setWindowEntry(int slot, const QString &caption, bool visible)
{
    if (QAction *a = command(windowEntryName(slot))) {
        a->setText(caption);
        a->setVisible(visible);
    }
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
    return m_hint->text();
}

QString HlavniDialog::catalogueText() const
{
    return m_catalogue->text();
}

// ---- events -------------------------------------------------------------------------

bool HlavniDialog::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_hint->setText(SixBlanks + static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool HlavniDialog::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        // The application's hint, wherever it comes from.
        m_hint->setText(SixBlanks + static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    case QEvent::MouseButtonRelease:
    case QEvent::Move:
        // A toolbar may have been dragged into the wrong row.
        if (qobject_cast<QToolBar *>(watched) && watched->parent() == this && !m_rowsCheckPending) {
            m_rowsCheckPending = true;
            QTimer::singleShot(0, this, &HlavniDialog::enforceToolbarRows);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void HlavniDialog::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    setTipLineWidth();
}

void HlavniDialog::setTipLineWidth()
{
    // The client width less 156; the rest of the tips toolbar is built to fit
    // in those 156 pixels.
    const int w = qMax(100, width() - 156);
    if (m_tipLine->width() == w && !m_tipLine->isHidden())
        return;
    m_tipLine->setFixedWidth(w);
    // A line the toolbar had put away for want of room asks for no new
    // layout by itself.
    m_tipyDne->layout()->invalidate();
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
    if (FormClose()) {
        event->accept();
        emit closed();
    } else
        event->ignore();
}

} // namespace app
