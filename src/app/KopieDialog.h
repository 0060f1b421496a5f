#pragma once

// The notice of a second start: a blinking balloon beside the assistant
// saying that a copy of the program is already running. Confirming it ends
// this second instance.

#include "widgets/BalloonShape.h"

class QTimer;

namespace app {

class KopieDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    static constexpr int DialogWidth = 320;
    static constexpr int DialogHeight = 97;

    // assistant: the window this notice disables while it is up and closes
    // when the user confirms.
    explicit KopieDialog(QWidget *assistant, QWidget *parent = nullptr);

    // Left of the assistant, overlapping it by 35 pixels, bottoms level.
    void placeBesideAssistant();

    void OfficeButton2Click(); // "Ok", Enter, Esc

signals:
    // The user confirmed the notice: the instance ends.
    void confirmed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Timer1Timer();

    QWidget *m_assistant;
    QTimer *m_timer;
};

} // namespace app
