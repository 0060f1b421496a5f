#include "ErrorBox.h"

#include <QEvent>
#include <QMessageBox>

namespace widgets {

namespace {

// Keeps the box usable: a balloon that disables the main window while the
// box is up would disable the box along with it (it is the main window's
// child), and an application-modal box that nobody can answer holds the
// whole program.
class StayEnabled : public QObject
{
public:
    explicit StayEnabled(QWidget *box) : QObject(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *box = static_cast<QWidget *>(watched);
            if (!box->isEnabled())
                box->setEnabled(true); // a window may be enabled under a disabled parent
        }
        return false;
    }
};

} // namespace

QMessageBox *openErrorBox(QWidget *parent, const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Ordex 2000"), message,
                                QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("ErrorBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    if (!box->isEnabled())
        box->setEnabled(true);
    new StayEnabled(box);
    box->show();
    return box;
}

} // namespace widgets
