// ordex-dbf export: the visible records of a table as CSV.

#include "Commands.h"

#include "CommandSupport.h"
#include "Csv.h"

#include "dbase/CodePage.h"
#include "dbase/FieldCodec.h"
#include "dbase/Table.h"

#include <QDate>

#include <array>
#include <cstdio>
#include <cstring>

using namespace dbftool;

namespace {

// One field value in its CSV form.
QString csvValue(const dbase::Table &table, const dbase::FieldDef &field)
{
    switch (field.type) {
    case 'D': {
        const QVariant v = table.fieldValue(field.name);
        return v.isValid() ? v.toDate().toString(QStringLiteral("yyyy-MM-dd")) : QString();
    }
    case 'L': {
        const QVariant v = table.fieldValue(field.name);
        return v.isValid() ? (v.toBool() ? QStringLiteral("T") : QStringLiteral("F")) : QString();
    }
    default:
        return table.fieldText(field.name);
    }
}

// A character of the table's code page in UTF-8, and whether a CSV value
// holding it needs quotes.
struct Utf8Char
{
    char bytes[4];
    quint8 size;
    bool special;
};

std::array<Utf8Char, 256> utf8Table(quint8 driver)
{
    const dbase::CodePage codePage(driver);
    std::array<Utf8Char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char c = char(b);
        const QString s = codePage.decode(&c, 1);
        const QByteArray u = s.toUtf8().left(4);
        Utf8Char &e = table[size_t(b)];
        std::memcpy(e.bytes, u.constData(), size_t(u.size()));
        e.size = quint8(u.size());
        e.special = s == QLatin1String(",") || s == QLatin1String("\"") || s == QLatin1String("\n")
                    || s == QLatin1String("\r");
    }
    return table;
}

// Appends the CSV form of each field of a record straight from the stored
// bytes, in the same forms as csvValue; types without a fast form go through it.
class RecordWriter
{
public:
    RecordWriter(const dbase::Table &table, QByteArray &out)
        : m_table(table), m_fields(table.fields()), m_out(out), m_chars(utf8Table(table.languageDriver()))
    {
    }

    void write()
    {
        const qsizetype start = m_out.size();
        for (int i = 0; i < m_fields.size(); ++i) {
            if (i > 0)
                m_out.append(',');
            appendField(i);
        }
        if (m_fields.size() == 1 && m_out.size() == start) // a lone empty value needs its quotes
            m_out.append("\"\"", 2);
        m_out.append("\r\n", 2);
    }

private:
    void appendField(int i)
    {
        const dbase::FieldDef &f = m_fields.at(i);
        const QByteArrayView b = m_table.fieldBytes(i);
        const dbase::RawField raw{b.data(), int(b.size())};
        switch (f.type) {
        case 'C': {
            qsizetype n = b.size();
            while (n > 0 && (b[n - 1] == ' ' || b[n - 1] == 0))
                --n;
            // Written in place: room for the longest form of every character first.
            const qsizetype start = m_out.size();
            m_out.resize(start + n * qsizetype(sizeof(Utf8Char::bytes)));
            char *p = m_out.data() + start;
            bool special = false;
            for (qsizetype k = 0; k < n; ++k) {
                const Utf8Char &c = m_chars[uchar(b[k])];
                std::memcpy(p, c.bytes, sizeof c.bytes);
                p += c.size;
                special = special || c.special;
            }
            m_out.resize(p - m_out.constData());
            if (special)
                quoteFrom(start);
            return;
        }
        case 'N': case 'F':
            if (!dbase::appendPlainNumber(raw, m_out))
                appendCsvField(m_out, QString::fromLatin1(b.trimmed())); // shown as stored
            return;
        case 'D': {
            const QDate d = dbase::dateValue(raw);
            if (d.isValid() && d.year() > 0 && d.year() <= 9999) {
                const int parts[3] = {d.year(), d.month(), d.day()};
                char s[10] = {char('0' + parts[0] / 1000), char('0' + parts[0] / 100 % 10),
                              char('0' + parts[0] / 10 % 10), char('0' + parts[0] % 10), '-',
                              char('0' + parts[1] / 10), char('0' + parts[1] % 10), '-',
                              char('0' + parts[2] / 10), char('0' + parts[2] % 10)};
                m_out.append(s, 10);
            }
            return;
        }
        case 'L': {
            const int v = dbase::logicalValue(raw);
            if (v >= 0)
                m_out.append(v ? 'T' : 'F');
            return;
        }
        default:
            appendCsvField(m_out, csvValue(m_table, f));
        }
    }

    // Puts the value appended from start on in quotes.
    void quoteFrom(qsizetype start)
    {
        const QByteArray value = m_out.mid(start);
        m_out.truncate(start);
        appendCsvField(m_out, QString::fromUtf8(value));
    }

    const dbase::Table &m_table;
    const QList<dbase::FieldDef> m_fields;
    QByteArray &m_out;
    const std::array<Utf8Char, 256> m_chars;
};

constexpr qsizetype ExportChunk = 64 * 1024;

// The export itself: the CSV text goes to out, which is written to stream
// and emptied whenever it holds a chunk (no stream: out collects it all).
int exportTable(const QString &path, const QString &order, const QString &filter, QByteArray &out,
                FILE *stream, QString &err)
{
    auto drain = [&]() {
        if (!stream || out.isEmpty())
            return true;
        const bool ok = std::fwrite(out.constData(), 1, size_t(out.size()), stream) == size_t(out.size());
        out.clear(); // keeps its capacity
        return ok;
    };
    try {
        dbase::Table table;
        openTable(table, path);
        if (!order.isEmpty())
            table.setOrder(order);
        if (!filter.isEmpty()) {
            table.setFilter(filter);
            table.setFiltered(true);
        }
        QStringList row;
        for (const dbase::FieldDef &f : table.fields())
            row.append(f.name);
        appendCsvRecord(out, row);
        RecordWriter writer(table, out);
        for (table.first(); !table.eof(); table.next()) {
            writer.write();
            if (out.size() >= ExportChunk && !drain()) {
                err += QStringLiteral("Zápis na standardní výstup se nezdařil.\n");
                return Failed;
            }
        }
        table.close();
    } catch (const dbase::Error &e) {
        err += e.message() + QLatin1Char('\n');
        return Failed;
    }
    if (!drain() || (stream && std::fflush(stream) != 0)) {
        err += QStringLiteral("Zápis na standardní výstup se nezdařil.\n");
        return Failed;
    }
    return Ok;
}

} // namespace

int runExport(const QString &path, const QString &order, const QString &filter,
              QByteArray &out, QString &err)
{
    return exportTable(path, order, filter, out, nullptr, err);
}

int runExport(const QString &path, const QString &order, const QString &filter, FILE *out, QString &err)
{
    QByteArray buffer;
    buffer.reserve(ExportChunk + 64 * 1024);
    return exportTable(path, order, filter, buffer, out, err);
}
