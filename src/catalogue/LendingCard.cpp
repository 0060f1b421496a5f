#include "LendingCard.h"

#include "OpenProgressWindow.h"

#include "base/Error.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "dbase/Table.h"
#include "widgets/DataControls.h"
#include "widgets/DataSource.h"
#include "widgets/Fonts.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QPalette>
#include <QToolBar>
#include <QToolButton>

namespace catalogue {

namespace {

// The embossed title "Výpůjční karta": grey text over a white copy one pixel
// lower right.
class EmbossedTitle : public QWidget
{
public:
    EmbossedTitle(const QString &text, QWidget *parent)
        : QWidget(parent)
        , m_text(text)
    {
        setFont(widgets::serifFont(24, true));
        setAccessibleName(text);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(Qt::white);
        painter.drawText(rect().translated(1, 1), Qt::AlignCenter, m_text);
        painter.setPen(QColor(128, 128, 128));
        painter.drawText(rect(), Qt::AlignCenter, m_text);
    }

private:
    QString m_text;
};

// The seven card fields in the order of DBEdit1..DBEdit7.
struct CardField
{
    const char *field;
    const char *label;
    int x, y, w;
    int maxChars;
};

constexpr int RowTop = 40;
constexpr int RowStep = 42;

const CardField CardFields[LendingCard::EditCount] = {
    {"JMENO", "Jméno :", 234, RowTop, 214, 0},                      // DBEdit1
    {"PRIJMENI", "Příjmení :", 10, RowTop, 214, 0},                 // DBEdit2
    {"ULICE", "Ulice :", 10, RowTop + RowStep, 200, 0},             // DBEdit3
    {"CISLO", "Blok/Číslo :", 218, RowTop + RowStep, 90, 0},        // DBEdit4
    {"TELEFON", "Telefon :", 316, RowTop + RowStep, 132, 0},        // DBEdit5
    {"OBEC", "Město (Obec) :", 10, RowTop + 2 * RowStep, 300, 0},   // DBEdit6
    {"PSC", "PSČ :", 318, RowTop + 2 * RowStep, 130, 10},           // DBEdit7
};

// Tab order: surname, first name, street, number, telephone, town, postcode.
constexpr int TabOrder[LendingCard::EditCount] = {1, 0, 2, 3, 4, 5, 6};

QFont cardFont(bool bold = false)
{
    return widgets::serifFont(13, bold);
}

} // namespace

LendingCard::LendingCard(const Book &book, core::DataModule &data, core::Shell &shell, QWidget *parent)
    : QWidget(parent)
    , m_book(book)
    , m_data(data)
    , m_shell(shell)
    , m_ledger(data)
    , m_source(new widgets::DataSource(data.lendingTable(), this))
{
    setObjectName(QStringLiteral("Panel10"));
    build();
    hide();
}

// --- building -------------------------------------------------------------

QWidget *LendingCard::buildRows(QWidget *parent, bool bound, std::array<QLineEdit *, EditCount> &edits,
                                QLabel *&date)
{
    for (int i = 0; i < EditCount; ++i) {
        const CardField &f = CardFields[i];
        auto *label = new QLabel(QString::fromUtf8(f.label), parent);
        label->setFont(cardFont(true));
        label->move(f.x, f.y);
        label->adjustSize();
        auto *edit = new QLineEdit(parent);
        edit->setFont(cardFont());
        edit->setGeometry(f.x, f.y + 16, f.w, 21);
        edit->setEnabled(false);
        if (bound) {
            edit->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
            widgets::bindField(edit, m_source, QString::fromLatin1(f.field), f.maxChars);
        }
        edits[i] = edit;
    }
    for (int i = 0; i + 1 < EditCount; ++i)
        setTabOrder(edits[TabOrder[i]], edits[TabOrder[i + 1]]);

    const int dateY = RowTop + 3 * RowStep + 2;
    auto *dateLabel = new QLabel(QStringLiteral("Datum zapůjčení :"), parent);
    dateLabel->setFont(cardFont(true));
    dateLabel->move(10, dateY);
    dateLabel->adjustSize();
    date = new QLabel(parent);
    QFont dateFont = cardFont(true);
    date->setFont(dateFont);
    QPalette red = date->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    red.setColor(QPalette::Disabled, QPalette::WindowText, Qt::red);
    date->setPalette(red);
    date->setGeometry(130, dateY, 120, 16);
    if (bound) {
        date->setObjectName(QStringLiteral("DBText2"));
        widgets::bindField(date, m_source, QStringLiteral("DATUM"));
    }

    auto *rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(10, dateY + 22, 438, 2);
    return parent;
}

QAction *LendingCard::addButton(const char *name, const QIcon &icon, const QString &caption, const QString &tip,
                                void (LendingCard::*handler)())
{
    auto *action = new QAction(icon, caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(tip);
    action->setStatusTip(tip);
    m_toolbar->addAction(action);
    if (QWidget *button = m_toolbar->widgetForAction(action)) {
        button->setObjectName(QString::fromLatin1(name) + QStringLiteral("Button"));
        button->setAccessibleName(caption);
        button->setAccessibleDescription(tip);
    }
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void LendingCard::build()
{
    setAutoFillBackground(true);
    resize(517, 270);

    // The card toolbar, docked at the top, without a drag handle.
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setGeometry(0, 0, 517, 26);
    // The window keeps disabled field texts dark enough to read; on the
    // toolbar a disabled command must look disabled ("Zpět" while editing).
    QPalette toolbarColours = m_toolbar->palette();
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        toolbarColours.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    m_toolbar->setPalette(toolbarColours);

    QStyle *s = style();
    m_buttons[0] = addButton("TD2", s->standardIcon(QStyle::SP_TrashIcon), QStringLiteral("Zrušit"),
                             QStringLiteral("Zruší výpůjční kartu"), &LendingCard::TD2Click);
    m_buttons[1] = addButton("TD3", s->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("Editovat"),
                             QStringLiteral("Umožní editaci výpůjční karty"), &LendingCard::TD3Click);
    m_buttons[2] = addButton("TD4", s->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Uložit"),
                             QStringLiteral("Uloží změny ve výpůjční kartě"), &LendingCard::TD4Click);
    m_buttons[3] = addButton("TD5", s->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Vrátit"),
                             QStringLiteral("Vrátí změny ve výpůjční kartě"), &LendingCard::TD5Click);
    auto *spacer = new QWidget(m_toolbar);
    spacer->setFixedWidth(24);
    m_toolbar->addWidget(spacer);
    m_back = new QAction(QStringLiteral("Zpět"), this);
    m_back->setObjectName(QStringLiteral("TD7"));
    m_back->setToolTip(QStringLiteral("Ukončí práci s výpůjční kartou"));
    m_back->setStatusTip(m_back->toolTip());
    m_toolbar->addAction(m_back);
    if (auto *button = qobject_cast<QToolButton *>(m_toolbar->widgetForAction(m_back))) {
        button->setObjectName(QStringLiteral("TD7Button"));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAccessibleName(m_back->text());
        button->setAccessibleDescription(m_back->toolTip());
    }
    connect(m_back, &QAction::triggered, this, &LendingCard::TD7Click);
    for (QAction *a : m_buttons)
        a->setEnabled(false);

    // The raised inner panel with the title and the fields.
    auto *inner = new QFrame(this);
    inner->setObjectName(QStringLiteral("Panel11"));
    inner->setFrameShape(QFrame::Panel);
    inner->setFrameShadow(QFrame::Raised);
    inner->setGeometry((517 - 460) / 2, 32, 460, 228);

    auto *title = new EmbossedTitle(QStringLiteral("Výpůjční karta"), inner);
    title->setObjectName(QStringLiteral("Title"));
    title->setGeometry(2, 2, 456, 34);

    buildRows(inner, true, m_edits, m_date);

    // Kryti: the same labels and fields, bound to nothing and always off,
    // over the bound ones.
    m_cover = new QWidget(inner);
    m_cover->setObjectName(QStringLiteral("Kryti"));
    m_cover->setAutoFillBackground(true);
    // Inside the raised frame, below the title, so both stay in view.
    m_cover->setGeometry(2, 36, 456, 190);
    QLabel *coverDate = nullptr;
    buildRows(m_cover, false, m_coverEdits, coverDate);
    for (QWidget *child : m_cover->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->move(child->pos() - QPoint(2, 36));
    m_cover->setEnabled(false);
    // The labels read as on the card itself; only the fields look locked.
    QPalette coverPalette = m_cover->palette();
    coverPalette.setColor(QPalette::Disabled, QPalette::WindowText, palette().color(QPalette::Active, QPalette::WindowText));
    m_cover->setPalette(coverPalette);
    title->raise();

    // PopupMenu2, the window's context menu while the card is shown.
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu2"));
    const char *const captions[4] = {"Zrušit výpůjční kartu", "Editovat výpůjční kartu",
                                     "Uložit změny ve výpůjční kartě", "Vrátit změny ve výpůjční kartě"};
    for (int i = 0; i < 4; ++i) {
        QAction *item = m_menu->addAction(QString::fromUtf8(captions[i]));
        item->setObjectName(QStringLiteral("TP%1").arg(i + 2));
        item->setEnabled(false);
        connect(item, &QAction::triggered, m_buttons[i], &QAction::trigger);
        m_items[i] = item;
    }
}

// --- states -----------------------------------------------------------------

void LendingCard::setEditsEnabled(bool enabled)
{
    for (QLineEdit *e : m_edits)
        e->setEnabled(enabled);
    // The back button is on exactly while the edits are off: the card is not
    // left while it is being edited.
    m_back->setEnabled(!enabled);
}

void LendingCard::setButtons(bool remove, bool edit, bool save, bool undo)
{
    const bool on[4] = {remove, edit, save, undo};
    for (int i = 0; i < 4; ++i) {
        m_buttons[i]->setEnabled(on[i]);
        m_items[i]->setEnabled(on[i]);
    }
}

void LendingCard::applyState(State state, bool keepCover)
{
    switch (state) {
    case State::Hidden:
        break;
    case State::NoCard:
        setButtons(false, true, false, false);
        if (!keepCover)
            m_cover->show();
        break;
    case State::CardPresent:
        setButtons(true, true, false, false);
        m_cover->hide();
        break;
    case State::Editing:
        setButtons(false, false, true, true);
        m_cover->hide();
        break;
    }
    if (m_state != state) {
        m_state = state;
        emit stateChanged(state);
    }
}

bool LendingCard::run(const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (const base::Error &error) {
        m_shell.showError(error.message());
    }
    return false;
}

Borrower LendingCard::borrowerOfCard() const
{
    const dbase::Table &cards = m_ledger.cards();
    return {cards.fieldText(QStringLiteral("PRIJMENI")), cards.fieldText(QStringLiteral("JMENO")),
            cards.fieldText(QStringLiteral("ULICE"))};
}

// --- handlers -----------------------------------------------------------------

void LendingCard::RxLabel1Click()
{
    dbase::Table *book = m_book.table;
    // A card belongs to a book: an empty catalogue has none to show.
    if (!book || !book->isActive() || (book->isEmpty() && book->state() != dbase::Table::State::Insert))
        return;
    // The one lending table holds the pending card of another window: it is
    // saved or undone there first.
    const dbase::Table &cards = m_ledger.cards();
    if (cards.isActive() && cards.state() != dbase::Table::State::Browse && cards.isModified())
        return;
    bool found = false;
    if (!run([&] { found = m_ledger.findCard(m_book.slot, m_book.numberText()); }))
        return;
    if (!found && !run([this] { m_ledger.cards().insert(); }))
        return;
    setEditsEnabled(false);
    applyState(found ? State::CardPresent : State::NoCard);
    show();
    raise();
}

void LendingCard::reactivated()
{
    if (!isShown())
        return;
    if (isEditing())
        return;
    dbase::Table &cards = m_ledger.cards();
    if (cards.isActive() && cards.state() != dbase::Table::State::Browse && cards.isModified())
        return; // another window's card is being edited; it is not disturbed
    const QString number = m_book.numberText();
    bool found = false;
    if (!run([&] { found = m_ledger.findCard(m_book.slot, number); }))
        return;
    if (!found && !run([&] { cards.insert(); }))
        return;
    applyState(found ? State::CardPresent : State::NoCard);
}

void LendingCard::TD3Click()
{
    if (m_state == State::Hidden || m_state == State::Editing)
        return;
    m_cover->hide();
    dbase::Table &cards = m_ledger.cards();
    const QString number = m_book.numberText();
    const bool ok = run([&] {
        if (m_ledger.isCardOf(number))
            cards.edit();
        else
            cards.insert();
    });
    if (!ok) {
        applyState(m_state);
        return;
    }
    setEditsEnabled(true);
    applyState(State::Editing);
    m_edits[1]->setFocus();
}

void LendingCard::TD4Click()
{
    if (m_state != State::Editing)
        return;
    setEditsEnabled(false);
    const QString number = m_book.numberText();
    const bool recordEditing = m_book.recordEditing && m_book.recordEditing();
    dbase::Table &cards = m_ledger.cards();
    // The card's typed texts and the book's are checked before anything is
    // written; a refused value keeps the card in edit with what was typed.
    const bool stored = run([&] {
        m_source->updateRecord();
        m_ledger.stampCard(m_book.slot, number);
        if (recordEditing && m_book.source)
            m_book.source->updateRecord();
        LendingLedger::markBook(*m_book.table, true, recordEditing);
        applyState(State::CardPresent);
        cards.post();
    });
    if (!stored) {
        setEditsEnabled(true);
        applyState(State::Editing);
        return;
    }
    applyState(State::CardPresent);
    link(QStringLiteral("Propojuji data s ostatními moduly"), borrowerOfCard(), true);
}

void LendingCard::TD2Click()
{
    if (m_state != State::CardPresent)
        return;
    dbase::Table &cards = m_ledger.cards();
    const bool recordEditing = m_book.recordEditing && m_book.recordEditing();
    // The progress box stays up until the card is gone and the book marked.
    link(QStringLiteral("Odstraňuji propojení dat s ostatními moduly"), borrowerOfCard(), false, [&] {
        run([&] {
            cards.remove();
            if (recordEditing && m_book.source)
                m_book.source->updateRecord();
            LendingLedger::markBook(*m_book.table, false, recordEditing);
        });
        run([&] { cards.insert(); });
        setEditsEnabled(false);
        applyState(State::NoCard, true);
    });
}

void LendingCard::TD5Click()
{
    if (m_state != State::Editing)
        return;
    setEditsEnabled(false);
    dbase::Table &cards = m_ledger.cards();
    const bool existed = !cards.fieldText(QStringLiteral("DATUM")).isEmpty();
    run([&] { cards.cancel(); });
    if (existed) {
        m_cover->hide();
        applyState(State::CardPresent);
    } else {
        m_cover->show();
        applyState(State::NoCard);
    }
}

void LendingCard::TD7Click()
{
    if (m_state == State::Hidden || m_state == State::Editing)
        return;
    // An untouched blank card is never stored.
    dbase::Table &cards = m_ledger.cards();
    if (cards.isActive() && cards.state() == dbase::Table::State::Insert && !cards.isModified())
        run([&] { cards.cancel(); });
    hide();
    applyState(State::Hidden);
}

// --- linking ------------------------------------------------------------------

bool LendingCard::link(const QString &text, const Borrower &borrower, bool lent,
                       const std::function<void()> &beforeClose)
{
    auto *box = new OpenProgressWindow(text, m_shell);
    box->setObjectName(QStringLiteral("InfoPropojitDialog"));
    box->show();
    box->repaint();
    box->setProgress(5);
    QString failure;
    try {
        m_ledger.flagBorrower(m_book.slot, borrower, lent, [box](int position) { box->setProgress(position); });
    } catch (const base::Error &error) {
        failure = error.message();
    }
    if (!failure.isEmpty()) {
        // The box goes and the main window takes input again before the
        // engine's message is shown; a saved card stays saved.
        box->close();
        m_shell.showError(failure);
        return false;
    }
    if (beforeClose)
        beforeClose();
    box->setProgress(100);
    box->close();
    return true;
}

} // namespace catalogue
