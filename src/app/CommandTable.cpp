#include "CommandTable.h"

#include "CommandIcons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace app {

namespace {

using catalogue::Command;

struct CommandRow
{
    Command command;
    const char *caption;
    QKeySequence shortcut;
    int icon; // -1: no picture
    const char *hint;
};

// The commands with an action of their own, in menu order; their object
// names come from the control list (catalogue/Commands.cpp).
const std::vector<CommandRow> &commandRows()
{
    using C = Command;
    static const std::vector<CommandRow> rows = {
        {C::OptionalCatalogues, "&Volitelná databáze...", QKeySequence(Qt::CTRL | Qt::Key_N), 0,
         "Zobrazí dialog pro práci s volitelnými databázemi"},
        {C::OpenCatalogue, "&Otevřít databázi...", QKeySequence(Qt::CTRL | Qt::Key_O), 1,
         "Zobrazí dialog pro otevření databáze"},
        {C::CloseWindow, "&Zavřít", QKeySequence(Qt::CTRL | Qt::Key_F4), -1, "Uzavře aktivní okno s databází"},
        {C::Preview, "Ná&hled...", QKeySequence(), 2, "Zobrazí náhled tiskových sestav"},
        {C::PrinterSetup, "N&astavení tiskárny...", QKeySequence(), 3, "Zobrazí dialog s vlastnostmi tiskárny"},
        {C::Print, "&Tisk...", QKeySequence(Qt::CTRL | Qt::Key_P), 4,
         "Zobrazí dialog pro výběr tisku jednotlivých sestav"},
        {C::Exit, "&Konec", QKeySequence(), 26, "Ukončí program"},
        {C::Cut, "&Vyjmout", QKeySequence(Qt::CTRL | Qt::Key_X), 5, "Vyjme označený text a uloží ho do schránky"},
        {C::Copy, "&Kopírovat", QKeySequence(Qt::CTRL | Qt::Key_C), 6, "Zkopíruje označený text do schránky"},
        {C::Paste, "V&ložit", QKeySequence(Qt::CTRL | Qt::Key_V), 7, "Vloží text ze schránky na místo kurzoru"},
        {C::DeleteRecord, "Odstranit zázna&m", QKeySequence(Qt::CTRL | Qt::Key_Delete), 8,
         "Zruší aktuální záznam ve vybrané databázi"},
        {C::EditRecord, "&Editovat záznam", QKeySequence(Qt::CTRL | Qt::Key_Insert), 9,
         "Umožní editaci aktuálního záznamu ve vybrané databázi"},
        {C::SaveRecord, "&Uložit záznam", QKeySequence(Qt::Key_Return), 10,
         "Uloží změny aktuálního záznamu ve vybrané databázi"},
        {C::UndoRecord, "Zpět", QKeySequence(), 25, "Vrátí změny aktuálního záznamu ve vybrané databázi"},
        {C::Find, "&Najít...", QKeySequence(Qt::CTRL | Qt::Key_F), 11, "Vyhledá záznam ve vybrané databázi"},
        {C::First, "&První", QKeySequence(Qt::Key_F5), 12, "Zobrazí první záznam vybrané databáze"},
        {C::Prior, "Př&edchozí", QKeySequence(Qt::Key_F6), 13, "Zobrazí předchozí záznam vybrané databáze"},
        {C::Next, "&Další", QKeySequence(Qt::Key_F7), 14, "Zobrazí následující záznam vybrané databáze"},
        {C::Last, "Po&slední", QKeySequence(Qt::Key_F8), 15, "Zobrazí poslední záznam vybrané databáze"},
        {C::NewRecord, "&Nový záznam", QKeySequence(Qt::Key_Insert), 16, "Vytvoří nový záznam ve vybrané databázi"},
        {C::ClearStandard, "&Vymazat Standardní databázi", QKeySequence(), -1,
         "Zruší veškerá data ve Standardní databázi"},
        {C::RestoreSettings, "&Obnovit nastavení v *.INI souboru", QKeySequence(), -1,
         "Obnoví hodnoty v *.INI souboru"},
        {C::ShowTips, "Zobrazit &Tipy dne...", QKeySequence(), 18, "Zobrazí uvítací dialogové okno"},
        {C::TileSideBySide, "Dlaždice vodorovně", QKeySequence(), 19, "Uspořádá okna vodorovně vedle sebe"},
        {C::TileStacked, "Dlaždice svisle", QKeySequence(), 20, "Uspořádá okna svisle nad sebou"},
        {C::Cascade, "Kaskáda", QKeySequence(), 21, "Uspořádá okna přes sebe do kaskády"},
        {C::MinimiseAll, "Minimalizovat vše", QKeySequence(), 22, "Minimalizuje všechna otevřená okna"},
        {C::ArrangeIcons, "Uspořádat ikony", QKeySequence(), -1, "Uspořádá ikony minimalizovaných oken"},
        {C::Help, "Nápo&věda pro Ordex 2000", QKeySequence(Qt::Key_F1), 23, "Zobrazí nápovědu"},
        {C::Manual, "&Elektronický manuál", QKeySequence(), 24, "Spustí elektronický manuál programu Ordex 2000"},
        {C::About, "&O programu Ordex 2000...", QKeySequence(), -1, "Zobrazí dialog s informacemi o programu"},
        // Toolbar-only commands: the tips and the help button with its own hint.
        {C::PreviousTip, "", QKeySequence(), 13, "Zobrazí předchozí tip dne"},
        {C::NextTip, "", QKeySequence(), 14, "Zobrazí následující tip dne"},
        {C::HelpButton, "", QKeySequence(), 23, "Zobrazí nápovědu k aktuální operaci"},
    };
    return rows;
}

} // namespace

CommandTable::CommandTable(QObject *parent)
    : QObject(parent)
{
    for (const CommandRow &row : commandRows()) {
        const catalogue::CommandNames &names = catalogue::commandNames(row.command);
        QAction *a = addAction(QLatin1String(names.menuItem), QString::fromUtf8(row.caption), row.shortcut,
                               row.icon, QString::fromUtf8(row.hint));
        // Its toolbar and side-bar buttons show the same action.
        for (const char *control : {names.toolbarButton, names.sideBarButton}) {
            if (control)
                m_byName.insert(QLatin1String(control), a);
        }
    }
    // Both Enter keys save; the menu shows the first, "Enter".
    action(Command::SaveRecord)->setShortcuts({QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)});
}

QAction *CommandTable::action(catalogue::Command command) const
{
    return m_actions[int(command)];
}

QAction *CommandTable::command(const QString &objectName) const
{
    return m_byName.value(objectName);
}

QAction *CommandTable::addAction(const QString &objectName, const QString &caption,
                                 const QKeySequence &shortcut, int icon, const QString &hint)
{
    auto *a = new QAction(caption, parent());
    a->setObjectName(objectName);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    if (icon >= 0)
        a->setIcon(commandIcon(icon));
    a->setStatusTip(hint);
    a->setToolTip(hint);
    add(objectName, a);
    return a;
}

void CommandTable::add(const QString &objectName, QAction *action)
{
    m_byName.insert(objectName, action);
    const std::optional<Command> c = catalogue::commandOfControl(objectName);
    if (c && objectName == QLatin1String(catalogue::commandNames(*c).menuItem))
        m_actions[int(*c)] = action;
}

QWidget *CommandTable::groupWidget(QWidget *window, const char *name)
{
    const QString key = QLatin1String(name);
    QPointer<QWidget> &w = m_groupWidgets[key];
    if (!w)
        w = window->findChild<QWidget *>(key);
    return w;
}

void CommandTable::apply(const catalogue::CommandStates &states, QWidget *window)
{
    for (int i = 0; i < catalogue::CommandCount; ++i) {
        const Command c = Command(i);
        const catalogue::CommandState &s = states[i];
        const catalogue::CommandNames &names = catalogue::commandNames(c);
        if (c == Command::FileMenu || c == Command::EditMenu) {
            if (QAction *menu = action(c))
                setActionEnabled(menu, s.enabled);
            for (const char *group : {names.toolbarButton, names.sideBarButton}) {
                if (QWidget *w = groupWidget(window, group))
                    w->setEnabled(s.enabled);
            }
            continue;
        }
        QAction *a = action(c);
        if (!a)
            continue;
        QAction *twin = names.popupTwin ? command(QLatin1String(names.popupTwin)) : nullptr;
        for (QAction *target : {a, twin}) {
            if (!target)
                continue;
            setActionEnabled(target, s.enabled);
            if (catalogue::slotOfWindowEntry(c) > 0)
                target->setCheckable(s.checked); // no empty box beside the other windows
            if (target->isCheckable())
                target->setChecked(s.checked);
        }
        if (c == Command::WindowList)
            a->setVisible(s.shown);
    }
}

void CommandTable::setActionEnabled(QAction *action, bool enabled)
{
    if (QMenu *m = action->menu())
        m->setEnabled(enabled);
    action->setEnabled(enabled);
}

} // namespace app
