#pragma once

// The splash window shown while the program creates its windows: the title,
// the registered user of this copy and the progress bar Metr.

#include <QList>
#include <QWidget>

class QLabel;

namespace widgets {
class GradientProgressBar;
}

namespace app {

class SpusteniDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 339;
    static constexpr int ClientHeight = 288;

    explicit SpusteniDialog(QWidget *parent = nullptr);

    // Moves the progress bar and paints it at once; every value set is kept
    // in order (the start-up shows it only grows).
    void setProgress(int value);
    int progress() const;
    QList<int> progressHistory() const { return m_history; }

signals:
    void progressChanged(int value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void FormCreate();

    widgets::GradientProgressBar *m_metr = nullptr;
    QLabel *m_owner = nullptr;        // Label4
    QLabel *m_organisation = nullptr; // Label5
    QList<int> m_history;
};

} // namespace app
