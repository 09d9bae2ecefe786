// The program installed into a scratch prefix as a desktop meets it, and its Debian package.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kAppId = QStringLiteral(ORBELLE_APP_ID);

// Every file the desktop, the manual and the program expect below the prefix.
QStringList expectedFiles()
{
    QStringList files{
        QStringLiteral("bin/orbelle"),
        QStringLiteral("share/orbelle/orbelle.sqlite"),
        QStringLiteral("share/orbelle/Imagenes/78.jpg"),
        QStringLiteral("share/orbelle/orbelle.png"),
        QStringLiteral("share/orbelle/orbelle.sf2"),
        QStringLiteral("share/applications/%1.desktop").arg(kAppId),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId),
        QStringLiteral("share/man/man6/orbelle.6.gz"),
        QStringLiteral("share/man/es/man6/orbelle.6.gz"),
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(kAppId),
    };
    for (int n : {16, 32, 48, 64, 128, 256})
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(n).arg(kAppId);
    return files;
}

// A key of a desktop file's one group, [Desktop Entry]; empty when it is not there.
QString desktopKey(const QString &path, const QString &key)
{
    QFile f(path);
    const QString text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(QRegularExpression::escape(key)),
                                  QRegularExpression::MultilineOption);
    return line.match(text).captured(1).trimmed();
}

// Runs a command to its end; its exit code, or -1 when it did not run or finish.
int run(const QString &program, const QStringList &args, QString *output = nullptr, int ms = 120000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool finished = p.waitForFinished(ms) && p.exitStatus() == QProcess::NormalExit;
    if (output)
        *output = (finished ? QString() : p.errorString() + QLatin1Char('\n')) +
                  QString::fromLocal8Bit(p.readAll());
    return finished ? p.exitCode() : -1;
}

} // namespace

class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;

    QString installed(const QString &relative) const { return QDir(m_prefix.path()).filePath(relative); }
    QString desktopFile() const
    {
        return installed(QStringLiteral("share/applications/%1.desktop").arg(kAppId));
    }
    QString metainfoFile() const
    {
        return installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        QString out;
        const int code = run(QStringLiteral(CMAKE_COMMAND),
                             {QStringLiteral("--install"), QStringLiteral(ORBELLE_BUILD_DIR),
                              QStringLiteral("--prefix"), m_prefix.path()},
                             &out);
        QVERIFY2(code == 0, qPrintable(out));
    }

    void installsWhereTheDesktopLooks()
    {
        for (const QString &f : expectedFiles()) {
            const QFileInfo info(installed(f));
            QVERIFY2(info.isFile() && info.size() > 0, qPrintable(f));
        }
        QVERIFY(QFileInfo(installed(QStringLiteral("bin/orbelle"))).isExecutable());
        // The build's own scratch files stay out of the installation.
        QDirIterator it(m_prefix.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            QVERIFY2(!f.endsWith(QLatin1String(".in")) && !f.contains(QLatin1String("CMakeFiles")),
                     qPrintable(f));
        }
    }

    void desktopEntryAndMetadataNameEachOther()
    {
        QCOMPARE(desktopKey(desktopFile(), QStringLiteral("Icon")), kAppId);
        QVERIFY(QFileInfo::exists(
            installed(QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(kAppId))));
        // Exec names the installed program, with no arguments: it takes none.
        QVERIFY(
            QFileInfo(installed(QStringLiteral("bin/") + desktopKey(desktopFile(), QStringLiteral("Exec"))))
                .isExecutable());
        // The menu speaks Spanish.
        QVERIFY(!desktopKey(desktopFile(), QStringLiteral("GenericName[es]")).isEmpty());
        QVERIFY(!desktopKey(desktopFile(), QStringLiteral("Comment[es]")).isEmpty());

        // The software centre finds the component by its id and starts it by the entry.
        QFile metainfo(metainfoFile());
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        const QByteArray xml = metainfo.readAll();
        QVERIFY(xml.contains(QStringLiteral("<id>%1</id>").arg(kAppId).toUtf8()));
        QVERIFY(xml.contains(
            QStringLiteral(">%1</launchable>").arg(QFileInfo(desktopFile()).fileName()).toUtf8()));
    }

    void validatorsAcceptTheInstalledFiles()
    {
        const std::pair<QString, QStringList> checks[] = {
            {QStringLiteral("desktop-file-validate"), {desktopFile()}},
            {QStringLiteral("appstreamcli"),
             {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfoFile()}}};
        for (const auto &[tool, args] : checks) {
            const QString exe = QStandardPaths::findExecutable(tool);
            if (exe.isEmpty())
                QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
            QString out;
            QVERIFY2(run(exe, args, &out) == 0, qPrintable(out));
            // desktop-file-validate passes a file with hints and warnings; they count here.
            QVERIFY2(!out.contains(QLatin1String("warning:"), Qt::CaseInsensitive), qPrintable(out));
        }
    }

    void installedProgramStartsToItsMainWindow()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("orbelle.start.info=true"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home.path()); // nothing of the build tree is near
        p.start(installed(QStringLiteral("bin/orbelle")), {});
        QVERIFY2(p.waitForStarted(10000), qPrintable(p.errorString()));

        QString log;
        QElapsedTimer clock;
        clock.start();
        while (!log.contains(QLatin1String("main window shown")) && p.state() == QProcess::Running &&
               clock.elapsed() < 90000) {
            p.waitForReadyRead(1000);
            log += QString::fromLocal8Bit(p.readAllStandardError());
        }
        const bool running = p.state() == QProcess::Running;
        p.terminate();
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished();
        }
        QVERIFY2(running && log.contains(QLatin1String("main window shown")), qPrintable(log));

        // It took its data from the installed program folder, and made the user's own
        // database in the user's data folder.
        const QString folder = QDir(installed(QStringLiteral("share/orbelle"))).canonicalPath();
        QVERIFY2(log.contains(QStringLiteral("program folder ") + folder), qPrintable(log));
        QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("data/Orbelle/Orbelle/orbelle-propio.sqlite"))));

        // The desktop matches the running window to the entry by these two names.
        const QRegularExpression names(QStringLiteral("desktop entry (\\S+), window class (\\S+)"));
        const auto match = names.match(log);
        QVERIFY2(match.hasMatch(), qPrintable(log));
        QCOMPARE(match.captured(1), QFileInfo(desktopFile()).fileName());
        QCOMPARE(match.captured(2), desktopKey(desktopFile(), QStringLiteral("StartupWMClass")));
    }

    void debianPackageCarriesTheProgram()
    {
        for (const char *tool : {"dpkg-deb", "dpkg-shlibdeps"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QString log;
        const int code =
            run(QStringLiteral(CPACK_COMMAND),
                {QStringLiteral("--config"), QStringLiteral(ORBELLE_BUILD_DIR "/CPackConfig.cmake"),
                 QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out.path()},
                &log, 240000);
        QVERIFY2(code == 0, qPrintable(log));
        const QStringList debs = QDir(out.path()).entryList({QStringLiteral("orbelle_*.deb")}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        const QString deb = QDir(out.path()).filePath(debs.first());

        QString contents;
        QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb}, &contents), 0);
        for (const QString &f : expectedFiles())
            QVERIFY2(contents.contains(QStringLiteral(" ./usr/") + f + QLatin1Char('\n')), qPrintable(f));
        QVERIFY2(!contents.contains(QLatin1String("./usr/local")), qPrintable(contents));

        QString depends;
        QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb, QStringLiteral("Depends")},
                     &depends),
                 0);
        // Libraries found by dpkg-shlibdeps, and what is only loaded at run time.
        for (const char *package : {"libqt6widgets6", "libqt6multimedia6", "libfluidsynth3",
                                    "libqt6sql6-sqlite", "gstreamer1.0-plugins-good", "timgm6mb-soundfont"})
            QVERIFY2(depends.contains(
                         QRegularExpression(QStringLiteral("(^|, )%1( |,|$)")
                                                .arg(QRegularExpression::escape(QLatin1String(package))))),
                     qPrintable(depends));
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
