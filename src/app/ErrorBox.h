#pragma once

// The program's plain error box: the message of a failure, shown without
// holding up the event loop.

#include <QString>

class QMessageBox;
class QWidget;

namespace app {

// Shows message in an error box over parent; the box deletes itself when
// the user closes it. Returns the box.
QMessageBox *showErrorBox(QWidget *parent, const QString &message);

} // namespace app
