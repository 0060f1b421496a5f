// ordex-report: writes one of the four reports of a catalogue to a PDF file,
// for lists kept in scripts or backed up as documents. It copies the
// catalogue into an auxiliary table of its own in a temporary folder, so the
// program's own search copy and its marker are never touched.

#include "ReportCommand.h"

#include <QGuiApplication>

#include <cstdio>
#include <malloc.h>

namespace {

// Qt's own notes (a missing runtime folder, font fallbacks) are not the
// tool's messages: standard error carries only what went wrong.
void quietNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg) {
        const QByteArray bytes = message.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // The PDF writer builds and compresses every page in buffers of its
    // own and frees them again: the memory is kept for the next page
    // instead of being handed back to the system and asked for anew, which
    // took a third of the time of a long report.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    if (qEnvironmentVariableIsEmpty("ORDEX_REPORT_DEBUG"))
        qInstallMessageHandler(quietNotes);
    // Reports need fonts, not a screen: run without one unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString output;
    QString error;
    const int code = ordexreport::run(app.arguments().mid(1), &output, &error);
    if (!output.isEmpty()) {
        const QByteArray bytes = output.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    }
    if (!error.isEmpty()) {
        const QByteArray bytes = error.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
    return code;
}
