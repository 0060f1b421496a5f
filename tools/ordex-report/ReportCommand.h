#pragma once

#include <QString>
#include <QStringList>

namespace ordexreport {

// Exit codes: 0 written (or the usage or version asked for), 1 the table or
// the file failed, 2 a bad argument.
enum ExitCode { Written = 0, Failed = 1, BadArguments = 2 };

// Runs one command line (without the program name); *output receives the
// text for standard output (--help, --version), *error the message for
// standard error (the usage on a bad argument).
int run(const QStringList &arguments, QString *output, QString *error);

} // namespace ordexreport
