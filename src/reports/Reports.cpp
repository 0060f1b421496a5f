#include "Reports.h"

#include "Vysledek1Dialog.h"
#include "DialogParts.h"
#include "PrinterQuestions.h"
#include "ReportRunner.h"
#include "NahledDialog.h"
#include "SubDialog.h"

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/GenreChoice.h"
#include "core/SearchCopy.h"
#include "core/SharedPrinter.h"
#include "core/Shell.h"
#include "dbase/DbfTypes.h"

#include <QPrintDialog>

namespace reports {

Reports::Reports(const ReportServices &services, QObject *parent)
    : QObject(parent)
    , m_services(services)
{
    core::GenreChoice *genre = &services.genre;
    core::SharedPrinter *printer = &services.printer;
    m_runner = std::make_unique<ReportRunner>(
        services.data.searchCopy().table(), [genre] { return genre->genre(); },
        [printer] { return printer->installedPrinter(); });
    m_runner->setErrorDisplay([&shell = services.shell](const QString &message) { shell.showError(message); });
    m_runner->setNoPrinterQuestion([&shell = services.shell] { return askForPreviewInstead(shell); });
    m_selection = std::make_unique<NahledDialog>(services.shell);
    m_title = std::make_unique<SubDialog>(SubDialog::Kind::TitleList, services.shell);
    m_number = std::make_unique<SubDialog>(SubDialog::Kind::NumberList, services.shell);
    m_author = std::make_unique<SubDialog>(SubDialog::Kind::Authors, services.shell);
    m_picker = std::make_unique<Vysledek1Dialog>(services.data, services.shell);

    connect(m_selection.get(), &NahledDialog::titleListChosen, this, [this] { openBookList(m_title.get()); });
    connect(m_selection.get(), &NahledDialog::numberListChosen, this, [this] { openBookList(m_number.get()); });
    connect(m_selection.get(), &NahledDialog::authorsChosen, this, &Reports::startAuthors);
    for (SubDialog *sub : {m_title.get(), m_number.get(), m_author.get()}) {
        // Closing a sub-dialog ("Storno", Esc, Enter) gives the selection back.
        connect(sub, &widgets::BalloonWindow::closed, this, [this] { m_selection->setEnabled(true); });
    }
    connect(m_title.get(), &SubDialog::detailChosen, this,
            [this](ListDetail d) { runBookList(ReportKind::Title, d); });
    connect(m_number.get(), &SubDialog::detailChosen, this,
            [this](ListDetail d) { runBookList(ReportKind::Number, d); });
    connect(m_author.get(), &SubDialog::allAuthorsChosen, this, [this] {
        const QString mark = m_author->modeMark();
        closeSelection();
        m_author->close();
        runForm(ReportKind::Authors, mark);
    });
    connect(m_author.get(), &SubDialog::oneAuthorChosen, this, [this] {
        closeSelection();
        m_author->close();
        m_picker->show();
    });
    connect(m_picker.get(), &Vysledek1Dialog::authorConfirmed, this, [this](const QString &author) {
        try {
            ReportForm::restrictToAuthor(m_services.data.searchCopy().table(), author);
        } catch (const dbase::Error &e) {
            m_services.shell.showError(e.message());
            return;
        }
        m_authorForm.setHeading(author);
        runForm(ReportKind::Author, m_picker->modeMark());
    });
}

Reports::~Reports() = default;

ReportForm &Reports::form(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Number:
        return m_numberForm;
    case ReportKind::Authors:
        return m_authorsForm;
    case ReportKind::Author:
        return m_authorForm;
    default:
        return m_titleForm;
    }
}

void Reports::setUpPrinter(QWidget &parent)
{
    if (!m_services.printer.installed()) {
        warnNoPrinter(m_services.shell);
        return;
    }
    QPrintDialog dialog(m_services.printer.printer(), &parent);
    dialog.setWindowTitle(QStringLiteral("Nastavení tiskárny"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

void Reports::showSelection(int slot, bool preview)
{
    if (slot >= 1 && slot <= 4)
        m_selection->setSlotText(QString::number(slot));
    m_selection->setPreviewMode(preview);
    m_selection->setEnabled(true);
    m_services.shell.placeAboveAssistant(m_selection.get());
}

void Reports::openBookList(SubDialog *dialog)
{
    m_selection->setEnabled(false);
    dialog->move(subDialogLeft(m_selection->x()), m_selection->y() + 30);
    dialog->setModeMark(m_selection->modeMark());
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void Reports::closeSelection()
{
    m_selection->setEnabled(true);
    m_selection->close();
}

bool Reports::rebuild()
{
    // Until the build has finished the auxiliary table holds no catalogue.
    m_services.settings.setAuxiliarySlot(0);
    return m_services.data.searchCopy().rebuild(m_selection->slotText().toInt(), m_services.settings,
                                                m_services.shell);
}

void Reports::runBookList(ReportKind kind, ListDetail detail)
{
    SubDialog *dialog = kind == ReportKind::Title ? m_title.get() : m_number.get();
    const QString mark = dialog->modeMark();
    dialog->close();
    closeSelection();
    if (!rebuild())
        return;
    form(kind).setDetail(detail);
    runForm(kind, mark);
}

void Reports::startAuthors()
{
    closeSelection();
    if (!rebuild())
        return;
    try {
        m_services.data.searchCopy().reopen();
    } catch (const dbase::Error &e) {
        m_services.shell.showError(e.message());
        return;
    }
    const QString mark = m_selection->modeMark();
    m_picker->setModeMark(mark);
    m_author->setModeMark(mark);
    m_selection->show();
    m_selection->raise();
    m_selection->setEnabled(false);
    m_author->move(subDialogLeft(m_selection->x()), m_selection->y() + 60);
    m_author->show();
    m_author->raise();
    m_author->activateWindow();
}

void Reports::runForm(ReportKind kind, const QString &mark)
{
    if (mark == QLatin1String("T"))
        m_runner->print(form(kind));
    else
        m_runner->preview(form(kind));
    // However the report ended, the next reader finds the copy unfiltered.
    m_services.data.searchCopy().release();
    emit reportFinished(kind);
}

} // namespace reports
