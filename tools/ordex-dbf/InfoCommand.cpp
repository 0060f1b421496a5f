// ordex-dbf info: version, code page, record count, fields and index tags.

#include "Commands.h"

#include "CommandSupport.h"
#include "DbfHeader.h"

#include "dbase/Table.h"

#include <QFileInfo>

using namespace dbftool;

namespace {

QString fieldType(const RawField &f)
{
    QString s = QStringLiteral("%1 %2").arg(QLatin1Char(f.type)).arg(f.length);
    if (f.decimals > 0)
        s += QStringLiteral(".%1").arg(f.decimals);
    return s;
}

} // namespace

int runInfo(const QString &path, QByteArray &out, QString &err)
{
    QByteArray bytes;
    DbfHeader header;
    if (!readTableFile(path, bytes, header, err))
        return Failed;
    quint32 deleted = 0;
    for (quint32 r = 0; r < header.recordCount; ++r) {
        const qint64 at = qint64(header.headerLength) + qint64(r) * header.recordLength;
        if (at < bytes.size() && bytes.at(at) == '*')
            ++deleted;
    }

    QString text;
    text += QStringLiteral("Tabulka: %1\n").arg(QFileInfo(path).absoluteFilePath());
    text += QStringLiteral("Verze: %1\n").arg(header.versionName());
    text += QStringLiteral("Kódová stránka: %1\n").arg(header.codePageName());
    text += QStringLiteral("Záznamů: %1 (z toho odstraněných %2)\n").arg(header.recordCount).arg(deleted);
    text += QStringLiteral("Délka záznamu: %1 bajtů\n").arg(header.recordLength);
    text += QStringLiteral("Pole (%1):\n").arg(header.fields.size());
    for (const RawField &f : header.fields)
        text += QStringLiteral("  %1 %2\n").arg(f.name.leftJustified(11), fieldType(f));

    int code = Ok;
    if (header.productionIndex || !existingCompanion(path, QStringLiteral("mdx")).isEmpty()) {
        try {
            dbase::Table table;
            openTable(table, path);
            const QList<dbase::IndexTag> tags = table.tags();
            text += QStringLiteral("Značky indexu (%1):\n").arg(tags.size());
            for (const dbase::IndexTag &t : tags)
                text += QStringLiteral("  %1 %2\n").arg(t.name.leftJustified(11), t.expression);
        } catch (const dbase::Error &e) {
            text += QStringLiteral("Značky indexu: nelze načíst\n");
            err += e.message() + QLatin1Char('\n');
            code = Failed;
        }
    } else {
        text += QStringLiteral("Značky indexu: tabulka nemá produkční index\n");
    }
    out += text.toUtf8();
    return code;
}
