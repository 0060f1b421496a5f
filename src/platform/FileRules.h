#pragma once

// The file rules of the program directory: finding a file whatever its letter
// case, the presence test, restoring a table from its empty template and
// removing a table's files. They work with absolute paths and never change
// the current directory of the process.

#include "ProgramDirectory.h"

#include <QString>

namespace platform {

// Full path of the entry of folder whose name equals name without regard to
// case; an exact-case match is preferred. Empty when there is none.
QString findNoCase(const QString &folder, const QString &name);

// The presence test: the path under which the file name is found in folder
// (case-insensitive), or an empty text. The current directory is always the
// program directory, so a relative folder is taken relative to it: pass an
// absolute folder (ProgramDirectory::dataDir() and the like).
QString presenceTest(const QString &name, const QString &folder);

// Copies Data/Zaloha/<base>.dbf/.Dbt/.Mdx to Data/<base>.dbf/.dbt/.mdx,
// overwriting. A missing template folder throws Error; a single missing
// template file is passed over. Existing targets in another letter case are
// replaced, so no two spellings of one table remain.
void restoreTemplate(const ProgramDirectory &dir, const QString &baseName);

// Replaces Data/<base>.dbf/.dbt/.mdx by the three templates
// Data/Zaloha/<base>.dbf/.Dbt/.Mdx as one step: a missing template folder,
// data folder or template file throws Error and nothing is touched. The
// templates are copied beside the targets under temporary names first; only
// when all three copies exist are the old files (in any letter case)
// replaced by renaming, so a table never stays beside an index or memo file
// of another state because a copy failed.
void replaceWithTemplate(const ProgramDirectory &dir, const QString &baseName);

// Deletes Data/<base>.dbf/.dbt/.mdx in any letter case. Throws Error when a
// file exists but cannot be deleted.
void removeTableFiles(const ProgramDirectory &dir, const QString &baseName);

} // namespace platform
