#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

namespace {

// A folder of this user only: the runtime folder, else the temporary folder
// with the user id in the file name.
QString lockPath(const QString &key)
{
    QString safeKey;
    for (const QChar c : key)
        safeKey += (c.isLetterOrNumber() && c.unicode() < 0x80) || c == QLatin1Char('-')
                ? c
                : QLatin1Char('_');
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir().mkpath(runtime))
        return runtime + QLatin1Char('/') + safeKey + QStringLiteral(".lock");
    return QDir::tempPath() + QLatin1Char('/') + safeKey + QLatin1Char('-')
        + QString::number(getuid()) + QStringLiteral(".lock");
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString &key)
    : m_key(key)
{
}

SingleInstanceGuard::~SingleInstanceGuard() = default; // unlocks a held lock

bool SingleInstanceGuard::isAnotherRunning()
{
    if (m_held)
        return false;
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(lockPath(m_key));
        // Held for the whole run: only a lock whose process is gone is stale.
        m_lock->setStaleLockTime(0);
    }
    // tryLock removes a lock left by a process that no longer runs.
    m_held = m_lock->tryLock(0);
    return !m_held;
}

} // namespace platform
