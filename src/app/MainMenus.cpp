#include "MainMenus.h"

#include "CommandTable.h"
#include "ViewToggles.h"

#include "platform/Sounds.h"
#include "widgets/SideBar.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <utility>

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

MainMenus::MainMenus(QWidget &window, CommandTable &commands, ViewToggles &toggles, platform::Sounds &sounds)
    : QObject(&window)
    , m_window(window)
    , m_commands(commands)
    , m_toggles(toggles)
    , m_sounds(sounds)
{
}

void MainMenus::createMainMenu(QMenuBar *bar)
{
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto topMenu = [&](const char *name, const char *caption, const char *hint) {
        QMenu *m = bar->addMenu(text(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        m->menuAction()->setStatusTip(text(hint));
        m_commands.add(QLatin1String(name), m->menuAction());
        return m;
    };
    auto subMenu = [&](QMenu *parent, const char *name, const char *caption) {
        QMenu *m = parent->addMenu(text(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        m->menuAction()->setStatusTip(text(F1Hint));
        m_commands.add(QLatin1String(name), m->menuAction());
        return m;
    };
    auto add = [&](QMenu *m, std::initializer_list<const char *> names) {
        for (const char *n : names) {
            if (!*n)
                m->addSeparator();
            else
                m->addAction(m_commands.command(QLatin1String(n)));
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
    for (int i = 0; i < ViewToggles::Count; ++i) {
        if (i == 3)
            panels->addSeparator();
        (i < 4 ? panels : zobrazit)->addAction(m_toggles.menuItem(i));
    }

    QMenu *nastroje = topMenu("Nastroje", "&Nástroje",
                              "Obsahuje příkazy pro práci se Standardní databází a s programem Ordex");
    add(nastroje, {"MN1", "MN5", ""});
    createGenreMenu(subMenu(nastroje, "MN7", "Výběr &druhu knihy pro tiskové sestavy"));
    QAction *beforeTips = nastroje->addSeparator();
    beforeTips->setStatusTip(text(F1Hint));
    add(nastroje, {"MN4"});

    QMenu *okno = topMenu("Okno", "&Okno", "Obsahuje příkazy pro práci s otevřenými okny");
    add(okno, {"MO1", "MO2", "MO3", "", "MO4", "MO5"});
    QAction *n10 = okno->addSeparator();
    n10->setObjectName(QStringLiteral("N10"));
    n10->setVisible(false);
    m_commands.add(QStringLiteral("N10"), n10);
    add(okno, {"o11", "o21", "o31", "o41"});

    QMenu *napoveda = topMenu("Napoveda", "Nápo&věda", "Obsahuje příkazy pro získání nápovědy");
    add(napoveda, {"Napoveda1", "EM", "", "Oprogramu"});

    // A menu opens with the states of this moment.
    for (QMenu *m : bar->findChildren<QMenu *>())
        connect(m, &QMenu::aboutToShow, this, &MainMenus::menuAboutToShow);
}

void MainMenus::createGenreMenu(QMenu *genreMenu)
{
    m_genres = new QActionGroup(this);
    m_genres->setExclusive(true);
    QAction *all = m_commands.addAction(QStringLiteral("D0"), QStringLiteral("Všechny druhy"), QKeySequence(),
                                        -1, QStringLiteral("Vybere všechny druhy knih"));
    all->setCheckable(true);
    all->setChecked(true);
    all->setData(QString());
    m_genres->addAction(all);
    genreMenu->addAction(all);
    genreMenu->addSeparator();
    for (const Genre &g : genres) {
        QAction *a = m_commands.addAction(QLatin1String(g.name), text(g.caption), QKeySequence(), -1,
                                          text(g.hint));
        a->setCheckable(true);
        a->setData(text(g.caption));
        m_genres->addAction(a);
        genreMenu->addAction(a);
    }
    connect(m_genres, &QActionGroup::triggered, this,
            [this](QAction *a) { m_genreChoice.setGenre(a->data().toString()); });
}

widgets::SideBar *MainMenus::createSideBar()
{
    auto *sideBar = new widgets::SideBar(&m_window);
    sideBar->setObjectName(QStringLiteral("LookOut1"));
    sideBar->setFixedWidth(126);
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
        const int index = sideBar->addPage(QLatin1String(page.name), text(page.caption), text(page.hint));
        for (const auto &[name, caption] : page.buttons)
            sideBar->addButton(index, m_commands.command(QLatin1String(name)), QLatin1String(name),
                               text(caption));
    }
    connect(sideBar, &widgets::SideBar::pageChosen, this,
            [this](int) { m_sounds.play(QStringLiteral("Lista.wav")); });
    sideBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sideBar, &QWidget::customContextMenuRequested, this,
            [this, sideBar](const QPoint &pos) { m_popup1->popup(sideBar->mapToGlobal(pos)); });
    return sideBar;
}

void MainMenus::createContextMenus()
{
    m_popup1 = new QMenu(&m_window);
    m_popup1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu *panels = m_popup1->addMenu(QStringLiteral("Panely &nástrojů          "));
    panels->setObjectName(QStringLiteral("Panelynstroj1"));
    panels->menuAction()->setObjectName(QStringLiteral("Panelynstroj1"));
    for (int i = 0; i < ViewToggles::Count; ++i) {
        if (i == 3)
            panels->addSeparator();
        (i < 4 ? panels : m_popup1)->addAction(m_toggles.twin(i));
    }

    m_popup2 = new QMenu(&m_window);
    m_popup2->setObjectName(QStringLiteral("PopupMenu2"));
    QAction *ms1 = m_commands.command(QStringLiteral("MS1"));
    QAction *ms2 = m_commands.command(QStringLiteral("MS2"));
    QAction *optional = m_commands.addAction(QStringLiteral("Volitelndatabze1"), QStringLiteral("Volitelná databáze"),
                                             QKeySequence(Qt::CTRL | Qt::Key_N), 0, ms1->statusTip());
    QAction *open = m_commands.addAction(QStringLiteral("Otevtdatabzi1"), QStringLiteral("Otevřít databázi"),
                                         QKeySequence(Qt::CTRL | Qt::Key_O), 1, ms2->statusTip());
    // The menu's Ctrl+N and Ctrl+O already belong to MS1 and MS2; the twins
    // only show the keys.
    optional->setShortcutContext(Qt::WidgetShortcut);
    open->setShortcutContext(Qt::WidgetShortcut);
    connect(optional, &QAction::triggered, ms1, &QAction::trigger);
    connect(open, &QAction::triggered, ms2, &QAction::trigger);
    m_popup2->addAction(optional);
    m_popup2->addAction(open);

    for (QMenu *m : {m_popup1, m_popup2})
        connect(m, &QMenu::aboutToShow, this, &MainMenus::menuAboutToShow);
}

QString MainMenus::tickedGenre() const
{
    return m_genreChoice.genre();
}

QString MainMenus::tickedGenreCaption() const
{
    return m_genreChoice.caption();
}

} // namespace app
