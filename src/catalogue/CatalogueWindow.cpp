#include "CatalogueWindow.h"

#include "BookForm.h"
#include "CloseQuestions.h"
#include "Questions.h"
#include "WindowMenu.h"

#include "base/Error.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "core/Slots.h"
#include "dbase/Table.h"
#include "widgets/Balloon.h"
#include "widgets/DataSource.h"
#include "widgets/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

#include <functional>

namespace catalogue {

using core::Command;

CatalogueWindow::CatalogueWindow(int slot, const QString &displayName,
                                 const CatalogueServices &services, QWidget *parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_displayName(displayName)
    , m_services(services)
    , m_table(services.data.bookTable(slot))
{
    setObjectName(QStringLiteral("Databaze%1Form").arg(slot));
    setWindowTitle(slot == 1 ? core::standardCatalogueName() : displayName);

    buildForm();
    buildLendingCard();
    buildMenu();
    m_questions = new CloseQuestions(displayName, services, this);
    connect(m_questions, &CloseQuestions::recordAnswered, this, &CatalogueWindow::answerPendingRecord);
    connect(m_questions, &CloseQuestions::cardWarningClosed, this,
            [this] { emit closeQuestionAnswered(m_slot, false); });
    connect(m_questions, &CloseQuestions::recordDismissed, this,
            [this] { emit closeQuestionAnswered(m_slot, false); });

    connect(m_form->source(), &widgets::DataSource::recordChanged, this, &CatalogueWindow::recordChanged);
    connect(m_form->source(), &widgets::DataSource::stateChanged, this, &CatalogueWindow::recordChanged);

    resize(sizeHint());
    recordChanged();
}

void CatalogueWindow::setSubWindow(QMdiSubWindow *sub)
{
    m_subWindow = sub;
    sub->setObjectName(core::slotInfo(m_slot).windowName);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(windowTitle());
    sub->adjustSize();
    sub->installEventFilter(this);
    connect(sub, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
        const bool was = before.testFlag(Qt::WindowActive);
        const bool is = now.testFlag(Qt::WindowActive);
        if (is && !was)
            activated();
        else if (was && !is)
            deactivated();
    });
}

CatalogueWindow::~CatalogueWindow()
{
    m_questions->closeAll();
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

    // The form keeps its size; a client area smaller than the form (a tiled
    // window, a small main window) scrolls it, so that the footer with
    // "Půjčeno" stays within reach.
    m_scroller = new QScrollArea(this);
    m_scroller->setObjectName(QStringLiteral("FormScroll"));
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroller->viewport()->setBackgroundRole(QPalette::Window);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroller);
    auto *content = new QWidget;
    content->setFixedSize(sizeHint());
    m_scroller->setWidget(content);

    m_form = new BookForm(m_table, content);
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
    m_card = new LendingCard(book, m_services.data, m_services.shell, m_form->parentWidget());
    m_card->move(m_form->pageCorner());
    connect(m_form, &BookForm::lentLabelClicked, m_card, &LendingCard::RxLabel1Click);
    connect(m_card, &LendingCard::stateChanged, this,
            [this](LendingCard::State card) { setWindowState(m_state.withCard(card)); });
}

void CatalogueWindow::buildMenu()
{
    m_menu = new WindowMenu(
        this, [this] { return snapshot(); }, [this](Command command) { perform(command); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) {
                // PopupMenu2 while the lending card is shown, PopupMenu1 otherwise.
                QMenu *menu = m_state.cardShown() ? m_card->menu() : m_menu->menu();
                menu->popup(mapToGlobal(pos));
            });
}

void CatalogueWindow::perform(Command command)
{
    switch (command) {
    case Command::Preview: emit previewRequested(m_slot); break;
    case Command::Print: emit printRequested(m_slot); break;
    case Command::Cut: cut(); break;
    case Command::Copy: copy(); break;
    case Command::Paste: paste(); break;
    case Command::DeleteRecord: deleteRecord(); break;
    case Command::EditRecord: editRecord(); break;
    case Command::SaveRecord: saveRecord(); break;
    case Command::UndoRecord: undo(); break;
    case Command::Find: emit findRequested(m_slot); break;
    case Command::First: first(); break;
    case Command::Prior: prior(); break;
    case Command::Next: next(); break;
    case Command::Last: last(); break;
    case Command::NewRecord: newRecord(); break;
    default: break; // no record command
    }
}

// --- state ------------------------------------------------------------------

bool CatalogueWindow::isEditing() const
{
    // The window's own state, never its controls': while a balloon is up the
    // main window, and with it every control of this window, is disabled,
    // and the record is still being edited.
    return m_state.editingRecord();
}

core::CatalogueState CatalogueWindow::state() const
{
    return core::catalogueState(snapshot());
}

core::WindowSnapshot CatalogueWindow::snapshot() const
{
    core::WindowSnapshot w;
    w.slot = m_slot;
    w.editingRecord = isEditing();
    switch (m_state.card) {
    case LendingCard::State::Hidden: w.card = core::CardMode::Hidden; break;
    case LendingCard::State::Editing: w.card = core::CardMode::Editing; break;
    default: w.card = core::CardMode::Shown; break;
    }
    const bool active = m_table && m_table->isActive();
    w.atStart = !active || m_table->bof();
    w.atEnd = !active || m_table->eof();
    w.freeTextEntered = m_freeTextEntered;
    return w;
}

void CatalogueWindow::applyAvailability()
{
    m_menu->applyAvailability();
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
    // A control that takes the keyboard in a scrolled form comes into view.
    if (QWidget *focus = QApplication::focusWidget(); focus && m_scroller->widget()->isAncestorOf(focus))
        m_scroller->ensureWidgetVisible(focus);
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
        QAction *action = m_menu->actionForKey(static_cast<QKeyEvent *>(event));
        if (!action)
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
        m_questions->askAboutRecord();
        return;
    case CloseDecision::RefuseForLendingCard:
        // The card is saved or undone first: DotazVypujckaDialog says so.
        event->ignore();
        m_questions->warnAboutLendingCard();
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
    m_services.shell.setIndicatorVisible(QStringLiteral("SBD%1").arg(m_slot), false);

    emit closed(m_slot);
    return true;
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
    m_questions->closeRecordQuestion();
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
