// The SVG sources of the deck (art/cards) and their renderer. That every card renders, the
// same on every run, is tst_media_files' business, where the renderer makes the deck.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <QtTest>

namespace {

const QString kSources = QStringLiteral(ORBELLE_CARD_SOURCES_DIR);

QString sourceName(int n)
{
    return QStringLiteral("%1.svg").arg(n, 2, 10, QLatin1Char('0'));
}

// What the sources may use: shapes, groups, gradients and clip paths. Filters, masks,
// patterns, text and linked images render differently (or not at all) between librsvg and
// Inkscape, or need fonts and files the source does not carry.
const QStringList kElements = QStringLiteral("svg defs g path circle ellipse rect line polygon polyline "
                                             "linearGradient radialGradient stop clipPath")
                                  .split(QLatin1Char(' '));

// Runs the renderer on the given cards; its exit code (-1: it crashed or hung) and what it
// said on stderr.
int render(const QString &out, const QString &sources, const QList<int> &cards, QString *errors)
{
    QStringList args = {out, sources};
    for (int n : cards)
        args << QString::number(n);
    QProcess p;
    p.start(QStringLiteral(MEDIA_SVGDECK_EXE), args);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    *errors = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitCode();
}

// The face check's key colour, which no card uses.
bool isKey(QRgb c)
{
    return qAlpha(c) > 230 && qRed(c) > 230 && qGreen(c) < 40 && qBlue(c) > 230;
}

// A card's source with its `which`-th marked face (data-face="x y w h", the eyes-to-mouth box
// in the group's own coordinates; -1: every marked face) drawn as a box of the key colour.
// With `alone` every other shape and the field's clip go, so the picture shows the whole face
// wherever it lies.
QByteArray faceProbe(const QByteArray &svg, int which, bool alone)
{
    static const QStringList shapes =
        QStringLiteral("path circle ellipse rect line polygon polyline").split(QLatin1Char(' '));
    QXmlStreamReader in(svg);
    in.setNamespaceProcessing(false);
    QByteArray out;
    QXmlStreamWriter w(&out);
    int face = -1, skip = 0, defs = 0;
    while (!in.atEnd()) {
        const QXmlStreamReader::TokenType t = in.readNext();
        if (t == QXmlStreamReader::StartElement) {
            const QString name = in.qualifiedName().toString();
            const QXmlStreamAttributes attrs = in.attributes();
            if (skip) {
                ++skip;
                continue;
            }
            if (name == QLatin1String("defs"))
                ++defs;
            const QString box = attrs.value(QStringLiteral("data-face")).toString();
            if (!box.isEmpty() && (++face == which || which < 0)) {
                const QStringList v = box.split(QLatin1Char(' '));
                w.writeStartElement(QStringLiteral("rect"));
                w.writeAttribute(QStringLiteral("x"), v.value(0));
                w.writeAttribute(QStringLiteral("y"), v.value(1));
                w.writeAttribute(QStringLiteral("width"), v.value(2));
                w.writeAttribute(QStringLiteral("height"), v.value(3));
                w.writeAttribute(QStringLiteral("fill"), QStringLiteral("#ff00ff"));
                w.writeEndElement();
                skip = 1;
                continue;
            }
            if (alone && !defs && shapes.contains(name)) {
                skip = 1;
                continue;
            }
            w.writeStartElement(name);
            for (const QXmlStreamAttribute &a : attrs)
                if (!(alone && a.qualifiedName() == QLatin1String("clip-path")))
                    w.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        } else if (t == QXmlStreamReader::EndElement) {
            if (skip) {
                --skip;
                continue;
            }
            if (in.qualifiedName() == QLatin1String("defs"))
                --defs;
            w.writeEndElement();
        }
    }
    return out;
}

// At half size: enough pixels for the smallest face, a quarter of the work.
QImage renderSvg(const QByteArray &svg)
{
    QProcess p;
    p.start(QStringLiteral("rsvg-convert"),
            {QStringLiteral("--width=350"), QStringLiteral("--height=620"), QStringLiteral("--format=png")});
    p.write(svg);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestCardSources : public QObject
{
    Q_OBJECT

private slots:
    // The folder holds exactly what the generator writes, byte for byte.
    void sourcesAreWhatTheGeneratorWrites()
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        QVERIFY2(!python.isEmpty(), "python3 is needed to check the card sources");
        QProcess p;
        p.start(python, {QStringLiteral(ORBELLE_CARD_GENERATOR), QStringLiteral("--check")});
        QVERIFY(p.waitForFinished(120000));
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                 qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
        // And the generator writes no card the folder lacks.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        p.start(python, {QStringLiteral(ORBELLE_CARD_GENERATOR), QStringLiteral("--out"), dir.path()});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        const QStringList svg{QStringLiteral("*.svg")};
        QCOMPARE(QDir(kSources).entryList(svg, QDir::Files, QDir::Name),
                 QDir(dir.path()).entryList(svg, QDir::Files, QDir::Name));
    }

    void sourcesUseOnlyPortableSvg()
    {
        for (int n = 1; n <= 78; ++n) {
            const QString path = QDir(kSources).filePath(sourceName(n));
            QFile f(path);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
            QXmlStreamReader xml(&f);
            QSet<QString> ids, used;
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                const QString name = xml.name().toString();
                QVERIFY2(kElements.contains(name), qPrintable(path + QStringLiteral(": <%1>").arg(name)));
                // Drawn at the card's size: another view box would be stretched to it.
                if (name == QLatin1String("svg"))
                    QCOMPARE(xml.attributes().value(QStringLiteral("viewBox")).toString(),
                             QStringLiteral("0 0 700 1240"));
                for (const QXmlStreamAttribute &a : xml.attributes()) {
                    const QString key = a.qualifiedName().toString();
                    QVERIFY2(key != QLatin1String("filter") && key != QLatin1String("mask") &&
                                 !key.contains(QLatin1String("href")) &&
                                 !key.startsWith(QLatin1String("font")) && key != QLatin1String("style"),
                             qPrintable(path + QStringLiteral(": attribute %1").arg(key)));
                    if (key == QLatin1String("id"))
                        ids.insert(a.value().toString());
                    if (a.value().startsWith(QLatin1String("url(#")))
                        used.insert(a.value().mid(5, a.value().size() - 6).toString());
                }
            }
            QVERIFY2(!xml.hasError(), qPrintable(path + QStringLiteral(": ") + xml.errorString()));
            // Every gradient or clip a shape refers to is defined in the same file.
            for (const QString &id : used)
                QVERIFY2(ids.contains(id), qPrintable(path + QStringLiteral(": no #%1").arg(id)));
        }
    }

    // The faces of each card's main figures lie inside the picture field and nothing drawn
    // after them covers them: each marked face, drawn as a key-coloured box, must show at
    // least nine tenths of its pixels on the finished card.
    void mainFacesAreInTheFieldAndUncovered()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("rsvg-convert")).isEmpty(),
                 "rsvg-convert is needed to look at the faces");
        int cardsWithFaces = 0;
        for (int n = 1; n <= 78; ++n) {
            QFile f(QDir(kSources).filePath(sourceName(n)));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray svg = f.readAll();
            const int faces = int(svg.count("data-face=\""));
            cardsWithFaces += faces > 0;
            const QImage card = faces ? renderSvg(faceProbe(svg, -1, false)) : QImage();
            for (int i = 0; i < faces; ++i) {
                const QImage alone = renderSvg(faceProbe(svg, i, true));
                QVERIFY2(!alone.isNull() && !card.isNull(), qPrintable(sourceName(n)));
                qint64 all = 0, seen = 0;
                for (int y = 0; y < alone.height(); ++y)
                    for (int x = 0; x < alone.width(); ++x)
                        if (isKey(alone.pixel(x, y)))
                            ++all, seen += isKey(card.pixel(x, y));
                QVERIFY2(all > 0 && seen * 10 >= all * 9,
                         qPrintable(QStringLiteral("%1 face %2").arg(sourceName(n)).arg(i)));
            }
        }
        // The generator marks faces at all: most cards show people.
        QVERIFY2(cardsWithFaces >= 39, qPrintable(QString::number(cardsWithFaces)));
    }

    // A source that is missing or is no SVG at all stops the render, which names it and
    // writes no picture for it.
    void aMissingOrBrokenSourceStopsTheRender()
    {
        QTemporaryDir sources, out;
        QVERIFY(sources.isValid() && out.isValid());
        QVERIFY(QFile::copy(QDir(kSources).filePath(sourceName(1)),
                            QDir(sources.path()).filePath(sourceName(1))));
        QString errors;
        QVERIFY(render(out.path(), sources.path(), {1, 2}, &errors) > 0);
        QVERIFY2(errors.contains(sourceName(2)), qPrintable(errors));

        QFile broken(QDir(sources.path()).filePath(sourceName(2)));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("<svg");
        broken.close();
        QVERIFY(render(out.path(), sources.path(), {2}, &errors) > 0);
        QVERIFY2(errors.contains(sourceName(2)), qPrintable(errors));
        QVERIFY(!QFile::exists(QDir(out.path()).filePath(QStringLiteral("Imagenes/2.jpg"))));
    }
};

QTEST_GUILESS_MAIN(TestCardSources)
#include "tst_card_sources.moc"
