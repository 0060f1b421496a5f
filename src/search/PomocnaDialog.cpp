#include "PomocnaDialog.h"

#include "SearchKeys.h"

#include "core/AppSettings.h"
#include "core/Shell.h"
#include "widgets/DialogParts.h"
#include "widgets/Colors.h"
#include "widgets/Fonts.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace search {

PomocnaDialog::PomocnaDialog(core::AppSettings &settings, core::Shell &shell, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::None)
    , m_settings(settings)
    , m_shell(shell)
{
    // No host: the find dialog under it keeps the main window disabled.
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("PomocnaDialog"),
                                 .hint = QStringLiteral("Vyhledávání záznamů"),
                                 .size = QSize(DialogWidth, DialogHeight)});
    m_heading = widgets::addTitle(this, QString(), QRect(8, 4, 262, 16), false);

    auto makeEntry = [this](const char *name, const QString &caption, const QString &hint, int y) {
        return widgets::addEntry(this, name, caption, hint, QRect(14, y, 256, 18));
    };
    m_build = makeEntry("OfficeLabel1", QStringLiteral("Vytvořit pomocnou databázi knih"),
                        QStringLiteral("Vytvoří pomocnou databázi"), 22);
    m_search = makeEntry("OfficeLabel2", QStringLiteral("Začít s vyhledáváním podle vybraného klíče"),
                         QStringLiteral("Zobrazí dialog pro vyhledání záznamu"), 40);
    connect(m_build, &widgets::OfficeLabel::clicked, this, &PomocnaDialog::buildChosen);
    connect(m_search, &widgets::OfficeLabel::clicked, this, [this] {
        if (searchOffered())
            emit searchChosen();
    });

    // One thin red line strikes the search through while the copy is not
    // this catalogue's.
    m_strike = widgets::addStrikeLine(this, QStringLiteral("C1"), m_search->statusTip(), QRect(36, 48, 226, 1));
    m_strike->raise();

    widgets::addRule(this, QRect(8, 59, 262, 2));

    widgets::addCancel(this, QRect(89, 61, 100, 25));
}

void PomocnaDialog::setSearch(int slot, int k, const QString &heading)
{
    if (slot >= 1 && slot <= 4)
        m_slot = slot;
    m_key = k;
    m_heading->setText(heading);
}

QString PomocnaDialog::heading() const
{
    return m_heading->text();
}

QPoint PomocnaDialog::placeFor(const QPoint &findDialog, int k)
{
    int left = findDialog.x() - 200;
    if (left < 5)
        left = findDialog.x() + 100;
    return {left, findDialog.y() + searchKey(k).pomocnaOffset};
}

bool PomocnaDialog::searchOffered() const
{
    return m_search->isEnabled();
}

void PomocnaDialog::refresh()
{
    // A copy of this catalogue is searched as it is; anything else must be built first.
    const bool offered = m_slot >= 1 && m_settings.auxiliarySlot() == m_slot;
    m_search->setEnabled(offered);
    m_strike->setVisible(!offered);
}

void PomocnaDialog::showEvent(QShowEvent *event)
{
    m_shell.setIndicatorVisible(QStringLiteral("SBO2"), true);
    refresh();
    widgets::BalloonWindow::showEvent(event);
}

void PomocnaDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    widgets::BalloonWindow::keyPressEvent(event);
}

} // namespace search
