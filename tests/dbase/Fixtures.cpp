#include "Fixtures.h"

#include <QDate>
#include <QFile>

#include <cstring>

namespace fixtures {

namespace {

void put16(QByteArray &b, int at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void put32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

QByteArray bigEndian(quint64 v, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = bytes - 1; i >= 0; --i) {
        out[i] = char(v & 0xFF);
        v >>= 8;
    }
    return out;
}

int recordLength(const QList<Field> &fields)
{
    int n = 1;
    for (const Field &f : fields)
        n += f.length;
    return n;
}

QByteArray recordBytes(const QList<Field> &fields, const QByteArray &record, bool deleted)
{
    QByteArray r(1, deleted ? '*' : ' ');
    r += record;
    return r.leftJustified(recordLength(fields), ' ', true);
}

} // namespace

QByteArray dbfBytes(quint8 version, quint8 driver, const QList<Field> &fields,
                    const QList<QByteArray> &records, bool productionIndex, const QList<bool> &deleted)
{
    const int headerLength = 32 + 32 * int(fields.size()) + 1;
    QByteArray b(headerLength, '\0');
    b[0] = char(version);
    b[1] = 99;
    b[2] = 12;
    b[3] = 31;
    put32(b, 4, quint32(records.size()));
    put16(b, 8, quint16(headerLength));
    put16(b, 10, quint16(recordLength(fields)));
    b[28] = char(productionIndex ? 1 : 0);
    b[29] = char(driver);
    for (int i = 0; i < fields.size(); ++i) {
        const int d = 32 + 32 * i;
        std::memcpy(b.data() + d, fields[i].name.constData(), size_t(fields[i].name.size()));
        b[d + 11] = fields[i].type;
        b[d + 16] = char(fields[i].length);
        b[d + 17] = char(fields[i].decimals);
    }
    b[headerLength - 1] = 0x0D;
    for (int i = 0; i < records.size(); ++i)
        b += recordBytes(fields, records[i], i < deleted.size() && deleted[i]);
    b += char(0x1A);
    return b;
}

QByteArray level7Bytes(quint8 version, const QList<Field> &fields, const QList<QByteArray> &records)
{
    const int headerLength = 68 + 48 * int(fields.size()) + 1;
    QByteArray b(headerLength, '\0');
    b[0] = char(version);
    b[1] = 121;
    b[2] = 6;
    b[3] = 1;
    put32(b, 4, quint32(records.size()));
    put16(b, 8, quint16(headerLength));
    put16(b, 10, quint16(recordLength(fields)));
    b[29] = char(0x57);
    std::memcpy(b.data() + 32, "DB" "WINUS0", 8); // language driver name
    for (int i = 0; i < fields.size(); ++i) {
        const int d = 68 + 48 * i;
        std::memcpy(b.data() + d, fields[i].name.constData(), size_t(fields[i].name.size()));
        b[d + 32] = fields[i].type;
        b[d + 33] = char(fields[i].length);
        b[d + 34] = char(fields[i].decimals);
        if (fields[i].type == '+')
            put32(b, d + 40, quint32(records.size() + 1)); // next autoincrement value
    }
    b[headerLength - 1] = 0x0D;
    for (const QByteArray &r : records)
        b += recordBytes(fields, r, false);
    b += char(0x1A);
    return b;
}

QByteArray level7Integer(qint32 v)
{
    return bigEndian(quint32(v) ^ 0x80000000u, 4);
}

QByteArray level7Double(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits = v >= 0 ? bits | (quint64(1) << 63) : ~bits;
    return bigEndian(bits, 8);
}

QByteArray level7Timestamp(int year, int month, int day, int hour, int minute, int second)
{
    // Milliseconds since the day before 1 January of year 1.
    const qint64 days = QDate(year, month, day).toJulianDay() - 1721425;
    const double ms = double(days) * 86400000.0 + ((hour * 60 + minute) * 60 + second) * 1000.0;
    return level7Double(ms);
}

QByteArray dbaseIIIMemo(const QList<QByteArray> &texts)
{
    QByteArray b(512, '\0');
    quint32 next = 1;
    QByteArray body;
    for (const QByteArray &t : texts) {
        QByteArray block = t + "\x1A\x1A";
        const int blocks = int((block.size() + 511) / 512);
        block = block.leftJustified(blocks * 512, '\0');
        body += block;
        next += quint32(blocks);
    }
    put32(b, 0, next);
    return b + body;
}

QByteArray dbaseIVMemo(const QList<QByteArray> &texts)
{
    QByteArray b(512, '\0');
    put16(b, 20, 512);
    quint32 next = 1;
    QByteArray body;
    for (const QByteArray &t : texts) {
        QByteArray block(8, '\0');
        block[0] = char(0xFF);
        block[1] = char(0xFF);
        block[2] = 0x08;
        put32(block, 4, quint32(t.size() + 8));
        block += t;
        const int blocks = int((block.size() + 511) / 512);
        body += block.leftJustified(blocks * 512, '\0');
        next += quint32(blocks);
    }
    put32(b, 0, next);
    return b + body;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray dbase3PlusBooks()
{
    const QList<Field> fields{{"NAZEV", 'C', 12}, {"CISLO", 'N', 5}, {"CENA", 'N', 7, 2},
                              {"DATUM", 'D', 8}, {"PUJCENO", 'L', 1}};
    return dbfBytes(0x03, 0x00, fields,
                    {"Babi\xE8ka     " "   12" "  99.90" "19991231" "T",
                     "Smazana     " "    1" "       " "        " "F",
                     "Krakatit    " "    3" "       " "        " "?"},
                    false, {false, true, false});
}

QByteArray dbase3PlusWithMemo()
{
    const QList<Field> fields{{"NAZEV", 'C', 10}, {"POZNAMKA", 'M', 10}};
    return dbfBytes(0x83, 0x00, fields, {"Prvni     " "         1", "Druha     " "         2",
                                         "Treti     " "          "});
}

QByteArray dbase3PlusMemoFile()
{
    return dbaseIIIMemo({"Kratka poznamka", QByteArray(600, 'x')});
}

QByteArray dbase4Cp852WithMemo()
{
    // "Šťastná" in code page 852: Š = 0xE6, ť = 0x9C, á = 0xA0.
    const QList<Field> fields{{"NAZEV", 'C', 10}, {"POZNAMKA", 'M', 10}, {"STRANY", 'N', 6}};
    return dbfBytes(0x8B, 0x64, fields, {"\xE6\x9C" "astn\xA0   " "         1" "   250"});
}

QByteArray dbase4MemoFile()
{
    return dbaseIVMemo({"\xFC" "e\xFD" "icha"}); // "Řeřicha" in code page 852: Ř = 0xFC, ř = 0xFD
}

QByteArray level7Types(quint8 version)
{
    const QList<Field> fields{{"ID", '+', 4}, {"POCET", 'I', 4}, {"CENA", 'O', 8}, {"KDY", '@', 8},
                              {"NAZEV_DLOUHY_JMENO", 'C', 10}};
    return level7Bytes(version, fields,
                       {level7Integer(1) + level7Integer(-5) + level7Double(12.5)
                            + level7Timestamp(2021, 6, 1, 13, 45, 30) + "Prvni",
                        level7Integer(2) + level7Integer(70000) + level7Double(-0.25)
                            + level7Timestamp(1999, 12, 31, 0, 0, 0) + "Druha",
                        level7Integer(3) + QByteArray(4, '\0') + QByteArray(8, '\0') + QByteArray(8, '\0')
                            + "Treti"});
}

} // namespace fixtures
