#include "ResultFill.h"

#include "ResultTree.h"
#include "SearchKeys.h"

#include "dbase/Table.h"

#include <QCollator>
#include <QLocale>
#include <QSignalBlocker>

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
    QStringList path;
    for (auxiliary.first(); !auxiliary.eof(); auxiliary.next()) {
        if (auxiliary.fieldText(keyField).isEmpty())
            continue;
        path.clear();
        for (const QString &field : key.pathFields)
            path.append(auxiliary.fieldText(field));
        tree.addTreePath(path, auxiliary.bookmark());
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
