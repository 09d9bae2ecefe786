#pragma once

// What the report tests compare: the text, formats and pictures a document holds.

#include "reportpicture.h"
#include "rtfreader.h"
#include "rtfviewer.h"
#include "rtfwriter.h"
#include "windows.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>
#include <memory>

namespace RtfTest {

using namespace Qt::StringLiterals;

inline QString fixture(const QString &name)
{
    return QStringLiteral(ORBELLE_REPORT_FIXTURES "/") + name;
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QByteArray cardJpeg(int card)
{
    return readFile(QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes/%1.jpg").arg(card));
}

inline rtfViewer *viewer()
{
    return WindowRegistry::get<rtfViewer>();
}

// A reading's piece appended to the report as the card of the day appends it: heading,
// picture, text, the report shown.
inline void appendPiece(const QString &heading, int card, const QString &text)
{
    rtfViewer *v = viewer();
    v->setInsertionFontSize(14);
    v->insertText(u"\r\n"_s + heading);
    v->setInsertionFontSize(12);
    v->insertText(u"\r\n\r\n"_s);
    QVERIFY(v->insertJpegPicture(cardJpeg(card), QSize(81, 136)));
    v->insertText(u"\r\n\r\n"_s + text + u"\r\n"_s);
    v->showReport();
}

inline QByteArray rtf(const QByteArray &body, const QByteArray &codePage = "\\ansicpg1252")
{
    return "{\\rtf1\\ansi" + codePage + "\\deff0{\\fonttbl{\\f0 Arial;}}" + body + "}";
}

// A small JPEG whose header says it is 20000 x 20000 pixels.
inline QByteArray hugeJpeg()
{
    QByteArray jpeg = readFile(fixture(u"tiny.jpg"_s));
    const qsizetype sof = jpeg.indexOf("\xff\xc0");
    jpeg.replace(sof + 5, 4, QByteArray::fromHex("4e204e20"));
    return jpeg;
}

// N colours, each used by a letter of its own: "x" N times in one paragraph.
inline QByteArray manyColours(int n)
{
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;";
    QByteArray text;
    for (int i = 0; i < n; ++i) {
        out += "\\red" + QByteArray::number(i % 256) + "\\green" + QByteArray::number(i / 256) + "\\blue7;";
        text += "{\\cf" + QByteArray::number(i + 1) + " x}";
    }
    return out + "}\n" + text + "}";
}

inline QByteArray save(const QTextDocument &doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RtfWriter::write(doc, &buffer);
    return bytes;
}

// The document read from `rtf`. Without `result`, null when the reader refused it.
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
    return r.ok() || result ? std::move(doc) : nullptr;
}

// The paragraphs, those read as several blocks joined.
inline QStringList blocks(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (RtfReader::continuesParagraph(b) && !out.isEmpty())
            out.last() += b.text();
        else
            out << b.text();
    }
    return out;
}

// The runs of text of the document as the user sees them, "text|how it looks" (such as
// "Lectura|14pt b i u s Calibri #c00000"), neighbours that look alike joined, pictures left
// out, "\n" between paragraphs.
inline QStringList runs(const QTextDocument &doc)
{
    QStringList out;
    const auto add = [&out](const QString &text, const QString &looks) {
        if (!out.isEmpty() && out.last().section(u'|', 1) == looks)
            out.last().insert(out.last().lastIndexOf(u'|'), text);
        else
            out << text + u'|' + looks;
    };
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            add(u"\n"_s, QString());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat())
                continue;
            const QFont font = f.font().resolve(doc.defaultFont());
            QString looks = u"%1pt%2%3%4%5 "_s.arg(font.pointSizeF())
                                .arg(font.bold() ? " b" : "", font.italic() ? " i" : "",
                                     font.underline() ? " u" : "", font.strikeOut() ? " s" : "") +
                            font.families().value(0, font.family());
            if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
                looks += u' ' + f.foreground().color().name();
            add(it.fragment().text(), looks);
        }
    }
    return out;
}

// Whether the first run holding `text` looks like `want`: has each of its words among its
// looks ("14pt b Calibri").
inline bool looksLike(const QStringList &runs, const QString &text, const QString &want)
{
    for (const QString &run : runs) {
        if (!run.section(u'|', 0, -2).contains(text))
            continue;
        const QString has = u' ' + run.section(u'|', -1) + u' ';
        const QStringList words = want.split(u' ');
        return std::all_of(words.begin(), words.end(),
                           [&has](const QString &w) { return has.contains(u' ' + w + u' '); });
    }
    return false;
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
