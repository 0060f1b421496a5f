#pragma once

// The header of a .dbf file read byte by byte, independent of the table
// engine, so the tool can describe and check a table the engine refuses.

#include <QByteArray>
#include <QList>
#include <QString>

struct RawField
{
    QString name;
    char type = 'C';
    int length = 0;
    int decimals = 0;
    int offset = 0; // within the record, after the deletion flag
};

struct DbfHeader
{
    quint8 version = 0;
    quint32 recordCount = 0;
    quint16 headerLength = 0;
    quint16 recordLength = 0;
    bool productionIndex = false;
    quint8 languageDriver = 0;
    QList<RawField> fields;

    bool isLevel7() const { return (version & 0x07) == 4; }
    bool hasMemoFile() const; // the version byte announces a memo file
    QString versionName() const;
    QString codePageName() const;
};

// Parses the header and field descriptors; on failure returns false with
// the reason in error (Czech).
bool parseDbfHeader(const QByteArray &file, DbfHeader &header, QString &error);
