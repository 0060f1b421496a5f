#pragma once

// The four commands of ordex-dbf. Each returns the process exit code; what
// goes to standard output is appended to out in one piece, messages for
// standard error to err (one per line, Czech).

#include <QByteArray>
#include <QString>

#include <cstdio>

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
