#include "NahledDialog.h"

#include "DialogParts.h"

#include "core/Shell.h"
#include "widgets/Colors.h"
#include "widgets/DialogKeys.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QLabel>

namespace reports {

NahledDialog::NahledDialog(core::Shell &shell, QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::BottomRight)
{
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("NahledDialog"),
                                 .hint = QStringLiteral("Výběr tiskových/náhledových sestav"),
                                 .size = QSize(200, 160),
                                 .host = &shell,
                                 .indicator = QStringLiteral("SBO1"),
                                 .sound = QStringLiteral("Dialog.wav")});
    setCatalogueIndicatorOnClose(CatalogueIndicator::Show);

    addHeading(this, "Label1", QStringLiteral("Vyberte jednu z následujících"), QRect(4, 6, 192, 16));
    m_mode = addHeading(this, "Label2", QStringLiteral("náhledových sestav"), QRect(4, 22, 192, 16));
    auto *title = addEntry(this, "OfficeLabel1", QStringLiteral("Abecední seznam knih"),
                           QStringLiteral("Zobrazí seznam abecedních sestav knih"), QRect(12, 44, 176, 19));
    auto *number = addEntry(this, "OfficeLabel5", QStringLiteral("Číselný seznam knih"),
                            QStringLiteral("Zobrazí seznam číselných sestav knih"), QRect(12, 63, 176, 19));
    auto *authors = addEntry(this, "OfficeLabel2", QStringLiteral("Abecední seznam autorů"),
                             QStringLiteral("Použije setavu pro abecední seznam autorů"), QRect(12, 82, 176, 19));
    addRule(this, QRect(8, 106, 184, 2));
    addCancel(this, QRect(50, 112, 100, 24));
    connect(title, &widgets::OfficeLabel::clicked, this, &NahledDialog::titleListChosen);
    connect(number, &widgets::OfficeLabel::clicked, this, &NahledDialog::numberListChosen);
    connect(authors, &widgets::OfficeLabel::clicked, this, &NahledDialog::authorsChosen);
    // Esc and Enter close the dialog; Enter never chooses an entry.
    widgets::bindDialogKeys(this, {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}, [this] { close(); });
}

void NahledDialog::setPreviewMode(bool preview)
{
    m_mode->setText(preview ? QStringLiteral("náhledových sestav") : QStringLiteral("tiskových sestav"));
}

bool NahledDialog::isPreviewMode() const
{
    return m_mode->text() == QStringLiteral("náhledových sestav");
}

} // namespace reports
