#include "AuxiliaryBuild.h"

#include "AuxiliaryFiles.h"
#include "InfoNajitDialog.h"

#include "base/Error.h"
#include "core/AppSettings.h"
#include "core/AuxiliaryCopy.h"
#include "core/DataModule.h"
#include "core/SearchCopy.h"
#include "core/Shell.h"
#include "dbase/Table.h"
#include "platform/Error.h"

#include <QPointer>
#include <optional>

namespace search {

namespace {

// How many records are copied between two looks at the progress window.
constexpr int RecordsPerLook = 256;

// The catalogue window follows the table once, when the copy is over (or
// has failed), not through every record of the copy.
class QuietCatalogue
{
public:
    explicit QuietCatalogue(dbase::Table *table)
        : m_table(table)
        , m_wasBlocked(table->blockSignals(true))
    {
    }
    ~QuietCatalogue()
    {
        m_table->blockSignals(m_wasBlocked);
        emit m_table->recordChanged();
    }
    QuietCatalogue(const QuietCatalogue &) = delete;
    QuietCatalogue &operator=(const QuietCatalogue &) = delete;

private:
    dbase::Table *m_table;
    bool m_wasBlocked;
};

void build(core::DataModule &data, core::AppSettings &settings, int slot, InfoNajitDialog &window)
{
    window.setPhase(QStringLiteral("Probíhá příprava pomocné databáze"));
    window.setPosition(16);
    dbase::Table *auxiliary = &data.searchCopy().table();
    data.searchCopy().release();
    auxiliary->setDatabaseName(data.programDirectory().dataDir());

    // The new copy is built beside the old one, which stays usable (and
    // described by the marker) until the new one is complete.
    AuxiliaryFiles files(data.programDirectory());
    window.setPosition(32);
    files.layOutTemplates([&window](int file) { window.setPosition(32 + 16 * file); });

    dbase::Table *catalogue = data.bookTable(slot);
    if (!catalogue->isActive())
        data.openTable(slot);
    std::optional<QuietCatalogue> quiet(catalogue);
    const int count = core::countTitledBooks(*catalogue);
    window.setPosition(100);
    window.setRange(count);
    window.setPosition(0);
    window.setPhase(QStringLiteral("Probíhá separace dat"));

    dbase::Table copy;
    copy.setDatabaseName(files.folder());
    copy.setTableName(AuxiliaryFiles::tableFileName());
    copy.open(); // a missing or damaged template stops the build here
    if (count > 0) {
        core::copyTitledBooks(*catalogue, copy, [&window](int copied) {
            if (copied % RecordsPerLook == 0) {
                window.setPosition(copied);
                window.keepPainted();
            }
        });
        window.setPosition(count);
    }
    copy.close(); // writes the index of the new copy
    quiet.reset();

    if (auxiliary->isActive())
        auxiliary->close();
    // While the files change places the marker describes no copy, so no
    // search can run on a mixture of the two.
    const int old = settings.auxiliarySlot();
    if (old != 0)
        settings.setAuxiliarySlot(0);
    try {
        files.putInPlace();
    } catch (const platform::Error &) {
        if (old != 0)
            settings.setAuxiliarySlot(old);
        throw;
    }
    settings.setAuxiliarySlot(slot);
}

} // namespace

bool runAuxiliaryBuild(core::DataModule &data, core::AppSettings &settings, core::Shell &shell,
                       int slot, BuildMode mode)
{
    Q_UNUSED(mode) // both modes build alike; the search mode's caller brings its dialogs back
    if (slot < 1 || slot > 4)
        return false;

    QPointer<InfoNajitDialog> window = new InfoNajitDialog(shell);
    window->show();
    window->repaint();

    QString failure;
    try {
        build(data, settings, slot, *window);
    } catch (const base::Error &error) {
        failure = error.message();
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    }
    if (window)
        window->close();
    if (!failure.isEmpty()) {
        shell.showError(failure);
        return false;
    }
    return true;
}

} // namespace search
