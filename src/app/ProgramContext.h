#pragma once

// The one object that owns everything the program creates at start-up: the
// data module, the settings, the sounds and every window that lives for the
// whole run, created in the start-up order and handed the references they
// need. main() makes one; a test makes one on a temporary program directory.

#include "platform/ProgramDirectory.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

namespace core {
class AppSettings;
class DataModule;
class GenreChoice;
class SharedPrinter;
class SuiteSettings;
}
namespace platform {
class SingleInstanceGuard;
class Sounds;
}
namespace catalogue {
class Catalogues;
}
namespace search {
class Searches;
}
namespace reports {
class Reports;
}
namespace guidance {
class IniDialog;
class NapovedaDialog;
class OProgramuDialog;
class PomocnikDialog;
class TipyDialog;
class UvitaniDialog;
}

namespace app {

class HlavniDialog;
class KopieDialog;
class SpusteniDialog;

class ProgramContext : public QObject
{
    Q_OBJECT
public:
    // instanceKey names the single-instance lock (tests use their own).
    explicit ProgramContext(const platform::ProgramDirectory &dir,
                            const QString &instanceKey = QStringLiteral("Ordex2000"),
                            QObject *parent = nullptr);
    ~ProgramContext() override;

    // The start: the first instance shows the splash, creates every window in
    // order and shows the main window maximised (returns true); a second
    // instance shows only the assistant and the notice (returns false).
    bool start();

    // The start-up progress values in the order the splash received them.
    QList<int> progressValues() const { return m_progress; }

    const platform::ProgramDirectory &programDirectory() const { return m_dir; }
    core::DataModule *dataModule() const { return m_data.get(); }
    HlavniDialog *mainWindow() const { return m_main.get(); }
    guidance::PomocnikDialog *assistant() const { return m_assistant.get(); }
    guidance::TipyDialog *tipsDialog() const { return m_tips.get(); }
    guidance::UvitaniDialog *welcomeDialog() const { return m_welcome.get(); }
    guidance::IniDialog *iniDialog() const { return m_ini.get(); }
    catalogue::Catalogues *catalogues() const { return m_catalogues.get(); }
    search::Searches *searches() const { return m_searches.get(); }
    reports::Reports *reports() const { return m_reports.get(); }
    KopieDialog *notice() const { return m_notice.get(); }

signals:
    // One value of the splash progress bar, as it is set.
    void progress(int value);
    // The program is over: the main window has closed, or the second
    // instance's notice was confirmed.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void runSecondInstance();
    void endSecondInstance();
    void createWindows(SpusteniDialog &splash);
    void reportDamagedSettings();
    void wireCommands();

    platform::ProgramDirectory m_dir;
    QString m_instanceKey;
    QList<int> m_progress;
    bool m_secondInstanceEnded = false;

    std::unique_ptr<platform::SingleInstanceGuard> m_guard;
    std::unique_ptr<core::AppSettings> m_settings;
    std::unique_ptr<core::SuiteSettings> m_suite;
    std::unique_ptr<platform::Sounds> m_sounds;
    std::unique_ptr<core::DataModule> m_data;
    // State of the whole program that windows show and read: the genre the
    // genre menu picks for the book lists, and the one printer of the
    // printer set-up and the reports.
    std::unique_ptr<core::GenreChoice> m_genre;
    std::unique_ptr<core::SharedPrinter> m_printer;
    // Windows: destroyed before the services above, the main window last.
    std::unique_ptr<HlavniDialog> m_main;
    std::unique_ptr<guidance::PomocnikDialog> m_assistant;
    std::unique_ptr<catalogue::Catalogues> m_catalogues;
    std::unique_ptr<search::Searches> m_searches;
    std::unique_ptr<reports::Reports> m_reports;
    std::unique_ptr<guidance::IniDialog> m_ini;
    std::unique_ptr<guidance::OProgramuDialog> m_about;
    std::unique_ptr<guidance::UvitaniDialog> m_welcome;
    std::unique_ptr<guidance::TipyDialog> m_tips;
    std::unique_ptr<guidance::NapovedaDialog> m_help;
    std::unique_ptr<KopieDialog> m_notice;
};

} // namespace app
