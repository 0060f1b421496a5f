#pragma once

// The program's plain error box: the message of a failure, shown without
// holding up the event loop.

#include <QString>

class QMessageBox;
class QWidget;

namespace widgets {

// Shows message in an error box over parent (object name "ErrorBox"); the box
// deletes itself when the user closes it. Returns the box.
QMessageBox *openErrorBox(QWidget *parent, const QString &message);

} // namespace widgets
