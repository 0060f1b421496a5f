#include "CommandSupport.h"

#include "dbase/PathLookup.h"
#include "dbase/Table.h"

#include <QFile>
#include <QFileInfo>

namespace dbftool {

QByteArray readFile(const QString &path, bool *ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return file.readAll();
}

bool readTableFile(const QString &path, QByteArray &bytes, DbfHeader &header, QString &err)
{
    bool ok = false;
    bytes = readFile(path, &ok);
    if (!ok) {
        err += QStringLiteral("Tabulku %1 nelze otevřít.\n").arg(path);
        return false;
    }
    QString why;
    if (!parseDbfHeader(bytes, header, why)) {
        err += QStringLiteral("%1: %2\n").arg(path, why);
        return false;
    }
    return true;
}

QString existingCompanion(const QString &dbfPath, const QString &suffix)
{
    const QString path = dbase::companionFile(dbfPath, suffix);
    const QFileInfo info(path);
    return info.isFile() ? info.absoluteFilePath() : QString();
}

void openTable(dbase::Table &table, const QString &path)
{
    const QFileInfo info(path);
    table.setDatabaseName(info.absolutePath());
    table.setTableName(info.fileName());
    table.open();
}

} // namespace dbftool
