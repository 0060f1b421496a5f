#include "ProgramDirectory.h"

#include "Error.h"
#include "ProgramDirectorySetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

// The folder of installed program files that the marker in executableDir
// names; empty when there is no marker (the program is not installed).
QString installedProgramFiles(const QString &executableDir)
{
    const QString markerPath = QDir(executableDir).filePath(QLatin1String(ProgramDirectory::InstallMarker));
    QFile marker(markerPath);
    if (!marker.exists())
        return {};
    if (!marker.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Soubor %1 nelze přečíst: %2.").arg(markerPath, marker.errorString()));
    const QString key = QStringLiteral("ProgramFiles=");
    while (!marker.atEnd()) {
        const QString line = QString::fromUtf8(marker.readLine()).trimmed();
        if (line.startsWith(key) && line.size() > key.size())
            return QDir::cleanPath(QDir(executableDir).absoluteFilePath(line.mid(key.size())));
    }
    throw Error(QStringLiteral("Instalace programu je poškozená: soubor %1 neudává složku "
                               "programových souborů.").arg(markerPath));
}

// $XDG_DATA_HOME/Ordex2000, by default ~/.local/share/Ordex2000.
QString userProgramDirectory()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        throw Error(QStringLiteral("Nelze zjistit složku pro data uživatele (proměnné HOME a XDG_DATA_HOME)."));
    return data + QStringLiteral("/Ordex2000");
}

} // namespace

ProgramDirectory::ProgramDirectory(const QString &path)
    : m_path(QDir::cleanPath(QFileInfo(path.isEmpty() ? QStringLiteral(".") : path).absoluteFilePath()))
{
    if (!m_path.endsWith(QLatin1Char('/')))
        m_path += QLatin1Char('/');
}

ProgramDirectory ProgramDirectory::ofExecutable()
{
    return ProgramDirectory(QCoreApplication::applicationDirPath());
}

ProgramDirectory ProgramDirectory::locate(const QString &executableDir)
{
    const QString exeDir = executableDir.isEmpty() ? QCoreApplication::applicationDirPath() : executableDir;
    const QString installed = installedProgramFiles(exeDir);
    QString dir = qEnvironmentVariable(EnvironmentVariable);
    if (dir.isEmpty() && !installed.isEmpty())
        dir = userProgramDirectory();
    if (dir.isEmpty())
        return ProgramDirectory(exeDir);
    const ProgramDirectory located(dir);
    if (!installed.isEmpty())
        layOutFromInstalled(installed, located.path());
    return located;
}

QString ProgramDirectory::path() const { return m_path; }

QString ProgramDirectory::file(const QString &relative) const { return m_path + relative; }

QString ProgramDirectory::dataDir() const { return m_path + QStringLiteral("Data/"); }

QString ProgramDirectory::templateDir() const { return m_path + QStringLiteral("Data/Zaloha/"); }

QString ProgramDirectory::soundDir() const { return m_path + QStringLiteral("Zvuky/"); }

} // namespace platform
