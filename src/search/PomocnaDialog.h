#pragma once

// PomocnaDialog: the step between the find dialog and the results. It offers
// to build the auxiliary table from the catalogue searched, and to search in
// the copy that is there, the latter struck through unless the copy holds
// this very catalogue ([Kontrola] Pomocna equal to the slot).

#include "widgets/BalloonShape.h"

class QFrame;
class QLabel;

namespace core {
class AppSettings;
class Shell;
} // namespace core
namespace widgets {
class OfficeButton;
class OfficeLabel;
} // namespace widgets

namespace search {

class PomocnaDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    static constexpr int DialogWidth = 278;
    static constexpr int DialogHeight = 88;

    PomocnaDialog(core::AppSettings &settings, core::Shell &shell, QWidget *parent = nullptr);

    // What the find dialog hands over before it shows this dialog: the slot
    // 1..4 (Kontrola), the key 1..7 (Kontrola2) and the heading (Label1).
    void setSearch(int slot, int k, const QString &heading);
    int slot() const { return m_slot; }
    int key() const { return m_key; }
    QString heading() const;

    // Where the dialog goes for key k when the find dialog's top left corner
    // is at findDialog: 200 pixels left of it, or 100 pixels right of its left
    // edge when that would come closer than 5 pixels to the screen's left
    // edge; the key's offset below its top.
    static QPoint placeFor(const QPoint &findDialog, int k);

    // Whether searching the present copy is offered (the entry enabled and
    // not struck through).
    bool searchOffered() const;

signals:
    // "Vytvořit pomocnou databázi knih" (OfficeLabel1Click).
    void buildChosen();
    // "Začít s vyhledáváním podle vybraného klíče" (OfficeLabel2Click), only while offered.
    void searchChosen();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refresh();

    core::AppSettings &m_settings;
    core::Shell &m_shell;
    QLabel *m_heading = nullptr;
    widgets::OfficeLabel *m_build = nullptr;
    widgets::OfficeLabel *m_search = nullptr;
    QFrame *m_strike = nullptr;
    int m_slot = 0;
    int m_key = 0;
};

} // namespace search
