#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Code page 1250, the encoding of the ini files shared with the family.
QString decode1250(const QByteArray &bytes);
// Characters the code page cannot hold become '?'.
QByteArray encode1250(const QString &text);
bool fitsCodepage1250(const QString &text);

} // namespace platform
