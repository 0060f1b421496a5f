#pragma once

// The welcome balloon above the assistant: the help topics, the electronic
// manual or starting work. Shown at start-up when [Nastaveni] Uvitani is "1"
// and whenever the assistant is double-clicked.

#include "platform/ProgramDirectory.h"

#include "widgets/BalloonShape.h"

#include <functional>

class QCheckBox;

namespace core {
class Shell;
class SuiteSettings;
}
namespace widgets {
class OfficeLabel;
}

namespace guidance {

class NapovedaDialog;
class PomocnikDialog;

class UvitaniDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    static constexpr int DialogWidth = 389;
    static constexpr int DialogHeight = 140;

    // Give no parent (see PomocnikDialog).
    UvitaniDialog(core::Shell &shell, core::SuiteSettings &suite,
                  const platform::ProgramDirectory &dir, PomocnikDialog &assistant,
                  QWidget *parent = nullptr);

    // The help dialog that the topic-list entry opens (created after us).
    void setHelpDialog(NapovedaDialog *help);

    // The manual entry OfficeLabel3; the main window enables it at start-up
    // only when the manual is installed.
    void setManualEnabled(bool enabled);
    bool manualEnabled() const;
    // Starts the manual; platform::launchManual unless replaced (tests).
    void setManualStarter(std::function<void()> starter);

    // CheckBox1 "Zobrazit tento dialog při každém spuštění programu".
    void setShowAtStart(bool ticked);
    bool showAtStart() const;

    void OfficeLabel2Click(); // the help topic list
    void OfficeLabel3Click(); // the electronic manual; the dialog stays
    void OfficeLabel4Click(); // start working

protected:
    void showEvent(QShowEvent *event) override;
    // Disable the main window and show the status picture while we are up.
    void engageHost() override;
    void releaseHost() override;

private:
    void FormShow();
    // Writes Uvitani from the check box, enables the main window, closes.
    void leave();

    core::Shell &m_shell;
    core::SuiteSettings &m_suite;
    platform::ProgramDirectory m_dir;
    PomocnikDialog &m_assistant;
    NapovedaDialog *m_help = nullptr;
    std::function<void()> m_startManual;

    widgets::OfficeLabel *m_helpList = nullptr; // OfficeLabel2
    widgets::OfficeLabel *m_manual = nullptr;   // OfficeLabel3
    widgets::OfficeLabel *m_start = nullptr;    // OfficeLabel4
    QCheckBox *m_showAtStart = nullptr;         // CheckBox1
};

} // namespace guidance
