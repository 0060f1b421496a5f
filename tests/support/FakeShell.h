#pragma once

// The one stand-in for the main window in the tests: the shell every dialog
// asks (main window enabled, indicators, sounds, placement beside the
// assistant, errors) with the frame the catalogue windows live in. It
// records every request; the tests read the records.
//
// The frame is an ordinary QMdiArea, shown only when a test asks for it, so
// that the tests of the dialogs have no window of the main window on screen.

#include "core/Shell.h"

#include <QList>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

class FakeShell : public core::Shell
{
public:
    enum class Frame { Hidden, Shown };
    explicit FakeShell(Frame frame = Frame::Hidden);

    // core::Shell
    // Disables the frame for real, as the main window is disabled: the
    // catalogue windows in it go disabled with it; so does followsMainWindow.
    void setMainWindowEnabled(bool enabled) override;
    void setIndicatorVisible(const QString &name, bool visible) override;
    void playSound(const QString &fileName) override;
    // activeWindow when a test set one (slot activeWindowSlot), else the
    // active window of the frame (its slot from its name "DatabazeN…").
    QWidget *activeCatalogueWindow() const override;
    int activeSlot() const override;
    // Recorded by object name, then handed to placeBeside / placeAbove when a
    // test set them; otherwise shown where it is, as the main window does
    // without its assistant.
    void placeBesideAssistant(QWidget *dialog) override;
    void placeAboveAssistant(QWidget *dialog) override;
    // Recorded; the program's error box is opened as well unless
    // showErrorBoxes is off.
    void showError(const QString &message) override;

    bool indicator(const QString &name) const { return indicators.contains(name); }

    // What a test sets.
    QWidget *activeWindow = nullptr;
    int activeWindowSlot = 1;
    QPointer<QWidget> followsMainWindow; // enabled and disabled with the main window (the assistant)
    std::function<void(QWidget *)> placeBeside;
    std::function<void(QWidget *)> placeAbove;
    bool showErrorBoxes = true;

    // What the code under test asked.
    bool mainWindowEnabled = true;
    QList<bool> enableCalls;
    QSet<QString> indicators;
    QStringList sounds;
    QStringList placedBeside;
    QStringList placedAbove;
    QStringList errors;

    // Last, so that the windows in it go before the records above.
    QMdiArea area;
};
