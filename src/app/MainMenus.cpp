#include "MainMenus.h"

#include "CommandTable.h"

#include "platform/Sounds.h"
#include "widgets/SideBar.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <optional>
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

MainMenus::MainMenus(QWidget &window, CommandTable &commands, core::GenreChoice &genre, platform::Sounds &sounds)
    : QObject(&window)
    , m_window(window)
    , m_commands(commands)
    , m_sounds(sounds)
    , m_genreChoice(genre)
{
}

namespace {

using C = core::Command;
// A separator in a list of menu items.
constexpr std::optional<C> Separator;

} // namespace

QMenu *MainMenus::addMenu(QMenuBar *bar, const char *name, const char *caption, const char *hint)
{
    return named(bar->addMenu(text(caption)), name, hint);
}

QMenu *MainMenus::addMenu(QMenuBar *bar, core::Command command)
{
    const core::CommandRow &row = core::commandRow(command);
    return addMenu(bar, row.menuItem, row.caption, row.hint);
}

QMenu *MainMenus::addSubMenu(QMenu *parent, const char *name, const char *caption)
{
    return named(parent->addMenu(text(caption)), name, F1Hint);
}

QMenu *MainMenus::named(QMenu *m, const char *name, const char *hint)
{
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    m->menuAction()->setStatusTip(text(hint));
    m_commands.add(QLatin1String(name), m->menuAction());
    return m;
}

QMenu *MainMenus::addSubMenu(QMenu *parent, core::Command command)
{
    const core::CommandRow &row = core::commandRow(command);
    return addSubMenu(parent, row.menuItem, row.caption);
}

void MainMenus::addItems(QMenu *menu, std::initializer_list<std::optional<core::Command>> commands)
{
    for (const std::optional<C> &c : commands) {
        if (c)
            menu->addAction(m_commands.action(*c));
        else
            menu->addSeparator();
    }
}

void MainMenus::createMainMenu(QMenuBar *bar)
{
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *soubor = addMenu(bar, C::FileMenu);
    addItems(soubor, {C::OptionalCatalogues, C::OpenCatalogue, C::CloseWindow, Separator, C::Preview,
                      C::PrinterSetup, C::Print, Separator, C::Exit});

    QMenu *upravy = addMenu(bar, C::EditMenu);
    addItems(upravy, {C::Cut, C::Copy, C::Paste, Separator, C::DeleteRecord, C::EditRecord, C::SaveRecord,
                      C::UndoRecord, Separator, C::Find});
    addItems(addSubMenu(upravy, C::GoTo), {C::First, C::Prior, C::Next, C::Last, C::NewRecord});

    QMenu *zobrazit = addMenu(bar, "Zobrazit", "&Zobrazit", "Obsahuje příkazy pro změnu zobrazení");
    QMenu *panels = addSubMenu(zobrazit, "MZ1", "Panely &nástrojů          ");
    addItems(panels, {C::ViewStandard, C::ViewDatabase, C::ViewWindows, Separator, C::ViewTips});
    addItems(zobrazit, {C::ViewStatusBar, C::ViewSideBar});

    QMenu *nastroje = addMenu(bar, "Nastroje", "&Nástroje",
                              "Obsahuje příkazy pro práci se Standardní databází a s programem Ordex");
    addItems(nastroje, {C::ClearStandard, C::RestoreSettings, Separator});
    createGenreMenu(addSubMenu(nastroje, C::GenreMenu));
    QAction *beforeTips = nastroje->addSeparator();
    beforeTips->setStatusTip(text(F1Hint));
    addItems(nastroje, {C::ShowTips});

    QMenu *okno = addMenu(bar, "Okno", "&Okno", "Obsahuje příkazy pro práci s otevřenými okny");
    addItems(okno, {C::TileSideBySide, C::TileStacked, C::Cascade, Separator, C::MinimiseAll, C::ArrangeIcons,
                    C::WindowList, C::WindowEntry1, C::WindowEntry2, C::WindowEntry3, C::WindowEntry4});

    QMenu *napoveda = addMenu(bar, "Napoveda", "Nápo&věda", "Obsahuje příkazy pro získání nápovědy");
    addItems(napoveda, {C::Help, C::Manual, Separator, C::About});

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
        std::initializer_list<C> buttons;
    } pages[] = {
        {core::commandRow(C::FileMenu).sideBarButton, core::commandRow(C::FileMenu).sideBarCaption,
         core::commandRow(C::FileMenu).hint,
         {C::OptionalCatalogues, C::OpenCatalogue, C::Preview, C::Print, C::Exit}},
        {core::commandRow(C::EditMenu).sideBarButton, core::commandRow(C::EditMenu).sideBarCaption,
         core::commandRow(C::EditMenu).hint,
         {C::First, C::Prior, C::Next, C::Last, C::NewRecord, C::DeleteRecord, C::EditRecord, C::SaveRecord,
          C::UndoRecord, C::Find}},
        {"LookOutPage3", "Okna", "Obsahuje příkazy pro práci s otevřenými okny",
         {C::TileSideBySide, C::TileStacked, C::Cascade, C::MinimiseAll}},
    };
    for (const Page &page : pages) {
        const int index = sideBar->addPage(QLatin1String(page.name), text(page.caption), text(page.hint));
        for (C c : page.buttons)
            sideBar->addButton(index, m_commands.action(c), QLatin1String(core::commandRow(c).sideBarButton),
                               core::sideBarCaption(c));
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
    auto addTwins = [this](QMenu *menu, std::initializer_list<std::optional<C>> commands) {
        for (const std::optional<C> &c : commands) {
            if (c)
                menu->addAction(m_commands.twin(*c));
            else
                menu->addSeparator();
        }
    };
    addTwins(panels, {C::ViewStandard, C::ViewDatabase, C::ViewWindows, Separator, C::ViewTips});
    addTwins(m_popup1, {C::ViewStatusBar, C::ViewSideBar});

    m_popup2 = new QMenu(&m_window);
    m_popup2->setObjectName(QStringLiteral("PopupMenu2"));
    addTwins(m_popup2, {C::OptionalCatalogues, C::OpenCatalogue});

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
