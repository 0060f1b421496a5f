#pragma once

// Finding the files of a table without regard to the letter case of their
// names, as the file system of the program's origin did.

#include <QString>

namespace dbase {

// The path of name in folder as it exists on disk; the plain joined path
// when no such file exists.
QString findFile(const QString &folder, const QString &name);

// The companion file of a table ("dbt", "mdx") as it exists on disk, or a
// new name whose extension follows the letter case of the table's.
QString companionFile(const QString &dbfPath, const QString &extension);

} // namespace dbase
