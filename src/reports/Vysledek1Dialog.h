#pragma once

// Vysledek1Dialog: every author of the auxiliary table in Czech order; the
// confirmed author's books are reported. The chosen name and the confirm
// button follow the selection as it changes.

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace core {
class DataModule;
class Shell;
}
namespace widgets {
class OfficeButton;
}

namespace reports {

class Vysledek1Dialog : public QWidget
{
    Q_OBJECT
public:
    Vysledek1Dialog(core::DataModule &data, core::Shell &shell, QWidget *parent = nullptr);

    // K3 "N" or "T", and the confirm button's caption "Náhled" or "Tisk".
    void setModeMark(const QString &mark);
    QString modeMark() const { return m_mark; }
    // K4: the name that counts as chosen.
    QString chosenAuthor() const { return m_chosen; }

    QTreeWidget *tree() const { return m_tree; }
    widgets::OfficeButton *confirmButton() const { return m_confirm; }

    // Runs the report for the chosen author (also Enter, whatever the button's state).
    void confirm();

signals:
    // The window is closed; the caller restricts the table and runs the report.
    void authorConfirmed(const QString &author);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fill();
    void follow(QTreeWidgetItem *item);

    core::DataModule &m_data;
    core::Shell &m_shell;
    QTreeWidget *m_tree = nullptr;
    widgets::OfficeButton *m_confirm = nullptr;
    QString m_mark = QStringLiteral("N");
    QString m_chosen;
    bool m_engaged = false;
};

} // namespace reports
