#include "Launcher.h"

#include "FileRules.h"

#include <QProcess>
#include <QStringList>

namespace platform {

namespace {

const QString ManualProgram = QStringLiteral("ManualTessera.exe");
const QString ManualPage = QStringLiteral("Html/Ordex2000/Index.htm");

} // namespace

bool launch(const QString &file, const QString &parameters, const QString &workingDirectory)
{
    if (file.isEmpty())
        return false;
    return QProcess::startDetached(file, QProcess::splitCommand(parameters), workingDirectory);
}

bool manualAvailable(const ProgramDirectory &dir)
{
    return !presenceTest(ManualProgram, dir.path()).isEmpty()
        && !presenceTest(ManualPage, dir.path()).isEmpty();
}

void launchManual(const ProgramDirectory &dir)
{
    if (!manualAvailable(dir))
        return;
    // The viewer is given its start page relative to the program directory,
    // which is the current directory of the program.
    launch(presenceTest(ManualProgram, dir.path()), ManualPage, dir.path());
}

} // namespace platform
