#include "RecordMenu.h"

#include <QAction>
#include <QActionEvent>

namespace widgets {

QString RecordMenu::shortcutText(const QKeySequence &keys)
{
    if (keys.isEmpty())
        return QString();
    const QKeyCombination first = keys[0];
    QString name;
    switch (first.key()) {
    case Qt::Key_Delete:
        name = QStringLiteral("Delete");
        break;
    case Qt::Key_Insert:
        name = QStringLiteral("Insert");
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        name = QStringLiteral("Enter");
        break;
    default:
        return keys.toString(QKeySequence::NativeText);
    }
    QString text;
    const Qt::KeyboardModifiers mods = first.keyboardModifiers();
    if (mods & Qt::ControlModifier)
        text += QStringLiteral("Ctrl+");
    if (mods & Qt::AltModifier)
        text += QStringLiteral("Alt+");
    if (mods & Qt::ShiftModifier)
        text += QStringLiteral("Shift+");
    return text + name;
}

void RecordMenu::actionEvent(QActionEvent *event)
{
    QMenu::actionEvent(event);
    if (event->type() != QEvent::ActionAdded && event->type() != QEvent::ActionChanged)
        return;
    QAction *action = event->action();
    const QKeySequence keys = action->shortcut();
    if (keys.isEmpty() || action->text().contains(QLatin1Char('\t')))
        return;
    const QString spelled = shortcutText(keys);
    if (spelled != keys.toString(QKeySequence::NativeText))
        action->setText(action->text() + QLatin1Char('\t') + spelled);
}

} // namespace widgets
