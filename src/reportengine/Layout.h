#pragma once

// A banded page layout in millimetres: page header, an optional group header
// on one field, the detail band printed once per record, and the page footer.
// Every element sits at a position from the top left corner of its band.

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace reportengine {

struct FontSpec
{
    QString family = QStringLiteral("Times New Roman");
    double points = 10.0;
    bool bold = false;
    bool italic = false;
};

struct Element
{
    enum class Kind {
        Text,       // a fixed caption, as wide as its text
        Field,      // the value of a field in a fixed box: words wrap, the box's height cuts
        Date,       // today's date, d.M.yyyy
        PageNumber, // the number of the page, from 1
        Rect,       // a filled rectangle
    };

    Kind kind = Kind::Text;
    QString name;        // the element's own name ("QRLabel9", "panel1"), for the forms
    QRectF box;          // left, top, width, height in mm; Text/Date/PageNumber use left and top
    QString text;        // Text: the caption; Field: the field's name
    FontSpec font;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor fill = Qt::white; // Rect

    static Element caption(double left, double top, const QString &text, FontSpec font);
    static Element field(double left, double top, double width, double height, const QString &field,
                         FontSpec font);
};

struct Band
{
    double height = 0.0; // mm; elements (or the parts of them) below it are not printed
    QList<Element> elements;

    // Whether any of the element is printed: every element is clipped to
    // its band, so what starts below the band's bottom edge is not.
    bool prints(const Element &element) const;

    Element *find(const QString &name);
    const Element *find(const QString &name) const;
};

struct PageLayout
{
    // A4 portrait with 10 mm margins on every side.
    double pageWidth = 210.0;
    double pageHeight = 297.0;
    double margin = 10.0;

    Band pageHeader;
    QString groupField; // empty: no group header
    Band groupHeader;
    Band detail;
    Band pageFooter;

    // The fields the layout prints or groups on, each once; a field cut off
    // by its band's height is not printed.
    QStringList fields() const;

    double usableHeight() const { return pageHeight - 2 * margin; }
    // The room between header and footer for group headers and details.
    double bodyHeight() const { return usableHeight() - pageHeader.height - pageFooter.height; }
};

} // namespace reportengine
