#include "OrdexApplication.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "widgets/ErrorBox.h"

#include <QFont>

#include <exception>

namespace app {

OrdexApplication::OrdexApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    // Qt's own dialogs (saving a PDF, the printer set-up) speak Czech too.
    auto *qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    else
        delete qtTexts;
}

bool OrdexApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        widgets::openErrorBox(activeWindow(), QString::fromUtf8(e.what()));
    } catch (...) {
        widgets::openErrorBox(activeWindow(), QStringLiteral("Neočekávaná chyba programu."));
    }
    return false;
}

} // namespace app
