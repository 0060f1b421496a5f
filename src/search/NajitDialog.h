#pragma once

// NajitDialog: the seven keys a catalogue can be searched by, as clickable
// entries in a balloon above the assistant. It holds the slot of the
// catalogue to search; choosing a key hands the search on to PomocnaDialog.

#include "widgets/BalloonShape.h"

#include <array>

namespace core {
class Shell;
}
namespace widgets {
class OfficeButton;
class OfficeLabel;
} // namespace widgets

namespace search {

class NajitDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    static constexpr int DialogWidth = 203;
    static constexpr int DialogHeight = 312;

    explicit NajitDialog(core::Shell &shell, QWidget *parent = nullptr);

    // The slot 1..4 of the catalogue to search (Kontrola); 0 before the first search.
    int slot() const { return m_slot; }
    // Values outside 1..4 leave the slot of the previous search.
    void setSlot(int slot);

    // Places the dialog above the assistant (which is brought back to its
    // corner when the dialog would not fit) and shows it.
    void showAboveAssistant();

    // The entry of key k = 1..7.
    widgets::OfficeLabel *entry(int k) const;

signals:
    // An entry was chosen (OfficeLabel1Click .. OfficeLabel7Click).
    void keyChosen(int k);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    core::Shell &m_shell;
    std::array<widgets::OfficeLabel *, 7> m_entries{};
    int m_slot = 0;
};

} // namespace search
