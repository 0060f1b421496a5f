#include "OrdexApplication.h"

#include <QMessageBox>

#include <exception>

namespace app {

OrdexApplication::OrdexApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
}

bool OrdexApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Ordex 2000"), QString::fromUtf8(e.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Ordex 2000"),
                              QStringLiteral("Neočekávaná chyba programu."));
    }
    return false;
}

} // namespace app
