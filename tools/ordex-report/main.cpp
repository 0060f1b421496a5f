// ordex-report: writes one of the four reports of a catalogue to a PDF file,
// for lists kept in scripts or backed up as documents. It copies the
// catalogue into an auxiliary table of its own in a temporary folder, so the
// program's own search copy and its marker are never touched.

#include "ReportCommand.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Reports need fonts, not a screen: run without one unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString error;
    const int code = ordexreport::run(app.arguments().mid(1), &error);
    if (!error.isEmpty()) {
        const QByteArray bytes = error.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    }
    return code;
}
