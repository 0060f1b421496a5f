#include "ProgramDirectorySetup.h"

#include "Error.h"
#include "FileRules.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>

namespace platform {

namespace {

QString withoutSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// Every file below root, as paths relative to it.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

bool presentNoCase(const QString &root, const QString &relative)
{
    const QFileInfo info(root + QLatin1Char('/') + relative);
    return !findNoCase(info.absolutePath(), info.fileName()).isEmpty();
}

// Copies from to to; the copy is the user's to write, whatever the
// installed file's mode.
void copyFile(const QString &from, const QString &to)
{
    const QString folder = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Složku %1 nelze vytvořit.").arg(folder));
    QFile::remove(to);
    QFile source(from);
    if (!source.copy(to)) {
        QFile::remove(to);
        throw Error(QStringLiteral("Soubor %1 nelze zapsat: %2.").arg(to, source.errorString()));
    }
    QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner);
}

// The files of a directory laid out before that it lacks. A memo or index
// file of a table in Data comes only together with its table file.
QStringList missingFiles(const QString &installedFiles, const QString &target)
{
    QStringList missing;
    for (const QString &relative : filesBelow(installedFiles)) {
        if (presentNoCase(target, relative))
            continue;
        const QFileInfo info(relative);
        const QString suffix = info.suffix().toLower();
        if (info.path() == QLatin1String("Data")
            && (suffix == QLatin1String("dbt") || suffix == QLatin1String("mdx"))
            && presentNoCase(target, QStringLiteral("Data/") + info.completeBaseName() + QStringLiteral(".dbf")))
            continue;
        missing.append(relative);
    }
    return missing;
}

void layOutAnew(const QString &installedFiles, const QString &target)
{
    const QFileInfo targetInfo(target);
    const QString parent = targetInfo.absolutePath();
    if (!QDir().mkpath(parent))
        throw Error(QStringLiteral("Složku %1 nelze vytvořit.").arg(parent));
    QTemporaryDir work(parent + QLatin1Char('/') + targetInfo.fileName() + QStringLiteral(".novy-XXXXXX"));
    if (!work.isValid())
        throw Error(QStringLiteral("Ve složce %1 nelze vytvořit složku programu: %2.")
                        .arg(parent, work.errorString()));
    for (const QString &relative : filesBelow(installedFiles))
        copyFile(installedFiles + QLatin1Char('/') + relative, work.path() + QLatin1Char('/') + relative);
    if (std::rename(QFile::encodeName(work.path()).constData(), QFile::encodeName(target).constData()) == 0) {
        work.setAutoRemove(false);
        return;
    }
    // Another start (the program and a tool at once) may have laid it out
    // first; that one is completed below. Anything else is a failure.
    if (errno != EEXIST && errno != ENOTEMPTY)
        throw Error(QStringLiteral("Složku %1 nelze vytvořit.").arg(target));
}

} // namespace

void layOutFromInstalled(const QString &installedFiles, const QString &targetPath)
{
    const QString installed = withoutSlash(QDir::cleanPath(installedFiles));
    const QString target = withoutSlash(QDir::cleanPath(targetPath));
    if (!QFileInfo(installed + QStringLiteral("/Ordex2000.ini")).isFile())
        throw Error(QStringLiteral("Instalace programu je neúplná: ve složce %1 chybí programové soubory.")
                        .arg(installed));
    const QFileInfo info(target);
    if (!info.exists())
        layOutAnew(installed, target);
    else if (!info.isDir())
        throw Error(QStringLiteral("%1 není složka.").arg(target));

    for (const QString &relative : missingFiles(installed, target)) {
        const QString to = target + QLatin1Char('/') + relative;
        const QString partial = QFileInfo(to).absolutePath() + QStringLiteral("/.") + QFileInfo(to).fileName()
            + QStringLiteral(".novy");
        copyFile(installed + QLatin1Char('/') + relative, partial);
        if (!QFile::rename(partial, to)) {
            QFile::remove(partial);
            throw Error(QStringLiteral("Soubor %1 nelze zapsat.").arg(to));
        }
    }
}

} // namespace platform
