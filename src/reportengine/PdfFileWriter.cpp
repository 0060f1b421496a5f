#include "PdfFileWriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QIODevice>

#include <zlib.h>

#include <cmath>
#include <cstdio>

namespace reportengine {

namespace {

// Reports are written in a few large writes, not one per object.
constexpr qsizetype BufferSize = 256 * 1024;

} // namespace

void appendInt(QByteArray &out, long long value)
{
    char digits[24];
    int n = 0;
    const bool negative = value < 0;
    unsigned long long v = negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        out.append('-');
    while (n)
        out.append(digits[--n]);
}

QByteArray reference(int object)
{
    QByteArray s;
    appendInt(s, object);
    return s + " 0 R";
}

void appendNumber(QByteArray &out, double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long long scaled = roundWhole(value * double(scale));
    const long long whole = scaled / scale;
    long long part = scaled % scale;
    if (scaled < 0 && whole == 0)
        out.append('-');
    appendInt(out, whole);
    if (part == 0)
        return;
    if (part < 0)
        part = -part;
    int width = decimals;
    while (part % 10 == 0) {
        part /= 10;
        --width;
    }
    out.append('.');
    char digits[20];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = char('0' + part % 10);
        part /= 10;
    }
    out.append(digits, width);
}

struct PdfFileWriter::Deflater
{
    z_stream stream{};
    bool ready = false;
    Deflater()
    {
        // The fastest level: a report's content is repetitive enough that
        // it still shrinks to a fifth, at a few times the speed of the default.
        ready = deflateInit(&stream, 1) == Z_OK;
    }
    ~Deflater()
    {
        if (ready)
            deflateEnd(&stream);
    }
};

PdfFileWriter::PdfFileWriter(QIODevice &device)
    : m_device(device)
    , m_offsets(1, 0)
    , m_deflater(std::make_unique<Deflater>())
{
    m_buffer.reserve(BufferSize + 64 * 1024);
    // The binary comment tells transfer programs that the file is not text.
    write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
}

PdfFileWriter::~PdfFileWriter() = default;

int PdfFileWriter::reserve()
{
    m_offsets.push_back(0);
    return int(m_offsets.size() - 1);
}

void PdfFileWriter::write(QByteArrayView bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.size() >= BufferSize)
        flushBuffer();
}

void PdfFileWriter::flushBuffer()
{
    if (m_buffer.isEmpty())
        return;
    if (!m_failed && m_device.write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_written += m_buffer.size();
    m_buffer.clear();
}

void PdfFileWriter::beginObject(int number)
{
    if (number > 0 && size_t(number) < m_offsets.size())
        m_offsets[size_t(number)] = m_written + m_buffer.size();
    QByteArray head;
    appendInt(head, number);
    head.append(" 0 obj\n");
    write(head);
}

void PdfFileWriter::endObject()
{
    write("endobj\n");
}

void PdfFileWriter::writeStream(int number, QByteArrayView dictionary, QByteArrayView data)
{
    QByteArrayView body = data;
    bool compressed = false;
    if (m_deflater->ready && data.size() > 64) {
        z_stream &z = m_deflater->stream;
        deflateReset(&z);
        m_compressed.resize(qsizetype(deflateBound(&z, uLong(data.size()))));
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
        z.avail_in = uInt(data.size());
        z.next_out = reinterpret_cast<Bytef *>(m_compressed.data());
        z.avail_out = uInt(m_compressed.size());
        if (deflate(&z, Z_FINISH) == Z_STREAM_END) {
            body = QByteArrayView(m_compressed.constData(), qsizetype(z.total_out));
            compressed = true;
        }
    }
    beginObject(number);
    QByteArray head("<<");
    head.append(dictionary);
    head.append("/Length ");
    appendInt(head, body.size());
    if (compressed)
        head.append("/Filter/FlateDecode");
    head.append(">>\nstream\n");
    write(head);
    write(body);
    write("\nendstream\n");
    endObject();
}

bool PdfFileWriter::finish(int root, int info)
{
    const long long xref = m_written + m_buffer.size();
    QByteArray table("xref\n0 ");
    appendInt(table, qsizetype(m_offsets.size()));
    table.append("\n0000000000 65535 f \n");
    write(table);
    char entry[24];
    for (size_t i = 1; i < m_offsets.size(); ++i) {
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", m_offsets[i]);
        write(QByteArrayView(entry, 20));
    }
    // The identifier only has to tell files apart.
    const QByteArray seed = QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' + QByteArray::number(xref)
                            + ' ' + QByteArray::number(qsizetype(m_offsets.size()));
    const QByteArray id = QCryptographicHash::hash(seed, QCryptographicHash::Md5).toHex();
    QByteArray trailer("trailer\n<</Size ");
    appendInt(trailer, qsizetype(m_offsets.size()));
    trailer.append("/Root " + reference(root) + "/Info " + reference(info) + "/ID[<" + id + "><" + id
                   + ">]>>\nstartxref\n");
    appendInt(trailer, xref);
    trailer.append("\n%%EOF\n");
    write(trailer);
    flushBuffer();
    for (size_t i = 1; i < m_offsets.size(); ++i)
        if (m_offsets[i] == 0)
            return false; // a reserved object was never written
    return !m_failed;
}

} // namespace reportengine
