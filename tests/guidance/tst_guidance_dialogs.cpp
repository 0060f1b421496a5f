// The welcome and help balloons, the about box and the restore-settings
// question.

#include "GuidanceFixture.h"

#include "guidance/HelpTopics.h"
#include "guidance/IniDialog.h"
#include "guidance/NapovedaDialog.h"
#include "guidance/OProgramuDialog.h"
#include "guidance/UvitaniDialog.h"
#include "platform/Error.h"
#include "widgets/OfficeButton.h"
#include "widgets/OfficeLabel.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using guidance::NapovedaDialog;
using guidance::UvitaniDialog;

namespace {

struct DialogsFixture : GuidanceFixture
{
    DialogsFixture()
        : welcome(shell, suite, dir, *assistant)
        , help(shell, *assistant)
    {
        welcome.setHelpDialog(&help);
        assistant->setWelcomeDialog(&welcome);
    }

    template<typename T>
    T *in(QWidget &dialog, const char *name)
    {
        T *child = dialog.findChild<T *>(QLatin1String(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    void click(QWidget &dialog, const char *name)
    {
        QTest::mouseClick(in<QWidget>(dialog, name), Qt::LeftButton, {}, QPoint(30, 8));
    }

    UvitaniDialog welcome;
    NapovedaDialog help;
};

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void welcomeWaysOutWriteTheCheckBox_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("ticked");
        for (const char *way : {"OfficeLabel4", "OfficeLabel2", "Enter", "Escape"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 ticked").arg(QLatin1String(way))))
                << QString::fromLatin1(way) << true;
            QTest::newRow(qPrintable(QStringLiteral("%1 clear").arg(QLatin1String(way))))
                << QString::fromLatin1(way) << false;
        }
    }

    void welcomeWaysOutWriteTheCheckBox()
    {
        QFETCH(QString, way);
        QFETCH(bool, ticked);
        DialogsFixture f;
        f.writeTessera("Uvitani", QStringLiteral("0"));
        f.assistant->show();
        f.welcome.show();
        QVERIFY(!f.shell.mainWindowEnabled);
        QVERIFY(f.shell.indicator(QStringLiteral("SBO8")));
        f.welcome.setShowAtStart(ticked);
        if (way == QLatin1String("Enter"))
            QTest::keyClick(f.in<QCheckBox>(f.welcome, "CheckBox1"), Qt::Key_Return);
        else if (way == QLatin1String("Escape"))
            QTest::keyClick(&f.welcome, Qt::Key_Escape);
        else
            f.click(f.welcome, qPrintable(way));
        QVERIFY(f.welcome.isHidden());
        QCOMPARE(f.tessera("Uvitani"), ticked ? QStringLiteral("1") : QStringLiteral("0"));

        if (way == QLatin1String("OfficeLabel2")) {
            // The help dialog follows with its topic list.
            QVERIFY(f.help.isVisible());
            QVERIFY(f.help.topicListShown());
            QCOMPARE(f.help.titleText(), QStringLiteral("Seznam témat nápovědy"));
            QVERIFY(!f.shell.mainWindowEnabled);
        } else {
            QVERIFY(f.shell.mainWindowEnabled);
            QVERIFY(!f.shell.indicator(QStringLiteral("SBO8")));
        }
    }

    void welcomeManualLinkKeepsTheDialog()
    {
        DialogsFixture f;
        int started = 0;
        f.welcome.setManualStarter([&started] { ++started; });
        f.welcome.show();
        QVERIFY(f.welcome.showAtStart()); // Uvitani is "1"
        f.welcome.setShowAtStart(false);
        f.click(f.welcome, "OfficeLabel3");
        QCOMPARE(started, 1);
        QVERIFY(f.welcome.isVisible());
        QCOMPARE(f.tessera("Uvitani"), QStringLiteral("1"));

        // Disabled at start-up when the manual is not installed.
        f.welcome.setManualEnabled(false);
        f.click(f.welcome, "OfficeLabel3");
        QCOMPARE(started, 1);
    }

    void helpCommandDependsOnTheActiveCatalogue()
    {
        DialogsFixture f;
        f.help.Napoveda1Click();
        QVERIFY(f.help.isVisible());
        QVERIFY(f.help.topicListShown());
        QCOMPARE(f.help.titleText(), QStringLiteral("Seznam témat nápovědy"));
        // Help row: the help dialog stands above the figure at home.
        QCOMPARE(f.help.pos(), QPoint(f.assistant->x() + 104 - 250 - 40, f.assistant->y() - 343 + 30));
        QVERIFY(!f.shell.indicator(QStringLiteral("SBO10")));
        QVERIFY(f.shell.indicator(QStringLiteral("SBO8")));
        QTest::keyClick(&f.help, Qt::Key_Escape);
        QVERIFY(f.help.isHidden());
        QVERIFY(f.shell.mainWindowEnabled);
        QVERIFY(!f.shell.indicator(QStringLiteral("SBO8")));
        QVERIFY(!f.shell.indicator(QStringLiteral("SBO10")));

        QWidget catalogue;
        f.shell.activeWindow = &catalogue;
        f.help.Napoveda1Click();
        QVERIFY(!f.help.topicListShown());
        QCOMPARE(f.help.titleText(), QStringLiteral("Práce s databází"));
        QVERIFY(f.help.topicText().startsWith(QStringLiteral("Pro práci s jednotlivými databázemi")));
        QVERIFY(f.help.informationText().contains(QStringLiteral("tlačítkem zpět")));
        f.click(f.help, "OfficeLabel2"); // "Opustit nápovědu"
        QVERIFY(f.help.isHidden());
        QVERIFY(f.shell.indicator(QStringLiteral("SBO10")));
    }

    void topicLinksAndList()
    {
        DialogsFixture f;
        const auto &topics = guidance::helpTopics();
        QCOMPARE(topics.size(), 13);
        f.help.Napoveda1Click();
        for (int i = 0; i < topics.size(); ++i) {
            f.click(f.help, qPrintable(QStringLiteral("TopicLabel%1").arg(i + 1)));
            QVERIFY(!f.help.topicListShown());
            QCOMPARE(f.help.titleText(), topics.at(i).title);
            QCOMPARE(f.help.informationText(), topics.at(i).information);
            f.click(f.help, "OfficeLabel1");
            QVERIFY(f.help.topicListShown());
            QCOMPARE(f.help.titleText(), QStringLiteral("Seznam témat nápovědy"));
        }
        // A topic without information leaves no text of the previous one.
        f.help.showTopic(1);
        QVERIFY(!f.help.informationText().isEmpty());
        f.help.showTopic(0);
        QVERIFY(f.help.informationText().isEmpty());
        QCOMPARE(f.in<widgets::OfficeLabel>(f.help, "TopicLabel3")->caption(),
                 QStringLiteral("Nabídka \"Zobrazit\""));
    }

    void everyTopicFitsItsLabels()
    {
        // Texts cut off at the bottom of their fixed boxes would be lost.
        DialogsFixture f;
        const auto &topics = guidance::helpTopics();
        for (int i = 0; i < topics.size(); ++i) {
            f.help.showTopic(i);
            for (const char *name : {"Label2", "Label3"}) {
                const QLabel *label = f.in<QLabel>(f.help, name);
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                         qPrintable(topics.at(i).title + QLatin1Char(' ') + QLatin1String(name)));
            }
        }
    }

    void everyTextLiesInsideItsBox()
    {
        // Each text of the welcome and the help balloon, drawn in its own
        // font, lies wholly inside its control: nothing cut at either side.
        DialogsFixture f;
        const auto misfits = [](QWidget &dialog) {
            QStringList out;
            for (QWidget *w : dialog.findChildren<QWidget *>()) {
                if (!w->isVisibleTo(&dialog))
                    continue;
                QString text;
                QRect box;
                int flags = 0;
                if (auto *label = qobject_cast<widgets::OfficeLabel *>(w)) {
                    text = label->caption();
                    box = label->textRect();
                    flags = Qt::TextWordWrap;
                } else if (auto *label = qobject_cast<QLabel *>(w)) {
                    text = label->text();
                    box = label->contentsRect();
                    flags = label->wordWrap() ? Qt::TextWordWrap : 0;
                } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
                    text = check->text();
                    const int indicator = check->sizeHint().width()
                        - check->fontMetrics().horizontalAdvance(text);
                    box = QRect(0, 0, check->width() - indicator, check->height());
                }
                if (text.isEmpty())
                    continue;
                const QRect need = w->fontMetrics().boundingRect(
                    QRect(0, 0, box.width(), 10000), flags, text);
                if (need.width() > box.width() || need.height() > box.height())
                    out << QStringLiteral("%1 \"%2\" needs %3 x %4 in %5 x %6")
                               .arg(w->objectName(), text)
                               .arg(need.width()).arg(need.height())
                               .arg(box.width()).arg(box.height());
            }
            return out;
        };
        QCOMPARE(misfits(f.welcome), QStringList());
        f.help.Napoveda1Click();
        QCOMPARE(misfits(f.help), QStringList());
        const auto &topics = guidance::helpTopics();
        for (int i = 0; i < topics.size(); ++i) {
            f.help.showTopic(i);
            QCOMPARE(misfits(f.help), QStringList());
        }
    }

    void aboutBoxClosesByKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on Ok") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void aboutBoxClosesByKeys()
    {
        QFETCH(int, key);
        DialogsFixture f;
        guidance::OProgramuDialog about(f.shell);
        QCOMPARE(about.size(), QSize(323, 244));
        about.show();
        QVERIFY(!f.shell.mainWindowEnabled);
        QTest::keyClick(f.in<QPushButton>(about, "Button1"), Qt::Key(key));
        QVERIFY(about.isHidden());
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void restoreQuestionEnterRestores()
    {
        DialogsFixture f;
        f.settings.setViewShown(core::ViewElement::Okna, false);
        f.settings.setViewShown(core::ViewElement::PanelOutlook, false);
        f.settings.setCatalogueOpen(2, true);
        f.settings.setAuxiliarySlot(3);
        f.settings.setTipsAtStart(false);
        f.settings.setOptionalName(1, QStringLiteral("Moje knihy"));
        f.settings.setTipsShownThisRun(QStringLiteral("1"));
        f.writeTessera("Uvitani", QStringLiteral("0"));

        guidance::IniDialog ini(f.shell, f.settings);
        QSignalSpy restored(&ini, &guidance::IniDialog::restored);
        QWidget *balloon = ini.window();
        QCOMPARE(balloon->objectName(), QStringLiteral("IniDialog"));
        QCOMPARE(balloon->size(), QSize(300, 98));
        f.shell.indicators.insert(QStringLiteral("SBO10"));
        f.assistant->move(0, 0);
        ini.MN5Click();
        QVERIFY(balloon->isVisible());
        QCOMPARE(f.assistant->pos(), QPoint(1024 - 104 - 7, 768 - 104 - 25)); // brought home
        QCOMPARE(balloon->geometry().bottom(), f.assistant->geometry().bottom());
        QVERIFY(f.shell.indicator(QStringLiteral("SBO6")));
        QVERIFY(!f.shell.indicator(QStringLiteral("SBO10")));
        QVERIFY(!f.shell.mainWindowEnabled);

        QTest::keyClick(balloon, Qt::Key_Return);
        QCOMPARE(restored.count(), 1);
        QVERIFY(balloon->isHidden());
        QVERIFY(f.settings.viewShown(core::ViewElement::Okna));
        QVERIFY(f.settings.viewShown(core::ViewElement::PanelOutlook));
        QVERIFY(!f.settings.catalogueOpen(2));
        QCOMPARE(f.settings.auxiliarySlot(), 0);
        // Untouched.
        QVERIFY(!f.settings.tipsAtStart());
        QCOMPARE(f.settings.optionalName(1), QStringLiteral("Moje knihy"));
        QCOMPARE(f.settings.tipsShownThisRun(), QStringLiteral("1"));
        QCOMPARE(f.tessera("Uvitani"), QStringLiteral("0"));
        QVERIFY(!f.shell.indicator(QStringLiteral("SBO6")));
        QVERIFY(!f.shell.indicator(QStringLiteral("SBO10")));
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void unwritableSettingsStillReleaseTheMainWindow()
    {
        // A settings file that cannot be written (here a folder in its
        // place) is reported, and the dialog does not stay up holding the
        // main window disabled.
        DialogsFixture f;
        f.welcome.show();
        QVERIFY(QFile::remove(f.dir.file(QStringLiteral("Tessera.ini"))));
        QVERIFY(QDir().mkpath(f.dir.file(QStringLiteral("Tessera.ini"))));
        QVERIFY_THROWS_EXCEPTION(platform::Error, f.welcome.OfficeLabel4Click());
        QVERIFY(f.welcome.isHidden());
        QVERIFY(f.shell.mainWindowEnabled);

        QVERIFY(QDir(f.dir.file(QStringLiteral("Tessera.ini"))).removeRecursively());
        guidance::IniDialog ini(f.shell, f.settings);
        ini.MN5Click();
        QVERIFY(!f.shell.mainWindowEnabled);
        QVERIFY(QFile::remove(f.settings.path()));
        QVERIFY(QDir().mkpath(f.settings.path()));
        QVERIFY_THROWS_EXCEPTION(platform::Error, ini.OfficeButton1Click());
        QVERIFY(ini.window()->isHidden());
        QVERIFY(f.shell.mainWindowEnabled);
    }

    void restoreQuestionEscapeWritesNothing()
    {
        DialogsFixture f;
        f.settings.setViewShown(core::ViewElement::Standardni, false);
        f.settings.setCatalogueOpen(4, true);
        const QByteArray before = [&] {
            QFile file(f.settings.path());
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        guidance::IniDialog ini(f.shell, f.settings);
        QSignalSpy restored(&ini, &guidance::IniDialog::restored);
        ini.MN5Click();
        QTest::keyClick(ini.window(), Qt::Key_Escape);
        QVERIFY(ini.window()->isHidden());
        QCOMPARE(restored.count(), 0);
        QFile file(f.settings.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QVERIFY(f.shell.mainWindowEnabled);

        // "Ano" restores like Enter.
        ini.MN5Click();
        QTest::mouseClick(f.in<widgets::OfficeButton>(*ini.window(), "OfficeButton1"), Qt::LeftButton);
        QCOMPARE(restored.count(), 1);
        QVERIFY(f.settings.viewShown(core::ViewElement::Standardni));
        QVERIFY(!f.settings.catalogueOpen(4));
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_guidance_dialogs.moc"
