#include "Printing.h"

#include "PrintProgressWindow.h"
#include "ReportDocument.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

namespace reportengine {

PrintResult printDocument(ReportDocument &document, QPrinter &printer, QWidget *parent, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return PrintResult::Failed;
    };
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFromTo(0, 0);
    PrintProgressWindow progress(document.pageCount(), parent);
    progress.show();
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(QStringLiteral("Tiskárna \"%1\" není připravena k tisku.").arg(printer.printerName()));
    const double dotsPerMm = printer.resolution() / 25.4;
    for (int i = 0; i < document.pageCount(); ++i) {
        progress.setPage(i + 1);
        // The window's "Storno" is pressed between two pages.
        QCoreApplication::processEvents();
        if (progress.cancelled()) {
            printer.abort();
            painter.end();
            return PrintResult::Cancelled;
        }
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return fail(QStringLiteral("Tisk byl přerušen: další stranu nelze vytisknout."));
        }
        document.paintPage(painter, i, dotsPerMm);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(QStringLiteral("Tisk se nepodařilo dokončit."));
    return PrintResult::Printed;
}

} // namespace reportengine
