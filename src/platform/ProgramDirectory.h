#pragma once

#include <QString>

namespace platform {

// The program directory: every file the program uses lies in or below it;
// paths are formed by appending a relative name to path().
//
// Which folder it is, for the program and its tools alike (locate()):
//  1. ORDEX_PROGRAM_DIR, when set, names it.
//  2. An installed program (the install step writes InstallMarker beside the
//     executables) keeps each user's files in $XDG_DATA_HOME/Ordex2000, by
//     default ~/.local/share/Ordex2000. It is laid out from the installed
//     files on the first start and completed by later ones; the install
//     prefix itself is never written, whoever runs the program.
//  3. Otherwise the folder of the executable (the build tree, a copy the
//     user made).
class ProgramDirectory
{
public:
    // Written by the install step beside the executables. Its line
    // "ProgramFiles=<folder>" names the installed program files (templates,
    // sounds, factory settings), relative to the marker's folder.
    static constexpr const char *InstallMarker = "Ordex2000.installed";
    static constexpr const char *EnvironmentVariable = "ORDEX_PROGRAM_DIR";

    // path is made absolute and given a trailing '/'.
    explicit ProgramDirectory(const QString &path);
    static ProgramDirectory ofExecutable();

    // The program directory of this run by the rules above, for executables
    // in executableDir (by default the running one's). Lays out or completes
    // a user's directory of an installed program; throws platform::Error
    // with a Czech message when that cannot be done.
    static ProgramDirectory locate(const QString &executableDir = {});

    QString path() const; // absolute, always ends with '/'
    QString file(const QString &relative) const; // path() + relative
    QString dataDir() const;     // path() + "Data/"
    QString templateDir() const; // path() + "Data/Zaloha/"
    QString soundDir() const;    // path() + "Zvuky/"

private:
    QString m_path;
};

} // namespace platform
