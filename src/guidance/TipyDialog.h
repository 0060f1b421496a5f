#pragma once

// The tips of the day window. It shows the current record of the tips table,
// the same record the main window's tips toolbar shows, so stepping in one
// moves the other. Its first close in a run starts the assistant and the
// welcome dialog.

#include "platform/ProgramDirectory.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace core {
class AppSettings;
class Shell;
class SuiteSettings;
}
namespace dbase {
class Table;
}

namespace guidance {

class PomocnikDialog;
class UvitaniDialog;

class TipyDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 374;
    static constexpr int ClientHeight = 188;

    // tips is the data module's tips table (Table6); it is opened on show
    // when its file is there. Give no parent (see PomocnikDialog).
    TipyDialog(core::Shell &shell, core::AppSettings &settings, core::SuiteSettings &suite,
               const platform::ProgramDirectory &dir, dbase::Table *tips,
               PomocnikDialog &assistant, UvitaniDialog &welcome, QWidget *parent = nullptr);

    // The stepping rules, shared with the main window's TT1 and TT2.
    // Next: at the end go to the first tip, otherwise one forward.
    // Previous: at the beginning go to the last tip, otherwise one back.
    // A closed table is left alone.
    static void nextTip(dbase::Table &tips);
    static void previousTip(dbase::Table &tips);

    // The text shown for the current tip (empty when the table is closed).
    QString currentTipText() const;

    void Button1Click(); // "Zavřít"
    void Button2Click(); // "Další tip"
    void Button3Click(); // "Předchozí tip"

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void showCurrentTip();

    core::Shell &m_shell;
    core::AppSettings &m_settings;
    core::SuiteSettings &m_suite;
    platform::ProgramDirectory m_dir;
    dbase::Table *m_tips;
    PomocnikDialog &m_assistant;
    UvitaniDialog &m_welcome;

    QLabel *m_tip = nullptr;
    QLabel *m_error = nullptr;        // Label5
    QPushButton *m_previous = nullptr; // Button3
    QPushButton *m_next = nullptr;     // Button2
    QPushButton *m_close = nullptr;    // Button1
    QCheckBox *m_showAtStart = nullptr; // CheckBox1
};

} // namespace guidance
