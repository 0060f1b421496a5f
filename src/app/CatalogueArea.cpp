#include "CatalogueArea.h"

#include "CommandIcons.h"

#include <QMdiSubWindow>
#include <QPainter>

namespace app {

CatalogueArea::CatalogueArea(QWidget *parent)
    : QMdiArea(parent)
    , m_logo(areaLogo())
{
    setBackground(QColor(128, 128, 128));
    setActivationOrder(QMdiArea::CreationOrder);
}

void CatalogueArea::paintEvent(QPaintEvent *event)
{
    QMdiArea::paintEvent(event);
    QPainter p(viewport());
    p.drawPixmap(3, 3, m_logo);
}

void CatalogueArea::tileSideBySide()
{
    tile(true);
}

void CatalogueArea::tileStacked()
{
    tile(false);
}

void CatalogueArea::tile(bool columns)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : subWindowList(QMdiArea::CreationOrder)) {
        if (w->isVisible() && !w->isMinimized())
            windows.append(w);
    }
    if (windows.isEmpty())
        return;
    const QRect area = viewport()->rect();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = windows.at(i);
        if (w->isMaximized())
            w->showNormal();
        QRect r;
        if (columns) {
            const int x0 = area.width() * i / n;
            const int x1 = area.width() * (i + 1) / n;
            r = QRect(x0, 0, x1 - x0, area.height());
        } else {
            const int y0 = area.height() * i / n;
            const int y1 = area.height() * (i + 1) / n;
            r = QRect(0, y0, area.width(), y1 - y0);
        }
        w->setGeometry(r);
    }
}

void CatalogueArea::setClientSize(QMdiSubWindow *window, int width, int height)
{
    const QSize frame = window->size() - window->contentsRect().size();
    window->resize(width + frame.width(), height + frame.height());
}

} // namespace app
