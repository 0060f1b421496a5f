#include "CommandIcons.h"
#include "widgets/Fonts.h"

#include <QFile>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace app {

namespace {

// Pictures taken from the desktop's icon theme, by index of the image list.
// An empty name is a picture we draw ourselves.
const char *const themeNames[CommandIconCount] = {
    "document-new",            // 0 optional catalogues
    "document-open",           // 1 open catalogue
    "document-print-preview",  // 2 preview
    "document-page-setup",     // 3 printer set-up
    "document-print",          // 4 print
    "edit-cut",                // 5
    "edit-copy",               // 6
    "edit-paste",              // 7
    "",                        // 8 delete record
    "accessories-text-editor", // 9 edit record
    "document-save",           // 10 save record
    "edit-find",               // 11 find
    "",                        // 12 first record
    "",                        // 13 previous record
    "",                        // 14 next record
    "",                        // 15 last record
    "",                        // 16 new record
    "document-properties",     // 17
    "dialog-information",      // 18 tips of the day
    "",                        // 19 tile horizontally
    "",                        // 20 tile vertically
    "",                        // 21 cascade
    "",                        // 22 minimise all
    "help-browser",            // 23 help
    "help-contents",           // 24 manual
    "edit-undo",               // 25 undo
    "application-exit",        // 26 exit
};

const char *const themeRoots[] = {"/usr/share/icons/Adwaita", "/usr/share/icons/hicolor"};
const char *const themeSizes[] = {"16x16", "24x24", "32x32", "48x48"};

// A small window frame with a blue caption, as the window commands show.
void drawWindow(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(40, 40, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 0.5, r.height() * 0.28),
               QColor(30, 70, 170));
}

QPixmap drawnIcon(int index, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const qreal s = size / 16.0;
    p.setRenderHint(QPainter::Antialiasing, index < 19);
    const QColor arrow(20, 70, 170);
    switch (index) {
    case 8: // delete: a red cross
        p.setPen(QPen(QColor(200, 30, 30), 2.6 * s, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4 * s, 4 * s), QPointF(12 * s, 12 * s));
        p.drawLine(QPointF(12 * s, 4 * s), QPointF(4 * s, 12 * s));
        break;
    case 12: // first: bar and arrow to the left
    case 13: // previous
    case 14: // next
    case 15: { // last
        const bool left = index <= 13;
        const bool bar = index == 12 || index == 15;
        p.setPen(QPen(arrow.darker(140), 1));
        p.setBrush(arrow);
        const qreal tip = left ? (bar ? 5.5 : 4) : (bar ? 10.5 : 12);
        const qreal base = left ? tip + 7 : tip - 7;
        const QPointF triangle[] = {{tip * s, 8 * s}, {base * s, 3 * s}, {base * s, 13 * s}};
        p.drawPolygon(triangle, 3);
        if (bar)
            p.drawRect(QRectF((left ? 2.5 : 11.5) * s, 3 * s, 2 * s, 10 * s));
        break;
    }
    case 16: // new record: a green plus
        p.setPen(QPen(QColor(20, 140, 40), 3 * s, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8 * s, 2.5 * s), QPointF(8 * s, 13.5 * s));
        p.drawLine(QPointF(2.5 * s, 8 * s), QPointF(13.5 * s, 8 * s));
        break;
    case 19: // side by side
        drawWindow(p, QRectF(1 * s, 2 * s, 6.5 * s, 12 * s));
        drawWindow(p, QRectF(8.5 * s, 2 * s, 6.5 * s, 12 * s));
        break;
    case 20: // one above the other
        drawWindow(p, QRectF(1 * s, 1 * s, 14 * s, 6.5 * s));
        drawWindow(p, QRectF(1 * s, 8.5 * s, 14 * s, 6.5 * s));
        break;
    case 21: // cascade
        drawWindow(p, QRectF(1 * s, 1 * s, 9 * s, 8 * s));
        drawWindow(p, QRectF(3.5 * s, 4 * s, 9 * s, 8 * s));
        drawWindow(p, QRectF(6 * s, 7 * s, 9 * s, 8 * s));
        break;
    case 22: // minimised caption bars
        for (int i = 0; i < 3; ++i) {
            const QRectF bar(1 * s, (3 + i * 4.5) * s, 14 * s, 3 * s);
            p.setPen(QPen(QColor(40, 40, 60), 1));
            p.setBrush(QColor(30, 70, 170));
            p.drawRect(bar);
            p.fillRect(QRectF(bar.right() - 4 * s, bar.top() + 1.5 * s, 2.5 * s, 1 * s), Qt::white);
        }
        break;
    default: { // a plain page when a theme picture is missing
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(250, 250, 240));
        p.drawRect(QRectF(3 * s, 1 * s, 10 * s, 14 * s));
        p.setPen(QColor(120, 120, 160));
        for (int y = 4; y <= 12; y += 2)
            p.drawLine(QPointF(5 * s, y * s), QPointF(11 * s, y * s));
    }
    }
    return pm;
}

QIcon makeIcon(int index)
{
    QIcon icon;
    const QString name = QString::fromLatin1(themeNames[index]);
    if (!name.isEmpty()) {
        for (const char *root : themeRoots) {
            for (const char *size : themeSizes) {
                const QString file = QStringLiteral("%1/%2/legacy/%3.png")
                                         .arg(QLatin1String(root), QLatin1String(size), name);
                if (QFile::exists(file))
                    icon.addFile(file);
            }
            if (!icon.isNull())
                return icon;
        }
    }
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(drawnIcon(index, size));
    return icon;
}

} // namespace

QIcon commandIcon(int index)
{
    if (index < 0 || index >= CommandIconCount)
        return {};
    static QHash<int, QIcon> cache;
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(index, makeIcon(index));
    return *it;
}

QPixmap indicatorPicture(const QString &name)
{
    const bool image1 = name == QLatin1String("Image1");
    const int size = image1 ? 18 : 15;
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, size - 3, size - 3);
    if (image1) { // a yellow light bulb of hints
        p.setPen(QPen(QColor(120, 90, 0), 1));
        p.setBrush(QColor(255, 220, 60));
        p.drawEllipse(QRectF(4, 1.5, 10, 10));
        p.fillRect(QRectF(7, 11.5, 4, 4), QColor(140, 140, 140));
        return pm;
    }
    // Dialog indicators are round lamps, each kind its own colour; catalogue
    // markers are square badges with the slot number.
    static const QHash<QString, QColor> lamps = {
        {"SBO1", QColor(40, 110, 220)},  {"SBO2", QColor(0, 150, 140)},
        {"SBO3", QColor(220, 150, 0)},   {"SBO4", QColor(130, 70, 190)},
        {"SBO5", QColor(120, 120, 120)}, {"SBO6", QColor(40, 170, 60)},
        {"SBO7", QColor(220, 40, 40)},   {"SBO8", QColor(240, 200, 0)},
        {"SBO9", QColor(120, 120, 120)}, {"SBO10", QColor(90, 200, 90)},
    };
    if (name.startsWith(QLatin1String("SBD"))) {
        p.setPen(QPen(QColor(20, 40, 110), 1));
        p.setBrush(QColor(60, 100, 200));
        p.drawRoundedRect(r, 2, 2);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, name.mid(3));
        return pm;
    }
    const QColor c = lamps.value(name, QColor(120, 120, 120));
    QRadialGradient g(r.center() - QPointF(2, 2), r.width() * 0.7);
    g.setColorAt(0, c.lighter(170));
    g.setColorAt(1, c);
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(g);
    p.drawEllipse(r);
    return pm;
}

QPixmap areaLogo()
{
    QPixmap pm(195, 41);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont f = widgets::serifFont(30, true, true);
    QPainterPath path;
    path.addText(4, 31, f, QStringLiteral("Ordex 2000"));
    QLinearGradient g(0, 0, 195, 0);
    g.setColorAt(0, QColor(200, 0, 0));
    g.setColorAt(1, QColor(0, 0, 200));
    p.setPen(QPen(QColor(60, 60, 60, 140), 1));
    p.setBrush(g);
    p.drawPath(path);
    return pm;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size / 16.0;
        // White page edges at the right and bottom, a red cover, a dark spine.
        p.setPen(QPen(QColor(90, 90, 90), 0.8 * s));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5 * s, 2.5 * s, 9 * s, 12 * s));
        p.setPen(QPen(QColor(110, 10, 10), 0.8 * s));
        p.setBrush(QColor(190, 30, 30));
        p.drawRect(QRectF(2.5 * s, 1.5 * s, 10 * s, 12 * s));
        p.fillRect(QRectF(2.9 * s, 1.9 * s, 1.8 * s, 11.2 * s), QColor(120, 15, 15));
        p.setPen(QPen(QColor(255, 215, 120), 1.0 * s));
        p.drawLine(QPointF(6 * s, 5 * s), QPointF(11 * s, 5 * s));
        p.drawLine(QPointF(6 * s, 7 * s), QPointF(10 * s, 7 * s));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace app
