#include "OtevreniDialog.h"

#include "core/AppSettings.h"
#include "core/Shell.h"
#include "core/Slots.h"
#include "platform/Error.h"
#include "widgets/DialogParts.h"
#include "widgets/Colors.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"
#include "widgets/Fonts.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace catalogue {

namespace {

const char *const EntryHints[] = {
    "Otevře Standardní databázi",
    "Otevře uživatelsky definovatelnou databázi číslo 1",
    "Otevře uživatelsky definovatelnou databázi číslo 2",
    "Otevře uživatelsky definovatelnou databázi číslo 3",
};

QString standardEntryName()
{
    return QStringLiteral("Standardní databáze programu Ordex");
}

} // namespace

OtevreniDialog::OtevreniDialog(core::AppSettings &settings, core::Shell &shell, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::BottomRight)
    , m_settings(settings)
    , m_shell(shell)
{
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("OtevreniDialog"),
                                 .hint = QStringLiteral("Výběr databáze"),
                                 .size = QSize(203, 221),
                                 .host = &shell,
                                 .indicator = QStringLiteral("SBO3"),
                                 .sound = QStringLiteral("Dialog.wav")});
    widgets::addTitle(this, QStringLiteral("Vyberte databázi, kterou si přejete otevřít"), QRect(8, 6, 187, 32), true);

    const QFont entryFont = widgets::serifFont(13);
    for (int i = 0; i < 4; ++i) {
        const int slot = i + 1;
        const QString hint = QString::fromUtf8(EntryHints[i]);
        auto *entry = new widgets::OfficeLabel(this);
        entry->setObjectName(QStringLiteral("OfficeLabel%1").arg(slot));
        entry->setFont(entryFont);
        entry->setStatusTip(hint);
        const int y = 42 + i * 33;
        entry->setGeometry(8, y, 187, 33);
        connect(entry, &widgets::OfficeLabel::clicked, this, [this, slot] { choose(slot); });
        m_entries[i] = entry;
        // Two thin red bars strike an entry through while it is unavailable.
        for (int k = 0; k < 2; ++k)
            m_strikes[i * 2 + k] = widgets::addStrikeLine(this, QStringLiteral("C%1").arg(i * 2 + k + 1), hint,
                                                          QRect(30, y + 10 + k * 10, 160, 2));
    }
    m_entries[0]->setCaption(standardEntryName());

    widgets::addRule(this, QRect(8, 176, 187, 2));

    widgets::addCancel(this, QRect(51, 180, 100, 25));

    for (QFrame *bar : m_strikes)
        bar->raise();
}

void OtevreniDialog::refresh()
{
    // Missing keys read as closed and as an empty name (an available entry).
    bool open[4] = {};
    for (int slot = 1; slot <= 4; ++slot)
        open[slot - 1] = m_settings.catalogueOpen(slot);
    for (int n = 1; n <= 3; ++n)
        m_entries[n]->setCaption(m_settings.optionalName(n));

    for (int i = 0; i < 4; ++i) {
        bool available = !open[i];
        if (i > 0 && available)
            available = m_entries[i]->caption() != core::placeholderCatalogueName();
        m_entries[i]->setEnabled(available);
        m_strikes[i * 2]->setVisible(!available);
        m_strikes[i * 2 + 1]->setVisible(!available);
    }
}

QString OtevreniDialog::displayName(int slot) const
{
    if (slot < 1 || slot > 4)
        return {};
    return m_entries[slot - 1]->caption();
}

bool OtevreniDialog::isAvailable(int slot) const
{
    return slot >= 1 && slot <= 4 && m_entries[slot - 1]->isEnabled();
}

void OtevreniDialog::showAboveAssistant()
{
    try {
        refresh();
    } catch (const platform::Error &error) {
        m_shell.showError(error.message());
        return;
    }
    m_shell.placeAboveAssistant(this);
    show();
    raise();
    activateWindow(); // Esc and Enter reach the dialog
}

void OtevreniDialog::showEvent(QShowEvent *event)
{
    refresh();
    widgets::BalloonWindow::showEvent(event);
}

void OtevreniDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    widgets::BalloonWindow::keyPressEvent(event);
}

void OtevreniDialog::choose(int slot)
{
    if (!isAvailable(slot))
        return;
    close();
    emit openRequested(slot);
}

} // namespace catalogue
