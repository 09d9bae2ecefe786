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
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
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
    Run() = default;
    explicit Run(const QString &t) : text(t) {}

    QString text;
    qreal points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QString family;
    QColor color; // invalid: the automatic colour

    bool operator==(const Run &o) const
    {
        return text == o.text && qFuzzyCompare(points, o.points) && bold == o.bold && italic == o.italic &&
               underline == o.underline && strike == o.strike && family == o.family && color == o.color;
    }
};

inline Run runOf(const QTextDocument &doc, const QTextCharFormat &f, const QString &text)
{
    const QFont font = f.font().resolve(doc.defaultFont());
    Run r;
    r.text = text;
    r.points = font.pointSizeF();
    r.bold = font.bold();
    r.italic = font.italic();
    r.underline = font.underline();
    r.strike = font.strikeOut();
    r.family = font.families().value(0, font.family());
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        r.color = f.foreground().color();
    return r;
}

// The runs of the document, neighbours in the same format joined, pictures left out,
// one "\n" run between paragraphs.
inline QList<Run> runs(const QTextDocument &doc)
{
    QList<Run> out;
    auto add = [&out](const Run &r) {
        if (!out.isEmpty()) {
            Run last = out.last();
            last.text = r.text;
            if (last == r) {
                out.last().text += r.text;
                return;
            }
        }
        out << r;
    };
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            out << Run{QStringLiteral("\n")};
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            if (!fr.charFormat().isImageFormat())
                add(runOf(doc, fr.charFormat(), fr.text()));
        }
    }
    return out;
}

inline QList<QTextImageFormat> pictures(const QTextDocument &doc)
{
    QList<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            if (fr.charFormat().isImageFormat()) {
                for (qsizetype i = 0; i < fr.length(); ++i)
                    out << fr.charFormat().toImageFormat();
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
    return qstrdup(
        QStringLiteral("Run(%1, %2pt%3%4%5%6, %7, %8)")
            .arg(r.text.left(40))
            .arg(r.points)
            .arg(r.bold ? " b" : "", r.italic ? " i" : "", r.underline ? " u" : "", r.strike ? " s" : "")
            .arg(r.family, r.color.isValid() ? r.color.name() : QStringLiteral("auto"))
            .toUtf8()
            .constData());
}
} // namespace QTest
