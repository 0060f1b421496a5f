// What the office-style controls tell the accessibility bridge: a named push
// button described by its hint, a press action that clicks it, and nothing
// pressable while disabled.

#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

using widgets::OfficeButton;
using widgets::OfficeLabel;

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void pressablesAreNamedButtonsWithTheirHint_data()
    {
        QTest::addColumn<bool>("label");
        QTest::newRow("button") << false;
        QTest::newRow("label") << true;
    }

    void pressablesAreNamedButtonsWithTheirHint()
    {
        QFETCH(bool, label);
        QWidget window;
        widgets::PressableWidget *w = nullptr;
        if (label)
            w = new OfficeLabel(QStringLiteral("Standardní databáze\nknih"), &window);
        else
            w = new OfficeButton(QStringLiteral("Storno"), &window);
        w->setStatusTip(QStringLiteral("Uzavře dialogové okno"));
        window.show();

        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name),
                 label ? QStringLiteral("Standardní databáze knih") : QStringLiteral("Storno"));
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Uzavře dialogové okno"));

        // The press action clicks it once, as the mouse would.
        QAccessibleActionInterface *actions = iface->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QSignalSpy clicks(w, &widgets::PressableWidget::clicked);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);

        // Disabled: announced, no press action offered, and a press does nothing.
        w->setEnabled(false);
        QVERIFY(iface->state().disabled);
        QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);
    }

    void captionChangeRenamesTheControl()
    {
        QWidget window;
        auto *b = new OfficeButton(QStringLiteral("Ano"), &window);
        window.show();
        b->setCaption(QStringLiteral("Zavřít"));
        QCOMPARE(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name), QStringLiteral("Zavřít"));
        // An explicit accessible name wins over the caption.
        b->setAccessibleName(QStringLiteral("Zavřít okno"));
        QCOMPARE(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name),
                 QStringLiteral("Zavřít okno"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_widgets_accessibility.moc"
