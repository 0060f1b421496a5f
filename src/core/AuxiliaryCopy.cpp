#include "AuxiliaryCopy.h"

#include "TableDefinitions.h"

namespace core {

namespace {

bool hasTitle(const dbase::Table &catalogue, int titleIndex)
{
    const QByteArrayView bytes = catalogue.fieldBytes(titleIndex);
    for (char c : bytes)
        if (c != ' ' && c != '\0')
            return true;
    return false;
}

} // namespace

int countTitledBooks(dbase::Table &catalogue)
{
    const int title = catalogue.fieldIndex(QStringLiteral("NAZEV"));
    if (title < 0)
        return 0;
    int count = 0;
    for (catalogue.first(); !catalogue.eof(); catalogue.next())
        if (hasTitle(catalogue, title))
            ++count;
    return count;
}

int copyTitledBooks(dbase::Table &catalogue, dbase::Table &auxiliary,
                    const std::function<void(int copied)> &step)
{
    const int title = catalogue.fieldIndex(QStringLiteral("NAZEV"));
    if (title < 0)
        return 0;
    static const QList<dbase::FieldDef> fields = auxiliaryFields();
    int copied = 0;
    for (catalogue.first(); !catalogue.eof(); catalogue.next()) {
        if (!hasTitle(catalogue, title))
            continue;
        auxiliary.insert();
        for (const dbase::FieldDef &f : fields)
            auxiliary.setFieldText(f.name, catalogue.fieldText(f.name));
        auxiliary.post();
        ++copied;
        if (step)
            step(copied);
    }
    catalogue.last();
    return copied;
}

} // namespace core
