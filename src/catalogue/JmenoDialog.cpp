#include "JmenoDialog.h"

#include "core/Shell.h"
#include "widgets/DialogKeys.h"
#include "widgets/OfficeButton.h"
#include "widgets/RaisedPanel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

namespace catalogue {

JmenoDialog::JmenoDialog(core::Shell &shell, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("JmenoDialog"));
    setStatusTip(QStringLiteral("Editace uživatelské databáze"));
    setFixedSize(372, 92);

    QFrame *inner = widgets::raisedPanel(this);

    auto *label = new QLabel(QStringLiteral("Zadejte nový název volitelné databáze č. "), inner);
    label->setObjectName(QStringLiteral("Label1"));
    label->move(7, 6);
    label->adjustSize();
    m_number = new QLabel(inner);
    m_number->setObjectName(QStringLiteral("Label2"));
    m_number->setGeometry(7 + label->width(), 6, 20, label->height());

    m_edit = new QLineEdit(inner);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setGeometry(6, 26, 353, 21);

    auto *ok = new widgets::OfficeButton(QStringLiteral("Ok"), inner);
    ok->setObjectName(QStringLiteral("OfficeButton1"));
    ok->setStatusTip(QStringLiteral("Vytvoří databázi a uzavře dialogové okno"));
    ok->setGeometry(78, 54, 100, 25);
    auto *cancel = new widgets::OfficeButton(QStringLiteral("Storno"), inner);
    cancel->setObjectName(QStringLiteral("OfficeButton2"));
    cancel->setStatusTip(QStringLiteral("Uzavře dialogové okno bez vytvoření databáze"));
    cancel->setGeometry(188, 54, 100, 25);
    connect(ok, &widgets::OfficeButton::clicked, this, [this] { emit nameConfirmed(m_k, m_edit->text()); });
    connect(cancel, &widgets::OfficeButton::clicked, this, &QWidget::close);
    widgets::bindDialogKeys(this, {Qt::Key_Return, Qt::Key_Enter}, [this] { emit nameConfirmed(m_k, m_edit->text()); });
    widgets::bindDialogKeys(this, {Qt::Key_Escape}, [this] { close(); });
}

void JmenoDialog::prepare(int k, const QString &currentName)
{
    m_k = k;
    m_currentName = currentName;
    m_number->setText(QString::number(k));
}

void JmenoDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    m_shell.setIndicatorVisible(QStringLiteral("SBO4"), true);
    m_shell.setMainWindowEnabled(false);
    m_edit->setText(m_currentName);
    m_edit->setFocus();
}

void JmenoDialog::closeEvent(QCloseEvent *event)
{
    m_shell.setMainWindowEnabled(true);
    m_shell.setIndicatorVisible(QStringLiteral("SBO4"), false);
    event->accept();
}

} // namespace catalogue
