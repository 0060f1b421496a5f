#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

// Lets only one instance of the program work at a time, per user. The lock
// is held until the guard is destroyed; a lock left by a crashed instance
// does not block the next start.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &key);
    ~SingleInstanceGuard();

    // True when another instance holds the key; otherwise this guard takes it.
    bool isAnotherRunning();

private:
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};

} // namespace platform
