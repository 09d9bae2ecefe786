// Start-up routine, settings store and the small shared helpers every window relies on.

#include "cardmarks.h"
#include "dates.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "paths.h"
#include "random.h"
#include "settings.h"
#include "testenv.h"
#include "timing.h"
#include "windows.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>

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

// A window whose close asks first, as the report viewer does.
class Asking : public QWidget, public Loadable
{
    Q_OBJECT
public:
    bool allow = false;
    int asked = 0;
    void closedByFrame() override
    {
        ++asked;
        if (allow)
            WindowRegistry::unload(this);
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

    void firstStartWithEmptySettings()
    {
        Settings::set(QStringLiteral("musakt"), QStringLiteral("ja"));
        modOrbelle::readStartSettings();

        const RunState &run = modOrbelle::state();
        QCOMPARE(Settings::get(QStringLiteral("musakt")), QString());
        QCOMPARE(run.imageFolder, QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes"));
        QVERIFY(!modOrbelle::isTrue(run.musicOn));
        QCOMPARE(Settings::get(QStringLiteral("pfad")), QStringLiteral(ORBELLE_PROGRAM_DIR));
        QCOMPARE(run.waveKind, QString());
        // Written, not merely absent: the store file holds the key with an empty value.
        QSettings raw(Settings::fileName(), QSettings::IniFormat);
        QVERIFY(raw.contains(QStringLiteral("Opciones/musakt")));
        QCOMPARE(raw.value(QStringLiteral("Opciones/musakt")).toString(), QString());
    }

    void musicAndSourceFromSettings()
    {
        Settings::set(QStringLiteral("musikja"), QStringLiteral("ja"));
        Settings::set(QStringLiteral("wavdat"), QStringLiteral("wave"));
        modOrbelle::readStartSettings();
        QVERIFY(modOrbelle::isTrue(modOrbelle::state().musicOn));
        QCOMPARE(modOrbelle::state().musicSetting.toString(), QStringLiteral("ja"));
        QCOMPARE(modOrbelle::state().waveKind, QStringLiteral("wave"));
    }

    void imageFolderFromSettings_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
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
        modOrbelle::readStartSettings();
        QCOMPARE(modOrbelle::state().imageFolder, expected);
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
    }

    void registryGivesOneWindowAndAFreshOneAfterUnload()
    {
        QVERIFY(!WindowRegistry::isLoaded<Probe>());
        Probe *a = WindowRegistry::get<Probe>();
        QVERIFY(WindowRegistry::loaded().contains(QStringLiteral("Probe")));
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

    void closingByTheFrameUnloadsAndStopsTheTimers()
    {
        Loaded::steps.clear();
        Loaded *w = WindowRegistry::get<Loaded>();
        QCOMPARE(Loaded::steps, QStringList{QStringLiteral("load")});
        QVERIFY(w->timer.isActive());
        w->show();
        QVERIFY(!w->close()); // the registry takes the close over
        QVERIFY(!WindowRegistry::isLoaded<Loaded>());
        QCOMPARE(Loaded::steps, (QStringList{QStringLiteral("load"), QStringLiteral("unload")}));
        QVERIFY(!w->isVisible());
        QVERIFY(!w->timer.isActive());

        // A window that asks first stays when the answer is no, and goes when it is yes.
        Asking *a = WindowRegistry::get<Asking>();
        a->show();
        a->close();
        QCOMPARE(a->asked, 1);
        QVERIFY(WindowRegistry::isLoaded<Asking>());
        QVERIFY(a->isVisible());
        a->allow = true;
        a->close();
        QVERIFY(!WindowRegistry::isLoaded<Asking>());
    }

    void windowsByIdAreCreatedOnFirstReference()
    {
        QVERIFY(!WindowRegistry::isKnown(WindowId::mojCorvin));
        QCOMPARE(WindowRegistry::get(WindowId::mojCorvin), nullptr);
        int made = 0;
        WindowRegistry::registerFactory(WindowId::mojCorvin, [&] {
            ++made;
            return new QWidget;
        });
        QWidget *w = WindowRegistry::get(WindowId::mojCorvin);
        QVERIFY(w);
        QCOMPARE(WindowRegistry::get(WindowId::mojCorvin), w);
        QCOMPARE(made, 1);
        QVERIFY(WindowRegistry::isLoaded(WindowId::mojCorvin));
        WindowRegistry::unload(WindowId::mojCorvin);
        QVERIFY(!WindowRegistry::isLoaded(WindowId::mojCorvin));
        WindowRegistry::forget(WindowId::mojCorvin);
        // Every name maps back to its id.
        for (size_t i = 0; i < kWindowNames.size(); ++i)
            QCOMPARE(WindowRegistry::idOf(QString::fromLatin1(kWindowNames[i])), std::optional(WindowId(i)));
        QCOMPARE(WindowRegistry::idOf(QStringLiteral("Probe")), std::nullopt);
    }

    void cardMarksDrawDistinctCardsAndClearWhenTooFewAreLeft()
    {
        // A source that keeps offering the same few cards: the draw skips the taken ones.
        QList<double> offers{0.0, 0.0, 0.5, 0.0, 0.5, 0.9999};
        CardMarks marks([&] { return offers.isEmpty() ? 0.3 : offers.takeFirst(); });
        QCOMPARE(marks.drawDistinct(3), (QVector<int>{1, 40, 78}));
        QVERIFY(marks.isTaken(1) && marks.isTaken(40) && marks.isTaken(78));
        QCOMPARE(marks.unmarkedCount(), 75);

        // With the program's generator: every card of a large draw distinct and in range.
        CardMarks run;
        Random::seed(3);
        const QVector<int> all = run.drawDistinct(75);
        QCOMPARE(QSet<int>(all.begin(), all.end()).size(), 75);
        for (int c : all)
            QVERIFY(c >= 1 && c <= 78);
        QCOMPARE(run.unmarkedCount(), 3);
        // Four wanted, three left: the marks start afresh instead of waiting for ever.
        const QVector<int> four = run.drawDistinct(4);
        QCOMPARE(four.size(), 4);
        QCOMPARE(run.unmarkedCount(), 74);
        QCOMPARE(run.drawDistinct(0), QVector<int>{});
        QCOMPARE(run.drawDistinct(200).size(), 78);
    }

    void reportDatesAreSpanish_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("dateTime");
        for (const char *system : {"C", "en_US", "es_ES"})
            QTest::newRow(system) << QString::fromLatin1(system) << QStringLiteral("6/12/26")
                                  << QStringLiteral("6/12/26 21:05:09");
        // A Spanish system keeps its own form.
        QTest::newRow("Mexican Spanish")
            << QStringLiteral("es_MX")
            << QLocale(QStringLiteral("es_MX")).toString(QDate(2026, 12, 6), QLocale::ShortFormat)
            << QString();
    }
    void reportDatesAreSpanish()
    {
        QFETCH(QString, system);
        QFETCH(QString, date);
        QFETCH(QString, dateTime);
        const QLocale locale(system);
        QCOMPARE(Dates::shortDate(QDate(2026, 12, 6), locale), date);
        if (!dateTime.isEmpty())
            QCOMPARE(Dates::shortDateTime(QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9)), locale), dateTime);
    }

    void theSystemsDateIsWrittenInSpanish()
    {
        // Run under LANG=C and LANG=es_ES.UTF-8 (two test runs): Spanish either way.
        const QString today = Dates::shortDate(QDate(2026, 12, 6));
        QCOMPARE(
            today,
            QLocale(QLocale::Spanish, QLocale::Spain).toString(QDate(2026, 12, 6), QLocale::ShortFormat));
        QVERIFY(!today.contains(QStringLiteral("Dec")));
    }

    void timersKeepTheirOrderAtAnyScale()
    {
        const double before = Timer::timeScale();
        Timer::setTimeScale(0.1);
        Timer slow(nullptr, 500), fast(nullptr, 200);
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
        const auto draw = [] {
            Random::seed(7);
            QList<int> cards;
            for (int i = 0; i < 500; ++i)
                cards << Random::card();
            return cards;
        };
        const QList<int> first = draw();
        QCOMPARE(draw(), first);
        QSet<int> seen(first.begin(), first.end());
        for (int c : seen)
            QVERIFY(c >= 1 && c <= 78);
        QVERIFY(seen.size() > 60); // a uniform draw reaches almost every card in 500 tries
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

    void oversizedSettingsAreMovedAsideUnread_data()
    {
        QTest::addColumn<int>("padding");
        QTest::addColumn<bool>("kept");
        QTest::newRow("just under the limit") << (1 << 20) - 200 << true;
        QTest::newRow("just over the limit") << (1 << 20) + 1 << false;
        QTest::newRow("a hundred megabytes") << 100 * (1 << 20) << false;
    }
    void oversizedSettingsAreMovedAsideUnread()
    {
        QFETCH(int, padding);
        QFETCH(bool, kept);
        const QString file = Settings::fileName();
        QByteArray bytes("[Opciones]\nmusikja=ja\nrelleno=");
        bytes.append(QByteArray(padding - bytes.size() - 1, 'x')).append('\n');
        TestEnv::writeFile(file, bytes);
        Settings::reopen();
        // Refused by its size alone: nothing of it is read.
        QCOMPARE(Settings::get(QStringLiteral("musikja")), kept ? QStringLiteral("ja") : QString());
        QCOMPARE(QFile::exists(file + QStringLiteral(".damaged")), !kept);
        if (!kept) {
            QCOMPARE(QFileInfo(file + QStringLiteral(".damaged")).size(), qint64(padding));
            Settings::set(QStringLiteral("wavdat"), QStringLiteral("cd"));
            Settings::reopen();
            QCOMPARE(Settings::get(QStringLiteral("wavdat")), QStringLiteral("cd"));
        }
        QFile::remove(file + QStringLiteral(".damaged"));
    }
};

ORBELLE_TEST_MAIN(tst_Startup)
#include "tst_startup.moc"
