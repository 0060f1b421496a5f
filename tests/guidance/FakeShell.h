#pragma once

// A stand-in for the main window: records what the dialogs ask of it and
// places dialogs next to the real assistant.

#include "core/Shell.h"
#include "guidance/PomocnikDialog.h"

#include <QMap>
#include <QStringList>
#include <QWidget>

class FakeShell : public core::Shell
{
public:
    void setMainWindowEnabled(bool enabled) override
    {
        mainWindowEnabled = enabled;
        enableCalls.append(enabled);
        if (assistant)
            assistant->setEnabled(enabled);
    }
    void setIndicatorVisible(const QString &name, bool visible) override
    {
        indicators[name] = visible;
    }
    void playSound(const QString &fileName) override { sounds.append(fileName); }
    QWidget *activeCatalogueWindow() const override { return activeWindow; }
    int activeSlot() const override { return activeWindow ? 1 : 0; }
    void placeBesideAssistant(QWidget *dialog) override
    {
        besideCalls.append(dialog);
        if (assistant)
            assistant->placeBeside(dialog);
        else
            dialog->show();
    }
    void placeAboveAssistant(QWidget *dialog) override
    {
        if (assistant)
            assistant->placeAbove(dialog, guidance::PanelPlacement::Standard);
        else
            dialog->show();
    }

    bool indicator(const QString &name) const { return indicators.value(name, false); }

    guidance::PomocnikDialog *assistant = nullptr;
    QWidget *activeWindow = nullptr;
    bool mainWindowEnabled = true;
    QList<bool> enableCalls;
    QMap<QString, bool> indicators;
    QStringList sounds;
    QList<QWidget *> besideCalls;
};
