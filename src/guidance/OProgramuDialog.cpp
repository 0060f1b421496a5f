#include "OProgramuDialog.h"

#include "PomocnikDialog.h"
#include "ScreenCentre.h"

#include "core/Shell.h"
#include "widgets/GradientLabel.h"
#include "widgets/DialogKeys.h"
#include "widgets/Fonts.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <qdrawutil.h>

namespace guidance {

namespace {

QFrame *rule(QWidget *parent, int y)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(10, y, OProgramuDialog::ClientWidth - 20, 2);
    return line;
}

} // namespace

OProgramuDialog::OProgramuDialog(core::Shell &shell, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("OProgramuDialog"));
    setWindowTitle(QStringLiteral("O programu Ordex 2000"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);
    setAutoFillBackground(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(12, 12, 63, 62);
    picture->setPixmap(PomocnikDialog::picture().scaled(63, 62, Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation));

    auto *title = new widgets::GradientLabel(QStringLiteral("Ordex 2000"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(widgets::serifFont(37, true, true));
    title->setColors(Qt::red, Qt::blue);
    title->setGeometry(88, 14, 225, 42);

    auto *version = new widgets::GradientLabel(QStringLiteral("verze 5.0"), this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setFont(widgets::serifFont(19, true, true));
    version->setColors(Qt::red, Qt::blue);
    version->setGeometry(90, 56, 150, 24);

    rule(this, 86);
    rule(this, 196);

    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setGeometry(ClientWidth - 12 - 75, 206, 75, 25);
    connect(m_ok, &QPushButton::clicked, this, &OProgramuDialog::Button1Click);
    // Enter and Escape close the box, also while the button has the focus.
    widgets::bindDialogKeys(this, {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}, [this] { close(); });
}

void OProgramuDialog::Button1Click()
{
    close();
}

void OProgramuDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(*this);
    m_ok->setFocus();
    m_shell.setMainWindowEnabled(false);
}

void OProgramuDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_shell.setMainWindowEnabled(true);
}

void OProgramuDialog::paintEvent(QPaintEvent *)
{
    // The silver panel with its raised double border.
    QPainter p(this);
    qDrawShadePanel(&p, rect(), palette(), false, 1);
    qDrawShadePanel(&p, rect().adjusted(2, 2, -2, -2), palette(), false, 1);
}

} // namespace guidance
