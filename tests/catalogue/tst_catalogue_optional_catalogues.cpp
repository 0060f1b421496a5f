// The optional catalogues through their chain of dialogs (created, renamed,
// removed, with the files on disk and the names in the ini file), names the
// ini file cannot hold, missing templates, and erasing the standard
// catalogue with "Ano", "Ne" and Esc.

#include "CatalogueFixture.h"

#include "catalogue/EditaceDialog.h"
#include "catalogue/JmenoDialog.h"
#include "catalogue/NovyDialog.h"
#include "catalogue/OtevreniDialog.h"
#include "catalogue/OptionalCatalogueChain.h"
#include "catalogue/OptionalCatalogues.h"
#include "core/Slots.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"
#include "platform/KeptFiles.h"
#include "support/Files.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

using catalogue::CatalogueWindow;

class OptionalCataloguesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void createRenameAndRemoveCatalogueTwo();
    void namesTheIniFileCannotHoldAreRefused();
    void missingTemplateChangesNothing();
    void erasingTheStandardCatalogue();
    void erasedAndRemovedCataloguesAreKept();

private:
    QStringList dataFiles(const QString &base) const;
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10)); }
    widgets::OfficeLabel *label(QWidget *dialog, const char *name)
    {
        return dialog->findChild<widgets::OfficeLabel *>(QString::fromLatin1(name));
    }
    // MS1, entry k, "create or edit", the name typed, Enter.
    void name(int k, const QString &text);
    void addBook(CatalogueWindow *w, const QString &number);

    std::unique_ptr<CatalogueFixture> p;
    catalogue::OptionalCatalogueChain *chain = nullptr;
};

void OptionalCataloguesTest::init()
{
    p = std::make_unique<CatalogueFixture>();
    chain = p->catalogues.optionalChain();
}

void OptionalCataloguesTest::cleanup()
{
    p.reset();
}

QStringList OptionalCataloguesTest::dataFiles(const QString &base) const
{
    return QDir(p->dir.dataDir()).entryList({base + QStringLiteral(".*")}, QDir::Files | QDir::Hidden, QDir::Name);
}

void OptionalCataloguesTest::addBook(CatalogueWindow *w, const QString &number)
{
    w->newRecord();
    CatalogueFixture::type(w->findChild<QWidget *>(QStringLiteral("C1")), number);
    QVERIFY(w->saveRecord());
}

void OptionalCataloguesTest::name(int k, const QString &text)
{
    p->catalogues.showOptionalDialog();
    QVERIFY(chain->novyDialog()->isVisible());
    click(chain->novyDialog()->entry(k));
    QVERIFY(chain->editaceDialog()->isVisible());
    click(label(chain->editaceDialog(), "OfficeLabel1"));
    QVERIFY(!chain->novyDialog()->isVisible() && !chain->editaceDialog()->isVisible());
    QVERIFY(chain->jmenoDialog()->isVisible());
    CatalogueFixture::type(chain->jmenoDialog()->edit(), text);
    // What typing cannot bring in (a line break) arrives as pasted text.
    if (chain->jmenoDialog()->edit()->text() != text)
        chain->jmenoDialog()->edit()->setText(text);
    QTest::keyClick(chain->jmenoDialog()->edit(), Qt::Key_Return);
}

void OptionalCataloguesTest::createRenameAndRemoveCatalogueTwo()
{
    // Catalogue 2 (slot 3) not created: placeholder name, no files.
    p->settings.setOptionalName(2, core::placeholderCatalogueName());
    QFile::remove(p->dir.dataDir() + QStringLiteral("Vazon2.dbf"));
    QFile::remove(p->dir.dataDir() + QStringLiteral("Vazon2.dbt"));
    QFile::remove(p->dir.dataDir() + QStringLiteral("Vazon2.mdx"));

    p->catalogues.showOptionalDialog();
    catalogue::NovyDialog *novy = chain->novyDialog();
    QVERIFY(p->main.placedAbove.contains(QStringLiteral("NovyDialog")));
    QVERIFY(!p->main.mainWindowEnabled && p->main.indicators.contains(QStringLiteral("SBO4")));
    QCOMPARE(novy->entryName(2), core::placeholderCatalogueName());
    QVERIFY(novy->isAvailable(2));
    click(novy->entry(2));
    catalogue::EditaceDialog *editace = chain->editaceDialog();
    QVERIFY(!novy->isEnabled());
    QCOMPARE(editace->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Druhá volitelná databáze"));
    QCOMPARE(editace->pos(), QPoint(novy->x() - 200 < 5 ? novy->x() + 100 : novy->x() - 200, novy->y() + 71));
    // Nothing to remove yet.
    QVERIFY(!editace->canRemove());
    QVERIFY(editace->findChild<QFrame *>(QStringLiteral("C1"))->isVisible());
    // Enter goes back to the list.
    QTest::keyClick(editace, Qt::Key_Return);
    QVERIFY(!editace->isVisible() && novy->isVisible() && novy->isEnabled());
    novy->close();
    QVERIFY(p->main.mainWindowEnabled);

    // Creating: the template copies under the catalogue's names, then the name.
    name(2, QStringLiteral("Knihovna po babičce"));
    QVERIFY(!chain->jmenoDialog()->isVisible());
    QVERIFY(p->main.mainWindowEnabled);
    QCOMPARE(dataFiles(QStringLiteral("Vazon2")),
             QStringList({QStringLiteral("Vazon2.dbf"), QStringLiteral("Vazon2.dbt"), QStringLiteral("Vazon2.mdx")}));
    QCOMPARE(p->settings.optionalName(2), QStringLiteral("Knihovna po babičce"));
    QCOMPARE(p->catalogues.displayName(3), QStringLiteral("Knihovna po babičce"));
    p->catalogues.showOpenDialog();
    QVERIFY(p->catalogues.openDialog()->isAvailable(3));
    p->catalogues.openDialog()->close();

    // Renaming keeps the books.
    CatalogueWindow *w = p->openFromDialog(3);
    addBook(w, QStringLiteral("41"));
    // While its window is open the catalogue cannot be reached.
    p->catalogues.showOptionalDialog();
    QVERIFY(!novy->isAvailable(2));
    QVERIFY(novy->findChild<QFrame *>(QStringLiteral("C3"))->isVisible());
    click(novy->entry(2));
    QVERIFY(!editace->isVisible());
    novy->close();
    QVERIFY(w->requestClose());
    name(2, QStringLiteral("Babiččiny knihy"));
    QCOMPARE(p->settings.optionalName(2), QStringLiteral("Babiččiny knihy"));
    QCOMPARE(p->readBack(3)->recordCount(), 1);

    // The placeholder or an empty text: the warning, nothing written.
    name(2, core::placeholderCatalogueName());
    widgets::Balloon *warning = CatalogueFixture::balloon(QStringLiteral("DotazJmenoDialog"));
    QVERIFY(warning);
    QCOMPARE(warning->text(), QStringLiteral("Nejprve musíte zadat název volitelné databáze."));
    QVERIFY(!chain->jmenoDialog()->isEnabled());
    QTest::keyClick(warning, Qt::Key_Escape);
    QVERIFY(chain->jmenoDialog()->isVisible() && chain->jmenoDialog()->isEnabled());
    QVERIFY(!p->main.mainWindowEnabled);
    CatalogueFixture::type(chain->jmenoDialog()->edit(), QString());
    chain->jmenoDialog()->edit()->clear();
    QTest::keyClick(chain->jmenoDialog()->edit(), Qt::Key_Return);
    QVERIFY(CatalogueFixture::balloon(QStringLiteral("DotazJmenoDialog")));
    CatalogueFixture::balloon(QStringLiteral("DotazJmenoDialog"))->accept();
    QTest::keyClick(chain->jmenoDialog()->edit(), Qt::Key_Escape);
    QVERIFY(!chain->jmenoDialog()->isVisible() && p->main.mainWindowEnabled);
    QCOMPARE(p->settings.optionalName(2), QStringLiteral("Babiččiny knihy"));

    // Removing, with the search copy of this catalogue forgotten.
    p->settings.setAuxiliarySlot(3);
    p->catalogues.showOptionalDialog();
    click(novy->entry(2));
    QVERIFY(editace->canRemove());
    click(label(editace, "OfficeLabel2"));
    widgets::Balloon *question = CatalogueFixture::balloon(QStringLiteral("ZrusitVolitelnyDialog"));
    QVERIFY(question);
    QVERIFY(question->text().contains(QStringLiteral("č. 2 ?")));
    QVERIFY(!novy->isVisible() && !editace->isVisible());
    QTest::keyClick(question, Qt::Key_Escape);
    QCOMPARE(dataFiles(QStringLiteral("Vazon2")).size(), 3);
    p->catalogues.showOptionalDialog();
    click(novy->entry(2));
    click(label(editace, "OfficeLabel2"));
    CatalogueFixture::balloon(QStringLiteral("ZrusitVolitelnyDialog"))->accept();
    QVERIFY(p->main.mainWindowEnabled);
    QCOMPARE(dataFiles(QStringLiteral("Vazon2")), QStringList());
    QCOMPARE(p->settings.optionalName(2), core::placeholderCatalogueName());
    QCOMPARE(p->settings.auxiliarySlot(), 0);
    p->catalogues.showOpenDialog();
    QVERIFY(!p->catalogues.openDialog()->isAvailable(3));
    p->catalogues.openDialog()->close();
    // The other catalogues are untouched.
    QCOMPARE(dataFiles(QStringLiteral("Vazon1")).size(), 3);
}

void OptionalCataloguesTest::namesTheIniFileCannotHoldAreRefused()
{
    const QString before = p->settings.optionalName(1);
    for (const QString &bad : {QStringLiteral("Dvě\nřádky"), QStringLiteral("[Sekce]"), QStringLiteral("Knihy 中文")}) {
        QVERIFY(!catalogue::OptionalCatalogues::nameProblem(bad).isEmpty());
        name(1, bad);
        widgets::Balloon *warning = CatalogueFixture::balloon(QStringLiteral("DotazJmenoDialog"));
        QVERIFY2(warning, qPrintable(bad));
        QVERIFY(warning->text() != QStringLiteral("Nejprve musíte zadat název volitelné databáze."));
        warning->accept();
        QTest::keyClick(chain->jmenoDialog()->edit(), Qt::Key_Escape);
        QCOMPARE(p->settings.optionalName(1), before);
    }
    // A name that differs from the placeholder only in letter case is a name.
    QVERIFY(catalogue::OptionalCatalogues::nameProblem(QStringLiteral("Sbírka € a „uvozovky“ [1]")).isEmpty());
    name(1, core::placeholderCatalogueName().toUpper());
    QVERIFY(!CatalogueFixture::balloon(QStringLiteral("DotazJmenoDialog")));
    QCOMPARE(p->settings.optionalName(1), core::placeholderCatalogueName().toUpper());
}

void OptionalCataloguesTest::missingTemplateChangesNothing()
{
    p->settings.setOptionalName(3, core::placeholderCatalogueName());
    for (const QString &f : dataFiles(QStringLiteral("Vazon3")))
        QFile::remove(p->dir.dataDir() + f);
    QVERIFY(QFile::remove(p->dir.templateDir() + QStringLiteral("Vazon3.Mdx")));
    ErrorBoxes boxes;
    boxes.expectOne();
    name(3, QStringLiteral("Nová"));
    QCOMPARE(boxes.messages.size(), 1);
    QVERIFY(boxes.messages.first().contains(QStringLiteral("Vazon3.Mdx")));
    QCOMPARE(dataFiles(QStringLiteral("Vazon3")), QStringList());
    QVERIFY(QDir(p->dir.dataDir()).entryList({QStringLiteral(".*novy")}, QDir::Files | QDir::Hidden).isEmpty());
    QCOMPARE(p->settings.optionalName(3), core::placeholderCatalogueName());
    QVERIFY(chain->jmenoDialog()->isVisible());
    chain->jmenoDialog()->close();
}

void OptionalCataloguesTest::erasingTheStandardCatalogue()
{
    CatalogueWindow *w = p->openFromDialog(1);
    addBook(w, QStringLiteral("1"));
    addBook(w, QStringLiteral("2"));
    // Not while the standard catalogue's window is open.
    p->catalogues.askEraseStandard();
    QVERIFY(!CatalogueFixture::balloon(QStringLiteral("VymazatDialog")));
    QVERIFY(w->requestClose());
    CatalogueWindow *other = p->openFromDialog(2);
    addBook(other, QStringLiteral("9"));

    // "Ne" and Esc keep the books.
    p->catalogues.askEraseStandard();
    widgets::Balloon *question = CatalogueFixture::balloon(QStringLiteral("VymazatDialog"));
    QVERIFY(question);
    QVERIFY(!p->main.mainWindowEnabled && p->main.indicators.contains(QStringLiteral("SBO6")));
    click(question->noButton());
    QVERIFY(!CatalogueFixture::balloon(QStringLiteral("VymazatDialog")));
    QCOMPARE(p->readBack(1)->recordCount(), 2);
    p->catalogues.askEraseStandard();
    QTest::keyClick(CatalogueFixture::balloon(QStringLiteral("VymazatDialog")), Qt::Key_Escape);
    QCOMPARE(p->readBack(1)->recordCount(), 2);
    QVERIFY(p->main.mainWindowEnabled);

    // "Ano": the empty templates, the search copy forgotten, the optional
    // catalogue's open window untouched.
    p->settings.setAuxiliarySlot(1);
    p->catalogues.askEraseStandard();
    click(CatalogueFixture::balloon(QStringLiteral("VymazatDialog"))->yesButton());
    QVERIFY(!CatalogueFixture::balloon(QStringLiteral("VymazatDialog")));
    QVERIFY(p->main.mainWindowEnabled);
    QVERIFY(p->main.indicators.contains(QStringLiteral("SBO10"))); // a catalogue window is active
    QCOMPARE(p->readBack(1)->recordCount(), 0);
    QCOMPARE(dataFiles(QStringLiteral("VazonS")),
             QStringList({QStringLiteral("VazonS.dbf"), QStringLiteral("VazonS.dbt"), QStringLiteral("VazonS.mdx")}));
    QCOMPARE(p->settings.auxiliarySlot(), 0);
    QCOMPARE(other->table()->recordCount(), 1);
    QVERIFY(other->table()->isActive());
}

// The kept folders and, for each, its files by name with their bytes.
static QMap<QString, QMap<QString, QByteArray>> keptFolders(const platform::ProgramDirectory &dir)
{
    QMap<QString, QMap<QString, QByteArray>> out;
    const QString root = platform::keptRoot(dir);
    for (const QString &folder : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QString &file : QDir(root + folder).entryList(QDir::Files | QDir::Hidden))
            out[folder][file] = testsupport::fileBytes(root + folder + QLatin1Char('/') + file);
    }
    return out;
}

void OptionalCataloguesTest::erasedAndRemovedCataloguesAreKept()
{
    p->main.showErrorBoxes = false;
    const QString data = p->dir.dataDir();
    auto bytesOf = [&](const QString &base) {
        QMap<QString, QByteArray> files;
        for (const QString &f : dataFiles(base))
            files[f] = testsupport::fileBytes(data + f);
        return files;
    };
    CatalogueWindow *w = p->openFromDialog(1);
    addBook(w, QStringLiteral("7"));
    QVERIFY(w->requestClose());
    const QMap<QString, QByteArray> standard = bytesOf(QStringLiteral("VazonS"));
    QCOMPARE(standard.size(), 3);

    // "Ne" and Esc keep nothing.
    p->catalogues.askEraseStandard();
    click(CatalogueFixture::balloon(QStringLiteral("VymazatDialog"))->noButton());
    p->catalogues.askEraseStandard();
    QTest::keyClick(CatalogueFixture::balloon(QStringLiteral("VymazatDialog")), Qt::Key_Escape);
    QVERIFY(keptFolders(p->dir).isEmpty());
    QCOMPARE(bytesOf(QStringLiteral("VazonS")), standard);

    // A kept folder that cannot be made stops the erase: nothing changes.
    testsupport::writeFile(data + QStringLiteral("Zachovane"), "not a folder");
    p->catalogues.askEraseStandard();
    click(CatalogueFixture::balloon(QStringLiteral("VymazatDialog"))->yesButton());
    QCOMPARE(p->main.errors.size(), 1);
    QVERIFY(p->main.errors.at(0).contains(QStringLiteral("nic nebylo změněno")));
    QCOMPARE(bytesOf(QStringLiteral("VazonS")), standard);
    QVERIFY(QFile::remove(data + QStringLiteral("Zachovane")));

    // "Ano": the old bytes, exactly, in a folder named by the time and the name.
    p->catalogues.askEraseStandard();
    click(CatalogueFixture::balloon(QStringLiteral("VymazatDialog"))->yesButton());
    QCOMPARE(p->readBack(1)->recordCount(), 0);
    auto kept = keptFolders(p->dir);
    QCOMPARE(kept.size(), 1);
    QVERIFY(kept.firstKey().endsWith(QStringLiteral(" Standardní databáze")));
    QCOMPARE(kept.first(), standard);

    // Removing optional catalogue 1 keeps its files under its name.
    p->settings.setOptionalName(1, QStringLiteral("Dědečkovy knihy: 1/2"));
    const QMap<QString, QByteArray> first = bytesOf(QStringLiteral("Vazon1"));
    QCOMPARE(first.size(), 3);
    p->catalogues.showOptionalDialog();
    click(chain->novyDialog()->entry(1));
    click(label(chain->editaceDialog(), "OfficeLabel2"));
    QTest::keyClick(CatalogueFixture::balloon(QStringLiteral("ZrusitVolitelnyDialog")), Qt::Key_Escape);
    QCOMPARE(keptFolders(p->dir).size(), 1);
    p->catalogues.showOptionalDialog();
    click(chain->novyDialog()->entry(1));
    click(label(chain->editaceDialog(), "OfficeLabel2"));
    CatalogueFixture::balloon(QStringLiteral("ZrusitVolitelnyDialog"))->accept();
    QCOMPARE(dataFiles(QStringLiteral("Vazon1")), QStringList());
    kept = keptFolders(p->dir);
    QCOMPARE(kept.size(), 2);
    QString removed;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        if (it.key().endsWith(QStringLiteral(" Dědečkovy knihy_ 1_2")))
            removed = it.key();
    QVERIFY2(!removed.isEmpty(), qPrintable(kept.keys().join(QLatin1Char('|'))));
    QCOMPARE(kept.value(removed), first);
    QCOMPARE(p->main.errors.size(), 1);
    const QList<platform::KeptCatalogue> listed = platform::keptCatalogues(p->dir);
    QCOMPARE(listed.size(), 2);
}

QTEST_MAIN(OptionalCataloguesTest)
#include "tst_catalogue_optional_catalogues.moc"
