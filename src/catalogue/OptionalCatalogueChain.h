#pragma once

// The chain of small dialogs behind "Volitelná databáze..." (MS1): the list
// NovyDialog, the choice EditaceDialog, the name JmenoDialog with its
// warning, and the removal question. The dialogs are made once and reused;
// the files and names are OptionalCatalogues' business.

#include "OptionalCatalogues.h"

#include <QObject>
#include <QPointer>

namespace core {
class AppSettings;
class Shell;
} // namespace core
namespace platform {
class ProgramDirectory;
}
namespace widgets {
class Balloon;
}

namespace catalogue {

class EditaceDialog;
class JmenoDialog;
class NovyDialog;

class OptionalCatalogueChain : public QObject
{
    Q_OBJECT
public:
    OptionalCatalogueChain(const platform::ProgramDirectory &dir, core::AppSettings &settings, core::Shell &shell,
                           QObject *parent = nullptr);
    ~OptionalCatalogueChain() override;

    // MS1Click: NovyDialog above the assistant.
    void show();

    NovyDialog *novyDialog() const;
    EditaceDialog *editaceDialog() const;
    JmenoDialog *jmenoDialog() const;

signals:
    // A catalogue got a name, was created or removed: the open dialog
    // re-reads the names.
    void namesChanged();

private:
    void choose(int k);
    void edit(int k);
    void askRemove(int k);
    void confirmName(int k, const QString &name);
    void warn(const QString &text);

    core::Shell &m_shell;
    OptionalCatalogues m_catalogues;
    // Top-level windows of their own; whoever tears the program down may
    // close and delete them first.
    QPointer<NovyDialog> m_novy;
    QPointer<EditaceDialog> m_editace;
    QPointer<JmenoDialog> m_jmeno;
    QPointer<widgets::Balloon> m_warning;
};

} // namespace catalogue
