#include "KeptFiles.h"

#include "Error.h"
#include "FileRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace platform {

namespace {

const char StampFormat[] = "yyyy-MM-dd HH.mm.ss";

// A display name as a folder name: no separators, no characters that other
// file systems refuse, no leading or trailing dots and blanks.
QString folderSafe(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    out = out.left(80).trimmed();
    while (out.endsWith(QLatin1Char('.')))
        out.chop(1);
    while (out.startsWith(QLatin1Char('.')))
        out.remove(0, 1);
    return out.isEmpty() ? QStringLiteral("databáze") : out;
}

} // namespace

QString keptRoot(const ProgramDirectory &dir)
{
    return dir.dataDir() + QStringLiteral("Zachovane/");
}

KeptFolder::KeptFolder(const ProgramDirectory &dir, const QString &displayName, const QDateTime &when)
    : m_root(keptRoot(dir))
    , m_name(when.toString(QLatin1String(StampFormat)) + QLatin1Char(' ') + folderSafe(displayName))
{
}

void KeptFolder::keep(const QString &path)
{
    if (m_path.isEmpty()) {
        // Two keeps within one second get folders of their own.
        QString candidate = m_root + m_name;
        for (int n = 2; QFileInfo::exists(candidate); ++n)
            candidate = m_root + m_name + QStringLiteral(" (%1)").arg(n);
        if (!QDir().mkpath(candidate))
            throw Error(QStringLiteral("Složku %1 pro zachování původních souborů nelze vytvořit; "
                                       "nic nebylo změněno.")
                            .arg(QDir::toNativeSeparators(candidate)));
        m_path = candidate + QLatin1Char('/');
    }
    const QString target = m_path + QFileInfo(path).fileName();
    if (QFileInfo::exists(target) || !QFile::rename(path, target))
        throw Error(QStringLiteral("Soubor %1 nelze přesunout do složky %2; nic nebylo změněno.")
                        .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(m_path)));
    m_moved.append({path, target});
}

void KeptFolder::undo() noexcept
{
    for (auto it = m_moved.crbegin(); it != m_moved.crend(); ++it)
        QFile::rename(it->second, it->first);
    m_moved.clear();
    if (!m_path.isEmpty())
        QDir().rmdir(m_path);
    m_path.clear();
}

QStringList KeptFolder::keptFiles() const
{
    QStringList out;
    for (const auto &m : m_moved)
        out << m.first;
    return out;
}

QStringList tableFilesIn(const QString &folder, const QString &baseName)
{
    QStringList found;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    const QString slash = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const char *ext : {".dbf", ".dbt", ".mdx"}) {
        for (const QString &entry : entries)
            if (entry.compare(baseName + QLatin1String(ext), Qt::CaseInsensitive) == 0)
                found << slash + entry;
    }
    return found;
}

QString keepTableFiles(const ProgramDirectory &dir, const QString &baseName, const QString &displayName,
                       KeptFolder *into)
{
    const QString data = findNoCase(dir.path(), QStringLiteral("Data"));
    if (data.isEmpty())
        return {};
    const QStringList files = tableFilesIn(data, baseName);
    if (files.isEmpty())
        return {};
    KeptFolder own(dir, displayName);
    KeptFolder &kept = into ? *into : own;
    try {
        for (const QString &file : files)
            kept.keep(file);
    } catch (...) {
        kept.undo();
        throw;
    }
    return kept.path();
}

QList<KeptCatalogue> keptCatalogues(const ProgramDirectory &dir)
{
    QList<KeptCatalogue> out;
    const QString root = keptRoot(dir);
    const QStringList folders = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    const int stampLength = int(qstrlen(StampFormat));
    for (const QString &folder : folders) {
        const QDateTime when = QDateTime::fromString(folder.left(stampLength), QLatin1String(StampFormat));
        if (!when.isValid())
            continue; // not one of ours
        const QString path = root + folder;
        const QStringList tables = QDir(path).entryList({QStringLiteral("*.dbf")}, QDir::Files, QDir::Name);
        for (const QString &table : tables) {
            KeptCatalogue k;
            k.folder = path;
            k.when = when;
            k.displayName = folder.mid(stampLength + 1);
            k.baseName = QFileInfo(table).completeBaseName();
            k.dbfPath = path + QLatin1Char('/') + table;
            out.append(k);
        }
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const KeptCatalogue &a, const KeptCatalogue &b) { return a.when < b.when; });
    return out;
}

} // namespace platform
