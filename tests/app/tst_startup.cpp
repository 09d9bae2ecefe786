// Start-up routine, settings store and the small shared helpers every window relies on.

#include "dialogs.h"
#include "modOrbelle.h"
#include "paths.h"
#include "random.h"
#include "settings.h"
#include "testenv.h"
#include "timing.h"
#include "windows.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>

class Probe : public QLabel
{
    Q_OBJECT
public:
    Probe() { setText(QStringLiteral("design")); }
};

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        modOrbelle::resetSharedState();
        modOrbelle::setIntro({});
        TestEnv::wipeUserFiles();
        Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    }

    void firstStartWithEmptySettings()
    {
        QString musaktWhenIntroShown = QStringLiteral("unset");
        bool introShown = false;
        Settings::set(QStringLiteral("musakt"), QStringLiteral("ja"));
        modOrbelle::setIntro([&] {
            introShown = true;
            musaktWhenIntroShown = Settings::get(QStringLiteral("musakt"));
        });
        modOrbelle::Main();

        QVERIFY(introShown);
        QCOMPARE(musaktWhenIntroShown, QString());
        QCOMPARE(modOrbelle::imageFolder, QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes"));
        QVERIFY(!modOrbelle::isTrue(modOrbelle::musicOn));
        QCOMPARE(Settings::get(QStringLiteral("pfad")), QStringLiteral(ORBELLE_PROGRAM_DIR));
        QCOMPARE(modOrbelle::waveKind, QString());
        // Written, not merely absent: the store file holds the key with an empty value.
        QSettings raw(Settings::fileName(), QSettings::IniFormat);
        QVERIFY(raw.contains(QStringLiteral("Opciones/musakt")));
        QCOMPARE(raw.value(QStringLiteral("Opciones/musakt")).toString(), QString());
    }

    void musicAndSourceFromSettings()
    {
        Settings::set(QStringLiteral("musikja"), QStringLiteral("ja"));
        Settings::set(QStringLiteral("wavdat"), QStringLiteral("wave"));
        modOrbelle::Main();
        QVERIFY(modOrbelle::isTrue(modOrbelle::musicOn));
        QCOMPARE(modOrbelle::musicSetting.toString(), QStringLiteral("ja"));
        QCOMPARE(modOrbelle::waveKind, QStringLiteral("wave"));
    }

    void imageFolderFromSettings_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes");
        QTest::newRow("set") << QStringLiteral("/home/ana/Barajas/Marsella")
                             << QStringLiteral("/home/ana/Barajas/Marsella");
        QTest::newRow("trailing separator")
            << QStringLiteral("/home/ana/Barajas/") << QStringLiteral("/home/ana/Barajas");
    }
    void imageFolderFromSettings()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        Settings::set(QStringLiteral("Imagenes"), stored);
        modOrbelle::Main();
        QCOMPARE(modOrbelle::imageFolder, expected);
    }

    void keysIgnoreLetterCase()
    {
        Settings::set(QStringLiteral("DrivePfad"), QStringLiteral("C:"));
        QCOMPARE(Settings::get(QStringLiteral("drivePfad")), QStringLiteral("C:"));
        QCOMPARE(Settings::get(QStringLiteral("DRIVEPFAD")), QStringLiteral("C:"));
        // The player writes both spellings; the later value wins and only one key remains.
        Settings::set(QStringLiteral("drivePfad"), QStringLiteral("D:"));
        QCOMPARE(Settings::get(QStringLiteral("DrivePfad")), QStringLiteral("D:"));
        QSettings raw(Settings::fileName(), QSettings::IniFormat);
        raw.beginGroup(QStringLiteral("Opciones"));
        QCOMPARE(raw.childKeys(), QStringList{QStringLiteral("drivePfad")});
        QCOMPARE(Settings::get(QStringLiteral("neverWritten")), QString());
    }

    void valuesSurviveAsText()
    {
        Settings::set(QStringLiteral("musPfad"), QStringLiteral("/música/Ostrel, otoño"));
        QCOMPARE(Settings::get(QStringLiteral("musPfad")), QStringLiteral("/música/Ostrel, otoño"));
        QVERIFY(Settings::fileName().endsWith(QStringLiteral("Orbelle/Orbelle.ini")));
    }

    void registryGivesOneWindowAndAFreshOneAfterUnload()
    {
        QVERIFY(!WindowRegistry::isLoaded<Probe>());
        Probe *a = WindowRegistry::get<Probe>();
        QVERIFY(WindowRegistry::isLoaded(QStringLiteral("Probe")));
        QVERIFY(!a->isVisible());
        QCOMPARE(WindowRegistry::get<Probe>(), a);
        a->setText(QStringLiteral("changed"));

        QPointer<Probe> old(a);
        WindowRegistry::unload<Probe>();
        QVERIFY(!WindowRegistry::isLoaded<Probe>());
        Probe *b = WindowRegistry::get<Probe>();
        QCOMPARE(b->text(), QStringLiteral("design"));
        QTRY_VERIFY(old.isNull());
        WindowRegistry::unloadAll();
        QVERIFY(WindowRegistry::loaded().isEmpty());
    }

    void timersKeepTheirOrderAtAnyScale()
    {
        const double before = Timer::timeScale();
        Timer::setTimeScale(0.1);
        Timer slow(nullptr, 500), fast(nullptr, 200);
        QCOMPARE(slow.intervalMs(), 500);
        QCOMPARE(slow.interval(), 50);
        QCOMPARE(Timer::scaled(1), 1); // never zero: a zero timer would spin
        QStringList order;
        slow.setSingleShot(true);
        fast.setSingleShot(true);
        connect(&slow, &QTimer::timeout, [&] { order << QStringLiteral("slow"); });
        connect(&fast, &QTimer::timeout, [&] { order << QStringLiteral("fast"); });
        slow.setEnabled(true);
        fast.setEnabled(true);
        QTRY_COMPARE(order.size(), 2);
        QCOMPARE(order, (QStringList{QStringLiteral("fast"), QStringLiteral("slow")}));
        Timer::setTimeScale(before);
    }

    void randomIsReproducibleAndInRange()
    {
        Random::seed(7);
        QList<int> first;
        for (int i = 0; i < 500; ++i)
            first << Random::card();
        Random::seed(7);
        QList<int> second;
        for (int i = 0; i < 500; ++i)
            second << Random::card();
        QCOMPARE(first, second);
        QSet<int> seen(first.begin(), first.end());
        for (int c : seen)
            QVERIFY(c >= 1 && c <= 78);
        QVERIFY(seen.size() > 60); // a uniform draw reaches almost every card in 500 tries
    }

    void dialogsAnswerFromTheQueue()
    {
        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::No);
        Dialogs::queueInput(QStringLiteral("¿Qué me espera?"));
        QCOMPARE(Dialogs::message(nullptr, QStringLiteral("¿Guardar?"), QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::No);
        // Nothing queued: the first button offered.
        QCOMPARE(Dialogs::message(nullptr, QStringLiteral("otra"), QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::Yes);
        QCOMPARE(Dialogs::input(nullptr, QStringLiteral("Su pregunta")), QStringLiteral("¿Qué me espera?"));
        QCOMPARE(Dialogs::input(nullptr, QStringLiteral("Otra pregunta")), QString());
        QCOMPARE(Dialogs::asked(),
                 (QStringList{QStringLiteral("¿Guardar?"), QStringLiteral("otra"),
                              QStringLiteral("Su pregunta"), QStringLiteral("Otra pregunta")}));
    }

    void pathsJoinWithOneSeparator()
    {
        QCOMPARE(Paths::join(QStringLiteral("/"), QStringLiteral("orbelle.sqlite")),
                 QStringLiteral("/orbelle.sqlite"));
        QCOMPARE(Paths::join(QStringLiteral("/opt/o/"), QStringLiteral("/Imagenes")),
                 QStringLiteral("/opt/o/Imagenes"));
        QCOMPARE(Paths::join(QStringLiteral("/opt/o"), QStringLiteral("12.jpg")),
                 QStringLiteral("/opt/o/12.jpg"));
    }

    void damagedSettingsReadAsEmptyAndStayWritable()
    {
        Settings::set(QStringLiteral("musikja"), QStringLiteral("ja"));
        const QString file = Settings::fileName();
        TestEnv::writeFile(file, QByteArray("[Opciones]\nmusikja=ja\n\0\xff\xfe\\[[[\n=\\\n", 27));
        Settings::reopen();
        QCOMPARE(Settings::get(QStringLiteral("musikja")), QString());
        Settings::set(QStringLiteral("wavdat"), QStringLiteral("cd"));
        Settings::reopen();
        QCOMPARE(Settings::get(QStringLiteral("wavdat")), QStringLiteral("cd"));
        // The damaged file is kept beside the new one, not thrown away.
        QVERIFY(QFile::exists(file + QStringLiteral(".damaged")));
    }
};

ORBELLE_TEST_MAIN(tst_Startup)
#include "tst_startup.moc"
