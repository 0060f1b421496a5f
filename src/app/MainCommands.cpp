// The main window's commands put to work: what each does, and the main
// menu, the side bar and the two context menus built from the command
// table (CommandTable).

#include "HlavniDialog.h"

#include "CommandIcons.h"
#include "CommandTable.h"

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

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

QAction *HlavniDialog::addCommand(const char *name, const QString &caption,
                                  const QKeySequence &shortcut, int icon, const QString &hint)
{
    return m_commands->addAction(QLatin1String(name), caption, shortcut, icon, hint);
}

void HlavniDialog::createCommands()
{
    using catalogue::Command;
    m_commands = new CommandTable(this);
    auto on = [this](Command c, auto slot) { connect(m_commands->action(c), &QAction::triggered, this, slot); };
    on(Command::Exit, &QWidget::close);
    on(Command::CloseWindow, &HlavniDialog::MS3Click);
    on(Command::PrinterSetup, &HlavniDialog::MS9Click);
    on(Command::Preview, [this] { reportCommand(true); });
    on(Command::Print, [this] { reportCommand(false); });
    for (Command c : {Command::Cut, Command::Copy, Command::Paste, Command::First, Command::Prior, Command::Next,
                      Command::Last, Command::NewRecord, Command::DeleteRecord, Command::EditRecord,
                      Command::SaveRecord, Command::UndoRecord, Command::Find})
        on(c, [this, c] { routeRecordCommand(c); });
    // The help button is the help command with a hint of its own.
    connect(m_commands->action(Command::HelpButton), &QAction::triggered, m_commands->action(Command::Help),
            &QAction::trigger);

    // The window entries of the Okno menu, captioned and shown by the
    // catalogue windows themselves.
    for (int slot = 1; slot <= 4; ++slot) {
        const QByteArray name = windowEntryName(slot).toLatin1();
        QAction *entry = addCommand(name.constData(), QString(), QKeySequence(), -1, text(F1Hint));
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
        m_commands->add(QLatin1String(name), m->menuAction());
        return m;
    };
    auto subMenu = [&](QMenu *parent, const char *name, const char *caption) {
        QMenu *m = parent->addMenu(text(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        m->menuAction()->setStatusTip(text(F1Hint));
        m_commands->add(QLatin1String(name), m->menuAction());
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

    QMenu *upravy = topMenu("Upravy", "Úpr&avy", "Obsahuje příkazy pro vytváření a úpravu položek databáze");
    add(upravy, {"MU1", "MU2", "MU3", "", "MU4", "MU5", "MU6", "MU9", "", "MU7"});
    QMenu *goTo = subMenu(upravy, "MU8", "Přejít n&a");
    add(goTo, {"PNa1", "Pna2", "PNa3", "PNa4", "PNa5"});

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
                                text(toggles[i].hint));
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
                              QStringLiteral("Vybere všechny druhy knih"));
    all->setCheckable(true);
    all->setChecked(true);
    all->setData(QString());
    m_genres->addAction(all);
    genreMenu->addAction(all);
    genreMenu->addSeparator();
    for (const Genre &g : genres) {
        QAction *a = addCommand(g.name, text(g.caption), QKeySequence(), -1, text(g.hint));
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

    QMenu *okno = topMenu("Okno", "&Okno", "Obsahuje příkazy pro práci s otevřenými okny");
    add(okno, {"MO1", "MO2", "MO3", "", "MO4", "MO5"});
    QAction *n10 = okno->addSeparator();
    n10->setObjectName(QStringLiteral("N10"));
    n10->setVisible(false);
    m_commands->add(QStringLiteral("N10"), n10);
    add(okno, {"o11", "o21", "o31", "o41"});

    QMenu *napoveda = topMenu("Napoveda", "Nápo&věda", "Obsahuje příkazy pro získání nápovědy");
    add(napoveda, {"Napoveda1", "EM", "", "Oprogramu"});

    // A menu opens with the states of this moment.
    for (QMenu *m : bar->findChildren<QMenu *>())
        connect(m, &QMenu::aboutToShow, this, &HlavniDialog::refreshForMenu);
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
                                m_toggles[i].menuItem->statusTip());
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
                                   QKeySequence(Qt::CTRL | Qt::Key_N), 0, command("MS1")->statusTip());
    QAction *open = addCommand("Otevtdatabzi1", QStringLiteral("Otevřít databázi"),
                               QKeySequence(Qt::CTRL | Qt::Key_O), 1, command("MS2")->statusTip());
    // The menu's Ctrl+N and Ctrl+O already belong to MS1 and MS2; the twins
    // only show the keys.
    optional->setShortcutContext(Qt::WidgetShortcut);
    open->setShortcutContext(Qt::WidgetShortcut);
    connect(optional, &QAction::triggered, command("MS1"), &QAction::trigger);
    connect(open, &QAction::triggered, command("MS2"), &QAction::trigger);
    m_popup2->addAction(optional);
    m_popup2->addAction(open);

    for (QMenu *m : {m_popup1, m_popup2})
        connect(m, &QMenu::aboutToShow, this, &HlavniDialog::refreshForMenu);
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
