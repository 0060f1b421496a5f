#include "CatalogueFixture.h"

#include "catalogue/OtevreniDialog.h"
#include "widgets/OfficeLabel.h"

#include "support/ProgramFolder.h"
#include "support/Typing.h"

CatalogueFixture::CatalogueFixture()
    : dir(testsupport::layOutProgram(temp, testsupport::OptionalCatalogues::Created))
    , settings(dir)
    , data(dir)
    , catalogues(catalogue::CatalogueServices{data, settings, main, main.area})
{
    settings.setOptionalName(1, QStringLiteral("Sci-fi sbírka"));
    settings.setOptionalName(2, QStringLiteral("Knihy po dědovi"));
    settings.setOptionalName(3, QStringLiteral("Půjčovna"));
}

CatalogueFixture::~CatalogueFixture()
{
    // Windows go with the frame, without their own close handling.
    main.area.closeAllSubWindows();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<widgets::BalloonWindow *>(w) && w != catalogues.openDialog())
            delete w;
    }
}

catalogue::CatalogueWindow *CatalogueFixture::openFromDialog(int slot)
{
    catalogue::OtevreniDialog *dialog = catalogues.openDialog();
    catalogues.showOpenDialog();
    auto *entry = dialog->findChild<widgets::OfficeLabel *>(QStringLiteral("OfficeLabel%1").arg(slot));
    if (!entry || !entry->isEnabled())
        return nullptr;
    QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(10, 10));
    return catalogues.window(slot);
}

std::unique_ptr<dbase::Table> CatalogueFixture::readBack(int slot) const
{
    auto table = std::make_unique<dbase::Table>();
    table->setDatabaseName(dir.dataDir());
    table->setTableName(core::bookTableFile(slot));
    table->open();
    table->setOrder(QStringLiteral("CISLO"));
    table->first();
    return table;
}

widgets::Balloon *CatalogueFixture::balloon(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName && w->isVisible())
            return qobject_cast<widgets::Balloon *>(w);
    }
    return nullptr;
}

void CatalogueFixture::type(QWidget *control, const QString &text)
{
    typeOver(control, text);
}
