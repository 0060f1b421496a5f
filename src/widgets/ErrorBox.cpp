#include "ErrorBox.h"

#include <QMessageBox>

namespace widgets {

QMessageBox *openErrorBox(QWidget *parent, const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Ordex 2000"), message,
                                QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("ErrorBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    // A box over the main window while a balloon holds it disabled would be
    // disabled along with it, and nobody could answer it; as a window of its
    // own it stays usable.
    if (!box->isEnabled())
        box->setEnabled(true);
    box->show();
    return box;
}

} // namespace widgets
