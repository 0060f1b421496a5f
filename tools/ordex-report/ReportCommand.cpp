#include "ReportCommand.h"

#include "core/AuxiliaryCopy.h"
#include "core/GenreChoice.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "reports/ReportForm.h"
#include "reports/ReportRunner.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace ordexreport {

namespace {

const char Usage[] =
    "Použití:\n"
    "  ordex-report TABULKA --report title|number|authors|author [--detail short|extended|full]\n"
    "               [--genre DRUH] [--author JMÉNO] -o SOUBOR.pdf\n"
    "  title, number   seznam knih podle názvu nebo čísla (úroveň --detail, výchozí short;\n"
    "                  --genre je jeden druh z nabídky, např. \"Horor\", nebo \"Všechny druhy\")\n"
    "  authors         abecední seznam všech autorů s jejich knihami\n"
    "  author          knihy jednoho autora, jehož jméno udává --author\n"
    "  ordex-report --help | -h      tento návod\n"
    "  ordex-report --version        verze programu\n"
    "Návratový kód: 0 sestava zapsána, 1 chyba tabulky nebo souboru, 2 chybné argumenty.\n";

struct Options
{
    QString table;
    QString report;
    QString detail;
    QString genre;
    QString author;
    bool hasAuthor = false;
    bool hasDetail = false;
    bool hasGenre = false;
    QString output;
};

int usage(QString *error, const QString &why)
{
    *error = why + QLatin1Char('\n') + QString::fromUtf8(Usage);
    return BadArguments;
}

// Reads the options; an empty text means they are fine.
QString parse(const QStringList &args, Options &o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString &into) -> bool {
            if (i + 1 >= args.size())
                return false;
            into = args.at(++i);
            return true;
        };
        bool ok = true;
        if (a == QLatin1String("--report"))
            ok = value(o.report);
        else if (a == QLatin1String("--detail"))
            ok = o.hasDetail = value(o.detail);
        else if (a == QLatin1String("--genre"))
            ok = o.hasGenre = value(o.genre);
        else if (a == QLatin1String("--author"))
            ok = o.hasAuthor = value(o.author);
        else if (a == QLatin1String("-o") || a == QLatin1String("--output"))
            ok = value(o.output);
        else if (a.startsWith(QLatin1Char('-')) && a.size() > 1)
            return QStringLiteral("Neznámý přepínač %1.").arg(a);
        else if (o.table.isEmpty())
            o.table = a;
        else
            return QStringLiteral("Nadbytečný argument %1.").arg(a);
        if (!ok)
            return QStringLiteral("Přepínači %1 chybí hodnota.").arg(a);
    }
    if (o.table.isEmpty())
        return QStringLiteral("Chybí tabulka katalogu.");
    if (o.output.isEmpty())
        return QStringLiteral("Chybí výstupní soubor (-o SOUBOR.pdf).");
    const QStringList reports = {QStringLiteral("title"), QStringLiteral("number"), QStringLiteral("authors"),
                                 QStringLiteral("author")};
    if (!reports.contains(o.report))
        return QStringLiteral("Sestava (--report) musí být title, number, authors nebo author.");
    const bool bookList = o.report == QLatin1String("title") || o.report == QLatin1String("number");
    if (o.hasDetail && !bookList)
        return QStringLiteral("Úroveň podrobností (--detail) mají jen sestavy title a number.");
    if (o.hasDetail && !QStringList{QStringLiteral("short"), QStringLiteral("extended"), QStringLiteral("full")}
                            .contains(o.detail))
        return QStringLiteral("Úroveň podrobností (--detail) musí být short, extended nebo full.");
    if (o.hasGenre && !bookList)
        return QStringLiteral("Druh knihy (--genre) lze vybrat jen pro sestavy title a number.");
    if (o.hasGenre && o.genre != core::GenreChoice::allCaption() && !core::genres().contains(o.genre))
        return QStringLiteral("Neznámý druh knihy \"%1\".").arg(o.genre);
    if (o.report == QLatin1String("author") && !o.hasAuthor)
        return QStringLiteral("Sestava author potřebuje jméno autora (--author JMÉNO).");
    if (o.hasAuthor && o.report != QLatin1String("author"))
        return QStringLiteral("Jméno autora (--author) patří jen k sestavě author.");
    return QString();
}

reports::ReportKind kindOf(const QString &report)
{
    if (report == QLatin1String("number"))
        return reports::ReportKind::Number;
    if (report == QLatin1String("authors"))
        return reports::ReportKind::Authors;
    if (report == QLatin1String("author"))
        return reports::ReportKind::Author;
    return reports::ReportKind::Title;
}

reports::ListDetail detailOf(const QString &detail)
{
    if (detail == QLatin1String("extended"))
        return reports::ListDetail::Extended;
    if (detail == QLatin1String("full"))
        return reports::ListDetail::Full;
    return reports::ListDetail::Short;
}

} // namespace

int run(const QStringList &arguments, QString *output, QString *error)
{
    // Asked for, the usage and the version are no error, wherever they stand.
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        *output = QString::fromUtf8(Usage);
        return Written;
    }
    if (arguments.contains(QLatin1String("--version"))) {
        *output = QStringLiteral("ordex-report (Ordex 2000) " ORDEX_VERSION "\n");
        return Written;
    }
    Options o;
    const QString why = parse(arguments, o);
    if (!why.isEmpty())
        return usage(error, why);

    const QFileInfo tableFile(o.table);
    if (!tableFile.isFile()) {
        *error = QStringLiteral("Tabulku %1 nelze najít.").arg(QDir::toNativeSeparators(o.table));
        return Failed;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        *error = QStringLiteral("Nelze vytvořit dočasnou složku: %1").arg(scratch.errorString());
        return Failed;
    }
    try {
        dbase::Table catalogue;
        catalogue.setDatabaseName(tableFile.absolutePath());
        catalogue.setTableName(tableFile.fileName());
        catalogue.open();
        if (catalogue.fieldIndex(QStringLiteral("NAZEV")) < 0) {
            *error = QStringLiteral("Tabulka %1 není katalog knih: chybí jí pole NAZEV.")
                         .arg(QDir::toNativeSeparators(o.table));
            return Failed;
        }
        // The build copies a catalogue in the order of its numbers.
        for (const dbase::IndexTag &tag : catalogue.tags())
            if (tag.name.compare(QLatin1String("CISLO"), Qt::CaseInsensitive) == 0)
                catalogue.setOrder(QStringLiteral("CISLO"));

        reports::ReportForm form(kindOf(o.report));
        form.setDetail(detailOf(o.detail));
        if (form.kind() == reports::ReportKind::Author)
            form.setHeading(o.author);

        // The copy carries only the index tag of the report's own order: its
        // index is written once when the copy is closed, and the program's
        // other orders would be written for nothing.
        const QString order = o.report == QLatin1String("number")    ? QStringLiteral("CISLO")
                              : o.report == QLatin1String("authors") ? QStringLiteral("AUTORNAZEV")
                                                                     : QStringLiteral("NAZEV");
        QList<dbase::IndexTag> tags;
        for (const dbase::IndexTag &tag : core::auxiliaryTags())
            if (tag.name == order)
                tags.append(tag);
        // And only the fields the report prints, orders on or picks by: the
        // copy is held in memory beside the catalogue while it is made, and
        // the short lists print three of its fifteen fields.
        QStringList wanted = form.layout().fields();
        for (const dbase::IndexTag &tag : tags)
            wanted += tag.expression.split(QLatin1Char('+'));
        if (o.hasGenre)
            wanted.append(QStringLiteral("DRUH"));
        if (form.kind() == reports::ReportKind::Author)
            wanted.append(QStringLiteral("AUTOR"));
        QList<dbase::FieldDef> fields;
        for (const dbase::FieldDef &field : core::auxiliaryFields())
            if (wanted.contains(field.name))
                fields.append(field);
        const QString auxPath = scratch.filePath(QString::fromLatin1(core::AuxiliaryTableFile));
        dbase::createTable(auxPath, fields, tags, true);
        dbase::Table auxiliary;
        auxiliary.setDatabaseName(scratch.path());
        auxiliary.setTableName(QString::fromLatin1(core::AuxiliaryTableFile));
        auxiliary.open();
        core::copyTitledBooks(catalogue, auxiliary);
        catalogue.close();

        if (form.kind() == reports::ReportKind::Author)
            reports::ReportForm::restrictToAuthor(auxiliary, o.author);
        const QString genre = o.genre == core::GenreChoice::allCaption() ? QString() : o.genre;
        reports::ReportRunner runner(auxiliary, [genre] { return genre; }, {});
        const QString failure = runner.writePdf(form, o.output);
        auxiliary.close();
        if (!failure.isEmpty()) {
            *error = failure;
            return Failed;
        }
    } catch (const dbase::Error &e) {
        *error = e.message();
        return Failed;
    }
    return Written;
}

} // namespace ordexreport
