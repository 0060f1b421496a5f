#pragma once

// The pieces the report dialogs are built of: a bold centred heading, an
// office-style entry, the rule and the "Storno" button.

#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace widgets {
class OfficeButton;
class OfficeLabel;
}

namespace reports {

QLabel *addHeading(QWidget *dialog, const char *name, const QString &text, const QRect &geometry);
widgets::OfficeLabel *addEntry(QWidget *dialog, const char *name, const QString &caption, const QString &hint,
                               const QRect &geometry);
QFrame *addRule(QWidget *dialog, const QRect &geometry);
widgets::OfficeButton *addCancel(QWidget *dialog, const QRect &geometry);

// Left of a sub-dialog beside the selection dialog: 100 to its left, or
// 100 to its right when that would be closer than 5 to the screen's edge.
int subDialogLeft(int selectionLeft);

} // namespace reports
