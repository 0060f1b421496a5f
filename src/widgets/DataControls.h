#pragma once

// Data-aware controls: one binding that ties an edit (QLineEdit), an editable
// drop-down (QComboBox), a memo (QPlainTextEdit) or a read-only text (QLabel)
// to one field of the current record of a data source. The control shows the
// field whenever the table moves or changes, and what the user types goes into
// the field while the table is in edit or insert state. No window copies
// fields by hand.

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace widgets {

class DataSource;

class FieldLink : public QObject
{
    Q_OBJECT
public:
    // maxChars limits what can be typed; 0 means the field's own size (text
    // fields) or no limit of our own. A stored value longer than the limit is
    // shown whole and can be shortened, not lengthened. The link is owned by
    // the control.
    FieldLink(QWidget *control, DataSource *source, const QString &field, int maxChars = 0);

    // The link of a bound control, nullptr for an unbound one.
    static FieldLink *of(const QWidget *control);

    QWidget *control() const;
    DataSource *source() const;
    QString field() const;
    // The entry limit in force: the given one, else the size of a text field
    // of the open table, else 0 (no limit).
    int maxChars() const;

    // The text the control shows now.
    QString text() const;

    // Shows the current record's field, unless the user has typed into the
    // control during the edit in progress.
    void refresh();

private:
    enum class Kind { Edit, DropDown, Memo, Text };

    void userEdited(const QString &text);
    void memoChanged();
    void show(const QString &text);
    // Sets the edit's length limit so that a text of shownLength fits.
    void applyLimit(int shownLength);

    QPointer<QWidget> m_control;
    QPointer<DataSource> m_source;
    QString m_field;
    Kind m_kind = Kind::Text;
    int m_maxChars = 0;
    bool m_showing = false;    // our own change of the control's text
    bool m_userEdited = false; // typed into during the current edit
};

// Binds control to field of source; returns the link (owned by the control).
FieldLink *bindField(QWidget *control, DataSource *source, const QString &field, int maxChars = 0);

} // namespace widgets
