// One catalogue window at work: adding, saving, refusing, undoing, moving,
// its state and context menu, the lent label and the clipboard targets.

#include "CatalogueFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

using core::CatalogueState;
using core::Command;
using catalogue::CatalogueWindow;

class WindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void booksWithCzechTitlesReachTheFile();
    void enterSavesFromTheNoteField();
    void refusedValuesKeepTheRecordEditable();
    void undoOfANewRecordStoresNothing();
    void twoBooksMayShareANumber();
    void stateAndContextMenuFollowTheMoves();
    void menuItemsRunTheirOwnCommands();
    void movesByOthersAreShownAtOnce();
    void keysRunTheCommandOnce();
    void lentLabelIsRedOnlyForTheExactText();
    void clipboardTargetsFollowTheFocus();
    void smallWindowScrollsTheFormToItsFooter();
    void numberLongerThanTheEntryLimitIsShownWhole();

private:
    QWidget *control(const char *name) const;
    void addBook(const QString &number, const QString &title);

    std::unique_ptr<CatalogueFixture> p;
    CatalogueWindow *w = nullptr;
};

void WindowTest::init()
{
    p = std::make_unique<CatalogueFixture>();
    w = p->openFromDialog(1);
    QVERIFY(w);
    QApplication::setActiveWindow(&p->main.area);
}

void WindowTest::cleanup()
{
    p.reset();
}

QWidget *WindowTest::control(const char *name) const
{
    return w->findChild<QWidget *>(QString::fromLatin1(name));
}

void WindowTest::addBook(const QString &number, const QString &title)
{
    w->newRecord();
    CatalogueFixture::type(control("C1"), number);
    CatalogueFixture::type(control("J1"), title);
    QVERIFY(w->saveRecord());
}

void WindowTest::booksWithCzechTitlesReachTheFile()
{
    QCOMPARE(w->state(), CatalogueState::Empty);
    w->newRecord();
    QVERIFY(w->isEditing());
    QCOMPARE(w->state(), CatalogueState::Editing);
    CatalogueFixture::type(control("C1"), QStringLiteral("12"));
    CatalogueFixture::type(control("J1"), QStringLiteral("Příliš žluťoučký kůň"));
    CatalogueFixture::type(control("A1"), QStringLiteral("Čapek, Karel"));
    CatalogueFixture::type(control("F1"), QStringLiteral("Dětská kniha"));
    CatalogueFixture::type(control("V2"), QStringLiteral("Vázaná"));
    CatalogueFixture::type(control("R1"), QStringLiteral("1936"));
    QVERIFY(w->saveRecord());
    QVERIFY(!w->isEditing());
    addBook(QStringLiteral("5"), QStringLiteral("Ďáblova úžina"));

    // The window shows the saved record at its place in number order.
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("Ďáblova úžina"));
    const QString today = QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));
    QCOMPARE(qobject_cast<QLabel *>(control("DBText1"))->text(), today);

    // Read back from the files with a table of its own.
    auto disk = p->readBack(1);
    QCOMPARE(disk->recordCount(), 2);
    QCOMPARE(disk->fieldText(QStringLiteral("CISLO")), QStringLiteral("5"));
    disk->next();
    QCOMPARE(disk->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Příliš žluťoučký kůň"));
    QCOMPARE(disk->fieldText(QStringLiteral("AUTOR")), QStringLiteral("Čapek, Karel"));
    QCOMPARE(disk->fieldText(QStringLiteral("DRUH")), QStringLiteral("Dětská kniha"));
    QCOMPARE(disk->fieldText(QStringLiteral("VAZBA")), QStringLiteral("Vázaná"));
    QCOMPARE(disk->fieldText(QStringLiteral("ROK")), QStringLiteral("1936"));
    QCOMPARE(disk->fieldText(QStringLiteral("DATUM")), today);
}

void WindowTest::enterSavesFromTheNoteField()
{
    w->newRecord();
    CatalogueFixture::type(control("C1"), QStringLiteral("3"));
    auto *note = qobject_cast<QPlainTextEdit *>(control("P2"));
    CatalogueFixture::type(note, QStringLiteral("Věnování autora"));
    QTest::keyClick(note, Qt::Key_Return);
    QVERIFY(!w->isEditing());
    QCOMPARE(note->toPlainText(), QStringLiteral("Věnování autora")); // no line break typed
    auto disk = p->readBack(1);
    QCOMPARE(disk->recordCount(), 1);
    QCOMPARE(disk->fieldText(QStringLiteral("POZNAMKA")), QStringLiteral("Věnování autora"));

    // Enter in a drop-down saves as well.
    w->editRecord();
    CatalogueFixture::type(control("P1"), QStringLiteral("Druhé"));
    QTest::keyClick(qobject_cast<QComboBox *>(control("P1"))->lineEdit(), Qt::Key_Enter);
    QVERIFY(!w->isEditing());
    QCOMPARE(p->readBack(1)->fieldText(QStringLiteral("VYDANI")), QStringLiteral("Druhé"));
}

void WindowTest::refusedValuesKeepTheRecordEditable()
{
    ErrorBoxes boxes;
    w->newRecord();
    CatalogueFixture::type(control("C1"), QStringLiteral("4a"));
    CatalogueFixture::type(control("J1"), QStringLiteral("Kniha"));
    boxes.expectOne();
    QVERIFY(!w->saveRecord());
    QCOMPARE(boxes.messages.size(), 1);
    QVERIFY(!boxes.messages.first().isEmpty());
    // Still editing, with what the user typed.
    QVERIFY(w->isEditing());
    QCOMPARE(qobject_cast<QLineEdit *>(control("C1"))->text(), QStringLiteral("4a"));
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("Kniha"));
    QCOMPARE(p->readBack(1)->recordCount(), 0);

    // A character code page 1250 cannot hold is refused the same way.
    CatalogueFixture::type(control("C1"), QStringLiteral("4"));
    CatalogueFixture::type(control("A1"), QStringLiteral("老子"));
    boxes.expectOne();
    QVERIFY(!w->saveRecord());
    QCOMPARE(boxes.messages.size(), 2);
    QVERIFY(w->isEditing());

    CatalogueFixture::type(control("A1"), QStringLiteral("Lao-c'"));
    QVERIFY(w->saveRecord());
    auto disk = p->readBack(1);
    QCOMPARE(disk->recordCount(), 1);
    QCOMPARE(disk->fieldText(QStringLiteral("CISLO")), QStringLiteral("4"));
    QCOMPARE(disk->fieldText(QStringLiteral("AUTOR")), QStringLiteral("Lao-c'"));
}

void WindowTest::undoOfANewRecordStoresNothing()
{
    w->newRecord();
    QCOMPARE(w->table()->state(), dbase::Table::State::Insert);
    w->undo();
    QVERIFY(!w->isEditing());
    QCOMPARE(w->state(), CatalogueState::Empty);
    QCOMPARE(p->readBack(1)->recordCount(), 0);

    // Undo after typing discards what was typed, also when editing a book.
    addBook(QStringLiteral("8"), QStringLiteral("Saturnin"));
    w->editRecord();
    CatalogueFixture::type(control("J1"), QStringLiteral("Jiný název"));
    w->undo();
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("Saturnin"));
    QCOMPARE(p->readBack(1)->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Saturnin"));
}

void WindowTest::twoBooksMayShareANumber()
{
    addBook(QStringLiteral("7"), QStringLiteral("První"));
    addBook(QStringLiteral("7"), QStringLiteral("Druhá"));
    addBook(QString(), QStringLiteral("Bez čísla"));
    auto disk = p->readBack(1);
    QCOMPARE(disk->recordCount(), 3);
    // The book without a number sorts first.
    QCOMPARE(disk->fieldText(QStringLiteral("NAZEV")), QStringLiteral("Bez čísla"));
    disk->next();
    QCOMPARE(disk->fieldText(QStringLiteral("CISLO")), QStringLiteral("7"));
    disk->next();
    QCOMPARE(disk->fieldText(QStringLiteral("CISLO")), QStringLiteral("7"));
}

void WindowTest::stateAndContextMenuFollowTheMoves()
{
    auto enabled = [this](const char *name) {
        return w->findChild<QAction *>(QString::fromLatin1(name))->isEnabled();
    };
    // Empty: only edit, new and the go-to submenu.
    QCOMPARE(w->state(), CatalogueState::Empty);
    QVERIFY(!enabled("MP4") && !enabled("MP7") && !enabled("MP0") && !enabled("MP8") && !enabled("MP10"));
    QVERIFY(enabled("MP5") && enabled("MP12") && enabled("MP"));

    addBook(QStringLiteral("1"), QStringLiteral("A"));
    addBook(QStringLiteral("2"), QStringLiteral("B"));
    addBook(QStringLiteral("3"), QStringLiteral("C"));

    w->first();
    QCOMPARE(w->state(), CatalogueState::AtFirst);
    QVERIFY(!enabled("MP8") && !enabled("MP9") && enabled("MP10") && enabled("MP4"));
    w->prior(); // prior on the first record keeps the start flag
    QCOMPARE(w->state(), CatalogueState::AtFirst);

    w->next();
    w->next(); // onto the last record: the end flag is not set yet
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("C"));
    QCOMPARE(w->state(), CatalogueState::Between);
    QVERIFY(enabled("MP10") && enabled("MP11"));
    w->next();
    QCOMPARE(w->state(), CatalogueState::AtLast);

    w->first();
    w->last();
    QCOMPARE(w->state(), CatalogueState::AtLast);
    QVERIFY(enabled("MP8") && !enabled("MP10") && !enabled("MP11"));

    // Editing: save and undo only, the go-to submenu off, F7 does not move.
    w->editRecord();
    QCOMPARE(w->state(), CatalogueState::Editing);
    QVERIFY(enabled("MP6") && enabled("MP13") && !enabled("MP") && !enabled("MP4") && !enabled("MP5"));
    QTest::keyClick(control("J1"), Qt::Key_F5);
    QVERIFY(w->isEditing());
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("C"));
    w->first(); // the command itself refuses to move away from the edit
    QCOMPARE(w->table()->fieldText(QStringLiteral("NAZEV")), QStringLiteral("C"));
    w->undo();

    // F5 in browse state moves through the window's own key handling.
    QTest::keyClick(w, Qt::Key_F5);
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("A"));
}

void WindowTest::menuItemsRunTheirOwnCommands()
{
    auto item = [this](Command command) {
        const char *name = core::commandRow(command).windowMenuItem;
        return name ? w->findChild<QAction *>(QLatin1String(name)) : nullptr;
    };
    // Every item the command list names is in the window's menu, set as the
    // availability table says for the window's own snapshot.
    auto itemsFollowTheTable = [&] {
        core::ProgramState program;
        program.active = w->snapshot();
        for (int i = 0; i < core::CommandCount; ++i) {
            if (!core::commandRow(Command(i)).windowMenuItem)
                continue;
            QAction *action = item(Command(i));
            QVERIFY2(action, core::commandRow(Command(i)).windowMenuItem);
            QCOMPARE(action->isEnabled(), core::availability(program, Command(i)).enabled);
        }
    };
    auto title = [this] { return qobject_cast<QLineEdit *>(control("J1"))->text(); };
    addBook(QStringLiteral("1"), QStringLiteral("A"));
    addBook(QStringLiteral("2"), QStringLiteral("B"));
    addBook(QStringLiteral("3"), QStringLiteral("C"));
    itemsFollowTheTable();

    // Each item runs its own command, not a neighbour's.
    item(Command::First)->trigger();
    QCOMPARE(title(), QStringLiteral("A"));
    itemsFollowTheTable();
    item(Command::Next)->trigger();
    QCOMPARE(title(), QStringLiteral("B"));
    item(Command::Last)->trigger();
    QCOMPARE(title(), QStringLiteral("C"));
    item(Command::Prior)->trigger();
    QCOMPARE(title(), QStringLiteral("B"));
    item(Command::EditRecord)->trigger();
    QVERIFY(w->isEditing());
    itemsFollowTheTable();
    CatalogueFixture::type(control("J1"), QStringLiteral("Bé"));
    item(Command::UndoRecord)->trigger();
    QVERIFY(!w->isEditing());
    QCOMPARE(title(), QStringLiteral("B"));
    item(Command::NewRecord)->trigger();
    QCOMPARE(w->table()->state(), dbase::Table::State::Insert);
    CatalogueFixture::type(control("C1"), QStringLiteral("4"));
    CatalogueFixture::type(control("J1"), QStringLiteral("D"));
    item(Command::SaveRecord)->trigger();
    QVERIFY(!w->isEditing());
    QCOMPARE(p->readBack(1)->recordCount(), 4);
    itemsFollowTheTable();

    // Preview, print and find go to the main window with the window's slot.
    QSignalSpy preview(w, &CatalogueWindow::previewRequested);
    QSignalSpy print(w, &CatalogueWindow::printRequested);
    QSignalSpy find(w, &CatalogueWindow::findRequested);
    item(Command::Preview)->trigger();
    item(Command::Print)->trigger();
    item(Command::Find)->trigger();
    QCOMPARE(preview.size(), 1);
    QCOMPARE(print.size(), 1);
    QCOMPARE(find.size(), 1);
    QCOMPARE(preview.at(0).at(0).toInt(), 1);
    QCOMPARE(print.at(0).at(0).toInt(), 1);
    QCOMPARE(find.at(0).at(0).toInt(), 1);

    // Delete asks first.
    item(Command::DeleteRecord)->trigger();
    widgets::Balloon *question = CatalogueFixture::balloon(QStringLiteral("DotazOdstranitDialog"));
    QVERIFY(question);
    question->close();
    QCOMPARE(p->readBack(1)->recordCount(), 4);
}

void WindowTest::movesByOthersAreShownAtOnce()
{
    addBook(QStringLiteral("1"), QStringLiteral("Alfa"));
    addBook(QStringLiteral("2"), QStringLiteral("Beta"));
    CatalogueWindow *other = p->openFromDialog(2);
    QVERIFY(other);
    QCOMPARE(p->main.activeSlot(), 2);
    QCOMPARE(p->catalogues.activeWindow(), other);

    // The main window moves the inactive catalogue's table.
    w->table()->first();
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("Alfa"));
    w->next();
    QCOMPARE(qobject_cast<QLineEdit *>(control("J1"))->text(), QStringLiteral("Beta"));
    QCOMPARE(p->main.activeSlot(), 2);
    // Activation moves the check mark and the status picture.
    p->main.area.setActiveSubWindow(w->subWindow());
    QVERIFY(p->main.commandState(core::windowEntry(1)).checked);
    QVERIFY(!p->main.commandState(core::windowEntry(2)).checked);
    QVERIFY(p->main.indicators.contains(QStringLiteral("SBD1")));
    QVERIFY(!p->main.indicators.contains(QStringLiteral("SBD2")));
}

void WindowTest::keysRunTheCommandOnce()
{
    // The main window binds F7 to the same command on the active window.
    int mainMoves = 0;
    QAction next(QStringLiteral("Další"));
    next.setShortcut(Qt::Key_F7);
    QObject::connect(&next, &QAction::triggered, [&] {
        ++mainMoves;
        p->catalogues.activeWindow()->next();
    });
    p->main.area.addAction(&next);
    for (const char *n : {"1", "2", "3"})
        addBook(QString::fromLatin1(n), QString::fromLatin1(n));
    w->first();
    QApplication::setActiveWindow(&p->main.area);

    // Focus in the window: one step, whoever runs it.
    w->setFocus();
    QTest::keyClick(w, Qt::Key_F7);
    QCOMPARE(w->table()->fieldText(QStringLiteral("CISLO")), QStringLiteral("2"));
    QCOMPARE(mainMoves, 0); // the window's own command took the key

    // While a record is edited F7 neither moves nor settles the edit, even
    // when a main-window command passes it on.
    w->editRecord();
    CatalogueFixture::type(control("J1"), QStringLiteral("upraveno"));
    QTest::keyClick(control("J1"), Qt::Key_F7);
    QVERIFY(w->isEditing());
    QCOMPARE(w->table()->fieldText(QStringLiteral("CISLO")), QStringLiteral("2"));
    w->undo();
}

void WindowTest::lentLabelIsRedOnlyForTheExactText()
{
    auto *label = qobject_cast<QLabel *>(control("RxLabel1"));
    QCOMPARE(label->text(), QStringLiteral("Půjčeno"));
    auto colour = [label] { return label->palette().color(QPalette::WindowText); };
    QCOMPARE(colour(), QColor(128, 128, 128));
    addBook(QStringLiteral("1"), QStringLiteral("Alfa"));
    const QStringList values{QStringLiteral("Půjčeno"), QStringLiteral("půjčeno"), QStringLiteral("Půjčeno!"), QString()};
    const QList<QColor> expected{QColor(255, 0, 0), QColor(128, 128, 128), QColor(128, 128, 128), QColor(128, 128, 128)};
    for (int i = 0; i < values.size(); ++i) {
        w->table()->edit();
        w->table()->setFieldText(QStringLiteral("PUJCENO"), values[i]);
        w->table()->post();
        QCOMPARE(colour(), expected[i]);
    }
}

void WindowTest::clipboardTargetsFollowTheFocus()
{
    auto tag = [this](const char *name) { return control(name)->property("tag").toInt(); };
    auto enabled = [this](const char *name) {
        return w->findChild<QAction *>(QString::fromLatin1(name))->isEnabled();
    };
    for (const char *name : {"J1", "O1", "A1", "I1", "T1", "V1", "P2"})
        QCOMPARE(tag(name), 0);
    QVERIFY(!enabled("MP1"));

    w->newRecord();
    control("J1")->setFocus();
    QVERIFY(enabled("MP1") && enabled("MP2") && enabled("MP3"));
    QVERIFY(p->main.enabled(core::Command::Cut));
    QCOMPARE(tag("J1"), 0);
    QCOMPARE(tag("A1"), 1);
    control("F1")->setFocus();
    QVERIFY(!enabled("MP2"));
    QVERIFY(!p->main.enabled(core::Command::Cut));
    QCOMPARE(tag("J1"), 0); // markers stay

    // Copy and paste act on the text field entered last.
    CatalogueFixture::type(control("A1"), QStringLiteral("Hrabal"));
    qobject_cast<QLineEdit *>(control("A1"))->selectAll();
    w->copy();
    control("I1")->setFocus();
    w->paste();
    QCOMPARE(qobject_cast<QLineEdit *>(control("I1"))->text(), QStringLiteral("Hrabal"));
    w->undo();
    // Back to browsing, the free text entered last is no target any more:
    // a paste would write into a locked field.
    QVERIFY(!w->isEditing());
    for (const char *name : {"MP1", "MP2", "MP3"})
        QVERIFY2(!enabled(name), name);
    QVERIFY(!p->main.enabled(core::Command::Paste));
    // A new edit starts with no target until a free-text field is entered.
    w->newRecord();
    QVERIFY(!enabled("MP3"));
    w->undo();
}

void WindowTest::smallWindowScrollsTheFormToItsFooter()
{
    auto *scroll = w->findChild<QScrollArea *>(QStringLiteral("FormScroll"));
    QVERIFY(scroll);
    QWidget *lent = control("RxLabel1");
    const auto inView = [scroll](QWidget *c) {
        const QRect r(c->mapTo(scroll->viewport(), QPoint(0, 0)), c->size());
        return scroll->viewport()->rect().contains(r);
    };
    // At its own size the whole form shows, with nothing to scroll.
    QTRY_VERIFY(inView(lent));
    QVERIFY(!scroll->verticalScrollBar()->isVisible() && !scroll->horizontalScrollBar()->isVisible());

    // A tiled window smaller than the form: the window scrolls, and the
    // footer with "Půjčeno", the way into the lending card, comes into reach.
    QMdiSubWindow *sub = w->subWindow();
    sub->resize(sub->size() - QSize(200, 150));
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible() && scroll->horizontalScrollBar()->isVisible());
    QVERIFY(!inView(lent));
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    QVERIFY(inView(lent));

    // A record control that takes the keyboard out of view is brought into it.
    w->newRecord();
    QTRY_VERIFY(inView(control("C1"))); // the new record starts there
    control("P2")->setFocus();
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    QVERIFY(!inView(control("C1")));
    control("C1")->setFocus();
    QTRY_VERIFY(inView(control("C1")));
    w->undo();

    // Back to its size, the bars go.
    sub->resize(sub->size() + QSize(200, 150));
    QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible() && !scroll->horizontalScrollBar()->isVisible());
}

void WindowTest::numberLongerThanTheEntryLimitIsShownWhole()
{
    // The field holds more digits than the five that may be typed (an
    // import, another program of the family): the window shows the stored
    // number, which is also the key of the book's lending card.
    addBook(QStringLiteral("7"), QStringLiteral("Alfa"));
    w->table()->edit();
    w->table()->setFieldText(QStringLiteral("CISLO"), QStringLiteral("101999"));
    w->table()->post();
    auto *c1 = qobject_cast<QLineEdit *>(control("C1"));
    QCOMPARE(c1->text(), QStringLiteral("101999"));

    // In edit the number can be shortened, but typing never makes it longer
    // than it was, nor longer than five digits once it is shorter.
    w->editRecord();
    c1->setFocus();
    c1->end(false);
    QTest::keyClick(c1, Qt::Key_5);
    QCOMPARE(c1->text(), QStringLiteral("101999"));
    QTest::keyClick(c1, Qt::Key_Backspace);
    QTest::keyClick(c1, Qt::Key_Backspace);
    QTest::keyClick(c1, Qt::Key_4);
    QTest::keyClick(c1, Qt::Key_4);
    QCOMPARE(c1->text(), QStringLiteral("10194"));
    QVERIFY(w->saveRecord());
    QCOMPARE(w->table()->fieldText(QStringLiteral("CISLO")), QStringLiteral("10194"));

    // A new record takes five digits and no more.
    w->newRecord();
    CatalogueFixture::type(c1, QStringLiteral("123456"));
    QCOMPARE(c1->text(), QStringLiteral("12345"));
    w->undo();
}

QTEST_MAIN(WindowTest)
#include "tst_catalogue_window.moc"
