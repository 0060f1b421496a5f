#include "LargeCatalogue.h"

#include "core/AppSettings.h"
#include "core/SuiteSettings.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"
#include "common/SampleBooks.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace benchdata {

int unnumberedEvery()
{
    return 500;
}

void writeBooks(const QString &dataDir, const QString &fileName, int count, quint32 seed)
{
    std::vector<int> numbers(static_cast<size_t>(count));
    // The number edit takes five digits: beyond 99,999 books numbers repeat,
    // which the catalogue allows.
    for (int i = 0; i < count; ++i)
        numbers[size_t(i)] = i % 99999 + 1;
    QRandomGenerator rng(seed);
    std::shuffle(numbers.begin(), numbers.end(), rng);
    const QStringList genres = core::genres();
    const QStringList editions = core::editions();
    const QStringList bindings = core::bindings();

    dbase::Table table;
    table.setDatabaseName(dataDir);
    table.setTableName(fileName);
    table.open();
    for (int i = 0; i < count; ++i) {
        table.insert();
        if (rng.bounded(50) != 0)
            table.setFieldText(QStringLiteral("NAZEV"),
                               sample::title(rng));
        table.setFieldText(QStringLiteral("AUTOR"), sample::author(rng));
        table.setFieldText(QStringLiteral("DRUH"), genres.at(int(rng.bounded(quint32(genres.size())))));
        // Every few hundredth book has not been given its number yet.
        if (i % unnumberedEvery() != 7)
            table.setFieldText(QStringLiteral("CISLO"), QString::number(numbers[size_t(i)]));
        table.setFieldText(QStringLiteral("ROK"), QString::number(1900 + rng.bounded(125)));
        table.setFieldText(QStringLiteral("STRANY"), QString::number(50 + rng.bounded(900)));
        table.setFieldText(QStringLiteral("VYDAVATEL"), sample::pick(rng, sample::Publishers));
        if (rng.bounded(3) == 0)
            table.setFieldText(QStringLiteral("ILUSTRACE"), sample::pick(rng, sample::Illustrators));
        if (rng.bounded(5) == 0)
            table.setFieldText(QStringLiteral("ORIGINAL"), QStringLiteral("The ") + sample::pick(rng, sample::Nouns));
        table.setFieldText(QStringLiteral("TISK"), sample::pick(rng, sample::Printers));
        if (rng.bounded(4) == 0)
            table.setFieldText(QStringLiteral("POZNAMKA"),
                               QStringLiteral("Věnování autora na předsádce, mírně poškozený přebal."));
        if (rng.bounded(20) == 0)
            table.setFieldText(QStringLiteral("PUJCENO"), QStringLiteral("Půjčeno"));
        table.setFieldText(QStringLiteral("DATUM"), QStringLiteral("1.2.2024"));
        table.setFieldText(QStringLiteral("VYDANI"), editions.at(int(rng.bounded(quint32(editions.size())))));
        table.setFieldText(QStringLiteral("NAKLAD"), QString::number(1000 * (1 + rng.bounded(50))));
        table.setFieldText(QStringLiteral("VAZBA"), bindings.at(int(rng.bounded(quint32(bindings.size())))));
        table.post();
    }
    table.close();
}

void fillProgramDirectory(const QString &root, int count)
{
    const QString data = root + QStringLiteral("/Data");
    for (int slot = 1; slot <= 2; ++slot) {
        dbase::createTable(data + QLatin1Char('/') + core::bookTableFile(slot), core::bookFields(),
                           core::bookTags(), true);
        writeBooks(data, core::bookTableFile(slot), count, 20000u + quint32(slot));
    }
    const platform::ProgramDirectory dir(root);
    core::AppSettings settings(dir);
    settings.setOptionalName(1, optionalCatalogueName());
    settings.setTipsAtStart(false);
    core::SuiteSettings(dir).setWelcomeAtStart(false);
}

QString optionalCatalogueName()
{
    return QStringLiteral("Sbírka po dědovi");
}

} // namespace benchdata
