#include "EditaceDialog.h"

#include "core/Shell.h"
#include "widgets/DialogParts.h"
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
    // NovyDialog stays up underneath and keeps the main window disabled:
    // this one engages nothing of the host itself.
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("EditaceDialog"),
                                 .hint = QStringLiteral("Práce s volitelnými databázemi"),
                                 .size = QSize(286, 89)});
    m_heading = widgets::addTitle(this, QString(), QRect(8, 4, 270, 16), false);

    auto entry = [this](const char *name, const QString &caption, const QString &hint, int y) {
        return widgets::addEntry(this, name, caption, hint, QRect(8, y, 270, 20));
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

    m_strike = widgets::addStrikeLine(this, QStringLiteral("C1"), m_remove->statusTip(), QRect(30, 52, 240, 2));

    widgets::addCancel(this, QRect(93, 63, 100, 22));
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
