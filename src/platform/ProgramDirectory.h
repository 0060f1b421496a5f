#pragma once

#include <QString>

namespace platform {

// The folder of the executable. Every file the program uses lies in or below
// it; paths are formed by appending a relative name to path().
class ProgramDirectory
{
public:
    // path is made absolute and given a trailing '/'.
    explicit ProgramDirectory(const QString &path);
    static ProgramDirectory ofExecutable();

    QString path() const; // absolute, always ends with '/'
    QString file(const QString &relative) const; // path() + relative
    QString dataDir() const;     // path() + "Data/"
    QString templateDir() const; // path() + "Data/Zaloha/"
    QString soundDir() const;    // path() + "Zvuky/"

private:
    QString m_path;
};

} // namespace platform
