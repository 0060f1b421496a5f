#include "RecordMenu.h"

#include <QAction>
#include <QStyleOptionMenuItem>

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

void RecordMenu::initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const
{
    QMenu::initStyleOption(option, action);
    if (!action || action->shortcut().isEmpty())
        return;
    const qsizetype tab = option->text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        option->text = option->text.left(tab + 1) + shortcutText(action->shortcut());
}

} // namespace widgets
