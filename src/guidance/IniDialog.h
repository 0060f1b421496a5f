#pragma once

// The restore-settings question: a balloon beside the assistant asking
// whether to put the view settings and run-time markers of Ordex2000.ini
// back to their factory values.

#include <QObject>

class QWidget;

namespace core {
class AppSettings;
class Shell;
}

namespace guidance {

class IniDialog : public QObject
{
    Q_OBJECT
public:
    static constexpr int DialogWidth = 300;
    static constexpr int DialogHeight = 98;

    IniDialog(core::Shell &shell, core::AppSettings &settings, QObject *parent = nullptr);
    ~IniDialog() override;

    // The balloon window itself, object name "IniDialog".
    QWidget *window() const;

    // The main window's MN5: places the balloon beside the assistant and
    // shows it without waiting.
    void MN5Click();

    void OfficeButton1Click(); // "Ano" and Enter: restore, then close
    void OfficeButton2Click(); // "Ne" and Esc: close, nothing written

signals:
    // The factory values were written; the main window shows its bars again.
    void restored();

private:
    void restore();

    core::Shell &m_shell;
    core::AppSettings &m_settings;
    QWidget *m_window = nullptr; // a widgets::Balloon, owned here
};

} // namespace guidance
