#include "ReportFixture.h"

#include "core/TableDefinitions.h"
#include "dbase/Table.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

ReportFixture::ReportFixture() = default;

Book book(const QString &title, const QString &author, const QString &genre, const QString &number)
{
    Book b;
    if (!title.isEmpty())
        b[QStringLiteral("NAZEV")] = title;
    if (!author.isEmpty())
        b[QStringLiteral("AUTOR")] = author;
    if (!genre.isEmpty())
        b[QStringLiteral("DRUH")] = genre;
    if (!number.isEmpty())
        b[QStringLiteral("CISLO")] = number;
    return b;
}

namespace {

void append(dbase::Table &table, const QList<Book> &books)
{
    for (const Book &b : books) {
        table.insert();
        for (auto it = b.begin(); it != b.end(); ++it)
            table.setFieldText(it.key(), it.value());
        table.post();
    }
}

} // namespace

QString ReportFixture::catalogue(const QList<Book> &books, const QString &name)
{
    const QString file = m_dir.filePath(name);
    dbase::createTable(file, core::bookFields(), core::bookTags(), true);
    dbase::Table table;
    table.setDatabaseName(m_dir.path());
    table.setTableName(name);
    table.open();
    append(table, books);
    table.close();
    return file;
}

void ReportFixture::fillAuxiliary(dbase::Table &table, const QList<Book> &books)
{
    const QString name = QStringLiteral("VazonI.DBF");
    dbase::createTable(m_dir.filePath(name), core::auxiliaryFields(), core::auxiliaryTags(), true);
    table.setDatabaseName(m_dir.path());
    table.setTableName(name);
    table.open();
    append(table, books);
}

int ReportFixture::run(const QStringList &args, QString *err, QString *out)
{
    QProcess p;
    p.start(QStringLiteral(ORDEX_REPORT_EXE), args);
    if (!p.waitForFinished(120000))
        return -1;
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    if (out)
        *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString ReportFixture::report(const QString &table, const QStringList &args)
{
    m_lastPdf = m_dir.filePath(QStringLiteral("report%1.pdf").arg(++m_runs));
    QString err;
    const int code = run(QStringList{table} + args + QStringList{QStringLiteral("-o"), m_lastPdf}, &err);
    if (code != 0) {
        QTest::qFail(qPrintable(QStringLiteral("ordex-report failed: ") + err), __FILE__, __LINE__);
        return QString();
    }
    return layoutText(m_lastPdf);
}

bool ReportFixture::havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QString ReportFixture::layoutText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QList<Word> ReportFixture::words(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(120000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    QList<Word> list;
    static const QRegularExpression page(QStringLiteral("<page "));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QStringList pages = html.split(page);
    const double mm = 25.4 / 72.0;
    for (int i = 1; i < pages.size(); ++i) {
        auto it = word.globalMatch(pages.at(i));
        while (it.hasNext()) {
            const auto m = it.next();
            Word w;
            w.text = m.captured(5).replace(QStringLiteral("&apos;"), QStringLiteral("'"))
                         .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            w.mm = QRectF(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                          QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm));
            w.page = i;
            list.append(w);
        }
    }
    return list;
}
