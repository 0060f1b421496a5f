#pragma once

// NovyDialog: the three optional catalogues by name, each struck through and
// unavailable while its window is open. Choosing one asks for EditaceDialog
// (the dialog stays up underneath, disabled).

#include "widgets/BalloonShape.h"

#include <array>

class QFrame;

namespace core {
class AppSettings;
class Shell;
} // namespace core
namespace widgets {
class OfficeLabel;
}

namespace catalogue {

class NovyDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    NovyDialog(core::AppSettings &settings, core::Shell &shell, QWidget *parent = nullptr);

    // Re-reads the names and open markers (also done when it is shown).
    void refresh();
    // The caption of entry k (1..3): the catalogue's name or the placeholder.
    QString entryName(int k) const;
    bool isAvailable(int k) const;
    widgets::OfficeLabel *entry(int k) const;

signals:
    void chosen(int k);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    core::AppSettings &m_settings;
    std::array<widgets::OfficeLabel *, 3> m_entries{};
    std::array<QFrame *, 6> m_strikes{};
};

} // namespace catalogue
