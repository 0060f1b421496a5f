#include "AuxiliaryFiles.h"

#include "platform/Error.h"
#include "platform/FileRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>
#include <vector>

namespace core {

namespace {

const QString BaseName = QStringLiteral("VazonI");

// Template name, name in the data folder.
const char *const Extensions[3][2] = {
    {".dbf", ".dbf"},
    {".Dbt", ".dbt"},
    {".Mdx", ".mdx"},
};

// Every file of folder whose name equals name without regard to case.
QStringList spellings(const QString &folder, const QString &name)
{
    QStringList found;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            found << folder + entry;
    return found;
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void move(const QString &from, const QString &to)
{
    if (!QFile::rename(from, to))
        throw platform::Error(QStringLiteral("Soubor %1 nelze přesunout na %2.")
                                  .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
}

} // namespace

AuxiliaryFiles::AuxiliaryFiles(const platform::ProgramDirectory &dir)
    : m_dir(dir)
{
    const QString data = platform::findNoCase(dir.path(), QStringLiteral("Data"));
    m_data = withSlash(data.isEmpty() ? dir.dataDir() : data);
    m_folder = m_data + folderName() + QLatin1Char('/');
}

AuxiliaryFiles::~AuxiliaryFiles()
{
    removeFolder();
}

QString AuxiliaryFiles::folderName()
{
    return BaseName + QStringLiteral(".new");
}

QString AuxiliaryFiles::tableFileName()
{
    return BaseName + QStringLiteral(".dbf");
}

QString AuxiliaryFiles::folder() const
{
    return m_folder;
}

void AuxiliaryFiles::removeFolder() const
{
    QDir(m_folder).removeRecursively();
}

void AuxiliaryFiles::layOutTemplates(const std::function<void(int)> &step)
{
    const QString templates = platform::findNoCase(m_dir.path(), QStringLiteral("Data/Zaloha"));
    if (templates.isEmpty() || !QFileInfo(templates).isDir())
        throw platform::Error(QStringLiteral("Složka se vzory prázdných tabulek %1 neexistuje.")
                                  .arg(QDir::toNativeSeparators(m_dir.templateDir())));
    removeFolder();
    if (!QDir().mkpath(m_folder))
        throw platform::Error(QStringLiteral("Složku %1 nelze vytvořit.").arg(QDir::toNativeSeparators(m_folder)));

    int n = 0;
    for (const auto &ext : Extensions) {
        const QString source = platform::presenceTest(BaseName + QLatin1String(ext[0]), templates);
        if (!source.isEmpty()) {
            const QString target = m_folder + BaseName + QLatin1String(ext[1]);
            QFile file(source);
            if (!file.copy(target))
                throw platform::Error(QStringLiteral("Vzor tabulky %1 nelze zkopírovat do %2: %3")
                                          .arg(QDir::toNativeSeparators(source),
                                               QDir::toNativeSeparators(target), file.errorString()));
            // The copy is a working table, even when the template is installed read-only.
            QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
        }
        if (step)
            step(++n);
    }
}

void AuxiliaryFiles::putInPlace()
{
    const QString aside = m_folder + QStringLiteral("old/");
    if (!QDir().mkpath(aside))
        throw platform::Error(QStringLiteral("Složku %1 nelze vytvořit.").arg(QDir::toNativeSeparators(aside)));

    std::vector<std::pair<QString, QString>> movedAside; // original path, path aside
    std::vector<QString> movedIn;                         // paths in the data folder
    try {
        for (const auto &ext : Extensions) {
            const QString name = BaseName + QLatin1String(ext[1]);
            for (const QString &old : spellings(m_data, name)) {
                const QString to = aside + QFileInfo(old).fileName();
                move(old, to);
                movedAside.emplace_back(old, to);
            }
        }
        for (const auto &ext : Extensions) {
            const QString name = BaseName + QLatin1String(ext[1]);
            const QString fresh = m_folder + name;
            if (!QFileInfo::exists(fresh))
                continue;
            move(fresh, m_data + name);
            movedIn.push_back(m_data + name);
        }
    } catch (const platform::Error &) {
        // The old copy goes back where it was: the marker still describes it.
        for (const QString &path : movedIn)
            QFile::remove(path);
        for (const auto &[original, to] : movedAside)
            QFile::rename(to, original);
        throw;
    }
    removeFolder();
}

} // namespace core
