#include "NovyDialog.h"

#include "core/AppSettings.h"
#include "core/Shell.h"
#include "core/Slots.h"
#include "platform/Error.h"
#include "widgets/DialogParts.h"
#include "widgets/Colors.h"
#include "widgets/Fonts.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace catalogue {

namespace {


} // namespace

NovyDialog::NovyDialog(core::AppSettings &settings, core::Shell &shell, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::BottomRight)
    , m_settings(settings)
{
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("NovyDialog"),
                                 .hint = QStringLiteral("Práce s volitelnou databází"),
                                 .size = QSize(203, 190),
                                 .host = &shell,
                                 .indicator = QStringLiteral("SBO4"),
                                 .sound = QStringLiteral("Dialog.wav")});
    widgets::addTitle(this, QStringLiteral("Vyberte databázi, kterou si přejete upravit"), QRect(8, 6, 187, 32), true);

    for (int i = 0; i < 3; ++i) {
        const int k = i + 1;
        const QString hint = QStringLiteral("Zobrazí dialog pro práci s volitelnou databází č. %1").arg(k);
        auto *entry = new widgets::OfficeLabel(this);
        entry->setObjectName(QStringLiteral("OfficeLabel%1").arg(k + 1));
        entry->setFont(widgets::serifFont(13));
        entry->setStatusTip(hint);
        entry->setGeometry(8, 39 + i * 32, 187, 32);
        connect(entry, &widgets::OfficeLabel::clicked, this, [this, k] {
            if (isAvailable(k))
                emit chosen(k);
        });
        m_entries[i] = entry;
        for (int b = 0; b < 2; ++b) {
            m_strikes[i * 2 + b] = widgets::addStrikeLine(this, QStringLiteral("C%1").arg(i * 2 + b + 1), hint,
                                                          QRect(30, 39 + i * 32 + 10 + b * 10, 160, 2));
        }
    }

    widgets::addRule(this, QRect(8, 139, 187, 2));

    widgets::addCancel(this, QRect(51, 145, 100, 25));

    for (QFrame *bar : m_strikes)
        bar->raise();
}

void NovyDialog::refresh()
{
    for (int i = 0; i < 3; ++i) {
        const int k = i + 1;
        bool open = false;
        QString name;
        try {
            open = m_settings.catalogueOpen(k + 1);
            name = m_settings.optionalName(k);
        } catch (const platform::Error &) {
        }
        m_entries[i]->setCaption(name);
        m_entries[i]->setAccessibleName(name);
        // A catalogue whose window is open is neither renamed nor removed.
        m_entries[i]->setEnabled(!open);
        m_strikes[i * 2]->setVisible(open);
        m_strikes[i * 2 + 1]->setVisible(open);
    }
}

QString NovyDialog::entryName(int k) const
{
    return k >= 1 && k <= 3 ? m_entries[k - 1]->caption() : QString();
}

bool NovyDialog::isAvailable(int k) const
{
    return k >= 1 && k <= 3 && m_entries[k - 1]->isEnabled();
}

widgets::OfficeLabel *NovyDialog::entry(int k) const
{
    return k >= 1 && k <= 3 ? m_entries[k - 1] : nullptr;
}

void NovyDialog::showEvent(QShowEvent *event)
{
    refresh();
    widgets::BalloonWindow::showEvent(event);
}

void NovyDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    widgets::BalloonWindow::keyPressEvent(event);
}

} // namespace catalogue
