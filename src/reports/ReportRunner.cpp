#include "ReportRunner.h"

#include "PrinterQuestions.h"
#include "ReportForm.h"

#include "dbase/DbfTypes.h"
#include "dbase/Table.h"
#include "reportengine/PdfExport.h"
#include "reportengine/PreviewWindow.h"
#include "reportengine/Printing.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/TableSource.h"

#include "widgets/ErrorBox.h"

#include <QPrinter>

namespace reports {

ReportRunner::ReportRunner(dbase::Table &auxiliary, std::function<QString()> genre,
                           std::function<QPrinter *()> printer, QWidget *parent)
    : m_auxiliary(auxiliary)
    , m_genre(std::move(genre))
    , m_printer(std::move(printer))
    , m_parent(parent)
{
}

void ReportRunner::report(const QString &message)
{
    m_lastMessage = message;
    if (m_showError)
        m_showError(message);
    else if (!m_previewHook) // a test that looks at the preview reads lastMessage()
        widgets::openErrorBox(m_parent, message);
}

template <typename Run>
QString ReportRunner::runGuarded(ReportForm &form, Run run)
{
    m_lastMessage.clear();
    QString error;
    try {
        form.beforePrint(m_auxiliary, m_genre ? m_genre() : QString());
        reportengine::TableSource source(m_auxiliary);
        reportengine::ReportDocument document(form.layout(), source);
        document.paginate();
        error = run(document);
    } catch (const dbase::Error &e) {
        error = e.message();
    }
    try {
        ReportForm::afterPrint(m_auxiliary);
    } catch (const dbase::Error &e) {
        if (error.isEmpty())
            error = e.message();
    }
    return error;
}

void ReportRunner::preview(ReportForm &form)
{
    const QString error = runGuarded(form, [this, &form](reportengine::ReportDocument &document) {
        std::function<void()> print;
        QWidget *window = nullptr;
        if (m_printer) {
            print = [this, &document, &window] {
                QPrinter *printer = m_printer();
                if (!printer) {
                    report(noPrinterMessage());
                    return;
                }
                QString error;
                if (reportengine::printDocument(document, *printer, window, &error)
                    == reportengine::PrintResult::Failed)
                    report(error);
            };
        }
        reportengine::PreviewWindow preview(document, form.title(), print, m_parent);
        window = &preview;
        // A PDF that cannot be saved from the preview is told like every failure.
        QObject::connect(&preview, &reportengine::PreviewWindow::failed, &preview,
                         [this](const QString &message) { report(message); });
        if (m_previewHook) {
            preview.show();
            m_previewHook(&preview);
            preview.close();
        } else {
            preview.exec();
        }
        return QString();
    });
    if (!error.isEmpty())
        report(error);
}

void ReportRunner::print(ReportForm &form)
{
    QPrinter *printer = m_printer ? m_printer() : nullptr;
    if (printer) {
        printDirect(form, *printer);
        return;
    }
    // No printer: rather than hang in a print job that cannot start, offer
    // the preview (from which the report can be saved as PDF).
    if (!m_askForPreview) {
        report(noPrinterMessage());
        return;
    }
    const bool showPreview = m_askForPreview();
    m_lastMessage = noPrinterMessage();
    if (showPreview) {
        preview(form);
        if (m_lastMessage.isEmpty())
            m_lastMessage = noPrinterMessage();
    }
}

void ReportRunner::printDirect(ReportForm &form, QPrinter &printer)
{
    const QString error = runGuarded(form, [this, &printer](reportengine::ReportDocument &document) {
        QString failure;
        reportengine::printDocument(document, printer, m_parent, &failure);
        return failure;
    });
    if (!error.isEmpty())
        report(error);
}

QString ReportRunner::writePdf(ReportForm &form, const QString &path)
{
    return runGuarded(form, [&form, &path](reportengine::ReportDocument &document) {
        return reportengine::writePdf(document, path, form.title());
    });
}

} // namespace reports
