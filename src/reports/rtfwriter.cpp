#include "rtfwriter.h"

#include "codepage.h"
#include "reportpicture.h"
#include "rtfreader.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QIODevice>
#include <QImageWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <cmath>
#include <vector>

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

} // namespace

namespace RtfWriter {

// What the file needs of the document, independent of it.
struct Snapshot
{
    struct Piece
    {
        enum class Kind : quint8 { Text, Encoded, Image, Foreign } kind = Kind::Text;
        RunStyle style;  // Text
        QString text;    // Text
        QByteArray data; // Encoded: the picture's bytes; Foreign: its {\pict} group
        bool jpeg = false;
        QImage image; // Image
        QSizeF shown; // Encoded, Image: the size in the report
        QString description; // pictures: the alternative text
    };
    struct Block
    {
        int twips[5] = {}; // \li \ri \fi \sb \sa
        const char *align = "";
        size_t begin = 0, end = 0; // its pieces
        RunStyle mark;             // the paragraph mark's format
        bool continues = false;    // it goes on in the paragraph of the block before
    };
    QStringList fonts;
    QList<QRgb> colors;
    std::vector<Block> blocks;
    std::vector<Piece> pieces;
};

} // namespace RtfWriter

namespace {

using RtfWriter::Snapshot;

// Reads the document on its own thread.
class Taker
{
public:
    explicit Taker(const QTextDocument &doc) : m_doc(doc), m_defaultFont(doc.defaultFont()) {}

    std::shared_ptr<const Snapshot> take()
    {
        auto s = std::make_shared<Snapshot>();
        m_s = s.get();
        fontIndex(familyOf(m_defaultFont));
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next())
            takeBlock(b);
        return s;
    }

private:
    static QString familyOf(const QFont &font)
    {
        const QStringList families = font.families();
        return families.isEmpty() ? font.family() : families.first();
    }

    // Hashed: a document may have tens of thousands of fonts and colours.
    int fontIndex(const QString &family)
    {
        const auto it = m_fontIndex.constFind(family);
        if (it != m_fontIndex.constEnd())
            return *it;
        m_s->fonts << family;
        return *m_fontIndex.insert(family, int(m_s->fonts.size()) - 1);
    }

    int colorIndex(const QTextCharFormat &f)
    {
        if (!f.hasProperty(QTextFormat::ForegroundBrush))
            return 0;
        const QBrush brush = f.foreground();
        if (brush.style() == Qt::NoBrush)
            return 0;
        const QRgb rgb = brush.color().rgb() & 0xFFFFFF;
        const auto it = m_colorIndex.constFind(rgb);
        if (it != m_colorIndex.constEnd())
            return *it;
        m_s->colors << rgb;
        return *m_colorIndex.insert(rgb, int(m_s->colors.size()));
    }

    RunStyle styleOf(const QTextCharFormat &f)
    {
        const QFont font = f.font().resolve(m_defaultFont);
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

    void takeBlock(const QTextBlock &block)
    {
        Snapshot::Block out;
        const QTextBlockFormat bf = block.blockFormat();
        const QTextFormat::Property margins[] = {QTextFormat::BlockLeftMargin, QTextFormat::BlockRightMargin,
                                                 QTextFormat::TextIndent, QTextFormat::BlockTopMargin,
                                                 QTextFormat::BlockBottomMargin};
        for (int i = 0; i < 5; ++i)
            out.twips[i] = toTwips(bf.doubleProperty(margins[i]));
        const Qt::Alignment a = bf.alignment();
        out.align = a & Qt::AlignHCenter                       ? "\\qc"
                    : a & Qt::AlignJustify                     ? "\\qj"
                    : a & (Qt::AlignRight | Qt::AlignTrailing) ? "\\qr"
                                                               : "";
        out.mark = styleOf(block.charFormat());
        // A paragraph read as several blocks is written as the one it was: with the
        // format of its first block and the space below of its last.
        out.continues = !m_s->blocks.empty() && RtfReader::continuesParagraph(block);
        if (out.continues) {
            m_s->blocks[m_head].twips[4] = out.twips[4];
        } else {
            m_head = m_s->blocks.size();
        }
        out.begin = m_s->pieces.size();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            if (!f.isImageFormat()) {
                Snapshot::Piece p;
                p.style = styleOf(f);
                p.text = fragment.text();
                m_s->pieces.push_back(std::move(p));
                continue;
            }
            // Equal pictures side by side share one fragment.
            Snapshot::Piece p = picture(f.toImageFormat());
            for (QChar c : fragment.text()) {
                if (c == QChar::ObjectReplacementCharacter &&
                    !(p.kind == Snapshot::Piece::Kind::Image && p.image.isNull()))
                    m_s->pieces.push_back(p);
            }
        }
        out.end = m_s->pieces.size();
        m_s->blocks.push_back(out);
    }

    Snapshot::Piece picture(const QTextImageFormat &f)
    {
        Snapshot::Piece p;
        p.description = ReportPicture::description(f);
        // A picture read from a file and never drawn here goes back as the reader kept it.
        p.data = ReportPicture::foreignRtf(f);
        if (!p.data.isEmpty()) {
            p.kind = Snapshot::Piece::Kind::Foreign;
            return p;
        }
        ReportPicture::Encoding enc = ReportPicture::Encoding::None;
        p.data = ReportPicture::encodedBytes(&m_doc, f, &enc);
        if (enc != ReportPicture::Encoding::None) {
            p.kind = Snapshot::Piece::Kind::Encoded;
            p.jpeg = enc == ReportPicture::Encoding::Jpeg;
        } else {
            // A picture whose data is missing shows as a blank in the editor too.
            p.kind = Snapshot::Piece::Kind::Image;
            p.image = ReportPicture::image(&m_doc, f);
        }
        p.shown = ReportPicture::displaySize(&m_doc, f);
        return p;
    }

    const QTextDocument &m_doc;
    const QFont m_defaultFont;
    Snapshot *m_s = nullptr;
    size_t m_head = 0; // the first block of the paragraph being taken
    QHash<QString, int> m_fontIndex;
    QHash<QRgb, int> m_colorIndex;
};

// Writes a snapshot, on any thread.
class Writer
{
public:
    Writer(const Snapshot &s, QIODevice *out, const std::atomic<bool> *stop)
        : m_s(s),
          m_out(out),
          m_stop(stop)
    {}

    RtfResult run()
    {
        if (!m_out || !m_out->isWritable())
            return RtfResult::failure(RtfResult::Error::Device,
                                      QStringLiteral("device not open for writing"));
        writeHeader();
        for (size_t i = 0; i < m_s.blocks.size() && m_ok && !stopped(); ++i) {
            const bool ends = i + 1 == m_s.blocks.size() || !m_s.blocks[i + 1].continues;
            writeBlock(m_s.blocks[i], ends, i + 1 == m_s.blocks.size());
        }
        put("}\n");
        flush();
        if (stopped())
            return RtfResult::failure(RtfResult::Error::Cancelled, QStringLiteral("stopped"));
        if (!m_ok)
            return RtfResult::failure(RtfResult::Error::Device, m_out->errorString());
        return {};
    }

private:
    bool stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

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
        if (!m_ok || m_buf.isEmpty() || stopped())
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

    void writeHeader()
    {
        put("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\deflang3082\n{\\fonttbl");
        for (int i = 0; i < m_s.fonts.size(); ++i) {
            put("{\\f");
            putInt(i);
            put("\\fnil\\fcharset0 ");
            putText(m_s.fonts.at(i), /*inTable=*/true);
            put(";}");
        }
        put("}\n");
        if (!m_s.colors.isEmpty()) {
            put("{\\colortbl;");
            for (QRgb c : m_s.colors) {
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

    // `ends`: the paragraph ends with the block; `last`: the document does.
    void writeBlock(const Snapshot::Block &block, bool ends, bool last)
    {
        if (!block.continues) {
            put("\\pard");
            static const char *const words[5] = {"\\li", "\\ri", "\\fi", "\\sb", "\\sa"};
            for (int i = 0; i < 5; ++i) {
                if (block.twips[i] != 0) {
                    put(words[i]);
                    putInt(block.twips[i]);
                }
            }
            put(block.align);
            put("\n");
        }

        for (size_t i = block.begin; i < block.end && m_ok; ++i) {
            const Snapshot::Piece &p = m_s.pieces[i];
            if (p.kind != Snapshot::Piece::Kind::Text) {
                writePicture(p);
                continue;
            }
            put("{");
            putStyle(p.style);
            put(" ");
            putText(p.text, false);
            put("}");
        }
        if (ends && !last) {
            // The paragraph mark carries the format of the block's own character
            // format, which gives an empty line its height.
            put("{");
            putStyle(block.mark);
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

    void writePicture(const Snapshot::Piece &p)
    {
        if (p.kind == Snapshot::Piece::Kind::Foreign) {
            // The group as it was read, "{\pict..." (its description kept apart).
            if (!p.data.startsWith("{\\pict")) {
                put(p.data);
                return;
            }
            put("{\\pict");
            putDescription(p.description);
            put(p.data.mid(6));
            return;
        }
        QByteArray bytes = p.data;
        bool jpeg = p.jpeg;
        QSize pixels;
        if (p.kind == Snapshot::Piece::Kind::Encoded) {
            pixels = ReportPicture::encodedSize(bytes);
        } else {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            if (!writer.write(p.image))
                return;
            jpeg = false;
            pixels = p.image.size();
        }
        const QSizeF shown = p.shown.isEmpty() ? QSizeF(pixels) : p.shown;

        put("{\\pict");
        putDescription(p.description);
        put("\\picscalex100\\picscaley100\\picw");
        putInt(pixels.width());
        put("\\pich");
        putInt(pixels.height());
        put("\\picwgoal");
        putInt(toTwips(shown.width()));
        put("\\pichgoal");
        putInt(toTwips(shown.height()));
        put(jpeg ? "\\jpegblip\n" : "\\pngblip\n");
        putHex(bytes);
        put("}");
    }

    // The alternative text as word processors keep it among a picture's properties.
    void putDescription(const QString &text)
    {
        if (text.isEmpty())
            return;
        put("{\\*\\picprop{\\sp{\\sn wzDescription}{\\sv ");
        putText(text, false);
        put("}}}");
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

    const Snapshot &m_s;
    QIODevice *m_out;
    const std::atomic<bool> *m_stop;
    QByteArray m_buf;
    bool m_ok = true;
};

} // namespace

namespace RtfWriter {

std::shared_ptr<const Snapshot> snapshot(const QTextDocument &doc)
{
    return Taker(doc).take();
}

RtfResult write(const Snapshot &s, QIODevice *out, const std::atomic<bool> *stop)
{
    return Writer(s, out, stop).run();
}

RtfResult write(const QTextDocument &doc, QIODevice *out)
{
    return write(*snapshot(doc), out);
}

} // namespace RtfWriter
