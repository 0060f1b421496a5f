#pragma once

// The pieces the choice dialogs are built of: an office-style entry, the thin
// red line that strikes an unavailable entry through, the rule and the
// "Storno" button, and the report dialogs' serif heading.

#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace widgets {

class OfficeButton;
class OfficeLabel;

QLabel *addHeading(QWidget *dialog, const char *name, const QString &text, const QRect &geometry);
OfficeLabel *addEntry(QWidget *dialog, const char *name, const QString &caption, const QString &hint,
                      const QRect &geometry);
// Red, hidden until the entry it strikes is unavailable.
QFrame *addStrikeLine(QWidget *dialog, const QString &name, const QString &hint, const QRect &geometry);
QFrame *addRule(QWidget *dialog, const QRect &geometry);
// "Storno" (OfficeButton1), closing the dialog.
OfficeButton *addCancel(QWidget *dialog, const QRect &geometry);

} // namespace widgets
