// The way from a preview or print command to a report: the selection
// dialog and its sub-dialogs, the hand-over of mode and catalogue, the
// rebuild of the auxiliary table before every report, and the author picker.

#include "ReportFixture.h"
#include "support/FakeShell.h"
#include "support/ProgramFolder.h"

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/SearchCopy.h"
#include "core/GenreChoice.h"
#include "core/SharedPrinter.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/FileRules.h"
#include "reportengine/PreviewWindow.h"
#include "reports/Vysledek1Dialog.h"
#include "reports/PrinterQuestions.h"
#include "reports/ReportRunner.h"
#include "reports/Reports.h"
#include "reports/NahledDialog.h"
#include "reports/SubDialog.h"
#include "widgets/Balloon.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <functional>

using namespace reports;

namespace {

struct Program
{
    Program()
    {
        dir = platform::ProgramDirectory(testsupport::layOutProgram(temp));
        settings = std::make_unique<core::AppSettings>(dir);
        data = std::make_unique<core::DataModule>(dir);
        owner = std::make_unique<Reports>(ReportServices{*data, *settings, shell, genre, printer});
        owner->runner().setPreviewHook([this](QWidget *w) {
            auto *preview = static_cast<reportengine::PreviewWindow *>(w);
            ++previews;
            previewPages = preview->findChild<QSpinBox *>(QStringLiteral("PreviewPage"))->maximum();
            filteredDuringPreview = data->searchCopy().table().filtered();
            shownRecords = data->searchCopy().table().recordCount();
        });
        // No printer on this machine, whatever the test runs on.
        printer.setInstalledCheck([] { return false; });
        // The question that offers the preview instead is answered by
        // noPrinterAnswer once it is up (Ano unless a test says otherwise).
        shell.placeBeside = [this](QWidget *balloon) {
            balloon->show();
            if (balloon->objectName() != QLatin1String("DotazNahledDialog"))
                return;
            ++noPrinterQuestions;
            QMetaObject::invokeMethod(
                balloon, [this, balloon] {
                    questionText = static_cast<widgets::Balloon *>(balloon)->text();
                    mainWindowEnabledDuringQuestion = shell.mainWindowEnabled;
                    indicatorsDuringQuestion = shell.indicators;
                    noPrinterAnswer(balloon);
                },
                Qt::QueuedConnection);
        };
    }


    void addBooks(int slot, const QList<Book> &books)
    {
        dbase::Table *t = data->bookTable(slot);
        if (slot > 1 && !t->isActive())
            platform::restoreTemplate(dir, QFileInfo(core::bookTableFile(slot)).completeBaseName());
        if (!t->isActive())
            data->openTable(slot);
        for (const Book &b : books) {
            t->insert();
            for (auto it = b.begin(); it != b.end(); ++it)
                t->setFieldText(it.key(), it.value());
            t->post();
        }
    }

    static void click(QWidget *dialog, const char *name)
    {
        auto *w = dialog->findChild<widgets::PressableWidget *>(QLatin1String(name));
        QVERIFY2(w, name);
        emit w->clicked();
    }

    QTemporaryDir temp;
    platform::ProgramDirectory dir{QString()};
    std::unique_ptr<core::AppSettings> settings;
    std::unique_ptr<core::DataModule> data;
    FakeShell shell;
    core::GenreChoice genre;
    core::SharedPrinter printer;
    std::unique_ptr<Reports> owner;
    int previews = 0;
    int previewPages = 0;
    bool filteredDuringPreview = false;
    int shownRecords = -1;
    int noPrinterQuestions = 0;
    std::function<void(QWidget *)> noPrinterAnswer = [](QWidget *balloon) { click(balloon, "OfficeButton1"); };
    QString questionText;
    bool mainWindowEnabledDuringQuestion = true;
    QSet<QString> indicatorsDuringQuestion;
};

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void selectionHoldsModeAndSlot();
    void subDialogsStandBesideAndGiveTheSelectionBack();
    void bookListRebuildsTheCopyAndRunsInTheChosenMode();
    void genreChoiceRestrictsOnlyDuringTheRun();
    void authorFamilyRebuildsBeforeItsDialog();
    void pickerListsAuthorsInCzechOrderAndFollowsTheSelection();
    void pickerEndWithoutReport();
    void noPrinterAsksInABalloonWhetherToPreview();
};

void DialogsTest::selectionHoldsModeAndSlot()
{
    Program p;
    NahledDialog *sel = p.owner->selectionDialog();
    QCOMPARE(sel->slotText(), QStringLiteral("K"));
    p.owner->showSelection(3, true);
    QVERIFY(sel->isVisible());
    QCOMPARE(sel->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("náhledových sestav"));
    QCOMPARE(sel->slotText(), QStringLiteral("3"));
    QVERIFY(!p.shell.mainWindowEnabled);
    QVERIFY(p.shell.indicator(QStringLiteral("SBO1")));
    QVERIFY(p.shell.sounds.contains(QStringLiteral("Dialog.wav")));
    // Enter closes and never chooses an entry.
    QTest::keyClick(sel, Qt::Key_Return);
    QVERIFY(!sel->isVisible());
    QVERIFY(p.shell.mainWindowEnabled);
    QVERIFY(!p.owner->titleDialog()->isVisible());

    // Print afterwards: only line 2 changes; no active catalogue keeps the slot.
    p.owner->showSelection(0, false);
    QCOMPARE(sel->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("tiskových sestav"));
    QCOMPARE(sel->slotText(), QStringLiteral("3"));
    Program::click(sel, "OfficeLabel5");
    QCOMPARE(p.owner->numberDialog()->modeMark(), QStringLiteral("T"));
    QTest::keyClick(p.owner->numberDialog(), Qt::Key_Escape);
    QTest::keyClick(sel, Qt::Key_Escape);
}

void DialogsTest::subDialogsStandBesideAndGiveTheSelectionBack()
{
    Program p;
    p.owner->showSelection(1, true);
    NahledDialog *sel = p.owner->selectionDialog();
    sel->move(300, 200);
    Program::click(sel, "OfficeLabel1");
    SubDialog *title = p.owner->titleDialog();
    QVERIFY(title->isVisible());
    QVERIFY(!sel->isEnabled());
    QCOMPARE(title->pos(), QPoint(200, 230));
    QCOMPARE(title->modeMark(), QStringLiteral("N"));
    Program::click(title, "OfficeButton1"); // Storno
    QVERIFY(!title->isVisible());
    QVERIFY(sel->isVisible());
    QVERIFY(sel->isEnabled());
    QCOMPARE(sel->pos(), QPoint(300, 200));

    // Too close to the left edge: the sub-dialog opens to the right.
    sel->move(60, 200);
    Program::click(sel, "OfficeLabel5");
    QCOMPARE(p.owner->numberDialog()->pos(), QPoint(160, 230));
    QTest::keyClick(p.owner->numberDialog(), Qt::Key_Return);
    QVERIFY(sel->isEnabled());
    QTest::keyClick(sel, Qt::Key_Escape);
    QVERIFY(p.shell.mainWindowEnabled);
    QCOMPARE(p.previews, 0);
}

void DialogsTest::bookListRebuildsTheCopyAndRunsInTheChosenMode()
{
    Program p;
    p.addBooks(2, {book(QStringLiteral("Hrad"), QStringLiteral("A"), QStringLiteral("Horor"), QStringLiteral("1")),
                   book(QStringLiteral("Chata"), QStringLiteral("B"), QStringLiteral("Drama"), QStringLiteral("2")),
                   book(QString(), QStringLiteral("C"), QStringLiteral("Drama"), QStringLiteral("3"))});
    p.settings->setAuxiliarySlot(4);
    p.owner->showSelection(2, true);
    Program::click(p.owner->selectionDialog(), "OfficeLabel1");
    Program::click(p.owner->titleDialog(), "OfficeLabel3"); // Úplný seznam
    QVERIFY(!p.owner->selectionDialog()->isVisible());
    QVERIFY(!p.owner->titleDialog()->isVisible());
    QCOMPARE(p.previews, 1);
    QCOMPARE(p.shownRecords, 2);
    QCOMPARE(p.settings->auxiliarySlot(), 2);
    QCOMPARE(p.owner->form(ReportKind::Title).detail(), ListDetail::Full);
    QVERIFY(p.shell.mainWindowEnabled);

    // Print mode with no printer installed: the user is told and offered the preview.
    p.owner->showSelection(2, false);
    Program::click(p.owner->selectionDialog(), "OfficeLabel5");
    Program::click(p.owner->numberDialog(), "OfficeLabel1");
    QCOMPARE(p.noPrinterQuestions, 1);
    QCOMPARE(p.previews, 2);
    QCOMPARE(p.owner->runner().lastMessage(), reports::noPrinterMessage());
    QCOMPARE(p.owner->form(ReportKind::Number).detail(), ListDetail::Short);
}

void DialogsTest::genreChoiceRestrictsOnlyDuringTheRun()
{
    Program p;
    p.addBooks(1, {book(QStringLiteral("Hrad"), QStringLiteral("A"), QStringLiteral("Horor"), QStringLiteral("1")),
                   book(QStringLiteral("Chata"), QStringLiteral("B"), QStringLiteral("Drama"), QStringLiteral("2")),
                   book(QStringLiteral("Dům"), QStringLiteral("B"), QStringLiteral("Horor"), QStringLiteral("3"))});
    p.genre.setGenre(QStringLiteral("Horor"));
    p.owner->showSelection(1, true);
    Program::click(p.owner->selectionDialog(), "OfficeLabel1");
    Program::click(p.owner->titleDialog(), "OfficeLabel2");
    QCOMPARE(p.previews, 1);
    QVERIFY(p.filteredDuringPreview);
    QCOMPARE(p.shownRecords, 2);
    QCOMPARE(p.owner->form(ReportKind::Title).heading(), QStringLiteral("Horor"));
    QVERIFY(!p.data->searchCopy().table().filtered());

    // The author reports never read the genre.
    p.owner->showSelection(1, true);
    Program::click(p.owner->selectionDialog(), "OfficeLabel2");
    Program::click(p.owner->authorDialog(), "OfficeLabel1");
    QCOMPARE(p.previews, 2);
    QVERIFY(!p.filteredDuringPreview);
    QCOMPARE(p.shownRecords, 3);

    p.genre.setGenre(core::GenreChoice::allCaption());
    QCOMPARE(p.genre.genre(), QString());
    QCOMPARE(p.genre.caption(), QStringLiteral("Všechny druhy"));
}

void DialogsTest::authorFamilyRebuildsBeforeItsDialog()
{
    Program p;
    p.addBooks(3, {book(QStringLiteral("Hrad"), QStringLiteral("A"), QString(), QStringLiteral("1"))});
    p.owner->showSelection(3, false);
    NahledDialog *sel = p.owner->selectionDialog();
    sel->move(400, 300);
    p.shell.sounds.clear();
    Program::click(sel, "OfficeLabel2");
    QCOMPARE(p.settings->auxiliarySlot(), 3);
    QVERIFY(p.data->searchCopy().table().isActive());
    SubDialog *author = p.owner->authorDialog();
    QVERIFY(author->isVisible());
    QVERIFY(sel->isVisible());
    QVERIFY(!sel->isEnabled());
    QCOMPARE(author->pos(), QPoint(sel->x() - 100, sel->y() + 60));
    QCOMPARE(author->modeMark(), QStringLiteral("T"));
    QCOMPARE(p.owner->authorPicker()->modeMark(), QStringLiteral("T"));
    QCOMPARE(p.owner->authorPicker()->confirmButton()->caption(), QStringLiteral("Tisk"));
    QCOMPARE(p.shell.sounds.count(QStringLiteral("Dialog.wav")), 1); // its second appearance
    // Storno goes back to the selection; the rebuilt copy stays.
    QTest::keyClick(author, Qt::Key_Escape);
    QVERIFY(sel->isEnabled());
    QTest::keyClick(sel, Qt::Key_Escape);
    QCOMPARE(p.settings->auxiliarySlot(), 3);
    QVERIFY(p.shell.mainWindowEnabled);
}

void DialogsTest::pickerListsAuthorsInCzechOrderAndFollowsTheSelection()
{
    Program p;
    p.addBooks(1, {book(QStringLiteral("Hrad"), QStringLiteral("Čapek"), QString(), QStringLiteral("1")),
                   book(QStringLiteral("Anděl"), QStringLiteral("Čapek"), QString(), QStringLiteral("2")),
                   book(QStringLiteral("Bída"), QStringLiteral("Čapek"), QString(), QStringLiteral("5")),
                   book(QStringLiteral("Les"), QStringLiteral("Chalupa"), QString(), QStringLiteral("3")),
                   book(QStringLiteral("Mlýn"), QStringLiteral("Hora"), QString(), QStringLiteral("4")),
                   book(QStringLiteral("Pole"), QStringLiteral("hora"), QString(), QStringLiteral("6")),
                   book(QStringLiteral("Nic"), QString(), QString(), QStringLiteral("7")),
                   book(QStringLiteral("Řeka"), QStringLiteral("O'Neill"), QString(), QStringLiteral("8")),
                   book(QStringLiteral("Cesta"), QStringLiteral("Cibula"), QString(), QStringLiteral("9"))});
    p.owner->showSelection(1, true);
    Program::click(p.owner->selectionDialog(), "OfficeLabel2");
    Program::click(p.owner->authorDialog(), "OfficeLabel2");
    Vysledek1Dialog *picker = p.owner->authorPicker();
    QVERIFY(picker->isVisible());
    QVERIFY(!p.owner->selectionDialog()->isVisible());
    QVERIFY(!p.shell.mainWindowEnabled);
    QVERIFY(p.shell.indicator(QStringLiteral("SBO2")));
    QStringList names;
    for (int i = 0; i < picker->tree()->topLevelItemCount(); ++i)
        names << picker->tree()->topLevelItem(i)->text(0);
    // C, Č, H (lower case first), Ch, O; no empty author, no name twice.
    QCOMPARE(names, (QStringList{QStringLiteral("Cibula"), QStringLiteral("Čapek"), QStringLiteral("hora"),
                                 QStringLiteral("Hora"), QStringLiteral("Chalupa"), QStringLiteral("O'Neill")}));
    // Nothing chosen yet: the button is off and a double click does nothing.
    QVERIFY(!picker->confirmButton()->isEnabled());
    QCOMPARE(picker->chosenAuthor(), QString());
    emit picker->tree()->itemDoubleClicked(picker->tree()->topLevelItem(0), 0);
    QVERIFY(picker->isVisible());

    // The chosen name follows the selection without any timer.
    picker->tree()->setCurrentItem(picker->tree()->topLevelItem(1));
    QCOMPARE(picker->chosenAuthor(), QStringLiteral("Čapek"));
    QVERIFY(picker->confirmButton()->isEnabled());
    picker->tree()->setCurrentItem(picker->tree()->topLevelItem(5));
    QCOMPARE(picker->chosenAuthor(), QStringLiteral("O'Neill"));
    // An apostrophe in the name still gives a correct report.
    Program::click(picker, "OfficeButton1");
    QVERIFY(!picker->isVisible());
    QCOMPARE(p.previews, 1);
    QCOMPARE(p.shownRecords, 1);
    QCOMPARE(p.owner->form(ReportKind::Author).heading(), QStringLiteral("O'Neill"));
    QVERIFY(!p.data->searchCopy().table().filtered());
    QVERIFY(p.shell.mainWindowEnabled);

    // Names differing in case only are different authors.
    picker->show();
    picker->tree()->setCurrentItem(picker->tree()->topLevelItem(2));
    QTest::keyClick(picker->tree(), Qt::Key_Return);
    QCOMPARE(p.previews, 2);
    QCOMPARE(p.shownRecords, 1);
    QCOMPARE(p.owner->form(ReportKind::Author).heading(), QStringLiteral("hora"));

    // Enter with nothing chosen reports the books without an author.
    picker->show();
    QTest::keyClick(picker, Qt::Key_Return);
    QCOMPARE(p.previews, 3);
    QCOMPARE(p.shownRecords, 1);
    QCOMPARE(p.owner->form(ReportKind::Author).heading(), QString());
}

void DialogsTest::pickerEndWithoutReport()
{
    Program p;
    p.addBooks(1, {book(QStringLiteral("Hrad"), QStringLiteral("Čapek"), QString(), QStringLiteral("1"))});
    p.owner->showSelection(1, true);
    Program::click(p.owner->selectionDialog(), "OfficeLabel2");
    Program::click(p.owner->authorDialog(), "OfficeLabel2");
    Vysledek1Dialog *picker = p.owner->authorPicker();
    picker->tree()->setCurrentItem(picker->tree()->topLevelItem(0));
    Program::click(picker, "OfficeButton2"); // Konec
    QVERIFY(!picker->isVisible());
    QCOMPARE(p.previews, 0);
    QVERIFY(!p.data->searchCopy().table().filtered());
    QVERIFY(p.shell.mainWindowEnabled);
    QVERIFY(p.shell.indicator(QStringLiteral("SBO10")));
    picker->show();
    QTest::keyClick(picker, Qt::Key_Escape);
    QCOMPARE(p.previews, 0);
}

namespace {

// The windows shown while it watches, by object name.
class ShownWindows : public QObject
{
public:
    ShownWindows() { qApp->installEventFilter(this); }
    QStringList names;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            names << watched->objectName();
        return false;
    }
};

} // namespace

void DialogsTest::noPrinterAsksInABalloonWhetherToPreview()
{
    Program p;
    p.addBooks(1, {book(QStringLiteral("Hrad"), QStringLiteral("Čapek"), QString(), QStringLiteral("1")),
                   book(QStringLiteral("Les"), QStringLiteral("Hora"), QString(), QStringLiteral("2"))});
    QWidget catalogue; // the active catalogue window
    p.shell.activeWindow = &catalogue;
    struct Way
    {
        const char *name;
        std::function<void(QWidget *)> answer;
        bool preview;
    };
    const QList<Way> ways{
        {"Ano", [](QWidget *b) { Program::click(b, "OfficeButton1"); }, true},
        {"Enter", [](QWidget *b) { QTest::keyClick(b, Qt::Key_Return); }, true},
        {"Ne", [](QWidget *b) { Program::click(b, "OfficeButton2"); }, false},
        {"Esc", [](QWidget *b) { QTest::keyClick(b, Qt::Key_Escape); }, false},
        {"closed", [](QWidget *b) { b->close(); }, false},
    };
    int previews = 0;
    int asked = 0;
    for (const bool allAuthors : {false, true}) {
        for (const Way &way : ways) {
            const QByteArray what = QByteArray(way.name) + (allAuthors ? " (authors)" : " (titles)");
            p.noPrinterAnswer = way.answer;
            p.shell.sounds.clear();
            ShownWindows shown;
            p.owner->showSelection(1, false);
            if (allAuthors) {
                Program::click(p.owner->selectionDialog(), "OfficeLabel2");
                Program::click(p.owner->authorDialog(), "OfficeLabel1");
            } else {
                Program::click(p.owner->selectionDialog(), "OfficeLabel1");
                Program::click(p.owner->titleDialog(), "OfficeLabel2");
            }
            // A question balloon beside the assistant, with its sound and
            // indicator, holding the main window while it is up.
            QCOMPARE(p.noPrinterQuestions, ++asked);
            QCOMPARE(p.shell.placedBeside.last(), QStringLiteral("DotazNahledDialog"));
            QVERIFY2(p.shell.sounds.contains(QStringLiteral("Dotaz.wav")), what);
            QVERIFY2(!p.mainWindowEnabledDuringQuestion, what);
            QVERIFY2(p.indicatorsDuringQuestion.contains(QStringLiteral("SBO6")), what);
            QCOMPARE(p.questionText, reports::noPrinterMessage() + QStringLiteral(" Chcete zobrazit náhled sestavy?"));

            // Afterwards: the preview only for a yes, never a print job; the
            // balloon gone, the main window free, the catalogue's indicator back.
            previews += way.preview ? 1 : 0;
            QVERIFY2(p.previews == previews, what);
            QVERIFY2(shown.names.contains(QStringLiteral("PreviewWindow")) == way.preview, what);
            QVERIFY2(!shown.names.contains(QStringLiteral("PrintProgressWindow")), what);
            QVERIFY2(p.shell.mainWindowEnabled, what);
            QVERIFY2(!p.shell.indicator(QStringLiteral("SBO6")), what);
            QVERIFY2(p.shell.indicator(QStringLiteral("SBO10")), what);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (QWidget *w : QApplication::topLevelWidgets())
                QVERIFY2(w->objectName() != QLatin1String("DotazNahledDialog"), what);
            QCOMPARE(p.owner->runner().lastMessage(), reports::noPrinterMessage());
        }
    }
}

QTEST_MAIN(DialogsTest)
#include "tst_reports_dialogs.moc"
