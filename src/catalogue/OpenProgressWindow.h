#pragma once

// InfoOtevritDialog: the small window that shows a catalogue being opened,
// with the copy animation, the catalogue's name and a progress bar. A new one
// is made for each opening; it keeps the main window disabled while it is up
// and deletes itself when closed.

#include <QWidget>

class QLabel;

namespace widgets {
class BusyAnimation;
class DialogHost;
class GradientProgressBar;
} // namespace widgets

namespace catalogue {

class OpenProgressWindow : public QWidget
{
    Q_OBJECT
public:
    OpenProgressWindow(const QString &catalogueName, widgets::DialogHost &host, QWidget *parent = nullptr);

    // Shows the window and paints it before the caller's long work starts.
    void showPainted();
    // Moves the bar and paints the window again at once.
    void setProgress(int value);
    int progress() const;
    QString catalogueName() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    static constexpr int MaxExposeWaitMs = 300;

    widgets::DialogHost &m_host;
    QLabel *m_name = nullptr;
    widgets::BusyAnimation *m_animation = nullptr;
    widgets::GradientProgressBar *m_bar = nullptr;
};

} // namespace catalogue
