#include "Vysledek1Dialog.h"

#include "DialogParts.h"

#include "core/DataModule.h"
#include "core/SearchCopy.h"
#include "core/Shell.h"
#include "dbase/Table.h"
#include "widgets/DialogKeys.h"
#include "widgets/Fonts.h"
#include "widgets/OfficeButton.h"
#include "widgets/RaisedPanel.h"

#include <QCloseEvent>
#include <QCollator>
#include <QFrame>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTreeWidget>

#include <algorithm>

namespace reports {

namespace {

constexpr int BookmarkRole = Qt::UserRole + 1;

QString trimmedRight(QString s)
{
    while (!s.isEmpty() && s.back() == QLatin1Char(' '))
        s.chop(1);
    return s;
}

} // namespace

Vysledek1Dialog::Vysledek1Dialog(core::DataModule &data, core::Shell &shell, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_data(data)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("Vysledek1Dialog"));
    setStatusTip(QStringLiteral("Výběr autora"));
    setFixedSize(252, 284);

    QFrame *inner = widgets::raisedPanel(this, 2);

    addHeading(inner, "Label1", QStringLiteral("Výběr autora pro tiskovou sestavu"), QRect(4, 4, 240, 18));
    m_tree = new QTreeWidget(inner);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setGeometry(6, 24, 236, 215);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setIndentation(19);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setToolTip(QStringLiteral("Abecední seznam klíčových slov"));
    m_tree->setStatusTip(QStringLiteral("Abecední seznam klíčových slov"));
    m_tree->setUniformRowHeights(true);
    // The selection stays visible while another control has the focus.
    QPalette treePalette = m_tree->palette();
    treePalette.setColor(QPalette::Inactive, QPalette::Highlight,
                         treePalette.color(QPalette::Active, QPalette::Highlight));
    treePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         treePalette.color(QPalette::Active, QPalette::HighlightedText));
    m_tree->setPalette(treePalette);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { follow(current); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_confirm->isEnabled())
            confirm();
    });

    addRule(inner, QRect(6, 243, 236, 2));
    m_confirm = new widgets::OfficeButton(QStringLiteral("Náhled"), inner);
    m_confirm->setObjectName(QStringLiteral("OfficeButton1"));
    m_confirm->setStatusTip(
        QStringLiteral("Zobrazí tiskovou/náhledovou sestavu pro vybraného autora a uzavře dialogové okno"));
    m_confirm->setGeometry(20, 249, 100, 25);
    m_confirm->setEnabled(false);
    connect(m_confirm, &widgets::OfficeButton::clicked, this, &Vysledek1Dialog::confirm);
    auto *end = new widgets::OfficeButton(QStringLiteral("Konec"), inner);
    end->setObjectName(QStringLiteral("OfficeButton2"));
    end->setStatusTip(QStringLiteral("Uzavře dialogové okno bez zobrazení tiskové/náhledové sestavy"));
    end->setGeometry(128, 249, 100, 25);
    connect(end, &widgets::OfficeButton::clicked, this, &QWidget::close);

    widgets::bindDialogKeys(this, {Qt::Key_Return, Qt::Key_Enter}, [this] { confirm(); });
    widgets::bindDialogKeys(this, {Qt::Key_Escape}, [this] { close(); });
}

void Vysledek1Dialog::setModeMark(const QString &mark)
{
    m_mark = mark;
    m_confirm->setCaption(mark == QLatin1String("T") ? QStringLiteral("Tisk") : QStringLiteral("Náhled"));
}

void Vysledek1Dialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_engaged = true;
    m_shell.setIndicatorVisible(QStringLiteral("SBO10"), false);
    m_shell.setIndicatorVisible(QStringLiteral("SBO2"), true);
    m_shell.setMainWindowEnabled(false);
    fill();
}

void Vysledek1Dialog::fill()
{
    m_tree->clear();
    m_chosen.clear();
    m_confirm->setEnabled(false);
    try {
        dbase::Table *aux = &m_data.searchCopy().reopen();
        aux->setOrder(QStringLiteral("AUTOR"));
        QStringList names;
        QHash<QString, dbase::Table::Bookmark> first;
        for (aux->first(); !aux->eof() && !aux->isEmpty(); aux->next()) {
            const QString author = trimmedRight(aux->fieldText(QStringLiteral("AUTOR")));
            if (author.isEmpty() || first.contains(author))
                continue;
            first.insert(author, aux->bookmark());
            names.append(author);
        }
        QCollator collator{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
        collator.setCaseSensitivity(Qt::CaseSensitive);
        std::stable_sort(names.begin(), names.end(),
                         [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
        m_tree->setUpdatesEnabled(false);
        QList<QTreeWidgetItem *> items;
        items.reserve(names.size());
        for (const QString &name : names) {
            auto *item = new QTreeWidgetItem(QStringList{name});
            item->setData(0, BookmarkRole, quint32(first.value(name)));
            items.append(item);
        }
        {
            const QSignalBlocker block(m_tree);
            m_tree->addTopLevelItems(items);
            m_tree->setCurrentItem(nullptr);
        }
        m_tree->setUpdatesEnabled(true);
    } catch (const dbase::Error &e) {
        m_shell.showError(e.message());
    }
}

void Vysledek1Dialog::follow(QTreeWidgetItem *item)
{
    m_chosen.clear();
    const quint32 bookmark = item ? item->data(0, BookmarkRole).toUInt() : 0;
    if (bookmark) {
        dbase::Table *aux = &m_data.searchCopy().table();
        try {
            aux->gotoBookmark(bookmark);
            m_chosen = trimmedRight(aux->fieldText(QStringLiteral("AUTOR")));
        } catch (const dbase::Error &) {
            m_chosen.clear();
        }
    }
    m_confirm->setEnabled(!m_chosen.isEmpty());
}

void Vysledek1Dialog::confirm()
{
    const QString author = m_chosen;
    close();
    emit authorConfirmed(author);
}

void Vysledek1Dialog::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_engaged)
        return;
    m_engaged = false;
    m_shell.setMainWindowEnabled(true);
    m_shell.setIndicatorVisible(QStringLiteral("SBO2"), false);
    m_shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
}

} // namespace reports
