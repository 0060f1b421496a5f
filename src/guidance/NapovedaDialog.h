#pragma once

// The help balloon above the assistant: one topic at a time, or the list of
// the thirteen topics over the text area.

#include "widgets/BalloonShape.h"

#include <QFont>

class QLabel;

namespace core {
class Shell;
}
namespace widgets {
class OfficeLabel;
}

namespace guidance {

class PomocnikDialog;

class NapovedaDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    static constexpr int DialogWidth = 250;
    static constexpr int DialogHeight = 343;

    // Give no parent (see PomocnikDialog).
    NapovedaDialog(core::Shell &shell, PomocnikDialog &assistant, QWidget *parent = nullptr);

    // The main window's help command (F1): "Práce s databází" while a
    // catalogue window is active, the topic list otherwise; then placed
    // above the assistant and shown.
    void Napoveda1Click();
    // Places the dialog above the assistant (help row) and shows it.
    void placeAndShow();

    // The list with its title "Seznam témat nápovědy" (OfficeLabel1).
    void showTopicList();
    // Title, text and information of topic index (0..12); hides the list.
    void showTopic(int index);
    bool topicListShown() const;

    QString titleText() const;       // Label1
    QString topicText() const;       // Label2
    QString informationText() const; // Label3

    void OfficeLabel1Click(); // "Zobrazit seznam témat nápovědy"
    void OfficeLabel2Click(); // "Opustit nápovědu"

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Disable the main window and show the status picture while we are up.
    void engageHost() override;
    void releaseHost() override;

private:
    // Texts set a little smaller where they would not fit their boxes.
    void setTitle(const QString &title);
    void setTexts(const QString &text, const QString &information);

    core::Shell &m_shell;
    PomocnikDialog &m_assistant;

    QLabel *m_title = nullptr;       // Label1
    QLabel *m_text = nullptr;        // Label2
    QLabel *m_information = nullptr; // Label3
    QWidget *m_list = nullptr;       // Panel1
    QFont m_titleFont;
};

} // namespace guidance
