#pragma once

// Small tables of each dBASE version, written byte by byte from the
// published layouts, as other programs leave them on disk.

#include <QByteArray>
#include <QList>
#include <QString>

namespace fixtures {

struct Field
{
    QByteArray name;
    char type;
    int length;
    int decimals = 0;
};

// A .dbf with 32-byte field descriptors (dBASE III+, IV, 5); records are
// given without their deletion flag unless deletedFlags says otherwise.
QByteArray dbfBytes(quint8 version, quint8 driver, const QList<Field> &fields,
                    const QList<QByteArray> &records, bool productionIndex = false,
                    const QList<bool> &deleted = {});
// A level 7 .dbf: 68-byte header, 48-byte field descriptors.
QByteArray level7Bytes(quint8 version, const QList<Field> &fields, const QList<QByteArray> &records);

// Level 7 field values.
QByteArray level7Integer(qint32 v);
QByteArray level7Double(double v);
QByteArray level7Timestamp(int year, int month, int day, int hour, int minute, int second);

// Memo files: dBASE III (texts end with 0x1A 0x1A) and dBASE IV (block heads).
QByteArray dbaseIIIMemo(const QList<QByteArray> &texts);
QByteArray dbaseIVMemo(const QList<QByteArray> &texts);

void write(const QString &path, const QByteArray &bytes);

// The generators, named after what they reproduce.
QByteArray dbase3PlusBooks();                // 0x03, no language driver, C N D L, one deleted record
QByteArray dbase3PlusWithMemo();             // 0x83 with its .dbt (dbase3PlusMemoFile)
QByteArray dbase3PlusMemoFile();
QByteArray dbase4Cp852WithMemo();            // 0x8B, driver 0x64 (code page 852), with .dbt
QByteArray dbase4MemoFile();
QByteArray level7Types(quint8 version);      // 0x04 or 0x8C with I + O @ and C

} // namespace fixtures
