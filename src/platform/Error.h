#pragma once

#include "base/Error.h"

namespace platform {

// A failure of a file rule, an ini access or another service of the
// operating system; the message is ready to be shown to the user.
class Error : public base::Error
{
public:
    explicit Error(const QString &message) : base::Error(message) {}
};

} // namespace platform
