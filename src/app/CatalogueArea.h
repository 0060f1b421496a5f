#pragma once

// The grey area of the main window that holds the catalogue windows, with the
// program's picture in its top-left corner, and the window arrangements of
// the Okno menu. It shows scroll bars while a window reaches past it.

#include <QMdiArea>
#include <QPixmap>
#include <QPointer>

#include <functional>

namespace app {

class CatalogueArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit CatalogueArea(QWidget *parent = nullptr);

    // The client size a cascade gives the windows of the open catalogues.
    static constexpr int CascadeClientWidth = 517;
    static constexpr int CascadeClientHeight = 305;

    // Side by side in columns (horizontal tiling) or one above the other in
    // rows (vertical tiling); minimised windows keep their places.
    void tileSideBySide();
    void tileStacked();
    // Every window in the cascade, a minimised one restored first; then the
    // window of each slot that slotOpen tells is open gets the cascade's
    // client size.
    void cascade(const std::function<bool(int slot)> &slotOpen);
    // Every window minimised, from the last created to the first.
    void minimiseAll();
    // The minimised windows in a row along the bottom edge, in the order they
    // were created, wrapping upwards when the row is full.
    void arrangeIcons();

    // The catalogue window the user made active, which the commands act on.
    // While the frame is held for a dialog or a balloon, activations are not
    // the user's and leave it alone; release makes it active again, with the
    // keyboard inside it, so that the frame's return to the foreground (by a
    // window manager or by the program) finds it there.
    QMdiSubWindow *activeCatalogue() const;
    void hold();
    void release();

    // The window entries of the Okno menu (o11..o41): the slot's window
    // restored if minimised and brought to the front.
    void showWindowOfSlot(int slot);

    // The catalogue window of slot 1..4 by its name, or null.
    QMdiSubWindow *windowOfSlot(int slot) const;
    // Gives a window the client area width x height (its frame added).
    static void setClientSize(QMdiSubWindow *window, int width, int height);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void tile(bool columns);
    void subWindowWasActivated(QMdiSubWindow *window);

    QPixmap m_logo; // OB1
    QPointer<QMdiSubWindow> m_active;
    QPointer<QWidget> m_focus; // the keyboard's place in m_active when held
    bool m_held = false;
};

} // namespace app
