#include "KeyExpression.h"

#include "FieldCodec.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

namespace dbase {

namespace {

int findField(const QList<FieldDef> &fields, const QString &name)
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool isNumberType(char t) { return t == 'N' || t == 'F' || t == 'I' || t == '+' || t == 'O'; }

// The key of a number stored as plain decimal text, made from its digits
// without going through its double, where bcdKey of that double gives the
// same bytes: the double's ten decimals are the text's when the text has at
// most 15 digits, and a fraction of at most ten digits only under 100000
// (the double then lies within 2e-11 of the text). Nothing otherwise.
std::optional<QByteArray> bcdKeyOfText(RawField raw)
{
    char text[258];
    if (raw.size > 256)
        return std::nullopt;
    const int size = writePlainNumber(raw, text);
    if (size < 0)
        return std::nullopt;
    if (size == 0)
        return bcdKey(0.0); // blank: no value, keyed as zero
    const bool negative = text[0] == '-';
    const char *p = text + (negative ? 1 : 0);
    const char *end = text + size;
    const char *point = std::find(p, end, '.');
    std::string_view whole(p, size_t(point - p));
    std::string_view fraction = point < end ? std::string_view(point + 1, size_t(end - point - 1)) : std::string_view();
    if (whole == "0")
        whole = {};
    if (whole.size() + fraction.size() > 15 || fraction.size() > 10 || (!fraction.empty() && whole.size() > 5))
        return std::nullopt;
    char digits[16];
    std::memcpy(digits, whole.data(), whole.size());
    std::memcpy(digits + whole.size(), fraction.data(), fraction.size());
    int first = 0;
    int last = int(whole.size() + fraction.size());
    int exponent = int(whole.size());
    if (whole.empty())
        for (; first < last && digits[first] == '0'; ++first)
            --exponent;
    while (last > first && digits[last - 1] == '0')
        --last;
    if (first == last)
        return bcdKey(0.0);
    QByteArray out(12, '\0');
    out[0] = char(0x34 + exponent);
    out[1] = char(((last - first) << 2) | (negative ? 0x80 : 0));
    for (int i = 0; i < last - first; ++i) {
        const int d = digits[first + i] - '0';
        out[2 + i / 2] = char(uchar(out[2 + i / 2]) | (i % 2 ? d : d << 4));
    }
    return out;
}

} // namespace

bool KeyExpression::numericOrder(const QList<FieldDef> &fields) const
{
    if (terms.size() != 1 || terms.at(0).function != KeyTerm::Plain)
        return false;
    const char t = fields.at(terms.at(0).field).type;
    return isNumberType(t) || t == 'D' || t == '@' || t == 'L';
}

std::optional<KeyExpression> parseKeyExpression(const QString &expression,
                                                const QList<FieldDef> &fields)
{
    KeyExpression key;
    const QStringList parts = expression.split(QLatin1Char('+'));
    for (QString part : parts) {
        part = part.trimmed();
        KeyTerm term;
        const QString upper = part.toUpper();
        for (auto [prefix, fn] : {std::pair{QStringLiteral("UPPER("), KeyTerm::Upper},
                                  std::pair{QStringLiteral("DTOS("), KeyTerm::Dtos}}) {
            if (upper.startsWith(prefix) && upper.endsWith(QLatin1Char(')'))) {
                part = part.mid(prefix.size(), part.size() - prefix.size() - 1).trimmed();
                term.function = fn;
            }
        }
        term.field = findField(fields, part);
        if (term.field < 0)
            return std::nullopt;
        const FieldDef &f = fields.at(term.field);
        if (f.type == 'M')
            return std::nullopt;
        if (term.function == KeyTerm::Dtos && f.type != 'D')
            return std::nullopt;
        if (term.function == KeyTerm::Upper && f.type != 'C')
            return std::nullopt;
        key.terms.append(term);
    }
    if (key.terms.isEmpty())
        return std::nullopt;
    if (key.terms.size() == 1 && key.terms.at(0).function == KeyTerm::Plain) {
        const FieldDef &f = fields.at(key.terms.at(0).field);
        if (isNumberType(f.type)) {
            key.type = 'N';
            key.length = 12;
            return key;
        }
        if (f.type == 'D' || f.type == '@') {
            key.type = 'D';
            key.length = 8;
            return key;
        }
    }
    key.type = 'C';
    for (const KeyTerm &t : key.terms)
        key.length += fields.at(t.field).length;
    if (key.length > 100 * 1024)
        return std::nullopt;
    return key;
}

QByteArray indexKey(const KeyExpression &key, const QList<FieldDef> &fields,
                    const QVector<int> &offsets, const char *record, const CodePage &codePage)
{
    if (key.type == 'N') {
        const int f = key.terms.at(0).field;
        const RawField raw{record + offsets.at(f), fields.at(f).length};
        if (fields.at(f).type == 'N' || fields.at(f).type == 'F')
            if (std::optional<QByteArray> k = bcdKeyOfText(raw))
                return *k;
        const FieldCodec codec(QString(), &codePage);
        const QVariant v = codec.value(fields.at(f), raw);
        return bcdKey(v.isValid() ? v.toDouble() : 0.0);
    }
    if (key.type == 'D') {
        const int f = key.terms.at(0).field;
        const RawField raw{record + offsets.at(f), fields.at(f).length};
        const QDate d = fields.at(f).type == 'D' ? dateValue(raw) : QDate();
        double jd = d.isValid() ? double(d.toJulianDay()) : 0.0;
        QByteArray out(8, '\0');
        std::memcpy(out.data(), &jd, 8); // little-endian double, as dBASE on x86 writes it
        return out;
    }
    QByteArray out;
    out.reserve(key.length);
    for (const KeyTerm &t : key.terms) {
        const FieldDef &f = fields.at(t.field);
        const char *bytes = record + offsets.at(t.field);
        if (t.function == KeyTerm::Upper) {
            const QString upper = codePage.decode(bytes, f.length).toUpper();
            if (auto enc = codePage.encode(upper); enc && enc->size() == f.length) {
                out += *enc;
                continue;
            }
        }
        out.append(bytes, f.length);
    }
    return out;
}

QByteArray bcdKey(double value)
{
    // Byte 0: 0x34 plus the count of digits before the decimal point; byte 1:
    // the count of significant digits times 4, with 0x80 for a negative
    // number; then up to 20 digits packed two to a byte.
    QByteArray out(12, '\0');
    if (!std::isfinite(value) || value == 0.0) {
        out[0] = 0x34;
        out[1] = 0x04;
        return out;
    }
    const bool negative = value < 0;
    QByteArray digits = QByteArray::number(std::fabs(value), 'f', 10);
    const qsizetype point = digits.indexOf('.');
    QByteArray whole = point >= 0 ? digits.left(point) : digits;
    QByteArray fraction = point >= 0 ? digits.mid(point + 1) : QByteArray();
    while (whole.startsWith('0'))
        whole.remove(0, 1);
    int exponent = int(whole.size());
    QByteArray all = whole + fraction;
    if (whole.isEmpty()) {
        while (all.startsWith('0')) {
            all.remove(0, 1);
            --exponent;
        }
    }
    while (all.endsWith('0'))
        all.chop(1);
    all = all.left(20);
    out[0] = char(0x34 + exponent);
    out[1] = char((all.size() << 2) | (negative ? 0x80 : 0));
    for (qsizetype i = 0; i < all.size(); ++i) {
        const int d = all[i] - '0';
        out[2 + i / 2] = char(uchar(out[2 + i / 2]) | (i % 2 ? d : d << 4));
    }
    return out;
}

double bcdValue(const char *key)
{
    const int exponent = int(uchar(key[0])) - 0x34;
    const int count = (uchar(key[1]) & 0x7C) >> 2;
    const bool negative = uchar(key[1]) & 0x80;
    double v = 0;
    for (int i = 0; i < count && i < 20; ++i) {
        const uchar b = uchar(key[2 + i / 2]);
        const int d = i % 2 ? (b & 0x0F) : (b >> 4);
        v = v * 10 + d;
    }
    v *= std::pow(10.0, exponent - count);
    return negative ? -v : v;
}

} // namespace dbase
