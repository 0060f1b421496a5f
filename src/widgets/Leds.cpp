#include "Leds.h"

#include <QHash>
#include <QPainter>
#include <QRadialGradient>

namespace widgets {

namespace {

struct LedColors
{
    QColor light;
    QColor dark;
};

// Off is a dull green, on a bright green, down a deeper green as if pushed.
LedColors colorsFor(LedState state)
{
    switch (state) {
    case LedState::On:
        return {QColor(170, 255, 140), QColor(20, 160, 20)};
    case LedState::Down:
        return {QColor(90, 200, 70), QColor(0, 100, 0)};
    case LedState::Off:
        break;
    }
    return {QColor(225, 225, 225), QColor(120, 120, 120)};
}

void paintRoundLight(QPainter &p, const QRectF &r, LedState state)
{
    const LedColors c = colorsFor(state);
    QRadialGradient g(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() * 0.7);
    g.setColorAt(0, c.light);
    g.setColorAt(1, c.dark);
    p.setBrush(g);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.drawEllipse(r);
}

// A small bar light sunk into or raised from the surface.
void paintBarLight(QPainter &p, const QRect &r, LedState state, bool sunken)
{
    const QColor shadow(128, 128, 128);
    const QColor highlight(255, 255, 255);
    const QRect bar = r.adjusted(3, 2, -3, -2);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(sunken ? shadow : highlight);
    p.drawLine(bar.topLeft(), bar.topRight());
    p.drawLine(bar.topLeft(), bar.bottomLeft());
    p.setPen(sunken ? highlight : shadow);
    p.drawLine(bar.bottomLeft(), bar.bottomRight());
    p.drawLine(bar.topRight(), bar.bottomRight());
    const LedColors c = colorsFor(state);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, c.light);
    g.setColorAt(1, c.dark);
    p.fillRect(bar.adjusted(1, 1, 0, 0), g);
}

QPixmap paint(LedShape shape, LedState state)
{
    const QSize size = ledSize(shape);
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (shape) {
    case LedShape::Button:
        paintRoundLight(p, QRectF(0.5, 0.5, 10, 10), state);
        break;
    case LedShape::Round:
        paintRoundLight(p, QRectF(5.5, 3.5, 9, 9), state);
        break;
    case LedShape::ThreeDDown:
        paintBarLight(p, QRect(QPoint(0, 0), size), state, true);
        break;
    case LedShape::ThreeDUp:
        paintBarLight(p, QRect(QPoint(0, 0), size), state, false);
        break;
    }
    return pm;
}

} // namespace

QString ledName(LedShape shape, LedState state)
{
    const char *base = state == LedState::On ? "ON" : state == LedState::Down ? "DOWN" : "OFF";
    const char *suffix = "";
    switch (shape) {
    case LedShape::Button: suffix = ""; break;
    case LedShape::Round: suffix = "RND"; break;
    case LedShape::ThreeDDown: suffix = "3DWN"; break;
    case LedShape::ThreeDUp: suffix = "3UP"; break;
    }
    return QString::fromLatin1(base) + QString::fromLatin1(suffix);
}

QSize ledSize(LedShape shape)
{
    switch (shape) {
    case LedShape::Button: return {11, 11};
    case LedShape::Round: return {20, 16};
    case LedShape::ThreeDDown:
    case LedShape::ThreeDUp: return {20, 11};
    }
    return {11, 11};
}

QPixmap ledPixmap(LedShape shape, LedState state)
{
    static QHash<int, QPixmap> cache;
    const int key = int(shape) * 4 + int(state);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, paint(shape, state));
    return *it;
}

} // namespace widgets
