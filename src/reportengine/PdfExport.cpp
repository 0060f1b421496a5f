#include "PdfExport.h"

#include "ReportDocument.h"

#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace reportengine {

namespace {

constexpr int PdfDotsPerInch = 720;

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Sestavu nelze uložit do souboru %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QString writePdf(ReportDocument &document, const QString &path, const QString &title)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(PdfDotsPerInch);
        writer.setCreator(QStringLiteral("Ordex 2000"));
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return failure(path, QStringLiteral("zápis do PDF nelze zahájit."));
        }
        const double dotsPerMm = PdfDotsPerInch / 25.4;
        for (int i = 0; i < document.pageCount(); ++i) {
            if (i > 0 && !writer.newPage()) {
                painter.end();
                file.cancelWriting();
                return failure(path, QStringLiteral("další stranu nelze založit."));
            }
            document.paintPage(painter, i, dotsPerMm);
        }
        if (!painter.end()) {
            file.cancelWriting();
            return failure(path, file.errorString());
        }
    }
    if (file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return QString();
}

} // namespace reportengine
