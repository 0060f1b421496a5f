// The typed keys of the two ini files and the slot table: the restore and the
// end of a run touch exactly their keys, and only the value 1 counts as on.

#include "core/AppSettings.h"
#include "core/Slots.h"
#include "core/SuiteSettings.h"
#include "platform/Error.h"

#include "support/Files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using testsupport::fileBytes;
using testsupport::writeFile;
using core::AppSettings;
using core::SuiteSettings;
using core::ViewElement;

namespace {

const ViewElement AllViews[] = {ViewElement::Standardni, ViewElement::Databaze, ViewElement::Okna,
                                ViewElement::TipyDne, ViewElement::StavovyRadek,
                                ViewElement::PanelOutlook};

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    platform::ProgramDirectory m_dir{QStringLiteral("/")};

private slots:
    void init()
    {
        QVERIFY(m_tmp.isValid());
        m_dir = platform::ProgramDirectory(m_tmp.path());
        QFile::remove(m_dir.file(QStringLiteral("Ordex2000.ini")));
        QFile::remove(m_dir.file(QStringLiteral("Tessera.ini")));
    }

    void missingFileReadsAsDefaults()
    {
        AppSettings settings(m_dir);
        QCOMPARE(settings.path(), m_dir.file(QStringLiteral("Ordex2000.ini")));
        for (const ViewElement e : AllViews)
            QVERIFY(!settings.viewShown(e));
        QVERIFY(!settings.tipsAtStart());
        for (int slot = 1; slot <= core::SlotCount; ++slot)
            QVERIFY(!settings.catalogueOpen(slot));
        QCOMPARE(settings.optionalName(1), QString());
        QCOMPARE(settings.auxiliarySlot(), 0);
        QCOMPARE(settings.tipsShownThisRun(), QString());
        QVERIFY(!QFile::exists(settings.path()));

        settings.setCatalogueOpen(3, true);
        QVERIFY(QFile::exists(settings.path()));
        QVERIFY(settings.catalogueOpen(3));
        QVERIFY(!settings.catalogueOpen(2));
    }

    void onlyOneCountsAsOn()
    {
        writeFile(m_dir.file(QStringLiteral("Ordex2000.ini")),
                  "[Zobrazit]\r\nStandardni=2\r\nOkna=ano\r\nDatabaze= 1 \r\nTipy=-1\r\n"
                  "[Otevreni]\r\nDatabaze1=0x1\r\nDatabaze2=11\r\n");
        AppSettings settings(m_dir);
        QVERIFY(!settings.viewShown(ViewElement::Standardni));
        QVERIFY(!settings.viewShown(ViewElement::Okna));
        QVERIFY(settings.viewShown(ViewElement::Databaze));
        QVERIFY(!settings.tipsAtStart());
        QVERIFY(settings.catalogueOpen(1));
        QVERIFY(!settings.catalogueOpen(2));
    }

    void keysRoundTrip()
    {
        AppSettings settings(m_dir);
        settings.setOptionalName(2, QStringLiteral("Sbírka Čapků"));
        QCOMPARE(settings.optionalName(2), QStringLiteral("Sbírka Čapků"));
        QCOMPARE(settings.optionalName(1), QString());

        // Closing writes the text "0".
        settings.setCatalogueOpen(1, true);
        settings.setCatalogueOpen(1, false);
        QVERIFY(fileBytes(settings.path()).contains("[Otevreni]\r\nDatabaze1=0\r\n"));

        QVERIFY_THROWS_EXCEPTION(std::out_of_range, settings.optionalName(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, settings.setOptionalName(4, QStringLiteral("x")));
        // A name that would break the file is refused before it is written.
        QVERIFY_THROWS_EXCEPTION(platform::Error,
                                 settings.setOptionalName(1, QStringLiteral("Dvě\nřádky")));
        QCOMPARE(settings.optionalName(1), QString());
    }

    void restoreTouchesOnlyItsKeys()
    {
        const QByteArray before =
            "[Zobrazit]\r\nStandardni=0\r\nDatabaze=0\r\nOkna=0\r\nTipyDne=0\r\n"
            "StavovyRadek=0\r\nPanelOutlook=0\r\nTipy=0\r\n"
            "[Otevreni]\r\nDatabaze1=1\r\nDatabaze2=1\r\nDatabaze3=0\r\nDatabaze4=1\r\n"
            "[Volitelne]\r\nData1=x\r\nData2=Komiksy\r\n; jména volitelných databází\r\n\r\n"
            "[Kontrola]\r\nPomocna=3\r\nTipy=1\r\n";
        const QString path = m_dir.file(QStringLiteral("Ordex2000.ini"));
        writeFile(path, before);
        // The Czech name goes in through the ini file, so it is in code page 1250.
        platform::IniFile raw(path);
        raw.writeString(QStringLiteral("Volitelne"), QStringLiteral("Data1"), QStringLiteral("Romány"));
        const QByteArray start = fileBytes(path);
        const QByteArray tessera = "[Nastaveni]\r\nPomocnik=0\r\nUvitani=1\r\n";
        writeFile(m_dir.file(QStringLiteral("Tessera.ini")), tessera);

        AppSettings settings(m_dir);
        settings.restoreFactoryValues();

        QByteArray expected = start;
        expected.replace("Standardni=0", "Standardni=1").replace("Databaze=0", "Databaze=1")
            .replace("Okna=0", "Okna=1").replace("TipyDne=0", "TipyDne=1")
            .replace("StavovyRadek=0", "StavovyRadek=1").replace("PanelOutlook=0", "PanelOutlook=1")
            .replace("Databaze1=1", "Databaze1=0").replace("Databaze2=1", "Databaze2=0")
            .replace("Databaze4=1", "Databaze4=0").replace("Pomocna=3", "Pomocna=0");
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(fileBytes(m_dir.file(QStringLiteral("Tessera.ini"))), tessera);
        QCOMPARE(settings.optionalName(1), QStringLiteral("Romány"));
        QVERIFY(!settings.tipsAtStart());
        QCOMPARE(settings.tipsShownThisRun(), QStringLiteral("1"));
    }

    void exitResetsTheRunMarkers()
    {
        AppSettings settings(m_dir);
        settings.setViewShown(ViewElement::Okna, false);
        settings.setTipsAtStart(true);
        for (int slot = 1; slot <= core::SlotCount; ++slot)
            settings.setCatalogueOpen(slot, true);
        settings.setAuxiliarySlot(2);
        settings.setTipsShownThisRun(QStringLiteral("1"));
        settings.setOptionalName(3, QStringLiteral("Poezie"));

        settings.resetAtExit();
        for (int slot = 1; slot <= core::SlotCount; ++slot)
            QVERIFY(!settings.catalogueOpen(slot));
        QCOMPARE(settings.auxiliarySlot(), 0);
        QCOMPARE(settings.tipsShownThisRun(), QStringLiteral("0"));
        QVERIFY(!settings.viewShown(ViewElement::Okna));
        QVERIFY(settings.tipsAtStart());
        QCOMPARE(settings.optionalName(3), QStringLiteral("Poezie"));
    }

    void factoryFileCarriesEveryKey()
    {
        const QString path = m_dir.file(QStringLiteral("Ordex2000.ini"));
        writeFile(path, "[Stare]\r\nKlic=1\r\n");
        AppSettings::writeFactoryFile(path);
        AppSettings settings(m_dir);
        for (const ViewElement e : AllViews)
            QVERIFY(settings.viewShown(e));
        QVERIFY(settings.tipsAtStart());
        for (int slot = 1; slot <= core::SlotCount; ++slot)
            QVERIFY(!settings.catalogueOpen(slot));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(settings.optionalName(n), core::placeholderCatalogueName());
        QCOMPARE(settings.auxiliarySlot(), 0);
        QCOMPARE(settings.tipsShownThisRun(), QStringLiteral("0"));
        QVERIFY(!fileBytes(path).contains("Stare"));

        // The restore writes the factory values: a factory file stays as it is.
        const QByteArray factory = fileBytes(path);
        settings.restoreFactoryValues();
        settings.resetAtExit();
        QCOMPARE(fileBytes(path), factory);
    }

    void suiteSettings()
    {
        SuiteSettings suite(m_dir);
        QCOMPARE(suite.path(), m_dir.file(QStringLiteral("Tessera.ini")));
        QVERIFY(!suite.assistantShown());
        QVERIFY(!suite.welcomeAtStart());
        suite.setAssistantShown(true);
        suite.setWelcomeAtStart(true);
        QVERIFY(suite.assistantShown());
        QVERIFY(suite.welcomeAtStart());
        QCOMPARE(fileBytes(suite.path()), QByteArray("[Nastaveni]\r\nPomocnik=1\r\nUvitani=1\r\n"));

        // Another program of the family writes in between; its keys stay.
        writeFile(suite.path(), "[Nastaveni]\r\nPomocnik=0\r\nUvitani=2\r\nAdresar=1\r\n");
        QVERIFY(!suite.assistantShown());
        QVERIFY(!suite.welcomeAtStart());
        suite.setAssistantShown(true);
        QCOMPARE(fileBytes(suite.path()), QByteArray("[Nastaveni]\r\nPomocnik=1\r\nUvitani=2\r\nAdresar=1\r\n"));
    }

    void slotTable()
    {
        // Lending codes and address-book flags are numbered differently.
        QCOMPARE(core::slotInfo(1).lendingCode, QStringLiteral("GS"));
        QCOMPARE(core::slotInfo(2).lendingCode, QStringLiteral("G1"));
        QCOMPARE(core::slotInfo(2).addressFlag, QStringLiteral("G2"));
        QCOMPARE(core::slotInfo(4).addressFlag, QStringLiteral("G4"));
        QCOMPARE(core::slotInfo(1).nameKey, QString());
        QCOMPARE(core::slotInfo(3).nameKey, QStringLiteral("Data2"));
        for (int slot = 1; slot <= core::SlotCount; ++slot)
            QCOMPARE(core::slotOfWindowName(core::slotInfo(slot).windowName), slot);
        QCOMPARE(core::slotOfWindowName(QStringLiteral("Databaze5Dialog")), 0);
        QCOMPARE(core::slotOfWindowName(QString()), 0);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, core::slotInfo(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, core::slotInfo(5));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_core_settings.moc"
