#include "OpenProgressWindow.h"

#include "widgets/BusyAnimation.h"
#include "widgets/Colors.h"
#include "widgets/DialogHost.h"
#include "widgets/GradientProgressBar.h"
#include "widgets/Fonts.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace catalogue {

OpenProgressWindow::OpenProgressWindow(const QString &catalogueName, widgets::DialogHost &host, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_host(host)
{
    setObjectName(QStringLiteral("InfoOtevritDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(291, 107);

    auto *outer = new QFrame(this);
    outer->setFrameShape(QFrame::Panel);
    outer->setFrameShadow(QFrame::Raised);
    outer->setGeometry(0, 0, 291, 107);

    auto *inner = new QFrame(outer);
    inner->setAutoFillBackground(true);
    QPalette palette = inner->palette();
    palette.setColor(QPalette::Window, widgets::fromColorRef(widgets::colorref::LightYellow));
    inner->setPalette(palette);
    inner->setGeometry(3, 3, 285, 101);

    m_animation = new widgets::BusyAnimation(widgets::BusyAnimation::CopyPages, inner);
    m_animation->setObjectName(QStringLiteral("Animate1"));
    m_animation->setGeometry(6, 2, 272, 60);

    m_name = new QLabel(catalogueName, inner);
    m_name->setObjectName(QStringLiteral("Label2"));
    m_name->setFont(widgets::serifFont(13, true));
    m_name->setAlignment(Qt::AlignCenter);
    m_name->setGeometry(6, 63, 272, 16);

    m_bar = new widgets::GradientProgressBar(inner);
    m_bar->setObjectName(QStringLiteral("Indikator"));
    m_bar->setRange(0, 100);
    m_bar->setColors(Qt::white, Qt::red);
    m_bar->setBackground(widgets::fromColorRef(widgets::colorref::LightYellow));
    m_bar->setLoweredBevel(true);
    m_bar->setGeometry(6, 81, 272, 16);

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    // The main window takes no input while a catalogue is being opened.
    m_host.setMainWindowEnabled(false);
}

void OpenProgressWindow::showPainted()
{
    show();
    // The opening blocks the message loop. A window the window system has
    // not mapped yet takes no paint, so take the window system's events (no
    // input, no timers) until it is exposed, for a moment at most, then paint
    // it whole at once.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < MaxExposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
    repaint();
}

void OpenProgressWindow::setProgress(int value)
{
    m_bar->setValue(value);
    // Each step paints the whole window again, so that it stays drawn while
    // the opening holds the message loop.
    repaint();
}

int OpenProgressWindow::progress() const
{
    return m_bar->value();
}

QString OpenProgressWindow::catalogueName() const
{
    return m_name->text();
}

void OpenProgressWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_host.setIndicatorVisible(QStringLiteral("SBO3"), true);
    m_host.playSound(QStringLiteral("Info.wav"));
}

void OpenProgressWindow::closeEvent(QCloseEvent *event)
{
    m_host.setIndicatorVisible(QStringLiteral("SBO3"), false);
    m_host.setMainWindowEnabled(true);
    event->accept();
}

} // namespace catalogue
