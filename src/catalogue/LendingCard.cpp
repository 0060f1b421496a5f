#include "LendingCard.h"

#include "base/Error.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "widgets/DataSource.h"
#include "widgets/Fonts.h"
#include "widgets/ProgressWindow.h"

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

// The seven card fields in the order of DBEdit1..DBEdit7 (the order of
// CardText::FieldNames).
struct CardField
{
    const char *label;
    int x, y, w;
    int maxChars; // 0: the field's width
};

constexpr int RowTop = 40;
constexpr int RowStep = 42;

const CardField CardFields[LendingCard::EditCount] = {
    {"Jméno :", 234, RowTop, 214, 0},                      // DBEdit1 JMENO
    {"Příjmení :", 10, RowTop, 214, 0},                 // DBEdit2 PRIJMENI
    {"Ulice :", 10, RowTop + RowStep, 200, 0},             // DBEdit3 ULICE
    {"Blok/Číslo :", 218, RowTop + RowStep, 90, 0},        // DBEdit4 CISLO
    {"Telefon :", 316, RowTop + RowStep, 132, 0},          // DBEdit5 TELEFON
    {"Město (Obec) :", 10, RowTop + 2 * RowStep, 300, 0},  // DBEdit6 OBEC
    {"PSČ :", 318, RowTop + 2 * RowStep, 130, 10},         // DBEdit7 PSC
};

// How many characters the card's field takes.
int widthOf(int i)
{
    if (CardFields[i].maxChars > 0)
        return CardFields[i].maxChars;
    for (const dbase::FieldDef &def : core::lendingFields())
        if (def.name == QLatin1String(CardText::FieldNames[i]))
            return def.length;
    return 32767;
}

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
            edit->setMaxLength(widthOf(i));
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
    if (bound)
        date->setObjectName(QStringLiteral("DBText2"));

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

bool LendingCard::hasBook() const
{
    // A card belongs to a book: an empty catalogue has none to show.
    const dbase::Table *book = m_book.table;
    return book && book->isActive() && (!book->isEmpty() || book->state() == dbase::Table::State::Insert);
}

CardOwner LendingCard::owner() const
{
    return {m_book.slot, m_book.numberText(), m_book.table, m_book.recordEditing && m_book.recordEditing()};
}

void LendingCard::showCard(const std::optional<CardText> &card)
{
    m_hasCard = card.has_value();
    for (int i = 0; i < EditCount; ++i)
        m_edits[i]->setText(card ? card->fields[i] : QString());
    m_date->setText(card ? card->date : QString());
}

CardText LendingCard::typedCard() const
{
    CardText card;
    for (int i = 0; i < EditCount; ++i)
        card.fields[i] = m_edits[i]->text();
    return card;
}

bool LendingCard::reload()
{
    std::optional<CardText> card;
    if (!run([&] { card = m_ledger.readCard(m_book.slot, m_book.numberText()); }))
        return false;
    showCard(card);
    return true;
}

// --- handlers -----------------------------------------------------------------

void LendingCard::RxLabel1Click()
{
    if (!hasBook() || !reload())
        return;
    setEditsEnabled(false);
    applyState(m_hasCard ? State::CardPresent : State::NoCard);
    show();
    raise();
}

void LendingCard::reactivated()
{
    if (!isShown() || isEditing() || !hasBook())
        return;
    if (reload())
        applyState(m_hasCard ? State::CardPresent : State::NoCard);
}

void LendingCard::TD3Click()
{
    if (m_state == State::Hidden || m_state == State::Editing)
        return;
    // The edit starts from the card as it stands in the table now.
    if (!reload())
        return;
    m_cover->hide();
    setEditsEnabled(true);
    applyState(State::Editing);
    m_edits[1]->setFocus();
}

void LendingCard::TD4Click()
{
    if (m_state != State::Editing)
        return;
    setEditsEnabled(false);
    const CardOwner book = owner();
    // The card's typed texts and the book's are checked before anything is
    // written; a refused value keeps the card in edit with what was typed.
    std::optional<CardText> stored;
    const bool ok = run([&] {
        if (book.recordEditing && m_book.source)
            m_book.source->updateRecord();
        stored = m_ledger.saveCard(book, typedCard());
    });
    if (!ok) {
        setEditsEnabled(true);
        applyState(State::Editing);
        return;
    }
    showCard(stored);
    applyState(State::CardPresent);
    link(QStringLiteral("Propojuji data s ostatními moduly"), stored->borrower(), true);
}

void LendingCard::TD2Click()
{
    if (m_state != State::CardPresent)
        return;
    const CardOwner book = owner();
    // The card is found again before it goes: its borrower is unflagged as
    // the table has it, not as an older reading showed it.
    std::optional<CardText> card;
    if (!run([&] { card = m_ledger.readCard(book.slot, book.numberText); }))
        return;
    const Borrower borrower = card ? card->borrower() : typedCard().borrower();
    // The progress box stays up until the card is gone and the book marked.
    link(QStringLiteral("Odstraňuji propojení dat s ostatními moduly"), borrower, false, [&] {
        const bool gone = run([&] {
            if (book.recordEditing && m_book.source)
                m_book.source->updateRecord();
            m_ledger.deleteCard(book);
        });
        setEditsEnabled(false);
        if (gone) {
            showCard(std::nullopt);
            applyState(State::NoCard, true);
        } else if (reload()) {
            applyState(m_hasCard ? State::CardPresent : State::NoCard);
        }
    });
}

void LendingCard::TD5Click()
{
    if (m_state != State::Editing)
        return;
    setEditsEnabled(false);
    // What was typed goes; the card shows as the table has it.
    if (!reload())
        showCard(std::nullopt);
    if (m_hasCard) {
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
    hide();
    applyState(State::Hidden);
}

// --- linking ------------------------------------------------------------------

bool LendingCard::link(const QString &text, const Borrower &borrower, bool lent,
                       const std::function<void()> &beforeClose)
{
    auto *box = new widgets::ProgressWindow(widgets::ProgressWindow::Kind::Linking, text, m_shell);
    box->showPainted();
    box->setPosition(5);
    QString failure;
    try {
        m_ledger.flagBorrower(m_book.slot, borrower, lent, [box](int position) { box->setPosition(position); });
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
    box->setPosition(100);
    box->close();
    return true;
}

} // namespace catalogue
