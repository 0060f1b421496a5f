#pragma once

// What the commands of ordex-dbf share: exit codes, reading a table's files
// and opening it with the engine.

#include "DbfHeader.h"

#include <QByteArray>
#include <QString>

namespace dbase { class Table; }

namespace dbftool {

enum ExitCode { Ok = 0, Failed = 1, BadInput = 2 };

// The whole file; *ok (when given) says whether it could be read.
QByteArray readFile(const QString &path, bool *ok = nullptr);

// The whole .dbf and its header; false with the reason added to err.
bool readTableFile(const QString &path, QByteArray &bytes, DbfHeader &header, QString &err);

// The companion of a table (suffix "dbt" or "mdx") as an absolute path, found
// without regard to letter case; empty when there is none.
QString existingCompanion(const QString &dbfPath, const QString &suffix);

// Opens the table at path (folder and file name) with the engine.
void openTable(dbase::Table &table, const QString &path);

} // namespace dbftool
