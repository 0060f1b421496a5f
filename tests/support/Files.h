#pragma once

// Reading and writing a whole file, as the tests of files on disk do it.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QTest>

namespace testsupport {

// The file's bytes; empty when it is missing or cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Makes the bytes the file's whole content, creating its folder; fails the
// test when the file cannot be written.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QVERIFY2(f.write(bytes) == bytes.size(), qPrintable(path));
}

// Every file and link below root by its path relative to root: a file's
// bytes, or "-> target" for a symbolic link. Two equal trees compare equal.
inline QMap<QString, QByteArray> fileTree(const QString &root)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = QDir(root).relativeFilePath(info.filePath());
        tree[relative] = info.isSymLink() ? "-> " + info.symLinkTarget().toUtf8() : fileBytes(info.filePath());
    }
    return tree;
}

} // namespace testsupport
