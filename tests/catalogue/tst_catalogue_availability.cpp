// The availability table of the record commands as the main window reads it
// (the catalogue window's own menu is checked through a real table in the
// window test).

#include "catalogue/Availability.h"

#include <QTest>

using namespace catalogue;

class AvailabilityTest : public QObject
{
    Q_OBJECT
private slots:
    void stateFollowsTheTestOrder();
    void emptyCatalogueOffersOnlyEditNewAndGoTo();
    void editingLeavesOnlySaveAndUndo();
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

QTEST_APPLESS_MAIN(AvailabilityTest)
#include "tst_catalogue_availability.moc"
