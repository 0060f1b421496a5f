#include "ReportDocument.h"

#include "ElementPainter.h"
#include "PageCanvas.h"

#include <QPainter>

namespace reportengine {

namespace {

// Band arithmetic is in mm; a hair of slack keeps rounding from pushing the
// last band that fits onto the next page.
constexpr double Slack = 1e-6;

} // namespace

ReportDocument::ReportDocument(const PageLayout &layout, RecordSource &source, const QDate &date)
    : m_layout(layout)
    , m_source(source)
    , m_date(date)
{
}

QString ReportDocument::dateText() const
{
    return m_date.toString(QStringLiteral("d.M.yyyy"));
}

void ReportDocument::paginate()
{
    m_pages.clear();
    m_records = 0;
    const bool grouped = !m_layout.groupField.isEmpty();
    const double body = m_layout.bodyHeight();
    Page page;
    double y = 0.0;
    QByteArray previous;
    bool hasPrevious = false;
    if (m_source.first()) {
        do {
            const QByteArray key = grouped ? m_source.key(m_layout.groupField) : QByteArray();
            double need = m_layout.detail.height;
            if (grouped && (!hasPrevious || key != previous))
                need += m_layout.groupHeader.height;
            if (page.count > 0 && y + need > body + Slack) {
                m_pages.push_back(page);
                page = Page{};
                page.previousKey = previous;
                page.hasPrevious = hasPrevious;
                y = 0.0;
            }
            if (page.count == 0)
                page.start = m_source.position();
            y += need;
            ++page.count;
            ++m_records;
            previous = key;
            hasPrevious = true;
        } while (m_source.next());
    }
    m_pages.push_back(page);
}

void ReportDocument::paintPage(QPainter &painter, int index, double dotsPerMm)
{
    if (index < 0 || index >= pageCount())
        return;
    painter.save();
    painter.scale(dotsPerMm / Units, dotsPerMm / Units);
    painter.translate(m_layout.margin * Units, m_layout.margin * Units);
    painter.setPen(Qt::black);
    {
        PainterCanvas canvas(painter);
        paintPage(canvas, index);
    }
    painter.restore();
}

void ReportDocument::paintPage(PageCanvas &canvas, int index)
{
    if (index < 0 || index >= pageCount())
        return;
    const Page &page = m_pages[size_t(index)];
    paintBand(canvas, m_layout.pageHeader, 0.0, index + 1, false);
    double y = m_layout.pageHeader.height;
    if (page.count > 0) {
        const bool grouped = !m_layout.groupField.isEmpty();
        QByteArray previous = page.previousKey;
        bool hasPrevious = page.hasPrevious;
        m_source.seek(page.start);
        for (int k = 0; k < page.count; ++k) {
            if (k > 0 && !m_source.next())
                break;
            if (grouped) {
                const QByteArray key = m_source.key(m_layout.groupField);
                if (!hasPrevious || key != previous) {
                    paintBand(canvas, m_layout.groupHeader, y, index + 1, true);
                    y += m_layout.groupHeader.height;
                }
                previous = key;
                hasPrevious = true;
            }
            paintBand(canvas, m_layout.detail, y, index + 1, true);
            y += m_layout.detail.height;
        }
    }
    paintBand(canvas, m_layout.pageFooter, m_layout.usableHeight() - m_layout.pageFooter.height, index + 1,
              false);
}

void ReportDocument::paintBand(PageCanvas &canvas, const Band &band, double top, int pageNumber,
                               bool withRecord)
{
    for (const Element &e : band.elements) {
        // A box that crosses the band's bottom edge is cut there.
        if (!band.prints(e))
            continue;
        const double room = band.height - e.box.top();
        QString text;
        switch (e.kind) {
        case Element::Kind::Text:
            text = e.text;
            break;
        case Element::Kind::Field:
            text = withRecord ? m_source.text(e.text) : QString();
            break;
        case Element::Kind::Date:
            text = dateText();
            break;
        case Element::Kind::PageNumber:
            text = QString::number(pageNumber);
            break;
        case Element::Kind::Rect:
            paintRect(canvas, e, top, room);
            continue;
        }
        paintText(canvas, e, text, top, room);
    }
}

} // namespace reportengine
