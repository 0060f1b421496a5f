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
    box->show();
    return box;
}

} // namespace widgets
