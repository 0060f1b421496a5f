#pragma once

// What the catalogue windows need of the main window beyond the Shell: the
// frame their windows live in and their entries in the window list. The
// commands are not among it: a window signals that its state may have
// changed, and the main window asks it for a snapshot (see Availability.h).
// The main window implements it.

#include <QString>

class QMdiArea;

namespace catalogue {

class CatalogueHost
{
public:
    virtual ~CatalogueHost() = default;

    // The frame the catalogue windows are placed in.
    virtual QMdiArea *mdiArea() const = 0;

    // The slot's entry o11..o41 of the Okno menu: caption and visibility
    // (the list of open windows; its check mark follows the active window).
    virtual void setWindowEntry(int slot, const QString &caption, bool visible) = 0;
};

} // namespace catalogue
