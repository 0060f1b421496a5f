#pragma once

// A fresh program directory in a temporary folder with the templates, the
// four catalogues and the ini files, the data module on it and the stand-in
// for the main window that records what the search windows ask of it.

#include "support/FakeShell.h"
#include "support/ProgramFolder.h"

#include "core/AppSettings.h"
#include "core/DataModule.h"
#include "core/Shell.h"
#include "core/TableDefinitions.h"
#include "dbase/Table.h"
#include "platform/ProgramDirectory.h"

#include <QApplication>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

struct Book
{
    QString title;
    QString author;
    QString number;
    QString publisher = {};
    QString illustrator = {};
    QString original = {};
    QString lent = {};
};

struct SearchFixture
{
    SearchFixture()
        : dir(testsupport::layOutProgram(temp, testsupport::OptionalCatalogues::Created))
        , settings(dir)
        , data(dir)
    {
        // Errors are only recorded; the assistant stands at (900, 600): a
        // panel goes with its bottom right above it.
        shell.showErrorBoxes = false;
        shell.placeAbove = [](QWidget *dialog) {
            dialog->move(900 + 104 - dialog->width() - 38, 600 - dialog->height() + 30);
            dialog->show();
        };
    }
    ~SearchFixture()
    {
        for (int n = 1; n <= core::DataModule::TableCount; ++n)
            if (data.table(n)->isActive())
                data.table(n)->close();
    }

    // Opens the catalogue of slot (as its window would) and adds the books.
    void addBooks(int slot, const QList<Book> &books)
    {
        dbase::Table *t = data.bookTable(slot);
        if (!t->isActive())
            data.openTable(slot);
        for (const Book &b : books) {
            t->insert();
            t->setFieldText(QStringLiteral("NAZEV"), b.title);
            t->setFieldText(QStringLiteral("AUTOR"), b.author);
            t->setFieldText(QStringLiteral("CISLO"), b.number);
            t->setFieldText(QStringLiteral("VYDAVATEL"), b.publisher);
            t->setFieldText(QStringLiteral("ILUSTRACE"), b.illustrator);
            t->setFieldText(QStringLiteral("ORIGINAL"), b.original);
            t->setFieldText(QStringLiteral("PUJCENO"), b.lent);
            t->post();
        }
        t->first();
    }

    QString dataFile(const QString &name) const { return dir.dataDir() + name; }
    QByteArray fileBytes(const QString &name) const
    {
        QFile f(dataFile(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir temp;
    platform::ProgramDirectory dir;
    core::AppSettings settings;
    core::DataModule data;
    FakeShell shell;
};
