#pragma once

// A fresh program directory in a temporary folder with the templates, the
// four catalogues and the ini files, the data module on it and a stand-in
// for the main window that records what the search windows ask of it.

#include "ProgramLayout.h"

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

class RecordingShell : public core::Shell
{
public:
    void setMainWindowEnabled(bool enabled) override
    {
        mainEnabled = enabled;
        enableCalls << enabled;
    }
    void setIndicatorVisible(const QString &name, bool visible) override
    {
        if (visible)
            indicators.insert(name);
        else
            indicators.remove(name);
    }
    void playSound(const QString &fileName) override { sounds << fileName; }
    QWidget *activeCatalogueWindow() const override { return nullptr; }
    int activeSlot() const override { return 0; }
    void placeBesideAssistant(QWidget *dialog) override { dialog->show(); }
    void placeAboveAssistant(QWidget *dialog) override
    {
        // The assistant stands at (900, 600): the dialog's bottom right above it.
        dialog->move(900 + 104 - dialog->width() - 38, 600 - dialog->height() + 30);
        dialog->show();
    }
    void showError(const QString &message) override { errors << message; }

    bool mainEnabled = true;
    QList<bool> enableCalls;
    QSet<QString> indicators;
    QStringList sounds;
    QStringList errors;
};

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
        : dir(prepared(temp))
        , settings(dir)
        , data(dir)
    {
    }
    ~SearchFixture()
    {
        for (int n = 1; n <= core::DataModule::TableCount; ++n)
            if (data.table(n)->isActive())
                data.table(n)->close();
    }

    static QString prepared(const QTemporaryDir &temp)
    {
        const QString path = temp.path() + QLatin1Char('/');
        layOutProgramDirectory(path, LayoutMode::Fresh);
        for (int slot = 2; slot <= 4; ++slot)
            dbase::createTable(path + QStringLiteral("Data/") + core::bookTableFile(slot), core::bookFields(),
                               core::bookTags(), true);
        return path;
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
    RecordingShell shell;
};
