#include "BookForm.h"

#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "widgets/DataControls.h"
#include "widgets/DataSource.h"
#include "widgets/Fonts.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
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

QLabel *addLabel(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setFont(labelFont());
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit *addEdit(QWidget *parent, const char *name, int x, int y, int w)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFont(fieldFont());
    edit->setGeometry(x, y, w, 21);
    return edit;
}

QComboBox *addDropDown(QWidget *parent, const char *name, const QStringList &items, int x, int y, int w)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->addItems(items);
    box->setFont(fieldFont());
    box->setGeometry(x, y, w, 21);
    return box;
}

// The fields of the record controls in tab order, with the entry limits of
// the numeric fields; text fields take their field size.
struct Binding
{
    const char *field;
    int maxChars;
};

const Binding Bindings[BookForm::RecordControlCount] = {
    {"CISLO", 5},    {"NAZEV", 0}, {"DRUH", 0},      {"STRANY", 5}, {"ORIGINAL", 0},
    {"AUTOR", 0},    {"ILUSTRACE", 0}, {"TISK", 0},  {"VYDAVATEL", 0}, {"VAZBA", 0},
    {"ROK", 4},      {"VYDANI", 0}, {"NAKLAD", 10},  {"POZNAMKA", 0},
};

} // namespace

BookForm::BookForm(dbase::Table *table, QWidget *parent)
    : QWidget(parent)
    , m_source(new widgets::DataSource(table, this))
{
    setObjectName(QStringLiteral("BookForm"));
    build();
    bind();
    setEditable(false);

    connect(m_source, &widgets::DataSource::recordChanged, this, &BookForm::showLent);
    connect(m_source, &widgets::DataSource::stateChanged, this, &BookForm::showLent);
    showLent();
}

void BookForm::build()
{
    // The whole client area: the header row, the page and the footer.
    setGeometry(0, 0, 517, 305);

    // Header row: the catalogue number alone in the middle.
    addLabel(this, QStringLiteral("Evidenční číslo :"), 150, 8);
    auto *c1 = addEdit(this, "C1", 270, 5, 80);

    // The page with five rows of fields.
    auto *pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("Zalozky"));
    pages->setGeometry(4, 30, 509, 252);
    // The untitled tab is no stop for the keyboard.
    pages->setFocusPolicy(Qt::NoFocus);
    pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    auto *page = new QWidget;
    pages->addTab(page, QString());
    m_pages = pages;

    addLabel(page, QStringLiteral("Název :"), 8, 2);
    auto *j1 = addEdit(page, "J1", 8, 18, 230);
    addLabel(page, QStringLiteral("Žánr :"), 246, 2);
    auto *f1 = addDropDown(page, "F1", core::genres(), 246, 18, 160);
    addLabel(page, QStringLiteral("Počet stran :"), 414, 2);
    auto *s1 = addEdit(page, "S1", 414, 18, 78);

    addLabel(page, QStringLiteral("Originální název"), 8, 40);
    auto *o1 = addEdit(page, "O1", 8, 56, 240);
    addLabel(page, QStringLiteral("Autor :"), 256, 40);
    auto *a1 = addEdit(page, "A1", 256, 56, 236);

    addLabel(page, QStringLiteral("Ilustrace :"), 8, 78);
    auto *i1 = addEdit(page, "I1", 8, 94, 240);
    addLabel(page, QStringLiteral("Tisk :"), 256, 78);
    auto *t1 = addEdit(page, "T1", 256, 94, 236);

    addLabel(page, QStringLiteral("Vydavatel :"), 8, 116);
    auto *v1 = addEdit(page, "V1", 8, 132, 130);
    addLabel(page, QStringLiteral("Vazba :"), 146, 116);
    // Wide enough for "Rychlovazba" beside the drop-down arrow.
    auto *v2 = addDropDown(page, "V2", core::bindings(), 146, 132, 104);
    addLabel(page, QStringLiteral("Rok vydání :"), 258, 116);
    auto *r1 = addEdit(page, "R1", 258, 132, 82);
    addLabel(page, QStringLiteral("Vydání :"), 348, 116);
    auto *p1 = addDropDown(page, "P1", core::editions(), 348, 132, 80);
    addLabel(page, QStringLiteral("Náklad :"), 436, 116);
    auto *n1 = addEdit(page, "N1", 436, 132, 56);

    addLabel(page, QStringLiteral("Poznámka :"), 8, 154);
    auto *p2 = new QPlainTextEdit(page);
    p2->setObjectName(QStringLiteral("P2"));
    p2->setFont(fieldFont());
    p2->setGeometry(8, 170, 484, 40);
    p2->setTabChangesFocus(true);
    p2->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // Footer: the date of the last change and the lent marker.
    addLabel(this, QStringLiteral("Datum poslední aktualizace :"), 8, 284);
    m_dateText = new QLabel(this);
    m_dateText->setObjectName(QStringLiteral("DBText1"));
    m_dateText->setFont(labelFont());
    setTextColor(m_dateText, LentColor);
    m_dateText->setGeometry(200, 284, 100, 16);

    m_lentLabel = new QLabel(LentText, this);
    m_lentLabel->setObjectName(QStringLiteral("RxLabel1"));
    m_lentLabel->setFont(labelFont());
    m_lentLabel->setCursor(Qt::PointingHandCursor);
    m_lentLabel->setAccessibleName(LentText);
    m_lentLabel->setAccessibleDescription(QStringLiteral("Zobrazí výpůjční kartu knihy"));
    m_lentLabel->setGeometry(440, 284, 70, 16);
    m_lentLabel->installEventFilter(this);

    m_recordControls = {c1, j1, f1, s1, o1, a1, i1, t1, v1, v2, r1, p1, n1, p2};
    m_freeText = {j1, o1, a1, i1, t1, v1, p2};

    // Tab order: C1, then the page row by row.
    for (int i = 0; i + 1 < RecordControlCount; ++i)
        setTabOrder(m_recordControls[i], m_recordControls[i + 1]);

    // Clipboard markers: all seven read 0 at creation.
    for (QWidget *w : m_freeText)
        w->setProperty("tag", 0);

    // The window's context menu serves the fields as well (its clipboard
    // items act on the text field entered last).
    for (QWidget *w : m_recordControls) {
        w->setContextMenuPolicy(Qt::NoContextMenu);
        if (auto *box = qobject_cast<QComboBox *>(w))
            box->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    }
    watchControls(this);
}

void BookForm::bind()
{
    for (int i = 0; i < RecordControlCount; ++i)
        widgets::bindField(m_recordControls[i], m_source, QString::fromLatin1(Bindings[i].field), Bindings[i].maxChars);
    widgets::bindField(m_dateText, m_source, QStringLiteral("DATUM"));
}

QString BookForm::numberText() const
{
    return static_cast<QLineEdit *>(m_recordControls[0])->text();
}

QPoint BookForm::pageCorner() const
{
    // Below the header row, across the whole width.
    return mapToParent(QPoint(0, m_pages->y()));
}

void BookForm::setEditable(bool editable)
{
    for (QWidget *w : m_recordControls)
        w->setEnabled(editable);
}

void BookForm::focusNumber()
{
    m_recordControls[0]->setFocus();
}

void BookForm::watchControls(QObject *filter)
{
    for (QWidget *w : m_recordControls) {
        w->installEventFilter(filter);
        if (auto *box = qobject_cast<QComboBox *>(w))
            box->lineEdit()->installEventFilter(filter);
    }
}

void BookForm::showLent()
{
    const dbase::Table *table = m_source->table();
    const bool lent = table && table->isActive() && table->fieldText(QStringLiteral("PUJCENO")) == LentText;
    setTextColor(m_lentLabel, lent ? LentColor : NotLentColor);
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

void BookForm::cut()
{
    onClipboardTargets(m_freeText, &QLineEdit::cut, &QPlainTextEdit::cut);
}

void BookForm::copy()
{
    onClipboardTargets(m_freeText, &QLineEdit::copy, &QPlainTextEdit::copy);
}

void BookForm::paste()
{
    onClipboardTargets(m_freeText, &QLineEdit::paste, &QPlainTextEdit::paste);
}

void BookForm::enter(QWidget *control)
{
    // Entering a free-text control makes it the target; the other seven
    // controls leave the markers as they were.
    const bool freeText = std::find(m_freeText.begin(), m_freeText.end(), control) != m_freeText.end();
    if (freeText) {
        for (QWidget *w : m_freeText)
            w->setProperty("tag", w == control ? 0 : 1);
    }
    emit controlEntered(freeText);
}

bool BookForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lentLabel) {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            emit lentLabelClicked();
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        auto *w = qobject_cast<QWidget *>(watched);
        for (QWidget *control : m_recordControls) {
            if (w == control || (w && w->parentWidget() == control && qobject_cast<QComboBox *>(control))) {
                enter(control);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace catalogue
