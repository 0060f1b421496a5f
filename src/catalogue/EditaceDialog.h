#pragma once

// EditaceDialog: for the optional catalogue k chosen in NovyDialog, "create
// or edit" and "remove" (struck through while the catalogue has no table
// file). It keeps k; Storno, Enter and Esc return to NovyDialog.

#include "widgets/BalloonShape.h"

class QFrame;
class QLabel;

namespace core {
class Shell;
}
namespace widgets {
class OfficeLabel;
}

namespace catalogue {

class EditaceDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    explicit EditaceDialog(core::Shell &shell, QWidget *parent = nullptr);

    // Sets k (1..3), the heading and whether the remove entry is available.
    void prepare(int k, bool exists);
    int number() const { return m_k; } // Kontrola
    bool canRemove() const;

signals:
    void editRequested(int k);
    void removeRequested(int k);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    core::Shell &m_shell;
    int m_k = 0;
    QLabel *m_heading = nullptr;
    widgets::OfficeLabel *m_remove = nullptr;
    QFrame *m_strike = nullptr;
};

} // namespace catalogue
