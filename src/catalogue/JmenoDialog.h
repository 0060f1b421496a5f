#pragma once

// JmenoDialog: the name of optional catalogue k. Ok (or Enter) hands the
// text on through nameConfirmed(); the chain decides whether it is taken.
// Esc and Storno close it without anything written.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace core {
class Shell;
}

namespace catalogue {

class JmenoDialog : public QWidget
{
    Q_OBJECT
public:
    explicit JmenoDialog(core::Shell &shell, QWidget *parent = nullptr);

    // k (Label2) and the current name that fills Edit1 when it is shown.
    void prepare(int k, const QString &currentName);
    int number() const { return m_k; }
    QLineEdit *edit() const { return m_edit; }

signals:
    void nameConfirmed(int k, const QString &name);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    core::Shell &m_shell;
    int m_k = 0;
    QString m_currentName;
    QLabel *m_number = nullptr;
    QLineEdit *m_edit = nullptr;
};

} // namespace catalogue
