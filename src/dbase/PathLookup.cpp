#include "PathLookup.h"

#include <QDir>
#include <QFileInfo>

namespace dbase {

QString findFile(const QString &folder, const QString &name)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QString plain = dir.filePath(name);
    if (QFileInfo::exists(plain))
        return plain;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return plain;
}

QString companionFile(const QString &dbfPath, const QString &extension)
{
    const QFileInfo info(dbfPath);
    const QString suffix = info.suffix();
    QString ext = extension.toLower();
    if (!suffix.isEmpty() && suffix.at(0).isUpper())
        ext[0] = ext.at(0).toUpper();
    if (suffix.size() > 1 && suffix.at(1).isUpper())
        ext = ext.toUpper();
    const QString name = info.completeBaseName() + QLatin1Char('.') + ext;
    return findFile(info.path(), name);
}

} // namespace dbase
