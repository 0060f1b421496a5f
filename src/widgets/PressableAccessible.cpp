#include "PressableAccessible.h"

#include "PressableWidget.h"

#include <QVariant>

namespace widgets {

namespace {

QAccessibleInterface *pressableFactory(const QString &, QObject *object)
{
    if (auto *w = qobject_cast<PressableWidget *>(object))
        return new PressableAccessible(w);
    return nullptr;
}

} // namespace

PressableAccessible::PressableAccessible(PressableWidget *widget)
    : QAccessibleWidget(widget, QAccessible::Button)
{
}

PressableWidget *PressableAccessible::pressable() const
{
    return static_cast<PressableWidget *>(widget());
}

QString PressableAccessible::text(QAccessible::Text t) const
{
    const QWidget *w = widget();
    switch (t) {
    case QAccessible::Name:
        if (!w->accessibleName().isEmpty())
            return w->accessibleName();
        // Multi-line captions are read as one sentence.
        return pressable()->caption().simplified();
    case QAccessible::Description:
        if (!w->accessibleDescription().isEmpty())
            return w->accessibleDescription();
        return w->statusTip();
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList PressableAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled())
        names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void PressableAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        pressable()->click();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList PressableAccessible::keyBindingsForAction(const QString &) const
{
    return {};
}

void installPressableAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(pressableFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace widgets
