#pragma once

// The main window's status bar: panel 0 with six blanks and the hint of
// whatever the pointer rests on, panel 1 with the picture of the dialog that
// is up, panel 2 with the picture and the caption of the active catalogue.
// The panels stand side by side from the left at their own widths; a window
// narrower than the three together cuts the last one off at its right edge.

#include <QHash>
#include <QStatusBar>

class QLabel;
class QMenu;

namespace app {

class StatusPanels : public QStatusBar
{
    Q_OBJECT
public:
    // contextMenu comes up on a right click (the view toggles' menu).
    explicit StatusPanels(QMenu *contextMenu, QWidget *parent = nullptr);
    ~StatusPanels() override;

    // Panel 0: every hint of the application ends up here, six blanks first.
    void showHint(const QString &hint);
    QString hintText() const;
    // Panel 2's text, as given.
    void setCatalogueText(const QString &text);
    QString catalogueText() const;
    // "SBO1".."SBO10", "SBD1".."SBD4"; any other name is ignored.
    void setIndicatorVisible(const QString &name, bool visible);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_hint = nullptr;      // panel 0 text
    QLabel *m_catalogue = nullptr; // panel 2 text
    QHash<QString, QLabel *> m_indicators;
};

} // namespace app
