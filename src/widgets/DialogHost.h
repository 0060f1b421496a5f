#pragma once

// What a dialog needs from the window that hosts it while it is up: the main
// window and the assistant are disabled so that the dialog behaves modally,
// its indicator picture is shown in the status bar, and its sound is played.

#include <QString>

namespace widgets {

class DialogHost
{
public:
    virtual ~DialogHost() = default;

    // Disables or enables the main window and the assistant together.
    virtual void setMainWindowEnabled(bool enabled) = 0;

    // Status-bar indicator pictures "SBO1".."SBO10" and "SBD1".."SBD4".
    virtual void setIndicatorVisible(const QString &name, bool visible) = 0;

    // Plays one of the program's sounds ("Dotaz.wav"); silent when missing.
    virtual void playSound(const QString &fileName) = 0;
};

} // namespace widgets
