// Reading and writing of the CSV that ordex-dbf exchanges with spreadsheets.

#include "Csv.h"

#include <QtTest>

class CsvTest : public QObject
{
    Q_OBJECT
private slots:
    void writerQuotesOnlyWhatNeedsIt();
    void readerHandlesQuotesAndLineBreaks();
    void readerSkipsBomAndEmptyLines();
    void readerRefusesMalformedInput();
    void writtenRecordsReadBackUnchanged();
};

void CsvTest::writerQuotesOnlyWhatNeedsIt()
{
    QByteArray out;
    appendCsvRecord(out, {QStringLiteral("Žluťoučký kůň"), QStringLiteral("a,b"),
                          QStringLiteral("řekl \"ahoj\""), QStringLiteral("dva\nřádky"), QString(),
                          QStringLiteral(" mezery ")});
    QCOMPARE(QString::fromUtf8(out),
             QStringLiteral("Žluťoučký kůň,\"a,b\",\"řekl \"\"ahoj\"\"\",\"dva\nřádky\",, mezery \r\n"));
}

void CsvTest::readerHandlesQuotesAndLineBreaks()
{
    CsvReader reader(QByteArray("NAZEV,POZNAMKA\r\n"
                                "\"Čapek, Karel\",\"první\r\ndruhý \"\"řádek\"\"\"\r\n"
                                "prosté,\n"
                                ",\"\"\n"));
    QStringList row;
    QVERIFY(reader.next(row));
    QCOMPARE(row, QStringList({QStringLiteral("NAZEV"), QStringLiteral("POZNAMKA")}));
    QVERIFY(reader.next(row));
    QCOMPARE(row, QStringList({QStringLiteral("Čapek, Karel"), QStringLiteral("první\r\ndruhý \"řádek\"")}));
    QVERIFY(reader.next(row));
    QCOMPARE(row, QStringList({QStringLiteral("prosté"), QString()}));
    QVERIFY(reader.next(row));
    QCOMPARE(row, QStringList({QString(), QString()}));
    QCOMPARE(reader.recordNumber(), 4);
    QVERIFY(!reader.next(row));
    QVERIFY(reader.error().isEmpty());
}

void CsvTest::readerSkipsBomAndEmptyLines()
{
    CsvReader reader(QByteArray("\xEF\xBB\xBFNAZEV\r\n\r\n\nKniha\r\n\r\n"));
    QStringList row;
    QVERIFY(reader.next(row));
    QCOMPARE(row, QStringList{QStringLiteral("NAZEV")});
    QVERIFY(reader.next(row));
    QCOMPARE(row, QStringList{QStringLiteral("Kniha")});
    QVERIFY(!reader.next(row));
    QVERIFY(reader.error().isEmpty());
}

void CsvTest::readerRefusesMalformedInput()
{
    QStringList row;
    {
        CsvReader reader(QByteArray("NAZEV\n\"neuzavřené\n"));
        QVERIFY(reader.next(row));
        QVERIFY(!reader.next(row));
        QVERIFY(!reader.error().isEmpty());
        QCOMPARE(reader.recordNumber(), 2);
    }
    {
        CsvReader reader(QByteArray("\"a\"b,c\n"));
        QVERIFY(!reader.next(row));
        QVERIFY(!reader.error().isEmpty());
    }
    {
        CsvReader reader(QByteArray("a\"b\n"));
        QVERIFY(!reader.next(row));
        QVERIFY(!reader.error().isEmpty());
    }
    {
        // Code page 1250 bytes are not UTF-8.
        CsvReader reader(QByteArray("N\xe1zev\n"));
        QVERIFY(!reader.isValid());
        QVERIFY(!reader.next(row));
    }
}

void CsvTest::writtenRecordsReadBackUnchanged()
{
    const QList<QStringList> records = {
        {QStringLiteral("\"\""), QStringLiteral(","), QStringLiteral("\r\n")},
        {QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy"), QString(), QStringLiteral("x")},
        {QString(), QString(), QString()},
        {QString()}, // a lone empty value must not vanish as an empty line
    };
    QByteArray out;
    for (const QStringList &r : records)
        appendCsvRecord(out, r);
    CsvReader reader(out);
    QStringList row;
    for (const QStringList &r : records) {
        QVERIFY(reader.next(row));
        QCOMPARE(row, r);
    }
    QVERIFY(!reader.next(row));
}

QTEST_APPLESS_MAIN(CsvTest)
#include "tst_tools_csv.moc"
