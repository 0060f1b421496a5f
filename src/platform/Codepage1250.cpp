#include "Codepage1250.h"

#include "dbase/CodePage.h"

namespace platform {

namespace {

// The one table of code page 1250 is the table engine's.
const dbase::CodePage &codePage()
{
    static const dbase::CodePage page(dbase::DriverCp1250);
    return page;
}

} // namespace

QString decode1250(const QByteArray &bytes)
{
    return codePage().decode(bytes.constData(), int(bytes.size()));
}

QByteArray encode1250(const QString &text)
{
    if (std::optional<QByteArray> bytes = codePage().encode(text))
        return *bytes;
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<QByteArray> one = codePage().encode(QString(c));
        bytes.append(one ? one->at(0) : '?');
    }
    return bytes;
}

bool fitsCodepage1250(const QString &text)
{
    return codePage().encode(text).has_value();
}

} // namespace platform
