#include "PrinterQuestions.h"

#include "core/Shell.h"
#include "widgets/Balloon.h"

#include <QEventLoop>
#include <QPointer>

namespace reports {

namespace {

widgets::Balloon *create(const widgets::BalloonSpec &spec, core::Shell &shell)
{
    widgets::Balloon *balloon = widgets::Balloon::createHosted(spec, shell);
    // Both can come up with or without an active catalogue window.
    QObject::connect(balloon, &widgets::BalloonWindow::closed, balloon, [&shell] {
        if (shell.activeCatalogueWindow())
            shell.setIndicatorVisible(QStringLiteral("SBO10"), true);
    });
    return balloon;
}

} // namespace

QString noPrinterMessage()
{
    return QStringLiteral("V systému není nainstalována žádná tiskárna, sestavu nelze vytisknout.");
}

bool askForPreviewInstead(core::Shell &shell)
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("DotazNahledDialog");
    spec.text = noPrinterMessage() + QStringLiteral(" Chcete zobrazit náhled sestavy?");
    spec.size = QSize(300, 114);
    spec.windowHint = QStringLiteral("Dotaz");
    spec.yesHint = QStringLiteral("Zobrazí náhled sestavy a uzavře dialogové okno");
    spec.noHint = QStringLiteral("Uzavře dialogové okno bez tisku a bez náhledu");
    QPointer<widgets::Balloon> balloon = create(spec, shell);

    // The report runs to its end in one call (the preview that may follow is
    // modal too), so the question is answered before the call goes on; the
    // balloon holds the main window and the assistant meanwhile, as every
    // balloon does.
    bool yes = false;
    QEventLoop answered;
    QObject::connect(balloon, &widgets::Balloon::accepted, &answered, [&yes] { yes = true; });
    QObject::connect(balloon, &widgets::BalloonWindow::closed, &answered, &QEventLoop::quit);
    QObject::connect(balloon, &QObject::destroyed, &answered, &QEventLoop::quit);
    shell.placeBesideAssistant(balloon);
    if (balloon && balloon->isVisible())
        answered.exec();
    // Never shown, or still unanswered when the program ends: no preview.
    if (balloon && !yes)
        balloon->close();
    return yes;
}

void warnNoPrinter(core::Shell &shell)
{
    const widgets::BalloonSpec spec = widgets::Balloon::warning(
        QStringLiteral("DotazTiskarnaDialog"), QStringLiteral("V systému není nainstalována žádná tiskárna."));
    shell.placeBesideAssistant(create(spec, shell));
}

} // namespace reports
