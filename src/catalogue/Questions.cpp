#include "Questions.h"

#include "core/Shell.h"
#include "widgets/Balloon.h"

namespace catalogue {

widgets::Balloon *createDeleteQuestion(core::Shell &shell)
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("DotazOdstranitDialog");
    spec.text = QStringLiteral("Opravdu chcete tento záznam trvale odstranit ?");
    spec.size = QSize(272, 98);
    widgets::Balloon *balloon = widgets::Balloon::createHosted(spec, shell);
    balloon->setCatalogueIndicatorOnClose(widgets::BalloonWindow::CatalogueIndicator::Show);
    return balloon;
}

widgets::Balloon *createCloseQuestion(const QString &displayName, core::Shell &shell)
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("DotazKonecDialog");
    spec.text = QStringLiteral("Chcete uložit právě prováděné změny v databázi ?");
    spec.subtitle = displayName;
    spec.size = QSize(288, 98);
    // Closing the balloon by other means answers nothing: the window stays.
    spec.closeMeansReject = false;
    return widgets::Balloon::createHosted(spec, shell);
}

widgets::Balloon *createLendingCardWarning(const QString &displayName, core::Shell &shell)
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("DotazVypujckaDialog");
    spec.kind = widgets::Balloon::Warning;
    spec.text = QStringLiteral("Před  uzavřením  okna  je  nutné  uložit  právě prováděné změny u vypůjčitelů.");
    spec.subtitle = displayName;
    spec.size = QSize(277, 114);
    spec.yesCaption = QStringLiteral("Ok");
    spec.noCaption.clear();
    spec.enterKey = widgets::Balloon::KeyAction::Accept;
    spec.escapeKey = widgets::Balloon::KeyAction::Accept;
    return widgets::Balloon::createHosted(spec, shell);
}

widgets::Balloon *createNameWarning(const QString &text, core::Shell &shell)
{
    return widgets::Balloon::createHosted(widgets::Balloon::warning(QStringLiteral("DotazJmenoDialog"), text), shell);
}

widgets::Balloon *createRemoveQuestion(int k, core::Shell &shell)
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("ZrusitVolitelnyDialog");
    spec.text = QStringLiteral("Opravdu si přejete zrušit volitelnou databázi č. %1 ?").arg(k);
    spec.size = QSize(298, 98);
    spec.windowHint = QStringLiteral("Dotaz");
    spec.yesHint = QStringLiteral("Zruší vybranou databázi a uzavře dialogové okno");
    spec.noHint = QStringLiteral("Uzavře dialogové okno bez zrušení vybrané databáze");
    return widgets::Balloon::createHosted(spec, shell);
}

widgets::Balloon *createEraseQuestion(core::Shell &shell)
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("VymazatDialog");
    spec.text = QStringLiteral("Opravdu chcete vymazat Standardní databázi ?");
    spec.size = QSize(272, 98);
    spec.windowHint = QStringLiteral("Dotaz");
    spec.yesHint = QStringLiteral("Vymaže Standardní databázi a uzavře dialogové okno");
    spec.noHint = QStringLiteral("Uzavře dialogové okno bez vymazání Standardní databáze");
    return widgets::Balloon::createHosted(spec, shell);
}

} // namespace catalogue
