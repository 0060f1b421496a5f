#include "ProgramLayout.h"

#include "TipsOfTheDay.h"
#include "WaveTones.h"

#include "core/Slots.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/Error.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <memory>

namespace {

// One file of the program directory, made once per process and then only
// written out, so laying out a directory for a test costs a few file writes.
struct Artefact
{
    QString path;      // relative to the program directory
    QByteArray bytes;
    QString userFile;  // user data: the file whose presence keeps the group; empty otherwise
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::Error(QStringLiteral("Soubor %1 nelze přečíst.").arg(path));
    return file.readAll();
}

// The file in folder whose name equals name without regard to case; empty when none.
QString findFile(const QString &folder, const QString &name)
{
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(entry);
    }
    return {};
}

// The files a new table consists of, read back from where createTable put
// them: key "dbf", "dbt", "mdx" (whatever letter case the engine chose).
QHash<QString, QByteArray> readTableFiles(const QString &dbfPath)
{
    QHash<QString, QByteArray> files;
    const QFileInfo info(dbfPath);
    const QString base = info.completeBaseName();
    for (const char *suffix : {"dbf", "dbt", "mdx"}) {
        const QString found = findFile(info.absolutePath(), base + QLatin1Char('.') + QLatin1String(suffix));
        if (!found.isEmpty())
            files.insert(QLatin1String(suffix), readAll(found));
    }
    return files;
}

void appendTable(QList<Artefact> &out, const QHash<QString, QByteArray> &files,
                 const QString &folder, const QString &base,
                 const QString &dbf, const QString &dbt, const QString &mdx,
                 bool userData)
{
    const QString prefix = folder + base;
    const QString userFile = userData ? prefix + dbf : QString();
    out.append({prefix + dbf, files.value(QStringLiteral("dbf")), userFile});
    if (!dbt.isEmpty() && files.contains(QStringLiteral("dbt")))
        out.append({prefix + dbt, files.value(QStringLiteral("dbt")), userFile});
    if (!mdx.isEmpty() && files.contains(QStringLiteral("mdx")))
        out.append({prefix + mdx, files.value(QStringLiteral("mdx")), userFile});
}

void writeFactoryOrdexIni(const QString &path)
{
    platform::IniFile ini(path);
    for (const char *key : {"Standardni", "Databaze", "Okna", "TipyDne", "StavovyRadek",
                            "PanelOutlook", "Tipy"})
        ini.writeInteger(QStringLiteral("Zobrazit"), QLatin1String(key), 1);
    for (int slot = 1; slot <= core::SlotCount; ++slot)
        ini.writeInteger(QStringLiteral("Otevreni"), QStringLiteral("Databaze%1").arg(slot), 0);
    for (int n = 1; n <= 3; ++n)
        ini.writeString(QStringLiteral("Volitelne"), QStringLiteral("Data%1").arg(n),
                        QString::fromUtf8(core::PlaceholderCatalogueName));
    ini.writeInteger(QStringLiteral("Kontrola"), QStringLiteral("Pomocna"), 0);
    ini.writeString(QStringLiteral("Kontrola"), QStringLiteral("Tipy"), QStringLiteral("0"));
}

void writeFactoryTesseraIni(const QString &path)
{
    platform::IniFile ini(path);
    ini.writeString(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"), QStringLiteral("1"));
    ini.writeString(QStringLiteral("Nastaveni"), QStringLiteral("Uvitani"), QStringLiteral("1"));
}

QList<Artefact> makeArtefacts()
{
    // Made in memory where the system offers it: the engine and the ini
    // files flush every write to disk, which is wasted on scratch files.
    auto work = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/ordex-layout-XXXXXX"));
    if (!work->isValid())
        work = std::make_unique<QTemporaryDir>();
    if (!work->isValid())
        throw platform::Error(QStringLiteral("Nelze vytvořit dočasnou složku pro přípravu programu."));
    const QString tmp = work->path() + QLatin1Char('/');
    QList<Artefact> out;

    const QString data = QStringLiteral("Data/");
    const QString zaloha = QStringLiteral("Data/Zaloha/");
    const QString dbf = QStringLiteral(".dbf");

    // Empty templates of the four catalogues and of the auxiliary table.
    for (int slot = 1; slot <= core::SlotCount; ++slot) {
        const QString base = QFileInfo(core::bookTableFile(slot)).completeBaseName();
        QDir(tmp).mkpath(base);
        const QString path = tmp + base + QLatin1Char('/') + base + dbf;
        dbase::createTable(path, core::bookFields(), core::bookTags(), true);
        const auto files = readTableFiles(path);
        appendTable(out, files, zaloha, base, dbf, QStringLiteral(".Dbt"), QStringLiteral(".Mdx"), false);
        if (slot == 1) // the empty standard catalogue that comes with the program
            appendTable(out, files, data, base, dbf, QStringLiteral(".dbt"), QStringLiteral(".mdx"), true);
    }
    {
        const QString base = QStringLiteral("VazonI");
        QDir(tmp).mkpath(base);
        const QString path = tmp + base + QLatin1Char('/') + base + dbf;
        dbase::createTable(path, core::auxiliaryFields(), core::auxiliaryTags(), true);
        appendTable(out, readTableFiles(path), zaloha, base, dbf,
                    QStringLiteral(".Dbt"), QStringLiteral(".Mdx"), false);
    }

    // The tips of the day, in file order.
    {
        QDir(tmp).mkpath(QStringLiteral("tips"));
        const QString path = tmp + QStringLiteral("tips/") + QString::fromLatin1(core::TipsTableFile);
        dbase::createTable(path, core::tipsFields(), {}, false);
        dbase::Table table;
        table.setDatabaseName(QFileInfo(path).absolutePath());
        table.setTableName(QString::fromLatin1(core::TipsTableFile));
        table.open();
        for (const QString &tip : tipsOfTheDay()) {
            table.insert();
            table.setFieldText(QStringLiteral("TIPDNE"), tip);
            table.post();
        }
        table.close();
        out.append({data + QString::fromLatin1(core::TipsTableFile), readAll(path),
                    data + QString::fromLatin1(core::TipsTableFile)});
    }

    // The empty lending table.
    {
        const QString base = QFileInfo(QString::fromLatin1(core::LendingTableFile)).completeBaseName();
        QDir(tmp).mkpath(base);
        const QString path = tmp + base + QLatin1Char('/') + QString::fromLatin1(core::LendingTableFile);
        dbase::createTable(path, core::lendingFields(), core::lendingTags(), false);
        appendTable(out, readTableFiles(path), data, base, dbf, {}, QStringLiteral(".mdx"), true);
    }

    // Settings with their factory values.
    {
        const QString ordex = QStringLiteral("Ordex2000.ini");
        const QString tessera = QStringLiteral("Tessera.ini");
        writeFactoryOrdexIni(tmp + ordex);
        writeFactoryTesseraIni(tmp + tessera);
        out.append({ordex, readAll(tmp + ordex), ordex});
        out.append({tessera, readAll(tmp + tessera), tessera});
    }

    for (const NamedSound &sound : programSounds())
        out.append({QStringLiteral("Zvuky/") + sound.fileName, sound.wave, {}});
    return out;
}

const QList<Artefact> &artefacts()
{
    static const QList<Artefact> made = makeArtefacts();
    return made;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes) != bytes.size() || !file.flush())
        throw platform::Error(QStringLiteral("Soubor %1 nelze zapsat.").arg(path));
}

// Removes files that differ from name only in letter case, so a folder
// never holds both "VazonS.dbt" and "VazonS.Dbt".
void removeCaseVariants(const QString &folder, const QString &name)
{
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            QFile::remove(QDir(folder).filePath(entry));
    }
}

} // namespace

void layOutProgramDirectory(const QString &dir, LayoutMode mode)
{
    const QList<Artefact> &all = artefacts();
    const QString root = QDir(dir).absolutePath() + QLatin1Char('/');
    for (const char *folder : {"Data/Zaloha", "Zvuky"}) {
        if (!QDir().mkpath(root + QLatin1String(folder)))
            throw platform::Error(QStringLiteral("Složku %1 nelze vytvořit.").arg(root + QLatin1String(folder)));
    }

    // Decide about every user group before anything is written: a group is
    // kept whole when its main file is already there.
    QHash<QString, bool> keep;
    for (const Artefact &a : all) {
        if (a.userFile.isEmpty() || keep.contains(a.userFile))
            continue;
        const QFileInfo info(root + a.userFile);
        keep.insert(a.userFile, mode == LayoutMode::KeepUserData
                                    && !findFile(info.absolutePath(), info.fileName()).isEmpty());
    }

    for (const Artefact &a : all) {
        if (!a.userFile.isEmpty() && keep.value(a.userFile))
            continue;
        const QFileInfo info(root + a.path);
        removeCaseVariants(info.absolutePath(), info.fileName());
        writeFile(info.filePath(), a.bytes);
    }
}

void createAddressBook(const QString &dbfPath)
{
    dbase::createTable(dbfPath, core::addressBookFields(), core::addressBookTags(), false);
    // The family writes its index as .MDX beside the .DBF.
    const QFileInfo info(dbfPath);
    const QString wanted = info.completeBaseName() + QStringLiteral(".MDX");
    const QString found = findFile(info.absolutePath(), wanted);
    if (!found.isEmpty() && QFileInfo(found).fileName() != wanted)
        QFile::rename(found, QDir(info.absolutePath()).filePath(wanted));
}
