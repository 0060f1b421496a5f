#pragma once

// A context menu that names the editing keys in full ("Ctrl+Delete",
// "Ctrl+Insert", "Insert", "Enter") where the toolkit would shorten them
// ("Ctrl+Del", "Ins"); other shortcuts read as the toolkit writes them.

#include <QMenu>

namespace widgets {

class RecordMenu : public QMenu
{
    Q_OBJECT
public:
    using QMenu::QMenu;

    // The text the menu shows for a shortcut.
    static QString shortcutText(const QKeySequence &keys);

protected:
    // An item whose key the toolkit would shorten carries the full name
    // after a tab in its text, which the menu then shows, and sizes itself
    // for, in place of its own.
    void actionEvent(QActionEvent *event) override;
};

} // namespace widgets
