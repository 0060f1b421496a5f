#pragma once

// What the catalogue windows change in the main window beyond the Shell: the
// frame their windows live in, the window menu entries, the clipboard and
// record commands and the status line. The main window implements it.

#include <QString>

class QMdiArea;

namespace catalogue {

class CatalogueHost
{
public:
    virtual ~CatalogueHost() = default;

    // The frame the catalogue windows are placed in.
    virtual QMdiArea *mdiArea() const = 0;

    // The slot's entry o11..o41 of the Okno menu: caption and visibility.
    virtual void setWindowEntry(int slot, const QString &caption, bool visible) = 0;
    // The check mark of the slot's entry.
    virtual void setWindowEntryChecked(int slot, bool checked) = 0;
    // The separator N10 of the Okno menu.
    virtual void setWindowSeparatorVisible(bool visible) = 0;

    // MU1..MU3 and TS6..TS8.
    virtual void setClipboardCommandsEnabled(bool enabled) = 0;
    // DatabazeL, StandardniL, LookOutPage1, LookOutPage2 and the menus Soubor
    // and Upravy: off while a lending card lies over the active window.
    virtual void setFileAndEditCommandsEnabled(bool enabled) = 0;
    // MS4, MS5, MU1..MU9, TS3, TS5, TD1..TD10, OS3, OS4, UD1..UD10 off: the
    // last act of a closing catalogue window.
    virtual void disableRecordCommands() = 0;
    // The third status panel (the caption of the active catalogue window).
    virtual void setCatalogueStatusText(const QString &text) = 0;
};

} // namespace catalogue
