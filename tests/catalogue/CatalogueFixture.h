#pragma once

// A fresh program directory in a temporary folder with the four catalogues
// and the ini files, the data module on it, the fake main window and the
// catalogue subsystem, as the program context would build them.

#include "support/ErrorBoxes.h"
#include "support/FakeShell.h"

#include "catalogue/Availability.h"
#include "catalogue/CatalogueServices.h"
#include "catalogue/CatalogueWindow.h"
#include "catalogue/Catalogues.h"
#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"
#include "widgets/Balloon.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The stand-in main window with the command states the real one would show
// now: the active window's snapshot through the availability table.
struct CatalogueShell : FakeShell
{
    using FakeShell::FakeShell;
    catalogue::CommandState commandState(catalogue::Command command) const
    {
        catalogue::ProgramState state;
        if (catalogue::CatalogueWindow *w = catalogue::CatalogueWindow::of(area.activeSubWindow()))
            state.active = w->snapshot();
        return catalogue::availability(state, command);
    }
    bool enabled(catalogue::Command command) const { return commandState(command).enabled; }
};

struct CatalogueFixture
{
    CatalogueFixture();
    ~CatalogueFixture();

    // Opens a slot through the open dialog's entry.
    catalogue::CatalogueWindow *openFromDialog(int slot);
    // A book table of the data directory opened on its own, to read what
    // is on disk.
    std::unique_ptr<dbase::Table> readBack(int slot) const;
    // The visible top-level balloon with that object name, else nullptr.
    static widgets::Balloon *balloon(const QString &objectName);
    // Types text into a control as the user would (select all, then type).
    static void type(QWidget *control, const QString &text);

    QTemporaryDir temp;
    platform::ProgramDirectory dir;
    core::AppSettings settings;
    core::DataModule data;
    CatalogueShell main{FakeShell::Frame::Shown};
    catalogue::Catalogues catalogues;
};
