#pragma once

// Runs a command-line tool as people run it: its exit code and both outputs.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

struct ToolRun
{
    int code = -1; // -2: it did not end normally
    QString out;
    QString err;
};

// input goes to standard input; limit > 0 caps the size of every file the
// tool writes, as a full disk does (the signal of the limit is ignored, so
// writes fail with EFBIG).
inline ToolRun runProgram(const QString &program, const QStringList &args, const QByteArray &input = {},
                          qint64 limit = 0)
{
    QProcess p;
    if (limit > 0)
        p.setChildProcessModifier([limit] {
            const rlimit r{rlim_t(limit), rlim_t(limit)};
            ::setrlimit(RLIMIT_FSIZE, &r);
            ::signal(SIGXFSZ, SIG_IGN);
        });
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    ToolRun r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace testsupport
