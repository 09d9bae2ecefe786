// Reports of many cards. First the size a card takes in a saved report: 78 cards of the
// program's own deck, then 78 of a connected deck of 3000 × 5000 baseline scans (their
// screen-size copies made, as connecting the deck makes them), each put in the way the
// free board puts a card; the report is saved after each deck and the growth per card
// printed, with the largest picture stored against the size the report shows a card.
// Then a report of N cards as the readings write them (heading, picture, meaning) is
// saved and opened through the viewer's "Abrír" in a process of its own: the time to
// open and paint it once, and that process's peak memory.
//
//   reportbench [N]          default N = 1000
//   reportbench --open FILE  (internal) opens FILE in the viewer, prints ms and peak KiB
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "allwindows.h"
#include "benchenv.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "paths.h"
#include "procstat.h"
#include "report.h"
#include "scandeck.h"
#include "reportpicture.h"
#include "rtfviewer.h"
#include "rtfwriter.h"
#include "twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>

#include <array>
#include <cstdio>

namespace {

rtfViewer *viewer()
{
    return WindowRegistry::get<rtfViewer>();
}

qint64 saved(const QString &file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !RtfWriter::write(*viewer()->Box1->document(), &out).ok() ||
        !out.commit())
        return -1;
    return QFileInfo(file).size();
}

QSize largestStored()
{
    QSize most;
    const QTextDocument *doc = viewer()->Box1->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                most = most.expandedTo(ReportPicture::pixelSize(doc, it.fragment().charFormat().toImageFormat()));
    return most;
}

void makeScans(const QString &folder)
{
    makeScannedDeck(folder);
    for (int n = 1; n <= 78; ++n)
        CardPictures::prepare(folder, n);
}

const QString kMeaning = QStringLiteral("Un texto de significado de unas cuantas frases para la carta. ");

int openInViewer(const QString &file)
{
    rtfViewer *v = viewer();
    v->resize(800, 600);
    v->showReport();
    const double before = ProcStat::peakMb(QCoreApplication::applicationPid());
    QElapsedTimer t;
    t.start();
    Dialogs::queueFileName(file);
    v->openReport();
    v->grab();
    const double ms = t.nsecsElapsed() / 1e6;
    if (!Dialogs::asked().filter(QStringLiteral("No se pudo")).isEmpty())
        return 1;
    std::printf("%.0f %.1f %.1f\n", ms, before, ProcStat::peakMb(QCoreApplication::applicationPid()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    BenchEnv::useHome(home);
    QApplication app(argc, argv);
    BenchEnv::setUpProgram(true);
    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == QLatin1String("--open"))
        return openInViewer(args.at(2));
    if (!CardDatabase::openShared(CardDatabase::pristinePath())) {
        std::fprintf(stderr, "the card texts cannot be opened\n");
        return 1;
    }
    const int cards = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 1000;
    const QString file = home.filePath(QStringLiteral("informe.rtf"));

    // The size a card takes, by deck.
    QTemporaryDir scans;
    makeScans(scans.path());
    qint64 size = saved(file);
    std::printf("a card in a saved report (shown at %dx%d)   bytes per card   largest stored\n",
                Twips::size(1515, 2655).width(), Twips::size(1515, 2655).height());
    for (const QString &deck : {CardPictures::ownDeck(), scans.path()}) {
        modOrbelle::state().imageFolder = deck;
        for (int n = 1; n <= 78; ++n)
            Report::writeBoardCard(QImage(), n, kMeaning);
        const qint64 now = saved(file);
        const QSize most = largestStored();
        std::printf("  %-38s %10.0f   %dx%d\n",
                    deck == scans.path() ? "3000x5000 baseline scans" : "program's own deck (700x1240)",
                    double(now - size) / 78, most.width(), most.height());
        size = now;
    }

    // A report of N cards, saved and opened.
    viewer()->Box1->clear();
    modOrbelle::state().imageFolder = CardPictures::ownDeck();
    for (int i = 0; i < cards; ++i) {
        Report::setFontSize(14);
        Report::insertText(QStringLiteral("\r\nLa carta %1").arg(i + 1));
        Report::setFontSize(12);
        Report::insertText(QStringLiteral("\r\n\r\n"));
        Report::insertCard(QImage(), i % 78 + 1, i % 5 == 0);
        Report::insertText(QStringLiteral("\r\n\r\n") + kMeaning.repeated(8));
    }
    QElapsedTimer t;
    t.start();
    size = saved(file);
    const double saveMs = t.nsecsElapsed() / 1e6;
    QProcess child;
    child.setProcessEnvironment(ProcStat::benchEnvironment(home));
    child.start(app.applicationFilePath(), {QStringLiteral("--open"), file});
    const QList<QByteArray> got = child.waitForFinished(600000) && child.exitCode() == 0
                                      ? child.readAllStandardOutput().trimmed().split(' ')
                                      : QList<QByteArray>();
    if (size < 0 || got.size() != 3) {
        std::fprintf(stderr, "the report of %d cards was not saved or opened\n", cards);
        return 1;
    }
    std::printf("\na report of %d cards: %.1f MB, saved in %.0f ms\n", cards, size / 1048576.0, saveMs);
    std::printf("  opened in the viewer and painted once: %s ms, peak %s MiB (%s MiB before opening)\n",
                got[0].constData(), got[2].constData(), got[1].constData());
    return 0;
}
