// The data module: nine tables pointed at the data folder, nothing opened at
// creation, and each table opened in its default order.

#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "dbase/DbfTypes.h"
#include "dbase/Table.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using core::DataModule;

class DataModuleTest : public QObject
{
    Q_OBJECT

private slots:
    void createdWithNothingOpen()
    {
        QTemporaryDir tmp;
        const platform::ProgramDirectory dir(tmp.path());
        DataModule module(dir);
        QCOMPARE(module.objectName(), QStringLiteral("DataModule1"));
        const QStringList files = {
            QStringLiteral("VazonS.dbf"),   QStringLiteral("Vazon1.dbf"),   QStringLiteral("Vazon2.dbf"),
            QStringLiteral("Vazon3.dbf"),   QStringLiteral("VazonI.DBF"),   QStringLiteral("TIPYG.DBF"),
            QStringLiteral("Pujcovna.dbf"), QStringLiteral("Adresar1.DBF"), QStringLiteral("Adresar2.DBF")};
        for (int n = 1; n <= DataModule::TableCount; ++n) {
            dbase::Table *t = module.table(n);
            QVERIFY(t);
            QCOMPARE(t->objectName(), QStringLiteral("Table%1").arg(n));
            QCOMPARE(t->tableName(), files.at(n - 1));
            QCOMPARE(QDir::cleanPath(t->databaseName()), QDir::cleanPath(dir.dataDir()));
            QVERIFY(!t->isActive());
        }
        QCOMPARE(module.bookTable(4), module.table(4));
        QCOMPARE(module.addressBook(2), module.table(9));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, module.table(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, module.table(10));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, module.bookTable(5));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, module.addressBook(3));
        // Nothing was created on disk.
        QVERIFY(!QDir(dir.dataDir()).exists());
    }

    void tablesOpenInTheirDefaultOrder()
    {
        QTemporaryDir tmp;
        const platform::ProgramDirectory dir(tmp.path());
        QVERIFY(QDir().mkpath(dir.dataDir()));
        dbase::createTable(dir.dataDir() + QStringLiteral("VazonS.dbf"), core::bookFields(),
                           core::bookTags(), true);
        // Another letter case on disk is the same table.
        dbase::createTable(dir.dataDir() + QStringLiteral("vazoni.dbf"), core::auxiliaryFields(),
                           core::auxiliaryTags(), true);
        dbase::createTable(dir.dataDir() + QStringLiteral("TIPYG.DBF"), core::tipsFields(), {}, false);
        dbase::createTable(dir.dataDir() + QStringLiteral("Pujcovna.dbf"), core::lendingFields(),
                           core::lendingTags(), false);

        DataModule module(dir);
        const int tables[] = {1, 5, 6, 7};
        for (const int n : tables) {
            module.openTable(n);
            QVERIFY(module.table(n)->isActive());
            QCOMPARE(module.table(n)->order().toUpper(), DataModule::defaultOrder(n));
        }
        QCOMPARE(module.table(5)->order().toUpper(), QStringLiteral("AUTOR"));

        // A catalogue that does not exist yet fails with the engine's message.
        QVERIFY_THROWS_EXCEPTION(dbase::Error, module.openTable(2));
        QVERIFY(!module.table(2)->isActive());
        QVERIFY_THROWS_EXCEPTION(dbase::Error, module.openTable(8));
    }
};

QTEST_GUILESS_MAIN(DataModuleTest)
#include "tst_core_data_module.moc"
