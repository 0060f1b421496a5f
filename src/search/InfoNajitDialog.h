#pragma once

// InfoNajitDialog: the small window that shows the auxiliary table being
// built, with the search animation, the phase and a progress bar. A new one
// is made for each build; it keeps the main window disabled while it is up
// and deletes itself when closed.

#include <QWidget>

class QLabel;

namespace widgets {
class BusyAnimation;
class DialogHost;
class GradientProgressBar;
} // namespace widgets

namespace search {

class InfoNajitDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 347;
    static constexpr int ClientHeight = 60;

    explicit InfoNajitDialog(widgets::DialogHost &host, QWidget *parent = nullptr);

    // The phase text (Label2), painted at once.
    void setPhase(const QString &text);
    QString phase() const;
    // The bar (Indikator): its range and position, painted at once.
    void setRange(int maximum);
    void setPosition(int value);
    int position() const;
    int maximum() const;

    // Keeps the window painted during a long step: at most every 50 ms the
    // bar is repainted and the pending paint events are handled (no input).
    void keepPainted();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    widgets::DialogHost &m_host;
    widgets::BusyAnimation *m_animation = nullptr;
    QLabel *m_phase = nullptr;
    widgets::GradientProgressBar *m_bar = nullptr;
    qint64 m_lastPaint = 0;
};

} // namespace search
