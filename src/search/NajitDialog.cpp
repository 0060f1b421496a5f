#include "NajitDialog.h"

#include "SearchKeys.h"

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

NajitDialog::NajitDialog(core::Shell &shell, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::BottomRight)
    , m_shell(shell)
{
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("NajitDialog"),
                                 .hint = QStringLiteral("Vyhledání záznamu v databázi"),
                                 .size = QSize(DialogWidth, DialogHeight),
                                 .host = &shell,
                                 .indicator = QStringLiteral("SBO2"),
                                 .sound = QStringLiteral("Dialog.wav")});
    setCatalogueIndicatorOnClose(CatalogueIndicator::Show);
    widgets::addTitle(this, QStringLiteral("Vyberte si klíč, podle kterého chcete vyhledávat"), QRect(8, 4, 187, 30),
                      true);

    const QFont entryFont = widgets::serifFont(13);
    for (int k = 1; k <= KeyCount; ++k) {
        const SearchKey &key = searchKey(k);
        auto *entry = new widgets::OfficeLabel(QString::fromUtf8(key.entryText), this);
        entry->setObjectName(QString::fromLatin1(key.entryName));
        entry->setFont(entryFont);
        entry->setStatusTip(QString::fromUtf8(key.entryHint));
        entry->setGeometry(8, 36 + (k - 1) * 33, 187, 33);
        connect(entry, &widgets::OfficeLabel::clicked, this, [this, k] { emit keyChosen(k); });
        m_entries[size_t(k - 1)] = entry;
    }

    widgets::addRule(this, QRect(8, 268, 187, 2));

    widgets::addCancel(this, QRect(51, 271, 100, 25));
}

void NajitDialog::setSlot(int slot)
{
    if (slot >= 1 && slot <= 4)
        m_slot = slot;
}

void NajitDialog::showAboveAssistant()
{
    m_shell.placeAboveAssistant(this);
    show();
    raise();
    activateWindow(); // Esc and Enter reach the dialog
}

widgets::OfficeLabel *NajitDialog::entry(int k) const
{
    return k >= 1 && k <= KeyCount ? m_entries[size_t(k - 1)] : nullptr;
}

void NajitDialog::keyPressEvent(QKeyEvent *event)
{
    // Enter leaves the dialog like Esc: it never chooses a key.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    widgets::BalloonWindow::keyPressEvent(event);
}

} // namespace search
