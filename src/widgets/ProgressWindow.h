#pragma once

// The small borderless window that shows long work going on while the main
// window takes no input: a catalogue being opened (InfoOtevritDialog), a
// lending card being linked to the address books (InfoPropojitDialog) and
// the search copy being built (InfoNajitDialog). A new one is made for each
// run; it disables the main window while it is up, shows the status picture
// of its kind, and deletes itself when closed.
//
// The work holds the message loop, so the window is painted whole before
// the work starts and again at every step it is given.

#include <QWidget>

class QLabel;

namespace widgets {

class BusyAnimation;
class DialogHost;
class GradientProgressBar;

class ProgressWindow : public QWidget
{
    Q_OBJECT
public:
    // Opening and Linking: 291 x 107, the copy animation above the text
    // line and the bar. SearchCopy: 347 x 60, the search animation left of
    // the text line and the bar.
    enum class Kind { Opening, Linking, SearchCopy };

    ProgressWindow(Kind kind, const QString &text, DialogHost &host, QWidget *parent = nullptr);

    // Shows the window and paints it before the caller's long work starts.
    void showPainted();

    // The text line (Label2) and the bar (Indikator, 0 .. 100 unless set),
    // painted at once while shown.
    void setText(const QString &text);
    QString text() const;
    void setRange(int maximum);
    void setPosition(int value);
    int position() const;
    int maximum() const;

    // Keeps the window painted during a long step: at most every 50 ms the
    // pending paint and expose events are handled (no input).
    void keepPainted();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    static constexpr int MaxExposeWaitMs = 300;

    void paintNow();

    Kind m_kind;
    DialogHost &m_host;
    BusyAnimation *m_animation = nullptr;
    QLabel *m_text = nullptr;
    GradientProgressBar *m_bar = nullptr;
    qint64 m_lastPaint = 0;
};

} // namespace widgets
