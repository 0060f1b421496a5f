#include "ProgressWindow.h"

#include "BusyAnimation.h"
#include "Colors.h"
#include "DialogHost.h"
#include "Fonts.h"
#include "GradientProgressBar.h"
#include "RaisedPanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace widgets {

namespace {

const char *objectNameOf(ProgressWindow::Kind kind)
{
    switch (kind) {
    case ProgressWindow::Kind::Opening: return "InfoOtevritDialog";
    case ProgressWindow::Kind::Linking: return "InfoPropojitDialog";
    case ProgressWindow::Kind::SearchCopy: return "InfoNajitDialog";
    }
    return "";
}

} // namespace

ProgressWindow::ProgressWindow(Kind kind, const QString &text, DialogHost &host, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_kind(kind)
    , m_host(host)
{
    setObjectName(QString::fromLatin1(objectNameOf(kind)));
    setAttribute(Qt::WA_DeleteOnClose);
    const bool search = kind == Kind::SearchCopy;
    setFixedSize(search ? QSize(347, 60) : QSize(291, 107));
    QFrame *inner = raisedPanel(this);

    m_animation = new BusyAnimation(search ? BusyAnimation::Search : BusyAnimation::CopyPages, inner);
    m_animation->setObjectName(QStringLiteral("Animate1"));
    m_text = new QLabel(text, inner);
    m_text->setObjectName(QStringLiteral("Label2"));
    m_text->setFont(serifFont(13, true));
    m_bar = new GradientProgressBar(inner);
    m_bar->setObjectName(QStringLiteral("Indikator"));
    m_bar->setRange(0, 100);
    m_bar->setColors(Qt::white, Qt::red);
    m_bar->setBackground(fromColorRef(colorref::LightYellow));
    m_bar->setLoweredBevel(true);
    if (search) {
        m_animation->setGeometry(4, 2, 48, 50);
        m_text->setGeometry(60, 6, 272, 18);
        m_bar->setGeometry(60, 30, 272, 16);
    } else {
        m_animation->setGeometry(6, 2, 272, 60);
        m_text->setAlignment(Qt::AlignCenter);
        m_text->setGeometry(6, 63, 272, 16);
        m_bar->setGeometry(6, 81, 272, 16);
    }

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    // The main window takes no input while the work goes on.
    m_host.setMainWindowEnabled(false);
}

void ProgressWindow::showPainted()
{
    show();
    // The work blocks the message loop. A window the window system has not
    // mapped yet takes no paint, so take the window system's events (no
    // input, no timers) until it is exposed, for a moment at most, then
    // paint it whole at once.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < MaxExposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
    paintNow();
}

void ProgressWindow::paintNow()
{
    if (!isVisible())
        return;
    repaint();
    m_lastPaint = QDateTime::currentMSecsSinceEpoch();
}

void ProgressWindow::setText(const QString &text)
{
    m_text->setText(text);
    paintNow();
}

QString ProgressWindow::text() const
{
    return m_text->text();
}

void ProgressWindow::setRange(int maximum)
{
    m_bar->setRange(0, maximum);
}

void ProgressWindow::setPosition(int value)
{
    m_bar->setValue(value);
    paintNow();
}

int ProgressWindow::position() const
{
    return m_bar->value();
}

int ProgressWindow::maximum() const
{
    return m_bar->maximum();
}

void ProgressWindow::keepPainted()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastPaint < 50)
        return;
    m_lastPaint = now;
    // Paint and expose events only in effect: input waits until the work is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_kind == Kind::SearchCopy) {
        m_host.setIndicatorVisible(QStringLiteral("SBO10"), false);
        m_host.setIndicatorVisible(QStringLiteral("SBO2"), true);
    } else {
        m_host.setIndicatorVisible(QStringLiteral("SBO3"), true);
    }
    m_host.playSound(QStringLiteral("Info.wav"));
}

void ProgressWindow::closeEvent(QCloseEvent *event)
{
    if (m_kind == Kind::SearchCopy) {
        m_host.setMainWindowEnabled(true);
        m_host.setIndicatorVisible(QStringLiteral("SBO2"), false);
        m_host.setIndicatorVisible(QStringLiteral("SBO10"), true);
    } else {
        m_host.setIndicatorVisible(QStringLiteral("SBO3"), false);
        m_host.setMainWindowEnabled(true);
    }
    event->accept();
}

} // namespace widgets
