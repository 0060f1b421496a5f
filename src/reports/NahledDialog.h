#pragma once

// NahledDialog: the report selection. It holds the mode (preview or print)
// and the catalogue reported on, and offers the three report families.

#include "widgets/BalloonShape.h"

class QLabel;

namespace core {
class Shell;
}

namespace reports {

class NahledDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    explicit NahledDialog(core::Shell &shell, QWidget *parent = nullptr);

    // Heading line 2: "náhledových sestav" or "tiskových sestav".
    void setPreviewMode(bool preview);
    bool isPreviewMode() const;
    // The mark handed to the sub-dialogs: "N" preview, "T" print.
    QString modeMark() const { return isPreviewMode() ? QStringLiteral("N") : QStringLiteral("T"); }

    // Kontrola: the slot "1".."4" ("K" until a command set it).
    QString slotText() const { return m_slot; }
    void setSlotText(const QString &slot) { m_slot = slot; }

signals:
    void titleListChosen();  // OfficeLabel1 "Abecední seznam knih"
    void numberListChosen(); // OfficeLabel5 "Číselný seznam knih"
    void authorsChosen();    // OfficeLabel2 "Abecední seznam autorů"

private:
    QLabel *m_mode = nullptr;
    QString m_slot = QStringLiteral("K");
};

} // namespace reports
