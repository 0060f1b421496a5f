#include "StartupGuidance.h"

#include "PomocnikDialog.h"
#include "UvitaniDialog.h"

#include "core/Shell.h"

namespace guidance {

void runStartupGuidance(PomocnikDialog &assistant, UvitaniDialog &welcome, core::Shell &shell,
                        bool assistantOn, bool welcomeOn)
{
    if (!assistantOn)
        return; // the assistant stays hidden and no welcome dialog is shown
    if (welcomeOn) {
        // The welcome dialog stands above the assistant; make room for it.
        if (assistant.x() < welcome.width() - assistant.width()
            || assistant.y() < welcome.height() + 5)
            assistant.moveHome();
        assistant.raise();
        shell.setMainWindowEnabled(true);
        welcome.setShowAtStart(true);
        welcome.show();
    }
    assistant.showAndRaise();
    if (welcome.isVisible()) {
        // Keys go to the welcome dialog, and its pointer stays in sight.
        welcome.raise();
        welcome.activateWindow();
    }
}

} // namespace guidance
