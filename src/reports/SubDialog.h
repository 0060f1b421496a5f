#pragma once

// The sub-dialogs beside the selection dialog: AbecedaDialog and CisloDialog
// (the three levels of detail of a book list) and AutorDialog (all authors
// or one chosen author). While one is up the selection dialog is disabled;
// "Storno", Esc and Enter go back to it.

#include "ReportForm.h"

#include "widgets/BalloonShape.h"

namespace core {
class Shell;
}

namespace reports {

class SubDialog : public widgets::BalloonWindow
{
    Q_OBJECT
public:
    enum class Kind { TitleList, NumberList, Authors };

    SubDialog(Kind kind, core::Shell &shell, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    // Kontrola2 of the book lists, Kontrola of AutorDialog: "N" or "T".
    QString modeMark() const { return m_mark; }
    void setModeMark(const QString &mark) { m_mark = mark; }

signals:
    void detailChosen(reports::ListDetail detail); // book lists
    void allAuthorsChosen();                       // "Seznam všech autorů"
    void oneAuthorChosen();                        // "Seznam vybraných autorů"

protected:
    void showEvent(QShowEvent *event) override;

private:
    Kind m_kind;
    core::Shell &m_shell;
    QString m_mark;
};

} // namespace reports
