#include "ViewToggles.h"

#include "CommandTable.h"

#include "platform/Error.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace app {

namespace {

struct ToggleText
{
    const char *name;
    const char *caption;
    const char *hint;
    const char *twinName;
    const char *twinCaption;
};

const ToggleText texts[ViewToggles::Count] = {
    {"PN1", "Standardní", "Zobrazí nebo skryje panel Standardní", "P1M1", "Standardní"},
    {"PN2", "Databáze", "Zobraz nebo skryje panel Databáze", "P1M2", "Databáze"},
    {"PN3", "Okna", "Zobrazí nebo skryje panel Okna", "P1M3", "Okna"},
    {"PN4", "Tipy dne", "Zobrazí nebo skryje panel Tipy dne", "P1M4", "Tipy dne"},
    {"MZ2", "Stavový řáde&k", "Zobrazí nebo skryje stavový řádek", "P1M5", "Stavový řádek"},
    {"MZ3", "Panel &Outlook", "Zobrazí nebo skryje panel Outlook", "P1M6", "Panel Outlook"},
};

QAction *makeToggle(CommandTable &commands, const char *name, const char *caption, const char *hint)
{
    QAction *a = commands.addAction(QLatin1String(name), QString::fromUtf8(caption), QKeySequence(), -1,
                                    QString::fromUtf8(hint));
    a->setCheckable(true); // ticked by the command states' refresh
    return a;
}

} // namespace

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
        t.menuItem = makeToggle(commands, texts[i].name, texts[i].caption, texts[i].hint);
        t.twin = makeToggle(commands, texts[i].twinName, texts[i].twinCaption, texts[i].hint);
        connect(t.menuItem, &QAction::triggered, this, [this, i] { toggle(i); });
        connect(t.twin, &QAction::triggered, this, [this, i] { toggle(i); });
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
