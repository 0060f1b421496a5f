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
    // printer gives the program's shared printer, or null while the system
    // has no printer installed (an empty function: the runner never prints).
    ReportRunner(dbase::Table &auxiliary, std::function<QString()> genre, std::function<QPrinter *()> printer,
                 QWidget *parent = nullptr);

    // The preview window, modal; returns when it closes.
    void preview(ReportForm &form);
    // Straight to the printer, with the progress window. Without any printer
    // installed the user is asked whether to see the preview instead; the
    // call returns once the report is over, whichever way it went.
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
    // Asks the user, when a report is to be printed and there is no printer,
    // whether to see the preview instead (true: show it); the program asks
    // in a balloon beside the assistant. Unset: the user is told there is
    // no printer, and nothing runs.
    void setNoPrinterQuestion(std::function<bool()> ask) { m_askForPreview = std::move(ask); }

private:
    // Opens and restricts the table, cuts the pages, runs, and switches the
    // filter off again; returns the first failure's message.
    template <typename Run>
    QString runGuarded(ReportForm &form, Run run);
    void printDirect(ReportForm &form, QPrinter &printer);
    void report(const QString &message);

    dbase::Table &m_auxiliary;
    std::function<QString()> m_genre;
    std::function<QPrinter *()> m_printer;
    QWidget *m_parent;
    QString m_lastMessage;
    std::function<void(QWidget *)> m_previewHook;
    std::function<bool()> m_askForPreview;
    std::function<void(const QString &)> m_showError;
};

} // namespace reports
