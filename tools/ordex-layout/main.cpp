// ordex-layout: lays out the program directory after every build. Templates
// and sounds are written anew; the user's tables and settings are kept.

#include "ProgramLayout.h"

#include <QCoreApplication>

#include <cstdio>
#include <stdexcept>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fputs("Použití: ordex-layout SLOŽKA_PROGRAMU\n", stderr);
        return 2;
    }
    try {
        layOutProgramDirectory(args.at(1), LayoutMode::KeepUserData);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "ordex-layout: %s\n", e.what());
        return 1;
    }
    return 0;
}
