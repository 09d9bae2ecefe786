// The program installed into a scratch prefix as a desktop meets it, and its Debian package.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>

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
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(kAppId),
    };
    for (int n : {16, 32, 48, 64, 128, 256})
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(n).arg(kAppId);
    return files;
}

// The [Desktop Entry] group of a desktop file, key to value.
std::map<QString, QString> readDesktopEntry(const QString &path)
{
    std::map<QString, QString> entry;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    bool inGroup = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.contains(QLatin1Char('=')) && !line.startsWith(QLatin1Char('#')))
            entry[line.section(QLatin1Char('='), 0, 0)] = line.section(QLatin1Char('='), 1);
    }
    return entry;
}

struct Metainfo
{
    QString id, launchable, license;
    QStringList screenshots; // image addresses
    int englishParagraphs = 0, spanishParagraphs = 0;
    bool contentRating = false;
    QString error;
};

Metainfo readMetainfo(const QString &path)
{
    Metainfo m;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m.error = f.errorString();
        return m;
    }
    QXmlStreamReader xml(&f);
    bool inDescription = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("description"))
            inDescription = false;
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        const auto lang = xml.attributes().value(QStringLiteral("xml:lang"));
        if (name == QLatin1String("description"))
            inDescription = true;
        else if (inDescription && name == QLatin1String("p"))
            ++(lang == QLatin1String("es") ? m.spanishParagraphs : m.englishParagraphs);
        else if (name == QLatin1String("id"))
            m.id = xml.readElementText();
        else if (name == QLatin1String("launchable"))
            m.launchable = xml.readElementText();
        else if (name == QLatin1String("project_license"))
            m.license = xml.readElementText();
        else if (name == QLatin1String("image"))
            m.screenshots << xml.readElementText().trimmed();
        else if (name == QLatin1String("content_rating"))
            m.contentRating = true;
    }
    if (xml.hasError())
        m.error = xml.errorString();
    return m;
}

// Runs a command to its end; its exit code, or -1 when it did not run or finish.
int run(const QString &program, const QStringList &args, QString *output = nullptr, int ms = 120000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(ms) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        if (output)
            *output = p.errorString() + QLatin1Char('\n') + QString::fromLocal8Bit(p.readAll());
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitCode();
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
        const auto entry = readDesktopEntry(desktopFile());
        QVERIFY(!entry.empty());
        QCOMPARE(entry.at(QStringLiteral("Icon")), kAppId);
        QVERIFY(QFileInfo::exists(
            installed(QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(kAppId))));
        // Exec names the installed program, with no arguments: it takes none.
        QVERIFY(
            QFileInfo(installed(QStringLiteral("bin/") + entry.at(QStringLiteral("Exec")))).isExecutable());
        QVERIFY(entry.count(QStringLiteral("GenericName[es]")) && entry.count(QStringLiteral("Comment[es]")));

        const Metainfo m = readMetainfo(metainfoFile());
        QVERIFY2(m.error.isEmpty(), qPrintable(m.error));
        QCOMPARE(m.id, kAppId);
        QCOMPARE(m.launchable, kAppId + QStringLiteral(".desktop"));
        QVERIFY(!m.license.isEmpty());
        QVERIFY(m.contentRating);
        QVERIFY(m.englishParagraphs > 0);
        QCOMPARE(m.spanishParagraphs, m.englishParagraphs);
        // Every screenshot the metadata names is one of the repository's pictures.
        QVERIFY(!m.screenshots.isEmpty());
        for (const QString &url : m.screenshots) {
            const QString name = url.section(QLatin1Char('/'), -1);
            QVERIFY2(QFileInfo::exists(QStringLiteral(ORBELLE_SOURCE_DIR "/dist/screenshots/") + name),
                     qPrintable(url));
        }
    }

    void validatorsAcceptTheInstalledFiles_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop entry")
            << QStringLiteral("desktop-file-validate") << QStringList() << desktopFile();
        QTest::newRow("AppStream") << QStringLiteral("appstreamcli")
                                   << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net")}
                                   << metainfoFile();
    }

    void validatorsAcceptTheInstalledFiles()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        const QString exe = QStandardPaths::findExecutable(tool);
        if (exe.isEmpty())
            QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
        QString out;
        const int code = run(exe, args << file, &out);
        QVERIFY2(code == 0, qPrintable(out));
        // desktop-file-validate passes a file with hints and warnings; they count here.
        QVERIFY2(!out.contains(QLatin1String("warning:"), Qt::CaseInsensitive), qPrintable(out));
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

        // It took its data from the installed program folder, and copied the card texts
        // into the user's data folder.
        const QString folder = QDir(installed(QStringLiteral("share/orbelle"))).canonicalPath();
        QVERIFY2(log.contains(QStringLiteral("program folder ") + folder), qPrintable(log));
        QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("data/Orbelle/Orbelle/orbelle.sqlite"))));

        // The desktop matches the running window to the entry by these two names.
        const QRegularExpression names(QStringLiteral("desktop entry (\\S+), window class (\\S+)"));
        const auto match = names.match(log);
        QVERIFY2(match.hasMatch(), qPrintable(log));
        const auto entry = readDesktopEntry(desktopFile());
        QCOMPARE(match.captured(1), QFileInfo(desktopFile()).fileName());
        QCOMPARE(match.captured(2), entry.at(QStringLiteral("StartupWMClass")));
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
