#pragma once

// The one question and warning balloon of the program: title "Ordex 2000",
// a small picture, the message, a rule and one or two office buttons. Each
// balloon dialog of the program is a BalloonSpec.

#include "BalloonShape.h"

#include <QSize>
#include <QString>

class QLabel;

namespace widgets {

class OfficeButton;
class BalloonPicture;

class Balloon : public BalloonWindow
{
    Q_OBJECT

public:
    enum Kind { Question, Warning };
    // What Enter (13) or Esc (27) does.
    enum class KeyAction { Nothing, Accept, Reject };

    struct Spec
    {
        QString objectName;              // "IniDialog", "DotazOdstranitDialog", ...
        QString text;                    // the message, word-wrapped
        Kind kind = Question;
        QSize size = QSize(272, 98);
        QString yesCaption = QStringLiteral("Ano");
        QString yesHint;
        QString noCaption = QStringLiteral("Ne"); // empty = one button only
        QString noHint;
        QString yesObjectName = QStringLiteral("OfficeButton1");
        QString noObjectName = QStringLiteral("OfficeButton2");
        QString windowHint;              // the balloon's own status tip ("Dotaz")
        QString title = QStringLiteral("Ordex 2000");
        QString subtitle;                // a line under the title (display name)
        QString sound;                   // empty = by kind: "Dotaz.wav" / "Info.wav"
        QString indicator;               // empty = by kind: "SBO6" / "SBO7"
        KeyAction enterKey = KeyAction::Accept;
        KeyAction escapeKey = KeyAction::Reject;
        // A close by other means (window manager, close() from the caller)
        // emits rejected() unless this is false.
        bool closeMeansReject = true;
        // Close the balloon after accepted()/rejected() were handled.
        bool closeOnAnswer = true;
        BalloonPosition position = BalloonPosition::RightTop;
        quint32 background = 14745599;   // COLORREF, light yellow
    };

    explicit Balloon(const Spec &spec, QWidget *parent = nullptr);
    // A question of the program: held by the host (the main window takes no
    // input while it is up) and deleted when it closes.
    static Balloon *createHosted(const Spec &spec, DialogHost &host);
    // The program's one-button warning: "Ok" closes it, by Enter and by Esc.
    static Spec warning(const QString &objectName, const QString &text);

    const Spec &spec() const { return m_spec; }

    QString text() const;
    void setText(const QString &text);
    QString subtitle() const;
    void setSubtitle(const QString &subtitle);

    OfficeButton *yesButton() const { return m_yes; }
    OfficeButton *noButton() const { return m_no; } // null with one button

    // Answers as if the button (or its key) had been used.
    void accept();
    void reject();

signals:
    void accepted();
    void rejected();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void answer(bool yes);
    void runKey(KeyAction action);
    void layoutContents();

    Spec m_spec;
    BalloonPicture *m_picture = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_subtitle = nullptr;
    QLabel *m_text = nullptr;
    OfficeButton *m_yes = nullptr;
    OfficeButton *m_no = nullptr;
    bool m_answered = false;
    int m_ruleY = 0;
};

using BalloonSpec = Balloon::Spec;

} // namespace widgets
