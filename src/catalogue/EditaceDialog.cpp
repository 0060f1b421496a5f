#include "EditaceDialog.h"

#include "core/Shell.h"
#include "widgets/Colors.h"
#include "widgets/Fonts.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace catalogue {

EditaceDialog::EditaceDialog(core::Shell &shell, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::None)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("EditaceDialog"));
    setStatusTip(QStringLiteral("Práce s volitelnými databázemi"));
    setBackgroundColor(widgets::fromColorRef(widgets::colorref::LightYellow));
    // NovyDialog stays up underneath and keeps the main window disabled:
    // this one engages nothing of the host itself.
    setFixedSize(286, 89);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_heading->setAlignment(Qt::AlignCenter);
    m_heading->setGeometry(8, 4, 270, 16);

    auto entry = [this](const char *name, const QString &caption, const QString &hint, int y) {
        auto *e = new widgets::OfficeLabel(caption, this);
        e->setObjectName(QString::fromLatin1(name));
        e->setFont(widgets::serifFont(13));
        e->setStatusTip(hint);
        e->setAccessibleName(caption);
        e->setAccessibleDescription(hint);
        e->setGeometry(8, y, 270, 20);
        return e;
    };
    auto *edit = entry("OfficeLabel1", QStringLiteral("Vytvořit novou nebo upravit stávající databázi"),
                       QStringLiteral("Umožní vytvoření nebo editaci volitelné databáze"), 22);
    m_remove = entry("OfficeLabel2", QStringLiteral("Zrušit vybranou databázi včetně všech dat"),
                     QStringLiteral("Zruší volitelnou databázi včetně všech dat"), 42);
    connect(edit, &widgets::OfficeLabel::clicked, this, [this] { emit editRequested(m_k); });
    connect(m_remove, &widgets::OfficeLabel::clicked, this, [this] {
        if (canRemove())
            emit removeRequested(m_k);
    });

    m_strike = new QFrame(this);
    m_strike->setObjectName(QStringLiteral("C1"));
    m_strike->setAutoFillBackground(true);
    QPalette red = m_strike->palette();
    red.setColor(QPalette::Window, Qt::red);
    m_strike->setPalette(red);
    m_strike->setGeometry(30, 52, 240, 2);
    m_strike->hide();

    auto *cancel = new widgets::OfficeButton(QStringLiteral("Storno"), this);
    cancel->setObjectName(QStringLiteral("OfficeButton1"));
    cancel->setStatusTip(QStringLiteral("Uzavře dialogové okno"));
    cancel->setAccessibleName(cancel->caption());
    cancel->setAccessibleDescription(cancel->statusTip());
    cancel->setGeometry(93, 63, 100, 22);
    connect(cancel, &widgets::OfficeButton::clicked, this, &QWidget::close);
}

void EditaceDialog::prepare(int k, bool exists)
{
    static const char *const headings[3] = {"První volitelná databáze", "Druhá volitelná databáze",
                                            "Třetí volitelná databáze"};
    m_k = k;
    m_heading->setText(QString::fromUtf8(headings[qBound(1, k, 3) - 1]));
    m_remove->setEnabled(exists);
    m_strike->setVisible(!exists);
}

bool EditaceDialog::canRemove() const
{
    return m_remove->isEnabled();
}

void EditaceDialog::showEvent(QShowEvent *event)
{
    widgets::BalloonWindow::showEvent(event);
    m_shell.setIndicatorVisible(QStringLiteral("SBO4"), true);
}

void EditaceDialog::keyPressEvent(QKeyEvent *event)
{
    // Enter does not choose an entry: like Esc it goes back to the list.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    widgets::BalloonWindow::keyPressEvent(event);
}

} // namespace catalogue
