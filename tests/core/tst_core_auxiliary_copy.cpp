// The data steps of the auxiliary table's build: which books reach the copy,
// in which order, and with which values.

#include "core/AuxiliaryCopy.h"
#include "core/TableDefinitions.h"
#include "dbase/DbfTypes.h"
#include "dbase/Table.h"

#include <QFile>
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

// The copy as it was made before the batch: record by record, every field
// through its text form.
void copyOneByOne(dbase::Table &catalogue, dbase::Table &auxiliary)
{
    const QList<dbase::FieldDef> fields = core::auxiliaryFields();
    for (catalogue.first(); !catalogue.eof(); catalogue.next()) {
        if (catalogue.fieldText(QStringLiteral("NAZEV")).trimmed().isEmpty())
            continue;
        auxiliary.insert();
        for (const dbase::FieldDef &f : fields)
            auxiliary.setFieldText(f.name, catalogue.fieldText(f.name));
        auxiliary.post();
    }
}

// The records of a .dbf as stored, without the header.
QByteArray storedRecords(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    const int headerLength = uchar(all[8]) | uchar(all[9]) << 8;
    return all.mid(headerLength);
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

    void batchCopyStoresWhatTheTextFormStores()
    {
        QTemporaryDir tmp;
        const QString dir = tmp.path() + QLatin1Char('/');
        dbase::createTable(dir + "VazonS.dbf", core::bookFields(), core::bookTags(), true);
        dbase::createTable(dir + "VazonI.dbf", core::auxiliaryFields(), core::auxiliaryTags(), true);
        dbase::createTable(dir + "VazonR.dbf", core::auxiliaryFields(), core::auxiliaryTags(), true);

        dbase::Table catalogue;
        openIn(catalogue, dir, "VazonS.dbf", "");
        const QStringList all{"Příliš žluťoučký kůň úpěl ďábelské ódy", "Čapek, Karel", "Román", "12.5",
                              "-1990", "0.25", "O'Brien's, \"Dublin\"", "Věnování autora; přebal 'mírně' poškozen",
                              "Nováková", "29.2.2024", "Ďáblova past", "Lada, Josef", "Tisk 'Svoboda'", "2. vydání",
                              "1234567890.123"};
        catalogue.insert();
        const QList<dbase::FieldDef> fields = core::auxiliaryFields();
        for (int i = 0; i < fields.size(); ++i)
            catalogue.setFieldText(fields.at(i).name, all.at(i));
        catalogue.post();
        // Only a title: every other value empty.
        catalogue.insert();
        catalogue.setFieldText("NAZEV", "Řeka");
        catalogue.post();
        // Bytes another program may leave: a title padded with NULs, a
        // number left-justified, a date of blanks and NULs. The text form
        // makes them plain, and so must the copy.
        catalogue.insert();
        QByteArray title(50, '\0');
        title.replace(0, 5, "Ahoj ");
        catalogue.setFieldBytes(catalogue.fieldIndex("NAZEV"), title);
        catalogue.setFieldBytes(catalogue.fieldIndex("CISLO"), QByteArray("7").leftJustified(11, ' '));
        catalogue.setFieldBytes(catalogue.fieldIndex("DATUM"), QByteArray("    \0\0\0\0", 8));
        catalogue.setFieldText("AUTOR", "Žák, Ondřej");
        catalogue.post();
        // An untitled book is left out by both.
        catalogue.insert();
        catalogue.setFieldText("AUTOR", "Bez názvu");
        catalogue.post();

        dbase::Table batch, reference;
        openIn(batch, dir, "VazonI.dbf", "");
        openIn(reference, dir, "VazonR.dbf", "");
        QCOMPARE(core::copyTitledBooks(catalogue, batch), 3);
        copyOneByOne(catalogue, reference);
        batch.close();
        reference.close();

        const QByteArray copied = storedRecords(dir + "VazonI.dbf");
        QCOMPARE(copied.size(), 3 * (1 + 690) + 1); // three records and the end-of-file mark
        QCOMPARE(copied, storedRecords(dir + "VazonR.dbf"));

        // The copy reads back the values, and its index describes it.
        openIn(batch, dir, "VazonI.dbf", "AUTORNAZEV");
        QVERIFY(!batch.indexRebuiltAtOpen());
        QCOMPARE(batch.recordCount(), 3);
        batch.first();
        QCOMPARE(batch.fieldText("NAZEV"), QString("Řeka"));
        QCOMPARE(batch.fieldText("CISLO"), QString());
        batch.next();
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(batch.fieldText(fields.at(i).name), all.at(i));
        batch.next();
        QCOMPARE(batch.fieldText("NAZEV"), QString("Ahoj"));
        QCOMPARE(batch.fieldText("CISLO"), QString("7"));
        QCOMPARE(batch.fieldText("DATUM"), QString());
    }

    void narrowCopyCarriesTheFieldsItHas()
    {
        // A copy made for one report has only the fields that report reads:
        // the others are passed over, the ones it has keep their values,
        // and the index describes the copy.
        QTemporaryDir tmp;
        const QString dir = tmp.path() + QLatin1Char('/');
        dbase::createTable(dir + "VazonS.dbf", core::bookFields(), core::bookTags(), true);
        QList<dbase::FieldDef> narrow;
        for (const dbase::FieldDef &f : core::auxiliaryFields())
            if (f.name == "NAZEV" || f.name == "DRUH" || f.name == "CISLO")
                narrow.append(f);
        dbase::createTable(dir + "VazonI.dbf", narrow, {{"NAZEV", "NAZEV"}}, true);
        dbase::Table catalogue, aux;
        openIn(catalogue, dir, "VazonS.dbf", "CISLO");
        addBooks(catalogue, {{"Andělé", "Lada, Josef", "1", ""}});
        catalogue.insert();
        catalogue.setFieldText("NAZEV", "Žlutý kůň");
        catalogue.setFieldText("AUTOR", "Čapek, Karel");
        catalogue.setFieldText("CISLO", "2");
        catalogue.setFieldText("DRUH", "Román");
        catalogue.post();
        openIn(aux, dir, "VazonI.dbf", "");
        QCOMPARE(core::copyTitledBooks(catalogue, aux), 2);
        aux.close();
        QCOMPARE(storedRecords(dir + "VazonI.dbf").size(), 2 * (1 + 50 + 50 + 11) + 1);
        openIn(aux, dir, "VazonI.dbf", "NAZEV");
        QVERIFY(!aux.indexRebuiltAtOpen());
        aux.first();
        QCOMPARE(aux.fieldText("NAZEV"), QString("Andělé"));
        QCOMPARE(aux.fieldText("CISLO"), QString("1"));
        aux.next();
        QCOMPARE(aux.fieldText("NAZEV"), QString("Žlutý kůň"));
        QCOMPARE(aux.fieldText("DRUH"), QString("Román"));
        QCOMPARE(aux.fieldIndex("AUTOR"), -1);
    }

    void refusedBookLeavesTheCopyEmpty()
    {
        QTemporaryDir tmp;
        const QString dir = tmp.path() + QLatin1Char('/');
        dbase::createTable(dir + "VazonS.dbf", core::bookFields(), core::bookTags(), true);
        // A copy whose title field is too narrow for the second book.
        QList<dbase::FieldDef> narrow = core::auxiliaryFields();
        narrow[0].length = 8;
        dbase::createTable(dir + "VazonI.dbf", narrow, core::auxiliaryTags(), true);
        dbase::Table catalogue, aux;
        openIn(catalogue, dir, "VazonS.dbf", "CISLO");
        addBooks(catalogue, {{"Krátký", "A", "1", ""}, {"Dlouhý název knihy", "B", "2", ""}});
        openIn(aux, dir, "VazonI.dbf", "");
        QVERIFY_THROWS_EXCEPTION(dbase::Error, core::copyTitledBooks(catalogue, aux));
        QVERIFY(!aux.inAppend());
        QVERIFY(aux.isEmpty());
        aux.close();
        openIn(aux, dir, "VazonI.dbf", "");
        QVERIFY(aux.isEmpty());
        QCOMPARE(storedRecords(dir + "VazonI.dbf"), QByteArray("\x1A"));
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
#include "tst_core_auxiliary_copy.moc"
