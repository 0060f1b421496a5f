#include "VysledekDialog.h"

#include "widgets/RaisedPanel.h"

#include "ResultFill.h"
#include "ResultTree.h"

#include "base/Error.h"
#include "core/DataModule.h"
#include "core/SearchCopy.h"
#include "core/Shell.h"
#include "dbase/Table.h"
#include "widgets/Colors.h"
#include "widgets/DialogKeys.h"
#include "widgets/OfficeButton.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>

namespace search {

VysledekDialog::VysledekDialog(core::DataModule &data, core::Shell &shell, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_data(data)
    , m_shell(shell)
    , m_tree(new ResultTree(this))
{
    setObjectName(QStringLiteral("VysledekDialog"));
    setStatusTip(QStringLiteral("Vyhledávání záznamů"));
    setFixedSize(ClientWidth, ClientHeight);

    QFrame *inner = widgets::raisedPanel(this);

    m_heading = new QLabel(inner);
    m_heading->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_heading->setAlignment(Qt::AlignCenter);
    m_heading->setGeometry(5, 4, 236, 16);

    m_view = new QTreeView(inner);
    m_view->setObjectName(QStringLiteral("TreeView1"));
    m_view->setModel(m_tree);
    m_view->setHeaderHidden(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setAllColumnsShowFocus(true);
    m_view->setUniformRowHeights(true);
    m_view->setIndentation(19);
    m_view->setExpandsOnDoubleClick(true);
    m_view->setToolTip(QStringLiteral("Abecední seznam klíčových slov"));
    m_view->setStatusTip(m_view->toolTip());
    m_view->setAccessibleName(QStringLiteral("Výsledky vyhledávání"));
    m_view->setAccessibleDescription(m_view->toolTip());
    // The selection stays as visible when the tree does not have the focus.
    QPalette treePalette = m_view->palette();
    treePalette.setColor(QPalette::Inactive, QPalette::Highlight,
                         treePalette.color(QPalette::Active, QPalette::Highlight));
    treePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         treePalette.color(QPalette::Active, QPalette::HighlightedText));
    m_view->setPalette(treePalette);
    m_view->setGeometry(5, 22, 236, 215);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &VysledekDialog::selectionMoved);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &VysledekDialog::selectionMoved);
    connect(m_tree, &QAbstractItemModel::modelReset, this, &VysledekDialog::selectionMoved);
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (m_tree->isHit(m_tree->nodeOf(index)))
            showSelectedHit();
    });

    auto *rule = new QFrame(inner);
    rule->setObjectName(QStringLiteral("Bevel1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(5, 240, 236, 2);

    m_show = new widgets::OfficeButton(QStringLiteral("Zobrazit"), inner);
    m_show->setObjectName(QStringLiteral("OfficeButton1"));
    m_show->setStatusTip(QStringLiteral("Zobrazí nalezený záznam a uzavře dialogové okno"));
    m_show->setGeometry(16, 246, 100, 25);
    connect(m_show, &widgets::OfficeButton::clicked, this, &VysledekDialog::showSelectedHit);

    m_end = new widgets::OfficeButton(QStringLiteral("Konec"), inner);
    m_end->setObjectName(QStringLiteral("OfficeButton2"));
    m_end->setStatusTip(QStringLiteral("Uzavře dialogové okno bez zobrazení vybraného záznamu"));
    m_end->setGeometry(130, 246, 100, 25);
    connect(m_end, &widgets::OfficeButton::clicked, this, &QWidget::close);

    m_show->setEnabled(false);
    // Enter shows the hit (nothing while a group node or nothing is
    // selected), Esc leaves, wherever the keyboard is in the dialog.
    widgets::bindDialogKeys(this, {Qt::Key_Return, Qt::Key_Enter}, [this] { showSelectedHit(); });
    widgets::bindDialogKeys(this, {Qt::Key_Escape}, [this] { close(); });
}

QString VysledekDialog::heading() const
{
    return m_heading->text();
}

bool VysledekDialog::start(int k, int slot, const QString &heading)
{
    if (k < 1 || k > 7 || slot < 1 || slot > 4)
        return false;
    m_key = k;
    m_slot = slot;
    m_heading->setText(heading);

    // The copy is read afresh: it may have been rebuilt since the last search.
    QString failure;
    try {
        fillResultTree(*m_tree, m_data.searchCopy().reopen(), k);
    } catch (const base::Error &error) {
        failure = error.message();
    }
    if (!failure.isEmpty()) {
        m_tree->clear();
        m_key = m_slot = 0;
        m_shell.showError(failure);
        return false;
    }

    // Every showing starts at the top of its new tree, whatever the last
    // one was scrolled to: the view keeps its scroll position over a refill.
    m_view->scrollToTop();
    m_view->horizontalScrollBar()->setValue(0);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
    activateWindow();
    m_view->setFocus();
    return true;
}

bool VysledekDialog::showSelectedHit()
{
    if (!m_show->isEnabled() || m_hitTitle.isEmpty())
        return false;
    const int slot = m_slot;
    dbase::Table *catalogue = m_data.bookTable(slot);
    if (catalogue->isActive())
        locateBook(*catalogue, m_hitTitle, m_hitNumber);
    close();
    emit hitShown(slot);
    return true;
}

void VysledekDialog::selectionMoved()
{
    // Follows the selection: a hit moves the auxiliary table to its record
    // and makes "Zobrazit" available; a group node, or none, does neither.
    m_hitTitle.clear();
    m_hitNumber.clear();
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    const int node = selected.isEmpty() ? ResultTree::None : m_tree->nodeOf(selected.first());
    if (m_tree->isHit(node)) {
        dbase::Table *auxiliary = &m_data.searchCopy().table();
        try {
            if (auxiliary->isActive()) {
                auxiliary->gotoBookmark(m_tree->reference(node));
                m_hitTitle = auxiliary->fieldText(QStringLiteral("NAZEV"));
                m_hitNumber = auxiliary->fieldText(QStringLiteral("CISLO"));
            }
        } catch (const dbase::Error &) {
            // The record is gone from the copy: nothing to show.
        }
    }
    m_show->setEnabled(!m_hitTitle.isEmpty());
}

void VysledekDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    m_shell.setIndicatorVisible(QStringLiteral("SBO10"), false);
    m_shell.setIndicatorVisible(QStringLiteral("SBO2"), true);
    m_shell.setMainWindowEnabled(false);
}

void VysledekDialog::closeEvent(QCloseEvent *event)
{
    m_key = 0;
    m_slot = 0;
    event->accept();
    if (!isVisible())
        return; // never shown: the main window was not disabled by this window
    m_shell.setMainWindowEnabled(true);
    m_shell.setIndicatorVisible(QStringLiteral("SBO2"), false);
    m_shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
}

} // namespace search
