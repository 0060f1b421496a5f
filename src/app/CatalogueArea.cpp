#include "CatalogueArea.h"

#include "CommandIcons.h"

#include "core/Slots.h"

#include <QMdiSubWindow>
#include <QPainter>
#include <QScrollBar>

namespace app {

CatalogueArea::CatalogueArea(QWidget *parent)
    : QMdiArea(parent)
    , m_logo(areaLogo())
{
    setBackground(QColor(128, 128, 128));
    setActivationOrder(QMdiArea::CreationOrder);
    // A window that reaches past the area (a cascade in a small main window)
    // is scrolled to, so that no part of it is out of reach.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QMdiArea::subWindowActivated, this, &CatalogueArea::subWindowWasActivated);
}

void CatalogueArea::subWindowWasActivated(QMdiSubWindow *window)
{
    // A null window only means the frame lost the foreground.
    if (window && !m_held)
        m_active = window;
}

QMdiSubWindow *CatalogueArea::activeCatalogue() const
{
    if (m_active && m_active->isVisible() && subWindowList().contains(m_active.data()))
        return m_active;
    return currentSubWindow();
}

void CatalogueArea::hold()
{
    if (m_held)
        return;
    m_held = true;
    QWidget *focus = window()->focusWidget();
    QMdiSubWindow *active = activeCatalogue();
    m_focus = active && focus && active->isAncestorOf(focus) ? focus : nullptr;
}

void CatalogueArea::release()
{
    if (!m_held)
        return;
    m_held = false;
    QMdiSubWindow *active = activeCatalogue();
    if (!active)
        return;
    m_active = active;
    if (currentSubWindow() != active)
        setActiveSubWindow(active);
    // Without a focus widget of its own, the frame would hand the keyboard
    // to the first window in the tab chain when it comes back to the
    // foreground, and that window would become the active one.
    QWidget *focus = m_focus && m_focus->isEnabled() && active->isAncestorOf(m_focus) ? m_focus.data()
                                                                                       : active->widget();
    if (focus && (!window()->focusWidget() || !active->isAncestorOf(window()->focusWidget())))
        focus->setFocus(Qt::OtherFocusReason);
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
    // The windows fill the area as it is without scroll bars: once tiled they
    // fit, and the bars go.
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    const QRect area(QPoint(0, 0), maximumViewportSize());
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

void CatalogueArea::cascade(const std::function<bool(int slot)> &slotOpen)
{
    // A minimised window left an icon would get the client size as a bare
    // title bar.
    for (QMdiSubWindow *sub : subWindowList()) {
        if (sub->isMinimized())
            sub->showNormal();
    }
    cascadeSubWindows();
    for (int slot = 1; slot <= core::SlotCount; ++slot) {
        if (!slotOpen(slot))
            continue;
        if (QMdiSubWindow *sub = windowOfSlot(slot))
            setClientSize(sub, CascadeClientWidth, CascadeClientHeight);
    }
}

void CatalogueArea::minimiseAll()
{
    QMdiSubWindow *active = activeCatalogue();
    const QList<QMdiSubWindow *> windows = subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        (*it)->showMinimized();
    // Each minimise hands activation on; the window the user had stays his.
    if (active && active != currentSubWindow())
        setActiveSubWindow(active);
}

void CatalogueArea::arrangeIcons()
{
    const QRect area = viewport()->rect();
    int x = 0;
    int rowBottom = area.bottom() + 1; // the bottom edge of the current row
    int rowHeight = 0;
    for (QMdiSubWindow *sub : subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        const QSize s = sub->size();
        if (x > 0 && x + s.width() > area.width()) {
            x = 0;
            rowBottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = qMax(rowHeight, s.height());
        sub->move(x, rowBottom - s.height());
        x += s.width();
    }
}

void CatalogueArea::showWindowOfSlot(int slot)
{
    QMdiSubWindow *sub = windowOfSlot(slot);
    if (!sub)
        return;
    if (sub->isMinimized())
        sub->showNormal();
    else
        sub->show();
    setActiveSubWindow(sub);
    sub->raise();
}

QMdiSubWindow *CatalogueArea::windowOfSlot(int slot) const
{
    for (QMdiSubWindow *sub : subWindowList()) {
        if (core::slotOfWindowName(sub->objectName()) == slot)
            return sub;
        if (sub->widget() && core::slotOfWindowName(sub->widget()->objectName()) == slot)
            return sub;
    }
    return nullptr;
}

void CatalogueArea::setClientSize(QMdiSubWindow *window, int width, int height)
{
    const QSize frame = window->size() - window->contentsRect().size();
    window->resize(width + frame.width(), height + frame.height());
}

} // namespace app
