#include "InfoNajitDialog.h"

#include "RaisedPanel.h"

#include "widgets/BusyAnimation.h"
#include "widgets/Colors.h"
#include "widgets/DialogHost.h"
#include "widgets/Fonts.h"
#include "widgets/GradientProgressBar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace search {

InfoNajitDialog::InfoNajitDialog(widgets::DialogHost &host, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_host(host)
{
    setObjectName(QStringLiteral("InfoNajitDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(ClientWidth, ClientHeight);

    QFrame *inner = raisedPanel(this);

    m_animation = new widgets::BusyAnimation(widgets::BusyAnimation::Search, inner);
    m_animation->setObjectName(QStringLiteral("Animate1"));
    m_animation->setGeometry(4, 2, 48, 50);

    m_phase = new QLabel(inner);
    m_phase->setObjectName(QStringLiteral("Label2"));
    m_phase->setFont(widgets::serifFont(13, true));
    m_phase->setGeometry(60, 6, 272, 18);

    m_bar = new widgets::GradientProgressBar(inner);
    m_bar->setObjectName(QStringLiteral("Indikator"));
    m_bar->setRange(0, 100);
    m_bar->setColors(Qt::white, Qt::red);
    m_bar->setGeometry(60, 30, 272, 16);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    // The main window takes no input while the copy is being built.
    m_host.setMainWindowEnabled(false);
}

void InfoNajitDialog::setPhase(const QString &text)
{
    m_phase->setText(text);
    if (isVisible())
        repaint();
}

QString InfoNajitDialog::phase() const
{
    return m_phase->text();
}

void InfoNajitDialog::setRange(int maximum)
{
    m_bar->setRange(0, maximum);
}

void InfoNajitDialog::setPosition(int value)
{
    m_bar->setValue(value);
}

int InfoNajitDialog::position() const
{
    return m_bar->value();
}

int InfoNajitDialog::maximum() const
{
    return m_bar->maximum();
}

void InfoNajitDialog::keepPainted()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastPaint < 50)
        return;
    m_lastPaint = now;
    // Paint and expose events only in effect: input waits until the build is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void InfoNajitDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_host.setIndicatorVisible(QStringLiteral("SBO10"), false);
    m_host.setIndicatorVisible(QStringLiteral("SBO2"), true);
    m_host.playSound(QStringLiteral("Info.wav"));
}

void InfoNajitDialog::closeEvent(QCloseEvent *event)
{
    m_host.setMainWindowEnabled(true);
    m_host.setIndicatorVisible(QStringLiteral("SBO2"), false);
    m_host.setIndicatorVisible(QStringLiteral("SBO10"), true);
    event->accept();
}

} // namespace search
