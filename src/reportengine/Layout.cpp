#include "Layout.h"

namespace reportengine {

Element Element::caption(double left, double top, const QString &text, FontSpec font)
{
    Element e;
    e.kind = Kind::Text;
    e.box = QRectF(left, top, 0, 0);
    e.text = text;
    e.font = font;
    return e;
}

Element Element::field(double left, double top, double width, double height, const QString &field,
                       FontSpec font)
{
    Element e;
    e.kind = Kind::Field;
    e.box = QRectF(left, top, width, height);
    e.text = field;
    e.font = font;
    return e;
}

bool Band::prints(const Element &element) const
{
    // Band arithmetic is in mm; a hair of slack keeps rounding from
    // printing a sliver of what starts at the bottom edge.
    return element.box.top() < height - 1e-6;
}

Element *Band::find(const QString &name)
{
    for (Element &e : elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

const Element *Band::find(const QString &name) const
{
    return const_cast<Band *>(this)->find(name);
}

QStringList PageLayout::fields() const
{
    QStringList names;
    if (!groupField.isEmpty())
        names.append(groupField);
    for (const Band *band : {&pageHeader, &groupHeader, &detail, &pageFooter})
        for (const Element &e : band->elements)
            if (e.kind == Element::Kind::Field && band->prints(e) && !names.contains(e.text))
                names.append(e.text);
    return names;
}

} // namespace reportengine
