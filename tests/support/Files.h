#pragma once

// Reading and writing a whole file, as the tests of files on disk do it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

} // namespace testsupport
