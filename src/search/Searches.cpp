#include "Searches.h"

#include "NajitDialog.h"
#include "PomocnaDialog.h"
#include "SearchKeys.h"
#include "VysledekDialog.h"

#include "core/DataModule.h"
#include "core/SearchCopy.h"
#include "dbase/Table.h"

namespace search {

Searches::Searches(const SearchServices &services, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_find(new NajitDialog(services.shell))
    , m_pomocna(new PomocnaDialog(services.settings, services.shell))
    , m_results(new VysledekDialog(services.data, services.shell))
{
    connect(m_find, &NajitDialog::keyChosen, this, &Searches::keyChosen);
    connect(m_pomocna, &PomocnaDialog::buildChosen, this, &Searches::buildChosen);
    connect(m_pomocna, &PomocnaDialog::searchChosen, this, &Searches::searchChosen);
    // However PomocnaDialog goes away, the find dialog under it takes input again.
    connect(m_pomocna, &widgets::BalloonWindow::closed, this, [this] { m_find->setEnabled(true); });
}

Searches::~Searches()
{
    delete m_results;
    delete m_pomocna;
    delete m_find;
}

void Searches::showFindDialog(int slot)
{
    m_find->setSlot(slot);
    if (m_find->slot() == 0)
        return;
    m_find->showAboveAssistant();
}

void Searches::keyChosen(int k)
{
    // Whatever a report left on the copy, the search reads all of it.
    m_services.data.searchCopy().release();
    m_pomocna->setSearch(m_find->slot(), k, QString::fromUtf8(searchKey(k).heading));
    m_find->setEnabled(false);
    m_pomocna->move(PomocnaDialog::placeFor(m_find->pos(), k));
    m_pomocna->show();
    m_pomocna->raise();
    m_pomocna->activateWindow();
}

void Searches::buildChosen()
{
    const int slot = m_pomocna->slot();
    const int top = m_pomocna->y();
    m_pomocna->close();
    m_find->setEnabled(true);
    m_find->close();
    if (!m_services.data.searchCopy().rebuild(slot, m_services.settings, m_services.shell))
        return; // the error box says why; the main window takes input again
    // Back at the choice: the find dialog with PomocnaDialog over it, which
    // now offers the search in the new copy.
    m_find->show();
    m_find->setEnabled(false);
    m_pomocna->move(m_pomocna->x(), top);
    m_pomocna->show();
    m_pomocna->raise();
    m_pomocna->activateWindow();
    try {
        m_services.data.openTable(5);
    } catch (const dbase::Error &) {
        // The results window opens it again and reports what is wrong.
    }
}

void Searches::searchChosen()
{
    const int k = m_pomocna->key();
    const int slot = m_pomocna->slot();
    const QString heading = m_pomocna->heading();
    m_pomocna->close();
    m_find->setEnabled(true);
    m_find->close();
    m_results->start(k, slot, heading);
}

} // namespace search
