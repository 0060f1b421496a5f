#include "OwnerLine.h"

#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

const QString Unknown = QStringLiteral("unknown");

} // namespace

QString registeredOwner()
{
    const passwd *account = getpwuid(getuid());
    if (!account || !account->pw_gecos)
        return Unknown;
    // The full name is the first field of the account's comment.
    const QString gecos = QString::fromLocal8Bit(account->pw_gecos);
    const QString name = gecos.section(QLatin1Char(','), 0, 0).trimmed();
    return name.isEmpty() ? Unknown : name;
}

QString registeredOrganization()
{
    const QString organization = qEnvironmentVariable("ORGANIZATION").trimmed();
    return organization.isEmpty() ? Unknown : organization;
}

} // namespace platform
