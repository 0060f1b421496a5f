#include "ViewToggles.h"

#include "CommandTable.h"

#include "platform/Error.h"

#include <QAction>
#include <QWidget>

namespace app {

ViewToggles::ViewToggles(core::AppSettings &settings, CommandTable &commands, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
    using core::ViewElement;
    const ViewElement elements[Count] = {ViewElement::Standardni, ViewElement::Databaze,
                                         ViewElement::Okna,       ViewElement::TipyDne,
                                         ViewElement::StavovyRadek, ViewElement::PanelOutlook};
    for (int i = 0; i < Count; ++i) {
        Toggle &t = m_toggles[i];
        t.element = elements[i];
        t.menuItem = commands.action(core::viewToggle(i));
        t.twin = commands.twin(core::viewToggle(i));
    }
}

void ViewToggles::apply()
{
    for (int i = 0; i < Count; ++i)
        setShown(i, m_settings.viewShown(m_toggles[i].element), false);
}

void ViewToggles::toggle(int index)
{
    setShownAndWrite(index, !m_toggles[index].shown);
}

void ViewToggles::hide(int index)
{
    setShownAndWrite(index, false);
}

void ViewToggles::setShownAndWrite(int index, bool shown)
{
    try {
        setShown(index, shown, true);
    } catch (const platform::Error &e) {
        emit failed(e.message());
    }
}

void ViewToggles::setShown(int index, bool shown, bool write)
{
    Toggle &t = m_toggles[index];
    t.shown = shown;
    if (t.target)
        t.target->setVisible(shown);
    emit shownChanged(); // the check marks of the toggle and its twin
    if (write)
        m_settings.setViewShown(t.element, shown);
}

} // namespace app
