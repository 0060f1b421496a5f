#pragma once

// The bytes of a PDF file: numbered objects written as they are made, their
// offsets kept for the cross-reference table, streams compressed on the way.
// Only the offsets stay in memory, so a file of any length is written in the
// memory of one page.

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <vector>

class QIODevice;

namespace reportengine {

// Numbers as PDF writes them, appended to out: no exponent, no trailing
// zeros, at most `decimals` digits after the point.
void appendNumber(QByteArray &out, double value, int decimals = 2);
// value rounded to the nearest whole number, halves away from zero: the
// library's round is a call for every number of every page.
inline long long roundWhole(double value)
{
    return value >= 0 ? static_cast<long long>(value + 0.5) : -static_cast<long long>(0.5 - value);
}
void appendInt(QByteArray &out, long long value);
// A reference to object number ("12 0 R").
QByteArray reference(int object);

class PdfFileWriter
{
public:
    // Writes the header at once.
    explicit PdfFileWriter(QIODevice &device);
    ~PdfFileWriter();

    // A number for an object written later.
    int reserve();
    void beginObject(int number);
    void endObject();
    void write(QByteArrayView bytes);
    // A whole stream object; dictionary holds the entries besides /Length
    // and /Filter (may be empty). Compressed with a fast deflate.
    void writeStream(int number, QByteArrayView dictionary, QByteArrayView data);
    // The cross-reference table and the trailer; false if any write failed
    // (the device's error says why).
    bool finish(int root, int info);
    bool failed() const { return m_failed; }

private:
    void flushBuffer();

    QIODevice &m_device;
    QByteArray m_buffer;
    long long m_written = 0;
    std::vector<long long> m_offsets; // by object number; 0: not written yet
    QByteArray m_compressed;
    struct Deflater;
    std::unique_ptr<Deflater> m_deflater;
    bool m_failed = false;
};

} // namespace reportengine
