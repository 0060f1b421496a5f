#pragma once

// The four report forms: the alphabetical and the numbered book list (at
// three levels of detail, restricted to the genre of the genre menu), all
// authors with their books, and the books of one author. Each is a page
// layout of the report engine over the auxiliary table, made once and kept
// with its last level of detail and heading.

#include "reportengine/Layout.h"

#include <QString>

namespace dbase {
class Table;
}

namespace reports {

enum class ReportKind {
    Title,   // TiskAbecedaDialog: the books by title
    Number,  // TiskCisloDialog: the books by catalogue number
    Authors, // TiskAutor1Dialog: every author with their books
    Author,  // TiskAutorDialog: the books of one author
};

enum class ListDetail { Short, Extended, Full };

class ReportForm
{
public:
    explicit ReportForm(ReportKind kind);

    ReportKind kind() const { return m_kind; }
    QString objectName() const; // "TiskAbecedaDialog" ...
    QString title() const;      // the title printed in the header

    const reportengine::PageLayout &layout() const { return m_layout; }

    // The two book lists: detail band height and the row mask's place.
    ListDetail detail() const { return m_detail; }
    void setDetail(ListDetail detail);

    // QRLabel9: the genre caption of the book lists, the author's name of
    // the one-author report.
    QString heading() const;
    void setHeading(const QString &text);

    // Before the first page: opens the auxiliary table (pointed at its
    // folder by the caller), orders it and restricts it. genre is the
    // ticked genre of the genre menu, empty for every genre; only the book
    // lists read it. The one-author report keeps the filter the author
    // picker set. Throws dbase::Error when an order is missing.
    void beforePrint(dbase::Table &auxiliary, const QString &genre);
    // After printing and after the preview: no later use of the auxiliary
    // table inherits a genre or author restriction.
    static void afterPrint(dbase::Table &auxiliary);

    // Restricts the auxiliary table to the books of one author, written
    // exactly so (an apostrophe in the name is quoted).
    static void restrictToAuthor(dbase::Table &auxiliary, const QString &author);

private:
    reportengine::Element *headingElement();

    ReportKind m_kind;
    ListDetail m_detail = ListDetail::Short;
    reportengine::PageLayout m_layout;
};

QString detailCaption(ListDetail detail); // "Zkrácený seznam" ...

} // namespace reports
