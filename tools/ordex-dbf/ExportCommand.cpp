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
#include <vector>

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

// Writes the CSV form of each field of a record straight from the stored
// bytes, in the same forms as csvValue, into room made once per record; the
// types and values without a fast form go through csvValue and the CSV
// functions.
class RecordWriter
{
public:
    RecordWriter(const dbase::Table &table, QByteArray &out)
        : m_table(table), m_fields(table.fields()), m_out(out), m_chars(utf8Table(table.languageDriver()))
    {
        // The longest form of every field: four bytes a character, a sign
        // and a leading zero more for a number, and the separators.
        for (int i = 0; i < m_fields.size(); ++i) {
            m_room += 4 * qsizetype(m_fields.at(i).length) + 3;
            m_offsets.push_back(table.fieldOffset(i));
        }
        m_room += 4;
    }

    void write()
    {
        const qsizetype start = m_out.size();
        char *p = makeRoom(start);
        const QByteArrayView record = m_table.recordBytes();
        for (int i = 0; i < m_fields.size(); ++i) {
            if (i > 0)
                *p++ = ',';
            p = writeField(i, record.sliced(m_offsets[size_t(i)], m_fields.at(i).length), p);
        }
        if (m_fields.size() == 1 && p == m_out.constData() + start) { // a lone empty value needs its quotes
            *p++ = '"';
            *p++ = '"';
        }
        *p++ = '\r';
        *p++ = '\n';
        m_out.resize(p - m_out.constData());
    }

private:
    char *makeRoom(qsizetype at)
    {
        m_out.resize(at + m_room);
        return m_out.data() + at;
    }

    // Appends through a function of QByteArray from p on; returns where the rest goes.
    template<typename Append>
    char *through(char *p, Append append)
    {
        m_out.resize(p - m_out.constData());
        append();
        return makeRoom(m_out.size());
    }

    char *writeField(int i, QByteArrayView b, char *p)
    {
        const dbase::FieldDef &f = m_fields.at(i);
        const dbase::RawField raw{b.data(), int(b.size())};
        switch (f.type) {
        case 'C': {
            const int n = dbase::valueLength(raw);
            char *const value = p;
            bool special = false;
            for (int k = 0; k < n; ++k) {
                const Utf8Char &c = m_chars[uchar(b[k])];
                std::memcpy(p, c.bytes, sizeof c.bytes);
                p += c.size;
                special = special || c.special;
            }
            if (!special)
                return p;
            const qsizetype from = value - m_out.constData();
            return through(p, [this, from] { quoteFrom(from); });
        }
        case 'N': case 'F': {
            const int n = dbase::writePlainNumber(raw, p);
            if (n >= 0)
                return p + n;
            return through(p, [this, &raw, &b] {
                if (!dbase::appendPlainNumber(raw, m_out))
                    appendCsvField(m_out, QString::fromLatin1(b.trimmed())); // shown as stored
            });
        }
        case 'D': {
            // yyyyMMdd as yyyy-MM-dd when it is a date of the years 1 to 9999.
            int parts[3] = {0, 0, 0};
            bool digits = b.size() == 8;
            for (int k = 0; digits && k < 8; ++k) {
                digits = b[k] >= '0' && b[k] <= '9';
                parts[k < 4 ? 0 : k < 6 ? 1 : 2] = parts[k < 4 ? 0 : k < 6 ? 1 : 2] * 10 + (b[k] - '0');
            }
            if (digits && parts[0] > 0 && QDate::isValid(parts[0], parts[1], parts[2])) {
                const char s[10] = {b[0], b[1], b[2], b[3], '-', b[4], b[5], '-', b[6], b[7]};
                std::memcpy(p, s, 10);
                return p + 10;
            }
            return p;
        }
        case 'L': {
            const int v = dbase::logicalValue(raw);
            if (v >= 0)
                *p++ = v ? 'T' : 'F';
            return p;
        }
        default:
            return through(p, [this, &f] { appendCsvField(m_out, csvValue(m_table, f)); });
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
    std::vector<int> m_offsets; // of each field in a record
    qsizetype m_room = 0;       // for one record
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
