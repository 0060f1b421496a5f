// Finding files whatever their letter case, and restoring tables from their
// empty templates without leaving a stale spelling of a table behind.

#include "platform/Error.h"
#include "platform/FileRules.h"
#include "platform/ProgramDirectory.h"

#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using testsupport::fileBytes;
using testsupport::writeFile;
using namespace platform;

namespace {

QStringList dataFiles(const ProgramDirectory &dir)
{
    QStringList files = QDir(dir.dataDir()).entryList(QDir::Files);
    files.sort();
    return files;
}

} // namespace

class FileRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void findsNamesInAnyLetterCase()
    {
        QTemporaryDir tmp;
        const QString root = tmp.path() + QLatin1Char('/');
        writeFile(root + QStringLiteral("Zvuky/DIALOG.WAV"), "a");
        writeFile(root + QStringLiteral("Html/ordex2000/index.HTM"), "a");

        QCOMPARE(findNoCase(root + QStringLiteral("Zvuky"), QStringLiteral("Dialog.wav")),
                 root + QStringLiteral("Zvuky/DIALOG.WAV"));
        QCOMPARE(findNoCase(root, QStringLiteral("Html/Ordex2000/Index.htm")),
                 root + QStringLiteral("Html/ordex2000/index.HTM"));
        QCOMPARE(findNoCase(root + QStringLiteral("Zvuky"), QStringLiteral("Info.wav")), QString());
        QCOMPARE(findNoCase(root + QStringLiteral("NoSuchFolder"), QStringLiteral("Info.wav")), QString());
        QCOMPARE(findNoCase(root, QString()), QString());

        // Two spellings: the exact one wins.
        writeFile(root + QStringLiteral("Zvuky/Dialog.wav"), "b");
        QCOMPARE(findNoCase(root + QStringLiteral("Zvuky"), QStringLiteral("Dialog.wav")),
                 root + QStringLiteral("Zvuky/Dialog.wav"));
    }

    void presenceTestFindsFilesOnly()
    {
        QTemporaryDir tmp;
        const QString data = tmp.path() + QStringLiteral("/Data");
        writeFile(data + QStringLiteral("/vazon2.DBF"), "x");
        QDir().mkpath(data + QStringLiteral("/Vazon3.dbf")); // a folder is not a table

        QCOMPARE(presenceTest(QStringLiteral("Vazon2.dbf"), data), data + QStringLiteral("/vazon2.DBF"));
        QCOMPARE(presenceTest(QStringLiteral("Vazon2.dbf"), data + QLatin1Char('/')),
                 data + QStringLiteral("/vazon2.DBF"));
        QCOMPARE(presenceTest(QStringLiteral("Vazon3.dbf"), data), QString());
        QCOMPARE(presenceTest(QStringLiteral("Vazon1.dbf"), data), QString());
        // A list of folders is searched in order.
        QCOMPARE(presenceTest(QStringLiteral("Vazon2.dbf"), tmp.path() + QStringLiteral(";") + data),
                 data + QStringLiteral("/vazon2.DBF"));
    }

    void restoreCopiesTheThreeTemplateFiles()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        writeFile(dir.templateDir() + QStringLiteral("VazonS.dbf"), "empty table");
        writeFile(dir.templateDir() + QStringLiteral("VazonS.Dbt"), "empty memo");
        writeFile(dir.templateDir() + QStringLiteral("VazonS.Mdx"), "empty index");
        // The old catalogue, partly in another letter case.
        writeFile(dir.dataDir() + QStringLiteral("VazonS.dbf"), "books");
        writeFile(dir.dataDir() + QStringLiteral("VAZONS.DBT"), "old memo");
        writeFile(dir.dataDir() + QStringLiteral("VazonS.MDX"), "old index");
        writeFile(dir.dataDir() + QStringLiteral("Vazon1.dbf"), "other catalogue");

        restoreTemplate(dir, QStringLiteral("VazonS"));

        QCOMPARE(dataFiles(dir), QStringList({QStringLiteral("Vazon1.dbf"), QStringLiteral("VazonS.dbf"),
                                              QStringLiteral("VazonS.dbt"), QStringLiteral("VazonS.mdx")}));
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("VazonS.dbf")), QByteArray("empty table"));
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("VazonS.dbt")), QByteArray("empty memo"));
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("VazonS.mdx")), QByteArray("empty index"));
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("Vazon1.dbf")), QByteArray("other catalogue"));
        // Templates stay.
        QVERIFY(QFile::exists(dir.templateDir() + QStringLiteral("VazonS.Mdx")));
    }

    void restorePassesOverAMissingTemplateFile()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        writeFile(dir.templateDir() + QStringLiteral("vazoni.DBF"), "aux");
        writeFile(dir.templateDir() + QStringLiteral("VazonI.Mdx"), "aux index");
        restoreTemplate(dir, QStringLiteral("VazonI"));
        QCOMPARE(dataFiles(dir), QStringList({QStringLiteral("VazonI.dbf"), QStringLiteral("VazonI.mdx")}));
    }

    void restoredCopiesAreWritable()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        const QString source = dir.templateDir() + QStringLiteral("Vazon2.dbf");
        writeFile(source, "t");
        QFile::setPermissions(source, QFile::ReadOwner | QFile::ReadGroup);
        restoreTemplate(dir, QStringLiteral("Vazon2"));
        QVERIFY(QFile::permissions(dir.dataDir() + QStringLiteral("Vazon2.dbf")) & QFile::WriteOwner);
    }

    void restoreWithoutTemplateFolderFails()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        writeFile(dir.dataDir() + QStringLiteral("VazonS.dbf"), "books");
        try {
            restoreTemplate(dir, QStringLiteral("VazonS"));
            QFAIL("restored without templates");
        } catch (const Error &e) {
            QVERIFY(e.message().contains(QStringLiteral("Zaloha")));
        }
        // Nothing was touched.
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("VazonS.dbf")), QByteArray("books"));
    }

    void replaceWithTemplateIsAllOrNothing()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        writeFile(dir.templateDir() + QStringLiteral("Vazon2.dbf"), "empty table");
        writeFile(dir.templateDir() + QStringLiteral("Vazon2.Dbt"), "empty memo");
        writeFile(dir.dataDir() + QStringLiteral("VAZON2.DBF"), "books");
        writeFile(dir.dataDir() + QStringLiteral("Vazon2.dbt"), "memo");
        writeFile(dir.dataDir() + QStringLiteral("Vazon2.mdx"), "index");
        auto hidden = [&] {
            return QDir(dir.dataDir()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".novy"));
        };

        // One template missing: reported, and the catalogue stays whole.
        try {
            replaceWithTemplate(dir, QStringLiteral("Vazon2"));
            QFAIL("replaced without the index template");
        } catch (const Error &e) {
            QVERIFY(e.message().contains(QStringLiteral("Vazon2.Mdx")));
        }
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("VAZON2.DBF")), QByteArray("books"));
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("Vazon2.mdx")), QByteArray("index"));
        QVERIFY(hidden().isEmpty());

        // All three there: one spelling each, the template contents, no
        // temporary copies left.
        writeFile(dir.templateDir() + QStringLiteral("Vazon2.Mdx"), "empty index");
        replaceWithTemplate(dir, QStringLiteral("Vazon2"));
        QCOMPARE(dataFiles(dir), QStringList({QStringLiteral("Vazon2.dbf"), QStringLiteral("Vazon2.dbt"),
                                              QStringLiteral("Vazon2.mdx")}));
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("Vazon2.dbf")), QByteArray("empty table"));
        QCOMPARE(fileBytes(dir.dataDir() + QStringLiteral("Vazon2.mdx")), QByteArray("empty index"));
        QVERIFY(hidden().isEmpty());
    }

    void removeTableFilesTakesEverySpelling()
    {
        QTemporaryDir tmp;
        const ProgramDirectory dir(tmp.path());
        writeFile(dir.dataDir() + QStringLiteral("VazonI.DBF"), "a");
        writeFile(dir.dataDir() + QStringLiteral("vazoni.dbt"), "a");
        writeFile(dir.dataDir() + QStringLiteral("VazonI.MDX"), "a");
        writeFile(dir.dataDir() + QStringLiteral("VazonI.mdx"), "a");
        writeFile(dir.dataDir() + QStringLiteral("VazonS.dbf"), "keep");
        writeFile(dir.dataDir() + QStringLiteral("VazonI.bak"), "keep");
        removeTableFiles(dir, QStringLiteral("VazonI"));
        QCOMPARE(dataFiles(dir), QStringList({QStringLiteral("VazonI.bak"), QStringLiteral("VazonS.dbf")}));
        // Nothing to remove is no error.
        removeTableFiles(dir, QStringLiteral("VazonI"));
        removeTableFiles(ProgramDirectory(tmp.path() + QStringLiteral("/none")), QStringLiteral("VazonI"));
    }
};

QTEST_GUILESS_MAIN(FileRulesTest)
#include "tst_platform_file_rules.moc"
