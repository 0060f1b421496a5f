#include "Backup.h"

#include "platform/Error.h"
#include "platform/FileRules.h"
#include "platform/ProgramDirectory.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace dbftool {

namespace {

const char ManifestFirstLine[] = "Ordex 2000: záloha dat, verze 1";

using ArchivePtr = std::unique_ptr<archive, int (*)(archive *)>;

QString archiveError(archive *a)
{
    const char *why = archive_error_string(a);
    return why ? QString::fromLocal8Bit(why) : QStringLiteral("neznámá chyba");
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray manifest(const QList<BackupFile> &files)
{
    QByteArray m = QByteArray(ManifestFirstLine) + '\n';
    for (const BackupFile &f : files)
        m += QByteArray::number(f.bytes.size()) + ' ' + sha256(f.bytes) + ' ' + f.name.toUtf8() + '\n';
    return m;
}

platform::Error notOurs(const QString &path)
{
    return platform::Error(QStringLiteral("Soubor %1 není zálohou programu Ordex 2000.")
                               .arg(QDir::toNativeSeparators(path)));
}

platform::Error damagedArchive(const QString &path, const QString &why)
{
    return platform::Error(QStringLiteral("Záloha %1 je poškozena (%2).").arg(QDir::toNativeSeparators(path), why));
}

} // namespace

bool isDataFileName(const QString &name)
{
    if (name == QLatin1String("Ordex2000.ini") || name == QLatin1String("Tessera.ini"))
        return true;
    if (!name.startsWith(QLatin1String("Data/")))
        return false;
    const QString file = name.mid(5);
    if (file.isEmpty() || file.contains(QLatin1Char('/')) || file.startsWith(QLatin1Char('.')))
        return false;
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("dbf") || suffix == QLatin1String("dbt") || suffix == QLatin1String("mdx");
}

QList<BackupFile> dataFiles(const platform::ProgramDirectory &dir)
{
    QList<BackupFile> files;
    auto take = [&](const QString &path, const QString &name) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw platform::Error(QStringLiteral("Soubor %1 nelze přečíst.").arg(QDir::toNativeSeparators(path)));
        files.append({name, f.readAll()});
    };
    const QString data = platform::findNoCase(dir.path(), QStringLiteral("Data"));
    if (data.isEmpty())
        throw platform::Error(QStringLiteral("Datová složka %1 neexistuje.").arg(QDir::toNativeSeparators(dir.dataDir())));
    const QStringList entries = QDir(data).entryList(QDir::Files, QDir::Name);
    for (const QString &entry : entries) {
        if (isDataFileName(QStringLiteral("Data/") + entry))
            take(data + QLatin1Char('/') + entry, QStringLiteral("Data/") + entry);
    }
    for (const char *ini : {"Ordex2000.ini", "Tessera.ini"}) {
        const QString path = platform::findNoCase(dir.path(), QLatin1String(ini));
        if (!path.isEmpty())
            take(path, QLatin1String(ini));
    }
    return files;
}

void writeArchive(const QString &path, const QList<BackupFile> &files)
{
    ArchivePtr a(archive_write_new(), archive_write_free);
    if (!a)
        throw platform::Error(QStringLiteral("Na zálohu nestačí paměť."));
    // gzip at its fastest level: the tables are mostly blanks.
    if (archive_write_set_format_pax_restricted(a.get()) != ARCHIVE_OK
        || archive_write_add_filter_gzip(a.get()) != ARCHIVE_OK
        || archive_write_set_filter_option(a.get(), "gzip", "compression-level", "1") != ARCHIVE_OK)
        throw platform::Error(QStringLiteral("Zálohu nelze připravit: %1").arg(archiveError(a.get())));
    const QByteArray native = QFile::encodeName(path);
    if (archive_write_open_filename(a.get(), native.constData()) != ARCHIVE_OK)
        throw platform::Error(QStringLiteral("Soubor %1 nelze vytvořit: %2")
                                  .arg(QDir::toNativeSeparators(path), archiveError(a.get())));
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    auto add = [&](const QString &name, const QByteArray &bytes) {
        std::unique_ptr<archive_entry, void (*)(archive_entry *)> e(archive_entry_new(), archive_entry_free);
        archive_entry_set_pathname_utf8(e.get(), name.toUtf8().constData());
        archive_entry_set_size(e.get(), bytes.size());
        archive_entry_set_filetype(e.get(), AE_IFREG);
        archive_entry_set_perm(e.get(), 0644);
        archive_entry_set_mtime(e.get(), now, 0);
        if (archive_write_header(a.get(), e.get()) != ARCHIVE_OK
            || archive_write_data(a.get(), bytes.constData(), size_t(bytes.size())) != bytes.size())
            throw platform::Error(QStringLiteral("Zálohu %1 nelze zapsat: %2")
                                      .arg(QDir::toNativeSeparators(path), archiveError(a.get())));
    };
    add(QLatin1String(ManifestName), manifest(files));
    for (const BackupFile &f : files)
        add(f.name, f.bytes);
    if (archive_write_close(a.get()) != ARCHIVE_OK)
        throw platform::Error(QStringLiteral("Zálohu %1 nelze dokončit: %2")
                                  .arg(QDir::toNativeSeparators(path), archiveError(a.get())));
}

QList<BackupFile> readArchive(const QString &path, Checksums checksums)
{
    ArchivePtr a(archive_read_new(), archive_read_free);
    if (!a)
        throw platform::Error(QStringLiteral("Na zálohu nestačí paměť."));
    archive_read_support_filter_all(a.get());
    archive_read_support_format_tar(a.get());
    archive_read_support_format_zip(a.get());
    const QByteArray native = QFile::encodeName(path);
    if (!QFileInfo(path).isFile())
        throw platform::Error(QStringLiteral("Záloha %1 neexistuje.").arg(QDir::toNativeSeparators(path)));
    // A file that starts like our archives (gzip) and cannot be read is damaged, not foreign.
    bool gzip = false;
    {
        QFile f(path);
        gzip = f.open(QIODevice::ReadOnly) && f.read(2) == QByteArray("\x1f\x8b", 2);
    }
    if (archive_read_open_filename(a.get(), native.constData(), 1 << 16) != ARCHIVE_OK) {
        if (gzip)
            throw damagedArchive(path, archiveError(a.get()));
        throw notOurs(path);
    }

    // The manifest first: what files, of what size and checksum.
    struct Expected { qint64 size; QByteArray hash; };
    QHash<QString, Expected> expected;
    QStringList order;
    QList<BackupFile> files;
    archive_entry *e = nullptr;
    bool first = true;
    for (;;) {
        const int r = archive_read_next_header(a.get(), &e);
        if (r == ARCHIVE_EOF)
            break;
        if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
            if (first && !gzip)
                throw notOurs(path);
            throw damagedArchive(path, archiveError(a.get()));
        }
        const char *utf8 = archive_entry_pathname_utf8(e);
        const QString name = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(archive_entry_pathname(e));
        const la_int64_t size = archive_entry_size(e);
        if (first && name != QLatin1String(ManifestName))
            throw notOurs(path);
        if (size < 0 || size > (qint64(1) << 31))
            throw damagedArchive(path, QStringLiteral("položka %1 má nemožnou délku").arg(name));
        QByteArray bytes(qsizetype(size), Qt::Uninitialized);
        qint64 done = 0;
        while (done < size) {
            const la_ssize_t got = archive_read_data(a.get(), bytes.data() + done, size_t(size - done));
            if (got <= 0)
                throw damagedArchive(path, got < 0 ? archiveError(a.get()) : QStringLiteral("položka %1 je zkrácena").arg(name));
            done += got;
        }
        if (first) {
            first = false;
            const QList<QByteArray> lines = bytes.split('\n');
            if (lines.isEmpty() || lines.at(0) != ManifestFirstLine)
                throw notOurs(path);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                if (lines.at(i).isEmpty())
                    continue;
                const QList<QByteArray> parts = lines.at(i).split(' ');
                bool ok = false;
                const qint64 n = parts.value(0).toLongLong(&ok);
                const QString file = QString::fromUtf8(lines.at(i).mid(parts.value(0).size() + parts.value(1).size() + 2));
                if (parts.size() < 3 || !ok || n < 0 || !isDataFileName(file) || expected.contains(file))
                    throw damagedArchive(path, QStringLiteral("seznam souborů, řádek %1").arg(i + 1));
                expected.insert(file, {n, parts.at(1)});
                order << file;
            }
            continue;
        }
        const auto it = expected.constFind(name);
        if (it == expected.constEnd())
            throw damagedArchive(path, QStringLiteral("položka %1 není v seznamu souborů").arg(name));
        if (it->size != bytes.size() || (checksums == Checksums::Verify && it->hash != sha256(bytes)))
            throw damagedArchive(path, QStringLiteral("obsah souboru %1 nesouhlasí").arg(name));
        for (const BackupFile &f : std::as_const(files))
            if (f.name == name)
                throw damagedArchive(path, QStringLiteral("soubor %1 je v ní dvakrát").arg(name));
        files.append({name, bytes});
    }
    if (first)
        throw notOurs(path);
    if (files.size() != order.size())
        throw damagedArchive(path, QStringLiteral("chybí v ní %1 souborů").arg(order.size() - files.size()));
    return files;
}

} // namespace dbftool
