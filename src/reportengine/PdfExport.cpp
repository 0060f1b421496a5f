#include "PdfExport.h"

#include "PdfCanvas.h"
#include "PdfFileWriter.h"
#include "PdfFont.h"
#include "ReportDocument.h"

#include <QDateTime>
#include <QDir>
#include <QSaveFile>

namespace reportengine {

namespace {

// A4 as PDF programs give it, in whole points.
constexpr int PageWidth = 595;
constexpr int PageHeight = 842;

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Sestavu nelze uložit do souboru %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// A text string of the document information: UTF-16 with its byte order mark.
QByteArray textString(const QString &text)
{
    QByteArray out("<FEFF");
    for (const QChar c : text)
        out.append(QByteArray::number(c.unicode() + 0x10000, 16).mid(1).toUpper());
    return out + '>';
}

} // namespace

QString writePdf(ReportDocument &document, const QString &path, const QString &title)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    PdfFileWriter pdf(file);
    const int catalog = pdf.reserve();
    const int pages = pdf.reserve();
    const int resources = pdf.reserve();
    const int info = pdf.reserve();

    pdf.beginObject(info);
    pdf.write("<</Creator" + textString(QStringLiteral("Ordex 2000")) + "/Producer"
              + textString(QStringLiteral("Ordex 2000")) + "/CreationDate(D:"
              + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z)");
    if (!title.isEmpty())
        pdf.write("/Title" + textString(title));
    pdf.write(">>\n");
    pdf.endObject();
    pdf.beginObject(catalog);
    pdf.write("<</Type/Catalog/Pages " + reference(pages) + ">>\n");
    pdf.endObject();

    // Each page goes to the file as soon as it is painted.
    PdfCanvas canvas(PageHeight, document.layout().margin);
    std::vector<int> kids;
    kids.reserve(size_t(document.pageCount()));
    const QByteArray pageHead = "<</Type/Page/Parent " + reference(pages) + "/MediaBox[0 0 "
                                + QByteArray::number(PageWidth) + ' ' + QByteArray::number(PageHeight)
                                + "]/Resources " + reference(resources) + "/Contents ";
    for (int i = 0; i < document.pageCount() && !pdf.failed(); ++i) {
        canvas.beginPage();
        document.paintPage(canvas, i);
        const int content = pdf.reserve();
        pdf.writeStream(content, QByteArrayView(), canvas.endPage());
        const int page = pdf.reserve();
        pdf.beginObject(page);
        pdf.write(pageHead + reference(content) + ">>\n");
        pdf.endObject();
        kids.push_back(page);
    }

    QByteArray fonts("<</ProcSet[/PDF/Text]/Font<<");
    for (const auto &font : canvas.fonts()) {
        if (!font->embeddable() || !font->isUsed())
            continue;
        const int number = pdf.reserve();
        font->write(pdf, number);
        fonts.append('/').append(font->resourceName()).append(' ').append(reference(number));
    }
    pdf.beginObject(resources);
    pdf.write(fonts + ">>>>\n");
    pdf.endObject();

    pdf.beginObject(pages);
    QByteArray tree("<</Type/Pages/Count ");
    appendInt(tree, qsizetype(kids.size()));
    tree.append("/Kids[");
    for (size_t i = 0; i < kids.size(); ++i) {
        if (i > 0)
            tree.append(i % 10 ? ' ' : '\n');
        tree.append(reference(kids[i]));
    }
    pdf.write(tree + "]>>\n");
    pdf.endObject();

    if (!pdf.finish(catalog, info) || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                   : QStringLiteral("zápis do PDF se nezdařil.");
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return QString();
}

} // namespace reportengine
