// The four reports as PDF, read back with poppler: which books, in which
// order, at which level of detail, under which headings, and where the
// header and footer texts stand on the page.

#include "ReportFixture.h"

#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "reports/ReportForm.h"
#include "reports/ReportRunner.h"
#include "reportengine/PreviewWindow.h"

#include <QCollator>
#include <QDate>
#include <QMap>
#include <QFile>
#include <QTest>

#include <algorithm>

using reports::ListDetail;
using reports::ReportForm;
using reports::ReportKind;

namespace {

// The rows of one page of pdftotext -layout that carry a book (" - " rows).
QStringList bookRows(const QString &text)
{
    QStringList rows;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.trimmed().startsWith(QStringLiteral("- ")))
            rows.append(line.trimmed().mid(2).section(QStringLiteral("  "), 0, 0).trimmed());
    return rows;
}

QList<Book> mixedBooks()
{
    return {
        book(QStringLiteral("Hrad"), QStringLiteral("Čapek Karel"), QStringLiteral("Horor"), QStringLiteral("5")),
        book(QStringLiteral("Chata"), QStringLiteral("Čapek Karel"), QStringLiteral("Drama"), QStringLiteral("2")),
        book(QStringLiteral("Cesta"), QStringLiteral("Adam Jan"), QStringLiteral("Cestopis"), QStringLiteral("9")),
        book(QStringLiteral("Čaroděj"), QString(), QStringLiteral("Fantasy"), QStringLiteral("1")),
        book(QString(), QStringLiteral("Bez Názvu"), QStringLiteral("Horor"), QStringLiteral("3")),
        book(QStringLiteral("Žena"), QStringLiteral("Zeman Petr"), QStringLiteral("Horor"), QStringLiteral("12")),
    };
}

} // namespace

class PdfTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void titleListInCzechOrderWithEveryTitledBook();
    void numberListInOrderOfNumbers();
    void genreRestrictsTheBookLists();
    void levelsPrintOneTwoOrFourRows();
    void longTitleWrapsAndIsCutInItsBox();
    void emptyCatalogueGivesOnePageWithHeaderAndFooter();
    void authorsAreGroupedAndNeverRestrictedByGenre();
    void authorsDifferingInCaseOrAccentsAreEachOneGroup();
    void oneAuthorExactlyAsWrittenEvenWithAnApostrophe();
    void headerAndFooterStandWhereTheLayoutSays();
    void badArgumentsOrTableLeaveNoFile();
    void filterIsOffAfterEveryRun();
    void failuresReachTheErrorDisplay();
    void detailLevelMovesTheMask();
};

void PdfTest::initTestCase()
{
    if (!ReportFixture::havePoppler())
        QSKIP("poppler-utils (pdftotext) is not installed");
}

void PdfTest::titleListInCzechOrderWithEveryTitledBook()
{
    ReportFixture f;
    const QString table = f.catalogue(mixedBooks());
    const QString text = f.report(table, {QStringLiteral("--report"), QStringLiteral("title")});
    QVERIFY(text.contains(QStringLiteral("Abecední seznam knih")));
    QVERIFY(text.contains(QStringLiteral("Aktuální satav ze dne :")));
    QVERIFY(text.contains(QDate::currentDate().toString(QStringLiteral("d.M.yyyy"))));
    QVERIFY(text.contains(QStringLiteral("Použitý výběr :")));
    QVERIFY(text.contains(QStringLiteral("Všechny druhy")));
    QVERIFY(text.contains(QStringLiteral("Strana : 1")) || text.contains(QStringLiteral("Strana :  1")));
    QVERIFY(text.contains(QStringLiteral("Merisk '99")));
    // C, Č, H, Ch, Ž; the book without a title is left out.
    QCOMPARE(bookRows(text), (QStringList{QStringLiteral("Cesta"), QStringLiteral("Čaroděj"), QStringLiteral("Hrad"),
                                          QStringLiteral("Chata"), QStringLiteral("Žena")}));
    QVERIFY(!text.contains(QStringLiteral("Bez Názvu")));
}

void PdfTest::numberListInOrderOfNumbers()
{
    ReportFixture f;
    const QString table = f.catalogue(mixedBooks());
    const QString text = f.report(table, {QStringLiteral("--report"), QStringLiteral("number")});
    QVERIFY(text.contains(QStringLiteral("Číselný seznam knih")));
    QCOMPARE(bookRows(text), (QStringList{QStringLiteral("Čaroděj"), QStringLiteral("Chata"), QStringLiteral("Hrad"),
                                          QStringLiteral("Cesta"), QStringLiteral("Žena")}));
}

void PdfTest::genreRestrictsTheBookLists()
{
    ReportFixture f;
    const QString table = f.catalogue(mixedBooks());
    QString text = f.report(table, {QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("--genre"),
                                    QStringLiteral("Horor")});
    QCOMPARE(bookRows(text), (QStringList{QStringLiteral("Hrad"), QStringLiteral("Žena")}));
    QVERIFY(text.contains(QStringLiteral("Použitý výběr :   Horor")) || text.contains(QStringLiteral("Horor\n"))
            || text.contains(QStringLiteral("Horor ")));
    QVERIFY(!text.contains(QStringLiteral("Všechny druhy")));

    // No book of the genre: one page, header and footer only.
    text = f.report(table, {QStringLiteral("--report"), QStringLiteral("number"), QStringLiteral("--genre"),
                            QStringLiteral("Western")});
    QVERIFY(bookRows(text).isEmpty());
    QCOMPARE(text.split(QLatin1Char('\f'), Qt::SkipEmptyParts).size(), 1);
    QVERIFY(text.contains(QStringLiteral("Western")));
    QVERIFY(text.contains(QStringLiteral("Merisk '99")));

    text = f.report(table, {QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("--genre"),
                            QStringLiteral("Všechny druhy")});
    QCOMPARE(bookRows(text).size(), 5);
}

void PdfTest::levelsPrintOneTwoOrFourRows()
{
    ReportFixture f;
    QList<Book> books = mixedBooks();
    for (Book &b : books) {
        b[QStringLiteral("ILUSTRACE")] = QStringLiteral("Lada");
        b[QStringLiteral("VYDAVATEL")] = QStringLiteral("Albatros");
        b[QStringLiteral("ROK")] = QStringLiteral("1968");
        b[QStringLiteral("NAKLAD")] = QStringLiteral("5000");
        b[QStringLiteral("POZNAMKA")] = QStringLiteral("Věnování");
    }
    const QString table = f.catalogue(books);
    const QStringList base = {QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("--detail")};
    const QString shortText = f.report(table, base + QStringList{QStringLiteral("short")});
    const QString extended = f.report(table, base + QStringList{QStringLiteral("extended")});
    const QString full = f.report(table, base + QStringList{QStringLiteral("full")});
    QCOMPARE(bookRows(shortText), bookRows(extended));
    QCOMPARE(bookRows(shortText), bookRows(full));

    QCOMPARE(shortText.count(QStringLiteral("Autor :")), 0);
    QCOMPARE(extended.count(QStringLiteral("Autor :")), 5);
    QCOMPARE(extended.count(QStringLiteral("Ilustrace :")), 5);
    QCOMPARE(extended.count(QStringLiteral("Vydavatel :")), 0);
    QCOMPARE(full.count(QStringLiteral("Vydavatel :")), 5);
    QCOMPARE(full.count(QStringLiteral("Rok vydání :")), 5);
    QCOMPARE(full.count(QStringLiteral("Náklad vydání:")), 5);
    QCOMPARE(full.count(QStringLiteral("Poznámka :")), 5);
    QCOMPARE(full.count(QStringLiteral("Věnování")), 5);
    QCOMPARE(full.count(QStringLiteral("Albatros")), 5);
    QVERIFY(!extended.contains(QStringLiteral("Albatros")));
    QVERIFY(extended.contains(QStringLiteral("Čapek Karel")));
}

void PdfTest::longTitleWrapsAndIsCutInItsBox()
{
    ReportFixture f;
    // 50 letters, the field's width, are far more than the box's 77.3 mm.
    const QString longTitle = QStringLiteral("Dlouhý název knihy o slovech a konec nikdo neuvidí");
    QList<Book> books{book(longTitle, QStringLiteral("Autor"), QStringLiteral("Horor"), QStringLiteral("1"))};
    Book withNote = book(QStringLiteral("Poznámky"), QStringLiteral("B"), QString(), QStringLiteral("2"));
    withNote[QStringLiteral("POZNAMKA")] = QString(40, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("slovo "))
                                           + QStringLiteral("POSLEDNÍ");
    books << withNote;
    const QString table = f.catalogue(books);
    QString text = f.report(table, {QStringLiteral("--report"), QStringLiteral("title")});
    QVERIFY(text.contains(QStringLiteral("Dlouhý název")));
    QVERIFY(!text.contains(QStringLiteral("neuvidí")));
    // Full level: the note's box holds two lines of the long note.
    text = f.report(table, {QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("--detail"),
                            QStringLiteral("full")});
    QVERIFY(!text.contains(QStringLiteral("POSLEDNÍ")));
    int noteLines = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        noteLines += line.contains(QStringLiteral("slovo slovo"));
    QCOMPARE(noteLines, 2);
}

void PdfTest::emptyCatalogueGivesOnePageWithHeaderAndFooter()
{
    ReportFixture f;
    const QString table = f.catalogue({book(QString(), QStringLiteral("Jen autor"))});
    for (const QString report : {QStringLiteral("title"), QStringLiteral("number"), QStringLiteral("authors")}) {
        const QString text = f.report(table, {QStringLiteral("--report"), report});
        QCOMPARE(text.split(QLatin1Char('\f'), Qt::SkipEmptyParts).size(), 1);
        QVERIFY(text.contains(QStringLiteral("Aktuální satav ze dne :")));
        QVERIFY(text.contains(QStringLiteral("Merisk '99")));
        QVERIFY(!text.contains(QStringLiteral("Jen autor")));
    }
}

void PdfTest::authorsAreGroupedAndNeverRestrictedByGenre()
{
    ReportFixture f;
    QList<Book> books = mixedBooks();
    books << book(QStringLiteral("Anděl"), QStringLiteral("Čapek Karel"), QStringLiteral("Drama"), QStringLiteral("7"));
    const QString table = f.catalogue(books);
    const QString text = f.report(table, {QStringLiteral("--report"), QStringLiteral("authors")});
    QVERIFY(text.contains(QStringLiteral("Abecední seznam autorů")));
    QVERIFY(!text.contains(QStringLiteral("Použitý výběr")));
    QCOMPARE(text.count(QStringLiteral("Čapek Karel")), 1);
    QStringList order;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (t == QLatin1String("-"))
            order << QStringLiteral("[-]");
        else if (t.startsWith(QStringLiteral("- ")))
            order << QStringLiteral("[") + t.mid(2).trimmed() + QStringLiteral("]");
        else if (t.contains(QStringLiteral("Žánr knihy")))
            order << t.section(QStringLiteral("  "), 0, 0).trimmed();
    }
    // The empty author first (where the index puts it), then Adam, Čapek
    // with his three books by title, Zeman.
    QCOMPARE(order, (QStringList{QStringLiteral("[-]"), QStringLiteral("Čaroděj"), QStringLiteral("[Adam Jan]"),
                                 QStringLiteral("Cesta"), QStringLiteral("[Čapek Karel]"), QStringLiteral("Anděl"),
                                 QStringLiteral("Hrad"), QStringLiteral("Chata"), QStringLiteral("[Zeman Petr]"),
                                 QStringLiteral("Žena")}));

    QString err;
    QVERIFY(f.run({table, QStringLiteral("--report"), QStringLiteral("authors"), QStringLiteral("--genre"),
                   QStringLiteral("Horor"), QStringLiteral("-o"), f.path(QStringLiteral("x.pdf"))},
                  &err)
            != 0);
}

void PdfTest::authorsDifferingInCaseOrAccentsAreEachOneGroup()
{
    // Case and accents make different authors: each gets one heading with
    // all of their books under it, in Czech order of the authors, and
    // "Capek" and "Čapek" stand next to each other.
    ReportFixture f;
    const QStringList authors{QStringLiteral("Novák Petr"), QStringLiteral("Novak Petr"), QStringLiteral("novák Petr"),
                              QStringLiteral("Čapek Jan"), QStringLiteral("Capek Jan")};
    const QStringList titles{QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Čas"), QStringLiteral("Dům")};
    QList<Book> books;
    QMap<QString, QStringList> written;
    int number = 1;
    for (const QString &title : titles)
        for (const QString &author : authors) {
            books << book(title, author, QStringLiteral("Drama"), QString::number(number++));
            written[author] << title;
        }
    const QString text = f.report(f.catalogue(books), {QStringLiteral("--report"), QStringLiteral("authors")});
    QStringList headings;
    QMap<QString, QStringList> listed;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (t.startsWith(QStringLiteral("- ")))
            headings << t.mid(2).trimmed();
        else if (t.contains(QStringLiteral("Žánr knihy")) && !headings.isEmpty())
            listed[headings.last()] << t.section(QStringLiteral("  "), 0, 0).trimmed();
    }
    QStringList expected = authors;
    QCollator czech(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    std::sort(expected.begin(), expected.end(), [&czech](const QString &a, const QString &b) {
        const int c = czech.compare(a, b);
        return c ? c < 0 : a < b;
    });
    QCOMPARE(headings, expected);
    QCOMPARE(headings.indexOf(QStringLiteral("Čapek Jan")), headings.indexOf(QStringLiteral("Capek Jan")) + 1);
    QCOMPARE(listed, written);
}

void PdfTest::oneAuthorExactlyAsWrittenEvenWithAnApostrophe()
{
    ReportFixture f;
    const QList<Book> books{
        book(QStringLiteral("Zpěv"), QStringLiteral("O'Brien Flann"), QString(), QStringLiteral("1")),
        book(QStringLiteral("Armáda"), QStringLiteral("O'Brien Flann"), QString(), QStringLiteral("2")),
        book(QStringLiteral("Malé"), QStringLiteral("o'brien flann"), QString(), QStringLiteral("3")),
        book(QStringLiteral("Jiné"), QStringLiteral("Někdo"), QString(), QStringLiteral("4")),
    };
    const QString table = f.catalogue(books);
    QString text = f.report(table, {QStringLiteral("--report"), QStringLiteral("author"), QStringLiteral("--author"),
                                    QStringLiteral("O'Brien Flann")});
    QCOMPARE(bookRows(text), (QStringList{QStringLiteral("Armáda"), QStringLiteral("Zpěv")}));
    QVERIFY(text.contains(QStringLiteral("O'Brien Flann")));
    QVERIFY(text.contains(QStringLiteral("Abecední seznam knih")));
    text = f.report(table, {QStringLiteral("--report"), QStringLiteral("author"), QStringLiteral("--author"),
                            QStringLiteral("o'brien flann")});
    QCOMPARE(bookRows(text), QStringList{QStringLiteral("Malé")});
}

void PdfTest::headerAndFooterStandWhereTheLayoutSays()
{
    ReportFixture f;
    const QString table = f.catalogue(mixedBooks());
    struct Expect { const char *report; const char *word; double left; double top; };
    // Left and top of each text in the band, plus the 10 mm margin; the
    // footer band starts 6.3 mm above the bottom margin (297 - 10 - 6.3).
    const Expect expects[] = {
        {"title", "Abecední", 60.3, 0.3},  {"title", "Aktuální", 1.6, 8.5},  {"title", "Použitý", 145.0, 8.5},
        {"title", "Všechny", 164.6, 8.5},  {"title", "Strana", 1.6, 270.7 + 0.8},
        {"title", "Merisk", 166.7, 270.7 + 0.8},
        {"number", "Číselný", 63.2, 0.3},  {"authors", "Abecední", 57.1, 0.3}, {"authors", "Aktuální", 1.6, 10.6},
        {"author", "Aktuální", 1.6, 14.8}, {"author", "Abecední", 60.3, 0.3},
    };
    QString lastReport;
    QList<Word> words;
    for (const Expect &e : expects) {
        if (lastReport != QLatin1String(e.report)) {
            lastReport = QLatin1String(e.report);
            QStringList args{QStringLiteral("--report"), lastReport};
            if (lastReport == QLatin1String("author"))
                args << QStringLiteral("--author") << QStringLiteral("Adam Jan");
            f.report(table, args);
            words = ReportFixture::words(f.lastPdf());
        }
        const QString name = QString::fromUtf8(e.word);
        auto it = std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.text == name; });
        QVERIFY2(it != words.end(), e.word);
        // The top of a text line is the top of its font's ascent.
        const double tolerance = 0.5;
        QVERIFY2(qAbs(it->mm.left() - (10.0 + e.left)) <= tolerance,
                 qPrintable(QStringLiteral("%1 left %2").arg(name).arg(it->mm.left())));
        QVERIFY2(qAbs(it->mm.top() - (10.0 + e.top)) <= tolerance,
                 qPrintable(QStringLiteral("%1 top %2").arg(name).arg(it->mm.top())));
    }
}

void PdfTest::badArgumentsOrTableLeaveNoFile()
{
    ReportFixture f;
    const QString table = f.catalogue(mixedBooks());
    const QString out = f.path(QStringLiteral("nic.pdf"));
    const QList<QStringList> bad = {
        {table, QStringLiteral("--report"), QStringLiteral("tituly"), QStringLiteral("-o"), out},
        {table, QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("--detail"), QStringLiteral("huge"),
         QStringLiteral("-o"), out},
        {table, QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("--genre"), QStringLiteral("Opera"),
         QStringLiteral("-o"), out},
        {table, QStringLiteral("--report"), QStringLiteral("author"), QStringLiteral("-o"), out},
        {table, QStringLiteral("--report"), QStringLiteral("title")},
        {QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("-o"), out},
        {f.path(QStringLiteral("chybi.dbf")), QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("-o"),
         out},
    };
    for (const QStringList &args : bad) {
        QString err;
        QVERIFY2(f.run(args, &err) != 0, qPrintable(args.join(' ')));
        QVERIFY(!err.trimmed().isEmpty());
        QVERIFY(!QFile::exists(out));
    }
    // A damaged table file.
    QFile junk(f.path(QStringLiteral("Vazon1.dbf")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(100, '\x03'));
    junk.close();
    QString err;
    QCOMPARE(f.run({junk.fileName(), QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("-o"), out},
                   &err),
             1);
    QVERIFY(!err.isEmpty());
    QVERIFY(!QFile::exists(out));
    // An output folder that does not exist.
    QCOMPARE(f.run({table, QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("-o"),
                    f.path(QStringLiteral("chybi/x.pdf"))},
                   &err),
             1);
    QVERIFY(err.contains(QStringLiteral("nelze uložit")));

    // The usage and the version asked for are answers, on standard output,
    // wherever they stand; an unknown switch is still refused with the usage.
    for (const QStringList &args : QList<QStringList>{
             {QStringLiteral("--help")},
             {QStringLiteral("-h")},
             {table, QStringLiteral("--report"), QStringLiteral("title"), QStringLiteral("--help"), QStringLiteral("-o"), out}}) {
        QString text;
        QCOMPARE(f.run(args, &err, &text), 0);
        QVERIFY2(err.isEmpty(), qPrintable(err));
        QVERIFY(text.startsWith(QStringLiteral("Použití:")));
        QVERIFY(text.contains(QStringLiteral("--report title|number|authors|author")));
        QVERIFY(!QFile::exists(out));
    }
    QString version;
    QCOMPARE(f.run({QStringLiteral("--version")}, &err, &version), 0);
    QVERIFY(version.startsWith(QStringLiteral("ordex-report (Ordex 2000) ")));
    QCOMPARE(f.run({table, QStringLiteral("--pomoc")}, &err), 2);
    QVERIFY(err.startsWith(QStringLiteral("Neznámý přepínač --pomoc.")));
    QVERIFY(err.contains(QStringLiteral("Použití:")));
}

void PdfTest::filterIsOffAfterEveryRun()
{
    ReportFixture f;
    dbase::Table aux;
    f.fillAuxiliary(aux, mixedBooks());
    ReportForm title(ReportKind::Title);
    reports::ReportRunner runner(aux, [] { return QStringLiteral("Horor"); }, {});
    QCOMPARE(runner.writePdf(title, f.path(QStringLiteral("a.pdf"))), QString());
    QCOMPARE(title.heading(), QStringLiteral("Horor"));
    QVERIFY(!aux.filtered());
    QCOMPARE(aux.recordCount(), 6);

    ReportForm one(ReportKind::Author);
    ReportForm::restrictToAuthor(aux, QStringLiteral("Čapek Karel"));
    QCOMPARE(aux.recordCount(), 2);
    QCOMPARE(runner.writePdf(one, f.path(QStringLiteral("b.pdf"))), QString());
    QVERIFY(!aux.filtered());

    // The preview switches it off when it closes, too.
    int pages = 0;
    runner.setPreviewHook([&pages](QWidget *preview) {
        pages = preview->findChild<QObject *>(QStringLiteral("PreviewPageCount")) ? 1 : 0;
    });
    ReportForm::restrictToAuthor(aux, QStringLiteral("Adam Jan"));
    runner.preview(one);
    QCOMPARE(pages, 1);
    QVERIFY(!aux.filtered());
    // A missing order (the AUTORNAZEV tag) fails with a message and no file.
    aux.close();
    const QString noTags = f.path(QStringLiteral("Holy.dbf"));
    dbase::createTable(noTags, core::auxiliaryFields(), {}, true);
    dbase::Table bare;
    bare.setDatabaseName(f.path(QString()));
    bare.setTableName(QStringLiteral("Holy.dbf"));
    reports::ReportRunner bareRunner(bare, [] { return QString(); }, {});
    ReportForm authors(ReportKind::Authors);
    QVERIFY(!bareRunner.writePdf(authors, f.path(QStringLiteral("c.pdf"))).isEmpty());
    QVERIFY(!QFile::exists(f.path(QStringLiteral("c.pdf"))));
}

void PdfTest::failuresReachTheErrorDisplay()
{
    ReportFixture f;
    // The engine refuses the order the authors need: the preview never
    // opens and the program's error display gets the engine's message.
    const QString noTags = f.path(QStringLiteral("Holy.dbf"));
    dbase::createTable(noTags, core::auxiliaryFields(), {}, true);
    dbase::Table bare;
    bare.setDatabaseName(f.path(QString()));
    bare.setTableName(QStringLiteral("Holy.dbf"));
    reports::ReportRunner bareRunner(bare, [] { return QString(); }, {});
    QStringList shown;
    bareRunner.setErrorDisplay([&shown](const QString &message) { shown << message; });
    ReportForm authors(ReportKind::Authors);
    bareRunner.preview(authors);
    QCOMPARE(shown.size(), 1);
    QVERIFY(!shown.first().isEmpty());
    QCOMPARE(shown.first(), bareRunner.lastMessage());

    // A PDF the preview cannot save is reported by the runner like any
    // failure of the run, with the engine's message.
    dbase::Table aux;
    f.fillAuxiliary(aux, mixedBooks());
    reports::ReportRunner runner(aux, [] { return QString(); }, {});
    bool saved = true;
    runner.setPreviewHook([&](QWidget *preview) {
        saved = static_cast<reportengine::PreviewWindow *>(preview)->saveAsPdf(f.path(QStringLiteral("chybi/x.pdf")));
    });
    ReportForm title(ReportKind::Title);
    runner.preview(title);
    QVERIFY(!saved);
    QVERIFY2(runner.lastMessage().contains(QStringLiteral("nelze uložit")), qPrintable(runner.lastMessage()));
    QVERIFY(!aux.filtered());
}

void PdfTest::detailLevelMovesTheMask()
{
    ReportForm form(ReportKind::Number);
    const auto mask = [&form] { return form.layout().detail.find(QStringLiteral("panel1"))->box; };
    form.setDetail(ListDetail::Full);
    QCOMPARE(qRound(form.layout().detail.height * 96 / 25.4), 118);
    QVERIFY(mask().left() < -200);
    form.setDetail(ListDetail::Short);
    QCOMPARE(qRound(form.layout().detail.height * 96 / 25.4), 24);
    QCOMPARE(qRound(mask().left() * 96 / 25.4), 3);
    QCOMPARE(qRound(mask().top() * 96 / 25.4), 24);
    form.setDetail(ListDetail::Extended);
    QCOMPARE(qRound(mask().top() * 96 / 25.4), 48);
}

QTEST_MAIN(PdfTest)
#include "tst_reports_pdf.moc"
