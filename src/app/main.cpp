// The program's entry: one instance at a time; the command line is not read.
// Its program directory is found as platform::ProgramDirectory::locate says
// (ORDEX_PROGRAM_DIR, the user's own folder of an installed program, or the
// folder of the executable).

#include "OrdexApplication.h"
#include "ProgramContext.h"

#include "widgets/ErrorBox.h"

#include <QDateTime>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <optional>

int main(int argc, char *argv[])
{
    app::OrdexApplication application(argc, argv);
    std::optional<platform::ProgramDirectory> dir;
    try {
        dir = platform::ProgramDirectory::locate();
    } catch (const std::exception &e) {
        // Nothing can be read or saved without the program directory.
        const QString message = QStringLiteral("Ordex 2000 nemůže připravit svou složku s daty.\n\n%1\n\n"
                                               "Program se nyní ukončí.")
                                    .arg(QString::fromUtf8(e.what()));
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
        QMessageBox *box = widgets::openErrorBox(nullptr, message);
        QObject::connect(box, &QObject::destroyed, &application, &QApplication::quit, Qt::QueuedConnection);
        application.exec();
        return 1;
    }
    app::ProgramContext context(*dir);
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
