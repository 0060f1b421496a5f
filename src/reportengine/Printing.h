#pragma once

// Printing a report on a printer: one copy of every page, no print dialog,
// with a progress window whose "Storno" stops the job after the current page.

#include <QString>

class QPrinter;
class QWidget;

namespace reportengine {

class ReportDocument;

enum class PrintResult { Printed, Cancelled, Failed };

// Prints on the printer with the progress window (parent may be null).
// On Failed, *error holds the message.
PrintResult printDocument(ReportDocument &document, QPrinter &printer, QWidget *parent,
                          QString *error = nullptr);

} // namespace reportengine
