// The program's entry: one instance at a time; the command line is not read.

#include "OrdexApplication.h"
#include "ProgramContext.h"

#include <QDateTime>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    app::OrdexApplication application(argc, argv);
    app::ProgramContext context(platform::ProgramDirectory::ofExecutable());
    QObject::connect(&context, &app::ProgramContext::finished, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    const bool first = context.start();
    if (first && qEnvironmentVariableIntValue("ORDEX_BENCH") == 1) {
        // For the start-up benchmark: the moment the main window is up.
        QTimer::singleShot(0, [] {
            std::printf("ORDEX_SHOWN %lld\n", QDateTime::currentMSecsSinceEpoch());
            std::fflush(stdout);
        });
    }
    return application.exec();
}
