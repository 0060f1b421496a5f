#pragma once

// A layout over its records, cut into pages. Band heights are fixed, so one
// walk over the records finds every page break; a page keeps only where its
// records start, so any page is painted on demand and memory does not grow
// with the pages' contents.

#include "Layout.h"
#include "RecordSource.h"

#include <QDate>
#include <QString>

#include <vector>

class QPainter;

namespace reportengine {

class PageCanvas;

class ReportDocument
{
public:
    // The source must stay at hand, unchanged, while the document is used.
    ReportDocument(const PageLayout &layout, RecordSource &source, const QDate &date = QDate::currentDate());

    // The one walk over the records. Runs again after the records changed.
    void paginate();

    int pageCount() const { return int(m_pages.size()); }
    int recordCount() const { return m_records; }
    const PageLayout &layout() const { return m_layout; }

    // Paints page index (0-based) with the painter's current origin at the
    // paper's top left corner; dotsPerMm is the device's resolution. The
    // paper is not filled: the caller decides its background.
    void paintPage(QPainter &painter, int index, double dotsPerMm);
    // The same page onto a canvas, in page units from the top left corner
    // of the printed area (inside the margins).
    void paintPage(PageCanvas &canvas, int index);

    // The date printed on every page, in its Czech short form "d.M.yyyy".
    QString dateText() const;

private:
    struct Page
    {
        RecordSource::Position start = 0;
        int count = 0;
        QByteArray previousKey; // group value of the record before the page
        bool hasPrevious = false;
    };

    void paintBand(PageCanvas &canvas, const Band &band, double top, int pageNumber,
                   bool withRecord);

    PageLayout m_layout;
    RecordSource &m_source;
    QDate m_date;
    std::vector<Page> m_pages;
    int m_records = 0;
};

} // namespace reportengine
