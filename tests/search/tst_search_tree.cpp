// The results tree: how paths are added, how each key lists the copy of a
// catalogue, and how the book of a chosen hit is found again.

#include "SearchFixture.h"

#include "core/SearchCopy.h"
#include "search/ResultFill.h"
#include "search/ResultTree.h"

#include <QSignalSpy>
#include <QTest>

using search::ResultTree;

namespace {

QStringList texts(const ResultTree &tree, int parent = ResultTree::None)
{
    QStringList out;
    for (int node : tree.children(parent))
        out << tree.text(node);
    return out;
}

// The auxiliary table of slot 1 built from the books, opened as the results window opens it.
dbase::Table &copyOf(SearchFixture &f, const QList<Book> &books)
{
    f.addBooks(1, books);
    if (!f.data.searchCopy().rebuild(1, f.settings, f.shell))
        qFatal("build failed: %s", qPrintable(f.shell.errors.join(' ')));
    f.data.openTable(5);
    return f.data.searchCopy().table();
}

} // namespace

class TreeTest : public QObject
{
    Q_OBJECT

private slots:
    void pathsShareTheirNodesByExactText()
    {
        ResultTree tree;
        QCOMPARE(tree.addTreePath({}, 7), int(ResultTree::None));

        const int first = tree.addTreePath({"Čapek", "Krakatit"}, 11);
        const int again = tree.addTreePath({"Čapek", "Krakatit"}, 12);
        QCOMPARE(again, first);
        QCOMPARE(tree.reference(first), 11u); // an existing hit keeps its reference

        tree.addTreePath({"Čapek", "Válka s mloky"}, 13);
        tree.addTreePath({"čapek", "Krakatit"}, 14); // letter case counts
        tree.addTreePath({"Čapek ", "Krakatit"}, 15); // so does length
        QCOMPARE(texts(tree), (QStringList{"Čapek", "čapek", "Čapek "}));

        const int author = tree.findChildByText(ResultTree::None, "Čapek");
        QVERIFY(!tree.isHit(author)); // a group node
        QCOMPARE(texts(tree, author), (QStringList{"Krakatit", "Válka s mloky"}));
        QCOMPARE(tree.findChildByText(author, "krakatit"), int(ResultTree::None));
        QCOMPARE(tree.parentOf(first), author);

        // A path whose end is a group already adds nothing and binds nothing.
        QCOMPARE(tree.addTreePath({"Čapek"}, 99), author);
        QVERIFY(!tree.isHit(author));
    }

    void modelFollowsTheNodes()
    {
        ResultTree tree;
        tree.addTreePath({"B", "b1"}, 1);
        tree.addTreePath({"A"}, 2);
        QCOMPARE(tree.rowCount(), 2);
        const QModelIndex b = tree.index(0, 0);
        QCOMPARE(b.data().toString(), QStringLiteral("B"));
        QCOMPARE(tree.rowCount(b), 1);
        QCOMPARE(tree.parent(tree.index(0, 0, b)), b);
        QVERIFY(!tree.hasChildren(tree.index(1, 0)));
    }

    void numbersInNumericOrderOneHitPerValue()
    {
        SearchFixture f;
        dbase::Table &aux = copyOf(f, {{"Desátá", "A", "10"},
                                       {"Druhá", "B", "2"},
                                       {"Bez čísla", "C", ""},
                                       {"Stá", "D", "100"},
                                       {"Druhá znovu", "E", "2"}});
        ResultTree tree;
        search::fillResultTree(tree, aux, 1);
        QCOMPARE(texts(tree), (QStringList{"2", "10", "100"}));
        // The duplicate number is one hit, bound to the first book of that number.
        const int two = tree.findChildByText(ResultTree::None, "2");
        aux.gotoBookmark(tree.reference(two));
        QCOMPARE(aux.fieldText("NAZEV"), QStringLiteral("Druhá"));
    }

    void titlesSortedCzechAndDuplicatesBoundToTheFirst()
    {
        SearchFixture f;
        dbase::Table &aux = copyOf(f, {{"Zámek", "", "1"},
                                       {"Čarodějův učeň", "", "2"},
                                       {"Chata v horách", "", "3"},
                                       {"Hora", "", "4"},
                                       {"Cesta", "", "5"},
                                       {"Řeka", "", "6"},
                                       {"Šíp", "", "7"},
                                       {"Žár", "", "8"},
                                       {"Rok", "", "9"},
                                       {"Sen", "", "10"},
                                       {"O'Brienův ostrov", "", "11"},
                                       {"Hora", "", "12"}});
        ResultTree tree;
        search::fillResultTree(tree, aux, 2);
        QCOMPARE(texts(tree), (QStringList{"Cesta", "Čarodějův učeň", "Hora", "Chata v horách",
                                           "O'Brienův ostrov", "Rok", "Řeka", "Sen", "Šíp", "Zámek", "Žár"}));
        aux.gotoBookmark(tree.reference(tree.findChildByText(ResultTree::None, "Hora")));
        QCOMPARE(aux.fieldText("CISLO"), QStringLiteral("4"));
    }

    void authorsWithTheirTitlesSortedAtEveryLevel()
    {
        SearchFixture f;
        dbase::Table &aux = copyOf(f, {{"Žlutý pes", "Čapek Karel", "1"},
                                       {"Bílá nemoc", "Čapek Karel", "2"},
                                       {"Krakatit", "čapek karel", "3"},
                                       {"Švejk", "Hašek Jaroslav", "4"},
                                       {"Babička", "Němcová Božena", "5"},
                                       {"Cesta", "Chaloupka Otakar", "6"},
                                       {"Bez autora", "", "7"},
                                       {"Ábel", "Čapek Karel", "8"}});
        ResultTree tree;
        search::fillResultTree(tree, aux, 3);
        // Authors that differ in letter case only are two authors; Ch after H.
        QCOMPARE(texts(tree), (QStringList{"čapek karel", "Čapek Karel", "Hašek Jaroslav", "Chaloupka Otakar",
                                           "Němcová Božena"}));
        const int capek = tree.findChildByText(ResultTree::None, "Čapek Karel");
        QCOMPARE(texts(tree, capek), (QStringList{"Ábel", "Bílá nemoc", "Žlutý pes"}));
        QVERIFY(!tree.isHit(capek));
        QVERIFY(tree.isHit(tree.children(capek).front()));
    }

    void publishersKeepIndexOrderAndLentListsOnlyLentBooks()
    {
        SearchFixture f;
        dbase::Table &aux = copyOf(f, {{"Kniha A", "", "1", "Odeon", "", "", "Půjčeno"},
                                       {"Kniha B", "", "2", "Albatros"},
                                       {"Kniha C", "", "3", "Odeon", "", "", "Půjčeno"},
                                       {"Kniha D", "", "4", ""}});
        ResultTree tree;
        search::fillResultTree(tree, aux, 6);
        QCOMPARE(texts(tree), (QStringList{"Albatros", "Odeon"}));
        QCOMPARE(texts(tree, tree.findChildByText(ResultTree::None, "Odeon")),
                 (QStringList{"Kniha A", "Kniha C"}));

        search::fillResultTree(tree, aux, 7);
        QCOMPARE(texts(tree), (QStringList{"Kniha A", "Kniha C"}));

        search::fillResultTree(tree, aux, 4); // nobody has an illustrator
        QCOMPARE(tree.rowCount(), 0);
    }

    void emptyCopyGivesEmptyTree()
    {
        SearchFixture f;
        dbase::Table &aux = copyOf(f, {});
        ResultTree tree;
        tree.addTreePath({"zbytek minulého hledání"}, 1);
        for (int k = 1; k <= 7; ++k) {
            search::fillResultTree(tree, aux, k);
            QCOMPARE(tree.rowCount(), 0);
        }
    }

    void chosenBookIsFoundByTitleAndNumber()
    {
        SearchFixture f;
        f.addBooks(1, {{"Babička", "Němcová", "9"},
                       {"Babička", "Němcová", "5"},
                       {"O'Neillův deník", "O'Neill", "7"},
                       {"Ábel", "X", "1"}});
        dbase::Table &catalogue = *f.data.bookTable(1);

        QSignalSpy moves(&catalogue, &dbase::Table::recordChanged);
        search::locateBook(catalogue, "Babička", "9");
        QCOMPARE(moves.count(), 1); // the window shows the book, not the way to it
        QCOMPARE(catalogue.fieldText("CISLO"), QStringLiteral("9"));
        QCOMPARE(catalogue.order(), QStringLiteral("CISLO"));
        search::locateBook(catalogue, "Babička", "5");
        QCOMPARE(catalogue.fieldText("CISLO"), QStringLiteral("5"));
        search::locateBook(catalogue, "O'Neillův deník", "7");
        QCOMPARE(catalogue.fieldText("NAZEV"), QStringLiteral("O'Neillův deník"));

        // A number that no longer goes with the title: the first book of the title.
        search::locateBook(catalogue, "Babička", "3");
        QCOMPARE(catalogue.fieldText("NAZEV"), QStringLiteral("Babička"));
        // A title edited away since the copy: the next title in order.
        search::locateBook(catalogue, "Bab", "1");
        QCOMPARE(catalogue.fieldText("NAZEV"), QStringLiteral("Babička"));
        QCOMPARE(catalogue.order(), QStringLiteral("CISLO"));
    }
};

QTEST_MAIN(TreeTest)
#include "tst_search_tree.moc"
