#include "rtfwriter.h"

#include "codepage.h"
#include "reportpicture.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QIODevice>
#include <QImageWriter>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace {

constexpr qsizetype kFlushAt = 1 << 20;
constexpr int kHexPerLine = 128;
constexpr int kTextLine = 200;

int toTwips(qreal px)
{
    return int(std::lround(px * 15.0));
}

struct RunStyle
{
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0; // index in the colour table, 0 for the automatic colour
};

class Writer
{
public:
    Writer(const QTextDocument &doc, QIODevice *out) : m_doc(doc), m_out(out) {}

    RtfResult run()
    {
        if (!m_out || !m_out->isWritable())
            return RtfResult::failure(RtfResult::Error::Device,
                                      QStringLiteral("device not open for writing"));
        m_defaultFont = m_doc.defaultFont();
        collectTables();
        writeHeader();
        for (QTextBlock b = m_doc.begin(); b.isValid() && m_ok; b = b.next())
            writeBlock(b, !b.next().isValid());
        put("}\n");
        flush();
        if (!m_ok)
            return RtfResult::failure(RtfResult::Error::Device, m_out->errorString());
        return {};
    }

private:
    // --- output ---------------------------------------------------------------

    void put(const char *s) { append(QByteArrayView(s)); }
    void put(const QByteArray &s) { append(QByteArrayView(s)); }
    void append(QByteArrayView s)
    {
        m_buf.append(s);
        if (m_buf.size() >= kFlushAt)
            flush();
    }
    void putInt(qint64 n) { put(QByteArray::number(n)); }
    void flush()
    {
        if (!m_ok || m_buf.isEmpty())
            return;
        qsizetype done = 0;
        while (done < m_buf.size()) {
            const qint64 n = m_out->write(m_buf.constData() + done, m_buf.size() - done);
            if (n <= 0) {
                m_ok = false;
                break;
            }
            done += n;
        }
        m_buf.clear();
    }

    // --- tables -----------------------------------------------------------------

    QFont resolvedFont(const QTextCharFormat &f) const { return f.font().resolve(m_defaultFont); }

    static QString familyOf(const QFont &font)
    {
        const QStringList families = font.families();
        return families.isEmpty() ? font.family() : families.first();
    }

    int fontIndex(const QString &family)
    {
        int i = m_fonts.indexOf(family);
        if (i < 0) {
            m_fonts << family;
            i = int(m_fonts.size()) - 1;
        }
        return i;
    }

    int colorIndex(const QTextCharFormat &f)
    {
        if (!f.hasProperty(QTextFormat::ForegroundBrush))
            return 0;
        const QBrush brush = f.foreground();
        if (brush.style() == Qt::NoBrush)
            return 0;
        const QRgb rgb = brush.color().rgb() & 0xFFFFFF;
        int i = m_colors.indexOf(rgb);
        if (i < 0) {
            m_colors << rgb;
            i = int(m_colors.size()) - 1;
        }
        return i + 1;
    }

    RunStyle styleOf(const QTextCharFormat &f)
    {
        const QFont font = resolvedFont(f);
        RunStyle s;
        s.font = fontIndex(familyOf(font));
        qreal points = font.pointSizeF();
        if (points <= 0 && font.pixelSize() > 0)
            points = font.pixelSize() * 0.75;
        if (points <= 0)
            points = 12;
        s.halfPoints = std::max(1, int(std::lround(points * 2)));
        s.bold = font.bold();
        s.italic = font.italic();
        s.underline = font.underline();
        s.strike = font.strikeOut();
        s.color = colorIndex(f);
        return s;
    }

    void collectTables()
    {
        fontIndex(familyOf(m_defaultFont));
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
            styleOf(b.charFormat());
            for (auto it = b.begin(); !it.atEnd(); ++it)
                styleOf(it.fragment().charFormat());
        }
    }

    void writeHeader()
    {
        put("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\deflang3082\n{\\fonttbl");
        for (int i = 0; i < m_fonts.size(); ++i) {
            put("{\\f");
            putInt(i);
            put("\\fnil\\fcharset0 ");
            putText(m_fonts.at(i), /*inTable=*/true);
            put(";}");
        }
        put("}\n");
        if (!m_colors.isEmpty()) {
            put("{\\colortbl;");
            for (QRgb c : std::as_const(m_colors)) {
                put("\\red");
                putInt(qRed(c));
                put("\\green");
                putInt(qGreen(c));
                put("\\blue");
                putInt(qBlue(c));
                put(";");
            }
            put("}\n");
        }
        put("{\\*\\generator Orbelle;}\n");
    }

    // --- content ----------------------------------------------------------------

    void putStyle(const RunStyle &s)
    {
        put("\\f");
        putInt(s.font);
        put("\\fs");
        putInt(s.halfPoints);
        if (s.bold)
            put("\\b");
        if (s.italic)
            put("\\i");
        if (s.underline)
            put("\\ul");
        if (s.strike)
            put("\\strike");
        if (s.color) {
            put("\\cf");
            putInt(s.color);
        }
    }

    void writeBlock(const QTextBlock &block, bool last)
    {
        const QTextBlockFormat bf = block.blockFormat();
        put("\\pard");
        const struct
        {
            const char *word;
            QTextFormat::Property property;
        } margins[] = {{"\\li", QTextFormat::BlockLeftMargin},
                       {"\\ri", QTextFormat::BlockRightMargin},
                       {"\\fi", QTextFormat::TextIndent},
                       {"\\sb", QTextFormat::BlockTopMargin},
                       {"\\sa", QTextFormat::BlockBottomMargin}};
        for (const auto &m : margins) {
            const int twips = toTwips(bf.doubleProperty(m.property));
            if (twips != 0) {
                put(m.word);
                putInt(twips);
            }
        }
        const Qt::Alignment a = bf.alignment();
        if (a & Qt::AlignHCenter)
            put("\\qc");
        else if (a & Qt::AlignJustify)
            put("\\qj");
        else if (a & (Qt::AlignRight | Qt::AlignTrailing))
            put("\\qr");
        put("\n");

        for (auto it = block.begin(); !it.atEnd() && m_ok; ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            if (f.isImageFormat()) {
                // Equal pictures side by side share one fragment.
                for (QChar c : fragment.text()) {
                    if (c == QChar::ObjectReplacementCharacter)
                        writePicture(f.toImageFormat());
                }
                continue;
            }
            put("{");
            putStyle(styleOf(f));
            put(" ");
            putText(fragment.text(), false);
            put("}");
        }
        if (!last) {
            // The paragraph mark carries the format of the block's own character
            // format, which gives an empty line its height.
            put("{");
            putStyle(styleOf(block.charFormat()));
            put("\\par}\n");
        }
    }

    void putText(const QString &text, bool inTable)
    {
        QByteArray out;
        out.reserve(text.size() + 16);
        int line = 0;
        for (QChar qc : text) {
            const char16_t c = qc.unicode();
            const qsizetype before = out.size();
            switch (c) {
            case u'\\':
                out += "\\\\";
                break;
            case u'{':
                out += "\\{";
                break;
            case u'}':
                out += "\\}";
                break;
            case u'\t':
                out += "\\tab ";
                break;
            case 0x2028: // line break inside a paragraph (Shift+Enter)
                out += "\\line ";
                break;
            case 0x00A0:
                out += "\\~";
                break;
            case 0x00AD:
                out += "\\-";
                break;
            case 0xFFFC: // an object marker without a picture behind it
                break;
            default:
                if (c < 0x20)
                    break;
                if (c < 0x80 && !(inTable && c == u';')) {
                    out += char(c);
                    break;
                }
                out += "\\u";
                out += QByteArray::number(c > 0x7FFF ? int(c) - 0x10000 : int(c));
                if (const unsigned char b = Cp1252::fromUnicode(c)) {
                    static const char hex[] = "0123456789abcdef";
                    out += "\\'";
                    out += hex[b >> 4];
                    out += hex[b & 15];
                } else {
                    out += '?';
                }
            }
            line += int(out.size() - before);
            if (line >= kTextLine && c == u' ') {
                // Readers ignore line ends in text; they keep the file readable.
                out += '\n';
                line = 0;
            }
        }
        put(out);
    }

    void writePicture(const QTextImageFormat &f)
    {
        // A picture read from a file and never drawn here goes back as it came.
        const QByteArray foreign = ReportPicture::foreignRtf(f);
        if (!foreign.isEmpty()) {
            put(foreign);
            return;
        }
        ReportPicture::Encoding enc = ReportPicture::Encoding::None;
        QByteArray bytes = ReportPicture::encodedBytes(&m_doc, f, &enc);
        QSize pixels;
        if (enc != ReportPicture::Encoding::None) {
            pixels = ReportPicture::encodedSize(bytes);
        } else {
            const QImage img = ReportPicture::image(&m_doc, f);
            if (img.isNull())
                return; // a picture whose data is missing shows as a blank in the editor too
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            if (!writer.write(img))
                return;
            enc = ReportPicture::Encoding::Png;
            pixels = img.size();
        }
        QSizeF shown = ReportPicture::displaySize(&m_doc, f);
        if (shown.isEmpty())
            shown = QSizeF(pixels);

        put("{\\pict\\picscalex100\\picscaley100\\picw");
        putInt(pixels.width());
        put("\\pich");
        putInt(pixels.height());
        put("\\picwgoal");
        putInt(toTwips(shown.width()));
        put("\\pichgoal");
        putInt(toTwips(shown.height()));
        put(enc == ReportPicture::Encoding::Jpeg ? "\\jpegblip\n" : "\\pngblip\n");
        putHex(bytes);
        put("}");
    }

    void putHex(const QByteArray &bytes)
    {
        static const char hex[] = "0123456789abcdef";
        flush();
        const qsizetype n = bytes.size();
        const qsizetype lines = (2 * n + kHexPerLine - 1) / kHexPerLine;
        QByteArray out(2 * n + lines, Qt::Uninitialized);
        char *d = out.data();
        const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
        int col = 0;
        for (qsizetype i = 0; i < n; ++i) {
            *d++ = hex[s[i] >> 4];
            *d++ = hex[s[i] & 15];
            col += 2;
            if (col == kHexPerLine || i + 1 == n) {
                *d++ = '\n';
                col = 0;
            }
        }
        out.truncate(d - out.constData());
        put(out);
    }

    const QTextDocument &m_doc;
    QIODevice *m_out;
    QFont m_defaultFont;
    QStringList m_fonts;
    QList<QRgb> m_colors;
    QByteArray m_buf;
    bool m_ok = true;
};

} // namespace

namespace RtfWriter {

RtfResult write(const QTextDocument &doc, QIODevice *out)
{
    return Writer(doc, out).run();
}

} // namespace RtfWriter
