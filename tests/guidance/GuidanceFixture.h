#pragma once

// A fresh program directory in a temporary folder with the settings, the
// assistant and a fake main window, as each guidance test needs them.

#include "support/FakeShell.h"
#include "support/ProgramFolder.h"

#include "core/AppSettings.h"
#include "core/SuiteSettings.h"
#include "guidance/PomocnikDialog.h"
#include "platform/IniFile.h"
#include "platform/ProgramDirectory.h"
#include "platform/Sounds.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

struct GuidanceFixture
{
    static constexpr int ScreenWidth = 1024;
    static constexpr int ScreenHeight = 768;

    GuidanceFixture()
        : dir(testsupport::layOutProgram(tmp))
        , settings(dir)
        , suite(dir)
        , sounds(dir)
        , assistant(std::make_unique<guidance::PomocnikDialog>(suite, sounds))
    {
        assistant->setScreenSize(QSize(ScreenWidth, ScreenHeight));
        assistant->moveHome();
        // The assistant is disabled with the main window; dialogs are placed
        // beside and above it, as the main window does.
        guidance::PomocnikDialog *figure = assistant.get();
        shell.followsMainWindow = figure;
        shell.placeBeside = [figure](QWidget *dialog) { figure->placeBeside(dialog); };
        shell.placeAbove = [figure](QWidget *dialog) { figure->placeAbove(dialog, guidance::PanelPlacement::Standard); };
    }

    // Tessera.ini as another program of the family sees it.
    QString tessera(const char *key) const
    {
        return platform::IniFile(dir.file(QStringLiteral("Tessera.ini")))
            .readString(QStringLiteral("Nastaveni"), QLatin1String(key));
    }
    void writeTessera(const char *key, const QString &value)
    {
        platform::IniFile(dir.file(QStringLiteral("Tessera.ini")))
            .writeString(QStringLiteral("Nastaveni"), QLatin1String(key), value);
    }
    platform::IniFile ordexIni() const
    {
        return platform::IniFile(dir.file(QStringLiteral("Ordex2000.ini")));
    }

    QTemporaryDir tmp;
    platform::ProgramDirectory dir;
    core::AppSettings settings;
    core::SuiteSettings suite;
    platform::Sounds sounds;
    FakeShell shell;
    std::unique_ptr<guidance::PomocnikDialog> assistant;
};
