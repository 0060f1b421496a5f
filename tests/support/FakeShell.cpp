#include "FakeShell.h"

FakeShell::FakeShell(Frame frame)
{
    area.resize(1200, 800);
    if (frame == Frame::Shown)
        area.show();
}

void FakeShell::setMainWindowEnabled(bool enabled)
{
    mainWindowEnabled = enabled;
    enableCalls << enabled;
    area.setEnabled(enabled);
    if (followsMainWindow)
        followsMainWindow->setEnabled(enabled);
}

void FakeShell::setIndicatorVisible(const QString &name, bool visible)
{
    if (visible)
        indicators.insert(name);
    else
        indicators.remove(name);
}

void FakeShell::playSound(const QString &fileName)
{
    sounds << fileName;
}

QWidget *FakeShell::activeCatalogueWindow() const
{
    if (activeWindow)
        return activeWindow;
    return area.activeSubWindow();
}

int FakeShell::activeSlot() const
{
    if (activeWindow)
        return activeWindowSlot;
    const QMdiSubWindow *sub = area.activeSubWindow();
    if (!sub)
        return 0;
    const QString name = sub->objectName();
    return name.startsWith(QLatin1String("Databaze")) ? name.mid(8, 1).toInt() : 0;
}

void FakeShell::placeBesideAssistant(QWidget *dialog)
{
    placedBeside << dialog->objectName();
    if (placeBeside)
        placeBeside(dialog);
    else
        dialog->show();
}

void FakeShell::placeAboveAssistant(QWidget *dialog)
{
    placedAbove << dialog->objectName();
    if (placeAbove)
        placeAbove(dialog);
    else
        dialog->show();
}

void FakeShell::showError(const QString &message)
{
    errors << message;
    if (showErrorBoxes)
        core::Shell::showError(message);
}

