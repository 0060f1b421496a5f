#pragma once

// The commands of ordex-dbf. Each returns the process exit code; what
// goes to standard output is appended to out in one piece, messages for
// standard error to err (one per line, Czech).

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace platform { class ProgramDirectory; }

// Version, code page, record count, fields and index tags.
int runInfo(const QString &table, QByteArray &out, QString &err);

// Every visible record as CSV: header row, RFC 4180 quoting, dates
// YYYY-MM-DD, plain decimal numbers, logicals T/F. order: a field or tag
// name (empty: file order); filter: "FIELD = 'value'" (empty: none).
int runExport(const QString &table, const QString &order, const QString &filter,
              QByteArray &out, QString &err);
// The same written to out in pieces of about 64 KiB as it is made.
int runExport(const QString &table, const QString &order, const QString &filter, FILE *out, QString &err);

// Appends the CSV records of input (header row naming any subset of the
// fields). All or nothing: on the first bad value the table's files are left
// byte for byte as they were and err says "záznam N, pole F: důvod", where
// record 1 is the first record after the header ("záhlaví, pole F: důvod"
// for a bad name in the header).
int runImport(const QString &table, const QByteArray &input, QString &err);

// 0 when the table, its memo file and its production index agree.
int runCheck(const QString &table, QByteArray &out, QString &err);

// Salvages a damaged table: every whole record in file order, its memo texts
// where the .dbt blocks are sound, a true header and a new production index.
// The result passes runCheck before it replaces the table; the damaged files
// stay beside it as <name>.poskozeno-<date>. out says what was kept and lost.
int runRepair(const QString &table, QByteArray &out, QString &err);

// The program's data (every table of Data with its memo and index files,
// Ordex2000.ini, Tessera.ini) as one tar.gz: written under a temporary name,
// read back and compared, then renamed to file.
int runBackup(const platform::ProgramDirectory &dir, const QString &file, QByteArray &out, QString &err);
// Puts a backup's files in place, all or nothing: refused while the program
// holds instanceKey, and for an archive that is not ours or is damaged; the
// files it replaces go to a kept folder (platform/KeptFiles.h).
int runRestore(const platform::ProgramDirectory &dir, const QString &file, const QString &instanceKey,
               QByteArray &out, QString &err);

// The kept catalogues, numbered, oldest first.
int runKeptList(const platform::ProgramDirectory &dir, QByteArray &out, QString &err);
// Moves kept catalogue number back into slot (1..4); what the slot held is
// kept in its turn. An optional slot without a name gets the kept one's.
int runKeptPutBack(const platform::ProgramDirectory &dir, int number, int slot, const QString &instanceKey,
                   QByteArray &out, QString &err);
