#include "ErrorBox.h"

#include "widgets/ErrorBox.h"

namespace app {

QMessageBox *showErrorBox(QWidget *parent, const QString &message)
{
    return widgets::openErrorBox(parent, message);
}

} // namespace app
