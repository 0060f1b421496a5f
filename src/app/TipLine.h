#pragma once

// The tip line of the tips toolbar: the current tip of the tips table, read
// only and skipped by the keyboard, with the steps to the previous and the
// next tip. Its width follows the main window's.

#include <QLineEdit>

namespace core {
class DataModule;
}
namespace platform {
class ProgramDirectory;
}

namespace app {

class TipLine : public QLineEdit
{
    Q_OBJECT
public:
    explicit TipLine(core::DataModule &data, QWidget *parent = nullptr);

    // Opens the tips table when its file is in the data directory. False
    // when it is missing, or damaged: error then holds the engine's message
    // and the program goes on without tips.
    bool openTable(const platform::ProgramDirectory &dir, QString &error);

    // From the first tip back to the last, from the last on to the first.
    void previousTip();
    void nextTip();

    // The window's width less the 156 pixels the rest of the toolbar needs.
    void fitWindowWidth(int windowWidth);

private:
    void showTip();

    core::DataModule &m_data;
};

} // namespace app
