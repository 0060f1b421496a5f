// Field values as text and typed values: their forms, the code page, and
// the refusal of values that do not fit, with nothing written.

#include "dbase/CodePage.h"
#include "dbase/FieldCodec.h"
#include "dbase/Table.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

using dbase::FieldDef;
using dbase::Table;

namespace {

QList<FieldDef> valueFields()
{
    return {{"TEXT", 'C', 10, 0}, {"CELE", 'N', 5, 0}, {"DESET", 'N', 8, 2},
            {"FLT", 'F', 10, 3}, {"DATUM", 'D', 8, 0}, {"ANO", 'L', 1, 0}, {"POZN", 'M', 10, 0}};
}

void openValues(Table &t, const QString &folder)
{
    dbase::createTable(folder + "/Hodnoty.dbf", valueFields(), {}, true);
    t.setDatabaseName(folder);
    t.setTableName("Hodnoty.dbf");
    t.open();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class ValuesTest : public QObject
{
    Q_OBJECT

private slots:
    void czechLettersRoundTripThroughCodePage1250()
    {
        QTemporaryDir dir;
        {
            Table t;
            dbase::createTable(dir.filePath("Texty.dbf"), {{"TEXT", 'C', 60, 0}}, {}, false);
            t.setDatabaseName(dir.path());
            t.setTableName("Texty.dbf");
            t.open();
            t.insert();
            t.setFieldText("TEXT", "ěščřžýáíéúůťďňĚŠČŘŽÝÁÍÉÚŮŤĎŇ");
            t.post();
        }
        // On disk: one byte per letter, code page 1250 (š = 0x9A, Ř = 0xD8).
        const QByteArray disk = fileBytes(dir.filePath("Texty.dbf"));
        QVERIFY(disk.contains(QByteArray("\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xFA\xF9\x9D\xEF\xF2", 14)));
        QCOMPARE(uchar(disk[29]), uchar(0xC8));
        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("texty.DBF");
        t.open();
        QCOMPARE(t.fieldText("TEXT"), QString("ěščřžýáíéúůťďňĚŠČŘŽÝÁÍÉÚŮŤĎŇ"));
    }

    // The whole of code page 1250: every byte is one character and comes back
    // as the same byte, and the five bytes the page leaves unassigned read as
    // the C1 control of the same number, so that foreign text passes through.
    void codePage1250HoldsEveryByte()
    {
        const dbase::CodePage page(dbase::DriverCp1250);
        QVERIFY(page.oneToOne());
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const QString text = page.decode(&c, 1);
            QCOMPARE(text.size(), 1);
            const std::optional<QByteArray> back = page.encode(text);
            QVERIFY2(back && *back == QByteArray(1, c), qPrintable(QString::number(b, 16)));
        }
        for (const int unassigned : {0x81, 0x83, 0x88, 0x90, 0x98}) {
            const char c = char(unassigned);
            QCOMPARE(page.decode(&c, 1).at(0).unicode(), char16_t(unassigned));
        }
        QCOMPARE(page.decode("\x80\x8A\xA5\xFF", 4), QStringView(u"\u20AC\u0160\u0104\u02D9").toString());
        // A table that names no driver, or one we do not know, reads the same way.
        QCOMPARE(dbase::CodePage(0x00).decode("\x9A", 1), QStringView(u"\u0161").toString());
        QCOMPARE(dbase::CodePage(0xFE).decode("\x9A", 1), QStringView(u"\u0161").toString());
    }

    void textForms_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("read");
        QTest::newRow("text trailing blanks") << "TEXT" << "ab  " << "ab";
        QTest::newRow("full text with blanks past the end") << "TEXT" << "abcdefghij    " << "abcdefghij";
        QTest::newRow("leading blanks kept") << "TEXT" << "  ab" << "  ab";
        QTest::newRow("plus sign") << "CELE" << "+5" << "5";
        QTest::newRow("fraction only") << "DESET" << "-.5" << "-0.5";
        QTest::newRow("blanks around a number") << "DESET" << " 7.25 " << "7.25";
        QTest::newRow("empty text") << "TEXT" << "" << "";
        QTest::newRow("integer") << "CELE" << "12" << "12";
        QTest::newRow("negative") << "CELE" << "-123" << "-123";
        QTest::newRow("leading zeros") << "CELE" << "007" << "7";
        QTest::newRow("decimals dropped zeros") << "DESET" << "12.50" << "12.5";
        QTest::newRow("whole in decimal field") << "DESET" << "12" << "12";
        QTest::newRow("comma") << "DESET" << "3,25" << "3.25";
        QTest::newRow("small") << "DESET" << "0.05" << "0.05";
        QTest::newRow("minus zero") << "DESET" << "-0.00" << "0";
        QTest::newRow("float") << "FLT" << "1234.125" << "1234.125";
        QTest::newRow("empty number") << "CELE" << "" << "";
        QTest::newRow("date") << "DATUM" << "1.2.2024" << "1.2.2024";
        QTest::newRow("date padded") << "DATUM" << "01.02.2024" << "1.2.2024";
        QTest::newRow("date iso") << "DATUM" << "2024-12-31" << "31.12.2024";
        QTest::newRow("date spaced") << "DATUM" << "5. 6. 1999" << "5.6.1999";
        QTest::newRow("date with blanks around") << "DATUM" << " 9.10.2001 " << "9.10.2001";
        QTest::newRow("empty date") << "DATUM" << "" << "";
        QTest::newRow("true") << "ANO" << "true" << "true";
        QTest::newRow("false") << "ANO" << "false" << "false";
        QTest::newRow("T") << "ANO" << "T" << "true";
        QTest::newRow("empty logical") << "ANO" << "" << "";
        QTest::newRow("memo") << "POZN" << "Dlouhá poznámka\nna dva řádky" << "Dlouhá poznámka\nna dva řádky";
    }

    void textForms()
    {
        QFETCH(QString, field);
        QFETCH(QString, written);
        QFETCH(QString, read);
        QTemporaryDir dir;
        {
            Table t;
            openValues(t, dir.path());
            t.insert();
            t.setFieldText("TEXT", "x"); // the record is stored even when the value is empty
            t.setFieldText(field, written);
            QCOMPARE(t.fieldText(field), read);
            t.post();
            QCOMPARE(t.fieldText(field), read);
        }
        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("Hodnoty.dbf");
        t.open();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(t.fieldText(field), read);
    }

    void sameFormsUnderCzechLocale()
    {
        // A Czech user's locale must not turn the point into a comma.
        const QByteArray old = setlocale(LC_ALL, nullptr);
        if (!setlocale(LC_ALL, "cs_CZ.UTF-8")) // scripts/setup.sh generates it
            qWarning("cs_CZ.UTF-8 is not generated here: only Qt's default locale is Czech in this test");
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        QTemporaryDir dir;
        Table t;
        openValues(t, dir.path());
        t.insert();
        t.setFieldText("DESET", "12.5");
        t.setFieldValue("FLT", 0.25);
        t.setFieldValue("DATUM", QDate(2023, 3, 7));
        t.post();
        QCOMPARE(t.fieldText("DESET"), QString("12.5"));
        QCOMPARE(t.fieldText("FLT"), QString("0.25"));
        QCOMPARE(t.fieldText("DATUM"), QString("7.3.2023"));
        QCOMPARE(t.fieldValue("DESET").toDouble(), 12.5);
        QLocale::setDefault(QLocale::c());
        setlocale(LC_ALL, old.constData());
    }

    void typedValues()
    {
        QTemporaryDir dir;
        Table t;
        openValues(t, dir.path());
        t.insert();
        t.setFieldValue("CELE", 42.0);
        t.setFieldValue("ANO", true);
        t.setFieldValue("DATUM", QDate(2000, 2, 29));
        t.setFieldValue("TEXT", QString("a"));
        t.post();
        QCOMPARE(t.fieldValue("CELE"), QVariant(42.0));
        QCOMPARE(t.fieldValue("ANO"), QVariant(true));
        QCOMPARE(t.fieldValue("DATUM"), QVariant(QDate(2000, 2, 29)));
        QCOMPARE(t.fieldValue("TEXT"), QVariant(QString("a")));
        QVERIFY(!t.fieldValue("DESET").isValid());
        t.setFieldValue("CELE", QVariant());
        t.post();
        QCOMPARE(t.fieldText("CELE"), QString());
    }

    void refusedValuesChangeNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("not a number") << "CELE" << "abc" << "pole CELE: hodnota „abc“ není číslo.";
        QTest::newRow("exponent") << "CELE" << "1e3" << "není číslo";
        QTest::newRow("point alone") << "DESET" << "." << "není číslo";
        QTest::newRow("sign alone") << "CELE" << "-" << "není číslo";
        QTest::newRow("blank inside") << "CELE" << "1 2" << "není číslo";
        QTest::newRow("digit from another script") << "CELE" << "1٢" << "není číslo";
        QTest::newRow("half") << "DESET" << "1½" << "není číslo";
        QTest::newRow("two points") << "DESET" << "1.2.3" << "není číslo";
        QTest::newRow("too wide") << "CELE" << "123456" << "nevejde";
        QTest::newRow("too wide with decimals") << "DESET" << "123456" << "nevejde";
        QTest::newRow("too many decimals") << "CELE" << "12.5" << "desetinných";
        QTest::newRow("not a date") << "DATUM" << "31.2.2024" << "není datum";
        QTest::newRow("two-digit year") << "DATUM" << "1.2.24" << "není datum";
        QTest::newRow("letter in a date") << "DATUM" << "1.a.2024" << "není datum";
        QTest::newRow("four points") << "DATUM" << "1.2.2024." << "není datum";
        QTest::newRow("iso with a blank") << "DATUM" << "2024-1 -05" << "není datum";
        QTest::newRow("three-digit day") << "DATUM" << "001.2.2024" << "není datum";
        QTest::newRow("not a logical") << "ANO" << "možná" << "logická";
        QTest::newRow("text too long") << "TEXT" << "12345678901" << "příliš dlouhý";
        QTest::newRow("too long before blanks") << "TEXT" << "12345678901   " << "(11 znaků";
        QTest::newRow("bad character past the length") << "TEXT" << "1234567890123Ω" << "„Ω“";
        QTest::newRow("character outside 1250") << "TEXT" << "Ωmega" << "„Ω“";
        QTest::newRow("emoji") << "TEXT" << "a😀" << "kódová stránka";
        QTest::newRow("unknown field") << "NIC" << "1" << "pole NIC";
    }

    void refusedValuesChangeNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, messagePart);
        QTemporaryDir dir;
        Table t;
        openValues(t, dir.path());
        t.insert();
        t.setFieldText("TEXT", "puvodni");
        t.setFieldText("CELE", "7");
        t.setFieldText("DESET", "1.5");
        t.setFieldText("DATUM", "1.1.2001");
        t.setFieldText("ANO", "true");
        t.post();
        const QByteArray before = fileBytes(dir.filePath("Hodnoty.dbf"));
        try {
            t.setFieldText(field, value);
            QFAIL("the value was accepted");
        } catch (const dbase::Error &e) {
            QVERIFY2(e.message().contains(messagePart), qPrintable(e.message()));
            QVERIFY2(e.message().startsWith("Tabulka Hodnoty.dbf"), qPrintable(e.message()));
        }
        QVERIFY(!t.isModified());
        t.post();
        t.close();
        QCOMPARE(fileBytes(dir.filePath("Hodnoty.dbf")).mid(32), before.mid(32));
    }

    void numbersReadAsTheDoubleOfTheirText()
    {
        // Short numbers are read without the general parser; every one must
        // give exactly the double its text gives.
        QTemporaryDir dir;
        dbase::createTable(dir.filePath("Cisla.dbf"), {{"VELKE", 'N', 20, 4}}, {{"VELKE", "VELKE"}}, false);
        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("Cisla.dbf");
        t.open();
        const QStringList values{"0.1", "0.3", "-0.0001", "123456789.1234", "99999999999.9999",
                                 "999999999999999", "1234567890123.4567", "0", "7"};
        for (const QString &v : values) {
            t.insert();
            t.setFieldText("VELKE", v);
            t.post();
            QCOMPARE(t.fieldValue("VELKE").toDouble(), v.toDouble());
        }
        t.setOrder("VELKE");
        QStringList sorted;
        for (t.first(); !t.eof(); t.next())
            sorted << t.fieldText("VELKE");
        QCOMPARE(sorted, QStringList({"-0.0001", "0", "0.1", "0.3", "7", "123456789.1234", "99999999999.9999",
                                      "1234567890123.4567", "999999999999999"}));
    }

    void writtenFormIsWhatWritingTheTextWouldStore()
    {
        // Copies between tables carry numbers and dates as bytes only when
        // writing their text form would store the very same bytes.
        const dbase::CodePage page;
        const dbase::FieldCodec codec(QStringLiteral("Hodnoty.dbf"), &page);
        const FieldDef whole{"CELE", 'N', 5, 0}, cents{"DESET", 'N', 8, 2}, date{"DATUM", 'D', 8, 0};
        const QList<std::pair<FieldDef, QByteArray>> cases{
            {whole, "   12"}, {whole, "  -12"}, {whole, "    0"}, {whole, "     "}, {whole, "12   "},
            {whole, "  012"}, {whole, "   -0"}, {whole, "   +5"}, {whole, "  1e3"}, {whole, " 12.0"},
            {whole, "   1."}, {whole, " - 12"}, {whole, QByteArray("  \0 7", 5)}, {whole, "-"},
            {cents, "   12.50"}, {cents, "   -0.25"}, {cents, "    0.00"}, {cents, "   -0.00"},
            {cents, "     1.5"}, {cents, "    12.5"}, {cents, "  012.50"}, {cents, "      12"},
            {cents, "     .50"}, {cents, "        "}, {cents, "1234.567"},
            {date, "20240229"}, {date, "20230229"}, {date, "        "}, {date, QByteArray("    \0\0\0\0", 8)},
            {date, "00000000"}, {date, "2024021 "}, {date, "19991231"}, {date, "00010101"}};
        for (const auto &[def, raw] : cases) {
            const dbase::RawField field{raw.constData(), int(raw.size())};
            QByteArray rewritten;
            try {
                rewritten = codec.encodeText(def, codec.text(def, field));
            } catch (const dbase::Error &) {
                // A value that does not read back cannot be carried as it is.
            }
            QVERIFY2(dbase::isWrittenForm(def, field) == (rewritten == raw),
                     qPrintable(QStringLiteral("%1 \"%2\"").arg(def.name, QString::fromLatin1(raw.toPercentEncoding(" ")))));
        }
        QVERIFY(!dbase::isWrittenForm({"TEXT", 'C', 5, 0}, {"Ahoj ", 5}));
        QVERIFY(!dbase::isWrittenForm(whole, {"  12", 4})); // not the field's length
    }

    void textIntoABufferIsTheTextForm()
    {
        // A scan reads fields into one buffer used again and again: each
        // value must be the text form whatever the buffer held before, on
        // every type, a pending edit and a memo included.
        QTemporaryDir dir;
        Table t;
        openValues(t, dir.path());
        const QList<QStringList> records{
            {"Žluťoučký", "-12", "3,25", "1234.125", "29.2.2024", "true", "Dlouhá poznámka\nna dva řádky"},
            {"  ab", "", "", "", "", "", ""},
            {"ěščřžýáíéú", "0", "-0.5", "0.001", "1.1.1900", "F", "x"},
        };
        for (const QStringList &values : records) {
            t.insert();
            for (int i = 0; i < values.size(); ++i)
                t.setFieldText(t.fields().at(i).name, values.at(i));
            t.post();
        }
        // Bytes other writers leave: NUL padding, an exponent, a broken date.
        t.insert();
        t.setFieldBytes(0, QByteArray("ab\0\0\0\0\0\0\0\0", 10));
        t.setFieldBytes(1, "  1e3");
        t.setFieldBytes(2, "  12.5  ");
        t.setFieldBytes(4, "2024x101");
        t.post();
        QString buffer;
        auto sameForms = [&t, &buffer](const char *where) {
            for (int i = 0; i < t.fields().size(); ++i) {
                const QString name = t.fields().at(i).name;
                QVERIFY2(t.fieldText(i, buffer) == t.fieldText(name), qPrintable(name + " " + where));
            }
        };
        for (t.first(); !t.eof(); t.next())
            sameForms("stored");
        t.first();
        t.edit();
        t.setFieldText("POZN", "");
        t.setFieldText("TEXT", "Ó");
        sameForms("pending");
        QCOMPARE(t.fieldText(6, buffer), QString());
        t.cancel();
        t.setFilter("TEXT = 'nic'");
        t.setFiltered(true);
        QVERIFY(t.fieldText(0, buffer).isEmpty()); // no current record
        QVERIFY_THROWS_EXCEPTION(dbase::Error, t.fieldText(7, buffer));

        // DOS pages read some bytes below 0x80 as other characters.
        QTemporaryDir dos;
        const QString path = dos.filePath("Dos.dbf");
        dbase::createTable(path, {{"TEXT", 'C', 16, 0}}, {}, false);
        QFile header(path);
        QVERIFY(header.open(QIODevice::ReadWrite));
        header.seek(29);
        header.write("\x01", 1); // code page 437
        header.close();
        Table d;
        d.setDatabaseName(dos.path());
        d.setTableName("Dos.dbf");
        d.open();
        const QByteArray bytes("ab\x1a\x1c\x7f" "defghij\x82   ", 16);
        d.insert();
        d.setFieldBytes(0, bytes);
        d.post();
        QCOMPARE(d.fieldText(0, buffer), QString(QStringDecoder("IBM437").decode(bytes.left(13))));
        QCOMPARE(d.fieldText(0, buffer), d.fieldText("TEXT"));
    }

    void readOnlyFileRefusesWrites()
    {
        QTemporaryDir dir;
        {
            Table t;
            openValues(t, dir.path());
        }
        QFile::setPermissions(dir.filePath("Hodnoty.dbf"), QFile::ReadOwner | QFile::ReadUser);
        if (QFile(dir.filePath("Hodnoty.dbf")).open(QIODevice::ReadWrite))
            QSKIP("running with rights that ignore file permissions");
        Table t;
        t.setDatabaseName(dir.path());
        t.setTableName("Hodnoty.dbf");
        t.open();
        QVERIFY(t.isReadOnly());
        QVERIFY_THROWS_EXCEPTION(dbase::Error, t.insert());
        QVERIFY_THROWS_EXCEPTION(dbase::Error, t.setFieldText("TEXT", "x"));
        QCOMPARE(t.state(), Table::State::Browse);
    }
};

QTEST_GUILESS_MAIN(ValuesTest)
#include "tst_dbase_values.moc"
