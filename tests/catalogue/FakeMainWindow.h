#pragma once

// A stand-in for the main window: the frame the catalogue windows live in,
// a record of everything they ask of the main window and the assistant, and
// the command states the main window would show, from the active window's
// snapshot through the availability table.

#include "catalogue/Availability.h"
#include "catalogue/CatalogueHost.h"
#include "catalogue/CatalogueWindow.h"
#include "core/Shell.h"

#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSet>
#include <QStringList>

class FakeMainWindow : public core::Shell, public catalogue::CatalogueHost
{
public:
    FakeMainWindow() { area.resize(1200, 800); area.show(); }

    // Shell
    void setMainWindowEnabled(bool enabled) override
    {
        // Disabled for real, as the main window is: the catalogue windows in
        // the frame go disabled with it.
        mainEnabled = enabled;
        area.setEnabled(enabled);
    }
    void setIndicatorVisible(const QString &name, bool visible) override
    {
        if (visible)
            indicators.insert(name);
        else
            indicators.remove(name);
    }
    void playSound(const QString &fileName) override { sounds << fileName; }
    QWidget *activeCatalogueWindow() const override { return area.activeSubWindow(); }
    int activeSlot() const override
    {
        const QMdiSubWindow *sub = area.activeSubWindow();
        if (!sub)
            return 0;
        const QString name = sub->objectName();
        return name.startsWith(QLatin1String("Databaze")) ? name.mid(8, 1).toInt() : 0;
    }
    void placeBesideAssistant(QWidget *dialog) override { placedBeside << dialog->objectName(); }
    void placeAboveAssistant(QWidget *dialog) override { placedAbove << dialog->objectName(); }

    // CatalogueHost
    QMdiArea *mdiArea() const override { return const_cast<QMdiArea *>(&area); }
    void setWindowEntry(int slot, const QString &caption, bool visible) override
    {
        entryCaption[slot] = caption;
        entryVisible[slot] = visible;
    }

    // What the main window's command would show now.
    catalogue::CommandState commandState(catalogue::Command command) const
    {
        catalogue::ProgramState state;
        if (catalogue::CatalogueWindow *w = catalogue::CatalogueWindow::of(area.activeSubWindow()))
            state.active = w->snapshot();
        return catalogue::availability(state, command);
    }
    bool enabled(catalogue::Command command) const { return commandState(command).enabled; }

    bool mainEnabled = true;
    QSet<QString> indicators;
    QStringList sounds;
    QStringList placedBeside;
    QStringList placedAbove;
    QMap<int, QString> entryCaption;
    QMap<int, bool> entryVisible;
    // Last, so that the windows in it go before the records above.
    QMdiArea area;
};
