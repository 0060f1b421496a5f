#pragma once

// The main window's commands that act on its catalogue windows: the record
// commands and find, routed to the active catalogue window; close window;
// preview and print for the active catalogue; and the window entries of the
// Okno menu (o11..o41), which bring their window to the front.

#include "catalogue/Commands.h"

#include <QObject>

namespace app {

class CommandTable;
class HlavniDialog;

class CatalogueCommands : public QObject
{
    Q_OBJECT
public:
    // Connects the commands' actions and makes the window entries in the
    // command table, captioned and shown by the catalogue windows themselves.
    CatalogueCommands(HlavniDialog &main, CommandTable &commands);

    // o11, o21, o31, o41: the Okno menu's entry of each catalogue slot.
    static QString windowEntryName(int slot);

signals:
    // Find, and the report selection (preview or print), for a catalogue.
    void findRequested(int slot);
    void reportSelection(int slot, bool preview);

private:
    void closeWindow();
    void showCatalogueOfSlot(int slot);
    void routeRecordCommand(catalogue::Command command);
    void reportCommand(bool preview);

    HlavniDialog &m_main;
};

} // namespace app
