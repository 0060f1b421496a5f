#pragma once

// The program a benchmark runs on: a program directory laid out fresh in a
// temporary folder, its catalogues filled by the benchmark, the settings and
// the data module on it, and a quiet shell in place of the main window.
// Needs ordex_core and ordex_layout.

#include "ProgramLayout.h"

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "platform/ProgramDirectory.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>

namespace benchdata {

// Stands in for the main window: nothing is disabled, shown or played; a
// placed dialog shows where it is; errors are kept for the report.
class QuietShell : public core::Shell
{
public:
    void setMainWindowEnabled(bool) override {}
    void setIndicatorVisible(const QString &, bool) override {}
    void playSound(const QString &) override {}
    QWidget *activeCatalogueWindow() const override { return nullptr; }
    int activeSlot() const override { return slot; }
    void placeBesideAssistant(QWidget *dialog) override { dialog->show(); }
    void placeAboveAssistant(QWidget *dialog) override
    {
        if (placeAbove)
            placeAbove(dialog);
        dialog->show();
    }
    void showError(const QString &message) override { errors << message; }

    int slot = 0;                               // the active catalogue's slot
    std::function<void(QWidget *)> placeAbove;  // moves a dialog before it shows
    QStringList errors;
};

class BenchProgram
{
public:
    // fill writes the books into the laid-out directory (its path ends with
    // '/') before the settings and the tables are read.
    explicit BenchProgram(const std::function<void(const QString &root)> &fill = {})
        : root(laidOut(temp, fill))
        , dir(root)
        , settings(dir)
        , data(dir)
    {
    }

    QTemporaryDir temp;
    const QString root;
    const platform::ProgramDirectory dir;
    core::AppSettings settings;
    core::DataModule data;
    QuietShell shell;

private:
    static QString laidOut(const QTemporaryDir &temp, const std::function<void(const QString &)> &fill)
    {
        const QString path = temp.path() + QLatin1Char('/');
        layOutProgramDirectory(path, LayoutMode::Fresh);
        if (fill)
            fill(path);
        return path;
    }
};

} // namespace benchdata
