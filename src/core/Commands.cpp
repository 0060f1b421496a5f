#include "Commands.h"

#include <array>

namespace core {

namespace {

using C = Command;

constexpr QKeyCombination none = Qt::Key_unknown;
constexpr QKeyCombination ctrl(Qt::Key key)
{
    return Qt::CTRL | key;
}

const char F1Hint[] = "Stiskněte klávesu F1 pro nápovědu";

// The one table of the commands, in the order of the enum. Columns: command;
// action, toolbar, side bar, twin, window menu; caption, shortcut, picture,
// hint; and the captions of the side bar, the twin and the window menu where
// they are not the caption without its mnemonic.
constexpr std::array<CommandRow, CommandCount> rows = {{
    {C::OptionalCatalogues, "MS1", "TS1", "OS1", "Volitelndatabze1", nullptr,
     "&Volitelná databáze...", ctrl(Qt::Key_N), 0, "Zobrazí dialog pro práci s volitelnými databázemi",
     "Volitelná databáze ...", "Volitelná databáze"},
    {C::OpenCatalogue, "MS2", "TS2", "OS2", "Otevtdatabzi1", nullptr,
     "&Otevřít databázi...", ctrl(Qt::Key_O), 1, "Zobrazí dialog pro otevření databáze",
     "Otevřít databázi ...", "Otevřít databázi"},
    {C::CloseWindow, "MS3", nullptr, nullptr, nullptr, nullptr,
     "&Zavřít", ctrl(Qt::Key_F4), -1, "Uzavře aktivní okno s databází"},
    {C::Preview, "MS4", "TS3", "OS3", nullptr, "MP0",
     "Ná&hled...", none, 2, "Zobrazí náhled tiskových sestav", "Náhled ..."},
    {C::PrinterSetup, "MS9", "TS4", nullptr, nullptr, nullptr,
     "N&astavení tiskárny...", none, 3, "Zobrazí dialog s vlastnostmi tiskárny"},
    {C::Print, "MS5", "TS5", "OS4", nullptr, "MP01",
     "&Tisk...", ctrl(Qt::Key_P), 4, "Zobrazí dialog pro výběr tisku jednotlivých sestav", "Tisk ..."},
    {C::Exit, "MS8", nullptr, "LookOutButton1", nullptr, nullptr,
     "&Konec", none, 26, "Ukončí program", "Konec programu"},
    {C::Cut, "MU1", "TS6", nullptr, nullptr, "MP1",
     "&Vyjmout", ctrl(Qt::Key_X), 5, "Vyjme označený text a uloží ho do schránky"},
    {C::Copy, "MU2", "TS7", nullptr, nullptr, "MP2",
     "&Kopírovat", ctrl(Qt::Key_C), 6, "Zkopíruje označený text do schránky"},
    {C::Paste, "MU3", "TS8", nullptr, nullptr, "MP3",
     "V&ložit", ctrl(Qt::Key_V), 7, "Vloží text ze schránky na místo kurzoru"},
    {C::DeleteRecord, "MU4", "TD6", "UD6", nullptr, "MP4",
     "Odstranit zázna&m", ctrl(Qt::Key_Delete), 8, "Zruší aktuální záznam ve vybrané databázi"},
    {C::EditRecord, "MU5", "TD7", "UD7", nullptr, "MP5",
     "&Editovat záznam", ctrl(Qt::Key_Insert), 9, "Umožní editaci aktuálního záznamu ve vybrané databázi"},
    // Shown as "Enter"; both Enter keys save.
    {C::SaveRecord, "MU6", "TD8", "UD8", nullptr, "MP6",
     "&Uložit záznam", Qt::Key_Enter, 10, "Uloží změny aktuálního záznamu ve vybrané databázi"},
    {C::UndoRecord, "MU9", "TD10", "UD10", nullptr, "MP13",
     "Zpět", none, 25, "Vrátí změny aktuálního záznamu ve vybrané databázi"},
    {C::Find, "MU7", "TD9", "UD9", nullptr, "MP7",
     "&Najít...", ctrl(Qt::Key_F), 11, "Vyhledá záznam ve vybrané databázi", "Najít ..."},
    {C::GoTo, "MU8", nullptr, nullptr, nullptr, "MP",
     "Přejít n&a", none, -1, F1Hint, nullptr, nullptr, "Přejít na ..."},
    {C::First, "PNa1", "TD1", "UD1", nullptr, "MP8",
     "&První", Qt::Key_F5, 12, "Zobrazí první záznam vybrané databáze", "První záznam"},
    {C::Prior, "Pna2", "TD2", "UD2", nullptr, "MP9",
     "Př&edchozí", Qt::Key_F6, 13, "Zobrazí předchozí záznam vybrané databáze", "Předchozí záznam"},
    {C::Next, "PNa3", "TD3", "UD3", nullptr, "MP10",
     "&Další", Qt::Key_F7, 14, "Zobrazí následující záznam vybrané databáze", "Další záznam"},
    {C::Last, "PNa4", "TD4", "UD4", nullptr, "MP11",
     "Po&slední", Qt::Key_F8, 15, "Zobrazí poslední záznam vybrané databáze", "Poslední záznam"},
    {C::NewRecord, "PNa5", "TD5", "UD5", nullptr, "MP12",
     "&Nový záznam", Qt::Key_Insert, 16, "Vytvoří nový záznam ve vybrané databázi"},
    {C::ClearStandard, "MN1", nullptr, nullptr, nullptr, nullptr,
     "&Vymazat Standardní databázi", none, -1, "Zruší veškerá data ve Standardní databázi"},
    {C::RestoreSettings, "MN5", nullptr, nullptr, nullptr, nullptr,
     "&Obnovit nastavení v *.INI souboru", none, -1, "Obnoví hodnoty v *.INI souboru"},
    {C::GenreMenu, "MN7", nullptr, nullptr, nullptr, nullptr,
     "Výběr &druhu knihy pro tiskové sestavy", none, -1, F1Hint},
    {C::ShowTips, "MN4", nullptr, nullptr, nullptr, nullptr,
     "Zobrazit &Tipy dne...", none, 18, "Zobrazí uvítací dialogové okno"},
    {C::TileSideBySide, "MO1", "TO1", "OO1", nullptr, nullptr,
     "Dlaždice vodorovně", none, 19, "Uspořádá okna vodorovně vedle sebe"},
    {C::TileStacked, "MO2", "TO2", "OO2", nullptr, nullptr,
     "Dlaždice svisle", none, 20, "Uspořádá okna svisle nad sebou"},
    {C::Cascade, "MO3", "TO3", "OO3", nullptr, nullptr,
     "Kaskáda", none, 21, "Uspořádá okna přes sebe do kaskády"},
    {C::MinimiseAll, "MO4", "TO4", "OO4", nullptr, nullptr,
     "Minimalizovat vše", none, 22, "Minimalizuje všechna otevřená okna"},
    {C::ArrangeIcons, "MO5", nullptr, nullptr, nullptr, nullptr,
     "Uspořádat ikony", none, -1, "Uspořádá ikony minimalizovaných oken"},
    {C::WindowList, "N10", nullptr, nullptr, nullptr, nullptr, "", none, -1, ""},
    // Captioned by the windows' names while they are open.
    {C::WindowEntry1, "o11", nullptr, nullptr, nullptr, nullptr, "", none, -1, F1Hint},
    {C::WindowEntry2, "o21", nullptr, nullptr, nullptr, nullptr, "", none, -1, F1Hint},
    {C::WindowEntry3, "o31", nullptr, nullptr, nullptr, nullptr, "", none, -1, F1Hint},
    {C::WindowEntry4, "o41", nullptr, nullptr, nullptr, nullptr, "", none, -1, F1Hint},
    {C::Help, "Napoveda1", nullptr, nullptr, nullptr, nullptr,
     "Nápo&věda pro Ordex 2000", Qt::Key_F1, 23, "Zobrazí nápovědu"},
    {C::Manual, "EM", "EM1", nullptr, nullptr, nullptr,
     "&Elektronický manuál", none, 24, "Spustí elektronický manuál programu Ordex 2000"},
    {C::About, "Oprogramu", nullptr, nullptr, nullptr, nullptr,
     "&O programu Ordex 2000...", none, -1, "Zobrazí dialog s informacemi o programu"},
    {C::PreviousTip, "TT1", nullptr, nullptr, nullptr, nullptr, "", none, 13, "Zobrazí předchozí tip dne"},
    {C::NextTip, "TT2", nullptr, nullptr, nullptr, nullptr, "", none, 14, "Zobrazí následující tip dne"},
    // The help command with a hint of its own.
    {C::HelpButton, "ToolbarButton9722", nullptr, nullptr, nullptr, nullptr,
     "", none, 23, "Zobrazí nápovědu k aktuální operaci"},
    {C::ViewStandard, "PN1", nullptr, nullptr, "P1M1", nullptr,
     "Standardní", none, -1, "Zobrazí nebo skryje panel Standardní"},
    {C::ViewDatabase, "PN2", nullptr, nullptr, "P1M2", nullptr,
     "Databáze", none, -1, "Zobraz nebo skryje panel Databáze"},
    {C::ViewWindows, "PN3", nullptr, nullptr, "P1M3", nullptr,
     "Okna", none, -1, "Zobrazí nebo skryje panel Okna"},
    {C::ViewTips, "PN4", nullptr, nullptr, "P1M4", nullptr,
     "Tipy dne", none, -1, "Zobrazí nebo skryje panel Tipy dne"},
    {C::ViewStatusBar, "MZ2", nullptr, nullptr, "P1M5", nullptr,
     "Stavový řáde&k", none, -1, "Zobrazí nebo skryje stavový řádek"},
    {C::ViewSideBar, "MZ3", nullptr, nullptr, "P1M6", nullptr,
     "Panel &Outlook", none, -1, "Zobrazí nebo skryje panel Outlook"},
    {C::FileMenu, "Soubor", "StandardniL", "LookOutPage1", nullptr, nullptr,
     "&Soubor", none, -1, "Obsahuje příkazy pro práci s vybranými databázemi", "Soubor"},
    {C::EditMenu, "Upravy", "DatabazeL", "LookOutPage2", nullptr, nullptr,
     "Úpr&avy", none, -1, "Obsahuje příkazy pro vytváření a úpravu položek databáze", "Úpravy"},
}};

constexpr bool inEnumOrder()
{
    for (int i = 0; i < CommandCount; ++i) {
        if (int(rows[i].command) != i)
            return false;
    }
    return true;
}
static_assert(inEnumOrder(), "the command rows follow the enum");

bool is(const char *name, const QString &objectName)
{
    return name && objectName == QLatin1String(name);
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString withoutMnemonic(const char *caption)
{
    return text(caption).remove(QLatin1Char('&'));
}

QString captionOr(const char *own, Command command)
{
    return own ? text(own) : withoutMnemonic(rows[int(command)].caption);
}

} // namespace

const CommandRow &commandRow(Command command)
{
    return rows[int(command)];
}

QString commandName(Command command)
{
    return QLatin1String(rows[int(command)].menuItem);
}

std::optional<Command> commandOfControl(const QString &objectName)
{
    for (const CommandRow &row : rows) {
        if (is(row.menuItem, objectName) || is(row.toolbarButton, objectName)
            || is(row.sideBarButton, objectName) || is(row.popupTwin, objectName)
            || is(row.windowMenuItem, objectName))
            return row.command;
    }
    return std::nullopt;
}

QString commandCaption(Command command)
{
    return text(rows[int(command)].caption);
}

QString sideBarCaption(Command command)
{
    return captionOr(rows[int(command)].sideBarCaption, command);
}

QString popupCaption(Command command)
{
    return captionOr(rows[int(command)].popupCaption, command);
}

QString windowMenuCaption(Command command)
{
    return captionOr(rows[int(command)].windowMenuCaption, command);
}

QString commandHint(Command command)
{
    return text(rows[int(command)].hint);
}

bool hasShortcut(Command command)
{
    return rows[int(command)].shortcut.key() != Qt::Key_unknown;
}

Command windowEntry(int slot)
{
    return Command(int(Command::WindowEntry1) + slot - 1);
}

int slotOfWindowEntry(Command command)
{
    const int i = int(command) - int(Command::WindowEntry1);
    return i >= 0 && i < 4 ? i + 1 : 0;
}

int viewToggleIndex(Command command)
{
    const int i = int(command) - int(Command::ViewStandard);
    return i >= 0 && i < 6 ? i : -1;
}

Command viewToggle(int index)
{
    return Command(int(Command::ViewStandard) + index);
}

} // namespace core
