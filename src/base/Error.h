#pragma once

// The one error base of the program. The table engine (dbase::Error) and the
// services of the operating system (platform::Error) derive from it, so that
// a command which may meet either catches it once and shows its message.
// Header-only and below every layer: it needs nothing but QtCore.

#include <QString>

#include <stdexcept>

namespace base {

// A failure whose message is in Czech, ready to be shown to the user as it
// stands. Only the layers' own errors are thrown; this is what is caught.
class Error : public std::runtime_error
{
public:
    QString message() const { return m_message; }

protected:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

private:
    QString m_message;
};

} // namespace base
