#include "IniFile.h"

#include "Codepage1250.h"
#include "Error.h"
#include "FileRules.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <cctype>
#include <limits>
#include <optional>

namespace platform {

namespace {

// One line of the file as it is on disk: its bytes without the line end,
// and the line end it had (CRLF, LF or none for the last line).
struct Line
{
    QByteArray text;
    QByteArray ending;
};

// The parsed view of the file. Bytes are kept exactly, so lines a write does
// not touch go back to disk unchanged.
struct Document
{
    QList<Line> lines;
    QByteArray newline = "\r\n"; // what added lines end with
};

// The file as it is on disk: the name in another letter case is the same
// file to the Windows programs of the family.
QString onDisk(const QString &path)
{
    if (QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString found = findNoCase(info.path(), info.fileName());
    return found.isEmpty() ? path : found;
}

Document load(const QString &path)
{
    Document doc;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return doc; // missing or unreadable: all defaults
    const QByteArray bytes = file.readAll();
    qsizetype start = 0;
    bool sawLf = false;
    bool sawCrLf = false;
    while (start < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0) {
            doc.lines.append({bytes.mid(start), {}});
            break;
        }
        qsizetype end = lf;
        if (end > start && bytes.at(end - 1) == '\r') {
            --end;
            sawCrLf = true;
        } else {
            sawLf = true;
        }
        doc.lines.append({bytes.mid(start, end - start), bytes.mid(end, lf + 1 - end)});
        start = lf + 1;
    }
    if (sawLf && !sawCrLf)
        doc.newline = "\n";
    return doc;
}

QString trimmed(const QByteArray &bytes)
{
    return decode1250(bytes).trimmed();
}

// The section a line opens, if it opens one.
std::optional<QString> sectionOf(const Line &line)
{
    const QString text = trimmed(line.text);
    if (!text.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return text.mid(1, close - 1).trimmed();
}

bool isSection(const Line &line)
{
    return sectionOf(line).has_value();
}

// The key of a "key=value" line, null when the line carries none.
QString keyOf(const Line &line)
{
    const qsizetype eq = line.text.indexOf('=');
    if (eq < 0)
        return {};
    const QString key = trimmed(line.text.left(eq));
    if (key.isEmpty() || key.startsWith(QLatin1Char(';')))
        return {};
    return key;
}

QString valueOf(const Line &line)
{
    QString value = trimmed(line.text.mid(line.text.indexOf('=') + 1));
    // A value enclosed in a pair of quotes reads without them, as in the
    // private-profile functions of Windows.
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

struct Position
{
    qsizetype section = -1; // line of the first matching section header
    qsizetype key = -1;     // line of the key inside it
    qsizetype insertAt = -1; // where a missing key goes: after the section's last non-blank line
                             // (a key in a later section of the same name is still found)
};

Position locate(const Document &doc, const QString &section, const QString &key)
{
    Position pos;
    bool inside = false;
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        const Line &line = doc.lines.at(i);
        if (const auto name = sectionOf(line)) {
            inside = name->compare(section, Qt::CaseInsensitive) == 0;
            if (inside && pos.section < 0)
                pos.section = i;
            continue;
        }
        if (!inside)
            continue;
        const QString k = keyOf(line);
        if (!k.isNull() && k.compare(key, Qt::CaseInsensitive) == 0) {
            pos.key = i;
            return pos;
        }
    }
    // The end of the first matching section: its last non-blank line.
    if (pos.section >= 0) {
        qsizetype last = pos.section;
        for (qsizetype i = pos.section + 1; i < doc.lines.size(); ++i) {
            if (isSection(doc.lines.at(i)))
                break;
            if (!trimmed(doc.lines.at(i).text).isEmpty())
                last = i;
        }
        pos.insertAt = last + 1;
    }
    return pos;
}

bool breaksLine(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            return true;
        if (c.unicode() == 0x7F || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

void checkName(const QString &path, const QString &name, bool isSectionName)
{
    const QString t = name.trimmed();
    const bool bad = t.isEmpty() || t != name || breaksLine(name) || !fitsCodepage1250(name)
        || (isSectionName ? name.contains(QLatin1Char(']'))
                          : (name.contains(QLatin1Char('=')) || name.startsWith(QLatin1Char('['))
                             || name.startsWith(QLatin1Char(';'))));
    if (bad)
        throw Error(QStringLiteral("Název „%1“ nelze použít jako %2 v souboru %3.")
                        .arg(name, isSectionName ? QStringLiteral("název sekce")
                                                 : QStringLiteral("název klíče"),
                             path));
}

void checkValue(const QString &path, const QString &key, const QString &value)
{
    if (breaksLine(value))
        throw Error(QStringLiteral("Hodnotu klíče %1 nelze zapsat do souboru %2: obsahuje konec "
                                   "řádku nebo jiný řídicí znak.")
                        .arg(key, path));
    for (const QChar c : value) {
        if (!fitsCodepage1250(QString(c)))
            throw Error(QStringLiteral("Hodnotu klíče %1 nelze zapsat do souboru %2: znak „%3“ "
                                       "nelze uložit v kódové stránce 1250.")
                            .arg(key, path, QString(c)));
    }
}

void save(const QString &path, const Document &doc)
{
    const QFileInfo info(path);
    const auto refused = [&] { return Error(QStringLiteral("Unable to write to %1").arg(path)); };
    // A read-only file or folder is refused whoever runs the program, as the
    // read-only attribute is on the systems the family comes from.
    const auto writable = [](const QFileInfo &f) {
        return f.isWritable() && (f.permissions() & QFileDevice::WriteOwner);
    };
    if (info.exists() && (!info.isFile() || !writable(info)))
        throw refused();
    if (!writable(QFileInfo(info.absolutePath())))
        throw refused();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw refused();
    for (const Line &line : doc.lines) {
        if (file.write(line.text) != line.text.size()
            || file.write(line.ending) != line.ending.size())
            throw refused(); // the QSaveFile is discarded: the old file stays as it was
    }
    if (!file.commit())
        throw refused();
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
}

QString IniFile::path() const { return m_path; }

QString IniFile::readString(const QString &section, const QString &key) const
{
    const Document doc = load(onDisk(m_path));
    const Position pos = locate(doc, section, key);
    return pos.key < 0 ? QString() : valueOf(doc.lines.at(pos.key));
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    QString text = readString(section, key).trimmed();
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.startsWith(QLatin1Char('-'));
        text.remove(0, 1);
    }
    int base = 10;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text.remove(0, 2);
    }
    // Only plain digits: toLongLong would also take inner spaces or signs.
    if (text.isEmpty())
        return defaultValue;
    for (const QChar c : text) {
        if (!(base == 16 ? isxdigit(c.unicode()) && c.unicode() < 0x80 : c.isDigit() && c.unicode() < 0x80))
            return defaultValue;
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, base);
    if (!ok)
        return defaultValue;
    const qlonglong signedValue = negative ? -value : value;
    if (base == 16 && !negative && value <= 0xFFFFFFFFLL)
        return static_cast<int>(static_cast<quint32>(value)); // 0xFFFFFFFF is -1, as a DWORD would be
    if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(signedValue);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    checkName(m_path, section, true);
    checkName(m_path, key, false);
    checkValue(m_path, key, value);

    const QString path = onDisk(m_path);
    Document doc = load(path);
    const Position pos = locate(doc, section, key);
    const QByteArray encodedValue = encode1250(value);
    if (pos.key >= 0) {
        // Keep the key's own spelling and everything up to the '='.
        Line &line = doc.lines[pos.key];
        line.text = line.text.left(line.text.indexOf('=') + 1) + encodedValue;
    } else {
        // A last line without a line end gets one before anything follows it.
        if (!doc.lines.isEmpty() && doc.lines.last().ending.isEmpty())
            doc.lines.last().ending = doc.newline;
        const Line keyLine{encode1250(key) + '=' + encodedValue, doc.newline};
        if (pos.section >= 0) {
            doc.lines.insert(pos.insertAt, keyLine);
        } else {
            doc.lines.append({'[' + encode1250(section) + ']', doc.newline});
            doc.lines.append(keyLine);
        }
    }
    save(path, doc);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

} // namespace platform
