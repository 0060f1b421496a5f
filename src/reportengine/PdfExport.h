#pragma once

// A report as a PDF file: A4 pages, the fonts embedded as subsets. The file
// is written under a temporary name beside the target and renamed at the
// end, so the chosen name never holds a half-written report.

#include <QString>

namespace reportengine {

class ReportDocument;

// Returns an empty text on success, otherwise the Czech message saying
// what failed; no file is left under path then.
QString writePdf(ReportDocument &document, const QString &path, const QString &title = QString());

} // namespace reportengine
