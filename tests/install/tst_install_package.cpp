// The Debian package as cpack -G DEB builds it: what it installs, what it
// needs at run time, and that it brings nothing that touches a user's files.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result
{
    int code = -1;
    QString output;
};

Result run(const QString &program, const QStringList &args, const QString &folder = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return {-1, QStringLiteral("%1 did not start").arg(program)};
    p.waitForFinished(280000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, QString::fromUtf8(p.readAll())};
}

} // namespace

class PackageTest : public QObject
{
    Q_OBJECT

private slots:
    void packageInstallsTheProgramAndDeclaresWhatItNeeds()
    {
        QTemporaryDir out;
        const Result cpack = run(QStringLiteral(ORDEX_CPACK),
                                 {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out.path(),
                                  QStringLiteral("--config"), QStringLiteral(ORDEX_BUILD_DIR "/CPackConfig.cmake")},
                                 QStringLiteral(ORDEX_BUILD_DIR));
        QVERIFY2(cpack.code == 0, qPrintable(cpack.output));
        const QStringList debs = QDir(out.path()).entryList({QStringLiteral("ordex2000_*.deb")}, QDir::Files);
        QVERIFY2(debs.size() == 1, qPrintable(cpack.output));
        const QString deb = out.filePath(debs.first());

        const Result info = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--info"), deb});
        QVERIFY2(info.code == 0, qPrintable(info.output));
        QVERIFY(info.output.contains(QStringLiteral(" Package: ordex2000\n")));
        QVERIFY2(info.output.contains(QStringLiteral("\n  book, searches by seven keys")), qPrintable(info.output));
        // The libraries come from dpkg-shlibdeps, with their versions.
        const QString depends = info.output.section(QStringLiteral(" Depends: "), 1).section(QLatin1Char('\n'), 0, 0);
        for (const char *package : {"libqt6widgets6", "libqt6printsupport6", "libqt6multimedia6", "libqt6core6",
                                    "libarchive13", "libstdc++6", "libc6", "fonts-liberation2", "fonts-dejavu-core",
                                    "adwaita-icon-theme"})
            QVERIFY2(depends.contains(QLatin1String(package)), qPrintable(package + (": " + depends)));
        QVERIFY2(depends.contains(QStringLiteral("libqt6core6 (>= ")), qPrintable(depends));
        // No maintainer script: removing the package leaves every user's files alone.
        for (const char *script : {"preinst", "postinst", "prerm", "postrm"})
            QVERIFY2(!info.output.contains(QRegularExpression(QStringLiteral("\\s%1\\s").arg(QLatin1String(script)))),
                     script);

        const Result contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
        QVERIFY2(contents.code == 0, qPrintable(contents.output));
        for (const char *path : {"./usr/bin/ordex2000 -> ../lib/ordex2000/Ordex2000",
                                 "./usr/bin/ordex-dbf -> ../lib/ordex2000/ordex-dbf",
                                 "./usr/bin/ordex-report -> ../lib/ordex2000/ordex-report",
                                 "./usr/lib/ordex2000/Ordex2000\n", "./usr/lib/ordex2000/Ordex2000.installed\n",
                                 "./usr/share/ordex2000/Ordex2000.ini\n", "./usr/share/ordex2000/Tessera.ini\n",
                                 "./usr/share/ordex2000/Data/VazonS.dbf\n", "./usr/share/ordex2000/Data/TIPYG.DBF\n",
                                 "./usr/share/ordex2000/Data/Zaloha/VazonI.Mdx\n",
                                 "./usr/share/ordex2000/Zvuky/Dialog.wav\n",
                                 "./usr/share/applications/cz.tessera.ordex2000.desktop\n",
                                 "./usr/share/metainfo/cz.tessera.ordex2000.metainfo.xml\n",
                                 "./usr/share/icons/hicolor/48x48/apps/cz.tessera.ordex2000.png\n",
                                 "./usr/share/icons/hicolor/scalable/apps/cz.tessera.ordex2000.svg\n"})
            QVERIFY2(contents.output.contains(QLatin1String(path)), path);
        // Everything lies below /usr, and the files belong to root.
        const QStringList lines = contents.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            QVERIFY2(line.contains(QStringLiteral(" ./usr/")) || line.endsWith(QStringLiteral(" ./")), qPrintable(line));
            QVERIFY2(line.contains(QStringLiteral(" root/root ")), qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(PackageTest)
#include "tst_install_package.moc"
