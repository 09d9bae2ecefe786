// The report viewer with large files, as a user meets them. Each file is opened through
// "Abrír" while a timer ticks every millisecond; what is printed is the time until the
// text can be read (opened and its first screen painted), the longest pause of the event
// loop meanwhile, the time until the whole text is laid out in the background and the
// longest pause in that time, and the pause of a jump to the end.
//
// Files: one paragraph of Spanish text of 1, 2 and 8 MB (or the sizes given), then a
// report of 1,000 cards as the readings write it, which is opened, scrolled through a page
// at a time and saved. Where LibreOffice is installed (soffice), each file is also
// converted by it as a yardstick.
//
//   viewerbench [MB...] [--cards N]     e.g. viewerbench 1 2 8 100
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise. The figures of one process:
// the peak memory printed grows from file to file.

#include "scandeck.h"
#include "allwindows.h"
#include "benchenv.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "paths.h"
#include "procstat.h"
#include "report.h"
#include "rtfviewer.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <dlfcn.h>
#include <cstdio>
#include <functional>

namespace {

rtfViewer *viewer()
{
    return WindowRegistry::get<rtfViewer>();
}

// The longest time between two turns of the event loop while it runs.
class PauseMeter
{
public:
    PauseMeter()
    {
        m_tick.setTimerType(Qt::PreciseTimer);
        m_tick.setInterval(1);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_since.nsecsElapsed() / 1e6);
            m_since.start();
        });
    }
    void start()
    {
        m_longest = 0;
        m_since.start();
        m_tick.start();
    }
    double stop()
    {
        m_tick.stop();
        return std::max(m_longest, m_since.nsecsElapsed() / 1e6);
    }

private:
    QTimer m_tick;
    QElapsedTimer m_since;
    double m_longest = 0;
};

struct Timed
{
    double ms = 0;    // the step, from the event loop
    double pause = 0; // the longest pause of the event loop meanwhile
};

// Runs `step` from the event loop, as a menu entry would, with the meter ticking.
Timed timed(const std::function<void()> &step)
{
    PauseMeter meter;
    Timed out;
    QElapsedTimer t;
    meter.start();
    QTimer::singleShot(0, [&] {
        t.start();
        step();
        out.ms = t.nsecsElapsed() / 1e6;
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    out.pause = meter.stop();
    return out;
}

// How far the editor's layout has come in the background: the position up to which the
// document is laid out, in percent. Qt keeps this call among its private ones.
int laidOutTo(QAbstractTextDocumentLayout *layout)
{
    using Status = int (*)(const QAbstractTextDocumentLayout *);
    static const auto status =
        reinterpret_cast<Status>(dlsym(RTLD_DEFAULT, "_ZNK19QTextDocumentLayout12layoutStatusEv"));
    return status ? status(layout) : 100;
}

// Lets the event loop run until the editor has laid the whole document out in the
// background: the time taken and the longest pause meanwhile.
Timed laidOut()
{
    QAbstractTextDocumentLayout *layout = viewer()->Box1->document()->documentLayout();
    PauseMeter meter;
    QElapsedTimer t;
    t.start();
    meter.start();
    while (laidOutTo(layout) < 100 && t.elapsed() < 600000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const double ms = t.nsecsElapsed() / 1e6;
    return {ms, meter.stop()};
}

// Paints what the editor shows (offscreen the viewer may have no window of its own).
void paint()
{
    viewer()->Box1->viewport()->grab();
}

// Opens `file` and prints its line.
bool openAndShow(const QString &label, const QString &file)
{
    rtfViewer *v = viewer();
    Dialogs::clear();
    Dialogs::queueFileName(file);
    const Timed open = timed([v] {
        v->openReport();
        paint();
    });
    if (!Dialogs::asked().filter(QStringLiteral("No se pudo")).isEmpty()) {
        std::printf("%-12s refused: %s\n", qPrintable(label),
                    qPrintable(Dialogs::asked().join(QLatin1Char(' ')).simplified()));
        return false;
    }
    const Timed layout = laidOut();
    const Timed end = timed([v] {
        v->Box1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        paint();
    });
    std::printf("%-12s %8.0f ms %8.0f ms %9.0f ms %8.0f ms %8.0f ms %7.0f MB\n", qPrintable(label), open.ms,
                open.pause, layout.ms, layout.pause, end.pause,
                ProcStat::peakMb(QCoreApplication::applicationPid()));
    return true;
}

const QString kMeaning = QStringLiteral("Un texto de significado de unas cuantas frases para la carta. ");

// The time LibreOffice takes to convert `file` to its own format, or -1.
double libreOffice(const QString &soffice, const QString &file, const QTemporaryDir &dir)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("odt"),
                      QStringLiteral("--outdir"), dir.filePath(QStringLiteral("odt")), file});
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    BenchEnv::useHome(home);
    QApplication app(argc, argv);
    BenchEnv::setUpProgram(true);

    QList<int> sizes;
    int cards = 1000;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--cards") && i + 1 < args.size())
            cards = args[++i].toInt();
        else if (args[i].toInt() > 0)
            sizes << args[i].toInt();
        else {
            std::fprintf(stderr, "usage: viewerbench [MB...] [--cards N]\n");
            return 2;
        }
    }
    if (sizes.isEmpty())
        sizes = {1, 2, 8};

    // A window of its own at a size of its own, out of the main window's area.
    rtfViewer *v = viewer();
    v->setParent(nullptr);
    v->resize(800, 600);
    v->show();
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QStringList files;

    std::printf("file            readable    longest  laid out    longest   jump to    peak\n"
                "                           pause      in bg     pause     the end\n");
    for (int mb : sizes) {
        const QString file = writeLongParagraph(home.path(), mb);
        if (file.isEmpty())
            return 1;
        files << file;
        openAndShow(QStringLiteral("%1 MB").arg(mb), file);
    }

    // A report of N cards as the readings write it.
    if (!CardDatabase::openShared(CardDatabase::pristinePath())) {
        std::fprintf(stderr, "the card texts cannot be opened\n");
        return 1;
    }
    v->Box1->clear();
    modOrbelle::state().imageFolder = CardPictures::ownDeck();
    for (int i = 0; i < cards; ++i) {
        Report::setFontSize(14);
        Report::insertText(QStringLiteral("\r\nLa carta %1").arg(i + 1));
        Report::setFontSize(12);
        Report::insertText(QStringLiteral("\r\n\r\n"));
        Report::insertCard(QImage(), i % 78 + 1, i % 5 == 0);
        Report::insertText(QStringLiteral("\r\n\r\n") + kMeaning.repeated(8));
    }
    const QString report = home.filePath(QStringLiteral("informe.rtf"));
    Dialogs::queueFileName(report);
    const Timed firstSave = timed([v] { v->saveReport(); });
    files << report;
    const QString label = QStringLiteral("%1 cards").arg(cards);
    if (!openAndShow(label, report))
        return 1;
    // Scrolled through from the top a page at a time, each page painted.
    QScrollBar *bar = v->Box1->verticalScrollBar();
    bar->setValue(0);
    int pages = 0;
    const Timed scroll = timed([bar, &pages] {
        while (bar->value() < bar->maximum() && pages < 100000) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            paint();
            QCoreApplication::processEvents();
            ++pages;
        }
    });
    QFile::remove(report);
    Dialogs::queueFileName(report);
    const Timed save = timed([v] { v->saveReport(); });
    std::printf("%-12s %d pages scrolled in %.0f ms (longest pause %.0f ms); saved (%.1f MB) in %.0f ms "
                "(longest pause %.0f ms; %.0f ms as written)\n",
                qPrintable(label), pages, scroll.ms, scroll.pause, QFileInfo(report).size() / 1048576.0, save.ms,
                save.pause, firstSave.ms);

    std::printf("\nLibreOffice converting the same files:");
    if (soffice.isEmpty()) {
        std::printf(" not installed here (no soffice on the PATH)\n");
        return 0;
    }
    std::printf("\n");
    for (const QString &file : files)
        std::printf("%-30s %8.0f ms\n", qPrintable(QFileInfo(file).fileName()), libreOffice(soffice, file, home));
    return 0;
}
