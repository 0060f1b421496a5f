#include "PomocnikDialog.h"

#include "UvitaniDialog.h"

#include "core/SuiteSettings.h"
#include "platform/Sounds.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QShowEvent>

namespace guidance {

namespace {

const QColor Silver(192, 192, 192);

// The figure: an owl with spectacles sitting on a closed book.
QImage drawFigure()
{
    const int side = PomocnikDialog::Side;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(40, 30, 20), 1.5);

    // The book: cover, pages and spine.
    p.setPen(outline);
    p.setBrush(QColor(150, 30, 30));
    p.drawRoundedRect(QRectF(6, 80, 92, 20), 3, 3);
    p.setBrush(QColor(250, 248, 235));
    p.drawRect(QRectF(10, 80, 84, 8));
    p.setPen(QPen(QColor(190, 185, 165), 1));
    for (int y = 82; y < 88; y += 2)
        p.drawLine(QPointF(12, y), QPointF(92, y));
    p.setPen(QPen(QColor(230, 190, 60), 2));
    p.drawLine(QPointF(14, 94), QPointF(90, 94));

    // Ear tufts.
    p.setPen(outline);
    p.setBrush(QColor(120, 80, 45));
    p.drawPolygon(QPolygonF({QPointF(24, 28), QPointF(22, 6), QPointF(40, 20)}));
    p.drawPolygon(QPolygonF({QPointF(80, 28), QPointF(82, 6), QPointF(64, 20)}));

    // Body and head in one, with a lighter breast.
    p.drawEllipse(QRectF(18, 12, 68, 74));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 200, 150));
    p.drawEllipse(QRectF(32, 46, 40, 36));
    p.setPen(QPen(QColor(170, 130, 80), 1));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const qreal x = 40 + col * 8 + (row % 2) * 4;
            const qreal y = 56 + row * 7;
            p.drawArc(QRectF(x, y, 6, 5), 200 * 16, 140 * 16);
        }

    // Wings.
    p.setPen(outline);
    p.setBrush(QColor(100, 65, 35));
    p.drawChord(QRectF(14, 40, 22, 40), 90 * 16, 180 * 16);
    p.drawChord(QRectF(68, 40, 22, 40), -90 * 16, 180 * 16);

    // Eyes behind round spectacles.
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(28, 24, 22, 22));
    p.drawEllipse(QRectF(54, 24, 22, 22));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QRectF(35, 31, 9, 9));
    p.drawEllipse(QRectF(61, 31, 9, 9));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(38, 32, 3, 3));
    p.drawEllipse(QRectF(64, 32, 3, 3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 70), 2));
    p.drawEllipse(QRectF(27, 23, 24, 24));
    p.drawEllipse(QRectF(53, 23, 24, 24));
    p.drawLine(QPointF(51, 35), QPointF(53, 35));

    // Beak.
    p.setPen(outline);
    p.setBrush(QColor(240, 180, 40));
    p.drawPolygon(QPolygonF({QPointF(48, 44), QPointF(56, 44), QPointF(52, 53)}));

    // Feet on the book.
    p.setBrush(QColor(240, 180, 40));
    p.drawEllipse(QRectF(36, 78, 12, 6));
    p.drawEllipse(QRectF(56, 78, 12, 6));
    return image;
}

} // namespace

PomocnikDialog::PomocnikDialog(core::SuiteSettings &suite, platform::Sounds &sounds, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_suite(suite)
    , m_sounds(sounds)
    , m_picture(picture())
{
    setObjectName(QStringLiteral("PomocnikDialog"));
    setWindowTitle(QStringLiteral("Pomocník"));
    setFixedSize(Side, Side);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Silver);
    setPalette(palette);
    setAutoFillBackground(true);
    // The outline of the window follows the figure.
    setMask(QBitmap::fromImage(m_picture.toImage().createAlphaMask()));
    moveHome();
}

QPixmap PomocnikDialog::picture()
{
    return QPixmap::fromImage(drawFigure());
}

void PomocnikDialog::setWelcomeDialog(UvitaniDialog *welcome)
{
    m_welcome = welcome;
}

UvitaniDialog *PomocnikDialog::welcomeDialog() const
{
    return m_welcome;
}

void PomocnikDialog::setScreenSize(const QSize &size)
{
    m_screenSize = size;
}

QSize PomocnikDialog::screenSize() const
{
    if (m_screenSize.isValid())
        return m_screenSize;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(800, 600);
}

QPoint PomocnikDialog::homePosition() const
{
    const QSize screen = screenSize();
    return QPoint(screen.width() - Side - 12, screen.height() - Side - 30);
}

void PomocnikDialog::moveHome()
{
    move(homePosition());
}

void PomocnikDialog::centreOnScreen()
{
    const QSize screen = screenSize();
    move(screen.width() / 2 - width() / 2, screen.height() / 2 - height() / 2);
}

void PomocnikDialog::showAndRaise()
{
    if (isHidden())
        show();
    raise();
}

void PomocnikDialog::returnTo(const QPoint &position)
{
    hide();
    move(position);
    show();
}

void PomocnikDialog::placeBeside(QWidget *dialog, int extraTop)
{
    const bool on = m_suite.assistantShown();
    const QSize screen = screenSize();
    if (!(x() >= dialog->width() - 45 && y() <= screen.height() - Side - 25))
        returnTo(QPoint(screen.width() - Side - 7, screen.height() - Side - 25));
    // Also when the setting says on but the figure is hidden, so that the
    // balloon never points at nothing.
    if (!on || isHidden())
        showAndRaise();
    dialog->move(x() - dialog->width() + 45, y() + height() - dialog->height() + extraTop);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void PomocnikDialog::placeAbove(QWidget *dialog, const PanelPlacement &placement)
{
    const bool on = m_suite.assistantShown();
    const QSize screen = screenSize();
    if (x() < dialog->width() - width() + placement.a || y() < dialog->height() + placement.b)
        returnTo(QPoint(screen.width() - Side - placement.cx, screen.height() - Side - placement.cy));
    if (!on || isHidden())
        showAndRaise();
    dialog->move(x() + width() - dialog->width() - placement.c, y() - dialog->height() + 30);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void PomocnikDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void PomocnikDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // the window system restoring it is no new show
    m_sounds.play(QStringLiteral("PomocnikStart.wav"));
    m_suite.setAssistantShown(true);
}

void PomocnikDialog::endWithProgram()
{
    m_programEnded = true;
    m_dragging = false;
    hide();
}

void PomocnikDialog::closeEvent(QCloseEvent *event)
{
    m_dragging = false;
    event->accept();
    if (m_programEnded)
        return;
    m_sounds.play(QStringLiteral("PomocnikKonec.wav"));
    m_suite.setAssistantShown(false);
}

void PomocnikDialog::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The figure is its own caption: it moves with the mouse.
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void PomocnikDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void PomocnikDialog::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}

void PomocnikDialog::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        FormClick();
    }
}

void PomocnikDialog::FormClick()
{
    if (!m_welcome || !isEnabled())
        return;
    if (x() < m_welcome->width() - width() + 10 || y() < m_welcome->height() - 28)
        returnTo(homePosition());
    raise();
    // The welcome dialog disables the main window and us when it shows.
    m_welcome->show();
    m_welcome->raise();
    m_welcome->activateWindow();
}

} // namespace guidance
