#include "KopieDialog.h"

#include "widgets/Colors.h"
#include "widgets/OfficeButton.h"
#include "widgets/Fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace app {

KopieDialog::KopieDialog(QWidget *assistant, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::RightTop)
    , m_assistant(assistant)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("KopieDialog"));
    setWindowTitle(QStringLiteral("Ordex 2000"));
    setFixedSize(DialogWidth, DialogHeight);
    setBackgroundColor(widgets::fromColorRef(widgets::colorref::StrongPink));
    setFocusPolicy(Qt::StrongFocus);

    auto *title = new QLabel(QStringLiteral("Ordex 2000"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(widgets::serifFont(13, true));
    title->setGeometry(34, 8, 200, 18);
    auto *message = new QLabel(QStringLiteral("Pozor ! Již máte spuštěnu jednu kopii tohoto programu."), this);
    message->setObjectName(QStringLiteral("Label2"));
    message->setFont(widgets::serifFont(13, false));
    message->setGeometry(10, 32, 290, 18);

    auto *ok = new widgets::OfficeButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OfficeButton2"));
    ok->setGeometry((DialogWidth - 15 - 64) / 2, 66, 64, 20);
    connect(ok, &widgets::OfficeButton::clicked, this, &KopieDialog::OfficeButton2Click);

    // Blinks from creation on, starting with the strong pink.
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &KopieDialog::Timer1Timer);
    m_timer->start();
}

void KopieDialog::placeBesideAssistant()
{
    const QRect a = m_assistant->geometry();
    move(a.left() - DialogWidth + 35, a.top() + a.height() - DialogHeight);
}

void KopieDialog::Timer1Timer()
{
    const QColor strong = widgets::fromColorRef(widgets::colorref::StrongPink);
    const QColor light = widgets::fromColorRef(widgets::colorref::LightPink);
    setBackgroundColor(backgroundColor() == light ? strong : light);
}

void KopieDialog::showEvent(QShowEvent *event)
{
    widgets::BalloonWindow::showEvent(event);
    // The assistant ignores clicks while the notice is up.
    m_assistant->setEnabled(false);
    activateWindow();
    setFocus();
}

void KopieDialog::closeEvent(QCloseEvent *event)
{
    m_assistant->setEnabled(true);
    widgets::BalloonWindow::closeEvent(event);
}

void KopieDialog::OfficeButton2Click()
{
    m_assistant->setEnabled(true);
    m_timer->stop();
    hide();
    m_assistant->close();
    emit confirmed();
}

void KopieDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        OfficeButton2Click();
        return;
    default:
        widgets::BalloonWindow::keyPressEvent(event);
    }
}

void KopieDialog::paintEvent(QPaintEvent *event)
{
    widgets::BalloonWindow::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A small exclamation sign before the title.
    p.setPen(QPen(QColor(160, 0, 0), 1));
    p.setBrush(QColor(255, 220, 60));
    const QPointF sign[] = {{18, 6}, {29, 25}, {7, 25}};
    p.drawPolygon(sign, 3);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(18, 12), QPointF(18, 19));
    p.drawPoint(QPointF(18, 22));
    // The horizontal line above the button.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(10, 58, DialogWidth - 15 - 10, 58);
    p.setPen(Qt::white);
    p.drawLine(10, 59, DialogWidth - 15 - 10, 59);
}

} // namespace app
