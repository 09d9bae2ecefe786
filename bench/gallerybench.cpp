// Times opening the gallery of all cards, from the request to the first painted frame,
// against a plain decode of the 78 JPEG files at the size the gallery shows them. The
// window's own work (controls, layout, the keyword cursor, painting) should add little:
// the target is at most 1.3 times the plain decode.
//
// Then the same gallery with a connected deck of 78 baseline 3000 x 5000 JPEGs (what most
// scanners write), after what connecting the deck does (its screen-size copies): the
// target is at most 1.2 times the gallery with the program's own deck.
//
//   gallerybench [runs]     default 7 runs of each; medians are compared
//
// Run with QT_QPA_PLATFORM=offscreen, or on a display.

#include "alleimagenes.h"
#include "allwindows.h"
#include "benchenv.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "modOrbelle.h"
#include "paths.h"
#include "scandeck.h"
#include "windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QPaintEvent>
#include <QTemporaryDir>

#include <array>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Notes when the gallery has been painted.
class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

double openGallery(QSize *cardSize)
{
    QElapsedTimer t;
    t.start();
    alleImagenes *g = WindowRegistry::get<alleImagenes>();
    PaintWatch watch;
    g->Image1[77]->installEventFilter(&watch);
    g->showGallery();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = t.nsecsElapsed() / 1e6;
    *cardSize = g->pictureSize();
    g->Image1[77]->removeEventFilter(&watch);
    WindowRegistry::unload<alleImagenes>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
}

double plainDecode(const QSize &size)
{
    QElapsedTimer t;
    t.start();
    qint64 bytes = 0;
    for (int n = 1; n <= 78; ++n) {
        QImageReader r(CardPictures::path(n));
        r.setScaledSize(size);
        bytes += r.read().sizeInBytes();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    if (bytes == 0)
        std::fprintf(stderr, "no pictures decoded\n");
    return ms;
}

// Six different scans, the rest copies of them, as a scanned deck would weigh.

} // namespace

int main(int argc, char *argv[])
{
    // The screen-size copies go to a data folder of the bench's own.
    QTemporaryDir home;
    BenchEnv::useHome(home);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    BenchEnv::setUpProgram(false);
    if (!CardDatabase::openShared(CardDatabase::pristinePath())) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(CardDatabase::pristinePath()));
        return 1;
    }

    // One open first: fonts, styles and the JPEG plugin load once per process.
    QSize size;
    openGallery(&size);
    std::vector<double> gallery, plain;
    for (int i = 0; i < runs; ++i) {
        gallery.push_back(openGallery(&size));
        plain.push_back(plainDecode(size));
    }
    const double g = median(gallery), p = median(plain);
    std::printf("cards decoded at %dx%d px, %d runs, medians:\n", size.width(), size.height(), runs);
    std::printf("  gallery open to painted  %8.1f ms\n", g);
    std::printf("  plain decode of 78 JPEGs %8.1f ms\n", p);
    std::printf("  ratio                    %8.2f (target <= 1.30)\n", g / p);

    // The scanned deck, connected: the copies are made once, as the deck locator does.
    QTemporaryDir scans;
    makeScannedDeck(scans.path());
    QElapsedTimer preparing;
    preparing.start();
    int prepared = 0;
    for (int n = 1; n <= 78; ++n)
        prepared += CardPictures::prepare(scans.path(), n);
    const double prepareMs = preparing.nsecsElapsed() / 1e6;
    modOrbelle::state().imageFolder = scans.path();
    openGallery(&size);
    std::vector<double> scanned;
    for (int i = 0; i < runs; ++i)
        scanned.push_back(openGallery(&size));
    const double s = median(scanned);
    std::printf("deck of 78 baseline 3000x5000 JPEGs, connected (%d screen-size copies made in %.0f ms):\n",
                prepared, prepareMs);
    std::printf("  gallery open to painted  %8.1f ms\n", s);
    std::printf("  against the own deck     %8.2f (target <= 1.20)\n", s / g);
    return g / p <= 1.3 && s / g <= 1.2 ? 0 : 2;
}
