#pragma once

// The pieces the choice dialogs are built of: the balloon dialog's own
// settings, its bold title, an office-style entry, the thin red line that
// strikes an unavailable entry through, the rule and the "Storno" button,
// and the report dialogs' serif heading.

#include <QRect>
#include <QSize>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace widgets {

class BalloonWindow;
class DialogHost;
class OfficeButton;
class OfficeLabel;

// What a balloon dialog sets before its contents: its name, the hint it
// shows in the status bar, its title, its fixed size, the light yellow of
// every balloon, and, for a dialog that holds the program while it is up,
// its host with the indicator picture and the sound (see BalloonWindow).
struct BalloonFrame
{
    QString objectName;
    QString hint;
    QString title;
    QSize size;
    DialogHost *host = nullptr; // null: another dialog holds the program
    QString indicator;
    QString sound;
};
void setUpBalloon(BalloonWindow *dialog, const BalloonFrame &frame);

// "Label1": the dialog's font in bold, centred; wrapped onto a second line
// when wrap is set.
QLabel *addTitle(QWidget *dialog, const QString &text, const QRect &geometry, bool wrap);

QLabel *addHeading(QWidget *dialog, const char *name, const QString &text, const QRect &geometry);
OfficeLabel *addEntry(QWidget *dialog, const char *name, const QString &caption, const QString &hint,
                      const QRect &geometry);
// Red, hidden until the entry it strikes is unavailable.
QFrame *addStrikeLine(QWidget *dialog, const QString &name, const QString &hint, const QRect &geometry);
QFrame *addRule(QWidget *dialog, const QRect &geometry);
// "Storno" (OfficeButton1), closing the dialog.
OfficeButton *addCancel(QWidget *dialog, const QRect &geometry);

} // namespace widgets
