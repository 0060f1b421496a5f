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

} // namespace reportengine
