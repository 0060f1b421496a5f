// The command table of the main window: one action per command, shared by
// its menu item, toolbar button and side-bar button; the main menu, the
// side bar and the two context menus built from it.

#include "HlavniDialog.h"

#include "CommandIcons.h"

#include "platform/Sounds.h"
#include "widgets/SideBar.h"
#include "widgets/Fonts.h"

#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <vector>

namespace app {

namespace {

const char F1Hint[] = "Stiskněte klávesu F1 pro nápovědu";

struct CommandRow
{
    const char *name;
    const char *caption;
    QKeySequence shortcut;
    int icon; // -1: no picture
    const char *hint;
    bool enabled;
};

// Every command of the main window; the toolbar and side-bar controls below
// refer to these by name.
const std::vector<CommandRow> &commandRows()
{
    static const std::vector<CommandRow> rows = {
        {"MS1", "&Volitelná databáze...", QKeySequence(Qt::CTRL | Qt::Key_N), 0,
         "Zobrazí dialog pro práci s volitelnými databázemi", true},
        {"MS2", "&Otevřít databázi...", QKeySequence(Qt::CTRL | Qt::Key_O), 1,
         "Zobrazí dialog pro otevření databáze", true},
        {"MS3", "&Zavřít", QKeySequence(Qt::CTRL | Qt::Key_F4), -1, "Uzavře aktivní okno s databází", false},
        {"MS4", "Ná&hled...", QKeySequence(), 2, "Zobrazí náhled tiskových sestav", false},
        {"MS9", "N&astavení tiskárny...", QKeySequence(), 3, "Zobrazí dialog s vlastnostmi tiskárny", true},
        {"MS5", "&Tisk...", QKeySequence(Qt::CTRL | Qt::Key_P), 4,
         "Zobrazí dialog pro výběr tisku jednotlivých sestav", false},
        {"MS8", "&Konec", QKeySequence(), 26, "Ukončí program", true},
        {"MU1", "&Vyjmout", QKeySequence(Qt::CTRL | Qt::Key_X), 5, "Vyjme označený text a uloží ho do schránky", false},
        {"MU2", "&Kopírovat", QKeySequence(Qt::CTRL | Qt::Key_C), 6, "Zkopíruje označený text do schránky", false},
        {"MU3", "V&ložit", QKeySequence(Qt::CTRL | Qt::Key_V), 7, "Vloží text ze schránky na místo kurzoru", false},
        {"MU4", "Odstranit zázna&m", QKeySequence(Qt::CTRL | Qt::Key_Delete), 8,
         "Zruší aktuální záznam ve vybrané databázi", false},
        {"MU5", "&Editovat záznam", QKeySequence(Qt::CTRL | Qt::Key_Insert), 9,
         "Umožní editaci aktuálního záznamu ve vybrané databázi", false},
        {"MU6", "&Uložit záznam", QKeySequence(Qt::Key_Return), 10,
         "Uloží změny aktuálního záznamu ve vybrané databázi", false},
        {"MU9", "Zpět", QKeySequence(), 25, "Vrátí změny aktuálního záznamu ve vybrané databázi", false},
        {"MU7", "&Najít...", QKeySequence(Qt::CTRL | Qt::Key_F), 11, "Vyhledá záznam ve vybrané databázi", false},
        {"PNa1", "&První", QKeySequence(Qt::Key_F5), 12, "Zobrazí první záznam vybrané databáze", false},
        {"Pna2", "Př&edchozí", QKeySequence(Qt::Key_F6), 13, "Zobrazí předchozí záznam vybrané databáze", false},
        {"PNa3", "&Další", QKeySequence(Qt::Key_F7), 14, "Zobrazí následující záznam vybrané databáze", false},
        {"PNa4", "Po&slední", QKeySequence(Qt::Key_F8), 15, "Zobrazí poslední záznam vybrané databáze", false},
        {"PNa5", "&Nový záznam", QKeySequence(Qt::Key_Insert), 16, "Vytvoří nový záznam ve vybrané databázi", false},
        {"MN1", "&Vymazat Standardní databázi", QKeySequence(), -1, "Zruší veškerá data ve Standardní databázi", true},
        {"MN5", "&Obnovit nastavení v *.INI souboru", QKeySequence(), -1, "Obnoví hodnoty v *.INI souboru", true},
        {"MN4", "Zobrazit &Tipy dne...", QKeySequence(), 18, "Zobrazí uvítací dialogové okno", true},
        {"MO1", "Dlaždice vodorovně", QKeySequence(), 19, "Uspořádá okna vodorovně vedle sebe", false},
        {"MO2", "Dlaždice svisle", QKeySequence(), 20, "Uspořádá okna svisle nad sebou", false},
        {"MO3", "Kaskáda", QKeySequence(), 21, "Uspořádá okna přes sebe do kaskády", false},
        {"MO4", "Minimalizovat vše", QKeySequence(), 22, "Minimalizuje všechna otevřená okna", false},
        {"MO5", "Uspořádat ikony", QKeySequence(), -1, "Uspořádá ikony minimalizovaných oken", false},
        {"Napoveda1", "Nápo&věda pro Ordex 2000", QKeySequence(Qt::Key_F1), 23, "Zobrazí nápovědu", true},
        {"EM", "&Elektronický manuál", QKeySequence(), 24, "Spustí elektronický manuál programu Ordex 2000", true},
        {"Oprogramu", "&O programu Ordex 2000...", QKeySequence(), -1, "Zobrazí dialog s informacemi o programu", true},
        // Toolbar-only commands: the tips and the help button with its own hint.
        {"TT1", "", QKeySequence(), 13, "Zobrazí předchozí tip dne", true},
        {"TT2", "", QKeySequence(), 14, "Zobrazí následující tip dne", true},
        {"ToolbarButton9722", "", QKeySequence(), 23, "Zobrazí nápovědu k aktuální operaci", true},
    };
    return rows;
}

struct Genre
{
    const char *name;
    const char *caption;
    const char *hint; // empty: the item has none
};

// The genre menu, alphabetical by caption.
const Genre genres[] = {
    {"DR1", "Atlas", "Vybere atlasy"},
    {"DR2", "Cestopis", "Vybere cestopisy"},
    {"DR3", "Červená knihovna", "Vybere červenou knihovnu"},
    {"DR4", "Detektivní kniha", "Vybere detektivní knihy"},
    {"DR5", "Dětská kniha", "Vybere dětské knihy"},
    {"DR6", "Dobrodružná kniha", "Vybere dobrodružné knihy"},
    {"DR23", "Drama", ""},
    {"DR7", "Encyklopedie", "Vybere encyklopedie"},
    {"DR8", "Erotická kniha", "Vybere erotické knihy"},
    {"DR9", "Fantasy", "Vybere fantasy"},
    {"DR10", "Foglarovka", "Vybere Foglarovky"},
    {"DR11", "Historická kniha", "Vybere historické knihy"},
    {"DR12", "Horor", "Vybere horory"},
    {"DR13", "Humorná kniha", "Vybere humorné knihy"},
    {"DR25", "Katastrofická kniha", ""},
    {"DR14", "Naučná kniha", "Vybere naučné knihy"},
    {"DR15", "Pohádková kniha", "Vybere pohádkové knihy"},
    {"DR16", "Přírodopisná kniha", "Vybere přírodopisné knihy"},
    {"DR17", "Sci-Fi", "Vybere sci-fi"},
    {"DR18", "Slovník", "Vybere slovníky"},
    {"DR19", "Svázané časopisy", "Vybere svázané časopisy"},
    {"DR20", "Učebnice", "Vybere učebnice"},
    {"DR21", "Válečná kniha", "Vybere válečné knihy"},
    {"DR24", "Western", ""},
    {"DR22", "Životopis", "Vybere životopisy"},
};

// Toolbar and side-bar controls: their own name and the command they show.
struct ControlRow
{
    const char *name;
    const char *command;
};

const ControlRow toolbarControls[] = {
    {"TS1", "MS1"}, {"TS2", "MS2"}, {"TS3", "MS4"}, {"TS4", "MS9"}, {"TS5", "MS5"},
    {"TS6", "MU1"}, {"TS7", "MU2"}, {"TS8", "MU3"},
    {"TD1", "PNa1"}, {"TD2", "Pna2"}, {"TD3", "PNa3"}, {"TD4", "PNa4"}, {"TD5", "PNa5"},
    {"TD6", "MU4"}, {"TD7", "MU5"}, {"TD8", "MU6"}, {"TD10", "MU9"}, {"TD9", "MU7"},
    {"TO1", "MO1"}, {"TO2", "MO2"}, {"TO3", "MO3"}, {"TO4", "MO4"},
    {"EM1", "EM"},
    {"OS1", "MS1"}, {"OS2", "MS2"}, {"OS3", "MS4"}, {"OS4", "MS5"}, {"LookOutButton1", "MS8"},
    {"UD1", "PNa1"}, {"UD2", "Pna2"}, {"UD3", "PNa3"}, {"UD4", "PNa4"}, {"UD5", "PNa5"},
    {"UD6", "MU4"}, {"UD7", "MU5"}, {"UD8", "MU6"}, {"UD10", "MU9"}, {"UD9", "MU7"},
    {"OO1", "MO1"}, {"OO2", "MO2"}, {"OO3", "MO3"}, {"OO4", "MO4"},
};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

QAction *HlavniDialog::addCommand(const char *name, const QString &caption,
                                  const QKeySequence &shortcut, int icon, const QString &hint,
                                  bool enabled)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    if (icon >= 0)
        a->setIcon(commandIcon(icon));
    a->setStatusTip(hint);
    a->setToolTip(hint);
    a->setEnabled(enabled);
    m_commands.insert(a->objectName(), a);
    return a;
}

void HlavniDialog::createCommands()
{
    for (const CommandRow &row : commandRows()) {
        addCommand(row.name, text(row.caption), row.shortcut, row.icon, text(row.hint), row.enabled);
    }
    // Both Enter keys save; the menu shows the first, "Enter".
    command("MU6")->setShortcuts({QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return)});
    for (const ControlRow &c : toolbarControls)
        m_commands.insert(QLatin1String(c.name), m_commands.value(QLatin1String(c.command)));

    connect(command("MS8"), &QAction::triggered, this, &QWidget::close);
    connect(command("MS3"), &QAction::triggered, this, &HlavniDialog::MS3Click);
    connect(command("MS9"), &QAction::triggered, this, &HlavniDialog::MS9Click);
    connect(command("MS4"), &QAction::triggered, this, [this] { reportCommand(true); });
    connect(command("MS5"), &QAction::triggered, this, [this] { reportCommand(false); });
    connect(command("MU1"), &QAction::triggered, this, [this] { clipboardCommand(0); });
    connect(command("MU2"), &QAction::triggered, this, [this] { clipboardCommand(1); });
    connect(command("MU3"), &QAction::triggered, this, [this] { clipboardCommand(2); });
    for (const char *name : {"PNa1", "Pna2", "PNa3", "PNa4", "PNa5", "MU4", "MU5", "MU6", "MU9", "MU7"}) {
        const QString n = QLatin1String(name);
        connect(command(n), &QAction::triggered, this, [this, n] { routeRecordCommand(n); });
    }
    // The help button is the help command with a hint of its own.
    connect(command("ToolbarButton9722"), &QAction::triggered, command("Napoveda1"), &QAction::trigger);

    // The window entries of the Okno menu, captioned and shown by the
    // catalogue windows themselves.
    for (int slot = 1; slot <= 4; ++slot) {
        const QByteArray name = windowEntryName(slot).toLatin1();
        QAction *entry = addCommand(name.constData(), QString(), QKeySequence(), -1, text(F1Hint), true);
        entry->setVisible(false);
        entry->setCheckable(false); // checkable while its window is the active one
        connect(entry, &QAction::triggered, this, [this, slot] { showCatalogueOfSlot(slot); });
    }
}

void HlavniDialog::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto topMenu = [&](const char *name, const char *caption, const char *hint) {
        QMenu *m = bar->addMenu(text(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        m->menuAction()->setStatusTip(text(hint));
        return m;
    };
    auto subMenu = [&](QMenu *parent, const char *name, const char *caption) {
        QMenu *m = parent->addMenu(text(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        m->menuAction()->setStatusTip(text(F1Hint));
        m_commands.insert(QLatin1String(name), m->menuAction());
        return m;
    };
    auto add = [&](QMenu *m, std::initializer_list<const char *> names) {
        for (const char *n : names) {
            if (!*n)
                m->addSeparator();
            else
                m->addAction(command(QLatin1String(n)));
        }
    };

    QMenu *soubor = topMenu("Soubor", "&Soubor", "Obsahuje příkazy pro práci s vybranými databázemi");
    add(soubor, {"MS1", "MS2", "MS3", "", "MS4", "MS9", "MS5", "", "MS8"});
    connect(soubor, &QMenu::aboutToShow, this, &HlavniDialog::SouborClick);

    QMenu *upravy = topMenu("Upravy", "Úpr&avy", "Obsahuje příkazy pro vytváření a úpravu položek databáze");
    add(upravy, {"MU1", "MU2", "MU3", "", "MU4", "MU5", "MU6", "MU9", "", "MU7"});
    QMenu *goTo = subMenu(upravy, "MU8", "Přejít n&a");
    add(goTo, {"PNa1", "Pna2", "PNa3", "PNa4", "PNa5"});
    setActionEnabled(goTo->menuAction(), false);

    QMenu *zobrazit = topMenu("Zobrazit", "&Zobrazit", "Obsahuje příkazy pro změnu zobrazení");
    QMenu *panels = subMenu(zobrazit, "MZ1", "Panely &nástrojů          ");
    const struct { const char *name; const char *caption; const char *hint; } toggles[] = {
        {"PN1", "Standardní", "Zobrazí nebo skryje panel Standardní"},
        {"PN2", "Databáze", "Zobraz nebo skryje panel Databáze"},
        {"PN3", "Okna", "Zobrazí nebo skryje panel Okna"},
        {"PN4", "Tipy dne", "Zobrazí nebo skryje panel Tipy dne"},
        {"MZ2", "Stavový řáde&k", "Zobrazí nebo skryje stavový řádek"},
        {"MZ3", "Panel &Outlook", "Zobrazí nebo skryje panel Outlook"},
    };
    for (int i = 0; i < 6; ++i) {
        QAction *a = addCommand(toggles[i].name, text(toggles[i].caption), QKeySequence(), -1,
                                text(toggles[i].hint), true);
        a->setCheckable(true);
        a->setChecked(true);
        m_toggles[i].menuItem = a;
        connect(a, &QAction::triggered, this, [this, i] { toggleView(i); });
        if (i == 3)
            panels->addSeparator();
        (i < 4 ? panels : zobrazit)->addAction(a);
    }

    QMenu *nastroje = topMenu("Nastroje", "&Nástroje",
                              "Obsahuje příkazy pro práci se Standardní databází a s programem Ordex");
    add(nastroje, {"MN1", "MN5", ""});
    QMenu *genreMenu = subMenu(nastroje, "MN7", "Výběr &druhu knihy pro tiskové sestavy");
    m_genres = new QActionGroup(this);
    m_genres->setExclusive(true);
    QAction *all = addCommand("D0", QStringLiteral("Všechny druhy"), QKeySequence(), -1,
                              QStringLiteral("Vybere všechny druhy knih"), true);
    all->setCheckable(true);
    all->setChecked(true);
    all->setData(QString());
    m_genres->addAction(all);
    genreMenu->addAction(all);
    genreMenu->addSeparator();
    for (const Genre &g : genres) {
        QAction *a = addCommand(g.name, text(g.caption), QKeySequence(), -1, text(g.hint), true);
        a->setCheckable(true);
        a->setData(text(g.caption));
        m_genres->addAction(a);
        genreMenu->addAction(a);
    }
    connect(m_genres, &QActionGroup::triggered, this,
            [this](QAction *a) { m_genreChoice.setGenre(a->data().toString()); });
    QAction *beforeTips = nastroje->addSeparator();
    beforeTips->setStatusTip(text(F1Hint));
    add(nastroje, {"MN4"});
    connect(nastroje, &QMenu::aboutToShow, this, &HlavniDialog::NastrojeClick);

    QMenu *okno = topMenu("Okno", "&Okno", "Obsahuje příkazy pro práci s otevřenými okny");
    add(okno, {"MO1", "MO2", "MO3", "", "MO4", "MO5"});
    QAction *n10 = okno->addSeparator();
    n10->setObjectName(QStringLiteral("N10"));
    n10->setVisible(false);
    m_commands.insert(QStringLiteral("N10"), n10);
    add(okno, {"o11", "o21", "o31", "o41"});
    connect(okno, &QMenu::aboutToShow, this, &HlavniDialog::OknoClick);

    QMenu *napoveda = topMenu("Napoveda", "Nápo&věda", "Obsahuje příkazy pro získání nápovědy");
    add(napoveda, {"Napoveda1", "EM", "", "Oprogramu"});

    for (QMenu *m : bar->findChildren<QMenu *>())
        connect(m, &QMenu::aboutToShow, this, &HlavniDialog::scheduleRefresh);
}

void HlavniDialog::createSideBar()
{
    m_sideBar = new widgets::SideBar(this);
    m_sideBar->setObjectName(QStringLiteral("LookOut1"));
    m_sideBar->setFixedWidth(126);
    const struct Page
    {
        const char *name;
        const char *caption;
        const char *hint;
        std::initializer_list<std::pair<const char *, const char *>> buttons;
    } pages[] = {
        {"LookOutPage1", "Soubor", "Obsahuje příkazy pro práci s vybranými databázemi",
         {{"OS1", "Volitelná databáze ..."}, {"OS2", "Otevřít databázi ..."}, {"OS3", "Náhled ..."},
          {"OS4", "Tisk ..."}, {"LookOutButton1", "Konec programu"}}},
        {"LookOutPage2", "Úpravy", "Obsahuje příkazy pro vytváření a úpravu položek databáze",
         {{"UD1", "První záznam"}, {"UD2", "Předchozí záznam"}, {"UD3", "Další záznam"},
          {"UD4", "Poslední záznam"}, {"UD5", "Nový záznam"}, {"UD6", "Odstranit záznam"},
          {"UD7", "Editovat záznam"}, {"UD8", "Uložit záznam"}, {"UD10", "Zpět"}, {"UD9", "Najít ..."}}},
        {"LookOutPage3", "Okna", "Obsahuje příkazy pro práci s otevřenými okny",
         {{"OO1", "Dlaždice vodorovně"}, {"OO2", "Dlaždice svisle"}, {"OO3", "Kaskáda"},
          {"OO4", "Minimalizovat vše"}}},
    };
    for (const Page &page : pages) {
        const int index = m_sideBar->addPage(QLatin1String(page.name), text(page.caption), text(page.hint));
        for (const auto &[name, caption] : page.buttons)
            m_sideBar->addButton(index, command(QLatin1String(name)), QLatin1String(name), text(caption));
    }
    connect(m_sideBar, &widgets::SideBar::pageChosen, this,
            [this](int) { m_sounds.play(QStringLiteral("Lista.wav")); });
    m_sideBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_sideBar, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup1->popup(m_sideBar->mapToGlobal(pos)); });
    m_toggles[5].target = m_sideBar;
}

void HlavniDialog::createContextMenus()
{
    m_popup1 = new QMenu(this);
    m_popup1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu *panels = m_popup1->addMenu(QStringLiteral("Panely &nástrojů          "));
    panels->setObjectName(QStringLiteral("Panelynstroj1"));
    panels->menuAction()->setObjectName(QStringLiteral("Panelynstroj1"));
    const struct { const char *name; const char *caption; } twins[] = {
        {"P1M1", "Standardní"}, {"P1M2", "Databáze"},      {"P1M3", "Okna"},
        {"P1M4", "Tipy dne"},   {"P1M5", "Stavový řádek"}, {"P1M6", "Panel Outlook"},
    };
    for (int i = 0; i < 6; ++i) {
        QAction *a = addCommand(twins[i].name, text(twins[i].caption), QKeySequence(), -1,
                                m_toggles[i].menuItem->statusTip(), true);
        a->setCheckable(true);
        a->setChecked(true);
        m_toggles[i].twin = a;
        connect(a, &QAction::triggered, this, [this, i] { toggleView(i); });
        if (i == 3)
            panels->addSeparator();
        (i < 4 ? panels : m_popup1)->addAction(a);
    }

    m_popup2 = new QMenu(this);
    m_popup2->setObjectName(QStringLiteral("PopupMenu2"));
    QAction *optional = addCommand("Volitelndatabze1", QStringLiteral("Volitelná databáze"),
                                   QKeySequence(Qt::CTRL | Qt::Key_N), 0, command("MS1")->statusTip(), true);
    QAction *open = addCommand("Otevtdatabzi1", QStringLiteral("Otevřít databázi"),
                               QKeySequence(Qt::CTRL | Qt::Key_O), 1, command("MS2")->statusTip(), true);
    // The menu's Ctrl+N and Ctrl+O already belong to MS1 and MS2; the twins
    // only show the keys.
    optional->setShortcutContext(Qt::WidgetShortcut);
    open->setShortcutContext(Qt::WidgetShortcut);
    connect(optional, &QAction::triggered, command("MS1"), &QAction::trigger);
    connect(open, &QAction::triggered, command("MS2"), &QAction::trigger);
    m_popup2->addAction(optional);
    m_popup2->addAction(open);

    for (QMenu *m : {m_popup1, m_popup2})
        connect(m, &QMenu::aboutToShow, this, &HlavniDialog::scheduleRefresh);
}

QString HlavniDialog::tickedGenre() const
{
    return m_genreChoice.genre();
}

QString HlavniDialog::tickedGenreCaption() const
{
    return m_genreChoice.caption();
}

} // namespace app
