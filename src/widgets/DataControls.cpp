#include "DataControls.h"

#include "DataSource.h"
#include "dbase/Table.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace widgets {

namespace {
const char LinkProperty[] = "ordexFieldLink";
}

FieldLink::FieldLink(QWidget *control, DataSource *source, const QString &field, int maxChars)
    : QObject(control), m_control(control), m_source(source), m_field(field), m_maxChars(maxChars)
{
    control->setProperty(LinkProperty, QVariant::fromValue(static_cast<QObject *>(this)));

    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        m_kind = Kind::Edit;
        connect(edit, &QLineEdit::textEdited, this, &FieldLink::userEdited);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        m_kind = Kind::DropDown;
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Fires for typing and for a choice from the list alike.
        connect(combo, &QComboBox::editTextChanged, this, [this](const QString &text) {
            if (!m_showing)
                userEdited(text);
        });
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(control)) {
        m_kind = Kind::Memo;
        connect(memo, &QPlainTextEdit::textChanged, this, &FieldLink::memoChanged);
    } else {
        m_kind = Kind::Text;
    }

    if (m_source) {
        connect(m_source, &DataSource::recordChanged, this, &FieldLink::refresh);
        connect(m_source, &DataSource::stateChanged, this, &FieldLink::refresh);
    }
    refresh();
}

FieldLink *FieldLink::of(const QWidget *control)
{
    if (!control)
        return nullptr;
    return qobject_cast<FieldLink *>(control->property(LinkProperty).value<QObject *>());
}

QWidget *FieldLink::control() const
{
    return m_control;
}

DataSource *FieldLink::source() const
{
    return m_source;
}

QString FieldLink::field() const
{
    return m_field;
}

int FieldLink::maxChars() const
{
    if (m_maxChars > 0)
        return m_maxChars;
    const dbase::Table *table = m_source ? m_source->table() : nullptr;
    if (!table || !table->isActive())
        return 0;
    const int index = table->fieldIndex(m_field);
    if (index < 0)
        return 0;
    const dbase::FieldDef &def = table->fields().at(index);
    return def.type == 'C' ? def.length : 0;
}

QString FieldLink::text() const
{
    switch (m_kind) {
    case Kind::Edit:
        return static_cast<QLineEdit *>(m_control.data())->text();
    case Kind::DropDown:
        return static_cast<QComboBox *>(m_control.data())->currentText();
    case Kind::Memo:
        return static_cast<QPlainTextEdit *>(m_control.data())->toPlainText();
    case Kind::Text:
        if (auto *label = qobject_cast<QLabel *>(m_control.data()))
            return label->text();
        return m_control->property("text").toString();
    }
    return {};
}

void FieldLink::refresh()
{
    if (!m_control)
        return;
    const bool editing = m_source && m_source->isEditing();
    if (!editing)
        m_userEdited = false;
    // What the user typed during this edit stays, even when the table has not
    // taken it (it is tried again when the record is saved).
    if (editing && m_userEdited) {
        applyLimit(text().size());
        return;
    }
    const dbase::Table *table = m_source ? m_source->table() : nullptr;
    const QString value = table && table->isActive() ? table->fieldText(m_field) : QString();
    applyLimit(value.size());
    show(value);
}

void FieldLink::userEdited(const QString &text)
{
    if (!m_source || !m_source->isEditing())
        return;
    // Once shortened, a value stored longer than the entry limit cannot
    // grow back beyond it.
    applyLimit(text.size());
    m_userEdited = true;
    m_source->writeField(m_field, text);
}

void FieldLink::memoChanged()
{
    if (m_showing)
        return;
    auto *memo = static_cast<QPlainTextEdit *>(m_control.data());
    QString text = memo->toPlainText();
    const int limit = maxChars();
    if (limit > 0 && text.size() > limit) {
        // The memo has no length limit of its own: cut what was typed or
        // pasted beyond the field size, keeping the cursor where it can be.
        const int position = std::min<int>(memo->textCursor().position(), limit);
        text.truncate(limit);
        show(text);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(position);
        memo->setTextCursor(cursor);
    }
    userEdited(text);
}

void FieldLink::show(const QString &text)
{
    if (text == this->text())
        return;
    m_showing = true;
    switch (m_kind) {
    case Kind::Edit:
        static_cast<QLineEdit *>(m_control.data())->setText(text);
        break;
    case Kind::DropDown:
        static_cast<QComboBox *>(m_control.data())->setEditText(text);
        break;
    case Kind::Memo:
        static_cast<QPlainTextEdit *>(m_control.data())->setPlainText(text);
        break;
    case Kind::Text:
        if (auto *label = qobject_cast<QLabel *>(m_control.data()))
            label->setText(text);
        else
            m_control->setProperty("text", text);
        break;
    }
    m_showing = false;
}

void FieldLink::applyLimit(int shownLength)
{
    // The limit is for typing: a longer stored value (a number with more
    // digits than may be typed, from an import or another program) is shown
    // whole, never cut, and typing does not make it longer.
    const int limit = maxChars();
    const int length = limit > 0 ? std::max(limit, shownLength) : 32767; // QLineEdit's own default
    switch (m_kind) {
    case Kind::Edit:
        static_cast<QLineEdit *>(m_control.data())->setMaxLength(length);
        break;
    case Kind::DropDown:
        if (QLineEdit *edit = static_cast<QComboBox *>(m_control.data())->lineEdit())
            edit->setMaxLength(length);
        break;
    case Kind::Memo:
    case Kind::Text:
        break;
    }
}

FieldLink *bindField(QWidget *control, DataSource *source, const QString &field, int maxChars)
{
    return new FieldLink(control, source, field, maxChars);
}

} // namespace widgets
