#pragma once

// Keys that act on a whole dialog: pressed anywhere in it, whichever of its
// controls has the focus, they run the dialog's action (close it, leave it)
// instead of reaching the control.

#include <QList>
#include <QWidget>

#include <functional>

namespace widgets {

// Watches the dialog and every control it holds at the time of the call.
void bindDialogKeys(QWidget *dialog, const QList<int> &keys, std::function<void()> action);

} // namespace widgets
