#pragma once

// Runs a report form over the auxiliary table: preview, print or PDF. Every
// run opens, orders and restricts the table first and switches its filter
// off afterwards, whatever happened in between.

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace dbase {
class Table;
}

namespace reports {

class ReportForm;

class ReportRunner
{
public:
    // genre gives the ticked genre of the genre menu when a report starts;
    // printer is the program's shared printer (may be null: no printing).
    ReportRunner(dbase::Table &auxiliary, std::function<QString()> genre, std::function<QPrinter *()> printer,
                 QWidget *parent = nullptr);

    // The preview window, modal; returns when it closes.
    void preview(ReportForm &form);
    // Straight to the printer, with the progress window. Without any printer
    // installed the user is told so and offered the preview.
    void print(ReportForm &form);
    // Every page to a PDF file; empty text on success, else the message.
    QString writePdf(ReportForm &form, const QString &path);

    // Where the failures of a run go; the program hands in its one error
    // display (core::Shell::showError). Unset: the error box over parent.
    void setErrorDisplay(std::function<void(const QString &message)> show) { m_showError = std::move(show); }

    // For tests: what the last run reported to the user (empty when nothing).
    QString lastMessage() const { return m_lastMessage; }
    // For tests: instead of the modal preview, called with the open preview window.
    void setPreviewHook(std::function<void(QWidget *preview)> hook) { m_previewHook = std::move(hook); }
    // For tests: answers the question that offers the preview when no printer
    // is installed (true: show the preview).
    void setNoPrinterAnswer(std::function<bool()> answer) { m_noPrinterAnswer = std::move(answer); }

private:
    // Opens and restricts the table, cuts the pages, runs, and switches the
    // filter off again; returns the first failure's message.
    template <typename Run>
    QString runGuarded(ReportForm &form, Run run);
    void printDirect(ReportForm &form);
    void report(const QString &message);

    dbase::Table &m_auxiliary;
    std::function<QString()> m_genre;
    std::function<QPrinter *()> m_printer;
    QWidget *m_parent;
    QString m_lastMessage;
    std::function<void(QWidget *)> m_previewHook;
    std::function<bool()> m_noPrinterAnswer;
    std::function<void(const QString &)> m_showError;
};

// The message shown when a report is to be printed and there is no printer.
QString noPrinterMessage();

} // namespace reports
