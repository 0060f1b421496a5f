// The data steps of the auxiliary table's build: which books reach the copy,
// in which order, and with which values.

#include "core/AuxiliaryCopy.h"
#include "core/TableDefinitions.h"
#include "dbase/DbfTypes.h"
#include "dbase/Table.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

struct Book
{
    QString title, author, number, binding;
};

void addBooks(dbase::Table &t, const QList<Book> &books)
{
    for (const Book &b : books) {
        t.insert();
        if (!b.title.isNull())
            t.setFieldText(QStringLiteral("NAZEV"), b.title);
        t.setFieldText(QStringLiteral("AUTOR"), b.author);
        t.setFieldText(QStringLiteral("CISLO"), b.number);
        t.setFieldText(QStringLiteral("VAZBA"), b.binding);
        t.post();
    }
}

void openIn(dbase::Table &t, const QString &folder, const QString &file, const QString &order)
{
    t.setDatabaseName(folder);
    t.setTableName(file);
    t.open();
    t.setOrder(order);
}

} // namespace

class AuxiliaryCopyTest : public QObject
{
    Q_OBJECT

private slots:
    void copiesTitledBooksOnceInCatalogueOrder()
    {
        QTemporaryDir tmp;
        const QString dir = tmp.path() + QLatin1Char('/');
        dbase::createTable(dir + "VazonS.dbf", core::bookFields(), core::bookTags(), true);
        dbase::createTable(dir + "VazonI.dbf", core::auxiliaryFields(), core::auxiliaryTags(), true);

        dbase::Table catalogue;
        openIn(catalogue, dir, "VazonS.dbf", "CISLO");
        addBooks(catalogue, {{"Žlutý pes", "Čapek, Karel", "10", "Brožovaná"},
                             {"", "Bez názvu", "3", ""},
                             {"   ", "Jen mezery", "4", ""},
                             {"O'Brien's Irish tales", "O'Brien, Flann", "2", ""},
                             {"Řeka", "", "", ""}});
        QCOMPARE(core::countTitledBooks(catalogue), 3);

        dbase::Table aux;
        openIn(aux, dir, "VazonI.dbf", "");
        QList<int> steps;
        const int copied = core::copyTitledBooks(catalogue, aux, [&](int n) { steps << n; });
        QCOMPARE(copied, 3);
        QCOMPARE(steps, (QList<int>{1, 2, 3}));
        QVERIFY(catalogue.bof() == false && catalogue.fieldText("CISLO") == QStringLiteral("10"));

        // File order of the copy is the catalogue's number order; an empty number first.
        aux.close();
        openIn(aux, dir, "VazonI.dbf", "");
        QStringList titles, authors;
        for (aux.first(); !aux.eof(); aux.next()) {
            titles << aux.fieldText("NAZEV");
            authors << aux.fieldText("AUTOR");
        }
        QCOMPARE(titles, (QStringList{"Řeka", "O'Brien's Irish tales", "Žlutý pes"}));
        QCOMPARE(authors, (QStringList{"", "O'Brien, Flann", "Čapek, Karel"}));
        QCOMPARE(aux.fieldIndex("VAZBA"), -1);
    }

    void emptyCatalogueGivesEmptyCopy()
    {
        QTemporaryDir tmp;
        const QString dir = tmp.path() + QLatin1Char('/');
        dbase::createTable(dir + "Vazon1.dbf", core::bookFields(), core::bookTags(), true);
        dbase::createTable(dir + "VazonI.dbf", core::auxiliaryFields(), core::auxiliaryTags(), true);
        dbase::Table catalogue, aux;
        openIn(catalogue, dir, "Vazon1.dbf", "CISLO");
        openIn(aux, dir, "VazonI.dbf", "");
        QCOMPARE(core::countTitledBooks(catalogue), 0);
        QCOMPARE(core::copyTitledBooks(catalogue, aux), 0);
        QVERIFY(aux.isEmpty());
    }
};

QTEST_GUILESS_MAIN(AuxiliaryCopyTest)
#include "AuxiliaryCopyTest.moc"
