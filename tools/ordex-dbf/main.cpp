// ordex-dbf: moves a catalogue in and out of the program as CSV and checks
// a table's files.

#include "Commands.h"

#include "core/TableDefinitions.h"
#include "platform/ProgramDirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <optional>

namespace {

const char Usage[] =
    "Použití:\n"
    "  ordex-dbf info [TABULKA]\n"
    "  ordex-dbf export TABULKA [--order POLE|ZNAČKA] [--filter \"POLE = 'hodnota'\"]\n"
    "  ordex-dbf import TABULKA < soubor.csv\n"
    "  ordex-dbf check [TABULKA]\n"
    "  ordex-dbf repair TABULKA    zachrání celé záznamy poškozené tabulky\n"
    "  ordex-dbf backup SOUBOR     uloží tabulky složky Data a oba soubory .ini do archivu tar.gz\n"
    "  ordex-dbf restore SOUBOR    obnoví data ze zálohy (program nesmí běžet)\n"
    "  ordex-dbf kept [ČÍSLO POZICE]  vypíše zachované databáze (Data/Zachovane), nebo vrátí\n"
    "                              databázi ČÍSLO do pozice 1 (Standardní) až 4 (volitelná č. 3)\n"
    "  ordex-dbf --help | -h      tento návod\n"
    "  ordex-dbf --version        verze programu\n"
    "CSV v kódování UTF-8: první řádek jmenuje pole, data RRRR-MM-DD, čísla s desetinnou tečkou,\n"
    "logické hodnoty T/F. Import připojí záznamy jen tehdy, když jsou všechny v pořádku;\n"
    "chyba se hlásí jako \"záznam N, pole F: důvod\" (záznam 1 je první záznam za záhlavím,\n"
    "chybné jméno pole v záhlaví jako \"záhlaví, pole F: důvod\").\n"
    "Info a check bez TABULKY čtou Standardní databázi (Data/VazonS.dbf) složky programu: složky,\n"
    "kterou udává proměnná ORDEX_PROGRAM_DIR, u nainstalovaného programu ~/.local/share/Ordex2000,\n"
    "jinak složky, v níž ordex-dbf leží. V ní pracují i backup, restore a kept.\n"
    "Návratový kód: 0 v pořádku, 1 tabulka je vadná nebo ji nelze číst či zapsat,\n"
    "2 chybné argumenty nebo data importu.\n";

void writeAll(FILE *stream, const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int usage()
{
    writeAll(stderr, QByteArray(Usage));
    return 2;
}

// The program directory by the program's own rule; a message and exit code 1
// when it cannot be found or laid out.
std::optional<platform::ProgramDirectory> programDirectory()
{
    try {
        return platform::ProgramDirectory::locate();
    } catch (const std::exception &e) {
        writeAll(stderr, QByteArray(e.what()) + '\n');
        return std::nullopt;
    }
}

// The commands that only read a table, and read the standard catalogue when
// no table is named.
bool readsStandardCatalogue(const QStringList &args)
{
    return args.size() == 1 && (args.at(0) == QLatin1String("info") || args.at(0) == QLatin1String("check"));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // Asked for, the usage and the version go to standard output and are no
    // error, wherever they stand on the line.
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        writeAll(stdout, QByteArray(Usage));
        return 0;
    }
    if (args.contains(QLatin1String("--version"))) {
        writeAll(stdout, QByteArray("ordex-dbf (Ordex 2000) " ORDEX_VERSION "\n"));
        return 0;
    }
    const QString instanceKey = QStringLiteral("Ordex2000");
    if (args.value(0) == QLatin1String("kept") && (args.size() == 1 || args.size() == 3)) {
        const auto located = programDirectory();
        if (!located)
            return 1;
        const platform::ProgramDirectory &dir = *located;
        QByteArray out;
        QString err;
        int code = 0;
        if (args.size() == 1) {
            code = runKeptList(dir, out, err);
        } else {
            bool numberOk = false, slotOk = false;
            const int number = args.at(1).toInt(&numberOk);
            const int slot = args.at(2).toInt(&slotOk);
            if (!numberOk || !slotOk)
                return usage();
            code = runKeptPutBack(dir, number, slot, instanceKey, out, err);
        }
        writeAll(stdout, out);
        writeAll(stderr, err.toUtf8());
        return code;
    }
    if (readsStandardCatalogue(args)) {
        const auto located = programDirectory();
        if (!located)
            return 1;
        args.insert(1, located->dataDir() + core::bookTableFile(1));
    }
    if (args.size() < 2)
        return usage();
    const QString command = args.at(0);
    const QString table = args.at(1);

    QByteArray out;
    QString err;
    int code = 0;
    if (command == QLatin1String("info") && args.size() == 2) {
        code = runInfo(table, out, err);
    } else if (command == QLatin1String("check") && args.size() == 2) {
        code = runCheck(table, out, err);
    } else if ((command == QLatin1String("backup") || command == QLatin1String("restore")) && args.size() == 2) {
        const auto located = programDirectory();
        if (!located)
            return 1;
        code = command == QLatin1String("backup") ? runBackup(*located, table, out, err)
                                                  : runRestore(*located, table, instanceKey, out, err);
    } else if (command == QLatin1String("repair") && args.size() == 2) {
        code = runRepair(table, out, err);
    } else if (command == QLatin1String("export")) {
        QString order, filter;
        for (int i = 2; i < args.size(); ++i) {
            if (args.at(i) == QLatin1String("--order") && i + 1 < args.size())
                order = args.at(++i);
            else if (args.at(i) == QLatin1String("--filter") && i + 1 < args.size())
                filter = args.at(++i);
            else
                return usage();
        }
        code = runExport(table, order, filter, stdout, err);
    } else if (command == QLatin1String("import") && args.size() == 2) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            writeAll(stderr, QByteArray("Standardní vstup nelze číst.\n"));
            return 1;
        }
        code = runImport(table, in.readAll(), err);
    } else {
        return usage();
    }
    writeAll(stdout, out);
    writeAll(stderr, err.toUtf8());
    return code;
}
