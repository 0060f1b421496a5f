#include "CatalogueWindow.h"

#include "BookForm.h"
#include "CatalogueHost.h"
#include "Questions.h"

#include "base/Error.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "core/Slots.h"
#include "dbase/Table.h"
#include "platform/Error.h"
#include "widgets/Balloon.h"
#include "widgets/DataSource.h"
#include "widgets/Fonts.h"
#include "widgets/RecordMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <functional>

namespace catalogue {

CatalogueWindow::CatalogueWindow(int slot, const QString &displayName,
                                 const CatalogueServices &services, QWidget *parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_displayName(displayName)
    , m_services(services)
    , m_table(services.data.bookTable(slot))
{
    const core::SlotInfo &info = core::slotInfo(slot);
    setObjectName(QStringLiteral("Databaze%1Form").arg(slot));
    setWindowTitle(slot == 1 ? core::standardCatalogueName() : displayName);

    buildForm();
    buildLendingCard();
    buildMenu();

    connect(m_form->source(), &widgets::DataSource::recordChanged, this, &CatalogueWindow::recordChanged);
    connect(m_form->source(), &widgets::DataSource::stateChanged, this, &CatalogueWindow::recordChanged);

    // Window menu entry with its separator, and the client size.
    m_services.host.setWindowEntry(slot, displayName, true);
    resize(sizeHint());

    if (QMdiArea *area = m_services.host.mdiArea()) {
        m_subWindow = area->addSubWindow(this);
        m_subWindow->setObjectName(info.windowName);
        m_subWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_subWindow->setWindowTitle(windowTitle());
        m_subWindow->adjustSize();
        m_subWindow->installEventFilter(this);
        connect(m_subWindow, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    const bool was = before.testFlag(Qt::WindowActive);
                    const bool is = now.testFlag(Qt::WindowActive);
                    if (is && !was)
                        activated();
                    else if (was && !is)
                        deactivated();
                });
    }
    recordChanged();
}

CatalogueWindow::~CatalogueWindow()
{
    if (m_question)
        m_question->close();
    if (m_cardWarning)
        m_cardWarning->close();
}

QSize CatalogueWindow::sizeHint() const
{
    return {517, 305};
}

CatalogueWindow *CatalogueWindow::of(QWidget *widget)
{
    if (auto *window = qobject_cast<CatalogueWindow *>(widget))
        return window;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(widget))
        return qobject_cast<CatalogueWindow *>(sub->widget());
    return nullptr;
}

int CatalogueWindow::slot() const
{
    return m_slot;
}

dbase::Table *CatalogueWindow::table() const
{
    return m_table;
}

widgets::DataSource *CatalogueWindow::dataSource() const
{
    return m_form->source();
}

QString CatalogueWindow::displayName() const
{
    return m_displayName;
}

QMdiSubWindow *CatalogueWindow::subWindow() const
{
    return m_subWindow;
}

// --- building -------------------------------------------------------------

void CatalogueWindow::buildForm()
{
    // The window's fonts and colours, which the form and the lending card
    // take over. Browsing shows the fields disabled; their text stays dark
    // enough to read, while the greyed background still tells that they are
    // locked.
    setFont(widgets::serifFont(13));
    QPalette browse = palette();
    browse.setColor(QPalette::Disabled, QPalette::Text, QColor(48, 48, 48));
    browse.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(48, 48, 48));
    setPalette(browse);

    m_form = new BookForm(m_table, this);
    connect(m_form, &BookForm::controlEntered, this, &CatalogueWindow::enterRecordControl);

    // The window's keys act in every record control, and its context menu
    // serves them as well.
    m_form->watchControls(this);
    installEventFilter(this);
    setFocusPolicy(Qt::ClickFocus);
}

void CatalogueWindow::buildLendingCard()
{
    // The lending card lies over the form's page and footer when it is shown.
    LendingCard::Book book;
    book.slot = m_slot;
    book.table = m_table;
    book.source = m_form->source();
    book.numberText = [form = m_form] { return form->numberText(); };
    book.recordEditing = [this] { return m_state.editingRecord(); };
    m_card = new LendingCard(book, m_services.data, m_services.shell, this);
    m_card->move(m_form->pageCorner());
    connect(m_form, &BookForm::lentLabelClicked, m_card, &LendingCard::RxLabel1Click);
    connect(m_card, &LendingCard::stateChanged, this,
            [this](LendingCard::State card) { setWindowState(m_state.withCard(card)); });
}

QAction *CatalogueWindow::addMenuAction(QMenu *menu, const char *name, const QString &caption,
                                        const QKeySequence &shortcut, bool enabled,
                                        void (CatalogueWindow::*command)())
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    if (!shortcut.isEmpty()) {
        // Shown in the menu; the keys themselves are taken by the window's
        // key handling so they never clash with the main window's shortcuts.
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WidgetShortcut);
        m_keyActions.append(action);
    }
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return action;
}

void CatalogueWindow::buildMenu()
{
    m_menu = new widgets::RecordMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));

    auto preview = [this] { emit previewRequested(m_slot); };
    auto print = [this] { emit printRequested(m_slot); };
    auto *mp0 = m_menu->addAction(QStringLiteral("Náhled..."), this, preview);
    mp0->setObjectName(QStringLiteral("MP0"));
    mp0->setEnabled(false);
    auto *mp01 = m_menu->addAction(QStringLiteral("Tisk..."), this, print);
    mp01->setObjectName(QStringLiteral("MP01"));
    mp01->setEnabled(false);
    mp01->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mp01->setShortcutContext(Qt::WidgetShortcut);
    m_keyActions.append(mp01);
    m_menu->addSeparator();

    addMenuAction(m_menu, "MP1", QStringLiteral("Vyjmout"), QKeySequence(Qt::CTRL | Qt::Key_X), false, &CatalogueWindow::cut);
    addMenuAction(m_menu, "MP2", QStringLiteral("Kopírovat"), QKeySequence(Qt::CTRL | Qt::Key_C), false, &CatalogueWindow::copy);
    addMenuAction(m_menu, "MP3", QStringLiteral("Vložit"), QKeySequence(Qt::CTRL | Qt::Key_V), false, &CatalogueWindow::paste);
    m_menu->addSeparator();
    addMenuAction(m_menu, "MP4", QStringLiteral("Odstranit záznam"), QKeySequence(Qt::CTRL | Qt::Key_Delete), true, &CatalogueWindow::deleteRecord);
    addMenuAction(m_menu, "MP5", QStringLiteral("Editovat záznam"), QKeySequence(Qt::CTRL | Qt::Key_Insert), true, &CatalogueWindow::editRecord);
    auto *mp6 = new QAction(QStringLiteral("Uložit záznam"), this);
    mp6->setObjectName(QStringLiteral("MP6"));
    mp6->setShortcut(QKeySequence(Qt::Key_Enter)); // shown as "Enter"; both Enter keys save
    mp6->setShortcutContext(Qt::WidgetShortcut);
    m_keyActions.append(mp6);
    connect(mp6, &QAction::triggered, this, [this] { saveRecord(); });
    m_menu->addAction(mp6);
    addMenuAction(m_menu, "MP13", QStringLiteral("Zpět"), QKeySequence(), true, &CatalogueWindow::undo);
    m_menu->addSeparator();
    auto *mp7 = m_menu->addAction(QStringLiteral("Najít..."), this, [this] { emit findRequested(m_slot); });
    mp7->setObjectName(QStringLiteral("MP7"));
    mp7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mp7->setShortcutContext(Qt::WidgetShortcut);
    m_keyActions.append(mp7);

    m_goToMenu = new widgets::RecordMenu(QStringLiteral("Přejít na ..."), m_menu);
    m_menu->addMenu(m_goToMenu);
    m_goToMenu->setObjectName(QStringLiteral("MPMenu"));
    m_goToMenu->menuAction()->setObjectName(QStringLiteral("MP"));
    addMenuAction(m_goToMenu, "MP8", QStringLiteral("První"), QKeySequence(Qt::Key_F5), true, &CatalogueWindow::first);
    addMenuAction(m_goToMenu, "MP9", QStringLiteral("Předchozí"), QKeySequence(Qt::Key_F6), true, &CatalogueWindow::prior);
    addMenuAction(m_goToMenu, "MP10", QStringLiteral("Další"), QKeySequence(Qt::Key_F7), true, &CatalogueWindow::next);
    addMenuAction(m_goToMenu, "MP11", QStringLiteral("Poslední"), QKeySequence(Qt::Key_F8), true, &CatalogueWindow::last);
    addMenuAction(m_goToMenu, "MP12", QStringLiteral("Nový záznam"), QKeySequence(Qt::Key_Insert), true, &CatalogueWindow::newRecord);

    // The window's availability follows the state before the menu opens.
    connect(m_menu, &QMenu::aboutToShow, this, &CatalogueWindow::applyAvailability);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) {
                // PopupMenu2 while the lending card is shown, PopupMenu1 otherwise.
                QMenu *menu = m_state.cardShown() ? m_card->menu() : m_menu;
                menu->popup(mapToGlobal(pos));
            });
}

// --- state ------------------------------------------------------------------

bool CatalogueWindow::isEditing() const
{
    // The window's own state, never its controls': while a balloon is up the
    // main window, and with it every control of this window, is disabled,
    // and the record is still being edited.
    return m_state.editingRecord();
}

CatalogueState CatalogueWindow::state() const
{
    return catalogueState(snapshot());
}

WindowSnapshot CatalogueWindow::snapshot() const
{
    WindowSnapshot w;
    w.slot = m_slot;
    w.editingRecord = isEditing();
    switch (m_state.card) {
    case LendingCard::State::Hidden: w.card = CardMode::Hidden; break;
    case LendingCard::State::Editing: w.card = CardMode::Editing; break;
    default: w.card = CardMode::Shown; break;
    }
    const bool active = m_table && m_table->isActive();
    w.atStart = !active || m_table->bof();
    w.atEnd = !active || m_table->eof();
    w.freeTextEntered = m_freeTextEntered;
    return w;
}

void CatalogueWindow::applyAvailability()
{
    // The window's own menu reads the main window's table, as if this
    // window were the active one.
    if (m_menuItems.empty()) {
        for (int i = 0; i < CommandCount; ++i) {
            const char *item = commandNames(Command(i)).windowMenuItem;
            if (auto *action = item ? findChild<QAction *>(QLatin1String(item)) : nullptr)
                m_menuItems.push_back({Command(i), action});
        }
    }
    ProgramState program;
    program.active = snapshot();
    for (const auto &[command, action] : m_menuItems) {
        const bool enabled = availability(program, command).enabled;
        // A submenu's own widget goes enabled again with the main window
        // after a dialog; its switch holds the state.
        if (QMenu *submenu = action->menu())
            submenu->setEnabled(enabled);
        action->setEnabled(enabled);
    }
}

void CatalogueWindow::setWindowState(WindowState next)
{
    const WindowState before = m_state;
    m_state = next;
    if (next.record != before.record) {
        m_freeTextEntered = false;
        // Leaving edit mode: the keyboard stays with the window (and its
        // keys), not with the next control that happens to take focus.
        if (!next.editingRecord() && isAncestorOf(QApplication::focusWidget()))
            setFocus(Qt::OtherFocusReason);
        m_form->setEditable(next.editingRecord());
    }
    applyAvailability();
    emit stateMayHaveChanged();
}

void CatalogueWindow::setRecordEditing(bool editing)
{
    setWindowState(m_state.withRecord(editing ? WindowState::Record::Editing : WindowState::Record::Browsing));
}

void CatalogueWindow::recordChanged()
{
    applyAvailability();
    emit stateMayHaveChanged();
}

bool CatalogueWindow::run(const std::function<void()> &step)
{
    // A refused step ends the command; its message goes to a plain error box.
    try {
        step();
        return true;
    } catch (const base::Error &error) {
        m_services.shell.showError(error.message());
    }
    return false;
}

// --- record commands ----------------------------------------------------

void CatalogueWindow::first()
{
    if (m_state.recordCommandsFree())
        run([this] { m_table->first(); });
}

void CatalogueWindow::prior()
{
    if (m_state.recordCommandsFree())
        run([this] { m_table->prior(); });
}

void CatalogueWindow::next()
{
    if (m_state.recordCommandsFree())
        run([this] { m_table->next(); });
}

void CatalogueWindow::last()
{
    if (m_state.recordCommandsFree())
        run([this] { m_table->last(); });
}

void CatalogueWindow::newRecord()
{
    if (!m_state.recordCommandsFree())
        return;
    setRecordEditing(true);
    m_form->focusNumber();
    if (!run([this] { m_table->insert(); }))
        setRecordEditing(false);
}

void CatalogueWindow::editRecord()
{
    if (!m_state.recordCommandsFree())
        return;
    if (!run([this] { m_table->edit(); }))
        return;
    setRecordEditing(true);
    m_form->focusNumber();
}

bool CatalogueWindow::saveRecord()
{
    if (!isEditing())
        return false;
    // What the table has not taken yet goes in first; a refusal keeps the
    // record in edit mode with the user's text in its control.
    const bool stored = run([this] {
        m_form->source()->updateRecord();
        m_table->setFieldText(QStringLiteral("DATUM"), QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
        m_table->post();
    });
    if (stored)
        setRecordEditing(false);
    return stored;
}

void CatalogueWindow::undo()
{
    if (!isEditing())
        return;
    setRecordEditing(false);
    run([this] { m_table->cancel(); });
}

void CatalogueWindow::deleteRecord()
{
    if (!m_state.recordCommandsFree() || !m_table->isActive() || m_table->isEmpty())
        return;
    // The question knows the table it deletes from, whichever window is
    // active when it is answered.
    dbase::Table *table = m_table;
    widgets::Balloon *question = createDeleteQuestion(m_services.shell);
    connect(question, &widgets::Balloon::accepted, this, [this, table] {
        if (table->isActive() && !table->isEmpty())
            run([table] { table->remove(); });
    });
    m_services.shell.placeBesideAssistant(question);
    question->show();
}

// --- clipboard ----------------------------------------------------------

void CatalogueWindow::cut()
{
    m_form->cut();
}

void CatalogueWindow::copy()
{
    m_form->copy();
}

void CatalogueWindow::paste()
{
    m_form->paste();
}

void CatalogueWindow::enterRecordControl(bool freeText)
{
    m_freeTextEntered = freeText;
    applyAvailability();
    emit stateMayHaveChanged();
}

// --- activation ---------------------------------------------------------

void CatalogueWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
}

void CatalogueWindow::activated()
{
    m_card->reactivated();
    m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
    for (int s = 1; s <= core::SlotCount; ++s) {
        m_services.shell.setIndicatorVisible(QStringLiteral("SBD%1").arg(s), s == m_slot);
    }
    emit stateMayHaveChanged();
}

void CatalogueWindow::deactivated()
{
    emit stateMayHaveChanged();
}

// --- keys and focus -----------------------------------------------------

QAction *CatalogueWindow::actionForKey(const QKeyEvent *event) const
{
    int key = event->key();
    if (key == Qt::Key_Return)
        key = Qt::Key_Enter;
    const QKeySequence pressed(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(key)));
    for (QAction *action : m_keyActions) {
        if (action->shortcut() == pressed)
            return action;
    }
    return nullptr;
}

bool CatalogueWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        if (watched == m_subWindow)
            break;
        // The keys of PopupMenu1 rest while the lending card is shown.
        if (m_state.cardShown())
            break;
        auto *key = static_cast<QKeyEvent *>(event);
        QAction *action = actionForKey(key);
        // An item of the go-to submenu counts only while the submenu is on.
        if (!action || !action->isEnabled()
            || (m_goToMenu->actions().contains(action) && !m_goToMenu->menuAction()->isEnabled()))
            break;
        // Taking the override keeps the key from the main window's shortcuts,
        // so the window's own command runs exactly once.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            action->trigger();
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// --- closing ------------------------------------------------------------

bool CatalogueWindow::isLendingCardEditing() const
{
    return m_state.editingCard();
}

bool CatalogueWindow::requestClose()
{
    if (m_subWindow)
        return m_subWindow->close();
    return close();
}

CatalogueWindow::CloseDecision CatalogueWindow::closeDecision() const
{
    return catalogue::closeDecision(m_state);
}

void CatalogueWindow::closeEvent(QCloseEvent *event)
{
    m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"), false);
    switch (closeDecision()) {
    case CloseDecision::AskAboutRecord:
        // The window stays as it is while the question is up.
        event->ignore();
        askAboutPendingRecord();
        return;
    case CloseDecision::RefuseForLendingCard:
        // The card is saved or undone first: DotazVypujckaDialog says so.
        event->ignore();
        refuseOverLendingCard();
        return;
    case CloseDecision::Close:
        break;
    }
    if (!closeNow()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool CatalogueWindow::closeNow()
{
    // The open marker goes first: a refused write leaves the window open.
    if (!run([this] { m_services.settings.setCatalogueOpen(m_slot, false); }))
        return false;
    run([this] { m_table->close(); });
    m_services.host.setWindowEntry(m_slot, QString(), false);
    m_services.shell.setIndicatorVisible(QStringLiteral("SBD%1").arg(m_slot), false);

    emit closed(m_slot);
    return true;
}

void CatalogueWindow::refuseOverLendingCard()
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
        emit closeQuestionAnswered(m_slot, false);
    });
    // Beside the assistant, its bottom 15 pixels below the assistant's.
    m_services.shell.placeBesideAssistant(m_cardWarning);
    m_cardWarning->move(m_cardWarning->x(), m_cardWarning->y() + 15);
    m_cardWarning->show();
}

void CatalogueWindow::askAboutPendingRecord()
{
    if (m_question) {
        m_question->raise();
        return;
    }
    m_question = createCloseQuestion(m_displayName, m_services.shell);
    connect(m_question, &widgets::Balloon::accepted, this, [this] { answerPendingRecord(true); });
    connect(m_question, &widgets::Balloon::rejected, this, [this] { answerPendingRecord(false); });
    m_services.shell.placeBesideAssistant(m_question);
    m_question->show();
}

void CatalogueWindow::answerPendingRecord(bool save)
{
    bool settled = false;
    if (save) {
        settled = saveRecord();
    } else {
        undo();
        settled = !isEditing();
    }
    if (m_question)
        m_question->close();
    if (!settled) {
        // The record was refused: the window stays open in edit mode, so the
        // user can correct the value or undo it.
        emit closeQuestionAnswered(m_slot, false);
        return;
    }
    const bool gone = requestClose();
    emit closeQuestionAnswered(m_slot, gone);
}

} // namespace catalogue
