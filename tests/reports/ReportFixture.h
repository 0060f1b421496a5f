#pragma once

// Catalogues made for one test, the reports of ordex-report over them, and
// what poppler reads back from the PDF.

#include <QMap>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace dbase {
class Table;
}

using Book = QMap<QString, QString>; // field name -> text

struct Word
{
    QString text;
    QRectF mm; // on the page, in millimetres from its top left corner
    int page = 0;
};

class ReportFixture
{
public:
    ReportFixture();

    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A book table (all 16 fields, the catalogue's tags) holding the books.
    QString catalogue(const QList<Book> &books, const QString &name = QStringLiteral("VazonS.dbf"));
    // An auxiliary table (15 fields, the auxiliary tags) holding the books, open.
    void fillAuxiliary(dbase::Table &table, const QList<Book> &books);

    // Runs ordex-report; returns its exit code, standard error in *err and
    // standard output in *out.
    int run(const QStringList &args, QString *err = nullptr, QString *out = nullptr);
    // Runs it to a fresh PDF and returns pdftotext -layout of it (pages
    // split by form feeds); fails the test when it does not succeed.
    QString report(const QString &table, const QStringList &args);
    QString lastPdf() const { return m_lastPdf; }

    static QString layoutText(const QString &pdf);
    static QList<Word> words(const QString &pdf);
    static bool havePoppler();

private:
    QTemporaryDir m_dir;
    int m_runs = 0;
    QString m_lastPdf;
};

Book book(const QString &title, const QString &author = QString(), const QString &genre = QString(),
          const QString &number = QString());
