#pragma once

// The program's plain error box: the message of a failure, shown without
// holding up the event loop. Every failure the user is told about goes
// through it, mostly by way of core::Shell::showError.

#include <QString>

class QMessageBox;
class QWidget;

namespace widgets {

// Shows message in an error box over parent (object name "ErrorBox"); the box
// takes input even while parent is disabled, and deletes itself when the
// user closes it. Returns the box.
QMessageBox *openErrorBox(QWidget *parent, const QString &message);

} // namespace widgets
