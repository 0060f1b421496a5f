#pragma once

// The references every window of the catalogue subsystem needs, handed over
// by the program context that owns them.

namespace core {
class AppSettings;
class DataModule;
class Shell;
} // namespace core

class QMdiArea;

namespace catalogue {

struct CatalogueServices
{
    core::DataModule &data;
    core::AppSettings &settings;
    core::Shell &shell;
    QMdiArea &area; // the main window's frame, where the catalogue windows are placed
};

} // namespace catalogue
