#include "FileRules.h"

#include "Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace platform {

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// One path component of folder, in any letter case.
QString findEntry(const QString &folder, const QString &name)
{
    const QString exact = withSlash(folder) + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return withSlash(folder) + entry;
    }
    return {};
}

// Every file of the data folder that is <base><ext> in some letter case.
QStringList allSpellings(const QString &folder, const QString &fileName)
{
    QStringList found;
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            found << withSlash(folder) + entry;
    }
    return found;
}

void removeFile(const QString &path)
{
    QFile file(path);
    if (!file.remove())
        throw Error(QStringLiteral("Soubor %1 nelze odstranit: %2").arg(path, file.errorString()));
}

const char *const TableExtensions[3][2] = {
    // template, target
    {".dbf", ".dbf"},
    {".Dbt", ".dbt"},
    {".Mdx", ".mdx"},
};

} // namespace

QString findNoCase(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || name.isEmpty())
        return {};
    // A relative name with folders in it is resolved one component at a time.
    QString current = folder;
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (const QString &part : parts) {
        current = findEntry(current, part);
        if (current.isEmpty())
            return {};
    }
    return current;
}

QString presenceTest(const QString &name, const QString &folder)
{
    const QStringList folders = folder.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &one : folders) {
        const QString found = findNoCase(one, name);
        if (!found.isEmpty() && QFileInfo(found).isFile())
            return found;
    }
    return {};
}

void restoreTemplate(const ProgramDirectory &dir, const QString &baseName)
{
    const QString templates = findNoCase(dir.path(), QStringLiteral("Data/Zaloha"));
    if (templates.isEmpty() || !QFileInfo(templates).isDir())
        throw Error(QStringLiteral("Složka se vzory prázdných tabulek %1 neexistuje.")
                        .arg(QDir::toNativeSeparators(dir.templateDir())));
    const QString data = findNoCase(dir.path(), QStringLiteral("Data"));

    for (const auto &ext : TableExtensions) {
        const QString source = presenceTest(baseName + QLatin1String(ext[0]), templates);
        if (source.isEmpty())
            continue; // a template without this file: the table opens without it or fails there
        const QString targetName = baseName + QLatin1String(ext[1]);
        // The old file goes in whatever letter case it has, so one spelling remains.
        for (const QString &old : allSpellings(data, targetName))
            removeFile(old);
        const QString target = withSlash(data) + targetName;
        QFile file(source);
        if (!file.copy(target))
            throw Error(QStringLiteral("Vzor tabulky %1 nelze zkopírovat do %2: %3")
                            .arg(source, target, file.errorString()));
        // The copy is a working table, even when the template is installed read-only.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner
                                          | QFile::WriteOwner);
    }
}

void replaceWithTemplate(const ProgramDirectory &dir, const QString &baseName)
{
    const QString templates = findNoCase(dir.path(), QStringLiteral("Data/Zaloha"));
    if (templates.isEmpty() || !QFileInfo(templates).isDir())
        throw Error(QStringLiteral("Složka se vzory prázdných tabulek %1 neexistuje.")
                        .arg(QDir::toNativeSeparators(dir.templateDir())));
    const QString data = findNoCase(dir.path(), QStringLiteral("Data"));
    if (data.isEmpty() || !QFileInfo(data).isDir())
        throw Error(QStringLiteral("Datová složka %1 neexistuje.").arg(QDir::toNativeSeparators(dir.dataDir())));

    QString sources[3];
    for (int i = 0; i < 3; ++i) {
        sources[i] = presenceTest(baseName + QLatin1String(TableExtensions[i][0]), templates);
        if (sources[i].isEmpty())
            throw Error(QStringLiteral("Chybí vzor tabulky %1 ve složce %2; databáze zůstala beze změny.")
                            .arg(baseName + QLatin1String(TableExtensions[i][0]),
                                 QDir::toNativeSeparators(dir.templateDir())));
    }

    // First the copies under temporary names; a failure removes them again.
    QString temporary[3];
    for (int i = 0; i < 3; ++i) {
        temporary[i] = withSlash(data) + QStringLiteral(".") + baseName + QLatin1String(TableExtensions[i][1])
                       + QStringLiteral(".novy");
        QFile::remove(temporary[i]);
        QFile file(sources[i]);
        if (!file.copy(temporary[i])) {
            const QString why = file.errorString();
            for (int k = 0; k <= i; ++k)
                QFile::remove(temporary[k]);
            throw Error(QStringLiteral("Vzor tabulky %1 nelze zkopírovat do %2: %3; databáze zůstala beze změny.")
                            .arg(sources[i], data, why));
        }
        // The copy is a working table, even when the template is installed read-only.
        QFile::setPermissions(temporary[i], QFile::permissions(temporary[i]) | QFile::ReadOwner
                                                | QFile::WriteOwner);
    }

    // Then the old files go and the copies take their names: index and memo
    // before the table, so that the table is the last to change.
    for (int i : {2, 1, 0}) {
        const QString targetName = baseName + QLatin1String(TableExtensions[i][1]);
        for (const QString &old : allSpellings(data, targetName))
            removeFile(old);
        if (!QFile::rename(temporary[i], withSlash(data) + targetName))
            throw Error(QStringLiteral("Soubor %1 nelze přejmenovat na %2.").arg(temporary[i], targetName));
    }
}

void removeTableFiles(const ProgramDirectory &dir, const QString &baseName)
{
    const QString data = findNoCase(dir.path(), QStringLiteral("Data"));
    if (data.isEmpty())
        return;
    for (const auto &ext : TableExtensions) {
        for (const QString &old : allSpellings(data, baseName + QLatin1String(ext[1])))
            removeFile(old);
    }
}

} // namespace platform
