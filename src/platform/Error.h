#pragma once

#include <QString>

#include <stdexcept>

namespace platform {

// A failure of a file rule, an ini access or another service of the
// operating system; the message is ready to be shown to the user.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace platform
