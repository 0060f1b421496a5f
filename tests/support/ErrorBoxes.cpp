#include "ErrorBoxes.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>

void ErrorBoxes::expectOne()
{
    if (m_expected++ == 0)
        qApp->installEventFilter(this);
}

bool ErrorBoxes::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && m_expected > 0) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            messages << box->text();
            if (--m_expected == 0)
                qApp->removeEventFilter(this);
            // Answered once it is up, as the user would.
            QMetaObject::invokeMethod(box, &QMessageBox::accept, Qt::QueuedConnection);
        }
    }
    return false;
}
