#pragma once

// Every command of the program, keyed by one enum, and the one table of
// them: a row per command holds the object names of all its controls (the
// main menu item, the toolbar button, the side-bar button, the twin in a
// main-window context menu and the item of the catalogue window's own context
// menu), its caption, shortcut, picture and hint. The menus, toolbars, side
// bar and context menus are all built from these rows; tests and the
// accessibility bus address the controls by these names. Plain data on
// QtCore: the pictures are numbers that the application layer paints.

#include <QKeyCombination>
#include <QString>

#include <optional>

namespace core {

enum class Command {
    // Soubor
    OptionalCatalogues, // MS1
    OpenCatalogue,      // MS2
    CloseWindow,        // MS3
    Preview,            // MS4
    PrinterSetup,       // MS9
    Print,              // MS5
    Exit,               // MS8
    // Upravy
    Cut,                // MU1
    Copy,               // MU2
    Paste,              // MU3
    DeleteRecord,       // MU4
    EditRecord,         // MU5
    SaveRecord,         // MU6
    UndoRecord,         // MU9
    Find,               // MU7
    GoTo,               // MU8, the submenu
    First,              // PNa1
    Prior,              // Pna2
    Next,               // PNa3
    Last,               // PNa4
    NewRecord,          // PNa5
    // Nastroje
    ClearStandard,      // MN1
    RestoreSettings,    // MN5
    GenreMenu,          // MN7, the submenu
    ShowTips,           // MN4
    // Okno
    TileSideBySide,     // MO1
    TileStacked,        // MO2
    Cascade,            // MO3
    MinimiseAll,        // MO4
    ArrangeIcons,       // MO5
    WindowList,         // N10, the separator above the window entries
    WindowEntry1,       // o11 .. o41
    WindowEntry2,
    WindowEntry3,
    WindowEntry4,
    // Napoveda
    Help,               // Napoveda1
    Manual,             // EM
    About,              // Oprogramu
    // The tips toolbar and the help button
    PreviousTip,        // TT1
    NextTip,            // TT2
    HelpButton,         // ToolbarButton9722
    // Zobrazit: the view toggles and their twins in PopupMenu1
    ViewStandard,       // PN1
    ViewDatabase,       // PN2
    ViewWindows,        // PN3
    ViewTips,           // PN4
    ViewStatusBar,      // MZ2
    ViewSideBar,        // MZ3
    // The menus whose controls go off together while a lending card lies
    // over the active window: the menu, its toolbar and its side-bar page.
    FileMenu,           // Soubor, StandardniL, LookOutPage1
    EditMenu,           // Upravy, DatabazeL, LookOutPage2
};

constexpr int CommandCount = int(Command::EditMenu) + 1;

// One command: the object names of its controls (nullptr where it has none)
// and what they show. Texts are UTF-8.
struct CommandRow
{
    Command command;
    const char *menuItem;       // its action: the main menu item (the menu for FileMenu,
                                // EditMenu; the button for the tips and help buttons)
    const char *toolbarButton;  // or the toolbar for FileMenu, EditMenu; nullptr where
                                // the button is the action's only control
    const char *sideBarButton;  // or the side-bar page for FileMenu, EditMenu
    const char *popupTwin;      // the twin in PopupMenu1 or PopupMenu2 of the main window
    const char *windowMenuItem; // the catalogue window's own context menu
    const char *caption;        // with its mnemonic; empty for a picture-only button
    QKeyCombination shortcut;   // Qt::Key_unknown: none
    int icon;                   // the picture's number; -1: none
    const char *hint;
    // Where a control's caption is not the menu's without its mnemonic.
    const char *sideBarCaption = nullptr;
    const char *popupCaption = nullptr;
    const char *windowMenuCaption = nullptr;
};

const CommandRow &commandRow(Command command);

// The object name of the command's action ("MS1").
QString commandName(Command command);

// The command a control of any kind stands for ("TD3", "UD3", "PNa3" and
// "MP10" all give Next).
std::optional<Command> commandOfControl(const QString &objectName);

// What a control shows: the caption with its mnemonic, and the captions of
// the side-bar button, the twin and the window menu's item.
QString commandCaption(Command command);
QString sideBarCaption(Command command);
QString popupCaption(Command command);
QString windowMenuCaption(Command command);
QString commandHint(Command command);
bool hasShortcut(Command command);

// The window entry of slot 1..4 and back.
Command windowEntry(int slot);
int slotOfWindowEntry(Command command); // 0: not a window entry

// The six view toggles in the order of the Zobrazit menu; index 0..5.
int viewToggleIndex(Command command); // -1: not a view toggle
Command viewToggle(int index);

} // namespace core
