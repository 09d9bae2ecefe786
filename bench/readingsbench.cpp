// Memory over many readings in a row: 30 rounds of every laid reading (day card, cross,
// relationship, Celtic cross), each laid from the main window, drawn to its interpretation
// and left by "Atrás", all in one process at a small time scale, as the reading tests drive
// them. After each reading it prints the resident size (VmRSS) and the peak so far (VmHWM);
// at the end the first reading's size per kind, the largest ratio of a later one to it
// (target: at most 1.5) and the peak over the run (target: under 120 MiB).
//
//   readingsbench [rounds]      default 30
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise; sounds are recorded, not played.

#include "interpretation.h"
#include "readingdriver.h"
#include "procstat.h"
#include "random.h"

#include <QTest>

#include <array>
#include <cstdio>

namespace {

double statusMib(const char *key)
{
    return double(ProcStat::statusValue(ProcStat::readFile(QStringLiteral("/proc/self/status")), key, -1)) /
           1024.0;
}

int g_rounds = 30;
int g_result = 1;

} // namespace

class ReadingsBench : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ReadingDriver::setUpRun();
        QVERIFY(ReadingDriver::freshRun());
    }

    void readingsInARow()
    {
        const std::array<const char *, 4> kinds{"dayCardButton", "crossButton", "relationshipButton",
                                                "celticButton"};
        std::array<double, 4> first{};
        std::array<double, 4> worst{};
        std::printf("round  reading               VmRSS MiB  VmHWM MiB\n");
        for (int round = 1; round <= g_rounds; ++round) {
            for (size_t k = 0; k < kinds.size(); ++k) {
                Random::seed(quint32(round * 7 + int(k)));
                auto *laid = qobject_cast<InterpretationWindow *>(
                    ReadingDriver::layReading(QString::fromLatin1(kinds[k]), ReadingDriver::Laid));
                QVERIFY2(laid, kinds[k]);
                QTest::qWait(50); // the last paints and deferred deletes
                const double rss = statusMib("VmRSS:");
                std::printf("%5d  %-20s %10.1f %10.1f\n", round, kinds[k], rss, statusMib("VmHWM:"));
                std::fflush(stdout);
                if (round == 1)
                    first[k] = rss;
                else
                    worst[k] = qMax(worst[k], rss / first[k]);
                laid->backButton->click();
                QTRY_VERIFY(TestEnv::mainWindowIdle());
            }
        }
        const double peak = statusMib("VmHWM:");
        std::printf("\nfirst reading per kind, and the largest later one against it (target <= 1.50)\n");
        bool fine = peak < 120;
        for (size_t k = 0; k < kinds.size(); ++k) {
            std::printf("  %-20s %8.1f MiB  ratio %5.2f\n", kinds[k], first[k], worst[k]);
            fine = fine && worst[k] <= 1.5;
        }
        std::printf("peak over %d readings: %.1f MiB (target: under 120 MiB)\n", g_rounds * int(kinds.size()),
                    peak);
        g_result = fine ? 0 : 2;
    }
};

int main(int argc, char *argv[])
{
    TestEnv::prepare();
    QApplication app(argc, argv);
    TestEnv::setUp();
    if (argc > 1)
        g_rounds = qMax(1, atoi(argv[1]));
    ReadingsBench bench;
    // QTest runs the readings so the driver's checks work; its own arguments are not passed.
    const int failed = QTest::qExec(&bench, QStringList{app.applicationFilePath(), QStringLiteral("-silent")});
    return failed ? 1 : g_result;
}

#include "readingsbench.moc"
