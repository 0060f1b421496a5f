// The build of the auxiliary table: what reaches the copy, the marker after
// a build and after a failed one, and the progress window's traces on the
// main window.

#include "SearchFixture.h"

#include "core/AuxiliaryFiles.h"
#include "core/SearchCopy.h"
#include "search/NajitDialog.h"
#include "search/PomocnaDialog.h"
#include "search/Searches.h"
#include "widgets/OfficeLabel.h"
#include "widgets/ProgressWindow.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>


namespace {

QStringList titlesOf(SearchFixture &f)
{
    dbase::Table t;
    t.setDatabaseName(f.dir.dataDir());
    t.setTableName(QStringLiteral("VazonI.dbf"));
    t.open();
    t.setOrder(QStringLiteral("CISLO"));
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.fieldText(QStringLiteral("NAZEV"));
    return out;
}

bool progressWindowUp()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<widgets::ProgressWindow *>(w) && w->isVisible())
            return true;
    return false;
}

void damage(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("this is no table");
}

} // namespace

class BuildTest : public QObject
{
    Q_OBJECT

private slots:
    void buildCopiesTitledBooksAndSetsTheMarker()
    {
        SearchFixture f;
        f.addBooks(3, {{"Krakatit", "Čapek", "2"}, {"", "Bez názvu", "1"}, {"O'Brienův ostrov", "", "3"}});
        f.settings.setAuxiliarySlot(1);
        f.shell.indicators.insert("SBO10");
        QSignalSpy moves(f.data.bookTable(3), &dbase::Table::recordChanged);

        QVERIFY(f.data.searchCopy().rebuild(3, f.settings, f.shell));
        // The catalogue window follows once, to the last record, not through every book.
        QCOMPARE(moves.count(), 1);
        QCOMPARE(f.settings.auxiliarySlot(), 3);
        QCOMPARE(titlesOf(f), (QStringList{"Krakatit", "O'Brienův ostrov"}));
        // The catalogue stays open on its last record.
        QVERIFY(f.data.bookTable(3)->isActive());
        QCOMPARE(f.data.bookTable(3)->fieldText("CISLO"), QStringLiteral("3"));

        // The progress window disabled the main window and is gone again.
        QCOMPARE(f.shell.enableCalls, (QList<bool>{false, true}));
        QVERIFY(f.shell.mainWindowEnabled);
        QVERIFY(!progressWindowUp());
        QVERIFY(f.shell.sounds.contains("Info.wav"));
        QVERIFY(f.shell.indicators.contains("SBO10"));
        QVERIFY(!f.shell.indicators.contains("SBO2"));
        QVERIFY(f.shell.errors.isEmpty());
        // Nothing of the build is left beside the tables.
        QVERIFY(!QDir(f.dir.dataDir() + core::AuxiliaryFiles::folderName()).exists());
        QStringList spellings = QDir(f.dir.dataDir()).entryList({"vazoni.*"}, QDir::Files);
        QCOMPARE(spellings.size(), 3);
    }

    void rebuildReplacesAnOpenCopy()
    {
        SearchFixture f;
        f.addBooks(1, {{"První", "", "1"}});
        f.addBooks(2, {{"Druhá", "", "1"}, {"Třetí", "", "2"}});
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        f.data.openTable(5); // the results window had it open
        QVERIFY(f.data.searchCopy().rebuild(2, f.settings, f.shell));
        QCOMPARE(f.settings.auxiliarySlot(), 2);
        QCOMPARE(titlesOf(f), (QStringList{"Druhá", "Třetí"}));
        f.data.openTable(5);
        QCOMPARE(f.data.searchCopy().table().recordCount(), 2);
    }

    void emptyCatalogueStillSetsTheMarker()
    {
        SearchFixture f;
        f.addBooks(4, {{"", "Jen autor", "1"}});
        QVERIFY(f.data.searchCopy().rebuild(4, f.settings, f.shell));
        QCOMPARE(f.settings.auxiliarySlot(), 4);
        QVERIFY(titlesOf(f).isEmpty());
    }

    void failedBuildKeepsTheOldCopyAndMarker_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("template folder missing") << "templates";
        QTest::newRow("template damaged") << "template";
        QTest::newRow("catalogue damaged") << "catalogue";
    }

    void failedBuildKeepsTheOldCopyAndMarker()
    {
        QFETCH(QString, what);
        SearchFixture f;
        f.addBooks(1, {{"Stará kopie", "", "1"}});
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        const QByteArray oldDbf = f.fileBytes("VazonI.dbf");
        const QByteArray oldMdx = f.fileBytes("VazonI.mdx");
        f.shell.enableCalls.clear();

        if (what == "templates") {
            QVERIFY(QDir().rename(f.dir.templateDir(), f.dir.dataDir() + "Jinde"));
        } else if (what == "template") {
            damage(f.dir.templateDir() + "VazonI.dbf");
        } else {
            f.data.bookTable(2)->close();
            damage(f.dataFile("Vazon1.dbf"));
        }
        QSignalSpy moves(f.data.bookTable(1), &dbase::Table::recordChanged);

        QVERIFY(!f.data.searchCopy().rebuild(2, f.settings, f.shell));
        QCOMPARE(f.settings.auxiliarySlot(), 1);
        QCOMPARE(f.fileBytes("VazonI.dbf"), oldDbf);
        QCOMPARE(f.fileBytes("VazonI.mdx"), oldMdx);
        QCOMPARE(titlesOf(f), QStringList{"Stará kopie"});
        // The engine's message in the error box, the main window usable again.
        QCOMPARE(f.shell.errors.size(), 1);
        QVERIFY(!f.shell.errors.first().isEmpty());
        QCOMPARE(f.shell.enableCalls, (QList<bool>{false, true}));
        QVERIFY(!progressWindowUp());
        QCOMPARE(moves.count(), 0); // the catalogue of the old copy was not touched
    }

    void leftoversOfAnInterruptedBuildAreCleared()
    {
        SearchFixture f;
        const QString stale = f.dir.dataDir() + core::AuxiliaryFiles::folderName();
        QVERIFY(QDir().mkpath(stale));
        damage(stale + "/VazonI.dbf");
        f.addBooks(1, {{"Kniha", "", "1"}});
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        QCOMPARE(titlesOf(f), QStringList{"Kniha"});
        QVERIFY(!QDir(stale).exists());
    }

    void printModeLeavesTheSearchDialogsAlone()
    {
        SearchFixture f;
        f.addBooks(1, {{"Kniha", "", "1"}});
        search::Searches searches({f.data, f.settings, f.shell});
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        QCOMPARE(f.settings.auxiliarySlot(), 1);
        QVERIFY(!searches.findDialog()->isVisible());
        QVERIFY(!searches.pomocnaDialog()->isVisible());
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void searchModeBringsTheDialogsBack()
    {
        SearchFixture f;
        f.addBooks(2, {{"Kniha", "", "1"}});
        search::Searches searches({f.data, f.settings, f.shell});
        searches.showFindDialog(2);
        QTest::mouseClick(searches.findDialog()->entry(3), Qt::LeftButton, {}, QPoint(10, 10));
        search::PomocnaDialog *pomocna = searches.pomocnaDialog();
        QVERIFY(pomocna->isVisible());
        QVERIFY(!pomocna->searchOffered());
        const int top = pomocna->y();

        QTest::mouseClick(pomocna->findChild<QWidget *>("OfficeLabel1"), Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(f.settings.auxiliarySlot(), 2);
        QVERIFY(searches.findDialog()->isVisible());
        QVERIFY(!searches.findDialog()->isEnabled());
        QVERIFY(pomocna->isVisible());
        QCOMPARE(pomocna->y(), top);
        QCOMPARE(pomocna->heading(), QStringLiteral("Vyhledávání podle jména autora"));
        QVERIFY(pomocna->searchOffered());
        QVERIFY(f.data.searchCopy().table().isActive());
        QVERIFY(!f.shell.mainWindowEnabled); // the find dialog is up again
    }

    void failedSearchBuildReturnsToTheMainWindow()
    {
        SearchFixture f;
        f.addBooks(2, {{"Kniha", "", "1"}});
        search::Searches searches({f.data, f.settings, f.shell});
        searches.showFindDialog(2);
        QTest::mouseClick(searches.findDialog()->entry(1), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(QDir().rename(f.dir.templateDir(), f.dir.dataDir() + "Jinde"));
        QTest::mouseClick(searches.pomocnaDialog()->findChild<QWidget *>("OfficeLabel1"), Qt::LeftButton, {},
                          QPoint(10, 8));
        QCOMPARE(f.shell.errors.size(), 1);
        QVERIFY(!searches.findDialog()->isVisible());
        QVERIFY(!searches.pomocnaDialog()->isVisible());
        QVERIFY(f.shell.mainWindowEnabled);
        QCOMPARE(f.settings.auxiliarySlot(), 0);
    }
};

QTEST_MAIN(BuildTest)
#include "tst_search_build.moc"
