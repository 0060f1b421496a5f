#include "TestProgram.h"

#include "catalogue/OpenCatalogueDialog.h"
#include "widgets/OfficeLabel.h"

#include "Typing.h"

#ifdef ORDEX_HAVE_PROGRAM_LAYOUT
#include "ProgramLayout.h"
#endif

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

#include <memory>

namespace {

QString preparedDir(const QTemporaryDir &temp)
{
    const QString path = temp.path() + QLatin1Char('/');
#ifdef ORDEX_HAVE_PROGRAM_LAYOUT
    layOutProgramDirectory(path, LayoutMode::Fresh);
#else
    QDir().mkpath(path + QStringLiteral("Data"));
    core::AppSettings::writeFactoryFile(path + QStringLiteral("Ordex2000.ini"));
#endif
    // The optional catalogues exist as the optional-catalogue dialog leaves them.
    for (int slot = 1; slot <= 4; ++slot) {
        const QString file = path + QStringLiteral("Data/") + core::bookTableFile(slot);
        if (slot > 1 || !QFile::exists(file))
            dbase::createTable(file, core::bookFields(), core::bookTags(), true);
    }
    return path;
}

} // namespace

TestProgram::TestProgram()
    : dir(preparedDir(temp))
    , settings(dir)
    , data(dir)
    , catalogues(catalogue::CatalogueServices{data, settings, main, main})
{
    settings.setOptionalName(1, QStringLiteral("Sci-fi sbírka"));
    settings.setOptionalName(2, QStringLiteral("Knihy po dědovi"));
    settings.setOptionalName(3, QStringLiteral("Půjčovna"));
}

TestProgram::~TestProgram()
{
    // Windows go with the frame, without their own close handling.
    main.area.closeAllSubWindows();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<widgets::BalloonWindow *>(w) && w != catalogues.openDialog())
            delete w;
    }
}

catalogue::CatalogueWindow *TestProgram::openFromDialog(int slot)
{
    catalogue::OpenCatalogueDialog *dialog = catalogues.openDialog();
    catalogues.showOpenDialog();
    auto *entry = dialog->findChild<widgets::OfficeLabel *>(QStringLiteral("OfficeLabel%1").arg(slot));
    if (!entry || !entry->isEnabled())
        return nullptr;
    QTest::mouseClick(entry, Qt::LeftButton, {}, QPoint(10, 10));
    return catalogues.window(slot);
}

std::unique_ptr<dbase::Table> TestProgram::readBack(int slot) const
{
    auto table = std::make_unique<dbase::Table>();
    table->setDatabaseName(dir.dataDir());
    table->setTableName(core::bookTableFile(slot));
    table->open();
    table->setOrder(QStringLiteral("CISLO"));
    table->first();
    return table;
}

widgets::Balloon *TestProgram::balloon(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == objectName && w->isVisible())
            return qobject_cast<widgets::Balloon *>(w);
    }
    return nullptr;
}

void TestProgram::type(QWidget *control, const QString &text)
{
    QWidget *target = control;
    if (auto *combo = qobject_cast<QComboBox *>(control))
        target = combo->lineEdit();
    target->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        edit->selectAll();
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(target))
        memo->selectAll();
    typeText(target, text);
}

void ErrorBoxes::expectOne()
{
    if (m_expected++ == 0)
        qApp->installEventFilter(this);
}

bool ErrorBoxes::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && m_expected > 0) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            messages << box->text();
            if (--m_expected == 0)
                qApp->removeEventFilter(this);
            // Answered once it is up, as the user would.
            QMetaObject::invokeMethod(box, &QMessageBox::accept, Qt::QueuedConnection);
        }
    }
    return false;
}
