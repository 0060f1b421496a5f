#include "DbfHeader.h"

#include <QtEndian>

bool DbfHeader::hasMemoFile() const
{
    switch (version) {
    case 0x83: case 0x8B: case 0x8C: case 0xCB: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

QString DbfHeader::versionName() const
{
    QString name;
    switch (version) {
    case 0x02: name = QStringLiteral("FoxBASE"); break;
    case 0x03: name = QStringLiteral("dBASE III+ / IV bez souboru memo"); break;
    case 0x04: name = QStringLiteral("dBASE 7 bez souboru memo"); break;
    case 0x83: name = QStringLiteral("dBASE III+ se souborem memo"); break;
    case 0x8B: name = QStringLiteral("dBASE IV se souborem memo"); break;
    case 0x8C: name = QStringLiteral("dBASE 7 se souborem memo"); break;
    case 0x30: case 0x31: name = QStringLiteral("Visual FoxPro"); break;
    case 0xF5: name = QStringLiteral("FoxPro se souborem memo"); break;
    default: name = QStringLiteral("neznámá verze"); break;
    }
    return QStringLiteral("%1 (0x%2)").arg(name, QString::number(version, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

QString DbfHeader::codePageName() const
{
    QString page;
    switch (languageDriver) {
    case 0x00: page = QStringLiteral("neuvedena"); break;
    case 0x01: page = QStringLiteral("437"); break;
    case 0x02: page = QStringLiteral("850"); break;
    case 0x03: case 0x57: page = QStringLiteral("1252"); break;
    case 0x64: page = QStringLiteral("852"); break;
    case 0x65: page = QStringLiteral("866"); break;
    case 0x66: page = QStringLiteral("865"); break;
    case 0x67: page = QStringLiteral("861"); break;
    case 0xC8: page = QStringLiteral("1250"); break;
    case 0xC9: page = QStringLiteral("1251"); break;
    default: page = QStringLiteral("neznámá"); break;
    }
    return QStringLiteral("%1 (ovladač jazyka 0x%2)")
        .arg(page, QString::number(languageDriver, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

bool parseDbfHeader(const QByteArray &file, DbfHeader &header, QString &error)
{
    header = DbfHeader();
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    if (file.size() < 32) {
        error = QStringLiteral("soubor je kratší než záhlaví tabulky dBASE");
        return false;
    }
    header.version = bytes[0];
    header.recordCount = qFromLittleEndian<quint32>(bytes + 4);
    header.headerLength = qFromLittleEndian<quint16>(bytes + 8);
    header.recordLength = qFromLittleEndian<quint16>(bytes + 10);
    header.productionIndex = bytes[28] & 0x01;
    header.languageDriver = bytes[29];

    const bool level7 = header.isLevel7();
    const int descriptorSize = level7 ? 48 : 32;
    const int firstDescriptor = level7 ? 68 : 32;
    if (header.headerLength < firstDescriptor + 1 || header.headerLength > file.size()) {
        error = QStringLiteral("záhlaví udává nemožnou délku %1 bajtů").arg(header.headerLength);
        return false;
    }
    if (header.recordLength < 1) {
        error = QStringLiteral("záhlaví udává nulovou délku záznamu");
        return false;
    }

    int offset = 1;
    int pos = firstDescriptor;
    while (true) {
        if (pos >= header.headerLength) {
            error = QStringLiteral("seznam polí nemá ukončovací bajt 0x0D");
            return false;
        }
        if (bytes[pos] == 0x0D)
            break;
        if (pos + descriptorSize > header.headerLength) {
            error = QStringLiteral("popis pole přesahuje záhlaví");
            return false;
        }
        RawField field;
        const int nameLength = level7 ? 32 : 11;
        QByteArray name(reinterpret_cast<const char *>(bytes + pos), nameLength);
        const int zero = name.indexOf('\0');
        if (zero >= 0)
            name.truncate(zero);
        field.name = QString::fromLatin1(name).trimmed();
        field.type = char(bytes[pos + nameLength]);
        field.length = bytes[pos + (level7 ? 33 : 16)];
        field.decimals = bytes[pos + (level7 ? 34 : 17)];
        if (field.type == 'C' && !level7) // character fields over 255 keep the high byte here
            field.length += 256 * field.decimals, field.decimals = 0;
        field.offset = offset;
        if (field.name.isEmpty() || field.length == 0) {
            error = QStringLiteral("pole číslo %1 nemá jméno nebo délku").arg(header.fields.size() + 1);
            return false;
        }
        offset += field.length;
        header.fields.append(field);
        pos += descriptorSize;
    }
    if (offset != header.recordLength) {
        error = QStringLiteral("délky polí (%1 bajtů) neodpovídají délce záznamu v záhlaví (%2 bajtů)")
                    .arg(offset).arg(header.recordLength);
        return false;
    }
    return true;
}
