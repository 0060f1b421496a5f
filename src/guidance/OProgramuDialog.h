#pragma once

// The about box: the program's name and version.

#include <QWidget>

class QPushButton;

namespace core {
class Shell;
}

namespace guidance {

class OProgramuDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 323;
    static constexpr int ClientHeight = 244;

    // Give no parent (see PomocnikDialog). Shown centred on the screen.
    explicit OProgramuDialog(core::Shell &shell, QWidget *parent = nullptr);

    void Button1Click(); // "Ok"

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    core::Shell &m_shell;
    QPushButton *m_ok = nullptr; // Button1
};

} // namespace guidance
