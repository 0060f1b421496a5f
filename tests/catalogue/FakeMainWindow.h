#pragma once

// A stand-in for the main window: the frame the catalogue windows live in,
// and a record of everything they ask of the main window and the assistant.

#include "catalogue/CatalogueHost.h"
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
    void setWindowEntryChecked(int slot, bool checked) override { entryChecked[slot] = checked; }
    void setWindowSeparatorVisible(bool visible) override { separatorVisible = visible; }
    void setClipboardCommandsEnabled(bool enabled) override { clipboardEnabled = enabled; }
    void setFileAndEditCommandsEnabled(bool enabled) override { fileAndEditEnabled = enabled; }
    void disableRecordCommands() override { ++recordCommandsDisabled; }
    void setCatalogueStatusText(const QString &text) override { statusText = text; }

    bool mainEnabled = true;
    QSet<QString> indicators;
    QStringList sounds;
    QStringList placedBeside;
    QStringList placedAbove;
    QMap<int, QString> entryCaption;
    QMap<int, bool> entryVisible;
    QMap<int, bool> entryChecked;
    bool separatorVisible = false;
    bool clipboardEnabled = false;
    bool fileAndEditEnabled = true;
    int recordCommandsDisabled = 0;
    QString statusText = QStringLiteral("unchanged");
    // Last, so that the windows in it go before the records above.
    QMdiArea area;
};
