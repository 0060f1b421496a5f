#pragma once

// VysledekDialog: the results of a search, every value of the chosen key as
// a tree. "Zobrazit" (or Enter, or a double click on a hit) brings the book
// of the selected hit up in its catalogue window and closes the window.

#include <QString>
#include <QWidget>

class QLabel;
class QTreeView;

namespace core {
class DataModule;
class Shell;
} // namespace core
namespace widgets {
class OfficeButton;
}

namespace search {

class ResultTree;

class VysledekDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 252;
    static constexpr int ClientHeight = 284;

    VysledekDialog(core::DataModule &data, core::Shell &shell, QWidget *parent = nullptr);

    // Opens the auxiliary table afresh, fills the tree for key k (1..7) of
    // the copy of slot (1..4) and shows the window centred on the screen.
    // A table that cannot be opened is reported in the error box and the
    // window stays hidden (returns false).
    bool start(int k, int slot, const QString &heading);

    int key() const { return m_key; }
    int slot() const { return m_slot; }
    QString heading() const;
    ResultTree *tree() const { return m_tree; }
    QTreeView *view() const { return m_view; }
    widgets::OfficeButton *showButton() const { return m_show; }

    // "Zobrazit": moves the slot's catalogue to the book of the selected hit
    // and closes the window. Does nothing (false) while no hit is selected.
    bool showSelectedHit();

signals:
    // A hit was shown in the catalogue of slot.
    void hitShown(int slot);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void selectionMoved();

    core::DataModule &m_data;
    core::Shell &m_shell;
    ResultTree *m_tree = nullptr;
    QLabel *m_heading = nullptr;
    QTreeView *m_view = nullptr;
    widgets::OfficeButton *m_show = nullptr;
    widgets::OfficeButton *m_end = nullptr;
    int m_key = 0;
    int m_slot = 0;
    // The selected hit's book as the auxiliary table holds it; empty for a group.
    QString m_hitTitle;
    QString m_hitNumber;
};

} // namespace search
