#include "ProgramContext.h"

#include "CatalogueArea.h"
#include "CommandTable.h"
#include "HlavniDialog.h"
#include "KopieDialog.h"
#include "TipLine.h"
#include "SpusteniDialog.h"
#include "ViewToggles.h"

#include "catalogue/CatalogueServices.h"
#include "catalogue/Catalogues.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/GenreChoice.h"
#include "core/SharedPrinter.h"
#include "core/SuiteSettings.h"
#include "widgets/ErrorBox.h"
#include "guidance/IniDialog.h"
#include "guidance/NapovedaDialog.h"
#include "guidance/OProgramuDialog.h"
#include "guidance/PomocnikDialog.h"
#include "guidance/TipyDialog.h"
#include "guidance/UvitaniDialog.h"
#include "platform/IniFile.h"
#include "platform/Launcher.h"
#include "platform/SingleInstance.h"
#include "platform/Sounds.h"
#include "search/Searches.h"
#include "reports/Reports.h"

#include <QAction>
#include <QApplication>

#include <functional>

namespace app {

ProgramContext::ProgramContext(const platform::ProgramDirectory &dir, const QString &instanceKey,
                               QObject *parent)
    : QObject(parent)
    , m_dir(dir)
    , m_instanceKey(instanceKey)
{
}

ProgramContext::~ProgramContext()
{
    // The windows go first: they refer to the services.
    m_notice.reset();
    m_help.reset();
    m_tips.reset();
    m_welcome.reset();
    m_about.reset();
    m_ini.reset();
    m_searches.reset();
    m_reports.reset();
    m_catalogues.reset();
    m_main.reset();
    m_assistant.reset();
}

bool ProgramContext::start()
{
    m_guard = std::make_unique<platform::SingleInstanceGuard>(m_instanceKey);
    m_settings = std::make_unique<core::AppSettings>(m_dir);
    m_suite = std::make_unique<core::SuiteSettings>(m_dir);
    m_sounds = std::make_unique<platform::Sounds>(m_dir);
    m_genre = std::make_unique<core::GenreChoice>();
    m_printer = std::make_unique<core::SharedPrinter>();
    if (m_guard->isAnotherRunning()) {
        runSecondInstance();
        return false;
    }
    // No catalogue window is open before this run starts; a marker left at
    // 1 by a run that was killed would keep its catalogue out of the open
    // dialog until the settings were restored.
    for (int slot = 1; slot <= 4; ++slot)
        if (m_settings->catalogueOpen(slot))
            m_settings->setCatalogueOpen(slot, false);

    SpusteniDialog splash;
    connect(&splash, &SpusteniDialog::progressChanged, this, [this](int value) {
        m_progress.append(value);
        emit progress(value);
    });
    splash.show();
    splash.repaint();
    QCoreApplication::setApplicationName(QStringLiteral("Ordex 2000"));

    createWindows(splash);
    splash.setProgress(100);
    splash.hide();

    m_main->showMaximized();
    reportDamagedSettings();
    return true;
}

void ProgramContext::reportDamagedSettings()
{
    // What cannot be read of a settings file reads as its default all the
    // run; it is said once, here.
    QStringList damage;
    for (const QString &path : {m_settings->path(), m_suite->path()}) {
        const QString why = platform::IniFile(path).damage();
        if (!why.isEmpty())
            damage << why;
    }
    if (!damage.isEmpty())
        widgets::openErrorBox(m_main.get(), damage.join(QStringLiteral("\n\n")));
}

void ProgramContext::createWindows(SpusteniDialog &splash)
{
    // The creation order of the start-up. Rows without a window stand for
    // windows made elsewhere or later; they still move the progress bar.
    const std::pair<int, std::function<void()>> rows[] = {
        {3, [this] { m_data = std::make_unique<core::DataModule>(m_dir); }},
        {4, nullptr},  // TiskAbecedaDialog
        {10, nullptr}, // TiskAutor1Dialog
        {14, nullptr}, // TiskAutorDialog
        {17, [this] { m_main = std::make_unique<HlavniDialog>(m_dir, *m_data, *m_settings, *m_suite, *m_sounds,
                                                      *m_genre, *m_printer);
         }},
        {20, nullptr}, // NovyDialog
        {24, nullptr}, // EditaceDialog
        {27, [this] {
             m_assistant = std::make_unique<guidance::PomocnikDialog>(*m_suite, *m_sounds);
             m_main->setAssistant(m_assistant.get());
         }},
        {30, nullptr}, // JmenoDialog
        {34, nullptr}, // ZrusitVolitelnyDialog
        {37, nullptr}, // DotazJmenoDialog
        {40, [this] {
             const catalogue::CatalogueServices services{*m_data, *m_settings, *m_main, *m_main->catalogueArea()};
             m_catalogues = std::make_unique<catalogue::Catalogues>(services);
         }},
        {44, [this] {
             // NahledDialog with its sub-dialogs, the author picker and the four report forms.
             const reports::ReportServices services{*m_data, *m_settings, *m_main, *m_genre, *m_printer};
             m_reports = std::make_unique<reports::Reports>(services);
         }},
        {47, nullptr}, // DotazKonecDialog
        {50, nullptr}, // DotazOdstranitDialog
        {54, [this] { // NajitDialog, with PomocnaDialog and VysledekDialog
             m_searches = std::make_unique<search::Searches>(
                 search::SearchServices{*m_data, *m_settings, *m_main});
         }},
        {57, nullptr}, // VysledekDialog
        {60, nullptr}, // VymazatDialog
        {64, [this] { m_ini = std::make_unique<guidance::IniDialog>(*m_main, *m_settings); }},
        {70, [this] { m_about = std::make_unique<guidance::OProgramuDialog>(*m_main); }},
        {77, [this] {
             m_welcome = std::make_unique<guidance::UvitaniDialog>(*m_main, *m_suite, m_dir, *m_assistant);
             m_assistant->setWelcomeDialog(m_welcome.get());
             m_main->setWelcomeDialog(m_welcome.get());
         }},
        {80, nullptr}, // TiskCisloDialog
        {84, nullptr}, // AbecedaDialog
        {87, nullptr}, // PomocnaDialog
        {90, nullptr}, // CisloDialog, DotazVypujckaDialog
        {93, [this] {
             m_tips = std::make_unique<guidance::TipyDialog>(*m_main, *m_settings, *m_suite, m_dir,
                                                             m_data->tipsTable(), *m_assistant, *m_welcome);
             m_main->setTipsDialog(m_tips.get());
             m_help = std::make_unique<guidance::NapovedaDialog>(*m_main, *m_assistant);
             m_welcome->setHelpDialog(m_help.get());
         }},
        {97, nullptr}, // Vysledek1Dialog, AutorDialog
    };
    for (const auto &[value, create] : rows) {
        splash.setProgress(value);
        if (create)
            create();
    }
    wireCommands();
}

void ProgramContext::wireCommands()
{
    using C = core::Command;
    HlavniDialog *main = m_main.get();
    CatalogueArea *area = main->catalogueArea();
    ViewToggles *toggles = main->viewToggles();
    catalogue::Catalogues *catalogues = m_catalogues.get();
    // A record command goes to the active catalogue window's one way in;
    // the states follow at once.
    auto onActive = [main, catalogues](C c) {
        return [main, catalogues, c] {
            catalogues->performOnActive(c);
            main->scheduleRefresh();
        };
    };
    auto toggle = [toggles](int index) { return [toggles, index] { toggles->toggle(index); }; };
    auto showWindow = [area](int slot) { return [area, slot] { area->showWindowOfSlot(slot); }; };

    // What every command does: (command, receiver, handler). The menus,
    // toolbars, side bar and context menus all show these actions.
    const struct Wire
    {
        C command;
        QObject *receiver;
        std::function<void()> handler;
    } wires[] = {
        {C::OptionalCatalogues, catalogues, [catalogues] { catalogues->showOptionalDialog(); }},
        {C::OpenCatalogue, catalogues, [catalogues] { catalogues->showOpenDialog(); }},
        {C::CloseWindow, catalogues, [catalogues] { catalogues->closeActive(); }},
        {C::Preview, catalogues, onActive(C::Preview)},
        {C::PrinterSetup, m_reports.get(), [this, main] { m_reports->setUpPrinter(*main); }},
        {C::Print, catalogues, onActive(C::Print)},
        {C::Exit, main, [main] { main->close(); }},
        {C::Cut, catalogues, onActive(C::Cut)},
        {C::Copy, catalogues, onActive(C::Copy)},
        {C::Paste, catalogues, onActive(C::Paste)},
        {C::DeleteRecord, catalogues, onActive(C::DeleteRecord)},
        {C::EditRecord, catalogues, onActive(C::EditRecord)},
        {C::SaveRecord, catalogues, onActive(C::SaveRecord)},
        {C::UndoRecord, catalogues, onActive(C::UndoRecord)},
        {C::Find, catalogues, onActive(C::Find)},
        {C::First, catalogues, onActive(C::First)},
        {C::Prior, catalogues, onActive(C::Prior)},
        {C::Next, catalogues, onActive(C::Next)},
        {C::Last, catalogues, onActive(C::Last)},
        {C::NewRecord, catalogues, onActive(C::NewRecord)},
        {C::ClearStandard, catalogues, [catalogues] { catalogues->askEraseStandard(); }},
        {C::RestoreSettings, m_ini.get(), [this] { m_ini->MN5Click(); }},
        {C::ShowTips, m_tips.get(), [this] { m_tips->show(); }},
        {C::TileSideBySide, area, [area] { area->tileSideBySide(); }},
        {C::TileStacked, area, [area] { area->tileStacked(); }},
        {C::Cascade, area, [this, area] { area->cascade([this](int slot) { return m_settings->catalogueOpen(slot); }); }},
        {C::MinimiseAll, area, [area] { area->minimiseAll(); }},
        {C::ArrangeIcons, area, [area] { area->arrangeIcons(); }},
        {C::WindowEntry1, area, showWindow(1)},
        {C::WindowEntry2, area, showWindow(2)},
        {C::WindowEntry3, area, showWindow(3)},
        {C::WindowEntry4, area, showWindow(4)},
        {C::Help, m_help.get(), [this] { m_help->Napoveda1Click(); }},
        {C::Manual, main, [this] { platform::launchManual(m_dir); }},
        {C::About, m_about.get(), [this] { m_about->show(); }},
        {C::PreviousTip, main->tipLine(), [main] { main->tipLine()->previousTip(); }},
        {C::NextTip, main->tipLine(), [main] { main->tipLine()->nextTip(); }},
        {C::HelpButton, m_help.get(), [this] { m_help->Napoveda1Click(); }},
        {C::ViewStandard, toggles, toggle(0)},
        {C::ViewDatabase, toggles, toggle(1)},
        {C::ViewWindows, toggles, toggle(2)},
        {C::ViewTips, toggles, toggle(3)},
        {C::ViewStatusBar, toggles, toggle(4)},
        {C::ViewSideBar, toggles, toggle(5)},
    };
    for (const Wire &wire : wires)
        connect(main->commands()->action(wire.command), &QAction::triggered, wire.receiver, wire.handler);

    // Find and the reports, from the main window's commands and from every
    // catalogue window's own menu, go straight to the searches and reports.
    connect(catalogues, &catalogue::Catalogues::findRequested, m_searches.get(), &search::Searches::showFindDialog);
    connect(catalogues, &catalogue::Catalogues::reportRequested, m_reports.get(), &reports::Reports::showSelection);
    connect(m_ini.get(), &guidance::IniDialog::restored, toggles, &ViewToggles::apply);
    connect(catalogues, &catalogue::Catalogues::exitMayContinue, main, &QWidget::close);
    main->setCatalogues(catalogues);
    connect(main, &HlavniDialog::closed, this, [this] {
        m_assistant->endWithProgram();
        emit finished();
    });
}

bool ProgramContext::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_assistant.get() && event->type() == QEvent::Close && m_notice
        && !m_notice->isVisible()) {
        QMetaObject::invokeMethod(this, &ProgramContext::endSecondInstance, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void ProgramContext::endSecondInstance()
{
    if (m_secondInstanceEnded)
        return;
    m_secondInstanceEnded = true;
    m_assistant->endWithProgram();
    emit finished();
}

void ProgramContext::runSecondInstance()
{
    QCoreApplication::setApplicationName(QStringLiteral("Ordex 2000"));
    // The assistant is this instance's only window besides the notice.
    m_assistant = std::make_unique<guidance::PomocnikDialog>(*m_suite, *m_sounds);
    m_notice = std::make_unique<KopieDialog>(m_assistant.get());
    m_assistant->centreOnScreen();
    m_notice->placeBesideAssistant();
    connect(m_notice.get(), &KopieDialog::confirmed, this, &ProgramContext::endSecondInstance);
    // The assistant is this instance's main window: closing it by other means
    // than the notice ends the instance as well.
    m_assistant->installEventFilter(this);
    m_notice->show();
    m_assistant->show();
    m_notice->raise();
    m_notice->activateWindow();
}

} // namespace app
