#include "FieldCodec.h"

#include "Messages.h"

#include <QDateTime>
#include <QTime>

#include <cmath>
#include <cstring>

namespace dbase {

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

QByteArray trimmed(RawField raw)
{
    int b = 0, e = raw.size;
    while (b < e && (raw.data[b] == ' ' || raw.data[b] == 0))
        ++b;
    while (e > b && (raw.data[e - 1] == ' ' || raw.data[e - 1] == 0))
        --e;
    return QByteArray(raw.data + b, e - b);
}

// Sign, integer digits and fraction digits of a plain decimal text
// ("-12.50", "+3", ".5", "4,25"); nothing for anything else.
struct Decimal
{
    bool negative = false;
    QByteArray whole;
    QByteArray fraction;
};

std::optional<Decimal> parseDecimal(QByteArrayView s, bool allowComma)
{
    Decimal d;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        d.negative = s[i] == '-';
        ++i;
    }
    bool point = false;
    bool digits = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            (point ? d.fraction : d.whole).append(c);
            digits = true;
        } else if ((c == '.' || (allowComma && c == ',')) && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    // Leading zeros of the whole part and trailing zeros of the fraction say nothing.
    qsizetype lead = 0;
    while (lead < d.whole.size() && d.whole[lead] == '0')
        ++lead;
    d.whole.remove(0, lead);
    while (!d.fraction.isEmpty() && d.fraction.endsWith('0'))
        d.fraction.chop(1);
    if (d.whole.isEmpty() && d.fraction.isEmpty())
        d.negative = false;
    return d;
}

QString plainForm(const Decimal &d)
{
    QString s;
    if (d.negative)
        s += QLatin1Char('-');
    s += d.whole.isEmpty() ? QStringLiteral("0") : QString::fromLatin1(d.whole);
    if (!d.fraction.isEmpty())
        s += QLatin1Char('.') + QString::fromLatin1(d.fraction);
    return s;
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
    return QStringLiteral("%1.%2.%3").arg(d.day()).arg(d.month()).arg(d.year(), 4, 10, QLatin1Char('0'));
}

} // namespace

std::optional<QString> plainNumber(RawField raw)
{
    const QByteArray t = trimmed(raw);
    if (t.isEmpty())
        return QString();
    if (auto d = parseDecimal(t, false))
        return plainForm(*d);
    // Other writers may store an exponent form: show it in plain form.
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    QByteArray f = QByteArray::number(v, 'f', 15);
    if (auto d = parseDecimal(f, false))
        return plainForm(*d);
    return std::nullopt;
}

std::optional<double> numberValue(RawField raw)
{
    const QByteArray t = trimmed(raw);
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
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

QDate parseDateText(const QString &text)
{
    const QString t = text.trimmed();
    // yyyy-MM-dd
    if (t.size() == 10 && t.at(4) == QLatin1Char('-') && t.at(7) == QLatin1Char('-')) {
        bool a, b, c;
        const int y = t.left(4).toInt(&a), m = t.mid(5, 2).toInt(&b), d = t.mid(8, 2).toInt(&c);
        if (a && b && c && t.at(0).isDigit() && t.at(5).isDigit() && t.at(8).isDigit())
            return QDate(y, m, d);
        return {};
    }
    // d.M.yyyy, also with a blank after each point
    const QStringList parts = t.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return {};
    int v[3];
    for (int i = 0; i < 3; ++i) {
        const QString p = parts.at(i).trimmed();
        const int maxLen = i == 2 ? 4 : 2;
        if (p.isEmpty() || p.size() > maxLen || (i == 2 && p.size() != 4))
            return {};
        for (QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return {};
        v[i] = p.toInt();
    }
    return QDate(v[2], v[1], v[0]);
}

QString FieldCodec::text(const FieldDef &def, RawField raw) const
{
    switch (def.type) {
    case 'C': {
        int e = raw.size;
        while (e > 0 && (raw.data[e - 1] == ' ' || raw.data[e - 1] == 0))
            --e;
        return m_codePage->decode(raw.data, e);
    }
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

QByteArray FieldCodec::encodeNumber(const FieldDef &def, const QString &text) const
{
    const QString t = text.trimmed();
    const QByteArray latin = t.toLatin1();
    std::optional<Decimal> d;
    if (QString::fromLatin1(latin) == t)
        d = parseDecimal(latin, true);
    if (!d)
        refuse(def, text);
    if (d->fraction.size() > def.decimals)
        throw fieldError(m_table, def.name,
                         QStringLiteral("hodnota %1 má více desetinných míst, než pole dovoluje (%2).")
                             .arg(quoted(text))
                             .arg(def.decimals));
    QByteArray s;
    if (d->negative)
        s += '-';
    s += d->whole.isEmpty() ? QByteArray("0") : d->whole;
    if (def.decimals > 0)
        s += '.' + d->fraction.leftJustified(def.decimals, '0');
    if (s.size() > def.length)
        throw fieldError(m_table, def.name,
                         QStringLiteral("číslo %1 se do pole nevejde (nejvýše %2 znaků).")
                             .arg(quoted(text))
                             .arg(def.length));
    return s.rightJustified(def.length, ' ');
}

QByteArray FieldCodec::encodeDate(const FieldDef &def, const QDate &date, const QString &shown) const
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        refuse(def, shown);
    return QString::asprintf("%04d%02d%02d", date.year(), date.month(), date.day()).toLatin1();
}

QByteArray FieldCodec::encodeText(const FieldDef &def, const QString &text) const
{
    const bool empty = text.trimmed().isEmpty();
    switch (def.type) {
    case 'C':
        return encodeString(def, text, def.length).leftJustified(def.length, ' ');
    case 'N': case 'F':
        return empty ? QByteArray(def.length, ' ') : encodeNumber(def, text);
    case 'D':
        return empty ? QByteArray(8, ' ') : encodeDate(def, parseDateText(text), text);
    case 'L': {
        if (empty)
            return QByteArray(1, '?');
        const QString t = text.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("y")
            || t == QLatin1String("1"))
            return QByteArray(1, 'T');
        if (t == QLatin1String("false") || t == QLatin1String("f") || t == QLatin1String("n")
            || t == QLatin1String("0"))
            return QByteArray(1, 'F');
        refuse(def, text);
    }
    default:
        throw fieldError(m_table, def.name, QStringLiteral("pole tohoto typu nelze zapisovat."));
    }
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
        QByteArray f = QByteArray::number(v, 'f', def.decimals);
        return encodeNumber(def, QString::fromLatin1(f));
    }
    case 'D':
        if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
            return encodeDate(def, value.toDate(), value.toString());
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
