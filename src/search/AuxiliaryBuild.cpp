#include "AuxiliaryBuild.h"

#include "core/AuxiliaryCopy.h"
#include "platform/Error.h"
#include "platform/FileRules.h"

#include <QMessageBox>

namespace search {

// The build without its window, until the search windows bring theirs.
bool runAuxiliaryBuild(core::DataModule &data, core::AppSettings &settings, core::Shell &shell,
                       int slot, BuildMode)
{
    try {
        dbase::Table *aux = data.auxiliaryTable();
        aux->close();
        platform::restoreTemplate(data.programDirectory(), QStringLiteral("VazonI"));
        if (slot >= 1 && slot <= 4) {
            dbase::Table *book = data.bookTable(slot);
            if (!book->isActive())
                data.openTable(slot);
            data.openTable(5);
            core::copyTitledBooks(*book, *aux);
            aux->close();
        }
        settings.setAuxiliarySlot(slot);
        shell.setMainWindowEnabled(true);
        return true;
    } catch (const platform::Error &e) {
        shell.setMainWindowEnabled(true);
        QMessageBox::critical(nullptr, QStringLiteral("Ordex 2000"), e.message());
    } catch (const std::exception &e) {
        shell.setMainWindowEnabled(true);
        QMessageBox::critical(nullptr, QStringLiteral("Ordex 2000"), QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace search
