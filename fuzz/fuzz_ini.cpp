// Feeds arbitrary bytes to the ini reader as Ordex2000.ini or Tessera.ini:
// long lines, no line end, NUL bytes, bytes code page 1250 leaves undefined,
// repeated sections and keys, and (the first byte repeating the rest) large
// files. Every key of both files is read, the damage is described, and a
// key is written: it must read back as written, and every other key must
// read as before. A failed write (Error) is fine; crashes, sanitizer reports
// and a key that reads otherwise than written are not.

#include "platform/Error.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

const std::vector<std::pair<QString, QString>> &keys()
{
    static const std::vector<std::pair<QString, QString>> all = [] {
        std::vector<std::pair<QString, QString>> k;
        for (const char *key : {"Standardni", "Databaze", "Okna", "TipyDne", "StavovyRadek", "PanelOutlook", "Tipy"})
            k.emplace_back(QStringLiteral("Zobrazit"), QString::fromLatin1(key));
        for (const char *key : {"Databaze1", "Databaze2", "Databaze3", "Databaze4"})
            k.emplace_back(QStringLiteral("Otevreni"), QString::fromLatin1(key));
        for (const char *key : {"Data1", "Data2", "Data3"})
            k.emplace_back(QStringLiteral("Volitelne"), QString::fromLatin1(key));
        k.emplace_back(QStringLiteral("Kontrola"), QStringLiteral("Pomocna"));
        k.emplace_back(QStringLiteral("Kontrola"), QStringLiteral("Tipy"));
        k.emplace_back(QStringLiteral("Nastaveni"), QStringLiteral("Pomocnik"));
        k.emplace_back(QStringLiteral("Nastaveni"), QStringLiteral("Uvitani"));
        k.emplace_back(QStringLiteral("Volitelne"), QStringLiteral("Sbírka"));
        return k;
    }();
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_ini";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir work;
    if (size < 2)
        return 0;
    // The first byte: which file, which key is written, and how often the
    // rest is repeated (1 to 64 times).
    const uint8_t control = data[0];
    const QByteArray piece(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QByteArray bytes = piece.repeated(1 + (control & 0x3F) * ((control & 0x40) ? 1 : 0));
    const QString path = work.filePath((control & 0x80) ? QStringLiteral("Tessera.ini") : QStringLiteral("Ordex2000.ini"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            return 0;
    }
    platform::IniFile ini(path);
    std::vector<QString> before;
    for (const auto &[section, key] : keys()) {
        before.push_back(ini.readString(section, key));
        ini.readInteger(section, key, 7);
    }
    ini.damage();

    const size_t target = size_t(control) % keys().size();
    const QString value = QString::number(size) + QStringLiteral(" Kč");
    try {
        ini.writeString(keys()[target].first, keys()[target].second, value);
    } catch (const platform::Error &) {
        return 0;
    }
    for (size_t i = 0; i < keys().size(); ++i) {
        const QString now = ini.readString(keys()[i].first, keys()[i].second);
        const QString expected = i == target ? value : before[i];
        if (now != expected)
            std::abort(); // a write changed the wrong key or lost its own
    }
    return 0;
}
