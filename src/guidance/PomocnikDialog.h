#pragma once

// The assistant figure: a small shaped picture window that stands at the
// bottom right of the screen above every other window. The program's dialogs
// gather around it: question balloons at its left, larger dialogs above it.
// Its visibility is the family setting [Nastaveni] Pomocnik of Tessera.ini.

#include "PanelPlacement.h"

#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QWidget>

namespace core {
class SuiteSettings;
}
namespace platform {
class Sounds;
}

namespace guidance {

class UvitaniDialog;

class PomocnikDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Side = 104; // client width and height

    // Created once at start-up; placed in its home corner, hidden.
    // Give no parent: the main window is disabled while dialogs are up and a
    // disabled parent would disable the assistant's own input with it.
    PomocnikDialog(core::SuiteSettings &suite, platform::Sounds &sounds, QWidget *parent = nullptr);

    // The welcome dialog that a double-click on the figure opens. Without
    // one (the second instance creates none) a double-click does nothing.
    void setWelcomeDialog(UvitaniDialog *welcome);
    UvitaniDialog *welcomeDialog() const;

    // The screen the corner positions are worked out on; the primary
    // screen's geometry unless set (tests set a fixed size).
    void setScreenSize(const QSize &size);
    QSize screenSize() const;

    // The home corner: (screen width - 104 - 12, screen height - 104 - 30).
    QPoint homePosition() const;
    void moveHome();
    // The second instance stands in the middle of the screen.
    void centreOnScreen();

    // Shows the assistant when it is hidden and brings it to the front.
    void showAndRaise();

    // A question or warning balloon at the assistant's left, bottom edges
    // level (plus extraTop), overlapping the assistant by 45 pixels; the
    // assistant returns to its corner first when the balloon would not fit,
    // and is shown when it is off or hidden. Then the balloon is shown.
    void placeBeside(QWidget *dialog, int extraTop = 0);
    // A larger dialog above the assistant by one of the placement rows, with
    // the same return to the corner and the same show of the assistant.
    void placeAbove(QWidget *dialog, const PanelPlacement &placement);

    // The program ends: the assistant goes with it. Only the user's own close
    // switches it off in Tessera.ini; this one, and the close the
    // application sends every window when it quits, leave Pomocnik as it is.
    void endWithProgram();

    // The figure, also used (scaled) by the about box.
    static QPixmap picture();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void FormClick();
    // Hides, moves and shows again, as the placement rules ask.
    void returnTo(const QPoint &position);

    core::SuiteSettings &m_suite;
    platform::Sounds &m_sounds;
    UvitaniDialog *m_welcome = nullptr;
    QSize m_screenSize;
    QPixmap m_picture;
    bool m_dragging = false;
    bool m_programEnded = false;
    QPoint m_dragOffset;
};

} // namespace guidance
