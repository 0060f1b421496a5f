#include "ToolbarRows.h"

#include "widgets/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

namespace app {

ToolbarRows::ToolbarRows(QMainWindow &window)
    : m_window(window)
{
}

void ToolbarRows::create(const CommandLookup &command, QMenu *contextMenu, QWidget *tipLine)
{
    m_command = command;
    using C = core::Command;
    constexpr std::optional<C> Separator;
    QToolBar *standard = makeBar(Standardni, core::commandRow(C::FileMenu).toolbarButton,
                                 QStringLiteral("Srandardní"), contextMenu);
    addButtons(standard, {C::OptionalCatalogues, C::OpenCatalogue, Separator, C::Preview, C::PrinterSetup, C::Print,
                          Separator, C::Cut, C::Copy, C::Paste});
    QToolBar *database = makeBar(Databaze, core::commandRow(C::EditMenu).toolbarButton,
                                 QStringLiteral("Databáze"), contextMenu);
    addButtons(database, {C::First, C::Prior, C::Next, C::Last, C::NewRecord, C::DeleteRecord, C::EditRecord,
                          C::SaveRecord, C::UndoRecord, Separator, C::Find});
    QToolBar *windows = makeBar(Okna, "OknaL", QStringLiteral("Okna"), contextMenu);
    addButtons(windows, {C::TileSideBySide, C::TileStacked, C::Cascade, Separator, C::MinimiseAll, Separator,
                         C::HelpButton});

    QToolBar *tips = makeBar(TipyDne, "TipyDneL", QStringLiteral("Tipy"), contextMenu);
    auto *know = new QLabel(QStringLiteral(" Víte že ...  "), tips);
    know->setObjectName(QStringLiteral("TipyLabel"));
    know->setFont(widgets::serifFont(13));
    // The label's last trailing blank may run under the separator.
    know->setFixedWidth(know->sizeHint().width() - know->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    tips->addWidget(know);
    // Narrow separators and no gaps, so that the label and the buttons fit
    // in the room the tip line leaves them.
    tips->layout()->setSpacing(0);
    auto separator = [tips] {
        auto *line = new QFrame(tips);
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        line->setFixedSize(3, 20);
        tips->addWidget(line);
    };
    separator();
    tips->addWidget(tipLine);
    separator();
    addButtons(tips, {C::PreviousTip, C::NextTip});
    separator();
    addButtons(tips, {C::Manual});

    // The close buttons come last, after the commands.
    for (QToolBar *bar : m_bars)
        bar->addAction(bar->findChild<QAction *>(bar->objectName() + QStringLiteral("Zavrit")));

    for (QToolBar *bar : {standard, database, windows})
        m_window.addToolBar(Qt::TopToolBarArea, bar);
    m_window.addToolBarBreak(Qt::TopToolBarArea);
    m_window.addToolBar(Qt::TopToolBarArea, tips);
}

QToolBar *ToolbarRows::makeBar(Bar index, const char *name, const QString &caption, QMenu *contextMenu)
{
    auto *bar = new QToolBar(caption, &m_window);
    m_bars[index] = bar;
    bar->setObjectName(QLatin1String(name));
    bar->setAllowedAreas(Qt::TopToolBarArea);
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setIconSize(QSize(16, 16));
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this,
            [bar, contextMenu](const QPoint &pos) { contextMenu->popup(bar->mapToGlobal(pos)); });
    // Moves and releases of the mouse tell that it may have been dragged.
    bar->installEventFilter(this);

    // The close button of a floating toolbar: shown only while it floats.
    auto *close = new QAction(QStringLiteral("×"), bar);
    close->setObjectName(QLatin1String(name) + QStringLiteral("Zavrit"));
    close->setToolTip(QStringLiteral("Zavřít"));
    close->setVisible(false);
    connect(close, &QAction::triggered, this, [this, index] { emit closedByUser(index); });
    connect(bar, &QToolBar::topLevelChanged, this, [this, close](bool floating) {
        close->setVisible(floating);
        if (!floating)
            enforce();
    });
    return bar;
}

void ToolbarRows::addButtons(QToolBar *bar, std::initializer_list<std::optional<core::Command>> commands)
{
    for (const std::optional<core::Command> &c : commands) {
        if (c) {
            // A button that is the command's only control has the action's name.
            const core::CommandRow &row = core::commandRow(*c);
            const QString name = QLatin1String(row.toolbarButton ? row.toolbarButton : row.menuItem);
            addButton(bar, m_command(name), name);
        } else {
            bar->addSeparator();
        }
    }
}

void ToolbarRows::addButton(QToolBar *bar, QAction *action, const QString &name)
{
    bar->addAction(action);
    if (QWidget *w = bar->widgetForAction(action)) {
        w->setObjectName(name);
        w->setFixedSize(23, 22);
        // A picture-only button is read out by what it does.
        if (action->text().isEmpty())
            w->setAccessibleName(action->statusTip());
        w->setAccessibleDescription(action->statusTip());
    }
}

bool ToolbarRows::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::Move) && !m_checkPending) {
        m_checkPending = true;
        QTimer::singleShot(0, this, [this] {
            m_checkPending = false;
            enforce();
        });
    }
    return QObject::eventFilter(watched, event);
}

void ToolbarRows::enforce()
{
    // Never while the user still drags a toolbar: the release checks again.
    if (QApplication::mouseButtons() != Qt::NoButton)
        return;
    if (m_window.layout())
        m_window.layout()->activate();

    auto docked = [this](QToolBar *t) {
        return !t->isFloating() && m_window.toolBarArea(t) == Qt::TopToolBarArea;
    };
    const QList<QToolBar *> commandBars = {m_bars[Standardni], m_bars[Databaze], m_bars[Okna]};
    QToolBar *tips = m_bars[TipyDne];
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
    if (docked(tips) && tips->isVisible() && rowY >= 0 && tips->y() <= rowY)
        wrong = true;
    if (!wrong)
        return;

    // Lay the docked toolbars out again: the command toolbars in order in the
    // first row, the tips toolbar alone in the second. Taking a toolbar out
    // hides it; each gets back the visibility its view toggle gave it.
    QHash<QToolBar *, bool> shown;
    for (QToolBar *t : m_bars) {
        if (!docked(t))
            continue;
        shown.insert(t, !t->isHidden());
        m_window.removeToolBar(t);
    }
    for (QToolBar *t : commandBars) {
        if (shown.contains(t))
            m_window.addToolBar(Qt::TopToolBarArea, t);
    }
    if (shown.contains(tips)) {
        m_window.addToolBarBreak(Qt::TopToolBarArea);
        m_window.addToolBar(Qt::TopToolBarArea, tips);
    }
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        it.key()->setVisible(it.value());
}

} // namespace app
