#include "BalloonShape.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace widgets {

namespace {

QPolygon pointer(BalloonPosition position, int w, int h, int e, int i)
{
    switch (position) {
    case BalloonPosition::RightTop:
        return QPolygon({QPoint(w, e), QPoint(w - i - 1, e), QPoint(w - i - 1, i + e)});
    case BalloonPosition::BottomRight:
        return QPolygon({QPoint(w - e, h), QPoint(w - e, h - i - 1), QPoint(w - e - i, h - i - 1)});
    case BalloonPosition::None:
        break;
    }
    return {};
}

QPainterPath roundedBody(const QRect &body, int ellipse)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(body), ellipse / 2.0, ellipse / 2.0);
    return path;
}

} // namespace

QRect balloonBody(BalloonPosition position, const QSize &client, int indent)
{
    const int w = client.width();
    const int h = client.height();
    switch (position) {
    case BalloonPosition::RightTop:
        return QRect(0, 0, qMax(0, w - indent), h);
    case BalloonPosition::BottomRight:
        return QRect(0, 0, w, qMax(0, h - indent));
    case BalloonPosition::None:
        break;
    }
    return QRect(QPoint(0, 0), client);
}

QRegion balloonRegion(BalloonPosition position, const QSize &client, int ellipse, int indent)
{
    if (client.isEmpty())
        return {};
    const QRect body = balloonBody(position, client, indent);
    QRegion region(roundedBody(body, ellipse).toFillPolygon().toPolygon());
    const QPolygon tip = pointer(position, client.width(), client.height(), ellipse, indent);
    if (!tip.isEmpty())
        region = region.united(QRegion(tip));
    return region.intersected(QRect(QPoint(0, 0), client));
}

QPainterPath balloonOutline(BalloonPosition position, const QSize &client, int ellipse, int indent)
{
    QPainterPath path = roundedBody(balloonBody(position, client, indent), ellipse);
    const QPolygon tip = pointer(position, client.width(), client.height(), ellipse, indent);
    if (!tip.isEmpty()) {
        QPainterPath triangle;
        triangle.addPolygon(QPolygonF(tip));
        triangle.closeSubpath();
        path = path.united(triangle);
    }
    return path;
}

void paintBalloonOutline(QPainter &painter, BalloonPosition position, const QSize &client,
                         int ellipse, int indent)
{
    if (client.isEmpty())
        return;
    // The outline is every pixel of the region that touches a pixel outside
    // it, so the line sits exactly on the edge the window is cut to.
    QImage inside(client, QImage::Format_Grayscale8);
    inside.fill(0);
    {
        QPainter p(&inside);
        p.setClipRegion(balloonRegion(position, client, ellipse, indent));
        p.fillRect(inside.rect(), Qt::white);
    }
    QImage line(client, QImage::Format_ARGB32_Premultiplied);
    line.fill(Qt::transparent);
    const int w = client.width();
    const int h = client.height();
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && inside.constScanLine(y)[x] != 0;
    };
    for (int y = 0; y < h; ++y) {
        auto *out = reinterpret_cast<QRgb *>(line.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (in(x, y) && (!in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1)))
                out[x] = qRgb(0, 0, 0);
        }
    }
    painter.drawImage(0, 0, line);
}

} // namespace widgets
