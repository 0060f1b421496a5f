// The find dialog, PomocnaDialog and the results window as the user meets
// them: entries, placements, the strike line, and showing a chosen hit.

#include "SearchFixture.h"

#include "core/SearchCopy.h"
#include "search/NajitDialog.h"
#include "search/PomocnaDialog.h"
#include "search/ResultTree.h"
#include "search/Searches.h"
#include "search/VysledekDialog.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QScrollBar>
#include <QTest>
#include <QTreeView>

namespace {

// A double click as the window system delivers it: press, release, then the double click.
void doubleClick(QTreeView *view, const QModelIndex &index)
{
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 8));
}

// The row of the node with this text below parent (root level when invalid).
QModelIndex find(QTreeView *view, const QString &text, const QModelIndex &parent = {})
{
    const QAbstractItemModel *m = view->model();
    for (int row = 0; row < m->rowCount(parent); ++row)
        if (m->index(row, 0, parent).data().toString() == text)
            return m->index(row, 0, parent);
    return {};
}

void select(QTreeView *view, const QModelIndex &index)
{
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void findDialogOffersSevenKeysInScreenOrder()
    {
        SearchFixture f;
        search::Searches searches({f.data, f.settings, f.shell});
        search::NajitDialog *find = searches.findDialog();
        searches.showFindDialog(3);
        QVERIFY(find->isVisible());
        QCOMPARE(find->slot(), 3);
        QVERIFY(!f.shell.mainWindowEnabled);
        QVERIFY(f.shell.indicators.contains("SBO2"));
        QVERIFY(f.shell.sounds.contains("Dialog.wav"));

        // Top to bottom: k = 1..7, where k = 6 sits on OfficeLabel7 and k = 7 on OfficeLabel6.
        const QStringList names{"OfficeLabel1", "OfficeLabel2", "OfficeLabel3", "OfficeLabel4",
                                "OfficeLabel5", "OfficeLabel7", "OfficeLabel6"};
        int lastY = -1;
        for (int k = 1; k <= 7; ++k) {
            QCOMPARE(find->entry(k)->objectName(), names[k - 1]);
            QVERIFY(find->entry(k)->y() > lastY);
            lastY = find->entry(k)->y();
        }
        QCOMPARE(find->entry(6)->caption(), QStringLiteral("Vyhledávání podle vydavatele knihy"));
        QCOMPARE(find->entry(7)->statusTip(),
                 QStringLiteral("Zobrazí dialog pro vyhledání záznamu podle vypůjčené knihy"));

        // The main window's command with no catalogue window keeps the previous slot.
        find->close();
        searches.showFindDialog(0);
        QCOMPARE(find->slot(), 3);
        QVERIFY(find->isVisible());
        // Enter leaves the dialog; it does not choose a key.
        QTest::keyClick(find, Qt::Key_Return);
        QVERIFY(!find->isVisible());
        QVERIFY(!searches.pomocnaDialog()->isVisible());
        QVERIFY(f.shell.mainWindowEnabled);
        QVERIFY(!f.shell.indicators.contains("SBO2"));
        QVERIFY(f.shell.indicators.contains("SBO10"));
    }

    void noSlotBeforeTheFirstSearchShowsNothing()
    {
        SearchFixture f;
        search::Searches searches({f.data, f.settings, f.shell});
        searches.showFindDialog(0);
        QVERIFY(!searches.findDialog()->isVisible());
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void pomocnaIsPlacedBesideTheFindDialogPerKey()
    {
        using search::PomocnaDialog;
        QCOMPARE(PomocnaDialog::placeFor({600, 100}, 1), QPoint(400, 130));
        QCOMPARE(PomocnaDialog::placeFor({600, 100}, 4), QPoint(400, 219));
        QCOMPARE(PomocnaDialog::placeFor({600, 100}, 5), QPoint(400, 219));
        QCOMPARE(PomocnaDialog::placeFor({600, 100}, 6), QPoint(400, 235));
        QCOMPARE(PomocnaDialog::placeFor({600, 100}, 7), QPoint(400, 250));
        // Near the screen's left edge it goes to the right of the dialog's left edge.
        QCOMPARE(PomocnaDialog::placeFor({204, 0}, 2), QPoint(304, 69));
        QCOMPARE(PomocnaDialog::placeFor({205, 0}, 2), QPoint(5, 69));
    }

    void choosingAKeyHandsTheSearchOn()
    {
        SearchFixture f;
        search::Searches searches({f.data, f.settings, f.shell});
        searches.showFindDialog(4);
        search::NajitDialog *find = searches.findDialog();
        click(find->entry(6));
        search::PomocnaDialog *pomocna = searches.pomocnaDialog();
        QVERIFY(pomocna->isVisible());
        QVERIFY(!find->isEnabled());
        QCOMPARE(pomocna->slot(), 4);
        QCOMPARE(pomocna->key(), 6);
        QCOMPARE(pomocna->heading(), QStringLiteral("Vyhledávání podle vydavatele"));
        QCOMPARE(pomocna->pos(), search::PomocnaDialog::placeFor(find->pos(), 6));

        // Esc goes back to the find dialog, usable again.
        QTest::keyClick(pomocna, Qt::Key_Escape);
        QVERIFY(!pomocna->isVisible());
        QVERIFY(find->isVisible());
        QVERIFY(find->isEnabled());
        QVERIFY(!f.shell.mainWindowEnabled);
    }

    void searchInThePresentCopyOnlyForItsCatalogue()
    {
        SearchFixture f;
        search::Searches searches({f.data, f.settings, f.shell});
        search::PomocnaDialog *pomocna = searches.pomocnaDialog();
        QWidget *strike = pomocna->findChild<QWidget *>("C1");
        QVERIFY(strike);
        for (int marker : {0, 1, 2}) {
            f.settings.setAuxiliarySlot(marker);
            searches.showFindDialog(2);
            click(searches.findDialog()->entry(2));
            const bool offered = marker == 2;
            QCOMPARE(pomocna->searchOffered(), offered);
            QCOMPARE(strike->isVisible(), !offered);
            QCOMPARE(pomocna->findChild<QWidget *>("OfficeLabel2")->isEnabled(), offered);
            // A struck entry does nothing when clicked.
            if (!offered) {
                click(pomocna->findChild<QWidget *>("OfficeLabel2"));
                QVERIFY(pomocna->isVisible());
                QVERIFY(!searches.resultsDialog()->isVisible());
            }
            QTest::keyClick(pomocna, Qt::Key_Return);
            QVERIFY(!pomocna->isVisible());
            searches.findDialog()->close();
        }
    }

    void wholeSearchShowsTheChosenBook()
    {
        SearchFixture f;
        f.addBooks(2, {{"Babička", "Němcová Božena", "9", "Odeon"},
                       {"Babička", "Němcová Božena", "5", "Albatros"},
                       {"Řeka", "Šotola Jiří", "2", "Odeon"}});
        search::Searches searches({f.data, f.settings, f.shell});
        QVERIFY(f.data.searchCopy().rebuild(2, f.settings, f.shell));

        // By number: the entry "9" shows the book numbered 9, not the first Babička.
        searches.showFindDialog(2);
        click(searches.findDialog()->entry(1));
        click(searches.pomocnaDialog()->findChild<QWidget *>("OfficeLabel2"));
        search::VysledekDialog *results = searches.resultsDialog();
        QVERIFY(results->isVisible());
        QVERIFY(!searches.findDialog()->isVisible());
        QVERIFY(!f.shell.mainWindowEnabled);
        QCOMPARE(results->heading(), QStringLiteral("Vyhledávání podle evidenčního čísla"));
        QCOMPARE(results->view()->toolTip(), QStringLiteral("Abecední seznam klíčových slov"));
        QVERIFY(!results->showButton()->isEnabled());

        dbase::Table *catalogue = f.data.bookTable(2);
        catalogue->first();
        select(results->view(), find(results->view(), "9"));
        QVERIFY(results->showButton()->isEnabled());
        QTest::keyClick(results->view(), Qt::Key_Return);
        QVERIFY(!results->isVisible());
        QCOMPARE(catalogue->fieldText("CISLO"), QStringLiteral("9"));
        QCOMPARE(catalogue->order(), QStringLiteral("CISLO"));
        QCOMPARE(results->key(), 0);
        QCOMPARE(results->slot(), 0);
        QVERIFY(f.shell.mainWindowEnabled);
        QVERIFY(f.shell.indicators.contains("SBO10"));

        // By publisher: Albatros' Babička is the book numbered 5.
        QVERIFY(results->start(6, 2, "Vyhledávání podle vydavatele"));
        const QModelIndex albatros = find(results->view(), "Albatros");
        select(results->view(), find(results->view(), "Babička", albatros));
        click(results->showButton());
        QCOMPARE(catalogue->fieldText("CISLO"), QStringLiteral("5"));
    }

    void groupNodesShowNothing()
    {
        SearchFixture f;
        f.addBooks(1, {{"Krakatit", "Čapek Karel", "1"}, {"Žár", "Žáček Jiří", "2"}});
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        search::VysledekDialog results(f.data, f.shell);
        QVERIFY(results.start(3, 1, "Vyhledávání podle jména autora"));
        QTreeView *view = results.view();
        dbase::Table *catalogue = f.data.bookTable(1);
        catalogue->first();

        const QModelIndex author = find(view, "Žáček Jiří");
        select(view, author);
        QVERIFY(!results.showButton()->isEnabled());
        QTest::keyClick(view, Qt::Key_Return);
        doubleClick(view, author);
        QVERIFY(results.isVisible());
        QCOMPARE(catalogue->fieldText("CISLO"), QStringLiteral("1"));

        // A hit below it, chosen by a double click.
        view->expand(author);
        view->doItemsLayout();
        const QModelIndex title = find(view, "Žár", author);
        select(view, title);
        QVERIFY(results.showButton()->isEnabled());
        select(view, author);
        QVERIFY(!results.showButton()->isEnabled());
        doubleClick(view, title);
        QVERIFY(!results.isVisible());
        QCOMPARE(catalogue->fieldText("CISLO"), QStringLiteral("2"));
    }

    void emptyCopyLeavesOnlyTheWayOut()
    {
        SearchFixture f;
        f.addBooks(1, {});
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        search::VysledekDialog results(f.data, f.shell);
        QVERIFY(results.start(2, 1, "Vyhledávání podle názvu knihy"));
        QCOMPARE(results.tree()->rowCount(), 0);
        QVERIFY(!results.showButton()->isEnabled());
        QTest::keyClick(results.view(), Qt::Key_Return);
        QVERIFY(results.isVisible());
        QTest::keyClick(results.view(), Qt::Key_Escape);
        QVERIFY(!results.isVisible());
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void typingJumpsToTheFirstMatchingEntry()
    {
        SearchFixture f;
        f.addBooks(1, {{"Babička", "", "1"}, {"Šíp", "", "2"}, {"Řeka", "", "3"}, {"Žár", "", "4"}});
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        search::VysledekDialog results(f.data, f.shell);
        QVERIFY(results.start(2, 1, "Vyhledávání podle názvu knihy"));
        results.view()->keyboardSearch(QStringLiteral("Ř"));
        QCOMPARE(results.view()->currentIndex().data().toString(), QStringLiteral("Řeka"));
        QVERIFY(results.showButton()->isEnabled());
    }

    void everyShowingStartsAtTheTop()
    {
        // A long list of titles scrolled to its end, then the authors, then
        // the titles again: each tree opens at its first row, nothing chosen.
        SearchFixture f;
        QList<Book> books;
        for (int i = 0; i < 240; ++i)
            books.append({QStringLiteral("Kniha %1").arg(i, 3, 10, QLatin1Char('0')),
                          QStringLiteral("Autor %1").arg(i % 60, 2, 10, QLatin1Char('0')), QString::number(i + 1)});
        f.addBooks(1, books);
        QVERIFY(f.data.searchCopy().rebuild(1, f.settings, f.shell));
        search::VysledekDialog results(f.data, f.shell);
        QTreeView *view = results.view();
        QScrollBar *bar = view->verticalScrollBar();
        const auto firstShownRow = [view] {
            view->doItemsLayout();
            return view->indexAt(QPoint(2, 2)).data().toString();
        };

        QVERIFY(results.start(2, 1, "Vyhledávání podle názvu knihy"));
        QCOMPARE(firstShownRow(), QStringLiteral("Kniha 000"));
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        select(view, find(view, "Kniha 239"));
        QVERIFY(firstShownRow() != QStringLiteral("Kniha 000"));
        QTest::keyClick(view, Qt::Key_Escape);

        QVERIFY(results.start(3, 1, "Vyhledávání podle jména autora"));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(firstShownRow(), QStringLiteral("Autor 00"));
        QVERIFY(bar->maximum() > 0);
        QVERIFY(!view->currentIndex().isValid());
        QVERIFY(!results.showButton()->isEnabled());
        bar->setValue(bar->maximum() / 2);
        QTest::keyClick(view, Qt::Key_Escape);

        QVERIFY(results.start(2, 1, "Vyhledávání podle názvu knihy"));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(firstShownRow(), QStringLiteral("Kniha 000"));
        QCOMPARE(results.tree()->rowCount(), 240);
        QTest::keyClick(view, Qt::Key_Escape);
    }

    void missingCopyIsReportedNotShown()
    {
        SearchFixture f;
        search::VysledekDialog results(f.data, f.shell);
        QFile::remove(f.dataFile("VazonI.dbf"));
        QFile::remove(f.dataFile("VazonI.DBF"));
        QVERIFY(!results.start(1, 1, "Vyhledávání podle evidenčního čísla"));
        QVERIFY(!results.isVisible());
        QCOMPARE(f.shell.errors.size(), 1);
        QVERIFY(f.shell.mainWindowEnabled);
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_search_dialogs.moc"
