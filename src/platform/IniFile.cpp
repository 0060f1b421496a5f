#include "IniFile.h"

#include "Codepage1250.h"
#include "Error.h"
#include "FileRules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <limits>
#include <optional>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A line longer than this is not a setting of any program of the family:
// it is read as nothing, like a line with a NUL byte or with a byte that
// code page 1250 leaves undefined.
constexpr qsizetype MaxLineLength = 64 * 1024;

// The file's bytes, mapped with its pages read in at once where the system
// allows: a file of any size is scanned without a copy, without a page
// fault per page, and without an object per line.
class Bytes
{
public:
    explicit Bytes(const QString &path)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            m_exists = errno != ENOENT && errno != ENOTDIR;
            m_unreadable = m_exists;
            return;
        }
        m_exists = true;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            void *p = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (p != MAP_FAILED) {
                m_map = p;
                m_mapSize = size_t(st.st_size);
                m_view = QByteArrayView(static_cast<const char *>(p), qsizetype(st.st_size));
                ::close(fd);
                return;
            }
        }
        QFile file;
        if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            m_copy = file.readAll();
        else
            ::close(fd);
        m_view = m_copy;
    }
    ~Bytes()
    {
        if (m_map)
            ::munmap(m_map, m_mapSize);
    }
    Bytes(const Bytes &) = delete;
    Bytes &operator=(const Bytes &) = delete;

    QByteArrayView view() const { return m_view; }
    bool exists() const { return m_exists; }
    bool unreadable() const { return m_unreadable; }

private:
    void *m_map = nullptr;
    size_t m_mapSize = 0;
    QByteArray m_copy;
    QByteArrayView m_view;
    bool m_exists = false;
    bool m_unreadable = false;
};

// Letter case of code page 1250 folded byte for byte, for names compared
// without decoding every line of the file.
const std::array<uchar, 256> &foldTable()
{
    static const std::array<uchar, 256> table = [] {
        std::array<uchar, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const QByteArray folded = encode1250(decode1250(QByteArray(1, char(b))).toCaseFolded());
            t[size_t(b)] = folded.size() == 1 && folded != "?" ? uchar(folded[0]) : uchar(b);
        }
        return t;
    }();
    return table;
}

bool sameName(QByteArrayView a, const QByteArray &folded)
{
    if (a.size() != folded.size())
        return false;
    const auto &fold = foldTable();
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold[uchar(a[i])] != uchar(folded[i]))
            return false;
    return true;
}

QByteArray foldedName(const QString &name)
{
    QByteArray bytes = encode1250(name.trimmed());
    const auto &fold = foldTable();
    for (char &c : bytes)
        c = char(fold[uchar(c)]);
    return bytes;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || uchar(c) == 0xA0;
}

QByteArrayView trimmedView(QByteArrayView v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && isBlank(v[b]))
        ++b;
    while (e > b && isBlank(v[e - 1]))
        --e;
    return v.sliced(b, e - b);
}

bool unreadable(QByteArrayView text)
{
    if (text.size() > MaxLineLength)
        return true;
    for (const char c : text) {
        switch (uchar(c)) {
        case 0x00: case 0x81: case 0x83: case 0x88: case 0x90: case 0x98:
            return true;
        default:
            break;
        }
    }
    return false;
}

// One line: its bytes without the line end, where it starts and where the
// next line starts.
struct Line
{
    QByteArrayView text;
    qsizetype start = 0;
    qsizetype next = 0;
    bool ended = false; // has a line end
};

Line lineAt(QByteArrayView bytes, qsizetype start)
{
    const char *data = bytes.data();
    const void *found = std::memchr(data + start, '\n', size_t(bytes.size() - start));
    const qsizetype lf = found ? static_cast<const char *>(found) - data : -1;
    Line line;
    line.start = start;
    if (lf < 0) {
        line.text = bytes.sliced(start);
        line.next = bytes.size();
    } else {
        qsizetype end = lf;
        if (end > start && data[end - 1] == '\r')
            --end;
        line.text = bytes.sliced(start, end - start);
        line.next = lf + 1;
        line.ended = true;
    }
    return line;
}

// The start of the next line from start on that opens with '[' after
// blanks; -1 when there is none. Jumps over the lines between.
qsizetype nextBracketLine(QByteArrayView bytes, qsizetype start)
{
    const char *data = bytes.data();
    while (start < bytes.size()) {
        const void *found = std::memchr(data + start, '[', size_t(bytes.size() - start));
        if (!found)
            return -1;
        const qsizetype bracket = static_cast<const char *>(found) - data;
        qsizetype lineStart = bracket;
        while (lineStart > start && data[lineStart - 1] != '\n' && isBlank(data[lineStart - 1]))
            --lineStart;
        if (lineStart == start || data[lineStart - 1] == '\n')
            return lineStart;
        const void *lf = std::memchr(data + bracket, '\n', size_t(bytes.size() - bracket));
        if (!lf)
            return -1;
        start = static_cast<const char *>(lf) - data + 1;
    }
    return -1;
}

template <typename Visit>
void forEachLine(QByteArrayView bytes, Visit visit)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        const Line line = lineAt(bytes, start);
        if (!visit(line))
            return;
        start = line.next;
    }
}

// The section a line opens; nothing when it opens none.
std::optional<QByteArrayView> sectionOf(QByteArrayView text)
{
    const QByteArrayView t = trimmedView(text);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimmedView(t.sliced(1, close - 1));
}

// The key of a "key=value" line; nothing when the line carries none.
std::optional<QByteArrayView> keyOf(QByteArrayView text)
{
    const qsizetype eq = text.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    const QByteArrayView key = trimmedView(text.first(eq));
    if (key.isEmpty() || key.startsWith(';'))
        return std::nullopt;
    return key;
}

QString valueOf(QByteArrayView text)
{
    QString value = decode1250(trimmedView(text.sliced(text.indexOf('=') + 1)).toByteArray()).trimmed();
    // A value enclosed in a pair of quotes reads without them, as in the
    // private-profile functions of Windows.
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

struct Position
{
    qsizetype section = -1;   // start of the first matching section header
    Line key;                 // the key's line inside it (section >= 0 and key.next > 0 when found)
    bool found = false;
    qsizetype insertAt = -1;  // where a missing key goes: after the section's last non-blank line
    bool insertNeedsEnd = false; // that line has no line end yet
    QByteArray newline = "\r\n"; // what added lines end with
};

// One pass over the file. An unreadable line is skipped; one that starts
// like a section header ends the section before it, so its keys are never
// taken for keys of the wrong section.
Position locate(QByteArrayView bytes, const QString &section, const QString &key, bool wholeFile)
{
    Position pos;
    const QByteArray wantedSection = foldedName(section);
    const QByteArray wantedKey = foldedName(key);
    bool inside = false;
    bool inFirst = false;
    bool sawLf = false, sawCrLf = false;
    // A read jumps from section header to section header outside the
    // wanted section; a write looks at every line (it needs the line ends).
    const auto visit = [&](const Line &line) {
        if (line.ended) {
            if (line.next - line.start - line.text.size() == 2)
                sawCrLf = true;
            else
                sawLf = true;
        }
        // Most lines of a large file lie outside the section: only a
        // section header matters there.
        qsizetype first = 0;
        while (first < line.text.size() && isBlank(line.text[first]))
            ++first;
        const bool bracket = first < line.text.size() && line.text[first] == '[';
        if (!bracket && !inside && !inFirst)
            return true;
        if (unreadable(line.text)) {
            if (bracket)
                inside = inFirst = false;
            return true;
        }
        if (const auto name = sectionOf(line.text)) {
            inside = sameName(*name, wantedSection);
            inFirst = inside && pos.section < 0;
            if (inFirst) {
                pos.section = line.start;
                pos.insertAt = line.next;
                pos.insertNeedsEnd = !line.ended;
            }
            return true;
        }
        if (inFirst && !trimmedView(line.text).isEmpty()) {
            pos.insertAt = line.next;
            pos.insertNeedsEnd = !line.ended;
        }
        if (inside && !pos.found) {
            const auto k = keyOf(line.text);
            if (k && sameName(*k, wantedKey)) {
                pos.key = line;
                pos.found = true;
                if (!wholeFile)
                    return false;
            }
        }
        return true;
    };
    qsizetype start = 0;
    while (start < bytes.size()) {
        if (!wholeFile && !inside) {
            start = nextBracketLine(bytes, start);
            if (start < 0)
                break;
        }
        const Line line = lineAt(bytes, start);
        if (!visit(line))
            break;
        start = line.next;
    }
    if (sawLf && !sawCrLf)
        pos.newline = "\n";
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

// Writes the pieces one after another into a new file put in place of path
// at the end, so a reader never sees a half-written file.
void save(const QString &path, std::initializer_list<QByteArrayView> pieces)
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
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw refused();
    for (const QByteArrayView piece : pieces) {
        if (file.write(piece.data(), piece.size()) != piece.size())
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
    const Bytes bytes(onDisk(m_path));
    const Position pos = locate(bytes.view(), section, key, false);
    return pos.found ? valueOf(pos.key.text) : QString();
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
    const Bytes bytes(path);
    if (bytes.unreadable())
        throw Error(QStringLiteral("Unable to write to %1").arg(path));
    const QByteArrayView all = bytes.view();
    const Position pos = locate(all, section, key, true);
    const QByteArray encodedValue = encode1250(value);
    if (pos.found) {
        // Keep the key's own spelling and everything up to the '='.
        const qsizetype valueAt = pos.key.start + pos.key.text.indexOf('=') + 1;
        const qsizetype lineEnd = pos.key.start + pos.key.text.size();
        save(path, {all.first(valueAt), encodedValue, all.sliced(lineEnd)});
        return;
    }
    const QByteArray keyLine = encode1250(key) + '=' + encodedValue + pos.newline;
    if (pos.section >= 0) {
        const QByteArrayView before = all.first(pos.insertAt);
        save(path, {before, pos.insertNeedsEnd ? QByteArrayView(pos.newline) : QByteArrayView(), keyLine,
                    all.sliced(pos.insertAt)});
        return;
    }
    // A new section at the end; a last line without a line end gets one first.
    const bool needsEnd = !all.isEmpty() && all.back() != '\n';
    const QByteArray sectionLine = '[' + encode1250(section) + ']' + pos.newline;
    save(path, {all, needsEnd ? QByteArrayView(pos.newline) : QByteArrayView(), sectionLine, keyLine});
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

QString IniFile::damage() const
{
    const QString path = onDisk(m_path);
    const Bytes bytes(path);
    if (bytes.unreadable())
        return QStringLiteral("Soubor %1 nelze přečíst; program použije výchozí nastavení.").arg(path);
    qsizetype bad = 0;
    qsizetype first = 0;
    qsizetype number = 0;
    forEachLine(bytes.view(), [&](const Line &line) {
        ++number;
        if (unreadable(line.text) && bad++ == 0)
            first = number;
        return true;
    });
    if (bad == 0)
        return {};
    return QStringLiteral("Soubor %1 je poškozen: některé řádky nelze přečíst (celkem %2, první je řádek %3; "
                          "obsahují nulový bajt, znak mimo kódovou stránku 1250 nebo jsou delší než %4 znaků). "
                          "Nastavení, která na nich stojí, platí s výchozí hodnotou.")
        .arg(path).arg(bad).arg(first).arg(MaxLineLength);
}

} // namespace platform
