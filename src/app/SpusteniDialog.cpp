#include "SpusteniDialog.h"

#include "platform/OwnerLine.h"
#include "widgets/Colors.h"
#include "widgets/GradientLabel.h"
#include "widgets/GradientProgressBar.h"
#include "widgets/Fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace app {

namespace {

constexpr QRect StripRect(2, 2, 335, 16);
constexpr QRect BoxRect(13, 92, 313, 81);
constexpr QRect PictureRect(247, 95, 73, 74);
constexpr QRect MeterStripRect(86, 250, 249, 34);

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry, const QFont &font,
              const QColor &color, Qt::Alignment align = Qt::AlignCenter)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setFont(font);
    l->setAlignment(align);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
    return l;
}

// A small stack of books, the picture at the right end of the owner box.
void paintBooks(QPainter &p, const QRect &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor spines[] = {QColor(170, 30, 30), QColor(30, 80, 160), QColor(40, 130, 60),
                             QColor(200, 150, 30)};
    const int w = 12;
    for (int i = 0; i < 4; ++i) {
        const int h = 52 + (i % 2) * 8 - i * 2;
        QRectF book(r.left() + 8 + i * (w + 2), r.bottom() - 6 - h, w, h);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(spines[i]);
        p.drawRoundedRect(book, 2, 2);
        p.setPen(QPen(QColor(255, 230, 150), 1));
        p.drawLine(QPointF(book.left() + 2, book.top() + 8), QPointF(book.right() - 2, book.top() + 8));
        p.drawLine(QPointF(book.left() + 2, book.bottom() - 8), QPointF(book.right() - 2, book.bottom() - 8));
    }
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(r.left() + 4, r.bottom() - 5), QPointF(r.right() - 4, r.bottom() - 5));
    p.restore();
}

} // namespace

SpusteniDialog::SpusteniDialog(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SpusteniDialog"));
    setFixedSize(ClientWidth, ClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    label(this, QStringLiteral("Ordex 2000 – katalog soukromé knihovny"), StripRect.adjusted(4, 0, -4, 0),
          widgets::serifFont(11, false, true), Qt::white);

    auto *title = new widgets::GradientLabel(QStringLiteral("Ordex 2000"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(widgets::serifFont(37, true, true));
    title->setAlignment(Qt::AlignHCenter);
    title->setGeometry(2, 20, 335, 46);
    auto *version = new widgets::GradientLabel(QStringLiteral("verze 5.0"), this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setFont(widgets::serifFont(19, true, true));
    version->setAlignment(Qt::AlignHCenter);
    version->setGeometry(2, 64, 335, 24);

    // The owner box: three centred lines in a 232-pixel column.
    const int column = BoxRect.left() + 8;
    label(this, QStringLiteral("Oprávněný uživatel této kopie"), QRect(column, 100, 232, 18), widgets::serifFont(12),
          Qt::white);
    m_owner = label(this, QString(), QRect(column, 122, 232, 20), widgets::serifFont(13, true), Qt::white);
    m_owner->setObjectName(QStringLiteral("Label4"));
    m_organisation = label(this, QString(), QRect(column, 144, 232, 20), widgets::serifFont(13, true), Qt::white);
    m_organisation->setObjectName(QStringLiteral("Label5"));

    label(this, QStringLiteral("Program je chráněn autorským zákonem."), QRect(2, 186, 335, 17),
          widgets::serifFont(12), Qt::black);
    label(this, QStringLiteral("Šíření bez souhlasu autora je zakázáno."), QRect(2, 204, 335, 17),
          widgets::serifFont(12), Qt::black);

    auto *wait = label(this, QStringLiteral("Malé strpení, spouštím program"), QRect(8, 255, 71, 25),
                       widgets::serifFont(9), Qt::black, Qt::AlignLeft | Qt::AlignTop);
    wait->setWordWrap(true);

    m_metr = new widgets::GradientProgressBar(this);
    m_metr->setObjectName(QStringLiteral("Metr"));
    m_metr->setRange(0, 100);
    m_metr->setColors(Qt::white, Qt::red);
    m_metr->setGeometry(MeterStripRect.left() + 9, MeterStripRect.top() + 8, 231, 17);
    m_metr->setValue(0);

    FormCreate();

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - ClientWidth) / 2, s.y() + (s.height() - ClientHeight) / 2);
    }
}

void SpusteniDialog::FormCreate()
{
    m_owner->setText(platform::registeredOwner());
    m_organisation->setText(platform::registeredOrganization());
}

void SpusteniDialog::setProgress(int value)
{
    m_metr->setValue(value);
    m_history.append(value);
    if (isVisible())
        m_metr->repaint();
    emit progressChanged(value);
}

int SpusteniDialog::progress() const
{
    return m_metr->value();
}

void SpusteniDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Black frame around the pale yellow panel.
    p.fillRect(rect(), Qt::black);
    p.fillRect(rect().adjusted(2, 2, -2, -2), widgets::fromColorRef(widgets::colorref::LightYellow));
    p.fillRect(StripRect, Qt::black);

    // The owner box: black, white outline and a second one 2 pixels inside.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(BoxRect).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(BoxRect).adjusted(3.5, 3.5, -3.5, -3.5), 8, 8);
    paintBooks(p, PictureRect);
    p.setRenderHint(QPainter::Antialiasing, false);

    p.fillRect(MeterStripRect, Qt::black);
}

} // namespace app
