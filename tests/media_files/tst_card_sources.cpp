// The SVG sources of the scenic deck (art/cards) and their renderer.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kSources = QStringLiteral(ORBELLE_CARD_SOURCES_DIR);

QString sourceName(int n)
{
    return QStringLiteral("%1.svg").arg(n, 2, 10, QLatin1Char('0'));
}

QList<int> presentCards()
{
    QList<int> cards;
    for (int n = 1; n <= 78; ++n)
        if (QFile::exists(QDir(kSources).filePath(sourceName(n))))
            cards << n;
    return cards;
}

struct Run
{
    int exitCode = -1;
    QString errors;
};

Run runRenderer(const QString &programFolder, const QString &sources, const QList<int> &cards)
{
    QStringList args = {programFolder, sources};
    for (int n : cards)
        args << QString::number(n);
    QProcess p;
    p.start(QStringLiteral(MEDIA_SVGDECK_EXE), args);
    Run r;
    if (!p.waitForFinished(300000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.errors = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

// What the sources may use: shapes, groups, gradients and clip paths. Filters, masks,
// patterns, text and linked images render differently (or not at all) between librsvg and
// Inkscape, or need fonts and files the source does not carry.
const QStringList kElements = QStringLiteral("svg defs g path circle ellipse rect line polygon polyline "
                                             "linearGradient radialGradient stop clipPath")
                                  .split(QLatin1Char(' '));

} // namespace

class TestCardSources : public QObject
{
    Q_OBJECT

private slots:
    void sourcesAreWhatTheGeneratorWrites();
    void sourcesUseOnlyPortableSvg();
    void everySourceRendersToACard();
    void aMissingSourceStopsTheRender();
};

void TestCardSources::sourcesAreWhatTheGeneratorWrites()
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QVERIFY2(!python.isEmpty(), "python3 is needed to check the card sources");
    QProcess p;
    p.start(python, {QStringLiteral(ORBELLE_CARD_GENERATOR), QStringLiteral("--check")});
    QVERIFY(p.waitForFinished(120000));
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
             qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
    // And the generator writes no card the folder lacks: the check covers every scene it
    // knows, so the folder holds exactly those.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess w;
    w.start(python, {QStringLiteral(ORBELLE_CARD_GENERATOR), QStringLiteral("--out"), dir.path()});
    QVERIFY(w.waitForFinished(120000));
    QCOMPARE(w.exitCode(), 0);
    QStringList written = QDir(dir.path()).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    QStringList present = QDir(kSources).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    QCOMPARE(present, written);
}

void TestCardSources::sourcesUseOnlyPortableSvg()
{
    const QList<int> cards = presentCards();
    QVERIFY(!cards.isEmpty());
#ifdef ORBELLE_SVG_DECK
    QCOMPARE(cards.size(), 78);
#endif
    for (int n : cards) {
        const QString path = QDir(kSources).filePath(sourceName(n));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        bool root = true;
        QSet<QString> ids, used;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            QVERIFY2(kElements.contains(name), qPrintable(path + QStringLiteral(": <%1>").arg(name)));
            const QXmlStreamAttributes attrs = xml.attributes();
            if (root) {
                QCOMPARE(attrs.value(QStringLiteral("width")).toString(), QStringLiteral("700"));
                QCOMPARE(attrs.value(QStringLiteral("height")).toString(), QStringLiteral("1240"));
                QCOMPARE(attrs.value(QStringLiteral("viewBox")).toString(), QStringLiteral("0 0 700 1240"));
                root = false;
            }
            for (const QXmlStreamAttribute &a : attrs) {
                const QString key = a.qualifiedName().toString();
                QVERIFY2(key != QLatin1String("filter") && key != QLatin1String("mask") &&
                             !key.contains(QLatin1String("href")) && !key.startsWith(QLatin1String("font")) &&
                             key != QLatin1String("style"),
                         qPrintable(path + QStringLiteral(": attribute %1").arg(key)));
                const QString value = a.value().toString();
                if (key == QLatin1String("id"))
                    ids.insert(value);
                if (value.startsWith(QLatin1String("url(#")))
                    used.insert(value.mid(5, value.size() - 6));
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(path + QStringLiteral(": ") + xml.errorString()));
        // Every gradient or clip a shape refers to is defined in the same file.
        for (const QString &id : used)
            QVERIFY2(ids.contains(id), qPrintable(path + QStringLiteral(": no #%1").arg(id)));
    }
}

// Whether two runs give the same bytes is tst_media_files' business, where this renderer
// makes the program's deck.
void TestCardSources::everySourceRendersToACard()
{
    const QList<int> cards = presentCards();
    QVERIFY(!cards.isEmpty());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const Run r = runRenderer(dir.path(), kSources, cards);
    QVERIFY2(r.exitCode == 0, qPrintable(r.errors));
    for (int n : cards) {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("Imagenes/%1.jpg").arg(n));
        QImageReader reader(path, "jpeg");
        const QImage img = reader.read().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!img.isNull(), qPrintable(path));
        QCOMPARE(img.size(), QSize(700, 1240));
        // The name is lettered in gold onto the dark bottom band: bright, yellowish pixels
        // where the band has none of its own.
        int lettered = 0;
        for (int y = 1075; y < 1175; ++y)
            for (int x = 80; x < 620; ++x) {
                const QRgb px = img.pixel(x, y);
                lettered += qRed(px) > 170 && qGreen(px) > 130 && qBlue(px) < 150;
            }
        QVERIFY2(lettered > 400, qPrintable(QStringLiteral("card %1: %2").arg(n).arg(lettered)));
    }
}

void TestCardSources::aMissingSourceStopsTheRender()
{
    QTemporaryDir sources, out;
    QVERIFY(sources.isValid() && out.isValid());
    const QList<int> cards = presentCards();
    QVERIFY(!cards.isEmpty());
    const int present = cards.first();
    const int missing = present == 78 ? 77 : present + 1;
    QVERIFY(QFile::copy(QDir(kSources).filePath(sourceName(present)),
                        QDir(sources.path()).filePath(sourceName(present))));
    const Run r = runRenderer(out.path(), sources.path(), {present, missing});
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.errors.contains(sourceName(missing)), qPrintable(r.errors));
    // A source that is no SVG at all is named too, and nothing is written for it.
    QFile broken(QDir(sources.path()).filePath(sourceName(missing)));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("<svg");
    broken.close();
    const Run r2 = runRenderer(out.path(), sources.path(), {missing});
    QVERIFY(r2.exitCode != 0);
    QVERIFY2(r2.errors.contains(sourceName(missing)), qPrintable(r2.errors));
    QVERIFY(!QFile::exists(QDir(out.path()).filePath(QStringLiteral("Imagenes/%1.jpg").arg(missing))));
}

QTEST_GUILESS_MAIN(TestCardSources)
#include "tst_card_sources.moc"
