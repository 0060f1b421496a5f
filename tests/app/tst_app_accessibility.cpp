// Read from outside, every window and dialog of a running program: each
// control a user can click has a name a screen reader can say.

#include "AppFixture.h"

#include "catalogue/Catalogues.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenu>

namespace {

bool isClickable(QAccessibleInterface *iface)
{
    switch (iface->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
    case QAccessible::MenuItem:
    case QAccessible::PageTab:
        return true;
    default:
        break;
    }
    QAccessibleActionInterface *actions = iface->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

QString pathOf(QObject *o)
{
    QStringList parts;
    for (; o; o = o->parent())
        parts.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                                : o->objectName());
    return parts.join(QLatin1Char('/'));
}

// Qt's own helpers that a user never reaches while they are hidden.
bool isToolkitInternal(QObject *o)
{
    return o->objectName().startsWith(QLatin1String("qt_"));
}

// Hidden on purpose (itself or a container inside its window): a user cannot
// reach it. Windows are looked at while hidden too: dialogs are created once
// at start and shown later.
bool isReachable(QWidget *w)
{
    for (; w && !w->isWindow(); w = w->parentWidget())
        if (w->isHidden() || isToolkitInternal(w))
            return false;
    return w && !isToolkitInternal(w);
}

void check(QAccessibleInterface *iface, QStringList &nameless, int &clickables)
{
    if (!iface || !isClickable(iface) || iface->role() == QAccessible::Separator)
        return;
    ++clickables;
    if (iface->text(QAccessible::Name).trimmed().isEmpty()) {
        QObject *o = iface->object();
        nameless << (o && o->isWidgetType() ? pathOf(o)
                                            : QStringLiteral("entry of %1").arg(pathOf(iface->parent()->object())));
    }
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyClickableControlHasAName()
    {
        AppFixture f;
        auto program = f.start();
        QVERIFY(program->catalogues()->open(1));
        QCoreApplication::processEvents();

        QStringList nameless;
        int windows = 0;
        int clickables = 0;
        for (QWidget *w : QApplication::allWidgets()) {
            if (!isReachable(w))
                continue;
            windows += w->isWindow() ? 1 : 0;
            check(QAccessible::queryAccessibleInterface(w), nameless, clickables);
        }
        // Menu entries are no widgets: read them through their menus.
        for (QWidget *w : QApplication::allWidgets()) {
            auto *m = qobject_cast<QMenu *>(w);
            if (!m)
                continue;
            QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(m);
            for (int i = 0; i < menu->childCount(); ++i)
                if (QAccessibleInterface *entry = menu->child(i)) {
                    auto *action = qobject_cast<QAction *>(entry->object());
                    if (action && action->isVisible())
                        check(entry, nameless, clickables);
                }
        }
        qInfo("%d windows, %d clickable controls", windows, clickables);
        QVERIFY2(windows > 10, qPrintable(QString::number(windows)));
        QVERIFY2(clickables > 150, qPrintable(QString::number(clickables)));
        nameless.removeDuplicates();
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_app_accessibility.moc"
