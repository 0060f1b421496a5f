#pragma once

// The files of the auxiliary table (VazonI) during its build. A new copy is
// laid out and filled in a folder of its own beside the tables, under the
// table's own file names (the .mdx names the .dbf it belongs to), and only
// a complete copy is put in place of the old one. Until then the old copy,
// which the marker [Kontrola] Pomocna describes, stays as it was.

#include "platform/ProgramDirectory.h"

#include <QString>

#include <functional>

namespace core {

class AuxiliaryFiles
{
public:
    explicit AuxiliaryFiles(const platform::ProgramDirectory &dir);
    // Removes a new copy that was not put in place.
    ~AuxiliaryFiles();

    AuxiliaryFiles(const AuxiliaryFiles &) = delete;
    AuxiliaryFiles &operator=(const AuxiliaryFiles &) = delete;

    // Makes the folder of the new copy (emptying what a broken build left
    // there) and copies the empty templates Data/Zaloha/VazonI.dbf/.Dbt/.Mdx
    // into it as VazonI.dbf/.dbt/.mdx. A missing template folder or a copy
    // that fails throws platform::Error; a single missing template file is
    // passed over. step(n) is called after each of the three files.
    void layOutTemplates(const std::function<void(int file)> &step = {});

    // The folder of the new copy, with a trailing '/', and its table's name.
    QString folder() const;
    static QString tableFileName(); // "VazonI.dbf"

    // Puts the new copy in place of the old one in the data folder: the old
    // files (in any letter case) are moved aside first and moved back when a
    // new file cannot be moved in. Throws platform::Error then, with the old
    // copy in place again.
    void putInPlace();

    static QString folderName(); // "VazonI.new"

private:
    void removeFolder() const;

    QString m_data;   // the data folder, with '/'
    QString m_folder; // the new copy's folder, with '/'
    platform::ProgramDirectory m_dir;
};

} // namespace core
