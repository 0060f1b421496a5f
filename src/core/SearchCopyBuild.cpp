// The build of the search copy: an empty copy from its template, filled
// with the titled books of one catalogue, with its progress window.

#include "SearchCopy.h"

#include "AppSettings.h"
#include "AuxiliaryCopy.h"
#include "AuxiliaryFiles.h"
#include "DataModule.h"
#include "Shell.h"

#include "base/Error.h"
#include "dbase/Table.h"
#include "platform/Error.h"
#include "widgets/ProgressWindow.h"

#include <QPointer>
#include <optional>

namespace core {

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

void build(DataModule &data, AppSettings &settings, int slot, widgets::ProgressWindow &window)
{
    window.setText(QStringLiteral("Probíhá příprava pomocné databáze"));
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
    const int count = countTitledBooks(*catalogue);
    window.setPosition(100);
    window.setRange(count);
    window.setPosition(0);
    window.setText(QStringLiteral("Probíhá separace dat"));

    dbase::Table copy;
    copy.setDatabaseName(files.folder());
    copy.setTableName(AuxiliaryFiles::tableFileName());
    copy.open(); // a missing or damaged template stops the build here
    if (count > 0) {
        copyTitledBooks(*catalogue, copy, [&window](int copied) {
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

bool SearchCopy::rebuild(int slot, AppSettings &settings, Shell &shell)
{
    if (slot < 1 || slot > 4)
        return false;

    QPointer<widgets::ProgressWindow> window =
        new widgets::ProgressWindow(widgets::ProgressWindow::Kind::SearchCopy, QString(), shell);
    window->showPainted();

    QString failure;
    try {
        build(m_data, settings, slot, *window);
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

} // namespace core
