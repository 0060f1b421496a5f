#include "ReportRunner.h"

#include "ReportForm.h"

#include "dbase/DbfTypes.h"
#include "dbase/Table.h"
#include "reportengine/PdfExport.h"
#include "reportengine/PreviewWindow.h"
#include "reportengine/Printing.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/TableSource.h"

#include "widgets/ErrorBox.h"

#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>

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
    if (m_previewHook || m_noPrinterAnswer)
        return;
    if (m_showError)
        m_showError(message);
    else
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
                if (!reportengine::printerInstalled()) {
                    report(noPrinterMessage());
                    return;
                }
                QString error;
                if (reportengine::printDocument(document, *m_printer(), window, &error)
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
    if (!m_printer || !reportengine::printerInstalled()) {
        // No printer: say so and offer the preview instead of hanging in a
        // print job that cannot start.
        const QString question = noPrinterMessage() + QStringLiteral("\n\nChcete zobrazit náhled sestavy?");
        m_lastMessage = noPrinterMessage();
        bool showPreview = false;
        if (m_noPrinterAnswer) {
            showPreview = m_noPrinterAnswer();
        } else {
            QMessageBox box(QMessageBox::Question, QStringLiteral("Ordex 2000"), question, QMessageBox::NoButton,
                            m_parent);
            QPushButton *yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
            box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
            box.setDefaultButton(yes);
            box.exec();
            showPreview = box.clickedButton() == yes;
        }
        if (showPreview) {
            const QString message = m_lastMessage;
            preview(form);
            if (m_lastMessage.isEmpty())
                m_lastMessage = message;
        }
        return;
    }
    printDirect(form);
}

void ReportRunner::printDirect(ReportForm &form)
{
    const QString error = runGuarded(form, [this](reportengine::ReportDocument &document) {
        QString failure;
        reportengine::printDocument(document, *m_printer(), m_parent, &failure);
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

QString noPrinterMessage()
{
    return QStringLiteral("V systému není nainstalována žádná tiskárna, sestavu nelze vytisknout.");
}

} // namespace reports
