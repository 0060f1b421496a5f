#include "ProgramFolder.h"

#include "ProgramLayout.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"

#include <QFile>
#include <QTemporaryDir>

namespace testsupport {

QString layOutProgram(const QTemporaryDir &temp, OptionalCatalogues optional)
{
    const QString path = temp.path() + QLatin1Char('/');
    layOutProgramDirectory(path, LayoutMode::Fresh);
    if (optional == OptionalCatalogues::Created) {
        for (int slot = 2; slot <= 4; ++slot) {
            const QString file = path + QStringLiteral("Data/") + core::bookTableFile(slot);
            dbase::createTable(file, core::bookFields(), core::bookTags(), true);
        }
    }
    return path;
}

} // namespace testsupport
