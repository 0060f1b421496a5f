// The availability table of the record commands, checked row by row against
// the states in which the user meets them.

#include "catalogue/Availability.h"

#include <QTest>

using namespace catalogue;

class AvailabilityTest : public QObject
{
    Q_OBJECT
private slots:
    void stateFollowsTheTestOrder();
    void emptyCatalogueOffersOnlyEditNewAndGoTo();
    void movesStopAtTheEnds();
    void editingLeavesOnlySaveAndUndo();
    void windowItemsInTheGoToSubmenuAreKeptWhileEditing();
};

void AvailabilityTest::stateFollowsTheTestOrder()
{
    // Editing wins over the table's flags; both flags mean empty.
    QCOMPARE(catalogueState(true, true, true), CatalogueState::Editing);
    QCOMPARE(catalogueState(false, true, true), CatalogueState::Empty);
    QCOMPARE(catalogueState(false, true, false), CatalogueState::AtFirst);
    QCOMPARE(catalogueState(false, false, true), CatalogueState::AtLast);
    QCOMPARE(catalogueState(false, false, false), CatalogueState::Between);
}

void AvailabilityTest::emptyCatalogueOffersOnlyEditNewAndGoTo()
{
    const auto s = CatalogueState::Empty;
    for (const Place place : {Place::MainWindow, Place::WindowMenu}) {
        QCOMPARE(commandEnabled(Command::Edit, s, place), true);
        QCOMPARE(commandEnabled(Command::New, s, place), true);
        QCOMPARE(commandEnabled(Command::GoTo, s, place), true);
        for (const Command off : {Command::Preview, Command::Print, Command::Delete, Command::Find,
                                  Command::Save, Command::Undo, Command::FirstPrior, Command::NextLast})
            QCOMPARE(commandEnabled(off, s, place), false);
    }
    QCOMPARE(commandEnabled(Command::Clipboard, s, Place::MainWindow), false);
}

void AvailabilityTest::movesStopAtTheEnds()
{
    QCOMPARE(commandEnabled(Command::FirstPrior, CatalogueState::AtFirst, Place::MainWindow), false);
    QCOMPARE(commandEnabled(Command::NextLast, CatalogueState::AtFirst, Place::MainWindow), true);
    QCOMPARE(commandEnabled(Command::FirstPrior, CatalogueState::AtLast, Place::WindowMenu), true);
    QCOMPARE(commandEnabled(Command::NextLast, CatalogueState::AtLast, Place::WindowMenu), false);
    QCOMPARE(commandEnabled(Command::FirstPrior, CatalogueState::Between, Place::MainWindow), true);
    QCOMPARE(commandEnabled(Command::NextLast, CatalogueState::Between, Place::MainWindow), true);
    // Browsing a non-empty catalogue: delete, find, preview and print are on.
    for (const auto s : {CatalogueState::AtFirst, CatalogueState::AtLast, CatalogueState::Between}) {
        QCOMPARE(commandEnabled(Command::Delete, s, Place::MainWindow), true);
        QCOMPARE(commandEnabled(Command::Print, s, Place::WindowMenu), true);
        QCOMPARE(commandEnabled(Command::Clipboard, s, Place::MainWindow), false);
    }
}

void AvailabilityTest::editingLeavesOnlySaveAndUndo()
{
    const auto s = CatalogueState::Editing;
    QCOMPARE(commandEnabled(Command::Save, s, Place::MainWindow), true);
    QCOMPARE(commandEnabled(Command::Undo, s, Place::MainWindow), true);
    for (const Command off : {Command::Preview, Command::Print, Command::Delete, Command::Edit,
                              Command::Find, Command::GoTo, Command::FirstPrior, Command::NextLast,
                              Command::New})
        QCOMPARE(commandEnabled(off, s, Place::MainWindow), false);
    // The text fields decide about the clipboard while editing.
    QCOMPARE(commandEnabled(Command::Clipboard, s, Place::MainWindow), std::nullopt);
}

void AvailabilityTest::windowItemsInTheGoToSubmenuAreKeptWhileEditing()
{
    const auto s = CatalogueState::Editing;
    QCOMPARE(commandEnabled(Command::GoTo, s, Place::WindowMenu), false);
    QCOMPARE(commandEnabled(Command::FirstPrior, s, Place::WindowMenu), std::nullopt);
    QCOMPARE(commandEnabled(Command::NextLast, s, Place::WindowMenu), std::nullopt);
    QCOMPARE(commandEnabled(Command::New, s, Place::WindowMenu), std::nullopt);
}

QTEST_APPLESS_MAIN(AvailabilityTest)
#include "AvailabilityTest.moc"
