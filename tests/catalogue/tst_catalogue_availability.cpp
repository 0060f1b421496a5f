// The availability table: which command is on in which state of the
// program, row by row for the edge cases (no window, an empty catalogue, at
// the first and the last record, editing, a lending card shown or edited,
// two windows), and the control list the main window and the catalogue
// window find their controls by.

#include "core/Availability.h"

#include <QTest>

#include <set>

using namespace core;

namespace {

using C = Command;

// The record commands of the Upravy menu, the reports and the moves.
const std::vector<Command> recordCommands = {
    C::Preview, C::Print,    C::Cut,  C::Copy,  C::Paste, C::DeleteRecord, C::EditRecord, C::SaveRecord,
    C::UndoRecord, C::Find, C::GoTo, C::First, C::Prior, C::Next,  C::Last,         C::NewRecord,
};

WindowSnapshot window(bool atStart, bool atEnd, bool editing = false, CardMode card = CardMode::Hidden)
{
    WindowSnapshot w;
    w.atStart = atStart;
    w.atEnd = atEnd;
    w.editingRecord = editing;
    w.card = card;
    return w;
}

ProgramState withWindow(const WindowSnapshot &w)
{
    ProgramState s;
    s.active = w;
    return s;
}

// The record commands that are on in a state.
std::set<Command> recordCommandsOn(const ProgramState &s)
{
    std::set<Command> on;
    for (Command c : recordCommands) {
        if (availability(s, c).enabled)
            on.insert(c);
    }
    return on;
}

} // namespace

Q_DECLARE_METATYPE(core::ProgramState)
Q_DECLARE_METATYPE(std::set<core::Command>)

class AvailabilityTest : public QObject
{
    Q_OBJECT
private slots:
    void stateFollowsTheTestOrder();
    void recordCommandsByState_data();
    void recordCommandsByState();
    void clipboardFollowsTheFreeTextFieldWhileEditing();
    void windowCommandsNeedAWindow();
    void lendingCardTakesTheFileAndEditGroups();
    void checkMarks();
    void everyCommandHasOneRowOfNames();
};

void AvailabilityTest::stateFollowsTheTestOrder()
{
    // Editing wins over the table's flags; both flags mean empty.
    QCOMPARE(catalogueState(window(true, true, true)), CatalogueState::Editing);
    QCOMPARE(catalogueState(window(true, true)), CatalogueState::Empty);
    QCOMPARE(catalogueState(window(true, false)), CatalogueState::AtFirst);
    QCOMPARE(catalogueState(window(false, true)), CatalogueState::AtLast);
    QCOMPARE(catalogueState(window(false, false)), CatalogueState::Between);
}

void AvailabilityTest::recordCommandsByState_data()
{
    QTest::addColumn<ProgramState>("state");
    QTest::addColumn<std::set<Command>>("on");

    QTest::newRow("no window") << ProgramState{} << std::set<Command>{};
    QTest::newRow("empty catalogue") << withWindow(window(true, true))
                                     << std::set<Command>{C::EditRecord, C::NewRecord, C::GoTo};
    const std::set<Command> withRecords = {C::Preview, C::Print, C::DeleteRecord, C::EditRecord, C::Find,
                                           C::GoTo, C::NewRecord};
    auto plus = [&](std::initializer_list<Command> more) {
        std::set<Command> s = withRecords;
        s.insert(more);
        return s;
    };
    QTest::newRow("at the first") << withWindow(window(true, false)) << plus({C::Next, C::Last});
    QTest::newRow("at the last") << withWindow(window(false, true)) << plus({C::First, C::Prior});
    QTest::newRow("between") << withWindow(window(false, false))
                             << plus({C::First, C::Prior, C::Next, C::Last});
    QTest::newRow("editing") << withWindow(window(false, false, true))
                             << std::set<Command>{C::SaveRecord, C::UndoRecord};
    QTest::newRow("editing a new record in an empty catalogue")
        << withWindow(window(true, true, true)) << std::set<Command>{C::SaveRecord, C::UndoRecord};
    // The card leaves the record commands as they are; the groups go off.
    QTest::newRow("card shown") << withWindow(window(false, false, false, CardMode::Shown))
                                << plus({C::First, C::Prior, C::Next, C::Last});
    QTest::newRow("card edited over an edited record")
        << withWindow(window(false, false, true, CardMode::Editing))
        << std::set<Command>{C::SaveRecord, C::UndoRecord};
}

void AvailabilityTest::recordCommandsByState()
{
    QFETCH(ProgramState, state);
    QFETCH(std::set<Command>, on);
    const std::set<Command> actual = recordCommandsOn(state);
    for (Command c : recordCommands)
        QVERIFY2(actual.count(c) == on.count(c), qPrintable(commandName(c)));
    // The whole table agrees with the single look-ups.
    const CommandStates all = availability(state);
    for (Command c : recordCommands)
        QCOMPARE(all[int(c)].enabled, availability(state, c).enabled);
}

void AvailabilityTest::clipboardFollowsTheFreeTextFieldWhileEditing()
{
    WindowSnapshot w = window(false, false, true);
    w.freeTextEntered = true;
    for (Command c : {C::Cut, C::Copy, C::Paste})
        QVERIFY(availability(withWindow(w), c).enabled);
    w.freeTextEntered = false; // the number or a list entered last
    QVERIFY(!availability(withWindow(w), C::Copy).enabled);
    // Left over from the last edit: never while browsing.
    w.freeTextEntered = true;
    w.editingRecord = false;
    QVERIFY(!availability(withWindow(w), C::Paste).enabled);
}

void AvailabilityTest::windowCommandsNeedAWindow()
{
    ProgramState none;
    for (Command c : {C::CloseWindow, C::GenreMenu, C::TileSideBySide, C::TileStacked, C::Cascade,
                      C::MinimiseAll, C::ArrangeIcons})
        QVERIFY2(!availability(none, c).enabled, qPrintable(commandName(c)));
    QVERIFY(!availability(none, C::WindowList).shown);
    QVERIFY(availability(none, C::RestoreSettings).enabled);
    for (Command c : {C::OptionalCatalogues, C::OpenCatalogue, C::PrinterSetup, C::Exit, C::ShowTips, C::Help})
        QVERIFY2(availability(none, c).enabled, qPrintable(commandName(c)));

    const ProgramState one = withWindow(window(true, true));
    for (Command c : {C::CloseWindow, C::GenreMenu, C::TileSideBySide, C::Cascade, C::ArrangeIcons})
        QVERIFY2(availability(one, c).enabled, qPrintable(commandName(c)));
    QVERIFY(availability(one, C::WindowList).shown);
    QVERIFY(!availability(one, C::RestoreSettings).enabled);

    // The standard catalogue's erase follows its open marker, whatever is active.
    ProgramState marked = one;
    marked.openMarkers[1] = true;
    QVERIFY(!availability(marked, C::ClearStandard).enabled);
    marked.openMarkers = {false, false, true, true, true};
    QVERIFY(availability(marked, C::ClearStandard).enabled);

    ProgramState noExtras;
    noExtras.tipsOpen = false;
    noExtras.manualAvailable = false;
    for (Command c : {C::PreviousTip, C::NextTip, C::Manual})
        QVERIFY(!availability(noExtras, c).enabled);
}

void AvailabilityTest::lendingCardTakesTheFileAndEditGroups()
{
    for (CardMode card : {CardMode::Shown, CardMode::Editing}) {
        const ProgramState s = withWindow(window(false, false, false, card));
        QVERIFY(!availability(s, C::FileMenu).enabled);
        QVERIFY(!availability(s, C::EditMenu).enabled);
        QVERIFY(availability(s, C::TileSideBySide).enabled); // the Okno commands stay
    }
    QVERIFY(availability(withWindow(window(false, false)), C::FileMenu).enabled);
    QVERIFY(availability(ProgramState{}, C::EditMenu).enabled);
}

void AvailabilityTest::checkMarks()
{
    // Two windows open, slot 3 active: only its entry is checked.
    WindowSnapshot w = window(false, false);
    w.slot = 3;
    const ProgramState s = withWindow(w);
    for (int slot = 1; slot <= 4; ++slot)
        QCOMPARE(availability(s, windowEntry(slot)).checked, slot == 3);
    for (int slot = 1; slot <= 4; ++slot)
        QVERIFY(!availability(ProgramState{}, windowEntry(slot)).checked);

    ProgramState view;
    view.viewShown = {true, false, true, false, true, false};
    const Command toggles[] = {C::ViewStandard, C::ViewDatabase, C::ViewWindows,
                               C::ViewTips, C::ViewStatusBar, C::ViewSideBar};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(availability(view, toggles[i]).checked, view.viewShown[i]);
        QVERIFY(availability(view, toggles[i]).enabled);
    }
}

void AvailabilityTest::everyCommandHasOneRowOfNames()
{
    std::set<QString> seen;
    for (int i = 0; i < CommandCount; ++i) {
        const CommandRow &n = commandRow(Command(i));
        QCOMPARE(int(n.command), i);
        QVERIFY(n.menuItem);
        for (const char *name : {n.menuItem, n.toolbarButton, n.sideBarButton, n.popupTwin, n.windowMenuItem}) {
            if (!name)
                continue;
            // Every control name is used once, and leads back to its command.
            QVERIFY2(seen.insert(QLatin1String(name)).second, name);
            QCOMPARE(commandOfControl(QString::fromLatin1(name)), std::optional<Command>(Command(i)));
        }
    }
    QCOMPARE(commandOfControl(QStringLiteral("TD3")), std::optional<Command>(C::Next));
    QCOMPARE(commandOfControl(QStringLiteral("MP10")), std::optional<Command>(C::Next));
    QCOMPARE(commandOfControl(QStringLiteral("XX1")), std::nullopt);
    QCOMPARE(slotOfWindowEntry(windowEntry(4)), 4);
    QCOMPARE(slotOfWindowEntry(C::Exit), 0);
}

QTEST_APPLESS_MAIN(AvailabilityTest)
#include "tst_catalogue_availability.moc"
