// Start-up routine, settings store and the small shared helpers every window relies on.

#include "cardmarks.h"
#include "dates.h"
#include "modOrbelle.h"
#include "paths.h"
#include "random.h"
#include "settings.h"
#include "startup.h"
#include "testenv.h"
#include "windows.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QTimer>

class Probe : public QLabel
{
    Q_OBJECT
public:
    Probe() { setText(QStringLiteral("design")); }
};

// A window with load and unload steps and a timer, as the readings have them.
class Loaded : public QWidget, public Loadable
{
    Q_OBJECT
public:
    static inline QStringList steps;
    QTimer timer;
    void Form_Load() override
    {
        steps << QStringLiteral("load");
        timer.start(1000);
    }
    void Form_Unload() override
    {
        steps << QStringLiteral("unload");
        timer.stop();
    }
};

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        modOrbelle::resetSharedState();
        TestEnv::wipeUserFiles();
        Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    }

    void startSettingsFillTheRunState_data()
    {
        QTest::addColumn<QString>("imagenes");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("music");
        QTest::newRow("first start") << QString() << QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes")
                                     << QString();
        QTest::newRow("set") << QStringLiteral("/home/ana/Barajas/Marsella")
                             << QStringLiteral("/home/ana/Barajas/Marsella") << QStringLiteral("ja");
        QTest::newRow("trailing separator")
            << QStringLiteral("/home/ana/Barajas/") << QStringLiteral("/home/ana/Barajas") << QString();
    }
    void startSettingsFillTheRunState()
    {
        QFETCH(QString, imagenes);
        QFETCH(QString, folder);
        QFETCH(QString, music);
        Settings::set(QStringLiteral("Imagenes"), imagenes);
        Settings::set(QStringLiteral("musikja"), music);
        Settings::set(QStringLiteral("wavdat"), QStringLiteral("wave"));
        Settings::set(QStringLiteral("musakt"), QStringLiteral("ja"));
        modOrbelle::readStartSettings();
        const RunState &run = modOrbelle::state();
        QCOMPARE(run.imageFolder, folder);
        QCOMPARE(modOrbelle::isTrue(run.musicOn), !music.isEmpty());
        QCOMPARE(run.waveKind, QStringLiteral("wave"));
        QCOMPARE(Settings::get(QStringLiteral("pfad")), QStringLiteral(ORBELLE_PROGRAM_DIR));
        QCOMPARE(Settings::get(QStringLiteral("musakt")), QString()); // nothing plays yet
    }

    void keysIgnoreLetterCaseAndValuesStayText()
    {
        Settings::set(QStringLiteral("DrivePfad"), QStringLiteral("C:"));
        QCOMPARE(Settings::get(QStringLiteral("DRIVEPFAD")), QStringLiteral("C:"));
        // The player writes both spellings; the later value wins and only one key remains.
        Settings::set(QStringLiteral("drivePfad"), QStringLiteral("D:"));
        QCOMPARE(Settings::get(QStringLiteral("DrivePfad")), QStringLiteral("D:"));
        QSettings raw(Settings::fileName(), QSettings::IniFormat);
        raw.beginGroup(QStringLiteral("Opciones"));
        QCOMPARE(raw.childKeys(), QStringList{QStringLiteral("drivePfad")});
        Settings::set(QStringLiteral("musPfad"), QStringLiteral("/música/Ostrel, otoño"));
        QCOMPARE(Settings::get(QStringLiteral("musPfad")), QStringLiteral("/música/Ostrel, otoño"));
        QCOMPARE(Settings::get(QStringLiteral("neverWritten")), QString());
    }

    void registryGivesOneWindowAndAFreshOneAfterUnload()
    {
        Probe *a = WindowRegistry::get<Probe>();
        QVERIFY(!a->isVisible());
        QCOMPARE(WindowRegistry::get<Probe>(), a);
        a->setText(QStringLiteral("changed"));
        QPointer<Probe> old(a);
        WindowRegistry::unload<Probe>();
        QVERIFY(!WindowRegistry::isLoaded<Probe>());
        QCOMPARE(WindowRegistry::get<Probe>()->text(), QStringLiteral("design"));
        QTRY_VERIFY(old.isNull());
        // By id: made on first reference, once.
        int made = 0;
        WindowRegistry::registerFactory(WindowId::mojCorvin, [&] {
            ++made;
            return new QWidget;
        });
        QCOMPARE(WindowRegistry::get(WindowId::mojCorvin), WindowRegistry::get(WindowId::mojCorvin));
        QCOMPARE(made, 1);
        WindowRegistry::unloadAll();
        QVERIFY(WindowRegistry::loaded().isEmpty());
        WindowRegistry::forget(WindowId::mojCorvin);
    }

    void closingByTheFrameUnloadsAndStopsTheTimers()
    {
        Loaded::steps.clear();
        Loaded *w = WindowRegistry::get<Loaded>();
        QVERIFY(w->timer.isActive());
        w->show();
        QVERIFY(!w->close()); // the registry takes the close over
        QVERIFY(!WindowRegistry::isLoaded<Loaded>());
        QCOMPARE(Loaded::steps, (QStringList{QStringLiteral("load"), QStringLiteral("unload")}));
        QVERIFY(!w->timer.isActive());
    }

    void cardMarksDrawDistinctCardsAndClearWhenTooFewAreLeft()
    {
        // A source that keeps offering the same few cards: the draw skips the taken ones.
        QList<double> offers{0.0, 0.0, 0.5, 0.0, 0.5, 0.9999};
        CardMarks marks([&] { return offers.isEmpty() ? 0.3 : offers.takeFirst(); });
        QCOMPARE(marks.drawDistinct(3), (QVector<int>{1, 40, 78}));
        QCOMPARE(marks.unmarkedCount(), 75);
        // With the program's generator, reproducible from its seed: distinct and in range.
        Random::seed(3);
        CardMarks run;
        const QVector<int> all = run.drawDistinct(75);
        Random::seed(3);
        QCOMPARE(CardMarks().drawDistinct(75), all);
        QCOMPARE(QSet<int>(all.begin(), all.end()).size(), 75);
        for (int c : all)
            QVERIFY(c >= 1 && c <= 78);
        // Four wanted, three left: the marks start afresh instead of waiting for ever.
        QCOMPARE(run.drawDistinct(4).size(), 4);
        QCOMPARE(run.unmarkedCount(), 74);
        QCOMPARE(run.drawDistinct(200).size(), 78);
    }

    void reportDatesAreSpanish_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("date");
        for (const char *system : {"C", "en_US", "es_ES"})
            QTest::newRow(system) << QString::fromLatin1(system) << QStringLiteral("6/12/26");
        // A Spanish system keeps its own form.
        QTest::newRow("Mexican Spanish")
            << QStringLiteral("es_MX")
            << QLocale(QStringLiteral("es_MX")).toString(QDate(2026, 12, 6), QLocale::ShortFormat);
    }
    void reportDatesAreSpanish()
    {
        QFETCH(QString, system);
        QFETCH(QString, date);
        QCOMPARE(Dates::shortDate(QDate(2026, 12, 6), QLocale(system)), date);
        if (system != QLatin1String("es_MX"))
            QCOMPARE(Dates::shortDateTime(QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9)), QLocale(system)),
                     QStringLiteral("6/12/26 21:05:09"));
    }

    void theSystemsDateIsWrittenInSpanish()
    {
        // Run under LANG=C and LANG=es_ES.UTF-8 (two test runs): Spanish either way.
        QCOMPARE(
            Dates::shortDate(QDate(2026, 12, 6)),
            QLocale(QLocale::Spanish, QLocale::Spain).toString(QDate(2026, 12, 6), QLocale::ShortFormat));
    }

    // The database's English reaches the user only as a detail after Spanish words.
    void databaseErrorsAreSaidInSpanish()
    {
        QVERIFY(Shell::databaseProblem(QStringLiteral("file is not a database Unable to fetch row"))
                    .startsWith(QStringLiteral("El archivo no es una base de datos")));
        QVERIFY(Shell::databaseProblem(QStringLiteral("unable to open database file Error opening database"))
                    .startsWith(QStringLiteral("No se puede abrir el archivo")));
        QVERIFY(Shell::databaseProblem(QStringLiteral("database is locked")).contains(QStringLiteral("Otro programa")));
        QCOMPARE(Shell::databaseProblem(QStringLiteral("missing")), QStringLiteral("El archivo no existe."));
        QCOMPARE(Shell::databaseProblem(QStringLiteral("No es una base de datos de Orbelle.")),
                 QStringLiteral("No es una base de datos de Orbelle."));
    }

    void damagedSettingsReadAsEmptyAndStayWritable_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("kept");
        const QByteArray start("[Opciones]\nmusikja=ja\nrelleno=");
        QTest::newRow("NUL and bytes that are no UTF-8")
            << QByteArray("[Opciones]\nmusikja=ja\n\0\xff\xfe\\[[[\n=\\\n", 27) << false;
        QTest::newRow("just under the size limit")
            << start + QByteArray((1 << 20) - 200 - start.size(), 'x') << true;
        QTest::newRow("a hundred megabytes")
            << start + QByteArray(100 * (1 << 20) - start.size(), 'x') << false;
    }
    void damagedSettingsReadAsEmptyAndStayWritable()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, kept);
        const QString file = Settings::fileName();
        TestEnv::writeFile(file, bytes);
        Settings::reopen();
        // A damaged or oversized file is not read at all, and kept beside the new one.
        QCOMPARE(Settings::get(QStringLiteral("musikja")), kept ? QStringLiteral("ja") : QString());
        QCOMPARE(QFileInfo(file + QStringLiteral(".damaged")).size(), kept ? 0 : qint64(bytes.size()));
        Settings::set(QStringLiteral("wavdat"), QStringLiteral("cd"));
        Settings::reopen();
        QCOMPARE(Settings::get(QStringLiteral("wavdat")), QStringLiteral("cd"));
        QFile::remove(file + QStringLiteral(".damaged"));
    }
};

ORBELLE_TEST_MAIN(tst_Startup)
#include "tst_startup.moc"
