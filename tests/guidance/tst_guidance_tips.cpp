// The tips of the day: stepping through the shared cursor, the check box
// that decides about the next start, a missing or damaged tips file, and the
// assistant and welcome dialog that follow the first close in a run.

#include "GuidanceFixture.h"

#include "TipsOfTheDay.h"
#include "core/DataModule.h"
#include "dbase/Table.h"
#include "guidance/TipyDialog.h"
#include "guidance/UvitaniDialog.h"
#include "platform/Error.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using guidance::TipyDialog;

namespace {

struct TipsFixture : GuidanceFixture
{
    TipsFixture()
        : data(dir)
        , welcome(shell, suite, dir, *assistant)
        , tips(shell, settings, suite, dir, data.tipsTable(), *assistant, welcome)
    {
        assistant->setWelcomeDialog(&welcome);
    }

    QString shownTip() const { return tips.findChild<QLabel *>(QStringLiteral("TipText"))->text(); }
    QPushButton *button(const char *name) const
    {
        return tips.findChild<QPushButton *>(QLatin1String(name));
    }
    QCheckBox *checkBox() const { return tips.findChild<QCheckBox *>(QStringLiteral("CheckBox1")); }
    QString kontrolaTipy() const
    {
        return ordexIni().readString(QStringLiteral("Kontrola"), QStringLiteral("Tipy"));
    }

    core::DataModule data;
    guidance::UvitaniDialog welcome;
    TipyDialog tips;
};

} // namespace

class TipsTest : public QObject
{
    Q_OBJECT

private slots:
    void nextWrapsOnlyFromTheReportedEnd()
    {
        TipsFixture f;
        const QStringList all = tipsOfTheDay();
        QVERIFY(all.size() >= 3);
        f.tips.show();
        QCOMPARE(f.shownTip(), all.first());

        // Stepping onto the last tip does not yet report the end.
        for (int i = 1; i < all.size(); ++i)
            QTest::mouseClick(f.button("Button2"), Qt::LeftButton);
        QCOMPARE(f.shownTip(), all.last());
        f.tips.Button2Click();
        QCOMPARE(f.shownTip(), all.last());
        f.tips.Button2Click();
        QCOMPARE(f.shownTip(), all.first());

        // After the command "last" the end is reported at once.
        dbase::Table &table = *f.data.tipsTable();
        table.last();
        TipyDialog::nextTip(table);
        QCOMPARE(f.shownTip(), all.first());
    }

    void previousWrapsOnlyFromTheReportedBeginning()
    {
        TipsFixture f;
        const QStringList all = tipsOfTheDay();
        f.tips.show();
        dbase::Table &table = *f.data.tipsTable();
        table.first();
        QTest::mouseClick(f.button("Button3"), Qt::LeftButton);
        QCOMPARE(f.shownTip(), all.last());

        // Back onto the first tip by stepping: first press stays, second wraps.
        for (int i = 1; i < all.size(); ++i)
            TipyDialog::previousTip(table);
        QCOMPARE(f.shownTip(), all.first());
        f.tips.Button3Click();
        QCOMPARE(f.shownTip(), all.first());
        f.tips.Button3Click();
        QCOMPARE(f.shownTip(), all.last());
    }

    void toolbarAndDialogShareTheCursor()
    {
        TipsFixture f;
        const QStringList all = tipsOfTheDay();
        f.tips.show();
        // The main window's TT2 moves the same table.
        TipyDialog::nextTip(*f.data.tipsTable());
        QCOMPARE(f.shownTip(), all.at(1));
        QCOMPARE(f.data.tipsTable()->fieldText(QStringLiteral("TIPDNE")).trimmed(), all.at(1));
        // A closed table is left alone.
        f.data.tipsTable()->close();
        TipyDialog::nextTip(*f.data.tipsTable());
        TipyDialog::previousTip(*f.data.tipsTable());
        QVERIFY(!f.data.tipsTable()->isActive());
    }

    void everyTipFitsTheDialog()
    {
        TipsFixture f;
        f.tips.show();
        const QLabel *tip = f.tips.findChild<QLabel *>(QStringLiteral("TipText"));
        const QStringList all = tipsOfTheDay();
        for (int i = 0; i < all.size(); ++i) {
            QCOMPARE(tip->text(), all.at(i));
            QVERIFY2(tip->heightForWidth(tip->width()) <= tip->height(), qPrintable(all.at(i)));
            f.tips.Button2Click();
        }
        const QLabel *error = f.tips.findChild<QLabel *>(QStringLiteral("Label5"));
        QVERIFY(error->heightForWidth(error->width()) <= error->height());
    }

    void checkBoxDecidesTheNextStart()
    {
        TipsFixture f;
        f.tips.show();
        QVERIFY(f.checkBox()->isChecked()); // factory value 1
        QVERIFY(!f.shell.mainWindowEnabled);
        f.checkBox()->setChecked(false);
        f.tips.close();
        QCOMPARE(f.ordexIni().readInteger(QStringLiteral("Zobrazit"), QStringLiteral("Tipy"), -1), 0);

        f.tips.show();
        QVERIFY(!f.checkBox()->isChecked());
        f.checkBox()->setChecked(true);
        QTest::keyClick(f.checkBox(), Qt::Key_Escape); // Escape from a control closes
        QVERIFY(f.tips.isHidden());
        QCOMPARE(f.ordexIni().readInteger(QStringLiteral("Zobrazit"), QStringLiteral("Tipy"), -1), 1);
    }

    void unwritableSettingsStillCloseTheDialog()
    {
        TipsFixture f;
        f.tips.show();
        QVERIFY(QFile::remove(f.settings.path()));
        QVERIFY(QDir().mkpath(f.settings.path()));
        QVERIFY_THROWS_EXCEPTION(platform::Error, f.tips.Button1Click());
        QVERIFY(f.tips.isHidden());
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void missingOrDamagedTipsFile_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("missing") << false;
        QTest::newRow("damaged") << true;
    }

    void missingOrDamagedTipsFile()
    {
        QFETCH(bool, damaged);
        TipsFixture f;
        const QString path = f.dir.dataDir() + QStringLiteral("TIPYG.DBF");
        QVERIFY(QFile::remove(path));
        if (damaged) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("\x03\x7f\x01not a table at all");
        }
        f.tips.show();
        QVERIFY(f.tips.findChild<QLabel *>(QStringLiteral("Label5"))->isVisible());
        QVERIFY(!f.button("Button2")->isEnabled());
        QVERIFY(!f.button("Button3")->isEnabled());
        QVERIFY(f.tips.currentTipText().isEmpty());
        QTest::mouseClick(f.button("Button1"), Qt::LeftButton);
        QVERIFY(f.tips.isHidden());
        QVERIFY(f.assistant->isVisible()); // the start-up guidance still runs
    }

    void firstCloseStartsAssistantAndWelcomeOnce()
    {
        TipsFixture f;
        f.tips.show();
        QVERIFY(f.assistant->isHidden());
        QVERIFY(f.welcome.isHidden());
        f.tips.close();
        QVERIFY(f.assistant->isVisible());
        QVERIFY(f.welcome.isVisible());
        QVERIFY(f.welcome.showAtStart());
        QVERIFY(!f.shell.mainWindowEnabled); // the welcome dialog holds it
        QCOMPARE(f.kontrolaTipy(), QStringLiteral("1"));

        f.welcome.close();
        f.assistant->close();
        QVERIFY(f.shell.mainWindowEnabled);
        // Later from the menu: no assistant, no welcome.
        f.tips.show();
        f.tips.close();
        QVERIFY(f.assistant->isHidden());
        QVERIFY(f.welcome.isHidden());
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void guidanceFollowsTheFamilySettings_data()
    {
        QTest::addColumn<QString>("pomocnik");
        QTest::addColumn<QString>("uvitani");
        QTest::addColumn<bool>("assistantShown");
        QTest::addColumn<bool>("welcomeShown");
        QTest::newRow("both on") << "1" << "1" << true << true;
        QTest::newRow("no welcome") << "1" << "0" << true << false;
        QTest::newRow("assistant off") << "0" << "1" << false << false;
        QTest::newRow("missing keys") << "" << "" << false << false;
    }

    void guidanceFollowsTheFamilySettings()
    {
        QFETCH(QString, pomocnik);
        QFETCH(QString, uvitani);
        QFETCH(bool, assistantShown);
        QFETCH(bool, welcomeShown);
        TipsFixture f;
        f.tips.show();
        // Written by another program of the family while the dialog is up.
        f.writeTessera("Pomocnik", pomocnik);
        f.writeTessera("Uvitani", uvitani);
        f.tips.close();
        QCOMPARE(f.assistant->isVisible(), assistantShown);
        QCOMPARE(f.welcome.isVisible(), welcomeShown);
        QCOMPARE(f.shell.mainWindowEnabled, !welcomeShown);
    }

    void firstCloseLaterInTheRunStillGuides()
    {
        // Tips were not shown at start; the menu opens them later.
        TipsFixture f;
        f.assistant->show();
        f.assistant->move(0, 0); // dragged where the welcome dialog cannot stand
        f.tips.show();
        f.tips.close();
        QVERIFY(f.welcome.isVisible());
        QCOMPARE(f.assistant->pos(), f.assistant->homePosition());
        QCOMPARE(f.welcome.pos(), QPoint(f.assistant->x() + 104 - 389 - 38, f.assistant->y() - 140 + 30));
    }
};

QTEST_MAIN(TipsTest)
#include "tst_guidance_tips.moc"
