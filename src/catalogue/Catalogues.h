#pragma once

// The catalogue subsystem as the main window sees it: the open dialog, the
// opening of a slot with its progress window, the up to four catalogue
// windows, and the part of the program's end that concerns them.

#include "CatalogueServices.h"

#include "core/Commands.h"

#include <QObject>
#include <QPointer>

#include <array>

namespace catalogue {

class CatalogueWindow;
class OtevreniDialog;
class OptionalCatalogueChain;

class Catalogues : public QObject
{
    Q_OBJECT
public:
    explicit Catalogues(const CatalogueServices &services, QObject *parent = nullptr);
    ~Catalogues() override;

    OtevreniDialog *openDialog() const;
    // "Otevřít databázi..." (MS2, TS2, OS2): the dialog above the assistant.
    void showOpenDialog();

    // "Volitelná databáze..." (MS1): the optional-catalogue chain.
    OptionalCatalogueChain *optionalChain() const;
    void showOptionalDialog();
    // "Vymazat Standardní databázi" (MN1): the question VymazatDialog, then
    // the standard catalogue's files replaced by the empty templates. Does
    // nothing while the standard catalogue's window is open.
    void askEraseStandard();

    // Opens slot 1..4: marks it open, opens its table on the first record and
    // shows its window, with the progress window up meanwhile. A failure is
    // shown in an error box and undone (marker back to 0, table closed, main
    // window enabled); the result is then nullptr.
    CatalogueWindow *open(int slot);

    // The slot's window while it is open, else nullptr.
    CatalogueWindow *window(int slot) const;
    // The window the main window reports as active, else nullptr.
    CatalogueWindow *activeWindow() const;

    // The current name of a catalogue: the caption of its entry in the open
    // dialog ("Standardní databáze programu Ordex" for slot 1).
    QString displayName(int slot) const;

    // The program's end asks here first. With a record being edited in some
    // window (slot 1..4 in this order) that window's close question is raised
    // and false returned: the end must wait. When the question has been
    // answered and the window has closed, exitMayContinue() is emitted so the
    // main window can try to end again. Returns true when nothing is pending.
    bool requestExit();
    // The slot whose question the program's end raised, 0 when none.
    int exitSlot() const;

    // A record command for the active window, from the main window: the
    // window's own way in (CatalogueWindow::perform). Nothing without one.
    void performOnActive(core::Command command);
    // "Zavřít" (MS3): the active window's close.
    void closeActive();

signals:
    void windowOpened(catalogue::CatalogueWindow *window);
    // Find, and the report selection (preview or print), for a catalogue,
    // from the main window's commands and the window's own menu alike.
    void findRequested(int slot);
    void reportRequested(int slot, bool preview);
    void windowClosed(int slot);
    void exitMayContinue();

private:
    void windowHasClosed(int slot);

    CatalogueServices m_services;
    OtevreniDialog *m_dialog;
    OptionalCatalogueChain *m_chain;
    std::array<QPointer<CatalogueWindow>, 4> m_windows;
    int m_exitSlot = 0;
};

} // namespace catalogue
