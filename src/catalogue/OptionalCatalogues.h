#pragma once

// The files and names of the three optional catalogues (k = 1..3, slots
// 2..4) and the erasing of the standard catalogue, without any window: the
// dialogs of the optional-catalogue chain and the erase balloon call these.

#include <QString>

namespace core {
class AppSettings;
}
namespace platform {
class ProgramDirectory;
}

namespace catalogue {

class OptionalCatalogues
{
public:
    OptionalCatalogues(const platform::ProgramDirectory &dir, core::AppSettings &settings);

    // The catalogue's table file "Vazon1.dbf".."Vazon3.dbf" is in the data
    // directory (in any letter case).
    bool exists(int k) const;

    // Why a name cannot be stored, as a message for the user; empty when it
    // can. Empty names and the unchanged placeholder are the caller's
    // warning "Nejprve musíte zadat ..."; this covers what the ini file
    // cannot hold: a line break or other control character, a "[" at the
    // start, a character outside code page 1250.
    static QString nameProblem(const QString &name);
    // An empty text or exactly the placeholder name: no name entered.
    static bool isMissingName(const QString &name);

    // Confirms a name: creates the catalogue's three files from the
    // templates when its table file is missing, then writes the name.
    // Throws platform::Error (nothing written) when the name cannot be
    // stored or the templates are not there.
    void confirmName(int k, const QString &name);

    // Removes the catalogue: its three files moved to a kept folder under
    // Data/Zachovane (platform/KeptFiles.h), placeholder name, and the search
    // table's marker reset when it held this catalogue. Throws
    // platform::Error, with the catalogue unchanged, when the files cannot
    // be kept.
    void remove(int k);

    // Replaces the standard catalogue's three files by the empty templates,
    // keeping the old ones in a kept folder first; the search table's marker
    // is reset when it held it. Throws platform::Error, with the catalogue
    // unchanged, when the old files cannot be kept or the templates copied.
    void eraseStandard();

private:
    void forgetSearchCopy(int slot);

    const platform::ProgramDirectory &m_dir;
    core::AppSettings &m_settings;
};

} // namespace catalogue
