#include "ReportForm.h"

#include "dbase/Table.h"

namespace reports {

using reportengine::Band;
using reportengine::Element;
using reportengine::FontSpec;

namespace {

// Band heights of the book lists are set in pixels at 96 pixels per inch.
constexpr double mmOfPixels(double pixels)
{
    return pixels * 25.4 / 96.0;
}

FontSpec font(double points, bool bold = false, bool italic = false)
{
    FontSpec f;
    f.points = points;
    f.bold = bold;
    f.italic = italic;
    return f;
}

Element caption(double left, double top, const char *text, FontSpec f)
{
    return Element::caption(left, top, QString::fromUtf8(text), f);
}

Element field(double left, double top, double width, double height, const char *name, FontSpec f)
{
    return Element::field(left, top, width, height, QLatin1String(name), f);
}

Element dateAt(double left, double top)
{
    Element e = Element::caption(left, top, QString(), font(8));
    e.kind = Element::Kind::Date;
    return e;
}

Band footer()
{
    Band b;
    b.height = 6.3;
    b.elements << caption(1.6, 0.8, "Strana :", font(8));
    Element number = Element::caption(11.9, 0.8, QString(), font(8));
    number.kind = Element::Kind::PageNumber;
    b.elements << number << caption(166.7, 0.8, "Merisk '99", font(8));
    return b;
}

// Row 1 of a book: " - ", title, genre and number.
QList<Element> bookRow()
{
    return {
        caption(0.8, 0.0, " - ", font(10)),
        field(4.2, 0.0, 77.3, 5.0, "NAZEV", font(10, true)),
        caption(83.3, 0.0, "Žánr knihy :", font(10)),
        field(101.1, 0.0, 55.3, 5.0, "DRUH", font(10, true)),
        caption(158.0, 0.0, "Číslo knihy :", font(10)),
        field(176.7, 0.0, 11.1, 5.0, "CISLO", font(10, true)),
    };
}

Band bookListDetail()
{
    Band b;
    b.elements = bookRow();
    b.elements << caption(4.2, 6.9, "Autor :", font(10)) << field(14.8, 6.9, 81.0, 5.0, "AUTOR", font(10))
               << caption(96.8, 6.9, "Ilustrace :", font(10))
               << field(111.7, 6.9, 76.2, 5.0, "ILUSTRACE", font(10));
    b.elements << caption(4.2, 13.2, "Vydavatel :", font(10))
               << field(21.2, 13.2, 81.0, 5.0, "VYDAVATEL", font(10))
               << caption(105.3, 13.2, "Rok vydání :", font(10)) << field(123.8, 13.2, 19.3, 5.0, "ROK", font(10))
               << caption(145.5, 13.2, "Náklad vydání:", font(10))
               << field(168.3, 13.2, 19.3, 5.0, "NAKLAD", font(10));
    b.elements << caption(4.2, 20.1, "Poznámka :", font(10))
               << field(21.2, 20.1, 166.4, 9.8, "POZNAMKA", font(10));
    // The row mask, last so that it lies over the rows a level leaves out.
    // The engine cuts every element at its band's bottom edge, so the mask
    // keeps its place but has nothing to cover.
    Element mask;
    mask.kind = Element::Kind::Rect;
    mask.name = QStringLiteral("panel1");
    mask.box = QRectF(mmOfPixels(3), mmOfPixels(24), mmOfPixels(710), mmOfPixels(89));
    mask.fill = Qt::white;
    b.elements << mask;
    return b;
}

Element headingLabel(double left, double top, double points, bool bold)
{
    Element e = Element::caption(left, top, QString(), font(points, bold));
    e.name = QStringLiteral("QRLabel9");
    return e;
}

} // namespace

ReportForm::ReportForm(ReportKind kind)
    : m_kind(kind)
{
    m_layout.pageFooter = footer();
    Band &header = m_layout.pageHeader;
    switch (kind) {
    case ReportKind::Title:
    case ReportKind::Number:
        header.height = 15.6;
        header.elements << Element::caption(kind == ReportKind::Title ? 60.3 : 63.2, 0.3, title(), font(20, true))
                        << caption(1.6, 8.5, "Aktuální satav ze dne :", font(8)) << dateAt(30.4, 8.5)
                        << caption(145.0, 8.5, "Použitý výběr :", font(8)) << headingLabel(164.6, 8.5, 8, false);
        m_layout.detail = bookListDetail();
        setHeading(QStringLiteral("Všechny druhy"));
        setDetail(ListDetail::Short);
        break;
    case ReportKind::Authors:
        header.height = 15.6;
        header.elements << Element::caption(57.1, 0.3, title(), font(20, true))
                        << caption(1.6, 10.6, "Aktuální satav ze dne :", font(8)) << dateAt(30.4, 10.6);
        m_layout.groupField = QStringLiteral("AUTOR");
        m_layout.groupHeader.height = 7.9;
        m_layout.groupHeader.elements << caption(0.8, 0.0, " - ", font(10))
                                      << field(6.3, 0.0, 44.2, 6.1, "AUTOR", font(14, true));
        m_layout.detail.height = 5.8;
        m_layout.detail.elements << field(6.3, 0.0, 77.3, 5.0, "NAZEV", font(10))
                                 << caption(83.9, 0.0, "Žánr knihy :", font(10, false, true))
                                 << field(104.8, 0.0, 51.6, 5.0, "DRUH", font(10))
                                 << caption(158.0, 0.0, "Číslo knihy :", font(10, false, true))
                                 << field(178.9, 0.0, 11.1, 5.0, "CISLO", font(10));
        break;
    case ReportKind::Author: {
        header.height = 19.8;
        Element name = headingLabel(59.8, 8.5, 14, true);
        name.box.setWidth(70.1);
        name.box.setHeight(6.1);
        name.alignment = Qt::AlignHCenter;
        header.elements << Element::caption(60.3, 0.3, title(), font(20, true)) << name
                        << caption(1.6, 14.8, "Aktuální satav ze dne :", font(8)) << dateAt(30.4, 14.8);
        m_layout.detail.height = 6.3;
        m_layout.detail.elements = bookRow();
        break;
    }
    }
}

QString ReportForm::objectName() const
{
    switch (m_kind) {
    case ReportKind::Title:
        return QStringLiteral("TiskAbecedaDialog");
    case ReportKind::Number:
        return QStringLiteral("TiskCisloDialog");
    case ReportKind::Authors:
        return QStringLiteral("TiskAutor1Dialog");
    case ReportKind::Author:
        return QStringLiteral("TiskAutorDialog");
    }
    return QString();
}

QString ReportForm::title() const
{
    switch (m_kind) {
    case ReportKind::Number:
        return QStringLiteral("Číselný seznam knih");
    case ReportKind::Authors:
        return QStringLiteral("Abecední seznam autorů");
    default:
        return QStringLiteral("Abecední seznam knih");
    }
}

void ReportForm::setDetail(ListDetail detail)
{
    if (m_kind != ReportKind::Title && m_kind != ReportKind::Number)
        return;
    m_detail = detail;
    const double pixels[] = {24, 48, 118};
    const double height = pixels[int(detail)];
    m_layout.detail.height = mmOfPixels(height);
    Element *mask = m_layout.detail.find(QStringLiteral("panel1"));
    if (detail == ListDetail::Full)
        mask->box.moveTo(mmOfPixels(-1000), mmOfPixels(24));
    else
        mask->box.moveTo(mmOfPixels(3), mmOfPixels(height));
}

Element *ReportForm::headingElement()
{
    return m_layout.pageHeader.find(QStringLiteral("QRLabel9"));
}

QString ReportForm::heading() const
{
    const Element *e = m_layout.pageHeader.find(QStringLiteral("QRLabel9"));
    return e ? e->text : QString();
}

void ReportForm::setHeading(const QString &text)
{
    if (Element *e = headingElement())
        e->text = text;
}

void ReportForm::beforePrint(dbase::Table &auxiliary, const QString &genre)
{
    if (!auxiliary.isActive())
        auxiliary.open();
    switch (m_kind) {
    case ReportKind::Title:
    case ReportKind::Number:
        auxiliary.setOrder(m_kind == ReportKind::Title ? QStringLiteral("NAZEV") : QStringLiteral("CISLO"));
        if (genre.isEmpty()) {
            setHeading(QStringLiteral("Všechny druhy"));
            auxiliary.setFiltered(false);
        } else {
            setHeading(genre);
            auxiliary.setFilter(dbase::Table::filterFor(QStringLiteral("DRUH"), genre));
            auxiliary.setFiltered(true);
        }
        break;
    case ReportKind::Authors:
        auxiliary.setOrder(QStringLiteral("AUTORNAZEV"));
        auxiliary.setFiltered(false);
        break;
    case ReportKind::Author:
        auxiliary.setOrder(QStringLiteral("NAZEV"));
        break;
    }
}

void ReportForm::afterPrint(dbase::Table &auxiliary)
{
    if (auxiliary.isActive())
        auxiliary.setFiltered(false);
}

void ReportForm::restrictToAuthor(dbase::Table &auxiliary, const QString &author)
{
    auxiliary.setOrder(QStringLiteral("NAZEV"));
    auxiliary.setFiltered(false);
    auxiliary.setFilter(dbase::Table::filterFor(QStringLiteral("AUTOR"), author));
    auxiliary.setFiltered(true);
}

QString detailCaption(ListDetail detail)
{
    switch (detail) {
    case ListDetail::Short:
        return QStringLiteral("Zkrácený seznam");
    case ListDetail::Extended:
        return QStringLiteral("Rozšířený seznam");
    case ListDetail::Full:
        return QStringLiteral("Úplný seznam");
    }
    return QString();
}

} // namespace reports
