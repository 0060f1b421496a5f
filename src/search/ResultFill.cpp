#include "ResultFill.h"

#include "ResultTree.h"
#include "SearchKeys.h"

#include "dbase/Table.h"

#include <QCollator>
#include <QLocale>
#include <QSignalBlocker>

#include <vector>

namespace search {

namespace {

void findBook(dbase::Table &catalogue, const QString &title, const QString &number)
{
    const QString titleField = QStringLiteral("NAZEV");
    const QString numberField = QStringLiteral("CISLO");
    catalogue.setOrder(titleField);
    catalogue.first();
    catalogue.findNearest(title);
    if (!catalogue.isEmpty() && !catalogue.eof() && catalogue.fieldText(titleField) == title) {
        // Among the books of this title, the one the hit was copied from.
        const dbase::Table::Bookmark first = catalogue.bookmark();
        bool found = false;
        while (!catalogue.eof() && catalogue.fieldText(titleField) == title) {
            if (catalogue.fieldText(numberField) == number) {
                found = true;
                break;
            }
            catalogue.next();
        }
        if (!found)
            catalogue.gotoBookmark(first);
    }
    catalogue.setOrder(numberField);
}

} // namespace

void fillResultTree(ResultTree &tree, dbase::Table &auxiliary, int k)
{
    const SearchKey &key = searchKey(k);
    const QString keyField = QString::fromLatin1(key.keyField);
    tree.beginFill();
    tree.clear();
    const QSignalBlocker quiet(&auxiliary);
    auxiliary.setOrder(keyField);
    // The fields are read into buffers used again for every record: the
    // tree keeps a text of its own only when it makes a node of it.
    const qsizetype levels = key.pathFields.size();
    std::vector<int> fields;
    for (const QString &field : key.pathFields)
        fields.push_back(auxiliary.fieldIndex(field));
    const int keyIndex = auxiliary.fieldIndex(keyField);
    std::vector<QString> buffers(size_t(levels) + 1); // the last for the key field
    std::vector<QStringView> path(static_cast<size_t>(levels));
    auto read = [&auxiliary, &buffers](int index, const QString &name, size_t buffer) {
        if (index < 0)
            return QStringView(buffers[buffer] = auxiliary.fieldText(name)); // throws: no such field
        return auxiliary.fieldText(index, buffers[buffer]);
    };
    for (auxiliary.first(); !auxiliary.eof(); auxiliary.next()) {
        if (read(keyIndex, keyField, size_t(levels)).isEmpty())
            continue;
        for (qsizetype level = 0; level < levels; ++level)
            path[size_t(level)] = read(fields[size_t(level)], key.pathFields.at(level), size_t(level));
        tree.addTreePath(path.data(), levels, auxiliary.bookmark());
    }
    if (key.sorted) {
        QCollator czech(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        czech.setCaseSensitivity(Qt::CaseSensitive);
        tree.sortAll(czech);
    }
    tree.endFill();
}

void locateBook(dbase::Table &catalogue, const QString &title, const QString &number)
{
    {
        // The catalogue window shows the book found, not the way to it.
        const QSignalBlocker quiet(&catalogue);
        findBook(catalogue, title, number);
    }
    emit catalogue.recordChanged();
}

} // namespace search
