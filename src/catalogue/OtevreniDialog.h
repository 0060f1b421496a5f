#pragma once

// OtevreniDialog: the four catalogues as clickable entries, struck through
// while they cannot be opened (open already, or an optional catalogue not
// created yet). Its entries are also the current names of the catalogues.
// Choosing an entry closes the dialog and asks for the slot to be opened.

#include "widgets/BalloonShape.h"

#include <array>

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

namespace catalogue {

class OtevreniDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    OtevreniDialog(core::AppSettings &settings, core::Shell &shell, QWidget *parent = nullptr);

    // Re-reads the names and open markers from the ini file.
    void refresh();

    // The caption of entry slot (1..4): the catalogue's display name.
    QString displayName(int slot) const;
    bool isAvailable(int slot) const;

    // Places the dialog above the assistant and shows it.
    void showAboveAssistant();

signals:
    // An available entry was chosen; the dialog is closed already.
    void openRequested(int slot);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose(int slot);

    core::AppSettings &m_settings;
    core::Shell &m_shell;
    std::array<widgets::OfficeLabel *, 4> m_entries{};
    std::array<QFrame *, 8> m_strikes{};
};

} // namespace catalogue
