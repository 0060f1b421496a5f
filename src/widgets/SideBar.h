#pragma once

// Outlook-style side bar: a column of page headers; the chosen page opens
// below its header and shows its buttons as large icons with captions.

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace widgets {

class SideBar : public QWidget
{
    Q_OBJECT

public:
    explicit SideBar(QWidget *parent = nullptr);

    // Adds a page; the page widget carries objectName, its header button
    // objectName + "Header". Returns the page's index. The first page added
    // is the current one.
    int addPage(const QString &objectName, const QString &caption, const QString &hint);

    // Adds a large button to a page. The button triggers the action and
    // follows its enabled state, icon and status tip; the caption is its own.
    // Returns null for a page index out of range.
    QToolButton *addButton(int page, QAction *action, const QString &objectName,
                           const QString &caption);

    int pageCount() const { return int(m_pages.size()); }
    int currentPage() const { return m_current; }
    QWidget *page(int index) const;
    QToolButton *pageHeader(int index) const;
    QList<QToolButton *> buttons(int page) const;

    // Opens a page without emitting pageChosen(); out-of-range is ignored.
    void setCurrentPage(int index);

signals:
    // The user picked a page header (also when it was already open).
    void pageChosen(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int ScrollStep = 40;
    void addScrollArrows(QScrollArea *scroller);

    struct Page
    {
        QWidget *page = nullptr;
        QToolButton *header = nullptr;
        QWidget *body = nullptr;      // the buttons, inside the scroller
        QWidget *scroller = nullptr;  // shown while the page is open
        QVBoxLayout *bodyLayout = nullptr;
        QList<QToolButton *> buttons;
    };

    QVBoxLayout *m_layout = nullptr;
    QList<Page> m_pages;
    int m_current = -1;
    QHash<QObject *, std::function<void()>> m_placeArrows;
};

} // namespace widgets
