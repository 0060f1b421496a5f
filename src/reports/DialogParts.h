#pragma once

// The report dialogs are built of the choice dialogs' pieces; the sub-dialogs
// keep their place beside the selection dialog.

#include "widgets/DialogParts.h"

namespace reports {

using widgets::addCancel;
using widgets::addEntry;
using widgets::addHeading;
using widgets::addRule;

// Left of a sub-dialog beside the selection dialog: 100 to its left, or
// 100 to its right when that would be closer than 5 to the screen's edge.
int subDialogLeft(int selectionLeft);

} // namespace reports
