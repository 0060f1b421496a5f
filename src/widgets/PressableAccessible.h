#pragma once

// What the office-style buttons and labels tell the platform's accessibility
// bridge: a push button named by its caption, described by its hint (the
// status tip), with a press action and its disabled state. Screen readers
// read the dialogs through it, and the program can be driven from outside.

#include <QAccessibleWidget>

namespace widgets {

class PressableWidget;

class PressableAccessible : public QAccessibleWidget
{
public:
    explicit PressableAccessible(PressableWidget *widget);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    PressableWidget *pressable() const;
};

// Installed once, by the first pressable widget that is created.
void installPressableAccessibility();

} // namespace widgets
