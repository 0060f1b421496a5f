#include "OrdexApplication.h"

#include "ErrorBox.h"

#include <QFont>

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
        showErrorBox(activeWindow(), QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(activeWindow(), QStringLiteral("Neočekávaná chyba programu."));
    }
    return false;
}

} // namespace app
