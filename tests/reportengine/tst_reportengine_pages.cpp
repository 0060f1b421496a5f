// The banded page engine: page breaks from one walk, group headers that do
// not repeat on a continued group, elements cut at their band, boxes that
// wrap and cut, and a PDF that never leaves half a file behind.

#include "reportengine/ElementPainter.h"
#include "reportengine/PdfExport.h"
#include "reportengine/PdfFileWriter.h"
#include "reportengine/PdfFont.h"
#include "reportengine/PreviewWindow.h"
#include "reportengine/Printing.h"
#include "reportengine/ReportDocument.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <csignal>
#include <cmath>

using namespace reportengine;

namespace {

// Records held in memory: one field map per record.
class ListSource : public RecordSource
{
public:
    explicit ListSource(QList<QMap<QString, QString>> rows) : m_rows(std::move(rows)) {}
    bool first() override { m_at = 0; ++walks; return !m_rows.isEmpty(); }
    bool next() override { ++m_at; return m_at < m_rows.size(); }
    Position position() const override { return Position(m_at); }
    void seek(Position p) override { m_at = int(p); ++seeks; }
    QString text(const QString &field) const override { return m_rows.value(m_at).value(field); }
    int walks = 0;
    int seeks = 0;

private:
    QList<QMap<QString, QString>> m_rows;
    int m_at = 0;
};

QList<QMap<QString, QString>> rows(int count, const QString &groupEvery = QString(), int every = 1)
{
    QList<QMap<QString, QString>> list;
    for (int i = 0; i < count; ++i) {
        QMap<QString, QString> r;
        r[QStringLiteral("NAME")] = QStringLiteral("Kniha %1").arg(i + 1);
        if (!groupEvery.isEmpty())
            r[groupEvery] = QStringLiteral("Autor %1").arg(i / every);
        list.append(r);
    }
    return list;
}

PageLayout simpleLayout(double detailHeight)
{
    PageLayout l;
    l.pageHeader.height = 17.0;
    l.pageHeader.elements << Element::caption(10, 0, QStringLiteral("Nadpis"), FontSpec{});
    l.pageFooter.height = 10.0;
    Element page = Element::caption(10, 1, QString(), FontSpec{});
    page.kind = Element::Kind::PageNumber;
    l.pageFooter.elements << page;
    l.detail.height = detailHeight;
    l.detail.elements << Element::field(5, 0, 80, 5, QStringLiteral("NAME"), FontSpec{});
    return l;
}

bool havePdftotext()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QString run(const QString &program, const QStringList &args, int *exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString &path)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

// Where pdftotext -bbox puts the first word that is exactly word: its left
// edge in millimetres from the paper's left edge (-1: not found).
double wordLeft(const QString &path, const QString &word)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    const QString tail = QStringLiteral("\">") + word + QStringLiteral("</word>");
    const qsizetype end = html.indexOf(tail);
    const qsizetype start = html.lastIndexOf(QStringLiteral("xMin=\""), end);
    if (end < 0 || start < 0)
        return -1;
    return html.mid(start + 6, html.indexOf(QLatin1Char('"'), start + 6) - start - 6).toDouble() * 25.4 / 72.0;
}

} // namespace

class PagesTest : public QObject
{
    Q_OBJECT
private slots:
    void pagesFollowFromFixedBandHeights();
    void emptySourceGivesOnePage();
    void groupHeaderIsNotRepeatedWhenAGroupContinues();
    void groupHeaderNeverEndsAPage();
    void pagesArePaintedOnDemand();
    void boxWrapsWordsAndCutsAtItsHeight();
    void elementsBelowTheBandAreNotPrinted();
    void pdfHoldsEveryPageAndElement();
    void failedPdfLeavesNoFile();
    void pdfKeepsCzechTextInTwoFontsInItsPlace();
    void ligaturesReadBackAsTheirLetters();
    void pdfLooksLikeThePreview();
    void pdfNumbersAreWrittenExactly();
    void timesIsServedByLiberationSerif();
    void previewPagesLikeADocumentViewer();
    void pagingKeysPageWhereverTheKeyboardIs();
    void printingGoesPageByPageToThePrinter();
};

void PagesTest::pagesFollowFromFixedBandHeights()
{
    // Body: 277 - 17 - 10 = 250 mm; 25 rows of 10 mm fit exactly.
    ListSource source(rows(51));
    ReportDocument doc(simpleLayout(10.0), source);
    doc.paginate();
    QCOMPARE(doc.recordCount(), 51);
    QCOMPARE(doc.pageCount(), 3);
    QCOMPARE(source.walks, 1);

    ListSource exact(rows(50));
    ReportDocument full(simpleLayout(10.0), exact);
    full.paginate();
    QCOMPARE(full.pageCount(), 2);

    // A band taller than the body still gets a page of its own each.
    ListSource tall(rows(3));
    ReportDocument big(simpleLayout(300.0), tall);
    big.paginate();
    QCOMPARE(big.pageCount(), 3);
}

void PagesTest::emptySourceGivesOnePage()
{
    ListSource source({});
    ReportDocument doc(simpleLayout(10.0), source);
    doc.paginate();
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(doc.recordCount(), 0);
    QImage image(210, 297, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    doc.paintPage(painter, 0, 1.0); // header and footer only, no record read
    QCOMPARE(source.seeks, 0);
}

void PagesTest::groupHeaderIsNotRepeatedWhenAGroupContinues()
{
    // One group of 40 rows of 10 mm: 25 on page 1 (with the 10 mm group
    // header: 24), the rest on page 2 without a header.
    PageLayout l = simpleLayout(10.0);
    l.groupField = QStringLiteral("G");
    l.groupHeader.height = 10.0;
    l.groupHeader.elements << Element::field(0, 0, 80, 6, QStringLiteral("G"), FontSpec{});
    ListSource source(rows(40, QStringLiteral("G"), 100));
    ReportDocument doc(l, source);
    doc.paginate();
    QCOMPARE(doc.pageCount(), 2);

    if (!havePdftotext())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("g.pdf"));
    QCOMPARE(writePdf(doc, pdf), QString());
    const QString text = pdfText(pdf);
    QCOMPARE(text.count(QStringLiteral("Autor 0")), 1);
    const QStringList pages = text.split(QLatin1Char('\f'));
    QVERIFY(pages.at(0).contains(QStringLiteral("Kniha 24\n")));
    QVERIFY(!pages.at(0).contains(QStringLiteral("Kniha 25")));
    QVERIFY(pages.at(1).contains(QStringLiteral("Kniha 25")));
}

void PagesTest::groupHeaderNeverEndsAPage()
{
    // 16 single-row groups of 10 + 5 mm fill 240 of 250 mm; the 17th group
    // header would fit alone at the bottom but goes with its first row.
    PageLayout l = simpleLayout(5.0);
    l.groupField = QStringLiteral("G");
    l.groupHeader.height = 10.0;
    ListSource sixteen(rows(16, QStringLiteral("G"), 1));
    ReportDocument one(l, sixteen);
    one.paginate();
    QCOMPARE(one.pageCount(), 1);
    ListSource source(rows(17, QStringLiteral("G"), 1));
    ReportDocument doc(l, source);
    doc.paginate();
    QCOMPARE(doc.pageCount(), 2);
}

void PagesTest::pagesArePaintedOnDemand()
{
    ListSource source(rows(10000));
    ReportDocument doc(simpleLayout(5.0), source);
    doc.paginate();
    QCOMPARE(doc.pageCount(), 200);
    QImage image(210, 297, QImage::Format_RGB32);
    QPainter painter(&image);
    source.seeks = 0;
    doc.paintPage(painter, 199, 1.0); // the last page without painting the others
    QCOMPARE(source.seeks, 1);
    doc.paintPage(painter, 500, 1.0); // outside: nothing, no crash
    QCOMPARE(source.seeks, 1);
}

void PagesTest::boxWrapsWordsAndCutsAtItsHeight()
{
    const Element oneLine = Element::field(0, 0, 40, 5.0, QStringLiteral("X"), FontSpec{});
    const QString longTitle = QStringLiteral("Velmi dlouhý název knihy který se do krabice nevejde ani náhodou");
    const QStringList cut = wrappedLines(oneLine, longTitle, 100);
    QCOMPARE(cut.size(), 1);
    QVERIFY(longTitle.startsWith(cut.at(0)));

    Element twoLines = oneLine;
    twoLines.box.setHeight(9.8);
    const QStringList two = wrappedLines(twoLines, longTitle, 100);
    QCOMPARE(two.size(), 2);
    QVERIFY(!two.at(1).isEmpty());
    // Words are not broken while they fit on a line.
    QVERIFY(longTitle.split(' ').contains(two.at(0).split(' ').last()));

    // The band's bottom cuts the box as well.
    QCOMPARE(wrappedLines(twoLines, longTitle, 5.0).size(), 1);
    // A word longer than the box is broken where the box ends.
    const QStringList word = wrappedLines(twoLines, QString(60, QLatin1Char('W')), 100);
    QCOMPARE(word.size(), 2);
}

void PagesTest::elementsBelowTheBandAreNotPrinted()
{
    if (!havePdftotext())
        QSKIP("pdftotext is not installed");
    PageLayout l = simpleLayout(6.0);
    l.detail.elements << Element::caption(5, 7, QStringLiteral("Skrytý řádek"), FontSpec{});
    l.detail.elements << Element::field(40, 6.0, 40, 5, QStringLiteral("HIDDEN"), FontSpec{});
    l.pageFooter.elements << Element::field(40, 2, 40, 5, QStringLiteral("NAME"), FontSpec{});
    // What a report reads: the field it prints, once, not the one its band cuts off.
    QCOMPARE(l.fields(), QStringList{QStringLiteral("NAME")});
    l.groupField = QStringLiteral("GROUP");
    QCOMPARE(l.fields(), (QStringList{QStringLiteral("GROUP"), QStringLiteral("NAME")}));
    l.groupField.clear();
    Element mask;
    mask.kind = Element::Kind::Rect;
    mask.box = QRectF(0, 6.0, 180, 20);
    l.detail.elements << mask;
    ListSource source(rows(3));
    ReportDocument doc(l, source);
    doc.paginate();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cut.pdf"));
    QCOMPARE(writePdf(doc, pdf), QString());
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("Kniha 3")));
    QVERIFY(!text.contains(QStringLiteral("Skrytý")));
}

void PagesTest::pdfHoldsEveryPageAndElement()
{
    if (!havePdftotext())
        QSKIP("pdftotext is not installed");
    ListSource source(rows(60));
    ReportDocument doc(simpleLayout(10.0), source, QDate(2024, 3, 5));
    doc.paginate();
    QCOMPARE(doc.dateText(), QStringLiteral("5.3.2024"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("all.pdf"));
    QCOMPARE(writePdf(doc, pdf), QString());
    const QStringList pages = pdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(pages.at(i).contains(QStringLiteral("Nadpis")));
        QVERIFY(pages.at(i).trimmed().endsWith(QString::number(i + 1)));
    }
    QVERIFY(pages.at(2).contains(QStringLiteral("Kniha 60")));
    // Only the finished file is in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("all.pdf")});
}

void PagesTest::failedPdfLeavesNoFile()
{
    ListSource source(rows(5));
    ReportDocument doc(simpleLayout(10.0), source);
    doc.paginate();
    QTemporaryDir dir;
    // A folder that does not exist.
    const QString missing = dir.filePath(QStringLiteral("chybi/report.pdf"));
    const QString error = writePdf(doc, missing);
    QVERIFY(!error.isEmpty());
    QVERIFY(error.contains(QStringLiteral("nelze uložit")));
    QVERIFY(!QFile::exists(missing));

    // A disk that fills up halfway through a long report: a limit on the
    // size of files stands in for it.
    ListSource many(rows(20000));
    ReportDocument big(simpleLayout(5.0), many);
    big.paginate();
    const QString full = dir.filePath(QStringLiteral("plny.pdf"));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const QString fullError = writePdf(big, full);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    QVERIFY(fullError.contains(QStringLiteral("nelze uložit")));
    QVERIFY(!QFile::exists(full));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    QCOMPARE(writePdf(big, full), QString()); // with room again
    QVERIFY(QFileInfo(full).size() > small.rlim_cur);

    // A folder that cannot be written.
    const QString locked = dir.filePath(QStringLiteral("zamceno"));
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    const QString target = locked + QStringLiteral("/report.pdf");
    if (QFile f(target); f.open(QIODevice::WriteOnly))
        QSKIP("running with rights that ignore folder permissions");
    QVERIFY(!writePdf(doc, target).isEmpty());
    QVERIFY(!QFile::exists(target));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void PagesTest::pdfKeepsCzechTextInTwoFontsInItsPlace()
{
    if (!havePdftotext())
        QSKIP("pdftotext is not installed");
    // A bold heading of capitals, rows of two columns, and a note that wraps
    // in its box; words a font may join into ligatures ("office", "fish").
    const QString heading = QStringLiteral("ŽLUŤOUČKÝ KŮŇ ĚŠČŘŽÝÁÍÉŮÚ");
    const QString note = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy v office u fish baru, ěščřžýáíéůú");
    PageLayout l = simpleLayout(12.0);
    FontSpec bold;
    bold.bold = true;
    bold.points = 14;
    l.pageHeader.elements << Element::caption(60, 8, heading, bold);
    l.detail.elements << Element::field(90, 0, 60, 11.5, QStringLiteral("NOTE"), FontSpec{});
    QList<QMap<QString, QString>> list;
    for (int i = 1; i <= 30; ++i)
        list.append({{QStringLiteral("NAME"), QStringLiteral("Kniha %1").arg(i)}, {QStringLiteral("NOTE"), note}});
    ListSource source(list);
    ReportDocument doc(l, source);
    doc.paginate();
    QCOMPARE(doc.pageCount(), 2);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("česky.pdf"));
    QCOMPARE(writePdf(doc, pdf, QStringLiteral("Zkouška češtiny")), QString());

    // Every letter back, in the order of the page.
    const QString text = pdfText(pdf);
    QCOMPARE(text.count(heading), 2);
    qsizetype at = 0;
    for (int i = 1; i <= 30; ++i) {
        const qsizetype next = text.indexOf(QStringLiteral("Kniha %1 ").arg(i), at);
        QVERIFY2(next > at || (i == 1 && next >= 0), qPrintable(QString::number(i)));
        at = next;
    }
    // The note is cut into lines; its words keep their order.
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    qsizetype w = words.indexOf(QStringLiteral("Příliš"));
    QVERIFY(w >= 0);
    for (const QString &word : note.split(QLatin1Char(' '))) {
        w = words.indexOf(word, w);
        QVERIFY2(w >= 0, qPrintable(word));
    }

    // Where the layout says, to a hundredth of a millimetre: the margin is 10 mm.
    QVERIFY(std::abs(wordLeft(pdf, QStringLiteral("Kniha")) - 15.0) < 0.01);
    QVERIFY(std::abs(wordLeft(pdf, QStringLiteral("ŽLUŤOUČKÝ")) - 70.0) < 0.01);
    QVERIFY(std::abs(wordLeft(pdf, QStringLiteral("Příliš")) - 100.0) < 0.01);

    // Both faces embedded once, as subsets, with their letters.
    const QStringList fonts = run(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n')).mid(2).filter(QStringLiteral("CID"));
    QCOMPARE(fonts.size(), 2);
    QVERIFY(fonts.filter(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+LiberationSerif "))).size() == 1);
    QVERIFY(fonts.filter(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+LiberationSerif-Bold "))).size() == 1);
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QRegularExpression(QStringLiteral("CID TrueType +Identity-H +yes +yes +yes"))), qPrintable(font));
    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("Zkouška češtiny")));
    if (!QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty()) {
        int code = -1;
        run(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &code);
        QCOMPARE(code, 0);
    }
}

void PagesTest::ligaturesReadBackAsTheirLetters()
{
    // A glyph that no letter of its text has alone stands for the letters
    // up to the next glyph's, as a ligature does; the others for their own.
    const QRawFont raw = QRawFont::fromFont(pageFont(FontSpec{}));
    const QList<quint32> ids = raw.glyphIndexesForString(QStringLiteral("Wfa \u010d"));
    QCOMPARE(ids.size(), 5);
    PdfFont font(raw, "F1");
    QVERIFY(font.embeddable());
    // "ffi" shaped as one glyph, then "a", a space and "č".
    font.use({ids[0], ids[2], ids[3], ids[4]}, u"ffia \u010d");
    QCOMPARE(font.letters(ids[0]), QStringLiteral("ffi"));
    QCOMPARE(font.letters(ids[2]), QStringLiteral("a"));
    QCOMPARE(font.letters(ids[4]), QStringLiteral("\u010d"));
    // The same glyph later in another text keeps the letters it was first
    // met with; a glyph first met alone reads as its letter.
    font.use({ids[0], ids[1]}, u"Wf");
    QCOMPARE(font.letters(ids[0]), QStringLiteral("ffi"));
    QCOMPARE(font.letters(ids[1]), QStringLiteral("f"));
}

void PagesTest::pdfLooksLikeThePreview()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm is not installed");
    // Accented capitals are built from parts in the font: a subset that
    // lost a part would leave them out. A white box hides the text below
    // it, a grey one is grey.
    PageLayout l = simpleLayout(10.0);
    l.pageHeader.height = 40.0;
    FontSpec big;
    big.points = 16;
    FontSpec bigBold = big;
    bigBold.bold = true;
    l.pageHeader.elements = {Element::caption(0, 0, QStringLiteral("ŘŮŽĚŠČŤĎŇ ÚÝÁÍÉ"), bigBold),
                             Element::caption(0, 10, QStringLiteral("ůžěščřďťň úýáíé"), big),
                             Element::caption(0, 20, QStringLiteral("Skryto pod bílou"), big)};
    Element white;
    white.kind = Element::Kind::Rect;
    white.box = QRectF(0, 19, 80, 9);
    Element grey = white;
    grey.box = QRectF(120, 0, 40, 8);
    grey.fill = QColor(128, 128, 128);
    l.pageHeader.elements << white << grey;
    ListSource source({});
    ReportDocument doc(l, source);
    doc.paginate();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("obraz.pdf"));
    QCOMPARE(writePdf(doc, pdf), QString());
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                      QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("obraz"))});
    const QImage file(dir.filePath(QStringLiteral("obraz.png")));
    QVERIFY(!file.isNull());
    QImage preview(file.size(), QImage::Format_RGB32);
    preview.fill(Qt::white);
    {
        QPainter painter(&preview);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        doc.paintPage(painter, 0, 100 / 25.4);
    }
    // The ink in a strip of the page, in millimetres from the paper's edges.
    auto ink = [](const QImage &image, double left, double top, double width, double height) {
        const QRect r(qRound(left / 0.254), qRound(top / 0.254), qRound(width / 0.254), qRound(height / 0.254));
        double sum = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                sum += 255 - qGray(image.pixel(x, y));
        return sum / 255;
    };
    for (const double top : {10.0, 20.0}) {
        const double drawn = ink(preview, 10, top, 110, 8);
        QVERIFY(drawn > 300);
        QVERIFY2(std::abs(ink(file, 10, top, 110, 8) / drawn - 1) < 0.15, qPrintable(QString::number(top)));
    }
    QVERIFY(ink(file, 10, 29.5, 80, 8) < 1);
    QVERIFY(std::abs(ink(file, 131, 11, 38, 6) / ink(preview, 131, 11, 38, 6) - 1) < 0.02);
}

void PagesTest::pdfNumbersAreWrittenExactly()
{
    // Every place on a page is such a number; a lost sign or a stray
    // exponent moves or breaks the page.
    const QList<std::tuple<double, int, QByteArray>> cases = {
        {0.0, 2, "0"},          {-0.004, 2, "0"},      {-0.05, 2, "-0.05"},  {12.5, 2, "12.5"},
        {-1234.5678, 2, "-1234.57"}, {0.999999, 3, "1"}, {1e-7, 4, "0"},      {352.0, 3, "352"},
        {-27.0, 0, "-27"},      {0.028346456693, 12, "0.028346456693"},     {123456789.25, 2, "123456789.25"},
    };
    for (const auto &[value, decimals, written] : cases) {
        QByteArray out("x");
        appendNumber(out, value, decimals);
        QCOMPARE(out, "x" + written);
    }
}

void PagesTest::timesIsServedByLiberationSerif()
{
    // The layouts' widths were made for "Times New Roman"; its metric twin
    // must be what the system's font matching gives.
    const QFontInfo info(pageFont(FontSpec{}));
    QCOMPARE(info.family(), QStringLiteral("Liberation Serif"));
    FontSpec bold;
    bold.bold = true;
    QVERIFY(QFontInfo(pageFont(bold)).bold());
}

void PagesTest::previewPagesLikeADocumentViewer()
{
    ListSource source(rows(120)); // 25 a page: 5 pages
    ReportDocument doc(simpleLayout(10.0), source);
    doc.paginate();
    PreviewWindow preview(doc, QStringLiteral("Zkouška"), {});
    preview.show();
    auto action = [&preview](const char *name) { return preview.findChild<QAction *>(QLatin1String(name)); };
    QVERIFY(!action("PreviewPrint")); // no printing offered without a printer function
    QCOMPARE(preview.pageView()->page(), 0);
    QVERIFY(!action("PreviewFirst")->isEnabled());
    QVERIFY(!preview.pageView()->pageImage().isNull());
    QTest::keyClick(&preview, Qt::Key_PageDown);
    QCOMPARE(preview.pageView()->page(), 1);
    QTest::keyClick(&preview, Qt::Key_End);
    QCOMPARE(preview.pageView()->page(), 4);
    QVERIFY(!action("PreviewNext")->isEnabled());
    QCOMPARE(preview.findChild<QSpinBox *>(QStringLiteral("PreviewPage"))->value(), 5);
    action("PreviewPrior")->trigger();
    QCOMPARE(preview.pageView()->page(), 3);
    preview.findChild<QSpinBox *>(QStringLiteral("PreviewPage"))->setValue(1);
    QCOMPARE(preview.pageView()->page(), 0);
    preview.goToPage(99); // kept within the document
    QCOMPARE(preview.pageView()->page(), 4);

    const double zoom = preview.pageView()->zoom();
    action("PreviewZoomIn")->trigger();
    QVERIFY(preview.pageView()->zoom() > zoom);
    QVERIFY(preview.pageView()->width() > 0);

    QTemporaryDir dir;
    QVERIFY(preview.saveAsPdf(dir.filePath(QStringLiteral("nahled.pdf"))));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("nahled.pdf"))));

    // A file that cannot be written: the message goes to whoever opened the
    // preview, which shows it; the engine puts up no box of its own.
    QSignalSpy failed(&preview, &PreviewWindow::failed);
    const QString missing = dir.filePath(QStringLiteral("chybi/nahled.pdf"));
    QVERIFY(!preview.saveAsPdf(missing));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first().first().toString(), writePdf(doc, missing, QStringLiteral("Zkouška")));
    QVERIFY(!failed.first().first().toString().isEmpty());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible() || w == &preview, qPrintable(w->metaObject()->className()));
    QVERIFY(!QFile::exists(missing));
}

void PagesTest::pagingKeysPageWhereverTheKeyboardIs()
{
    ListSource source(rows(120)); // 5 pages
    ReportDocument doc(simpleLayout(10.0), source);
    doc.paginate();
    PreviewWindow preview(doc, QStringLiteral("Zkouška"), {});
    preview.resize(520, 420); // the page is taller than the window: it scrolls
    preview.show();
    preview.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&preview));
    auto *box = preview.findChild<QSpinBox *>(QStringLiteral("PreviewPage"));
    QScrollBar *scroll = preview.findChild<QScrollArea *>(QStringLiteral("PreviewScroll"))->verticalScrollBar();
    const auto press = [](Qt::Key key) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, key);
    };
    const auto page = [&preview] { return preview.pageView()->page(); };

    // At first the page box has the keyboard; it would step by ten pages on
    // PgUp/PgDn and move its cursor on Home/End.
    QCOMPARE(QApplication::focusWidget(), box);
    press(Qt::Key_PageUp);
    QCOMPARE(page(), 0);
    press(Qt::Key_PageDown);
    QCOMPARE(page(), 1);
    QCOMPARE(box->value(), 2);
    press(Qt::Key_End);
    QCOMPARE(page(), 4);
    press(Qt::Key_PageDown);
    QCOMPARE(page(), 4);
    press(Qt::Key_PageUp);
    QCOMPARE(page(), 3);
    press(Qt::Key_Home);
    QCOMPARE(page(), 0);
    QCOMPARE(box->value(), 1);

    // A click on the page takes the keyboard from the box; the paging keys
    // still page, and each page starts at its top, while the arrow keys
    // scroll the page.
    QTest::mouseClick(preview.pageView(), Qt::LeftButton, {}, QPoint(50, 50));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && focus != box && preview.isAncestorOf(focus));
    QVERIFY(scroll->maximum() > 0);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    QVERIFY(scroll->value() > 0);
    QCOMPARE(page(), 0);
    press(Qt::Key_PageDown);
    QCOMPARE(page(), 1);
    QCOMPARE(scroll->value(), 0);
    press(Qt::Key_End);
    QCOMPARE(page(), 4);
    press(Qt::Key_PageUp);
    QCOMPARE(page(), 3);
    press(Qt::Key_Home);
    QCOMPARE(page(), 0);
    QCOMPARE(box->value(), 1);
}

void PagesTest::printingGoesPageByPageToThePrinter()
{
    // A printer that writes a file stands in for a real one.
    ListSource source(rows(60));
    ReportDocument doc(simpleLayout(10.0), source);
    doc.paginate();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("tisk.pdf")));
    QString error;
    QCOMPARE(printDocument(doc, printer, nullptr, &error), PrintResult::Printed);
    QVERIFY(error.isEmpty());
    QCOMPARE(printer.copyCount(), 1);
    if (!havePdftotext())
        return;
    const QStringList pages = pdfText(dir.filePath(QStringLiteral("tisk.pdf"))).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 3);
    QVERIFY(pages.at(2).contains(QStringLiteral("Kniha 60")));
}

QTEST_MAIN(PagesTest)
#include "tst_reportengine_pages.moc"
