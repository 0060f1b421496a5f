#pragma once

// What every dialog may ask of the main window and the assistant, so that the
// feature folders never include the application layer. The main window
// implements it; tests implement it with a small fake.

#include "widgets/DialogHost.h"
#include "widgets/ErrorBox.h"

#include <QString>

class QWidget;

namespace core {

// setMainWindowEnabled, setIndicatorVisible and playSound come from
// widgets::DialogHost, which the balloons and dialogs of the widget layer use.
class Shell : public widgets::DialogHost
{
public:
    // The active catalogue window and its slot 1..4 (0 when none is active).
    virtual QWidget *activeCatalogueWindow() const = 0;
    virtual int activeSlot() const = 0;

    // The two placements next to the assistant figure. Both show the assistant
    // first when it is not shown.
    // Balloon: left of the assistant, bottom edges aligned.
    virtual void placeBesideAssistant(QWidget *dialog) = 0;
    // Panel: above the assistant; the assistant goes back to its home place
    // when the dialog would not fit.
    virtual void placeAboveAssistant(QWidget *dialog) = 0;

    // Shows the message of a failure in the program's error box without
    // waiting for it to be closed. The main window parents the box on itself.
    virtual void showError(const QString &message) { widgets::openErrorBox(nullptr, message); }
};

} // namespace core
