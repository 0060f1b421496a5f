#pragma once

// Files that an erase, a removal or a restore would replace are kept instead
// of deleted: moved, under their own names, into a folder of their own in
// Data/Zachovane, named by the date and time and the catalogue's display
// name ("2026-12-10 08.21.29 Standardní databáze"). Other programs of the
// family never look there; ordex-dbf lists these folders and puts a kept
// catalogue back.

#include "ProgramDirectory.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// Data/Zachovane/ of the program directory.
QString keptRoot(const ProgramDirectory &dir);

// One new kept folder while it is being filled. Moving a file in is a rename
// inside the program directory, so it needs no free space and a kill leaves
// each file either in its old place or in the folder.
class KeptFolder
{
public:
    // Nothing is created before the first keep().
    KeptFolder(const ProgramDirectory &dir, const QString &displayName,
               const QDateTime &when = QDateTime::currentDateTime());

    // Moves the file into the folder under its own name. Throws Error (the
    // file stays where it was) when the folder cannot be made or the file
    // cannot be moved.
    void keep(const QString &path);
    // Moves every kept file back to where it was and removes the folder.
    void undo() noexcept;

    QString path() const { return m_path; } // empty until the first keep()
    QStringList keptFiles() const;          // the original paths, in order

private:
    QString m_root;
    QString m_name;
    QString m_path;
    QList<std::pair<QString, QString>> m_moved; // original, kept
};

// Keeps Data/<base>.dbf/.dbt/.mdx (in any letter case) in a new folder named
// by now and displayName. All or nothing: on failure every file is back in
// its place and Error is thrown. Returns the folder, empty when none of the
// files existed.
QString keepTableFiles(const ProgramDirectory &dir, const QString &baseName, const QString &displayName,
                       KeptFolder *into = nullptr);

// Every file of folder whose name is <base>.dbf, .dbt or .mdx in any letter case.
QStringList tableFilesIn(const QString &folder, const QString &baseName);

struct KeptCatalogue
{
    QString folder;      // absolute path
    QDateTime when;      // from the folder's name
    QString displayName; // from the folder's name
    QString baseName;    // of the table kept there ("VazonS")
    QString dbfPath;
};

// The tables kept in the folders of Data/Zachovane, oldest folder first; a
// folder holding several tables (kept by a restore) gives one entry per table.
QList<KeptCatalogue> keptCatalogues(const ProgramDirectory &dir);

} // namespace platform
