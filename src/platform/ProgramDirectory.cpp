#include "ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

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

QString ProgramDirectory::path() const { return m_path; }

QString ProgramDirectory::file(const QString &relative) const { return m_path + relative; }

QString ProgramDirectory::dataDir() const { return m_path + QStringLiteral("Data/"); }

QString ProgramDirectory::templateDir() const { return m_path + QStringLiteral("Data/Zaloha/"); }

QString ProgramDirectory::soundDir() const { return m_path + QStringLiteral("Zvuky/"); }

} // namespace platform
