#pragma once

// A fresh program directory in a temporary folder and a program context
// started on it, as the tests of the application layer use them.

#include "support/ProgramFolder.h"

#include "app/HlavniDialog.h"
#include "app/ProgramContext.h"
#include "core/AppSettings.h"
#include "core/SuiteSettings.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <memory>

struct AppFixture
{
    QTemporaryDir temp;
    QString key = QStringLiteral("OrdexTest-") + QUuid::createUuid().toString(QUuid::WithoutBraces);

    AppFixture() { testsupport::layOutProgram(temp); }

    platform::ProgramDirectory dir() const { return platform::ProgramDirectory(temp.path()); }
    core::AppSettings settings() const { return core::AppSettings(dir()); }
    QString ini(const QString &section, const QString &name) const
    {
        return platform::IniFile(dir().file(QStringLiteral("Ordex2000.ini"))).readString(section, name);
    }
    QString suite(const QString &section, const QString &name) const
    {
        return platform::IniFile(dir().file(QStringLiteral("Tessera.ini"))).readString(section, name);
    }

    // Starts a program on the folder; without the tips and the welcome
    // dialog at start unless asked, so that the main window takes input.
    std::unique_ptr<app::ProgramContext> start(bool tipsAtStart = false, bool welcomeAtStart = false)
    {
        settings().setTipsAtStart(tipsAtStart);
        core::SuiteSettings(dir()).setWelcomeAtStart(welcomeAtStart);
        auto context = std::make_unique<app::ProgramContext>(dir(), key);
        context->start();
        QCoreApplication::processEvents();
        return context;
    }
};

// A command's action of the main window, failing the test when missing.
inline QAction *commandOf(app::HlavniDialog *main, const char *name)
{
    QAction *a = main->command(QLatin1String(name));
    if (!a)
        qFatal("no command %s", name);
    return a;
}
