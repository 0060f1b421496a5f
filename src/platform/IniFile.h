#pragma once

// Plain private-profile ini files in code page 1250, shared with the Windows
// programs of the family. Every access opens the file anew; a write changes
// only its own key and keeps every other byte of the file.

#include <QString>

namespace platform {

class IniFile
{
public:
    explicit IniFile(const QString &path);

    // Empty when the file, the section or the key is missing.
    QString readString(const QString &section, const QString &key) const;
    // Decimal, or hexadecimal after 0x/0X; defaultValue when missing or not a number.
    int readInteger(const QString &section, const QString &key, int defaultValue = 0) const;

    // Throws Error: a value (or name) that would break the file or that code
    // page 1250 cannot hold, and "Unable to write to <path>" when the file
    // cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    QString path() const;

    // What of the file cannot be read (Czech, naming the file), empty when
    // all of it can: lines with a NUL byte, with a byte that code page 1250
    // leaves undefined, or longer than 64 KiB read as nothing, so their
    // keys take their defaults. A missing file is not damaged.
    QString damage() const;

private:
    QString m_path;
};

} // namespace platform
