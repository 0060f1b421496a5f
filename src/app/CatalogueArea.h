#pragma once

// The grey area of the main window that holds the catalogue windows, with the
// program's picture in its top-left corner, and the window arrangements of
// the Okno menu.

#include <QMdiArea>
#include <QPixmap>

namespace app {

class CatalogueArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit CatalogueArea(QWidget *parent = nullptr);

    // Side by side in columns (horizontal tiling) or one above the other in
    // rows (vertical tiling); minimised windows keep their places.
    void tileSideBySide();
    void tileStacked();
    // Gives a window the client area width x height (its frame added).
    static void setClientSize(QMdiSubWindow *window, int width, int height);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void tile(bool columns);

    QPixmap m_logo; // OB1
};

} // namespace app
