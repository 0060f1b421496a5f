// The one command table: every control that shows a command reads its text
// from the command's row, so what the main menu, the side bar, the context
// menus and the catalogue window's own menu show must fit together.

#include "core/Commands.h"

#include <QKeySequence>
#include <QTest>

using core::Command;

class CommandTableTest : public QObject
{
    Q_OBJECT
private slots:
    void everyControlHasItsText();
};

void CommandTableTest::everyControlHasItsText()
{
    int windowItems = 0;
    for (int i = 0; i < core::CommandCount; ++i) {
        const Command c = Command(i);
        const core::CommandRow &row = core::commandRow(c);
        const QByteArray name = row.menuItem;
        QCOMPARE(core::commandOfControl(core::commandName(c)), std::optional<Command>(c));
        QVERIFY2(row.hint, name);
        // A command with a control of its own in a menu is captioned there;
        // the captions beside the main menu never carry a mnemonic.
        const bool pictureOnly = core::commandCaption(c).isEmpty();
        if (row.sideBarButton) {
            QVERIFY2(!core::sideBarCaption(c).isEmpty(), name);
            QVERIFY2(!core::sideBarCaption(c).contains(QLatin1Char('&')), name);
        }
        if (row.popupTwin) {
            QVERIFY2(!core::popupCaption(c).isEmpty(), name);
            QVERIFY2(!core::popupCaption(c).contains(QLatin1Char('&')), name);
        }
        if (row.windowMenuItem) {
            ++windowItems;
            QVERIFY2(!pictureOnly, name);
            QVERIFY2(!core::windowMenuCaption(c).contains(QLatin1Char('&')), name);
            QVERIFY2(!core::windowMenuCaption(c).isEmpty(), name);
        }
        if (core::hasShortcut(c))
            QVERIFY2(!QKeySequence(row.shortcut).toString().isEmpty(), name);
    }
    // The catalogue window's menu: fifteen record commands and the go-to submenu.
    QCOMPARE(windowItems, 16);
    // The window menu shows the main menu's texts and keys without the mnemonic.
    QCOMPARE(core::windowMenuCaption(Command::Prior), QStringLiteral("Předchozí"));
    QCOMPARE(core::windowMenuCaption(Command::GoTo), QStringLiteral("Přejít na ..."));
    QCOMPARE(QKeySequence(core::commandRow(Command::SaveRecord).shortcut), QKeySequence(Qt::Key_Enter));
    QVERIFY(!core::hasShortcut(Command::Preview));
    // A control name of no command, and the window entries by slot.
    QCOMPARE(core::commandOfControl(QStringLiteral("MZ1")), std::nullopt);
    for (int slot = 1; slot <= 4; ++slot) {
        QCOMPARE(core::slotOfWindowEntry(core::windowEntry(slot)), slot);
        QCOMPARE(core::commandName(core::windowEntry(slot)), QStringLiteral("o%1").arg(slot) + QLatin1Char('1'));
    }
    for (int i = 0; i < 6; ++i)
        QCOMPARE(core::viewToggleIndex(core::viewToggle(i)), i);
    QCOMPARE(core::viewToggleIndex(Command::Exit), -1);
}

QTEST_APPLESS_MAIN(CommandTableTest)
#include "tst_core_command_table.moc"
