#include "Questions.h"

#include "core/Shell.h"
#include "widgets/Balloon.h"

namespace catalogue {

namespace {

widgets::Balloon *create(const widgets::BalloonSpec &spec, core::Shell &shell)
{
    auto *balloon = new widgets::Balloon(spec);
    balloon->setHost(&shell);
    balloon->setAttribute(Qt::WA_DeleteOnClose);
    return balloon;
}

} // namespace

widgets::Balloon *createDeleteQuestion(core::Shell &shell)
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("DotazOdstranitDialog");
    spec.text = QStringLiteral("Opravdu chcete tento záznam trvale odstranit ?");
    spec.size = QSize(272, 98);
    spec.sound = QStringLiteral("Dotaz.wav");
    spec.indicator = QStringLiteral("SBO6");
    widgets::Balloon *balloon = create(spec, shell);
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
    spec.sound = QStringLiteral("Dotaz.wav");
    spec.indicator = QStringLiteral("SBO6");
    // Closing the balloon by other means answers nothing: the window stays.
    spec.closeMeansReject = false;
    return create(spec, shell);
}

} // namespace catalogue
