// ordex-dbf backup, restore and kept: the program's data in one archive, and
// back; the catalogues kept by an erase, a removal or a restore, and back.

#include "Commands.h"

#include "Backup.h"
#include "CommandSupport.h"

#include "core/Slots.h" // the inline constants only: the tool does not link the core library
#include "core/TableDefinitions.h"
#include "dbase/DbfFile.h"
#include "dbase/Table.h"
#include "platform/Error.h"
#include "platform/FileRules.h"
#include "platform/IniFile.h"
#include "platform/KeptFiles.h"
#include "platform/ProgramDirectory.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

using namespace dbftool;

namespace {

// What the tool needs of a catalogue slot (1..4).
struct Slot
{
    QString fileName; // "VazonS.dbf"
    QString baseName; // "VazonS"
    QString nameKey;  // [Volitelne] "Data1".."Data3"; empty for the standard catalogue
};
Slot slotOf(int slot)
{
    const QString file = core::bookTableFile(slot);
    return {file, QFileInfo(file).completeBaseName(), slot > 1 ? QStringLiteral("Data%1").arg(slot - 1) : QString()};
}

const char RunningMessage[] = "Program Ordex 2000 je spuštěn. Ukončete jej a příkaz zopakujte.";

// Makes bytes the whole content of path and lets them reach the disk.
void writeDurably(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
        || f.write(bytes) != bytes.size() || ::fsync(f.handle()) != 0) {
        const QString why = f.errorString();
        f.close();
        QFile::remove(path);
        throw platform::Error(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(QDir::toNativeSeparators(path), why));
    }
}

void syncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The place of a data file of the program directory: an existing file of the
// same name in any letter case, else the name as given.
QString placeOf(const platform::ProgramDirectory &dir, const QString &name)
{
    const QString found = platform::findNoCase(dir.path(), name);
    return found.isEmpty() ? dir.path() + name : found;
}

// The book tables among the kept ones: only those can go back into a slot.
QList<platform::KeptCatalogue> keptBookTables(const platform::ProgramDirectory &dir)
{
    QList<platform::KeptCatalogue> out;
    for (const platform::KeptCatalogue &k : platform::keptCatalogues(dir)) {
        for (int slot = 1; slot <= core::SlotCount; ++slot)
            if (k.baseName.compare(slotOf(slot).baseName, Qt::CaseInsensitive) == 0)
                out.append(k);
    }
    return out;
}

int bookCount(const QString &dbfPath)
{
    try {
        dbase::Table t;
        openTable(t, dbfPath);
        return t.recordCount();
    } catch (const dbase::Error &) {
        return -1;
    }
}

} // namespace

int runBackup(const platform::ProgramDirectory &dir, const QString &file, QByteArray &out, QString &err)
{
    const QFileInfo target(file);
    const QString temporary = target.absolutePath() + QStringLiteral("/.") + target.fileName()
        + QStringLiteral(".%1.novy").arg(QCoreApplication::applicationPid());
    try {
        const QList<BackupFile> files = dataFiles(dir);
        writeArchive(temporary, files);
        syncFile(temporary);
        // What the archive holds must be what was read, file for file.
        const QList<BackupFile> back = readArchive(temporary, Checksums::Skip);
        bool same = back.size() == files.size();
        for (qsizetype i = 0; same && i < files.size(); ++i)
            same = back.at(i).name == files.at(i).name && back.at(i).bytes == files.at(i).bytes;
        if (!same)
            throw platform::Error(QStringLiteral("zapsaná záloha nesouhlasí s daty"));
        QFile::remove(target.absoluteFilePath());
        if (!QFile::rename(temporary, target.absoluteFilePath()))
            throw platform::Error(QStringLiteral("Zálohu nelze přejmenovat na %1.")
                                      .arg(QDir::toNativeSeparators(target.absoluteFilePath())));
        syncFile(target.absolutePath());
        qint64 bytes = 0;
        for (const BackupFile &f : files)
            bytes += f.bytes.size();
        out += QStringLiteral("Záloha %1 je hotova a ověřena: %2 souborů, %3 bajtů dat.\n")
                   .arg(QDir::toNativeSeparators(target.absoluteFilePath()))
                   .arg(files.size())
                   .arg(bytes)
                   .toUtf8();
        return Ok;
    } catch (const base::Error &e) {
        QFile::remove(temporary);
        err += QStringLiteral("Zálohu nelze vytvořit: %1\n").arg(e.message());
        return Failed;
    }
}

int runRestore(const platform::ProgramDirectory &dir, const QString &file, const QString &instanceKey,
               QByteArray &out, QString &err)
{
    // Held until the end, so the program cannot start in the middle.
    platform::SingleInstanceGuard guard(instanceKey);
    if (guard.isAnotherRunning()) {
        err += QStringLiteral("Zálohu nelze obnovit. %1\n").arg(QString::fromUtf8(RunningMessage));
        return Failed;
    }
    QList<BackupFile> files;
    try {
        files = readArchive(file);
        for (const BackupFile &f : std::as_const(files))
            if (f.name.endsWith(QLatin1String(".dbf"), Qt::CaseInsensitive))
                dbase::parseHeader(f.bytes, f.bytes.size(), QFileInfo(f.name).fileName());
    } catch (const base::Error &e) {
        err += QStringLiteral("%1 Nic nebylo změněno.\n").arg(e.message());
        return Failed;
    }

    // 1. Every file of the backup is written beside its place first.
    const QString staging = dir.path() + QStringLiteral(".obnova-%1/").arg(QCoreApplication::applicationPid());
    QDir(staging).removeRecursively();
    try {
        if (!QDir().mkpath(staging + QStringLiteral("Data")))
            throw platform::Error(QStringLiteral("Ve složce %1 nelze zapisovat.").arg(QDir::toNativeSeparators(dir.path())));
        for (const BackupFile &f : std::as_const(files))
            writeDurably(staging + f.name, f.bytes);
    } catch (const base::Error &e) {
        QDir(staging).removeRecursively();
        err += QStringLiteral("Zálohu nelze obnovit: %1 Nic nebylo změněno.\n").arg(e.message());
        return Failed;
    }

    // 2. What is there now goes to a kept folder, 3. the new files take its place.
    platform::KeptFolder kept(dir, QStringLiteral("Před obnovou ze zálohy"));
    QStringList movedIn;
    try {
        QStringList current;
        const QString data = platform::findNoCase(dir.path(), QStringLiteral("Data"));
        if (!data.isEmpty())
            for (const QString &entry : QDir(data).entryList(QDir::Files, QDir::Name))
                if (isDataFileName(QStringLiteral("Data/") + entry))
                    current << data + QLatin1Char('/') + entry;
        for (const char *ini : {"Ordex2000.ini", "Tessera.ini"}) {
            const QString path = platform::findNoCase(dir.path(), QLatin1String(ini));
            if (!path.isEmpty())
                current << path;
        }
        for (const QString &path : std::as_const(current))
            kept.keep(path);
        for (const BackupFile &f : std::as_const(files)) {
            const QString to = placeOf(dir, f.name);
            if (!QFile::rename(staging + f.name, to))
                throw platform::Error(QStringLiteral("Soubor %1 nelze umístit.").arg(QDir::toNativeSeparators(to)));
            movedIn << to;
        }
    } catch (const base::Error &e) {
        for (const QString &path : std::as_const(movedIn))
            QFile::remove(path);
        kept.undo();
        QDir(staging).removeRecursively();
        err += QStringLiteral("Zálohu nelze obnovit: %1 Nic nebylo změněno.\n").arg(e.message());
        return Failed;
    }
    QDir(staging).removeRecursively();
    syncFile(dir.dataDir());
    syncFile(dir.path());
    QString report = QStringLiteral("Záloha %1 je obnovena (%2 souborů).\n")
                         .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()))
                         .arg(files.size());
    if (!kept.path().isEmpty())
        report += QStringLiteral("Dosavadní soubory jsou zachovány ve složce %1\n")
                      .arg(QDir::toNativeSeparators(kept.path()));
    out += report.toUtf8();
    return Ok;
}

int runKeptList(const platform::ProgramDirectory &dir, QByteArray &out, QString &err)
{
    Q_UNUSED(err);
    const QList<platform::KeptCatalogue> kept = keptBookTables(dir);
    QString report;
    if (kept.isEmpty())
        report = QStringLiteral("Žádné zachované databáze nejsou (složka %1).\n")
                     .arg(QDir::toNativeSeparators(platform::keptRoot(dir)));
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const platform::KeptCatalogue &k = kept.at(i);
        const int books = bookCount(k.dbfPath);
        report += QStringLiteral("%1  %2  %3  %4  %5\n")
                      .arg(i + 1)
                      .arg(k.when.toString(QStringLiteral("d.M.yyyy HH:mm:ss")), k.displayName,
                           QFileInfo(k.dbfPath).fileName(),
                           books < 0 ? QStringLiteral("nečitelná") : QStringLiteral("%1 knih").arg(books));
    }
    out += report.toUtf8();
    return Ok;
}

int runKeptPutBack(const platform::ProgramDirectory &dir, int number, int slot, const QString &instanceKey,
                   QByteArray &out, QString &err)
{
    const QList<platform::KeptCatalogue> kept = keptBookTables(dir);
    if (number < 1 || number > kept.size()) {
        err += QStringLiteral("Zachovaná databáze č. %1 neexistuje (ordex-dbf kept je vypíše).\n").arg(number);
        return Failed;
    }
    if (slot < 1 || slot > core::SlotCount) {
        err += QStringLiteral("Databáze se vrací do pozice 1 (Standardní databáze) až 4 (volitelná databáze č. 3).\n");
        return Failed;
    }
    platform::SingleInstanceGuard guard(instanceKey);
    if (guard.isAnotherRunning()) {
        err += QStringLiteral("Databázi nelze vrátit. %1\n").arg(QString::fromUtf8(RunningMessage));
        return Failed;
    }
    const platform::KeptCatalogue &k = kept.at(number - 1);
    const Slot target = slotOf(slot);
    platform::IniFile settings(placeOf(dir, QStringLiteral("Ordex2000.ini")));
    QString currentName = QStringLiteral("Standardní databáze");
    if (slot > 1)
        currentName = settings.readString(QStringLiteral("Volitelne"), target.nameKey);

    // What the slot holds now is kept in its turn; then the kept files move in.
    platform::KeptFolder replaced(dir, currentName.isEmpty() || currentName == QString::fromUtf8(core::PlaceholderCatalogueName)
                                           ? target.baseName : currentName);
    QStringList movedIn;
    try {
        platform::keepTableFiles(dir, target.baseName, QString(), &replaced);
        const QString data = platform::findNoCase(dir.path(), QStringLiteral("Data"));
        for (const QString &from : platform::tableFilesIn(k.folder, k.baseName)) {
            const QString suffix = QFileInfo(from).suffix().toLower();
            const QString to = data + QLatin1Char('/') + target.baseName + QLatin1Char('.') + suffix;
            if (!QFile::rename(from, to))
                throw platform::Error(QStringLiteral("Soubor %1 nelze přesunout do %2.")
                                          .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
            movedIn << from << to;
        }
        // The table must open under its new name (its index is written anew when it named the old one).
        dbase::Table t;
        openTable(t, data + QLatin1Char('/') + target.fileName);
        t.close();
        if (slot > 1 && (currentName.isEmpty() || currentName == QString::fromUtf8(core::PlaceholderCatalogueName)))
            settings.writeString(QStringLiteral("Volitelne"), target.nameKey, k.displayName);
    } catch (const base::Error &e) {
        for (qsizetype i = movedIn.size() - 2; i >= 0; i -= 2)
            QFile::rename(movedIn.at(i + 1), movedIn.at(i));
        replaced.undo();
        err += QStringLiteral("Databázi nelze vrátit: %1 Nic nebylo změněno.\n").arg(e.message());
        return Failed;
    }
    QDir().rmdir(k.folder); // empty once its only catalogue is back
    QString report = QStringLiteral("Zachovaná databáze „%1“ je zpět v pozici %2 (%3).\n")
                         .arg(k.displayName)
                         .arg(slot)
                         .arg(target.fileName);
    if (!replaced.path().isEmpty())
        report += QStringLiteral("Dosavadní obsah pozice je zachován ve složce %1\n")
                      .arg(QDir::toNativeSeparators(replaced.path()));
    out += report.toUtf8();
    return Ok;
}
