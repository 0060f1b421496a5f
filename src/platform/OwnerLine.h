#pragma once

#include <QString>

namespace platform {

// The owner line of the splash window.
// The user's full name from the system account, "unknown" when not recorded.
QString registeredOwner();
// The ORGANIZATION environment variable, "unknown" when not set.
QString registeredOrganization();

} // namespace platform
