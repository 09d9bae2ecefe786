// The SVG sources of the deck (art/cards) and their renderer. That every card renders, the
// same on every run, is tst_media_files' business, where the renderer makes the deck.
#include <QDir>
#include <QFile>
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
