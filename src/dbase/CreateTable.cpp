#include "Table.h"

#include "CodePage.h"
#include "KeyExpression.h"
#include "MdxFile.h"
#include "MemoFile.h"
#include "PathLookup.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace dbase {

namespace {

Error definitionError(const QString &table, const QString &text)
{
    return Error(QStringLiteral("Tabulku %1 nelze vytvořit: %2").arg(table, text));
}

bool validName(const QString &name, int maxLength)
{
    if (name.isEmpty() || name.size() > maxLength || !name.at(0).isLetter())
        return false;
    for (QChar c : name)
        if (!(c.isDigit() || c == QLatin1Char('_') || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
              || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))))
            return false;
    return true;
}

// Checks a field and fills in the widths that a type fixes.
FieldDef checkedField(const FieldDef &f, bool withMemo, const QString &table)
{
    FieldDef out = f;
    out.name = f.name.toUpper();
    if (!validName(out.name, 10))
        throw definitionError(table, QStringLiteral("jméno pole „%1“ není platné.").arg(f.name));
    auto fixed = [&](int width) {
        if (out.length == 0)
            out.length = width;
        if (out.length != width || out.decimals != 0)
            throw definitionError(table, QStringLiteral("pole %1 má chybnou délku.").arg(out.name));
    };
    switch (f.type) {
    case 'C':
        if (out.length < 1 || out.length > 254 || out.decimals != 0)
            throw definitionError(table, QStringLiteral("pole %1 má chybnou délku.").arg(out.name));
        break;
    case 'N': case 'F':
        if (out.length < 1 || out.length > 20 || out.decimals < 0
            || (out.decimals > 0 && out.decimals > out.length - 2))
            throw definitionError(table, QStringLiteral("pole %1 má chybnou délku.").arg(out.name));
        break;
    case 'D': fixed(8); break;
    case 'L': fixed(1); break;
    case 'M':
        fixed(10);
        if (!withMemo)
            throw definitionError(table, QStringLiteral("pole %1 potřebuje soubor poznámek.").arg(out.name));
        break;
    default:
        throw definitionError(table, QStringLiteral("pole %1 má typ, který nelze zapsat.").arg(out.name));
    }
    return out;
}

void put16(QByteArray &b, int at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

} // namespace

void createTable(const QString &dbfPath, const QList<FieldDef> &fields, const QList<IndexTag> &tags,
                 bool withMemo)
{
    const QString table = QFileInfo(dbfPath).fileName();
    if (fields.isEmpty() || fields.size() > 255)
        throw definitionError(table, QStringLiteral("tabulka musí mít 1 až 255 polí."));
    QList<FieldDef> defs;
    int recordLength = 1;
    for (const FieldDef &f : fields) {
        const FieldDef c = checkedField(f, withMemo, table);
        for (const FieldDef &other : std::as_const(defs))
            if (other.name == c.name)
                throw definitionError(table, QStringLiteral("pole %1 je uvedeno dvakrát.").arg(c.name));
        defs.append(c);
        recordLength += c.length;
    }
    if (recordLength > 65535)
        throw definitionError(table, QStringLiteral("věta je příliš dlouhá."));

    QVector<int> offsets;
    int at = 1;
    for (const FieldDef &f : std::as_const(defs)) {
        offsets.append(at);
        at += f.length;
    }
    QList<MdxTag> mdxTags;
    for (const IndexTag &t : tags) {
        if (!validName(t.name, 10))
            throw definitionError(table, QStringLiteral("jméno indexu „%1“ není platné.").arg(t.name));
        const std::optional<KeyExpression> key = parseKeyExpression(t.expression, defs);
        if (!key)
            throw definitionError(table, QStringLiteral("výraz indexu %1 „%2“ nelze použít.")
                                             .arg(t.name, t.expression));
        MdxTag m;
        m.tag = IndexTag{t.name.toUpper(), t.expression};
        m.keyType = key->type;
        m.keyLength = key->length;
        m.fieldKey = key->terms.size() == 1 && key->terms.at(0).function == KeyTerm::Plain;
        mdxTags.append(m);
    }

    // The .dbf: header, field descriptors, terminator, end-of-file mark.
    const int headerLength = 32 + 32 * int(defs.size()) + 1;
    QByteArray dbf(headerLength + 1, '\0');
    const QDate today = QDate::currentDate();
    dbf[0] = char(withMemo ? 0x8B : 0x03);
    dbf[1] = char(today.year() - 1900);
    dbf[2] = char(today.month());
    dbf[3] = char(today.day());
    put16(dbf, 8, quint16(headerLength));
    put16(dbf, 10, quint16(recordLength));
    dbf[28] = char(tags.isEmpty() ? 0 : 1);
    dbf[29] = char(DriverCp1250);
    for (int i = 0; i < defs.size(); ++i) {
        const FieldDef &f = defs.at(i);
        const int d = 32 + 32 * i;
        const QByteArray name = f.name.toLatin1();
        std::memcpy(dbf.data() + d, name.constData(), size_t(name.size()));
        dbf[d + 11] = f.type;
        dbf[d + 16] = char(f.length);
        dbf[d + 17] = char(f.decimals);
        for (const MdxTag &t : std::as_const(mdxTags))
            if (t.tag.expression.trimmed().compare(f.name, Qt::CaseInsensitive) == 0)
                dbf[d + 31] = 1; // a tag of the production index orders by this field
    }
    dbf[headerLength - 1] = 0x0D;
    dbf[headerLength] = 0x1A;

    const QString path = findFile(QFileInfo(dbfPath).path(), QFileInfo(dbfPath).fileName());
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(dbf) != dbf.size() || !out.commit())
        throw definitionError(table, QStringLiteral("soubor nelze zapsat."));

    const QString dbt = companionFile(path, QStringLiteral("dbt"));
    if (withMemo)
        MemoFile::create(dbt);
    else if (QFileInfo::exists(dbt))
        QFile::remove(dbt);

    const QString mdx = companionFile(path, QStringLiteral("mdx"));
    if (!mdxTags.isEmpty())
        writeMdx(mdx, QFileInfo(path).completeBaseName(), mdxTags, table, 0);
    else if (QFileInfo::exists(mdx))
        QFile::remove(mdx); // a stale index must not outlive its table
}

} // namespace dbase
