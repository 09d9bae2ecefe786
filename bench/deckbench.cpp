// Peak memory of a cross reading with a connected deck of large scans, against the same
// reading with the program's own deck. Pictures are decoded at the size they are shown,
// so a deck of 3000 × 5000 JPEGs, baseline or progressive, should cost little more: the
// target is a peak at most 1.5 times that of the program's own deck. Then the reading
// once more with a report of all 78 cards open in the viewer (picture and meaning of each,
// as the readings write them): the target is a peak under 120 MiB.
//
//   deckbench                 generates the large deck, runs the readings, compares
//   deckbench --read FOLDER [--report]
//                             (internal) one cross reading with FOLDER's deck, with the
//                             78-card report; prints the process's peak resident size in KiB
//
// Run with QT_QPA_PLATFORM=offscreen, or on a display.

#include "scandeck.h"
#include "allwindows.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "kreuz.h"
#include "legkreuz.h"
#include "modOrbelle.h"
#include "panels.h"
#include "paths.h"
#include "program.h"
#include "rtfviewer.h"
#include "start.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

long peakKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 60000)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Fills the viewer with all 78 cards the way the readings append them, and shows it.
void openFullReport()
{
    rtfViewer *v = WindowRegistry::get<rtfViewer>();
    for (int card = 1; card <= 78; ++card) {
        QFile f(CardPictures::path(card));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        v->setInsertionFontSize(14);
        v->insertText(QStringLiteral("\r\nLa carta %1").arg(card));
        v->setInsertionFontSize(12);
        v->insertText(QStringLiteral("\r\n\r\n"));
        v->insertJpegPicture(f.readAll(), Twips::size(1500, 2655));
        v->insertText(
            QStringLiteral("\r\n\r\n") +
            QStringLiteral("Un texto de significado de unas cuantas frases para la carta. ").repeated(8));
    }
    v->showReport();
}

int readCross(const QString &deck, bool withReport)
{
    Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    modOrbelle::state().imageFolder = deck;
    Dialogs::setAnswering(true);
    Program::setEndHandler([](int) {});
    Timer::setTimeScale(0.05);
    registerAllWindows();
    if (!CardDatabase::openShared(CardDatabase::pristinePath()))
        return 1;
    Start *main = WindowRegistry::get<Start>();
    main->show();
    main->readingButton(QStringLiteral("crossButton"))->click();
    QTest::mouseClick(WindowRegistry::get<einfF>()->messageLabel, Qt::LeftButton);
    if (!waitFor([] {
            return WindowRegistry::isLoaded<legkreuz>() && WindowRegistry::get<legkreuz>()->mayDraw();
        }))
        return 1;
    legkreuz *table = WindowRegistry::get<legkreuz>();
    for (int k = 1; k <= 4; ++k) {
        if (!waitFor([table] { return table->takesMouse(); }))
            return 1;
        table->drawNext();
    }
    if (!waitFor(
            [] { return WindowRegistry::isLoaded<kreuz>() && WindowRegistry::get<kreuz>()->isVisible(); }))
        return 1;
    if (withReport) {
        openFullReport();
        // Scrolled through once, so every picture has been shown.
        auto *bar = WindowRegistry::get<rtfViewer>()->findChild<QAbstractScrollArea *>()->verticalScrollBar();
        for (int v = bar->minimum(); v <= bar->maximum(); v += qMax(1, bar->pageStep())) {
            bar->setValue(v);
            QTest::qWait(10);
        }
    }
    QTest::qWait(200);
    std::printf("%ld\n", peakKiB());
    return 0;
}

long childPeak(const QString &self, const QString &deck, const QString &home, bool withReport = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    QStringList args{QStringLiteral("--read"), deck};
    if (withReport)
        args << QStringLiteral("--report");
    p.start(self, args);
    if (!p.waitForFinished(180000) || p.exitCode() != 0)
        return -1;
    return p.readAllStandardOutput().trimmed().toLong();
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    if (argc < 2) // the children get it from here
        qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orbelle"));
    QApplication::setApplicationName(QStringLiteral("Orbelle"));
    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == QLatin1String("--read"))
        return readCross(args.at(2), args.contains(QStringLiteral("--report")));

    QTemporaryDir baseline, progressive;
    Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    makeScannedDeck(baseline.path(), false);
    makeScannedDeck(progressive.path(), true);
    // What connecting the deck does before the program restarts.
    QElapsedTimer preparing;
    preparing.start();
    for (int n = 1; n <= 78; ++n) {
        CardPictures::prepare(baseline.path(), n);
        CardPictures::prepare(progressive.path(), n);
    }
    const double prepareMs = preparing.elapsed();
    const QString self = app.applicationFilePath();
    const long base = childPeak(self, CardPictures::ownDeck(), home.path());
    const long flat = childPeak(self, baseline.path(), home.path());
    const long big = childPeak(self, progressive.path(), home.path());
    const long reported = childPeak(self, CardPictures::ownDeck(), home.path(), true);
    if (base <= 0 || flat <= 0 || big <= 0 || reported <= 0) {
        std::fprintf(stderr, "a reading did not finish\n");
        return 1;
    }
    std::printf("peak resident size of a cross reading\n");
    std::printf("  program's own deck (700x1240)      %8.1f MiB\n", base / 1024.0);
    std::printf("  3000x5000 baseline JPEG deck       %8.1f MiB  ratio %5.2f\n", flat / 1024.0,
                double(flat) / base);
    std::printf("  3000x5000 progressive JPEG deck    %8.1f MiB  ratio %5.2f\n", big / 1024.0,
                double(big) / base);
    std::printf("  target: ratio <= 1.50 (both decks as connected: screen-size copies made before\n"
                "  the reading, %.1f s for 2 x 78 cards)\n",
                prepareMs / 1000.0);
    std::printf("  own deck, with a report of 78 cards %8.1f MiB  (target: under 120 MiB)\n",
                reported / 1024.0);
    return qMax(flat, big) <= 1.5 * base && reported < 120 * 1024 ? 0 : 2;
}
