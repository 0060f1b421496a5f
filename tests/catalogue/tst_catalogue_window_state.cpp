// What a catalogue window is doing, as the window itself keeps it: the record
// browsed or edited, the lending card hidden, shown or edited, and every pair
// of the two. The state must hold when the controls say otherwise (a balloon
// disables them all), must be announced at each change, and must decide the
// record commands, the context menu and the close.

#include "CatalogueFixture.h"

#include "catalogue/BookForm.h"
#include "catalogue/WindowState.h"

#include <QAction>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

using catalogue::CatalogueWindow;
using catalogue::CloseDecision;
using catalogue::LendingCard;
using catalogue::WindowState;
using Card = LendingCard::State;
using Record = WindowState::Record;

class WindowStateTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void closeDecisionPutsTheRecordFirst_data();
    void closeDecisionPutsTheRecordFirst();
    void stateHoldsWhileABalloonDisablesTheControls();
    void everyChangeIsAnnouncedAndTheCardIsFollowed();
    void cardSavedOverAnEditedRecord();
    void refusedBookValueKeepsCardAndRecordInEdit();
    void closeWithRecordAndCardBothPending();
    void formKeepsTabOrderAndTheCardItsPlace();

private:
    QWidget *control(const char *name) const { return w->findChild<QWidget *>(QString::fromLatin1(name)); }
    QString text(const char *name) const { return qobject_cast<QLineEdit *>(control(name))->text(); }
    QLineEdit *cardEdit(int n) const { return w->findChild<QLineEdit *>(QStringLiteral("DBEdit%1").arg(n)); }
    void trigger(const char *name) { w->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    void openCard() { QTest::mouseClick(w->findChild<QLabel *>(QStringLiteral("RxLabel1")), Qt::LeftButton); }
    void addBook(const QString &number, const QString &title);
    bool formEditable() const;

    std::unique_ptr<CatalogueFixture> p;
    CatalogueWindow *w = nullptr;
};

void WindowStateTest::init()
{
    p = std::make_unique<CatalogueFixture>();
    w = p->openFromDialog(1);
    QVERIFY(w);
    QApplication::setActiveWindow(&p->main.area);
}

void WindowStateTest::cleanup()
{
    p.reset();
}

void WindowStateTest::addBook(const QString &number, const QString &title)
{
    w->newRecord();
    CatalogueFixture::type(control("C1"), number);
    CatalogueFixture::type(control("J1"), title);
    QVERIFY(w->saveRecord());
}

bool WindowStateTest::formEditable() const
{
    // The controls' own switches, whatever their parents say.
    bool all = true;
    bool none = true;
    for (QWidget *c : w->form()->recordControls()) {
        const bool on = !c->testAttribute(Qt::WA_ForceDisabled);
        all = all && on;
        none = none && !on;
    }
    if (!all && !none)
        qWarning("the record controls are switched apart");
    return all;
}

void WindowStateTest::closeDecisionPutsTheRecordFirst_data()
{
    QTest::addColumn<Record>("record");
    QTest::addColumn<Card>("card");
    QTest::addColumn<CloseDecision>("expected");
    const Card cards[] = {Card::Hidden, Card::NoCard, Card::CardPresent, Card::Editing};
    const char *names[] = {"hidden", "no card", "card present", "card edited"};
    for (int i = 0; i < 4; ++i) {
        QTest::addRow("browsing, %s", names[i])
            << Record::Browsing << cards[i]
            << (cards[i] == Card::Editing ? CloseDecision::RefuseForLendingCard : CloseDecision::Close);
        QTest::addRow("record edited, %s", names[i]) << Record::Editing << cards[i] << CloseDecision::AskAboutRecord;
    }
}

void WindowStateTest::closeDecisionPutsTheRecordFirst()
{
    QFETCH(Record, record);
    QFETCH(Card, card);
    QFETCH(CloseDecision, expected);
    QCOMPARE(catalogue::closeDecision(WindowState{record, card}), expected);
}

void WindowStateTest::stateHoldsWhileABalloonDisablesTheControls()
{
    addBook(QStringLiteral("1"), QStringLiteral("Alfa"));
    w->editRecord();
    CatalogueFixture::type(control("J1"), QStringLiteral("Alfa II"));
    CatalogueFixture::type(control("S1"), QStringLiteral("mnoho"));

    // The close question disables the main window and every control in it;
    // the record is still being edited, and a second close asks again.
    QVERIFY(!w->requestClose());
    QVERIFY(!p->main.mainWindowEnabled);
    QVERIFY(!control("C1")->isEnabled());
    QVERIFY(w->isEditing());
    QCOMPARE(w->state(), core::CatalogueState::Editing);
    QCOMPARE(w->closeDecision(), CloseDecision::AskAboutRecord);
    QVERIFY(formEditable());

    // "Ano" with a value the table refuses: still editing, with the typed text.
    ErrorBoxes boxes;
    boxes.expectOne();
    CatalogueFixture::balloon(QStringLiteral("DotazKonecDialog"))->accept();
    QCOMPARE(boxes.messages.size(), 1);
    QVERIFY(p->main.mainWindowEnabled);
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::Hidden}));
    QVERIFY(formEditable() && control("C1")->isEnabled());
    QCOMPARE(text("S1"), QStringLiteral("mnoho"));
    QCOMPARE(text("J1"), QStringLiteral("Alfa II"));
    QCOMPARE(p->readBack(1)->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Alfa"));

    // Corrected, it saves and the controls lock again.
    CatalogueFixture::type(control("S1"), QStringLiteral("120"));
    QVERIFY(w->saveRecord());
    QCOMPARE(w->windowState(), WindowState{});
    QVERIFY(!formEditable());
    QCOMPARE(p->readBack(1)->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Alfa II"));
}

void WindowStateTest::everyChangeIsAnnouncedAndTheCardIsFollowed()
{
    addBook(QStringLiteral("1"), QStringLiteral("Alfa"));
    QSignalSpy told(w, &CatalogueWindow::stateMayHaveChanged);
    auto step = [&](auto action, WindowState expected) {
        const qsizetype before = told.size();
        action();
        QCOMPARE(w->windowState(), expected);
        QCOMPARE(w->windowState().card, w->lendingCard()->state());
        QCOMPARE(w->isEditing(), expected.editingRecord());
        QCOMPARE(w->isLendingCardEditing(), expected.editingCard());
        QVERIFY2(told.size() > before, "the main window was not told");
    };
    step([&] { w->editRecord(); }, {Record::Editing, Card::Hidden});
    step([&] { w->undo(); }, {Record::Browsing, Card::Hidden});
    step([&] { openCard(); }, {Record::Browsing, Card::NoCard});
    step([&] { trigger("TD3"); }, {Record::Browsing, Card::Editing});
    step([&] { trigger("TD5"); }, {Record::Browsing, Card::NoCard});
    step([&] { trigger("TD7"); }, {Record::Browsing, Card::Hidden});

    // The context menu follows the card: PopupMenu2 while it is shown.
    auto menuShown = [&] {
        emit w->customContextMenuRequested(QPoint(20, 20));
        QMenu *shown = nullptr;
        for (QMenu *m : w->findChildren<QMenu *>()) {
            if (m->isVisible()) {
                shown = m;
                m->hide();
            }
        }
        return shown ? shown->objectName() : QString();
    };
    QCOMPARE(menuShown(), QStringLiteral("PopupMenu1"));
    openCard();
    QCOMPARE(menuShown(), QStringLiteral("PopupMenu2"));
    // The record commands rest under the card, keys included.
    w->newRecord();
    w->editRecord();
    QTest::keyClick(w, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(w->windowState(), (WindowState{Record::Browsing, Card::NoCard}));
    QVERIFY(!formEditable());
    trigger("TD7");
    QCOMPARE(menuShown(), QStringLiteral("PopupMenu1"));
}

void WindowStateTest::cardSavedOverAnEditedRecord()
{
    addBook(QStringLiteral("12"), QStringLiteral("Alfa"));
    const QString datum = w->table()->fieldText(QStringLiteral("DATUM"));
    QVERIFY(!datum.isEmpty());
    // A book saved on another day: the card must not stamp it.
    w->table()->edit();
    w->table()->setFieldText(QStringLiteral("DATUM"), QStringLiteral("1.2.2003"));
    w->table()->post();

    w->editRecord();
    CatalogueFixture::type(control("J1"), QStringLiteral("Alfa, druhé vydání"));
    openCard();
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::NoCard}));
    QVERIFY(formEditable());
    // Under the card the window's keys rest: Enter does not save the record.
    QTest::keyClick(control("J1"), Qt::Key_Return);
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::NoCard}));
    QCOMPARE(p->readBack(1)->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Alfa"));

    trigger("TD3");
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::Editing}));
    CatalogueFixture::type(cardEdit(2), QStringLiteral("Nováková"));
    trigger("TD4");

    // The book went to the file lent, with the typed title, its date kept,
    // and is in edit mode again.
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::CardPresent}));
    QVERIFY(formEditable());
    QCOMPARE(w->table()->state(), dbase::Table::State::Edit);
    auto disk = p->readBack(1);
    QCOMPARE(disk->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Alfa, druhé vydání"));
    QCOMPARE(disk->fieldText(QStringLiteral("PUJCENO")), QStringLiteral("Půjčeno"));
    QCOMPARE(disk->fieldText(QStringLiteral("DATUM")), QStringLiteral("1.2.2003"));
    QCOMPARE(text("J1"), QStringLiteral("Alfa, druhé vydání"));
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("RxLabel1"))->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    // Leaving the card leaves the record in edit; its save stamps the date.
    trigger("TD7");
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::Hidden}));
    CatalogueFixture::type(control("A1"), QStringLiteral("Autor"));
    QVERIFY(w->saveRecord());
    QCOMPARE(w->windowState(), WindowState{});
    disk = p->readBack(1);
    QCOMPARE(disk->recordCount(), 1);
    QCOMPARE(disk->fieldText(QStringLiteral("AUTOR")), QStringLiteral("Autor"));
    QCOMPARE(disk->fieldText(QStringLiteral("PUJCENO")), QStringLiteral("Půjčeno"));
    QCOMPARE(disk->fieldText(QStringLiteral("DATUM")), QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
}

void WindowStateTest::refusedBookValueKeepsCardAndRecordInEdit()
{
    // A new book whose page count the table refuses, lent before it is saved.
    w->newRecord();
    CatalogueFixture::type(control("C1"), QStringLiteral("7"));
    CatalogueFixture::type(control("S1"), QStringLiteral("x"));
    openCard();
    trigger("TD3");
    CatalogueFixture::type(cardEdit(2), QStringLiteral("Malá"));
    ErrorBoxes boxes;
    boxes.expectOne();
    trigger("TD4");
    QCOMPARE(boxes.messages.size(), 1);
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::Editing}));
    QCOMPARE(cardEdit(2)->text(), QStringLiteral("Malá"));
    QCOMPARE(text("S1"), QStringLiteral("x"));
    QCOMPARE(p->readBack(1)->recordCount(), 0);

    // Corrected, the card saves and stores the new book with it.
    trigger("TD7"); // refused: the card is being edited
    QCOMPARE(w->windowState().card, Card::Editing);
    CatalogueFixture::type(control("S1"), QStringLiteral("300"));
    trigger("TD4");
    QCOMPARE(w->windowState(), (WindowState{Record::Editing, Card::CardPresent}));
    auto disk = p->readBack(1);
    QCOMPARE(disk->recordCount(), 1);
    QCOMPARE(disk->fieldText(QStringLiteral("STRANY")), QStringLiteral("300"));
    QCOMPARE(disk->fieldText(QStringLiteral("PUJCENO")), QStringLiteral("Půjčeno"));
    QCOMPARE(p->data.lendingTable()->fieldText(QStringLiteral("ID")), QStringLiteral("7"));
}

void WindowStateTest::closeWithRecordAndCardBothPending()
{
    addBook(QStringLiteral("3"), QStringLiteral("Gama"));
    w->editRecord();
    CatalogueFixture::type(control("J1"), QStringLiteral("Gama nová"));
    openCard();
    trigger("TD3");
    CatalogueFixture::type(cardEdit(2), QStringLiteral("Veselý"));
    QCOMPARE(w->closeDecision(), CloseDecision::AskAboutRecord);

    // The record is asked about first; saved, the card still keeps the
    // window open with its warning, and with what was typed on it.
    QSignalSpy answered(w, &CatalogueWindow::closeQuestionAnswered);
    QVERIFY(!w->requestClose());
    CatalogueFixture::balloon(QStringLiteral("DotazKonecDialog"))->accept();
    QCOMPARE(answered.size(), 1);
    QCOMPARE(answered.first().at(1).toBool(), false);
    QCOMPARE(p->readBack(1)->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Gama nová"));
    QCOMPARE(w->windowState(), (WindowState{Record::Browsing, Card::Editing}));
    widgets::Balloon *warning = CatalogueFixture::balloon(QStringLiteral("DotazVypujckaDialog"));
    QVERIFY(warning);
    QTest::keyClick(warning, Qt::Key_Escape);
    QCOMPARE(p->catalogues.window(1), w);
    QVERIFY(p->settings.catalogueOpen(1));
    QCOMPARE(cardEdit(2)->text(), QStringLiteral("Veselý"));
    QCOMPARE(w->closeDecision(), CloseDecision::RefuseForLendingCard);

    // Undone, the card no longer holds the window; it closes with the card
    // still shown.
    trigger("TD5");
    QCOMPARE(w->windowState(), (WindowState{Record::Browsing, Card::NoCard}));
    QCOMPARE(w->closeDecision(), CloseDecision::Close);
    QVERIFY(w->requestClose());
    QVERIFY(!p->settings.catalogueOpen(1));
    QVERIFY(p->main.enabled(core::Command::FileMenu));
}

void WindowStateTest::formKeepsTabOrderAndTheCardItsPlace()
{
    w->newRecord();
    QCOMPARE(QApplication::focusWidget(), control("C1"));
    const QStringList order{QStringLiteral("J1"), QStringLiteral("F1"), QStringLiteral("S1"), QStringLiteral("O1"),
                            QStringLiteral("A1"), QStringLiteral("I1"), QStringLiteral("T1"), QStringLiteral("V1"),
                            QStringLiteral("V2"), QStringLiteral("R1"), QStringLiteral("P1"), QStringLiteral("N1"),
                            QStringLiteral("P2")};
    for (const QString &name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // A drop-down's edit field stands for its box.
        if (focus && !focus->objectName().startsWith(name) && focus->parentWidget())
            focus = focus->parentWidget();
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), name);
    }
    w->undo();

    // The card covers the page and the footer, not the number row.
    addBook(QStringLiteral("1"), QStringLiteral("Alfa"));
    openCard();
    LendingCard *card = w->lendingCard();
    QVERIFY(card->isVisible());
    const QRect page = w->findChild<QWidget *>(QStringLiteral("Zalozky"))->geometry();
    const QRect number = control("C1")->geometry();
    const QRect footer = w->findChild<QLabel *>(QStringLiteral("RxLabel1"))->geometry();
    QVERIFY(card->geometry().contains(page.adjusted(4, 0, -4, 0)));
    QVERIFY(card->geometry().contains(footer));
    QVERIFY(!card->geometry().intersects(number));
}

QTEST_MAIN(WindowStateTest)
#include "tst_catalogue_window_state.moc"
