// The benchmark catalogue must be what the measurements assume: every book
// readable back through the engine, numbers that fit the five-digit number
// edit, the unnumbered books first, Czech texts intact, the same books for
// the same seed, and a program directory whose two catalogues the open
// dialog offers.

#include "LargeCatalogue.h"
#include "ProgramLayout.h"

#include "core/AppSettings.h"
#include "core/Slots.h"
#include "core/SuiteSettings.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

const QString Catalogue = QStringLiteral("VazonS.dbf");

// An empty catalogue in dir with count books of the seed written into it.
void writeCatalogue(const QString &dir, int count, quint32 seed)
{
    dbase::createTable(dir + QLatin1Char('/') + Catalogue, core::bookFields(), core::bookTags(), true);
    benchdata::writeBooks(dir, Catalogue, count, seed);
}

std::unique_ptr<dbase::Table> openTable(const QString &dir, const QString &name, const QString &order)
{
    auto table = std::make_unique<dbase::Table>();
    table->setDatabaseName(dir);
    table->setTableName(name);
    table->open();
    table->setOrder(order);
    table->first();
    return table;
}

// Number, title and author of every book in file order.
QStringList books(const QString &dir)
{
    QStringList result;
    auto table = openTable(dir, Catalogue, QString());
    for (; !table->eof(); table->next()) {
        result << table->fieldText(QStringLiteral("CISLO")) + QLatin1Char('|')
                      + table->fieldText(QStringLiteral("NAZEV")) + QLatin1Char('|')
                      + table->fieldText(QStringLiteral("AUTOR"));
    }
    return result;
}

} // namespace

class LargeCatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void booksReadBackInNumberOrder();
    void numbersFitTheNumberEditBeyond99999Books();
    void sameSeedSameBooks();
    void programDirectoryOffersBothCatalogues();
    void missingDataFolderIsRefused();
};

void LargeCatalogueTest::booksReadBackInNumberOrder()
{
    QTemporaryDir temp;
    const int count = 1200;
    writeCatalogue(temp.path(), count, 7);
    auto table = openTable(temp.path(), Catalogue, QStringLiteral("CISLO"));
    QCOMPARE(table->recordCount(), count);

    // Books 7, 507, 1007 of the file have no number; they sort first.
    const int unnumbered = 3;
    int empty = 0;
    int numbered = 0;
    int previous = 0;
    int lent = 0;
    bool czech = false;
    for (; !table->eof(); table->next()) {
        const QString number = table->fieldText(QStringLiteral("CISLO"));
        if (number.isEmpty()) {
            QCOMPARE(numbered, 0);
            ++empty;
        } else {
            QVERIFY2(number.toInt() > previous, qPrintable(number));
            previous = number.toInt();
            ++numbered;
        }
        const QString text = table->fieldText(QStringLiteral("NAZEV")) + table->fieldText(QStringLiteral("AUTOR"));
        czech = czech || text.contains(QRegularExpression(QStringLiteral("[ČčŘřŠšŽžůě]")));
        if (table->fieldText(QStringLiteral("PUJCENO")) == QStringLiteral("Půjčeno"))
            ++lent;
    }
    QCOMPARE(empty, unnumbered);
    QCOMPARE(numbered, count - unnumbered);
    QVERIFY(previous <= count);
    QVERIFY(czech);
    QVERIFY(lent > 0 && lent < count / 5); // the label shows both colours
}

void LargeCatalogueTest::numbersFitTheNumberEditBeyond99999Books()
{
    // Past 99,999 books the numbers repeat instead of growing a sixth digit
    // that the number edit would cut off.
    QTemporaryDir temp;
    const int count = 100002;
    writeCatalogue(temp.path(), count, 3);
    auto table = openTable(temp.path(), Catalogue, QStringLiteral("CISLO"));
    QCOMPARE(table->recordCount(), count);
    int longest = 0;
    int repeated = 0;
    QString previous;
    for (; !table->eof(); table->next()) {
        const QString number = table->fieldText(QStringLiteral("CISLO"));
        longest = std::max(longest, int(number.size()));
        if (!number.isEmpty() && number == previous)
            ++repeated;
        previous = number;
    }
    QCOMPARE(longest, 5);
    QVERIFY(repeated > 0);
}

void LargeCatalogueTest::sameSeedSameBooks()
{
    QTemporaryDir a;
    QTemporaryDir b;
    QTemporaryDir c;
    writeCatalogue(a.path(), 300, 11);
    writeCatalogue(b.path(), 300, 11);
    writeCatalogue(c.path(), 300, 12);
    const QStringList first = books(a.path());
    QCOMPARE(first.size(), 300);
    QCOMPARE(books(b.path()), first);
    QVERIFY(books(c.path()) != first);
}

void LargeCatalogueTest::programDirectoryOffersBothCatalogues()
{
    QTemporaryDir temp;
    layOutProgramDirectory(temp.path(), LayoutMode::Fresh);
    // Twice: the second fill replaces the catalogues, it does not add to them.
    benchdata::fillProgramDirectory(temp.path(), 40);
    benchdata::fillProgramDirectory(temp.path(), 50);

    const platform::ProgramDirectory dir(temp.path());
    for (int slot = 1; slot <= 2; ++slot) {
        auto table = openTable(dir.dataDir(), core::bookTableFile(slot), QStringLiteral("CISLO"));
        QCOMPARE(table->recordCount(), 50);
    }
    // Different books in the two, so a step in one is told from the other.
    auto one = openTable(dir.dataDir(), core::bookTableFile(1), QString());
    auto two = openTable(dir.dataDir(), core::bookTableFile(2), QString());
    QVERIFY(one->fieldText(QStringLiteral("CISLO")) != two->fieldText(QStringLiteral("CISLO"))
            || one->fieldText(QStringLiteral("NAZEV")) != two->fieldText(QStringLiteral("NAZEV")));

    const core::AppSettings settings(dir);
    QCOMPARE(settings.optionalName(1), benchdata::optionalCatalogueName());
    QVERIFY(settings.optionalName(1) != core::placeholderCatalogueName());
    QVERIFY(!settings.catalogueOpen(1));
    QVERIFY(!settings.catalogueOpen(2));
    QVERIFY(!settings.tipsAtStart());
    QVERIFY(!core::SuiteSettings(dir).welcomeAtStart());
}

void LargeCatalogueTest::missingDataFolderIsRefused()
{
    QTemporaryDir temp;
    QVERIFY_THROWS_EXCEPTION(std::exception, benchdata::fillProgramDirectory(temp.path(), 10));
}

QTEST_GUILESS_MAIN(LargeCatalogueTest)
#include "LargeCatalogueTest.moc"
