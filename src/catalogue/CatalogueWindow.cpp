#include "CatalogueWindow.h"

#include "CatalogueHost.h"
#include "Questions.h"

#include "base/Error.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "core/Slots.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/Error.h"
#include "widgets/Balloon.h"
#include "widgets/DataControls.h"
#include "widgets/DataSource.h"
#include "widgets/Fonts.h"
#include "widgets/RecordMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

#include <functional>

namespace catalogue {

namespace {

const QColor LentColor(255, 0, 0);
const QColor NotLentColor(128, 128, 128);
const QString LentText = QStringLiteral("Půjčeno");

QFont fieldFont()
{
    return widgets::serifFont(13);
}

QFont labelFont()
{
    QFont font = fieldFont();
    font.setBold(true);
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace

CatalogueWindow::CatalogueWindow(int slot, const QString &displayName,
                                 const CatalogueServices &services, QWidget *parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_displayName(displayName)
    , m_services(services)
    , m_table(services.data.bookTable(slot))
    , m_source(new widgets::DataSource(m_table, this))
{
    const core::SlotInfo &info = core::slotInfo(slot);
    setObjectName(QStringLiteral("Databaze%1Form").arg(slot));
    setWindowTitle(slot == 1 ? core::standardCatalogueName() : displayName);

    buildControls();
    buildMenu();

    connect(m_source, &widgets::DataSource::recordChanged, this, &CatalogueWindow::recordChanged);
    connect(m_source, &widgets::DataSource::stateChanged, this, &CatalogueWindow::recordChanged);

    // Window menu entry with its separator, and the client size.
    m_services.host.setWindowSeparatorVisible(true);
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
    return m_source;
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

void CatalogueWindow::buildControls()
{
    setFont(fieldFont());
    // Browsing shows the fields disabled; their text stays dark enough to
    // read, while the greyed background still tells that they are locked.
    QPalette browse = palette();
    browse.setColor(QPalette::Disabled, QPalette::Text, QColor(48, 48, 48));
    browse.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(48, 48, 48));
    setPalette(browse);

    auto label = [this](QWidget *parent, const QString &text, int x, int y, int w = 0) {
        auto *l = new QLabel(text, parent);
        l->setFont(labelFont());
        l->move(x, y);
        if (w > 0)
            l->resize(w, 16);
        else
            l->adjustSize();
        return l;
    };
    auto edit = [](QWidget *parent, const char *name, int x, int y, int w) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(QString::fromLatin1(name));
        e->setFont(fieldFont());
        e->setGeometry(x, y, w, 21);
        return e;
    };
    auto dropDown = [](QWidget *parent, const char *name, const QStringList &items, int x, int y, int w) {
        auto *c = new QComboBox(parent);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->addItems(items);
        c->setFont(fieldFont());
        c->setGeometry(x, y, w, 21);
        return c;
    };

    // Header row: the catalogue number alone in the middle.
    label(this, QStringLiteral("Evidenční číslo :"), 150, 8);
    auto *c1 = edit(this, "C1", 270, 5, 80);

    // The page with five rows of fields.
    auto *pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("Zalozky"));
    pages->setGeometry(4, 30, 509, 252);
    // The untitled tab is no stop for the keyboard.
    pages->setFocusPolicy(Qt::NoFocus);
    pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    auto *page = new QWidget;
    pages->addTab(page, QString());

    label(page, QStringLiteral("Název :"), 8, 2);
    auto *j1 = edit(page, "J1", 8, 18, 230);
    label(page, QStringLiteral("Žánr :"), 246, 2);
    auto *f1 = dropDown(page, "F1", core::genres(), 246, 18, 160);
    label(page, QStringLiteral("Počet stran :"), 414, 2);
    auto *s1 = edit(page, "S1", 414, 18, 78);

    label(page, QStringLiteral("Originální název"), 8, 40);
    auto *o1 = edit(page, "O1", 8, 56, 240);
    label(page, QStringLiteral("Autor :"), 256, 40);
    auto *a1 = edit(page, "A1", 256, 56, 236);

    label(page, QStringLiteral("Ilustrace :"), 8, 78);
    auto *i1 = edit(page, "I1", 8, 94, 240);
    label(page, QStringLiteral("Tisk :"), 256, 78);
    auto *t1 = edit(page, "T1", 256, 94, 236);

    label(page, QStringLiteral("Vydavatel :"), 8, 116);
    auto *v1 = edit(page, "V1", 8, 132, 130);
    label(page, QStringLiteral("Vazba :"), 146, 116);
    // Wide enough for "Rychlovazba" beside the drop-down arrow.
    auto *v2 = dropDown(page, "V2", core::bindings(), 146, 132, 104);
    label(page, QStringLiteral("Rok vydání :"), 258, 116);
    auto *r1 = edit(page, "R1", 258, 132, 82);
    label(page, QStringLiteral("Vydání :"), 348, 116);
    auto *p1 = dropDown(page, "P1", core::editions(), 348, 132, 80);
    label(page, QStringLiteral("Náklad :"), 436, 116);
    auto *n1 = edit(page, "N1", 436, 132, 56);

    label(page, QStringLiteral("Poznámka :"), 8, 154);
    auto *p2 = new QPlainTextEdit(page);
    p2->setObjectName(QStringLiteral("P2"));
    p2->setFont(fieldFont());
    p2->setGeometry(8, 170, 484, 40);
    p2->setTabChangesFocus(true);
    p2->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // Footer: the date of the last change and the lent marker.
    label(this, QStringLiteral("Datum poslední aktualizace :"), 8, 284);
    m_dateText = new QLabel(this);
    m_dateText->setObjectName(QStringLiteral("DBText1"));
    QFont dateFont = labelFont();
    m_dateText->setFont(dateFont);
    setTextColor(m_dateText, LentColor);
    m_dateText->setGeometry(200, 284, 100, 16);

    m_lentLabel = new QLabel(LentText, this);
    m_lentLabel->setObjectName(QStringLiteral("RxLabel1"));
    m_lentLabel->setFont(labelFont());
    m_lentLabel->setCursor(Qt::PointingHandCursor);
    m_lentLabel->setAccessibleName(LentText);
    m_lentLabel->setAccessibleDescription(QStringLiteral("Zobrazí výpůjční kartu knihy"));
    m_lentLabel->setGeometry(440, 284, 70, 16);

    // Bindings with the entry limits of the numeric fields; text fields take
    // their field size.
    using widgets::bindField;
    bindField(c1, m_source, QStringLiteral("CISLO"), 5);
    bindField(j1, m_source, QStringLiteral("NAZEV"));
    bindField(f1, m_source, QStringLiteral("DRUH"));
    bindField(s1, m_source, QStringLiteral("STRANY"), 5);
    bindField(o1, m_source, QStringLiteral("ORIGINAL"));
    bindField(a1, m_source, QStringLiteral("AUTOR"));
    bindField(i1, m_source, QStringLiteral("ILUSTRACE"));
    bindField(t1, m_source, QStringLiteral("TISK"));
    bindField(v1, m_source, QStringLiteral("VYDAVATEL"));
    bindField(v2, m_source, QStringLiteral("VAZBA"));
    bindField(r1, m_source, QStringLiteral("ROK"), 4);
    bindField(p1, m_source, QStringLiteral("VYDANI"));
    bindField(n1, m_source, QStringLiteral("NAKLAD"), 10);
    bindField(p2, m_source, QStringLiteral("POZNAMKA"));
    bindField(m_dateText, m_source, QStringLiteral("DATUM"));

    m_recordControls = {c1, j1, f1, s1, o1, a1, i1, t1, v1, v2, r1, p1, n1, p2};

    // The lending card lies over the page and the footer when it is shown.
    LendingCard::Book book;
    book.slot = m_slot;
    book.table = m_table;
    book.source = m_source;
    book.numberText = [c1] { return c1->text(); };
    book.recordEditing = [this] { return isEditing(); };
    m_card = new LendingCard(book, m_services.data, m_services.shell, m_services.host, this);
    m_card->move(0, 30); // over the page control and the footer
    m_lentLabel->installEventFilter(this);
    connect(m_card, &LendingCard::stateChanged, this, [this](LendingCard::State card) {
        m_mode.card = card;
        emit stateMayHaveChanged();
    });
    m_freeText = {j1, o1, a1, i1, t1, v1, p2};

    // Tab order: C1, then the page row by row.
    for (int i = 0; i + 1 < RecordControlCount; ++i)
        setTabOrder(m_recordControls[i], m_recordControls[i + 1]);

    // Clipboard markers: all seven read 0 at creation.
    for (QWidget *w : m_freeText)
        w->setProperty("tag", 0);

    // Focus and key handling of every record control (a drop-down's edit
    // field receives the keys of its box).
    // The window's context menu serves the fields as well (its clipboard
    // items act on the text field entered last).
    for (QWidget *w : m_recordControls) {
        w->installEventFilter(this);
        w->setContextMenuPolicy(Qt::NoContextMenu);
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            combo->lineEdit()->installEventFilter(this);
            combo->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
        }
    }
    installEventFilter(this);
    setFocusPolicy(Qt::ClickFocus);
    setRecordEnabled(false);
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
    connect(m_menu, &QMenu::aboutToShow, this, [this] { applyAvailability(state()); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) {
                // PopupMenu2 while the lending card is shown, PopupMenu1 otherwise.
                QMenu *menu = m_card && m_card->isShown() ? m_card->menu() : m_menu;
                menu->popup(mapToGlobal(pos));
            });
}

// --- state ------------------------------------------------------------------

bool CatalogueWindow::isEditing() const
{
    // The window's own state, not C1's effective one: while a balloon is up
    // the main window, and with it this window, is disabled, and the record
    // is still being edited.
    return m_mode.editingRecord;
}

CatalogueState CatalogueWindow::state() const
{
    const bool active = m_table && m_table->isActive();
    return catalogueState(isEditing(), !active || m_table->bof(), !active || m_table->eof());
}

void CatalogueWindow::applyAvailability(CatalogueState state)
{
    auto apply = [&](const char *name, Command command) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(name))) {
            if (const auto enabled = commandEnabled(command, state, Place::WindowMenu)) {
                // A submenu's own widget goes enabled again with the main
                // window after a dialog; its switch holds the state.
                if (QMenu *submenu = action->menu())
                    submenu->setEnabled(*enabled);
                action->setEnabled(*enabled);
            }
        }
    };
    apply("MP0", Command::Preview);
    apply("MP01", Command::Print);
    apply("MP4", Command::Delete);
    apply("MP5", Command::Edit);
    apply("MP6", Command::Save);
    apply("MP13", Command::Undo);
    apply("MP7", Command::Find);
    apply("MP", Command::GoTo);
    apply("MP8", Command::FirstPrior);
    apply("MP9", Command::FirstPrior);
    apply("MP10", Command::NextLast);
    apply("MP11", Command::NextLast);
    apply("MP12", Command::New);
}

void CatalogueWindow::setRecordEnabled(bool enabled)
{
    m_mode.editingRecord = enabled;
    // Leaving edit mode: the keyboard stays with the window (and its keys),
    // not with the next control that happens to take focus.
    if (!enabled && isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    for (QWidget *w : m_recordControls)
        w->setEnabled(enabled);
    applyAvailability(state());
    emit stateMayHaveChanged();
}

void CatalogueWindow::recordChanged()
{
    showLentLabel();
    applyAvailability(state());
    emit stateMayHaveChanged();
}

void CatalogueWindow::showLentLabel()
{
    const bool lent = m_table && m_table->isActive()
                      && m_table->fieldText(QStringLiteral("PUJCENO")) == LentText;
    setTextColor(m_lentLabel, lent ? LentColor : NotLentColor);
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
    if (!isEditing() && !m_card->isShown())
        run([this] { m_table->first(); });
}

void CatalogueWindow::prior()
{
    if (!isEditing() && !m_card->isShown())
        run([this] { m_table->prior(); });
}

void CatalogueWindow::next()
{
    if (!isEditing() && !m_card->isShown())
        run([this] { m_table->next(); });
}

void CatalogueWindow::last()
{
    if (!isEditing() && !m_card->isShown())
        run([this] { m_table->last(); });
}

void CatalogueWindow::newRecord()
{
    if (isEditing() || m_card->isShown())
        return;
    setRecordEnabled(true);
    m_recordControls[0]->setFocus();
    if (!run([this] { m_table->insert(); }))
        setRecordEnabled(false);
}

void CatalogueWindow::editRecord()
{
    if (isEditing() || m_card->isShown())
        return;
    if (!run([this] { m_table->edit(); }))
        return;
    setRecordEnabled(true);
    m_recordControls[0]->setFocus();
}

bool CatalogueWindow::saveRecord()
{
    if (!isEditing())
        return false;
    // What the table has not taken yet goes in first; a refusal keeps the
    // record in edit mode with the user's text in its control.
    const bool stored = run([this] {
        m_source->updateRecord();
        m_table->setFieldText(QStringLiteral("DATUM"), QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
        m_table->post();
    });
    if (stored)
        setRecordEnabled(false);
    return stored;
}

void CatalogueWindow::undo()
{
    if (!isEditing())
        return;
    setRecordEnabled(false);
    run([this] { m_table->cancel(); });
}

void CatalogueWindow::deleteRecord()
{
    if (isEditing() || m_card->isShown() || !m_table->isActive() || m_table->isEmpty())
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

namespace {

// Cut, copy and paste act on every free-text control marked as the target.
void onClipboardTargets(const auto &freeText, auto onLine, auto onMemo)
{
    for (QWidget *w : freeText) {
        if (w->property("tag").toInt() != 0)
            continue;
        if (auto *e = qobject_cast<QLineEdit *>(w))
            std::invoke(onLine, e);
        else if (auto *m = qobject_cast<QPlainTextEdit *>(w))
            std::invoke(onMemo, m);
    }
}

} // namespace

void CatalogueWindow::cut()
{
    onClipboardTargets(m_freeText, &QLineEdit::cut, &QPlainTextEdit::cut);
}

void CatalogueWindow::copy()
{
    onClipboardTargets(m_freeText, &QLineEdit::copy, &QPlainTextEdit::copy);
}

void CatalogueWindow::paste()
{
    onClipboardTargets(m_freeText, &QLineEdit::paste, &QPlainTextEdit::paste);
}

void CatalogueWindow::enterRecordControl(QWidget *control)
{
    const auto it = std::find(m_freeText.begin(), m_freeText.end(), control);
    const bool freeText = it != m_freeText.end();
    if (freeText) {
        for (QWidget *w : m_freeText)
            w->setProperty("tag", w == control ? 0 : 1);
    }
    for (const char *name : {"MP1", "MP2", "MP3"}) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(name)))
            action->setEnabled(freeText);
    }
    m_services.host.setClipboardCommandsEnabled(freeText);
}

// --- activation ---------------------------------------------------------

void CatalogueWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
}

void CatalogueWindow::activated()
{
    // The file and edit commands are off while the lending card is shown.
    m_services.host.setFileAndEditCommandsEnabled(!m_card->isShown());
    m_card->reactivated();
    m_services.shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
    for (int s = 1; s <= core::SlotCount; ++s) {
        m_services.host.setWindowEntryChecked(s, s == m_slot);
        m_services.shell.setIndicatorVisible(QStringLiteral("SBD%1").arg(s), s == m_slot);
    }
    emit stateMayHaveChanged();
}

void CatalogueWindow::deactivated()
{
    m_services.host.setWindowSeparatorVisible(false);
    m_services.host.setWindowEntryChecked(m_slot, false);
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
    if (watched == m_lentLabel) {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_card->RxLabel1Click();
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::FocusIn: {
        auto *w = qobject_cast<QWidget *>(watched);
        for (QWidget *control : m_recordControls) {
            if (w == control || (w && w->parentWidget() == control && qobject_cast<QComboBox *>(control))) {
                enterRecordControl(control);
                break;
            }
        }
        break;
    }
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        if (watched == m_subWindow)
            break;
        // The keys of PopupMenu1 rest while the lending card is shown.
        if (m_card->isShown())
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
    return m_mode.card == LendingCard::State::Editing;
}

bool CatalogueWindow::requestClose()
{
    if (m_subWindow)
        return m_subWindow->close();
    return close();
}

CatalogueWindow::CloseDecision CatalogueWindow::closeDecision() const
{
    if (isEditing())
        return CloseDecision::AskAboutRecord;
    if (isLendingCardEditing())
        return CloseDecision::RefuseForLendingCard;
    return CloseDecision::Close;
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
    if (m_card->isShown())
        m_services.host.setFileAndEditCommandsEnabled(true); // the card goes with the window
    m_services.host.disableRecordCommands();
    m_services.host.setWindowSeparatorVisible(false);
    m_services.host.setWindowEntry(m_slot, QString(), false);
    m_services.shell.setIndicatorVisible(QStringLiteral("SBD%1").arg(m_slot), false);
    m_services.host.setCatalogueStatusText(QString());

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
