#pragma once

// The references every window of the catalogue subsystem needs, handed over
// by the program context that owns them.

namespace core {
class AppSettings;
class DataModule;
class Shell;
} // namespace core

namespace catalogue {

class CatalogueHost;

struct CatalogueServices
{
    core::DataModule &data;
    core::AppSettings &settings;
    core::Shell &shell;
    CatalogueHost &host;
};

} // namespace catalogue
