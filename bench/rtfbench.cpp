// Times the report's Rich Text files: builds a report of N cards (heading, card picture,
// meaning text) through the viewer's append interface, saves it as RTF the way the
// viewer does and opens it again, and prints the times and sizes.
//
//   rtfbench [N]            N cards (default 78), the deck's pictures in turn
//   rtfbench --out FILE     keeps the file it wrote
//   rtfbench --read FILE    only reads FILE: its text, pictures and font sizes
//   rtfbench --long [MB...] reads files of one long paragraph (default 1 2 4 8 50 MB) and
//                           prints MB/s; the time per MB must not grow with the size. Then
//                           opens each in the viewer and paints it once.
//   rtfbench --tables [N...] reads files of N fonts and of N colours, each used by a run
//                           of its own (default 5000 10000 20000 40000): the time per
//                           entry must not grow with N. Then opens each in the viewer,
//                           and times the recovery file's snapshot (taken on the
//                           window's thread) and its writing (on a thread of its own).

#include "scandeck.h"
#include "dialogs.h"
#include "reportpicture.h"
#include "rtfreader.h"
#include "rtfviewer.h"
#include "rtfwriter.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {

const QString kProgramFolder = QStringLiteral(ORBELLE_PROGRAM_DIR);

QStringList meanings(int count)
{
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(kProgramFolder + QStringLiteral("/orbelle.sqlite"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT tag1 FROM tag1 ORDER BY rowid")))
                while (q.next())
                    out << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    if (out.isEmpty())
        out << QStringLiteral("Un texto de significado para la carta, sin la base de datos a mano.");
    while (out.size() < count)
        out += out;
    return out.mid(0, count);
}

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool save(const QTextDocument &doc, const QString &file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !RtfWriter::write(doc, &out).ok())
        return false;
    return out.commit();
}

bool open(const QString &file, QTextDocument *doc, RtfResult *result)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    *result = RtfReader::read(&in, doc);
    return result->ok();
}

int readOnly(const QString &file)
{
    QTextDocument doc;
    RtfResult r;
    QElapsedTimer t;
    t.start();
    if (!open(file, &doc, &r)) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(file), qPrintable(r.detail));
        return 1;
    }
    const double ms = t.nsecsElapsed() / 1e6;
    int pictures = 0;
    std::set<qreal> sizes;
    QString text;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            text += QLatin1Char('\n');
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().isImageFormat()) {
                const QSizeF s = ReportPicture::displaySize(&doc, f.charFormat().toImageFormat());
                for (int i = 0; i < f.length(); ++i)
                    text += QStringLiteral("[imagen %1x%2]").arg(qRound(s.width())).arg(qRound(s.height()));
                pictures += f.length();
                continue;
            }
            text += f.text();
            sizes.insert(f.charFormat().font().resolve(doc.defaultFont()).pointSizeF());
        }
    }
    std::printf("%s\n\n", qPrintable(text));
    std::printf("pictures: %d\nfont sizes:", pictures);
    for (qreal s : sizes)
        std::printf(" %g", s);
    std::printf("\nread in %.1f ms\n", ms);
    return 0;
}

// The time to read `file`; *why says why it was refused, empty when it was read.
double readMs(const QString &file, const RtfReader::Limits &limits, qint64 *chars, QString *why)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        *why = in.errorString();
        return 0;
    }
    QTextDocument doc;
    QElapsedTimer t;
    t.start();
    const RtfResult r = RtfReader::read(&in, &doc, limits);
    const double ms = t.nsecsElapsed() / 1e6;
    *chars = doc.characterCount();
    *why = r.ok() ? QString() : r.detail;
    return ms;
}

int longParagraphs(QList<int> sizes)
{
    if (sizes.isEmpty())
        sizes = {1, 2, 4, 8, 50};
    QTemporaryDir dir;
    // Enough room for the largest file's text: the point is the reading speed.
    RtfReader::Limits roomy;
    roomy.maxChars = qint64(1) << 30;
    std::printf("one paragraph   read       MB/s   ms/MB   (best of 3; under the default limits)\n");
    QStringList files;
    for (int mb : sizes) {
        const QString file = writeLongParagraph(dir.path(), mb);
        if (file.isEmpty())
            return 1;
        files << file;
        std::vector<double> times;
        qint64 chars = 0;
        QString why;
        for (int run = 0; run < (mb > 16 ? 1 : 3); ++run)
            times.push_back(readMs(file, roomy, &chars, &why));
        if (!why.isEmpty()) {
            std::printf("%5d MB   not read: %s\n", mb, qPrintable(why));
            continue;
        }
        const double best = *std::min_element(times.begin(), times.end());
        const double bytes = double(QFileInfo(file).size()) / (1 << 20);
        std::printf("%5d MB   %8.0f ms  %7.1f  %6.1f", mb, best, bytes / (best / 1000), best / bytes);
        const double limited = readMs(file, RtfReader::Limits(), &chars, &why);
        if (why.isEmpty())
            std::printf("   read in %.0f ms, %lld characters\n", limited, chars);
        else
            std::printf("   refused after %.0f ms: %s\n", limited, qPrintable(why));
    }

    // In the viewer: the open through its menu, then the first paint of the window.
    Dialogs::setAnswering(true);
    std::printf("\nin the viewer    open      first paint\n");
    for (int i = 0; i < files.size(); ++i) {
        rtfViewer viewer;
        viewer.Form_Load();
        viewer.resize(800, 600);
        viewer.show();
        QElapsedTimer t;
        t.start();
        Dialogs::queueFileName(files[i]);
        viewer.openReport();
        const double open = t.nsecsElapsed() / 1e6;
        t.restart();
        viewer.grab();
        const double paint = t.nsecsElapsed() / 1e6;
        const bool refused = !Dialogs::asked().filter(QStringLiteral("No se pudo")).isEmpty();
        std::printf("%5d MB   %8.0f ms  %8.0f ms%s\n", sizes[i], open, paint, refused ? "   (refused)" : "");
        Dialogs::clear();
    }
    return 0;
}

QByteArray manyEntries(int n, bool fonts)
{
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    if (fonts) {
        for (int i = 0; i < n; ++i)
            out += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
        out += "}\n";
        for (int i = 0; i < n; ++i)
            out += "{\\f" + QByteArray::number(i) + " x}";
    } else {
        out += "{\\f0 Arial;}}{\\colortbl;";
        for (int i = 0; i < n; ++i)
            out += "\\red" + QByteArray::number(i % 256) + "\\green" + QByteArray::number(i / 256 % 256) +
                   "\\blue" + QByteArray::number(i % 7) + ";";
        out += "}\n";
        for (int i = 1; i <= n; ++i)
            out += "{\\cf" + QByteArray::number(i) + " x}";
    }
    return out + "}";
}

int manyTables(QList<int> counts)
{
    if (counts.isEmpty())
        counts = {5000, 10000, 20000, 40000};
    QTemporaryDir dir;
    Dialogs::setAnswering(true);
    std::printf("entries        file      read   us/entry   viewer open  paint   snapshot   write\n");
    for (const bool fonts : {true, false}) {
        for (int n : counts) {
            const QString file = dir.filePath(QStringLiteral("tabla-%1.rtf").arg(n));
            {
                QFile out(file);
                if (!out.open(QIODevice::WriteOnly) || out.write(manyEntries(n, fonts)) < 0)
                    return 1;
            }
            qint64 chars = 0;
            QString why;
            const double read = readMs(file, RtfReader::Limits(), &chars, &why);
            rtfViewer viewer;
            viewer.Form_Load();
            viewer.resize(800, 600);
            viewer.show();
            QElapsedTimer t;
            t.start();
            Dialogs::queueFileName(file);
            viewer.openReport();
            const double open = t.nsecsElapsed() / 1e6;
            t.restart();
            viewer.grab();
            const double paint = t.nsecsElapsed() / 1e6;
            t.restart();
            const auto snapshot = RtfWriter::snapshot(*viewer.Box1->document());
            const double taken = t.nsecsElapsed() / 1e6;
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            t.restart();
            RtfWriter::write(*snapshot, &buffer);
            const double written = t.nsecsElapsed() / 1e6;
            std::printf("%6d %-7s %5lld KB %7.0f ms %7.1f %10.0f ms %6.0f ms %7.1f ms %6.0f ms%s\n", n,
                        fonts ? "fonts" : "colours", QFileInfo(file).size() >> 10, read, read * 1000 / n,
                        open, paint, taken, written,
                        why.isEmpty() ? "" : qPrintable(QStringLiteral("  ") + why));
            Dialogs::clear();
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    int cards = 78;
    QString outFile;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--read") && i + 1 < args.size())
            return readOnly(args[i + 1]);
        if (args[i] == QLatin1String("--long")) {
            QList<int> sizes;
            for (int j = i + 1; j < args.size(); ++j)
                sizes << args[j].toInt();
            return longParagraphs(sizes);
        }
        if (args[i] == QLatin1String("--tables")) {
            QList<int> counts;
            for (int j = i + 1; j < args.size(); ++j)
                counts << args[j].toInt();
            return manyTables(counts);
        }
        if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            outFile = args[++i];
        else if (args[i].toInt() > 0)
            cards = args[i].toInt();
        else {
            std::fprintf(
                stderr,
                "usage: rtfbench [N] [--out FILE] | --read FILE | --long [MB...] | --tables [N...]\n");
            return 2;
        }
    }

    // The report as the readings build it.
    const QStringList texts = meanings(cards);
    rtfViewer viewer;
    viewer.Form_Load();
    qint64 jpegBytes = 0;
    for (int i = 0; i < cards; ++i) {
        const int card = i % 78 + 1;
        QFile f(kProgramFolder + QStringLiteral("/Imagenes/%1.jpg").arg(card));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "missing %s: build the program folder first\n", qPrintable(f.fileName()));
            return 1;
        }
        const QByteArray jpeg = f.readAll();
        jpegBytes += jpeg.size();
        viewer.setInsertionFontSize(14);
        viewer.insertText(QStringLiteral("\r\nLa carta %1 para el 5/3/24").arg(card));
        viewer.setInsertionFontSize(12);
        viewer.insertText(QStringLiteral("\r\n\r\n"));
        viewer.insertJpegPicture(jpeg, QSize(81, 136));
        viewer.insertText(QStringLiteral("\r\n\r\n") + texts[i] + QStringLiteral("\r\n"));
    }
    const QTextDocument &doc = *viewer.Box1->document();

    QTemporaryDir dir;
    const QString file = outFile.isEmpty() ? dir.filePath(QStringLiteral("informe.rtf")) : outFile;
    constexpr int kRuns = 5;
    std::vector<double> saves, opens;
    int pictures = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        if (!save(doc, file)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
            return 1;
        }
        saves.push_back(t.nsecsElapsed() / 1e6);

        QTextDocument back;
        RtfResult r;
        t.restart();
        if (!open(file, &back, &r)) {
            std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(file), qPrintable(r.detail));
            return 1;
        }
        opens.push_back(t.nsecsElapsed() / 1e6);
        pictures = 0;
        for (QTextBlock b = back.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                pictures += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
    }
    const qint64 size = QFileInfo(file).size();
    std::printf("cards: %d (pictures read back: %d)\n", cards, pictures);
    std::printf("save: %.1f ms   open: %.1f ms   (median of %d; best %.1f / %.1f ms)\n", medianMs(saves),
                medianMs(opens), kRuns, *std::min_element(saves.begin(), saves.end()),
                *std::min_element(opens.begin(), opens.end()));
    std::printf("file: %lld bytes   JPEG bytes embedded: %lld   ratio: %.3f\n", size, jpegBytes,
                double(size) / double(jpegBytes));
    if (!outFile.isEmpty())
        std::printf("kept %s\n", qPrintable(outFile));
    return 0;
}
