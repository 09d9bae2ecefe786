#pragma once

// What the report tests compare: the text, formats and pictures a document holds.

#include "reportpicture.h"
#include "rtfreader.h"
#include "rtfwriter.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <memory>

namespace RtfTest {

inline QString fixture(const QString &name)
{
    return QStringLiteral(ORBELLE_REPORT_FIXTURES "/") + name;
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#ifdef ORBELLE_PROGRAM_DIR
inline QByteArray cardJpeg(int card)
{
    return readFile(QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes/%1.jpg").arg(card));
}
#endif

inline QByteArray rtf(const QByteArray &body, const QByteArray &codePage = "\\ansicpg1252")
{
    return "{\\rtf1\\ansi" + codePage + "\\deff0{\\fonttbl{\\f0 Arial;}}" + body + "}";
}

// A small JPEG whose header says it is 20000 x 20000 pixels.
inline QByteArray hugeJpeg()
{
    QByteArray jpeg = readFile(fixture(QStringLiteral("tiny.jpg")));
    const qsizetype sof = jpeg.indexOf("\xff\xc0");
    jpeg.replace(sof + 5, 4, QByteArray::fromHex("4e204e20"));
    return jpeg;
}

// N fonts (or colours), each used by a letter of its own: "x" N times in one paragraph.
inline QByteArray manyEntries(int n, bool fonts)
{
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    QByteArray text;
    if (!fonts)
        out += "{\\f0 Arial;}}{\\colortbl;";
    for (int i = 0; i < n; ++i) {
        const QByteArray k = QByteArray::number(i);
        out += fonts ? "{\\f" + k + " F" + k + ";}" : "\\red" + QByteArray::number(i % 256) + "\\green" +
                                                          QByteArray::number(i / 256 % 256) + "\\blue7;";
        text += (fonts ? "{\\f" + k : "{\\cf" + QByteArray::number(i + 1)) + " x}";
    }
    return out + "}\n" + text + "}";
}

inline QByteArray save(const QTextDocument &doc, RtfResult *result = nullptr)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const RtfResult r = RtfWriter::write(doc, &buffer);
    if (result)
        *result = r;
    return bytes;
}

inline std::unique_ptr<QTextDocument> load(const QByteArray &rtf, RtfResult *result = nullptr,
                                           const RtfReader::Limits &limits = {})
{
    auto doc = std::make_unique<QTextDocument>();
    QByteArray copy = rtf;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const RtfResult r = RtfReader::read(&buffer, doc.get(), limits);
    if (result)
        *result = r;
    return doc;
}

inline QStringList blocks(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

// A stretch of text in one format, as the user sees it.
struct Run
{
    QString text;
    qreal points = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    QString family;
    QColor color; // invalid: the automatic colour

    bool operator==(const Run &o) const
    {
        return text == o.text && qFuzzyCompare(points, o.points) && bold == o.bold && italic == o.italic &&
               underline == o.underline && strike == o.strike && family == o.family && color == o.color;
    }
};

// The runs of the document, neighbours in the same format joined, pictures left out,
// one "\n" run between paragraphs.
inline QList<Run> runs(const QTextDocument &doc)
{
    QList<Run> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            out << Run{QStringLiteral("\n")};
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat())
                continue;
            const QFont font = f.font().resolve(doc.defaultFont());
            Run r{it.fragment().text(), font.pointSizeF(), font.bold(),  font.italic(),
                  font.underline(),     font.strikeOut(),  font.families().value(0, font.family())};
            if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
                r.color = f.foreground().color();
            Run last = out.value(out.size() - 1);
            last.text = r.text;
            if (!out.isEmpty() && last == r)
                out.last().text += r.text;
            else
                out << r;
        }
    }
    return out;
}

inline QList<QTextImageFormat> pictures(const QTextDocument &doc)
{
    QList<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                for (qsizetype i = 0; i < it.fragment().length(); ++i)
                    out << it.fragment().charFormat().toImageFormat();
            }
        }
    }
    return out;
}

inline bool samePixels(const QImage &a, const QImage &b)
{
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

} // namespace RtfTest

namespace QTest {
template <>
inline char *toString(const RtfTest::Run &r)
{
    return qstrdup(QStringLiteral("Run(%1, %2pt%3%4%5%6, %7, %8)")
                       .arg(r.text.left(40))
                       .arg(r.points)
                       .arg(r.bold ? " b" : "", r.italic ? " i" : "", r.underline ? " u" : "",
                            r.strike ? " s" : "")
                       .arg(r.family, r.color.isValid() ? r.color.name() : QStringLiteral("auto"))
                       .toUtf8()
                       .constData());
}
} // namespace QTest
