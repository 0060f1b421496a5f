#include "DialogParts.h"

namespace reports {

int subDialogLeft(int selectionLeft)
{
    const int left = selectionLeft - 100;
    return left < 5 ? selectionLeft + 100 : left;
}

} // namespace reports
