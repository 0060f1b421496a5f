#pragma once

// One-file backups of the program's data: every table of Data with its memo
// and index files, Ordex2000.ini and Tessera.ini, in a tar.gz archive that
// ordinary archive tools open. The archive's first entry, a manifest, names
// every file with its size and SHA-256, so a restore recognises our archives
// and refuses a damaged one before anything is touched.

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform { class ProgramDirectory; }

namespace dbftool {

inline constexpr char ManifestName[] = "Ordex2000-zaloha.txt";

struct BackupFile
{
    QString name; // relative to the program directory: "Data/VazonS.dbf", "Ordex2000.ini"
    QByteArray bytes;
};

// The files a backup takes, as they are on disk now.
QList<BackupFile> dataFiles(const platform::ProgramDirectory &dir);
// Whether a relative name is one a backup may hold (a table file directly in
// Data or one of the two ini files).
bool isDataFileName(const QString &name);

// Writes files to path as a tar.gz with the manifest first. Throws
// platform::Error with the reason (a full disk among them).
void writeArchive(const QString &path, const QList<BackupFile> &files);
// Reads one of our archives back. Throws platform::Error when the file is no
// archive, not ours, or damaged (a size or, with checksums, a SHA-256 that
// does not match). A caller that compares the bytes itself leaves the
// checksums out.
enum class Checksums { Verify, Skip };
QList<BackupFile> readArchive(const QString &path, Checksums checksums = Checksums::Verify);

} // namespace dbftool
