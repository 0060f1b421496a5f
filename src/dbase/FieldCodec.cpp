#include "FieldCodec.h"

#include "Messages.h"

#include <QDateTime>
#include <QTime>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace dbase {

int valueLength(RawField raw)
{
    // Eight bytes at a time: a word holds only blanks and NULs when no bit
    // but that of the blank is set in it. Text fields are mostly blanks.
    int e = raw.size;
    constexpr quint64 notBlank = ~0x2020202020202020ULL;
    while (e >= 8) {
        quint64 v;
        std::memcpy(&v, raw.data + e - 8, 8);
        if (v & notBlank)
            break;
        e -= 8;
    }
    while (e > 0 && (raw.data[e - 1] == ' ' || raw.data[e - 1] == 0))
        --e;
    return e;
}

namespace {

// Julian day of 1 January of year 1: the epoch of level 7 timestamps.
constexpr qint64 TimestampEpochJulianDay = 1721425;

bool isBlank(RawField raw)
{
    for (int i = 0; i < raw.size; ++i)
        if (raw.data[i] != ' ' && raw.data[i] != 0)
            return false;
    return true;
}

QByteArrayView trimmed(RawField raw)
{
    const int e = valueLength(raw);
    int b = 0;
    while (b < e && (raw.data[b] == ' ' || raw.data[b] == 0))
        ++b;
    return QByteArrayView(raw.data + b, e - b);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Sign, integer digits and fraction digits of a plain decimal text
// ("-12.50", "+3", ".5", "4,25"); nothing for anything else. The digits are
// views into the text: leading zeros of the whole part and trailing zeros of
// the fraction left out, as they say nothing.
struct Decimal
{
    bool negative = false;
    QByteArrayView whole;
    QByteArrayView fraction;
};

std::optional<Decimal> parseDecimal(QByteArrayView s, bool allowComma)
{
    Decimal d;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        d.negative = s[i] == '-';
        ++i;
    }
    qsizetype wholeStart = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    const qsizetype wholeEnd = i;
    qsizetype fractionStart = i, fractionEnd = i;
    if (i < s.size() && (s[i] == '.' || (allowComma && s[i] == ','))) {
        fractionStart = ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        fractionEnd = i;
    }
    if (i != s.size() || (wholeStart == wholeEnd && fractionStart == fractionEnd))
        return std::nullopt;
    while (wholeStart < wholeEnd && s[wholeStart] == '0')
        ++wholeStart;
    while (fractionEnd > fractionStart && s[fractionEnd - 1] == '0')
        --fractionEnd;
    d.whole = s.sliced(wholeStart, wholeEnd - wholeStart);
    d.fraction = s.sliced(fractionStart, fractionEnd - fractionStart);
    if (d.whole.isEmpty() && d.fraction.isEmpty())
        d.negative = false;
    return d;
}

void plainFormInto(const Decimal &d, QString &s)
{
    const qsizetype size = (d.negative ? 1 : 0) + (d.whole.isEmpty() ? 1 : d.whole.size())
                           + (d.fraction.isEmpty() ? 0 : 1 + d.fraction.size());
    s.resize(size);
    QChar *p = s.data();
    if (d.negative)
        *p++ = QLatin1Char('-');
    if (d.whole.isEmpty())
        *p++ = QLatin1Char('0');
    for (char c : d.whole)
        *p++ = QLatin1Char(c);
    if (!d.fraction.isEmpty()) {
        *p++ = QLatin1Char('.');
        for (char c : d.fraction)
            *p++ = QLatin1Char(c);
    }
}

QString plainForm(const Decimal &d)
{
    QString s;
    plainFormInto(d, s);
    return s;
}

void appendPlainForm(const Decimal &d, QByteArray &out)
{
    if (d.negative)
        out.append('-');
    if (d.whole.isEmpty())
        out.append('0');
    out.append(d.whole);
    if (!d.fraction.isEmpty()) {
        out.append('.');
        out.append(d.fraction);
    }
}

// The value of a plain decimal when it has at most 15 digits: the digits
// as a whole number are exact in a double, and one correctly rounded
// division by a power of ten gives the same double as reading the text.
std::optional<double> exactValue(const Decimal &d)
{
    static constexpr double Powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (d.whole.size() + d.fraction.size() > 15)
        return std::nullopt;
    qint64 n = 0;
    for (char c : d.whole)
        n = n * 10 + (c - '0');
    for (char c : d.fraction)
        n = n * 10 + (c - '0');
    const double v = double(n) / Powers[d.fraction.size()];
    return d.negative ? -v : v;
}

// Level 7 numbers are stored big-endian with the sign bit flipped, so that
// their bytes sort in numeric order.
quint64 be64(const char *p)
{
    quint64 v = 0;
    for (int i = 0; i < 8; ++i)
        v = v << 8 | uchar(p[i]);
    return v;
}

double sortableDouble(const char *p)
{
    quint64 bits = be64(p);
    if (bits & (quint64(1) << 63))
        bits &= ~(quint64(1) << 63);
    else
        bits = ~bits;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

qint32 sortableInt(const char *p)
{
    const quint32 v = quint32(uchar(p[0])) << 24 | quint32(uchar(p[1])) << 16
                      | quint32(uchar(p[2])) << 8 | quint32(uchar(p[3]));
    return qint32(v ^ 0x80000000u);
}

bool allZero(RawField raw)
{
    for (int i = 0; i < raw.size; ++i)
        if (raw.data[i] != 0)
            return false;
    return true;
}

QDateTime timestampValue(RawField raw)
{
    if (allZero(raw))
        return {};
    const double ms = sortableDouble(raw.data);
    if (!std::isfinite(ms) || ms < 0 || ms > 4e14)
        return {};
    const qint64 total = qint64(ms);
    const qint64 days = total / 86400000;
    const qint64 rest = total % 86400000;
    const QDate date = QDate::fromJulianDay(days + TimestampEpochJulianDay);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(rest)));
}

QString dateText(const QDate &d)
{
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%d.%d.%04d", d.day(), d.month(), d.year());
    return QString::fromLatin1(buf, n);
}

} // namespace

std::optional<QString> plainNumber(RawField raw)
{
    const QByteArrayView t = trimmed(raw);
    if (t.isEmpty())
        return QString();
    if (auto d = parseDecimal(t, false))
        return plainForm(*d);
    QByteArray out;
    if (!appendPlainNumber(raw, out))
        return std::nullopt;
    return QString::fromLatin1(out);
}

int writePlainNumber(RawField raw, char *out)
{
    const QByteArrayView t = trimmed(raw);
    if (t.isEmpty())
        return 0;
    const std::optional<Decimal> d = parseDecimal(t, false);
    if (!d)
        return -1;
    char *p = out;
    if (d->negative)
        *p++ = '-';
    if (d->whole.isEmpty())
        *p++ = '0';
    std::memcpy(p, d->whole.data(), size_t(d->whole.size()));
    p += d->whole.size();
    if (!d->fraction.isEmpty()) {
        *p++ = '.';
        std::memcpy(p, d->fraction.data(), size_t(d->fraction.size()));
        p += d->fraction.size();
    }
    return int(p - out);
}

bool appendPlainNumber(RawField raw, QByteArray &out)
{
    const QByteArrayView t = trimmed(raw);
    if (t.isEmpty())
        return true;
    if (auto d = parseDecimal(t, false)) {
        appendPlainForm(*d, out);
        return true;
    }
    // Other writers may store an exponent form: show it in plain form.
    bool ok = false;
    const double v = t.toByteArray().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    const QByteArray f = QByteArray::number(v, 'f', 15);
    if (auto d = parseDecimal(f, false)) {
        appendPlainForm(*d, out);
        return true;
    }
    return false;
}

std::optional<double> numberValue(RawField raw)
{
    const QByteArrayView t = trimmed(raw);
    if (t.isEmpty())
        return std::nullopt;
    if (auto d = parseDecimal(t, false))
        if (auto v = exactValue(*d))
            return v;
    bool ok = false;
    const double v = t.toByteArray().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QDate dateValue(RawField raw)
{
    if (raw.size != 8 || isBlank(raw))
        return {};
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    int pos = 0;
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < widths[k]; ++i, ++pos) {
            const char c = raw.data[pos];
            if (c < '0' || c > '9')
                return {};
            parts[k] = parts[k] * 10 + (c - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

bool isWrittenForm(const FieldDef &def, RawField raw)
{
    if (raw.size != def.length)
        return false;
    const char *p = raw.data;
    const char *end = p + raw.size;
    if (def.type == 'D') {
        if (std::all_of(p, end, [](char c) { return c == ' '; }))
            return true;
        const QDate d = dateValue(raw);
        return d.isValid() && d.year() >= 1; // dateValue read every byte as a digit
    }
    if (def.type != 'N' && def.type != 'F')
        return false;
    // Blanks, then sign, whole part without leading zeros ("0" when there
    // is none), and the point with exactly the field's decimals; blank
    // throughout when empty. A minus belongs only to a value other than zero.
    while (p < end && *p == ' ')
        ++p;
    if (p == end)
        return true;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    const char *whole = p;
    while (p < end && isDigit(*p))
        ++p;
    const qsizetype wholeDigits = p - whole;
    if (wholeDigits == 0 || (wholeDigits > 1 && *whole == '0'))
        return false;
    bool nonZero = *whole != '0';
    if (def.decimals > 0) {
        if (p == end || *p != '.' || end - p - 1 != def.decimals)
            return false;
        for (++p; p < end; ++p) {
            if (!isDigit(*p))
                return false;
            nonZero = nonZero || *p != '0';
        }
    }
    return p == end && (!negative || nonZero);
}

int logicalValue(RawField raw)
{
    if (raw.size < 1)
        return -1;
    switch (raw.data[0]) {
    case 'T': case 't': case 'Y': case 'y': return 1;
    case 'F': case 'f': case 'N': case 'n': return 0;
    default: return -1;
    }
}

namespace {

// The value of t when it is nothing but digits.
std::optional<int> digits(QStringView t)
{
    if (t.isEmpty())
        return std::nullopt;
    int v = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

} // namespace

QDate parseDateText(const QString &text)
{
    const QStringView t = QStringView(text).trimmed();
    // yyyy-MM-dd
    if (t.size() == 10 && t.at(4) == QLatin1Char('-') && t.at(7) == QLatin1Char('-')) {
        const auto y = digits(t.sliced(0, 4)), m = digits(t.sliced(5, 2)), d = digits(t.sliced(8, 2));
        if (y && m && d)
            return QDate(*y, *m, *d);
        return {};
    }
    // d.M.yyyy, also with a blank after each point
    const qsizetype p1 = t.indexOf(QLatin1Char('.'));
    const qsizetype p2 = p1 < 0 ? -1 : t.indexOf(QLatin1Char('.'), p1 + 1);
    if (p2 < 0 || t.indexOf(QLatin1Char('.'), p2 + 1) >= 0)
        return {};
    const QStringView parts[3] = {t.sliced(0, p1).trimmed(), t.sliced(p1 + 1, p2 - p1 - 1).trimmed(),
                                  t.sliced(p2 + 1).trimmed()};
    int v[3];
    for (int i = 0; i < 3; ++i) {
        const qsizetype maxLen = i == 2 ? 4 : 2;
        if (parts[i].size() > maxLen || (i == 2 && parts[i].size() != 4))
            return {};
        const auto n = digits(parts[i]);
        if (!n)
            return {};
        v[i] = *n;
    }
    return QDate(v[2], v[1], v[0]);
}

QString FieldCodec::text(const FieldDef &def, RawField raw) const
{
    switch (def.type) {
    case 'C':
        return m_codePage->decode(raw.data, valueLength(raw));
    case 'N': case 'F': {
        if (auto s = plainNumber(raw))
            return *s;
        return QString::fromLatin1(trimmed(raw)); // shown as stored, never altered
    }
    case 'D': {
        const QDate d = dateValue(raw);
        if (d.isValid())
            return dateText(d);
        return isBlank(raw) ? QString() : QString::fromLatin1(trimmed(raw));
    }
    case 'L': {
        const int v = logicalValue(raw);
        return v < 0 ? QString() : v ? QStringLiteral("true") : QStringLiteral("false");
    }
    case 'I': case '+':
        return allZero(raw) ? QString() : QString::number(sortableInt(raw.data));
    case 'O': {
        if (allZero(raw))
            return QString();
        const double v = sortableDouble(raw.data);
        if (!std::isfinite(v))
            return QString();
        QByteArray f = QByteArray::number(v, 'f', 15);
        if (auto d = parseDecimal(f, false))
            return plainForm(*d);
        return QString();
    }
    case '@': {
        const QDateTime dt = timestampValue(raw);
        if (!dt.isValid())
            return QString();
        return dateText(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("H:mm:ss"));
    }
    default:
        return QString();
    }
}

void FieldCodec::textInto(const FieldDef &def, RawField raw, QString &out) const
{
    switch (def.type) {
    case 'C':
        m_codePage->decodeInto(raw.data, valueLength(raw), out);
        return;
    case 'N': case 'F': {
        const QByteArrayView t = trimmed(raw);
        if (t.isEmpty()) {
            out.resize(0);
            return;
        }
        if (auto d = parseDecimal(t, false)) {
            plainFormInto(*d, out);
            return;
        }
        break;
    }
    default:
        break;
    }
    out = text(def, raw);
}

QVariant FieldCodec::value(const FieldDef &def, RawField raw) const
{
    switch (def.type) {
    case 'C': {
        const QString s = text(def, raw);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case 'N': case 'F': {
        if (auto v = numberValue(raw))
            return *v;
        return {};
    }
    case 'D': {
        const QDate d = dateValue(raw);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case 'L': {
        const int v = logicalValue(raw);
        return v < 0 ? QVariant() : QVariant(v == 1);
    }
    case 'I': case '+':
        return allZero(raw) ? QVariant() : QVariant(qint64(sortableInt(raw.data)));
    case 'O': {
        if (allZero(raw))
            return {};
        const double v = sortableDouble(raw.data);
        return std::isfinite(v) ? QVariant(v) : QVariant();
    }
    case '@': {
        const QDateTime dt = timestampValue(raw);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    default:
        return {};
    }
}

void FieldCodec::refuse(const FieldDef &def, const QString &text) const
{
    QString why;
    switch (def.type) {
    case 'N': case 'F': why = QStringLiteral("není číslo"); break;
    case 'D': why = QStringLiteral("není datum (d.M.rrrr)"); break;
    case 'L': why = QStringLiteral("není logická hodnota (true nebo false)"); break;
    default: why = QStringLiteral("nelze uložit"); break;
    }
    throw fieldError(m_table, def.name, QStringLiteral("hodnota %1 %2.").arg(quoted(text), why));
}

QByteArray FieldCodec::encodeString(const FieldDef &def, const QString &text, int maxLength) const
{
    QString bad;
    std::optional<QByteArray> bytes = m_codePage->encode(text, &bad);
    if (!bytes)
        throw fieldError(m_table, def.name,
                         QStringLiteral("text obsahuje znak %1, který kódová stránka %2 neumí uložit.")
                             .arg(quoted(bad), m_codePage->name()));
    // Trailing blanks are not part of a value.
    while (!bytes->isEmpty() && bytes->endsWith(' '))
        bytes->chop(1);
    if (bytes->size() > maxLength)
        throw fieldError(m_table, def.name,
                         QStringLiteral("text je pro pole příliš dlouhý (%1 znaků, pole jich pojme %2).")
                             .arg(bytes->size())
                             .arg(maxLength));
    return *bytes;
}

void FieldCodec::encodeNumber(const FieldDef &def, const QString &text, char *out) const
{
    const QStringView t = QStringView(text).trimmed();
    QVarLengthArray<char, 64> ascii(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i).unicode() > 0x7F)
            refuse(def, text);
        ascii[i] = char(t.at(i).unicode());
    }
    const std::optional<Decimal> d = parseDecimal(QByteArrayView(ascii.constData(), ascii.size()), true);
    if (!d)
        refuse(def, text);
    if (d->fraction.size() > def.decimals)
        throw fieldError(m_table, def.name,
                         QStringLiteral("hodnota %1 má více desetinných míst, než pole dovoluje (%2).")
                             .arg(quoted(text))
                             .arg(def.decimals));
    const qsizetype size = (d->negative ? 1 : 0) + (d->whole.isEmpty() ? 1 : d->whole.size())
                           + (def.decimals > 0 ? 1 + def.decimals : 0);
    if (size > def.length)
        throw fieldError(m_table, def.name,
                         QStringLiteral("číslo %1 se do pole nevejde (nejvýše %2 znaků).")
                             .arg(quoted(text))
                             .arg(def.length));
    // Right-justified: blanks, sign, whole part, point and the fraction padded with zeros.
    char *p = out;
    for (qsizetype i = size; i < def.length; ++i)
        *p++ = ' ';
    if (d->negative)
        *p++ = '-';
    if (d->whole.isEmpty())
        *p++ = '0';
    for (char c : d->whole)
        *p++ = c;
    if (def.decimals > 0) {
        *p++ = '.';
        for (int i = 0; i < def.decimals; ++i)
            *p++ = i < d->fraction.size() ? d->fraction[i] : '0';
    }
}

void FieldCodec::encodeDate(const FieldDef &def, const QDate &date, const QString &shown, char *out) const
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        refuse(def, shown);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", date.year(), date.month(), date.day());
    std::memcpy(out, buf, 8);
}

void FieldCodec::encodeTextInto(const FieldDef &def, const QString &text, char *out) const
{
    switch (def.type) {
    case 'C': {
        QString bad;
        const int size = m_codePage->encodeInto(text, out, def.length, &bad);
        if (size < 0)
            throw fieldError(m_table, def.name,
                             QStringLiteral("text obsahuje znak %1, který kódová stránka %2 neumí uložit.")
                                 .arg(quoted(bad), m_codePage->name()));
        if (size > def.length)
            throw fieldError(m_table, def.name,
                             QStringLiteral("text je pro pole příliš dlouhý (%1 znaků, pole jich pojme %2).")
                                 .arg(size)
                                 .arg(def.length));
        std::memset(out + size, ' ', size_t(def.length - size));
        return;
    }
    case 'N': case 'F':
        if (QStringView(text).trimmed().isEmpty())
            std::memset(out, ' ', size_t(def.length));
        else
            encodeNumber(def, text, out);
        return;
    case 'D':
        if (QStringView(text).trimmed().isEmpty())
            std::memset(out, ' ', 8);
        else
            encodeDate(def, parseDateText(text), text, out);
        return;
    case 'L': {
        const QString t = text.trimmed().toLower();
        if (t.isEmpty())
            *out = '?';
        else if (t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("y")
            || t == QLatin1String("1"))
            *out = 'T';
        else if (t == QLatin1String("false") || t == QLatin1String("f") || t == QLatin1String("n")
            || t == QLatin1String("0"))
            *out = 'F';
        else
            refuse(def, text);
        return;
    }
    default:
        throw fieldError(m_table, def.name, QStringLiteral("pole tohoto typu nelze zapisovat."));
    }
}

QByteArray FieldCodec::encodeText(const FieldDef &def, const QString &text) const
{
    QByteArray out(def.length, Qt::Uninitialized);
    encodeTextInto(def, text, out.data());
    return out;
}

QByteArray FieldCodec::encodeValue(const FieldDef &def, const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return encodeText(def, QString());
    switch (def.type) {
    case 'N': case 'F': {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (value.typeId() == QMetaType::QString)
            return encodeText(def, value.toString());
        if (!ok || !std::isfinite(v))
            refuse(def, value.toString());
        // A typed number is rounded to the field's decimals like any stored number.
        const QByteArray f = QByteArray::number(v, 'f', def.decimals);
        QByteArray out(def.length, Qt::Uninitialized);
        encodeNumber(def, QString::fromLatin1(f), out.data());
        return out;
    }
    case 'D':
        if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime) {
            QByteArray out(8, Qt::Uninitialized);
            encodeDate(def, value.toDate(), value.toString(), out.data());
            return out;
        }
        return encodeText(def, value.toString());
    case 'L':
        if (value.typeId() == QMetaType::Bool)
            return QByteArray(1, value.toBool() ? 'T' : 'F');
        return encodeText(def, value.toString());
    default:
        return encodeText(def, value.toString());
    }
}

} // namespace dbase
