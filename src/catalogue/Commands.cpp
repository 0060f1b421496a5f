#include "Commands.h"

#include <array>

namespace catalogue {

namespace {

using C = Command;

// The one list of control names. Rows in the order of the enum.
constexpr std::array<CommandNames, CommandCount> names = {{
    {C::OptionalCatalogues, "MS1", "TS1", "OS1", "Volitelndatabze1", nullptr},
    {C::OpenCatalogue, "MS2", "TS2", "OS2", "Otevtdatabzi1", nullptr},
    {C::CloseWindow, "MS3", nullptr, nullptr, nullptr, nullptr},
    {C::Preview, "MS4", "TS3", "OS3", nullptr, "MP0"},
    {C::PrinterSetup, "MS9", "TS4", nullptr, nullptr, nullptr},
    {C::Print, "MS5", "TS5", "OS4", nullptr, "MP01"},
    {C::Exit, "MS8", nullptr, "LookOutButton1", nullptr, nullptr},
    {C::Cut, "MU1", "TS6", nullptr, nullptr, "MP1"},
    {C::Copy, "MU2", "TS7", nullptr, nullptr, "MP2"},
    {C::Paste, "MU3", "TS8", nullptr, nullptr, "MP3"},
    {C::DeleteRecord, "MU4", "TD6", "UD6", nullptr, "MP4"},
    {C::EditRecord, "MU5", "TD7", "UD7", nullptr, "MP5"},
    {C::SaveRecord, "MU6", "TD8", "UD8", nullptr, "MP6"},
    {C::UndoRecord, "MU9", "TD10", "UD10", nullptr, "MP13"},
    {C::Find, "MU7", "TD9", "UD9", nullptr, "MP7"},
    {C::GoTo, "MU8", nullptr, nullptr, nullptr, "MP"},
    {C::First, "PNa1", "TD1", "UD1", nullptr, "MP8"},
    {C::Prior, "Pna2", "TD2", "UD2", nullptr, "MP9"},
    {C::Next, "PNa3", "TD3", "UD3", nullptr, "MP10"},
    {C::Last, "PNa4", "TD4", "UD4", nullptr, "MP11"},
    {C::NewRecord, "PNa5", "TD5", "UD5", nullptr, "MP12"},
    {C::ClearStandard, "MN1", nullptr, nullptr, nullptr, nullptr},
    {C::RestoreSettings, "MN5", nullptr, nullptr, nullptr, nullptr},
    {C::GenreMenu, "MN7", nullptr, nullptr, nullptr, nullptr},
    {C::ShowTips, "MN4", nullptr, nullptr, nullptr, nullptr},
    {C::TileSideBySide, "MO1", "TO1", "OO1", nullptr, nullptr},
    {C::TileStacked, "MO2", "TO2", "OO2", nullptr, nullptr},
    {C::Cascade, "MO3", "TO3", "OO3", nullptr, nullptr},
    {C::MinimiseAll, "MO4", "TO4", "OO4", nullptr, nullptr},
    {C::ArrangeIcons, "MO5", nullptr, nullptr, nullptr, nullptr},
    {C::WindowList, "N10", nullptr, nullptr, nullptr, nullptr},
    {C::WindowEntry1, "o11", nullptr, nullptr, nullptr, nullptr},
    {C::WindowEntry2, "o21", nullptr, nullptr, nullptr, nullptr},
    {C::WindowEntry3, "o31", nullptr, nullptr, nullptr, nullptr},
    {C::WindowEntry4, "o41", nullptr, nullptr, nullptr, nullptr},
    {C::Help, "Napoveda1", nullptr, nullptr, nullptr, nullptr},
    {C::Manual, "EM", "EM1", nullptr, nullptr, nullptr},
    {C::About, "Oprogramu", nullptr, nullptr, nullptr, nullptr},
    {C::PreviousTip, "TT1", nullptr, nullptr, nullptr, nullptr},
    {C::NextTip, "TT2", nullptr, nullptr, nullptr, nullptr},
    {C::HelpButton, "ToolbarButton9722", nullptr, nullptr, nullptr, nullptr},
    {C::ViewStandard, "PN1", nullptr, nullptr, "P1M1", nullptr},
    {C::ViewDatabase, "PN2", nullptr, nullptr, "P1M2", nullptr},
    {C::ViewWindows, "PN3", nullptr, nullptr, "P1M3", nullptr},
    {C::ViewTips, "PN4", nullptr, nullptr, "P1M4", nullptr},
    {C::ViewStatusBar, "MZ2", nullptr, nullptr, "P1M5", nullptr},
    {C::ViewSideBar, "MZ3", nullptr, nullptr, "P1M6", nullptr},
    {C::FileMenu, "Soubor", "StandardniL", "LookOutPage1", nullptr, nullptr},
    {C::EditMenu, "Upravy", "DatabazeL", "LookOutPage2", nullptr, nullptr},
}};

constexpr bool inEnumOrder()
{
    for (int i = 0; i < CommandCount; ++i) {
        if (int(names[i].command) != i)
            return false;
    }
    return true;
}
static_assert(inEnumOrder(), "the name rows follow the enum");

bool is(const char *name, const QString &objectName)
{
    return name && objectName == QLatin1String(name);
}

} // namespace

const CommandNames &commandNames(Command command)
{
    return names[int(command)];
}

QString commandName(Command command)
{
    return QLatin1String(names[int(command)].menuItem);
}

std::optional<Command> commandOfControl(const QString &objectName)
{
    for (const CommandNames &row : names) {
        if (is(row.menuItem, objectName) || is(row.toolbarButton, objectName)
            || is(row.sideBarButton, objectName) || is(row.popupTwin, objectName)
            || is(row.windowMenuItem, objectName))
            return row.command;
    }
    return std::nullopt;
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

} // namespace catalogue
