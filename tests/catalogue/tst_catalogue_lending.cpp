// The lending card over a catalogue window: cards saved and found again by
// the book's number text, shared and outliving their books; the address
// books flagged for exactly the matching persons and otherwise left byte for
// byte; a missing or damaged address book; closes refused over a card edit.

#include "CatalogueFixture.h"

#include "catalogue/LendingCard.h"
#include "catalogue/LendingLedger.h"
#include "core/Slots.h"

#include "Commands.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

using catalogue::CatalogueWindow;
using catalogue::LendingCard;
using State = catalogue::LendingCard::State;

namespace {

struct Person
{
    QString surname, name, street, town;
};

// An address book of the family with its full layout and the PRIJMENI index.
void makeAddressBook(const QString &path, const QList<Person> &persons)
{
    dbase::createTable(path, core::addressBookFields(), core::addressBookTags(), false);
    dbase::Table t;
    t.setDatabaseName(QFileInfo(path).absolutePath());
    t.setTableName(QFileInfo(path).fileName());
    t.open();
    int n = 0;
    for (const Person &p : persons) {
        t.insert();
        t.setFieldText(QStringLiteral("PRIJMENI"), p.surname);
        t.setFieldText(QStringLiteral("JMENO"), p.name);
        t.setFieldText(QStringLiteral("ULICE1"), p.street);
        t.setFieldText(QStringLiteral("MESTO1"), p.town);
        t.setFieldText(QStringLiteral("PSC1"), QString::number(11000 + n));
        t.setFieldText(QStringLiteral("POZNAMKA"), QStringLiteral("osoba %1").arg(n));
        // A foreign flag of another program, which must stay as it is.
        t.setFieldText(QStringLiteral("F2"), n % 2 ? QStringLiteral("true") : QStringLiteral("false"));
        t.setFieldText(QStringLiteral("DATUM"), QStringLiteral("1.2.2001"));
        t.post();
        ++n;
    }
    t.close();
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Offset of a field in a record of the address book (after the deletion flag).
int fieldOffset(const QString &name)
{
    int offset = 1;
    for (const dbase::FieldDef &f : core::addressBookFields()) {
        if (f.name == name)
            return offset;
        offset += f.length;
    }
    return -1;
}

int recordLength()
{
    int length = 1;
    for (const dbase::FieldDef &f : core::addressBookFields())
        length += f.length;
    return length;
}

// Compares two states of a .dbf: the header apart from its date of last
// update, and every record apart from the flag byte of the records listed.
// Returns the records whose flag byte reads `flag`.
QList<int> recordsWithFlag(const QByteArray &before, const QByteArray &after, const QString &field, char flag,
                           const QList<int> &changing)
{
    const int headerLength = quint8(before[8]) | (quint8(before[9]) << 8);
    const int length = recordLength();
    const int at = fieldOffset(field);
    if (before.size() != after.size() || before.left(1) != after.left(1)
        || before.mid(4, headerLength - 4) != after.mid(4, headerLength - 4))
        return {-1};
    QList<int> flagged;
    const int count = (before.size() - headerLength) / length;
    for (int r = 0; r < count; ++r) {
        QByteArray a = before.mid(headerLength + r * length, length);
        QByteArray b = after.mid(headerLength + r * length, length);
        if (b[at] == flag)
            flagged << r;
        if (changing.contains(r))
            a[at] = b[at];
        if (a != b)
            return {-2 - r};
    }
    return flagged;
}

bool tableChecks(const QString &path, QString *why)
{
    QByteArray out;
    QString err;
    const int rc = runCheck(path, out, err);
    *why = err;
    return rc == 0;
}

} // namespace

class LendingTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cardSavedIsFoundAgainByTheNumberText();
    void sharedAndOrphanedCards();
    void addressBooksFlaggedForExactlyTheMatchingPersons();
    void missingOrDamagedAddressBooks();
    void closesRefusedOverAnUnsavedCard();
    void twoWindowsShareTheOneLendingTable();

private:
    void addBook(CatalogueWindow *w, const QString &number, const QString &title);
    LendingCard *card(CatalogueWindow *w) { return w->lendingCard(); }
    QLineEdit *edit(CatalogueWindow *w, int n) { return w->findChild<QLineEdit *>(QStringLiteral("DBEdit%1").arg(n)); }
    void trigger(CatalogueWindow *w, const char *name) { w->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    bool enabled(CatalogueWindow *w, const char *name) { return w->findChild<QAction *>(QString::fromLatin1(name))->isEnabled(); }
    void openCard(CatalogueWindow *w) { QTest::mouseClick(w->findChild<QLabel *>(QStringLiteral("RxLabel1")), Qt::LeftButton); }
    void lend(CatalogueWindow *w, const QString &surname, const QString &name, const QString &street);
    QStringList cardsInTable();

    std::unique_ptr<CatalogueFixture> p;
};

void LendingTest::init()
{
    p = std::make_unique<CatalogueFixture>();
}

void LendingTest::cleanup()
{
    p.reset();
}

void LendingTest::addBook(CatalogueWindow *w, const QString &number, const QString &title)
{
    w->newRecord();
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("C1")), number);
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("J1")), title);
    QVERIFY(w->saveRecord());
}

void LendingTest::lend(CatalogueWindow *w, const QString &surname, const QString &name, const QString &street)
{
    openCard(w);
    trigger(w, "TD3");
    CatalogueFixture::type(edit(w, 2), surname);
    CatalogueFixture::type(edit(w, 1), name);
    CatalogueFixture::type(edit(w, 3), street);
    trigger(w, "TD4");
    QCOMPARE(card(w)->state(), State::CardPresent);
    trigger(w, "TD7");
}

void LendingTest::cardSavedIsFoundAgainByTheNumberText()
{
    CatalogueWindow *w = p->openFromDialog(1);
    addBook(w, QStringLiteral("12"), QStringLiteral("Alfa"));
    addBook(w, QStringLiteral("13"), QStringLiteral("Beta"));
    w->first();
    QWidget *cover = w->findChild<QWidget *>(QStringLiteral("Kryti"));

    // A book without a card: the empty covering card, only "edit".
    openCard(w);
    QCOMPARE(card(w)->state(), State::NoCard);
    QCOMPARE(w->windowState().card, State::NoCard);
    QVERIFY(card(w)->isVisible() && cover->isVisible());
    QVERIFY(!enabled(w, "TD2") && enabled(w, "TD3") && !enabled(w, "TD4") && !enabled(w, "TD5"));
    QVERIFY(enabled(w, "TD7") && enabled(w, "TP3") && !enabled(w, "TP2"));
    QVERIFY(!p->main.enabled(core::Command::FileMenu));

    // Editing: the edits on, back off, the surname focused.
    trigger(w, "TD3");
    QCOMPARE(card(w)->state(), State::Editing);
    QVERIFY(w->isLendingCardEditing());
    QVERIFY(!cover->isVisible() && edit(w, 1)->isEnabled() && edit(w, 7)->isEnabled());
    QVERIFY(!enabled(w, "TD7") && !enabled(w, "TD2") && enabled(w, "TD4") && enabled(w, "TD5"));
    CatalogueFixture::type(edit(w, 2), QStringLiteral("Dvořák"));
    CatalogueFixture::type(edit(w, 1), QStringLiteral("Petr"));
    CatalogueFixture::type(edit(w, 7), QStringLiteral("11000"));

    // Saving: the book is lent, the card stamped.
    trigger(w, "TD4");
    QCOMPARE(card(w)->state(), State::CardPresent);
    QVERIFY(!edit(w, 1)->isEnabled() && enabled(w, "TD2") && enabled(w, "TD7"));
    QVERIFY(p->main.mainWindowEnabled);
    QVERIFY(!p->main.indicators.contains(QStringLiteral("SBO3")));
    QCOMPARE(w->table()->fieldText(QStringLiteral("PUJCENO")), QStringLiteral("Půjčeno"));
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("RxLabel1"))->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    dbase::Table *cards = p->data.lendingTable();
    QCOMPARE(cards->fieldText(QStringLiteral("ID")), QStringLiteral("12"));
    QCOMPARE(cards->fieldText(QStringLiteral("PROGRAM")), QStringLiteral("GS"));
    QCOMPARE(cards->fieldText(QStringLiteral("DATUM")), QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("DBText2"))->text(), cards->fieldText(QStringLiteral("DATUM")));

    // The card stays with its book: the record commands rest meanwhile.
    w->last();
    w->newRecord();
    QCOMPARE(w->table()->fieldText(QStringLiteral("CISLO")), QStringLiteral("12"));
    QVERIFY(!w->isEditing());

    // Leaving gives the main window its items back.
    trigger(w, "TD7");
    QCOMPARE(card(w)->state(), State::Hidden);
    QVERIFY(!card(w)->isVisible());
    QVERIFY(p->main.enabled(core::Command::FileMenu));

    // Another book has no card; the first finds its own again.
    w->next();
    openCard(w);
    QCOMPARE(card(w)->state(), State::NoCard);
    // Undo on a new card leaves the cover shown and delete off.
    trigger(w, "TD3");
    CatalogueFixture::type(edit(w, 2), QStringLiteral("Nikdo"));
    trigger(w, "TD5");
    QCOMPARE(card(w)->state(), State::NoCard);
    QVERIFY(cover->isVisible() && !enabled(w, "TD2"));
    trigger(w, "TD7");
    w->first();
    openCard(w);
    QCOMPARE(card(w)->state(), State::CardPresent);
    QCOMPARE(edit(w, 2)->text(), QStringLiteral("Dvořák"));
    // Undo of an edit of an existing card keeps the card.
    trigger(w, "TD3");
    CatalogueFixture::type(edit(w, 2), QStringLiteral("Jiný"));
    trigger(w, "TD5");
    QCOMPARE(card(w)->state(), State::CardPresent);
    QCOMPARE(edit(w, 2)->text(), QStringLiteral("Dvořák"));

    // Deleting: the card goes, the book is no longer lent, the empty card shows.
    trigger(w, "TD2");
    QCOMPARE(card(w)->state(), State::NoCard);
    QVERIFY(!cover->isVisible());
    QVERIFY(p->main.mainWindowEnabled);
    QCOMPARE(w->table()->fieldText(QStringLiteral("PUJCENO")), QString());
    trigger(w, "TD7");
    openCard(w);
    QCOMPARE(card(w)->state(), State::NoCard);
    trigger(w, "TD7");
    // Only the unsaved blank card never reached the file.
    cards->close();
    p->data.openTable(7);
    QCOMPARE(cards->recordCount(), 0);
}

void LendingTest::sharedAndOrphanedCards()
{
    CatalogueWindow *w = p->openFromDialog(3);
    addBook(w, QStringLiteral("7"), QStringLiteral("První sedmička"));
    addBook(w, QStringLiteral("7"), QStringLiteral("Druhá sedmička"));
    w->first();
    lend(w, QStringLiteral("O'Brien"), QStringLiteral("Sean"), QStringLiteral("Dlouhá 1"));

    // The other book of the same number shares the card.
    w->next();
    QCOMPARE(w->table()->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Druhá sedmička"));
    openCard(w);
    QCOMPARE(card(w)->state(), State::CardPresent);
    QCOMPARE(edit(w, 2)->text(), QStringLiteral("O'Brien"));
    trigger(w, "TD7");

    // A book of that number in another catalogue does not.
    CatalogueWindow *other = p->openFromDialog(2);
    addBook(other, QStringLiteral("7"), QStringLiteral("Cizí sedmička"));
    openCard(other);
    QCOMPARE(card(other)->state(), State::NoCard);
    trigger(other, "TD7");
    QVERIFY(other->requestClose());

    // Both books deleted: the card stays, and a new book 7 finds it.
    for (int i = 0; i < 2; ++i) {
        w->first();
        w->deleteRecord();
        CatalogueFixture::balloon(QStringLiteral("DotazOdstranitDialog"))->accept();
    }
    QVERIFY(w->table()->isEmpty());
    // An empty catalogue has no book to open a card for.
    openCard(w);
    QCOMPARE(card(w)->state(), State::Hidden);
    addBook(w, QStringLiteral("7"), QStringLiteral("Nová sedmička"));
    openCard(w);
    QCOMPARE(card(w)->state(), State::CardPresent);
    QCOMPARE(edit(w, 1)->text(), QStringLiteral("Sean"));
    trigger(w, "TD7");
}

void LendingTest::addressBooksFlaggedForExactlyTheMatchingPersons()
{
    const QString book1 = p->dir.dataDir() + core::addressBookFile(1);
    const QString book2 = p->dir.dataDir() + core::addressBookFile(2);
    const QString street = QStringLiteral("Dlouhá 5");
    makeAddressBook(book1, {
        {QStringLiteral("Nováková"), QStringLiteral("Jana"), street, QStringLiteral("Brno")},        // 0 match
        {QStringLiteral("Nováková"), QStringLiteral("Jana"), QStringLiteral("Krátká 5"), {}},        // 1 other street
        {QStringLiteral("Nováková"), QStringLiteral("Jitka"), street, {}},                           // 2 other name
        {QStringLiteral("Novák"), QStringLiteral("Jana"), street, {}},                               // 3 other surname
        {QStringLiteral("Nováková"), QStringLiteral("Jana"), street, QStringLiteral("Praha")},       // 4 match
        {QStringLiteral("D'Artagnan"), QStringLiteral("Jana"), street, {}},                          // 5
    });
    makeAddressBook(book2, {
        {QStringLiteral("Adámek"), QStringLiteral("Jan"), street, {}},                               // 0
        {QStringLiteral("Nováková"), QStringLiteral("Jana"), street, {}},                            // 1 match
    });
    const QByteArray before1 = bytesOf(book1), before2 = bytesOf(book2);
    const QString index1 = QFileInfo(book1).path() + QStringLiteral("/Adresar1.MDX");
    const QByteArray mdx1 = bytesOf(index1);
    QVERIFY(!mdx1.isEmpty());

    // Slot 3 lends under G2 and flags G3.
    catalogue::LendingLedger ledger(p->data);
    QList<int> positions;
    ledger.flagBorrower(3, {QStringLiteral("Nováková"), QStringLiteral("Jana"), street}, true,
                        [&](int at) { positions << at; });
    QCOMPARE(ledger.matchedLastTime(), 3);
    QCOMPARE(positions.first(), 10);
    QCOMPARE(positions.last(), 95);
    QVERIFY(std::is_sorted(positions.begin(), positions.end()));
    QCOMPARE(recordsWithFlag(before1, bytesOf(book1), QStringLiteral("G3"), 'T', {0, 4}), QList<int>({0, 4}));
    QCOMPARE(recordsWithFlag(before2, bytesOf(book2), QStringLiteral("G3"), 'T', {1}), QList<int>({1}));
    QString why;
    QVERIFY2(tableChecks(book1, &why), qPrintable(why));
    QVERIFY2(tableChecks(book2, &why), qPrintable(why));
    QVERIFY(!p->data.addressBook(1)->isActive() && !p->data.addressBook(2)->isActive());

    // Unflagging clears exactly those.
    ledger.flagBorrower(3, {QStringLiteral("Nováková"), QStringLiteral("Jana"), street}, false);
    QCOMPARE(recordsWithFlag(before1, bytesOf(book1), QStringLiteral("G3"), 'T', {0, 4}), QList<int>());
    QCOMPARE(recordsWithFlag(before2, bytesOf(book2), QStringLiteral("G3"), 'T', {1}), QList<int>());
    QCOMPARE(bytesOf(index1).size(), mdx1.size());
    QVERIFY2(tableChecks(book1, &why), qPrintable(why));

    // A surname with an apostrophe is looked up as it stands.
    const QByteArray cleared1 = bytesOf(book1);
    ledger.flagBorrower(1, {QStringLiteral("D'Artagnan"), QStringLiteral("Jana"), street}, true);
    QCOMPARE(recordsWithFlag(cleared1, bytesOf(book1), QStringLiteral("G1"), 'T', {5}), QList<int>({5}));

    // An empty surname touches no address book.
    const QByteArray now1 = bytesOf(book1);
    positions.clear();
    ledger.flagBorrower(1, {QString(), QStringLiteral("Jana"), street}, true, [&](int at) { positions << at; });
    QCOMPARE(positions, QList<int>({10, 15}));
    QCOMPARE(bytesOf(book1), now1);

    // Through the card: saving flags slot 2's G2, deleting clears it.
    const QByteArray cleared2 = bytesOf(book2);
    CatalogueWindow *w = p->openFromDialog(2);
    addBook(w, QStringLiteral("3"), QStringLiteral("Kniha"));
    lend(w, QStringLiteral("Adámek"), QStringLiteral("Jan"), street);
    QCOMPARE(recordsWithFlag(cleared2, bytesOf(book2), QStringLiteral("G2"), 'T', {0}), QList<int>({0}));
    openCard(w);
    trigger(w, "TD2");
    QCOMPARE(recordsWithFlag(cleared2, bytesOf(book2), QStringLiteral("G2"), 'T', {0}), QList<int>());
    QVERIFY(p->main.mainWindowEnabled);
    QVERIFY2(tableChecks(book2, &why), qPrintable(why));
}

void LendingTest::missingOrDamagedAddressBooks()
{
    const QString book1 = p->dir.dataDir() + core::addressBookFile(1);
    const QString street = QStringLiteral("Polní 2");
    makeAddressBook(book1, {{QStringLiteral("Černý"), QStringLiteral("Karel"), street, {}}});
    const QByteArray before = bytesOf(book1);

    // Only the first address book: it is updated, and the run still ends.
    catalogue::LendingLedger ledger(p->data);
    QList<int> positions;
    ledger.flagBorrower(4, {QStringLiteral("Černý"), QStringLiteral("Karel"), street}, true,
                        [&](int at) { positions << at; });
    QCOMPARE(positions.last(), 55);
    QVERIFY(!positions.contains(60));
    QCOMPARE(recordsWithFlag(before, bytesOf(book1), QStringLiteral("G4"), 'T', {0}), QList<int>({0}));

    // A damaged address book: the box goes, the main window takes input,
    // the engine's message is shown, and the card stays saved.
    QFile damaged(book1);
    QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("not a table at all");
    damaged.close();
    CatalogueWindow *w = p->openFromDialog(4);
    addBook(w, QStringLiteral("5"), QStringLiteral("Kniha"));
    ErrorBoxes boxes;
    boxes.expectOne();
    lend(w, QStringLiteral("Černý"), QStringLiteral("Karel"), street);
    QCOMPARE(boxes.messages.size(), 1);
    QVERIFY(p->main.mainWindowEnabled);
    QVERIFY(!p->main.indicators.contains(QStringLiteral("SBO3")));
    QCOMPARE(w->table()->fieldText(QStringLiteral("PUJCENO")), QStringLiteral("Půjčeno"));
    openCard(w);
    QCOMPARE(card(w)->state(), State::CardPresent);
    trigger(w, "TD7");
}

void LendingTest::closesRefusedOverAnUnsavedCard()
{
    CatalogueWindow *w = p->openFromDialog(2);
    addBook(w, QStringLiteral("1"), QStringLiteral("Kniha"));
    openCard(w);
    trigger(w, "TD3");
    CatalogueFixture::type(edit(w, 2), QStringLiteral("Malý"));

    // The window's own close: the warning, the window stays with its card.
    QVERIFY(!w->requestClose());
    widgets::Balloon *warning = CatalogueFixture::balloon(QStringLiteral("DotazVypujckaDialog"));
    QVERIFY(warning);
    QCOMPARE(warning->subtitle(), QStringLiteral("Sci-fi sbírka"));
    QVERIFY(!p->main.mainWindowEnabled);
    QVERIFY(p->main.sounds.contains(QStringLiteral("Info.wav")));
    QTest::keyClick(warning, Qt::Key_Escape);
    QVERIFY(!CatalogueFixture::balloon(QStringLiteral("DotazVypujckaDialog")));
    QVERIFY(p->main.mainWindowEnabled);
    QVERIFY(p->main.indicators.contains(QStringLiteral("SBO10")));
    QVERIFY(p->catalogues.window(2));
    QCOMPARE(card(w)->state(), State::Editing);
    QCOMPARE(edit(w, 2)->text(), QStringLiteral("Malý"));

    // The program's end: refused the same way, and called off.
    QVERIFY(!p->catalogues.requestExit());
    warning = CatalogueFixture::balloon(QStringLiteral("DotazVypujckaDialog"));
    QVERIFY(warning);
    warning->accept();
    QCOMPARE(p->catalogues.exitSlot(), 0);
    QVERIFY(p->settings.catalogueOpen(2));

    // With the card saved the window closes, also with the card still shown,
    // and the main window gets its items back.
    trigger(w, "TD4");
    QVERIFY(p->catalogues.requestExit());
    QVERIFY(!p->main.enabled(core::Command::FileMenu));
    QVERIFY(w->requestClose());
    QVERIFY(p->main.enabled(core::Command::FileMenu));
}

// Every card of the lending table as "ID PROGRAM surname name", in file order.
QStringList LendingTest::cardsInTable()
{
    dbase::Table *cards = p->data.lendingTable();
    cards->setFiltered(false);
    cards->setOrder(QString());
    QStringList all;
    for (cards->first(); !cards->eof(); cards->next())
        all << QStringLiteral("%1 %2 %3 %4")
                   .arg(cards->fieldText(QStringLiteral("ID")), cards->fieldText(QStringLiteral("PROGRAM")),
                        cards->fieldText(QStringLiteral("PRIJMENI")), cards->fieldText(QStringLiteral("JMENO")))
                   .trimmed();
    return all;
}

void LendingTest::twoWindowsShareTheOneLendingTable()
{
    CatalogueWindow *a = p->openFromDialog(1);
    addBook(a, QStringLiteral("12"), QStringLiteral("Alfa"));
    lend(a, QStringLiteral("Novák"), QStringLiteral("Jan"), QStringLiteral("A 1"));
    CatalogueWindow *b = p->openFromDialog(2);
    addBook(b, QStringLiteral("13"), QStringLiteral("Beta"));
    auto activate = [this](CatalogueWindow *w) { p->main.area.setActiveSubWindow(w->subWindow()); };
    auto lent = [](CatalogueWindow *w) { return w->table()->fieldText(QStringLiteral("PUJCENO")); };
    const QString today = QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));

    // B starts editing its empty card; A's card is shown meanwhile (the one
    // cursor goes to Novák); B's save still makes a card of B's own book.
    activate(b);
    openCard(b);
    QCOMPARE(card(b)->state(), State::NoCard);
    trigger(b, "TD3");
    activate(a);
    openCard(a);
    QCOMPARE(card(a)->state(), State::CardPresent);
    QCOMPARE(edit(a, 2)->text(), QStringLiteral("Novák"));
    activate(b);
    QCOMPARE(card(b)->state(), State::Editing);
    QCOMPARE(edit(b, 2)->text(), QString());
    CatalogueFixture::type(edit(b, 2), QStringLiteral("Veselá"));
    trigger(b, "TD4");
    QCOMPARE(card(b)->state(), State::CardPresent);
    QCOMPARE(cardsInTable(), (QStringList{"12 GS Novák Jan", "13 G1 Veselá"}));
    QCOMPARE(lent(a), QStringLiteral("Půjčeno"));
    QCOMPARE(lent(b), QStringLiteral("Půjčeno"));

    // A's card shown while B edits: A's delete takes A's card only, and B's
    // edit carries on and is stored under B's book.
    trigger(b, "TD3");
    CatalogueFixture::type(edit(b, 1), QStringLiteral("Eva"));
    activate(a);
    QCOMPARE(edit(a, 2)->text(), QStringLiteral("Novák"));
    trigger(a, "TD2");
    QCOMPARE(card(a)->state(), State::NoCard);
    QCOMPARE(lent(a), QString());
    QCOMPARE(cardsInTable(), (QStringList{"13 G1 Veselá"}));
    activate(b);
    QCOMPARE(edit(b, 1)->text(), QStringLiteral("Eva"));
    trigger(b, "TD4");
    QCOMPARE(cardsInTable(), (QStringList{"13 G1 Veselá Eva"}));
    QCOMPARE(b->findChild<QLabel *>(QStringLiteral("DBText2"))->text(), today);

    // A creates a card again while B undoes an edit: each save stamps only its
    // own card, undo brings back what the table has, never A's pending text.
    activate(a);
    trigger(a, "TD3");
    CatalogueFixture::type(edit(a, 2), QStringLiteral("Horák"));
    activate(b);
    trigger(b, "TD3");
    CatalogueFixture::type(edit(b, 2), QStringLiteral("Nikdo"));
    activate(a);
    trigger(a, "TD4");
    activate(b);
    trigger(b, "TD5");
    QCOMPARE(card(b)->state(), State::CardPresent);
    QCOMPARE(edit(b, 2)->text(), QStringLiteral("Veselá"));
    QCOMPARE(cardsInTable(), (QStringList{"13 G1 Veselá Eva", "12 GS Horák"}));
    QCOMPARE(lent(a), QStringLiteral("Půjčeno"));
    QCOMPARE(lent(b), QStringLiteral("Půjčeno"));

    // Activation reads the card afresh: B, shown, follows its own card and
    // not the table's cursor, which the last save left on A's.
    activate(a);
    activate(b);
    QCOMPARE(edit(b, 2)->text(), QStringLiteral("Veselá"));
    trigger(b, "TD2");
    QCOMPARE(cardsInTable(), (QStringList{"12 GS Horák"}));
    QCOMPARE(lent(b), QString());
    QCOMPARE(lent(a), QStringLiteral("Půjčeno"));
}

QTEST_MAIN(LendingTest)
#include "tst_catalogue_lending.moc"
