#pragma once

// The book form of a catalogue window: the fourteen record controls with
// their labels (the catalogue number C1 alone in the header row, the other
// thirteen on the untitled page Zalozky) and the footer with the date of the
// last change (DBText1) and the label "Půjčeno" (RxLabel1).
//
// Every control is bound to the current record of the window's table through
// the form's data source, so it shows whatever record the table is on. The
// fourteen are enabled together while the window edits its record; the window
// says when. The form also keeps the clipboard target: of the seven free-text
// controls, the one entered last is what cut, copy and paste act on.
//
// The form has no menu and takes no command keys: the window's context menu
// and keys serve its controls as well.

#include <QWidget>

#include <array>

class QLabel;

namespace dbase {
class Table;
}
namespace widgets {
class DataSource;
}

namespace catalogue {

class BookForm : public QWidget
{
    Q_OBJECT
public:
    // The record controls in tab order (C1 first).
    static constexpr int RecordControlCount = 14;
    // The free-text controls that can be clipboard targets: J1, O1, A1, I1,
    // T1, V1, P2.
    static constexpr int FreeTextCount = 7;

    // Builds the form over the whole client area of parent, bound to table.
    // All controls start disabled.
    BookForm(dbase::Table *table, QWidget *parent);

    widgets::DataSource *source() const { return m_source; }
    const std::array<QWidget *, RecordControlCount> &recordControls() const { return m_recordControls; }

    // The catalogue number as C1 shows it: the key of the book's lending card.
    QString numberText() const;

    // Where an overlay covering the page and the footer (the lending card)
    // has its top left corner, in the parent's coordinates.
    QPoint pageCorner() const;

    // Enables or disables the fourteen record controls together.
    void setEditable(bool editable);
    // Puts the keyboard into the catalogue number.
    void focusNumber();

    // Installs filter on every record control, and on the edit field of each
    // drop-down, which receives the keys and the focus of its box.
    void watchControls(QObject *filter);

    // Cut, copy and paste on the clipboard target.
    void cut();
    void copy();
    void paste();

signals:
    // A record control took the keyboard; freeText says whether it is one
    // of the seven free-text controls, which then became the clipboard target.
    void controlEntered(bool freeText);
    // The label "Půjčeno" was clicked.
    void lentLabelClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void bind();
    void enter(QWidget *control);
    void showLent();

    widgets::DataSource *m_source;
    QWidget *m_pages = nullptr; // Zalozky
    std::array<QWidget *, RecordControlCount> m_recordControls{};
    std::array<QWidget *, FreeTextCount> m_freeText{};
    QLabel *m_dateText = nullptr;  // DBText1
    QLabel *m_lentLabel = nullptr; // RxLabel1
};

} // namespace catalogue
