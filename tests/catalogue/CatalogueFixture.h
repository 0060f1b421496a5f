#pragma once

// A fresh program directory in a temporary folder with the four catalogues
// and the ini files, the data module on it, the fake main window and the
// catalogue subsystem, as the program context would build them.

#include "support/ErrorBoxes.h"
#include "support/FakeShell.h"

#include "core/Availability.h"
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

#include <functional>
#include <memory>

// The stand-in main window with the command states the real one would show
// now: the active window's snapshot through the availability table.
struct CatalogueShell : FakeShell
{
    using FakeShell::FakeShell;
    core::CommandState commandState(core::Command command) const
    {
        core::ProgramState state;
        if (catalogue::CatalogueWindow *w = catalogue::CatalogueWindow::of(area.activeSubWindow()))
            state.active = w->snapshot();
        return core::availability(state, command);
    }
    bool enabled(core::Command command) const { return commandState(command).enabled; }

    // The Okno menu's entries as the main window's refresh captions them:
    // one per open window in the frame, with the catalogue's name.
    template <typename T>
    struct EntryView
    {
        std::function<T(int slot)> of;
        T value(int slot) const { return of(slot); }
    };
    catalogue::CatalogueWindow *entryWindow(int slot) const
    {
        for (QMdiSubWindow *sub : area.subWindowList()) {
            catalogue::CatalogueWindow *w = catalogue::CatalogueWindow::of(sub);
            if (w && w->slot() == slot && !sub->isHidden())
                return w;
        }
        return nullptr;
    }
    EntryView<QString> entryCaption{[this](int slot) {
        catalogue::CatalogueWindow *w = entryWindow(slot);
        return w ? w->displayName() : QString();
    }};
    EntryView<bool> entryVisible{[this](int slot) { return entryWindow(slot) != nullptr; }};
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
