#include "rtfreader.h"

#include "codepage.h"
#include "reportpicture.h"

#include <QColor>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// Indents and spacing beyond the width of any paper are typing errors or garbage.
constexpr int kMaxTwips = 31680; // 22 inches
constexpr int kMaxPictureTwips = 150000;
constexpr int kMaxFontName = 256;
// A picture's description (its alternative text) and the name of a shape property.
constexpr int kMaxDescription = 4096;
// Text in fonts beyond this many is shown (and saved) in the document's default font.
// Qt tells the families of a document's formats apart only by comparing them (it hashes
// a family list by its type alone), and looks each family up among the system's fonts
// when it lays the text out: a file naming tens of thousands took minutes to open.
// Documents use a handful.
constexpr qsizetype kMaxFamilies = 64;
constexpr qsizetype kTextChunk = 1 << 16;
// A paragraph longer than this goes into the document as several blocks, the next one
// beginning after the first space past this length (or at twice the length where there
// is none), each after the first marked as its continuation (see continuesParagraph).
// Qt lays out and shapes a block whole, on every change and on every paint of any part
// of it: a file of one paragraph of some megabytes froze the editor for seconds at a
// time.
constexpr qsizetype kBlockSplit = 8192;

// The block format property that marks a block continuing the paragraph of the block
// before it (see continuesParagraph).
constexpr int kContinues = QTextFormat::UserProperty + 0x0c0;
constexpr qsizetype kProgressStep = 1 << 16;

enum class Dest : quint8 {
    Text, // the document's own text
    Skip, // a destination whose content is not shown
    FontTable,
    ColorTable,
    Picture,
    Upr, // \upr: an ANSI text with its Unicode twin in a nested \*\ud
    // A picture's \*\picprop, one of its \sp properties, and that property's \sn name and
    // \sv value: the description word processors give a picture is one of them.
    PicProp,
    ShapeProp,
    ShapeName,
    ShapeValue,
};

enum class Align : quint8 { Left, Center, Right, Justify };

struct CharState
{
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;

    bool operator==(const CharState &) const = default;
};

struct ParaState
{
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    Align align = Align::Left;
};

struct State
{
    CharState ch;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1; // fallback characters after \uN
};

enum class Word {
    Unknown,
    // destinations
    Rtf,
    FontTable,
    ColorTable,
    SkipDest,
    Pict,
    ShpPict,
    PicProp,
    ShapeProp,
    ShapeName,
    ShapeValue,
    Upr,
    Ud,
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    FontSize,
    Font,
    Color,
    // paragraph formatting
    Pard,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    // characters and breaks
    Par,
    Line,
    Tab,
    Cell,
    Char,
    Unicode,
    UnicodeSkip,
    Bin,
    // document
    AnsiCodePage,
    DefaultFont,
    FontCharset,
    Red,
    Green,
    Blue,
    // pictures
    JpegBlip,
    PngBlip,
    Metafile, // sizes in hundredths of a millimetre
    OtherBlip,
    BitmapWord, // \wbmbitspixel, \wbmplanes, \wbmwidthbytes: how a \wbitmap's bytes are laid out
    PicW,
    PicH,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
};

struct WordInfo
{
    Word word;
    char16_t ch = 0; // for Word::Char
};

const std::unordered_map<std::string_view, WordInfo> &words()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        t["rtf"] = {Word::Rtf};
        t["fonttbl"] = {Word::FontTable};
        t["colortbl"] = {Word::ColorTable};
        // Destinations a word processor writes whose content is not document text.
        for (const char *d : {"stylesheet",
                              "info",
                              "header",
                              "headerl",
                              "headerr",
                              "headerf",
                              "footer",
                              "footerl",
                              "footerr",
                              "footerf",
                              "footnote",
                              "annotation",
                              "atnid",
                              "atnauthor",
                              "atndate",
                              "atnref",
                              "fldinst",
                              "nonshppict",
                              "themedata",
                              "colorschememapping",
                              "datastore",
                              "latentstyles",
                              "listtable",
                              "listoverridetable",
                              "revtbl",
                              "rsidtbl",
                              "pgdsctbl",
                              "xmlnstbl",
                              "generator",
                              "template",
                              "private",
                              "bkmkstart",
                              "bkmkend",
                              "txe",
                              "xe",
                              "tc",
                              "pntxta",
                              "pntxtb",
                              "userprops",
                              "docvar",
                              "filetbl",
                              "objdata",
                              "objclass",
                              "objname",
                              "objalias",
                              "objsect",
                              "objtime",
                              "shpinst",
                              "mmathPr",
                              "passwordhash",
                              "wgrffmtfilter",
                              "fchars",
                              "lchars",
                              "keywords",
                              "title",
                              "subject",
                              "author",
                              "operator",
                              "comment",
                              "doccomm",
                              "company",
                              "manager",
                              "category",
                              "hlinkbase",
                              "falt",
                              "panose",
                              "fname",
                              "fontemb",
                              "fontfile",
                              "pn",
                              "listpicture",
                              "blipuid"})
            t[d] = {Word::SkipDest};
        t["pict"] = {Word::Pict};
        t["shppict"] = {Word::ShpPict};
        t["picprop"] = {Word::PicProp};
        t["sp"] = {Word::ShapeProp};
        t["sn"] = {Word::ShapeName};
        t["sv"] = {Word::ShapeValue};
        t["upr"] = {Word::Upr};
        t["ud"] = {Word::Ud};

        t["plain"] = {Word::Plain};
        t["b"] = {Word::Bold};
        t["i"] = {Word::Italic};
        for (const char *u :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulth", "ulw", "ulwave", "ulhwave",
              "ululdbwave", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulldash", "ulthldash"})
            t[u] = {Word::Underline};
        t["ulnone"] = {Word::UnderlineNone};
        t["strike"] = {Word::Strike};
        t["striked"] = {Word::Strike};
        t["v"] = {Word::Hidden};
        t["fs"] = {Word::FontSize};
        t["f"] = {Word::Font};
        t["cf"] = {Word::Color};

        t["pard"] = {Word::Pard};
        t["li"] = {Word::LeftIndent};
        t["lin"] = {Word::LeftIndent};
        t["ri"] = {Word::RightIndent};
        t["rin"] = {Word::RightIndent};
        t["fi"] = {Word::FirstIndent};
        t["sb"] = {Word::SpaceBefore};
        t["sa"] = {Word::SpaceAfter};
        t["ql"] = {Word::AlignLeft};
        t["qc"] = {Word::AlignCenter};
        t["qr"] = {Word::AlignRight};
        t["qj"] = {Word::AlignJustify};

        t["par"] = {Word::Par};
        t["sect"] = {Word::Par};
        t["row"] = {Word::Par};
        t["line"] = {Word::Line};
        t["tab"] = {Word::Tab};
        t["cell"] = {Word::Cell};
        t["nestcell"] = {Word::Cell};
        t["emdash"] = {Word::Char, 0x2014};
        t["endash"] = {Word::Char, 0x2013};
        t["emspace"] = {Word::Char, 0x2003};
        t["enspace"] = {Word::Char, 0x2002};
        t["qmspace"] = {Word::Char, 0x2005};
        t["bullet"] = {Word::Char, 0x2022};
        t["lquote"] = {Word::Char, 0x2018};
        t["rquote"] = {Word::Char, 0x2019};
        t["ldblquote"] = {Word::Char, 0x201C};
        t["rdblquote"] = {Word::Char, 0x201D};
        t["zwj"] = {Word::Char, 0x200D};
        t["zwnj"] = {Word::Char, 0x200C};
        t["ltrmark"] = {Word::Char, 0x200E};
        t["rtlmark"] = {Word::Char, 0x200F};
        t["u"] = {Word::Unicode};
        t["uc"] = {Word::UnicodeSkip};
        t["bin"] = {Word::Bin};

        t["ansicpg"] = {Word::AnsiCodePage};
        t["deff"] = {Word::DefaultFont};
        t["fcharset"] = {Word::FontCharset};
        t["red"] = {Word::Red};
        t["green"] = {Word::Green};
        t["blue"] = {Word::Blue};

        t["jpegblip"] = {Word::JpegBlip};
        t["pngblip"] = {Word::PngBlip};
        for (const char *b : {"emfblip", "wmetafile", "pmmetafile"})
            t[b] = {Word::Metafile};
        for (const char *b : {"macpict", "dibitmap", "wbitmap"})
            t[b] = {Word::OtherBlip};
        for (const char *b : {"wbmbitspixel", "wbmplanes", "wbmwidthbytes"})
            t[b] = {Word::BitmapWord};
        t["picw"] = {Word::PicW};
        t["pich"] = {Word::PicH};
        t["picwgoal"] = {Word::PicWGoal};
        t["pichgoal"] = {Word::PicHGoal};
        t["picscalex"] = {Word::PicScaleX};
        t["picscaley"] = {Word::PicScaleY};
        return t;
    }();
    return table;
}

struct Picture
{
    enum class Kind { None, Jpeg, Png, Metafile, Other } kind = Kind::None;
    QByteArray data;
    int nibble = -1;
    int picW = 0, picH = 0;
    int goalW = 0, goalH = 0;
    int scaleX = 100, scaleY = 100;
    CharState ch;
    // For a picture kept as a placeholder: the words that say what its bytes are, as
    // the file had them (\wmetafile8, \dibitmap0\wbmbitspixel24...).
    QByteArray format;
    QString description; // its alternative text

};

struct ColorEntry
{
    int r = 0, g = 0, b = 0;
    bool set = false;
};

int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class Parser
{
public:
    Parser(const QByteArray &data, QTextDocument *doc, const RtfReader::Limits &limits,
           const RtfReader::Progress &progress)
        : m_p(data.constData()),
          m_begin(data.constData()),
          m_end(data.constData() + data.size()),
          m_doc(doc),
          m_limits(limits),
          m_progress(progress)
    {}

    RtfResult run()
    {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\r' || *m_p == '\n'))
            ++m_p;
        if (m_end - m_p < 5 || std::string_view(m_p, 5) != "{\\rtf")
            return RtfResult::failure(RtfResult::Error::NotRtf, QStringLiteral("no {\\rtf at the start"));

        const bool undo = m_doc->isUndoRedoEnabled();
        m_doc->setUndoRedoEnabled(false);
        m_doc->clear();
        m_cursor = QTextCursor(m_doc);
        // One edit block for the whole file. Outside of one, every insertion makes the
        // cursor lay out its paragraph again to find its x position, so a long paragraph
        // took time growing with the square of its length.
        m_cursor.beginEditBlock();
        parse();
        if (m_result.ok())
            finish();
        m_cursor.endEditBlock();
        m_doc->setUndoRedoEnabled(undo);
        return m_result;
    }

private:
    // --- scanning ---------------------------------------------------------------

    void parse()
    {
        const char *nextReport = m_p;
        while (m_p < m_end && m_result.ok() && !m_closed) {
            if (m_p >= nextReport && m_progress) {
                if (!m_progress(m_p - m_begin, m_end - m_begin)) {
                    fail(RtfResult::Error::Cancelled, QStringLiteral("cancelled"));
                    break;
                }
                nextReport = m_p + kProgressStep;
            }
            if (m_st.dest == Dest::Picture && m_pict && hexValue(uchar(*m_p)) >= 0) {
                pictureHex();
                continue;
            }
            const char c = *m_p++;
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
                break;
            case '\t':
                character(u'\t');
                break;
            default:
                if (uchar(c) >= 0x20)
                    byte(uchar(c));
            }
        }
    }

    void openGroup()
    {
        m_skip = 0;
        m_star = false;
        if (int(m_stack.size()) >= m_limits.maxDepth) {
            fail(RtfResult::Error::TooDeep,
                 QStringLiteral("groups nested deeper than %1").arg(m_limits.maxDepth));
            return;
        }
        m_stack.push_back(m_st);
        // Inside a picture only its bytes and sizes count: a field, an object, a link
        // or anything else nested in it is not shown, so it is not kept either.
        if (m_st.dest == Dest::Picture)
            m_st.dest = Dest::Skip;
    }

    void closeGroup()
    {
        m_skip = 0;
        m_star = false;
        if (m_st.dest == Dest::FontTable)
            commitFont();
        if (m_stack.empty()) {
            m_closed = true;
            return;
        }
        const Dest leaving = m_st.dest;
        m_st = m_stack.back();
        m_stack.pop_back();
        if (leaving == Dest::Picture && m_st.dest != Dest::Picture)
            finishPicture();
        else if (leaving == Dest::ShapeProp && m_st.dest != Dest::ShapeProp && m_pict &&
                 m_shapeName == QLatin1String("wzDescription"))
            m_pict->description = m_shapeValue;
        // The document group itself has closed: what follows is not part of it.
        if (m_stack.empty())
            m_closed = true;
    }

    void control()
    {
        if (m_p >= m_end)
            return;
        if (!isLetter(uchar(*m_p))) {
            symbol(*m_p++);
            return;
        }
        const char *start = m_p;
        while (m_p < m_end && isLetter(uchar(*m_p)))
            ++m_p;
        const std::string_view name(start, size_t(m_p - start));
        bool hasParam = false;
        bool negative = false;
        qint64 value = 0;
        if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])) {
            negative = true;
            ++m_p;
        }
        while (m_p < m_end && isDigit(*m_p)) {
            hasParam = true;
            if (value < (qint64(1) << 32))
                value = value * 10 + (*m_p - '0');
            ++m_p;
        }
        if (m_p < m_end && *m_p == ' ')
            ++m_p;
        value = std::min<qint64>(value, std::numeric_limits<int>::max());
        const int param = int(negative ? -value : value);
        word(name, hasParam, param);
    }

    void symbol(char c)
    {
        if (c == '\'') {
            int hi = m_p < m_end ? hexValue(uchar(*m_p)) : -1;
            if (hi < 0)
                return;
            ++m_p;
            int lo = m_p < m_end ? hexValue(uchar(*m_p)) : -1;
            if (lo < 0)
                return;
            ++m_p;
            if (consumeSkip())
                return;
            m_star = false;
            character(decode(uchar(hi << 4 | lo)));
            return;
        }
        if (c == '*') {
            m_star = true;
            return;
        }
        if (consumeSkip())
            return;
        m_star = false;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(char16_t(c));
            break;
        case '~':
            character(0x00A0);
            break;
        case '-':
            character(0x00AD);
            break;
        case '_':
            character(0x2011);
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default:
            break;
        }
    }

    // After \uN the next \uc characters are the fallback for readers without Unicode.
    bool consumeSkip()
    {
        if (m_skip <= 0)
            return false;
        --m_skip;
        return true;
    }

    void word(std::string_view name, bool hasParam, int param)
    {
        const bool star = m_star;
        m_star = false;
        const auto it = words().find(name);
        const WordInfo info = it == words().end() ? WordInfo{Word::Unknown} : it->second;

        if (info.word == Word::Bin) {
            binary(hasParam ? param : 0);
            return;
        }
        if (consumeSkip())
            return;
        const bool on = !hasParam || param != 0;

        switch (info.word) {
        case Word::Unknown:
            if (star)
                m_st.dest = Dest::Skip;
            break;
        case Word::Rtf:
        case Word::Bin:
            break;
        case Word::FontTable:
            m_st.dest = Dest::FontTable;
            break;
        case Word::ColorTable:
            m_st.dest = Dest::ColorTable;
            m_color = {};
            break;
        case Word::SkipDest:
            m_st.dest = Dest::Skip;
            break;
        case Word::Pict:
            if (m_st.dest == Dest::Text && !m_pict) {
                flushText();
                m_pict = std::make_unique<Picture>();
                m_pict->ch = m_st.ch;
                m_st.dest = Dest::Picture;
            } else {
                m_st.dest = Dest::Skip;
            }
            break;
        case Word::ShpPict:
            break; // its \pict is the picture to take
        // A picture's properties: only the description is kept; elsewhere they are skipped.
        case Word::PicProp:
            m_st.dest = m_st.dest == Dest::Skip && m_pict && !m_stack.empty() &&
                                m_stack.back().dest == Dest::Picture
                            ? Dest::PicProp
                            : Dest::Skip;
            break;
        case Word::ShapeProp:
            m_st.dest = m_st.dest == Dest::PicProp ? Dest::ShapeProp : Dest::Skip;
            m_shapeName.clear();
            m_shapeValue.clear();
            break;
        case Word::ShapeName:
        case Word::ShapeValue:
            m_st.dest = m_st.dest != Dest::ShapeProp        ? Dest::Skip
                        : info.word == Word::ShapeName ? Dest::ShapeName
                                                       : Dest::ShapeValue;
            break;
        case Word::Upr:
            if (m_st.dest == Dest::Text)
                m_st.dest = Dest::Upr;
            break;
        case Word::Ud:
            if (m_st.dest == Dest::Upr)
                m_st.dest = Dest::Text;
            break;

        case Word::Plain:
            m_st.ch = CharState();
            m_st.ch.font = m_defaultFont;
            break;
        case Word::Bold:
            m_st.ch.bold = on;
            break;
        case Word::Italic:
            m_st.ch.italic = on;
            break;
        case Word::Underline:
            m_st.ch.underline = on;
            break;
        case Word::UnderlineNone:
            m_st.ch.underline = false;
            break;
        case Word::Strike:
            m_st.ch.strike = on;
            break;
        case Word::Hidden:
            m_st.ch.hidden = on;
            break;
        case Word::FontSize:
            if (hasParam && param > 0)
                m_st.ch.halfPoints = std::clamp(param, 2, 3276);
            break;
        case Word::Font:
            if (m_st.dest == Dest::FontTable) {
                commitFont();
                m_fontId = param;
            } else {
                m_st.ch.font = param;
            }
            break;
        case Word::Color:
            m_st.ch.color = param;
            break;

        case Word::Pard:
            m_st.para = ParaState();
            break;
        case Word::LeftIndent:
            m_st.para.left = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Word::RightIndent:
            m_st.para.right = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Word::FirstIndent:
            m_st.para.first = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Word::SpaceBefore:
            m_st.para.before = std::clamp(param, 0, kMaxTwips);
            break;
        case Word::SpaceAfter:
            m_st.para.after = std::clamp(param, 0, kMaxTwips);
            break;
        case Word::AlignLeft:
            m_st.para.align = Align::Left;
            break;
        case Word::AlignCenter:
            m_st.para.align = Align::Center;
            break;
        case Word::AlignRight:
            m_st.para.align = Align::Right;
            break;
        case Word::AlignJustify:
            m_st.para.align = Align::Justify;
            break;

        case Word::Par:
            paragraph();
            break;
        case Word::Line:
            character(QChar::LineSeparator);
            break;
        case Word::Tab:
        case Word::Cell:
            character(u'\t');
            break;
        case Word::Char:
            character(info.ch);
            break;
        case Word::Unicode:
            // A signed 16-bit number; anything beyond that is no UTF-16 unit at all.
            if (param < -0x8000 || param > 0xFFFF)
                character(QChar::ReplacementCharacter);
            else
                character(char16_t(param < 0 ? param + 0x10000 : param));
            m_skip = m_st.uc;
            break;
        case Word::UnicodeSkip:
            m_st.uc = std::clamp(param, 0, 1000);
            break;

        case Word::AnsiCodePage:
            // A code page this reader does not know leaves 1252, the likeliest guess
            // for the files this program meets.
            if (const CodePage::Table *t = CodePage::table(param))
                m_codePage = t;
            break;
        case Word::DefaultFont:
            m_defaultFont = param;
            if (m_st.ch.font < 0)
                m_st.ch.font = param;
            break;
        case Word::FontCharset:
            if (m_st.dest == Dest::FontTable)
                m_fontCodePage = CodePage::table(CodePage::forCharset(param));
            break;
        case Word::Red:
            m_color.r = std::clamp(param, 0, 255);
            m_color.set = true;
            break;
        case Word::Green:
            m_color.g = std::clamp(param, 0, 255);
            m_color.set = true;
            break;
        case Word::Blue:
            m_color.b = std::clamp(param, 0, 255);
            m_color.set = true;
            break;

        case Word::JpegBlip:
        case Word::PngBlip:
        case Word::Metafile:
        case Word::OtherBlip:
            if (m_st.dest == Dest::Picture && m_pict) {
                m_pict->kind = info.word == Word::JpegBlip   ? Picture::Kind::Jpeg
                               : info.word == Word::PngBlip  ? Picture::Kind::Png
                               : info.word == Word::Metafile ? Picture::Kind::Metafile
                                                             : Picture::Kind::Other;
                m_pict->format = controlWord(name, hasParam, param);
            }
            break;
        case Word::BitmapWord:
            if (m_st.dest == Dest::Picture && m_pict)
                m_pict->format += controlWord(name, hasParam, param);
            break;
        // A JPEG's or PNG's own header says more; for the pictures shown as placeholders
        // they are the only size there is when the goal is missing.
        case Word::PicW:
            if (m_pict)
                m_pict->picW = std::clamp(param, 0, kMaxPictureTwips);
            break;
        case Word::PicH:
            if (m_pict)
                m_pict->picH = std::clamp(param, 0, kMaxPictureTwips);
            break;
        case Word::PicWGoal:
            if (m_pict)
                m_pict->goalW = std::clamp(param, 0, kMaxPictureTwips);
            break;
        case Word::PicHGoal:
            if (m_pict)
                m_pict->goalH = std::clamp(param, 0, kMaxPictureTwips);
            break;
        case Word::PicScaleX:
            if (m_pict)
                m_pict->scaleX = std::clamp(param, 1, 1000);
            break;
        case Word::PicScaleY:
            if (m_pict)
                m_pict->scaleY = std::clamp(param, 1, 1000);
            break;
        }
    }

    static QByteArray controlWord(std::string_view name, bool hasParam, int param)
    {
        QByteArray w = "\\" + QByteArray(name.data(), qsizetype(name.size()));
        if (hasParam)
            w += QByteArray::number(param);
        return w;
    }

    void binary(int count)
    {
        const qsizetype n = std::min<qsizetype>(std::max(count, 0), m_end - m_p);
        if (m_st.dest == Dest::Picture && m_pict)
            m_pict->data.append(m_p, n);
        m_p += n;
    }

    void pictureHex()
    {
        const char *q = m_p;
        while (q < m_end && (hexValue(uchar(*q)) >= 0 || *q == '\n' || *q == '\r' || *q == ' '))
            ++q;
        QByteArray &data = m_pict->data;
        const qsizetype old = data.size();
        data.resize(old + (q - m_p) / 2 + 1);
        char *d = data.data() + old;
        int nibble = m_pict->nibble;
        for (const char *s = m_p; s < q; ++s) {
            const int v = hexValue(uchar(*s));
            if (v < 0)
                continue;
            if (nibble < 0) {
                nibble = v;
            } else {
                *d++ = char(nibble << 4 | v);
                nibble = -1;
            }
        }
        m_pict->nibble = nibble;
        data.truncate(d - data.constData());
        m_p = q;
    }

    // --- content ----------------------------------------------------------------

    void byte(unsigned char c)
    {
        if (consumeSkip())
            return;
        m_star = false;
        character(decode(c));
    }

    // A byte of text in the code page of the current font, or of the document.
    char16_t decode(unsigned char c) const
    {
        if (c < 0x80)
            return c;
        if (!m_fontCodePages.isEmpty()) {
            const int font = m_st.ch.font >= 0 ? m_st.ch.font : m_defaultFont;
            const auto it = m_fontCodePages.constFind(font);
            if (it != m_fontCodePages.constEnd())
                return (*it)->toUnicode(c);
        }
        return m_codePage->toUnicode(c);
    }

    void character(char16_t c)
    {
        switch (m_st.dest) {
        case Dest::Text:
            break;
        case Dest::FontTable:
            if (c == u';')
                commitFont();
            else if (m_fontName.size() < kMaxFontName)
                m_fontName.append(QChar(c));
            return;
        case Dest::ColorTable:
            if (c == u';') {
                m_colors.push_back(m_color);
                m_color = {};
            }
            return;
        case Dest::ShapeName:
        case Dest::ShapeValue: {
            QString &into = m_st.dest == Dest::ShapeName ? m_shapeName : m_shapeValue;
            if (into.size() < kMaxDescription && c >= 0x20 && c != 0xFFFC)
                into.append(QChar(c));
            return;
        }
        default:
            return;
        }
        if (m_st.ch.hidden)
            return;
        // Characters that would make the document insert blocks or frames of its own,
        // or that no text should hold.
        if (c < 0x20 && c != u'\t')
            return;
        if (c == 0x2029)
            c = QChar::LineSeparator;
        else if (c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFE || c == 0xFFFF)
            c = 0xFFFD;

        if (!m_text.isEmpty() && !(m_textStyle == m_st.ch))
            flushText();
        if (m_text.isEmpty())
            m_textStyle = m_st.ch;
        m_text.append(QChar(c));
        m_blockUsed = true;
        m_lastPara = m_st.para;
        if (m_text.size() >= kTextChunk && !QChar::isHighSurrogate(c))
            flushText();
    }

    void paragraph()
    {
        if (m_st.dest != Dest::Text)
            return;
        flushText();
        if (!countItem())
            return;
        formatParagraph(blockFormat(m_st.para));
        m_cursor.setBlockCharFormat(charFormat(m_st.ch));
        m_cursor.insertBlock(RtfReader::beginsParagraph(m_cursor.blockFormat()));
        m_blockUsed = false;
        m_splitDue = false;
    }

    // Gives the paragraph that ends at the cursor its format. Of a paragraph read as
    // several blocks the first keeps the first line's indent and the space above, the
    // last the space below, so that it looks as one.
    void formatParagraph(const QTextBlockFormat &f)
    {
        QTextBlock b = m_cursor.block();
        if (!RtfReader::continuesParagraph(b)) {
            m_cursor.setBlockFormat(f);
            return;
        }
        QTextBlockFormat last = f;
        last.setTextIndent(0);
        last.setTopMargin(0);
        last.setProperty(kContinues, true);
        QTextBlockFormat middle = last;
        middle.setBottomMargin(0);
        QTextBlockFormat first = f;
        first.setBottomMargin(0);
        m_cursor.setBlockFormat(last);
        for (b = b.previous(); b.isValid(); b = b.previous()) {
            const bool continues = RtfReader::continuesParagraph(b);
            QTextCursor(b).setBlockFormat(continues ? middle : first);
            if (!continues)
                break;
        }
    }

    // Ends the block at the cursor and begins the next part of its paragraph.
    void continueParagraph()
    {
        m_splitDue = false;
        if (!countItem())
            return;
        QTextBlockFormat f = m_cursor.blockFormat();
        f.setProperty(kContinues, true);
        m_cursor.insertBlock(f);
    }

    // Inserts text of one format, ending the block where the paragraph has grown long
    // (see kBlockSplit). Where it ends depends only on the paragraph's characters, so
    // that a file written from the document reads into the same blocks.
    void insertSplitting(const QString &text, const QTextCharFormat &format)
    {
        qsizetype length = m_cursor.positionInBlock();
        qsizetype from = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (m_splitDue) {
                if (i > from)
                    m_cursor.insertText(text.mid(from, i - from), format);
                from = i;
                continueParagraph();
                length = 0;
            }
            const QChar c = text.at(i);
            ++length;
            if ((length >= kBlockSplit && c == u' ') || (length >= 2 * kBlockSplit && !c.isHighSurrogate()))
                m_splitDue = true;
        }
        if (from < text.size())
            m_cursor.insertText(from == 0 ? text : text.mid(from), format);
    }

    // Before a picture: the block ends first where it is due to.
    void beforePicture()
    {
        if (m_splitDue)
            continueParagraph();
    }

    // After a picture: a block of pictures alone ends as a long text would.
    void afterPicture()
    {
        if (m_cursor.positionInBlock() >= 2 * kBlockSplit)
            m_splitDue = true;
    }

    void flushText()
    {
        if (m_text.isEmpty())
            return;
        // A surrogate without its partner is not a character.
        for (qsizetype i = 0; i < m_text.size(); ++i) {
            const QChar c = m_text.at(i);
            if (c.isHighSurrogate() && i + 1 < m_text.size() && m_text.at(i + 1).isLowSurrogate())
                ++i;
            else if (c.isSurrogate())
                m_text[i] = QChar::ReplacementCharacter;
        }
        m_chars += m_text.size();
        if (m_chars > m_limits.maxChars) {
            fail(RtfResult::Error::TooLarge,
                 QStringLiteral("more than %1 characters of text").arg(m_limits.maxChars));
            return;
        }
        if (!countItem())
            return;
        insertSplitting(m_text, charFormat(m_textStyle));
        m_text.clear();
    }

    // `closed`: the picture's group has ended; false for a file cut off inside it.
    void finishPicture(bool closed = true)
    {
        std::unique_ptr<Picture> pict = std::move(m_pict);
        if (!pict)
            return;
        if (pict->kind == Picture::Kind::Metafile || pict->kind == Picture::Kind::Other) {
            // Cut off by the end of the file, its bytes are not the whole picture.
            if (closed)
                foreignPicture(*pict);
            return;
        }
        if (pict->kind != Picture::Kind::Jpeg && pict->kind != Picture::Kind::Png)
            return;
        // Trust the signature over the control word: some writers label one as the other.
        if (ReportPicture::encodingOf(pict->data) == ReportPicture::Encoding::None)
            return;
        const QSize pixels = ReportPicture::encodedSize(pict->data);
        if (!pixels.isValid())
            return;
        QSizeF shown(pixels);
        if (pict->goalW > 0 && pict->goalH > 0)
            shown = QSizeF(pict->goalW / 15.0, pict->goalH / 15.0);
        shown = QSizeF(shown.width() * pict->scaleX / 100.0, shown.height() * pict->scaleY / 100.0);
        shown = shown.boundedTo(QSizeF(kMaxPictureTwips / 15.0, kMaxPictureTwips / 15.0))
                    .expandedTo(QSizeF(1, 1));
        if (!countItem())
            return;
        beforePicture();
        m_cursor.setCharFormat(charFormat(pict->ch));
        if (ReportPicture::insertEncoded(m_cursor, pict->data, shown) && !pict->description.isEmpty())
            ReportPicture::describeBefore(m_cursor, pict->description);
        afterPicture();
        m_blockUsed = true;
        m_lastPara = m_st.para;
    }

    // A picture this program cannot draw (a metafile, a Mac or device-independent
    // bitmap) keeps its place and its size as a placeholder, and a group of its own
    // bytes, sizes and format for the writer to put back. Nothing else of the file's
    // group is kept: it may have held fields, objects or links no one saw.
    void foreignPicture(const Picture &pict)
    {
        if (pict.data.isEmpty() || pict.format.isEmpty())
            return;
        QSizeF shown;
        if (pict.goalW > 0 && pict.goalH > 0)
            shown = QSizeF(pict.goalW / 15.0, pict.goalH / 15.0);
        else if (pict.picW > 0 && pict.picH > 0 && pict.kind == Picture::Kind::Metafile)
            shown = QSizeF(pict.picW * 96.0 / 2540.0, pict.picH * 96.0 / 2540.0);
        else if (pict.picW > 0 && pict.picH > 0)
            shown = QSizeF(pict.picW, pict.picH);
        else
            shown = QSizeF(64, 64);
        shown = QSizeF(shown.width() * pict.scaleX / 100.0, shown.height() * pict.scaleY / 100.0);
        shown = shown.boundedTo(QSizeF(kMaxPictureTwips / 15.0, kMaxPictureTwips / 15.0))
                    .expandedTo(QSizeF(1, 1));
        if (!countItem())
            return;
        QByteArray group = "{\\pict" + pict.format;
        const auto size = [&group](const char *word, int value) {
            if (value > 0)
                group += word + QByteArray::number(value);
        };
        size("\\picw", pict.picW);
        size("\\pich", pict.picH);
        size("\\picwgoal", pict.goalW);
        size("\\pichgoal", pict.goalH);
        if (pict.scaleX != 100 || pict.scaleY != 100) {
            group += "\\picscalex" + QByteArray::number(pict.scaleX);
            group += "\\picscaley" + QByteArray::number(pict.scaleY);
        }
        group += '\n';
        const QByteArray hex = pict.data.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128)
            group += hex.mid(i, 128) + '\n';
        group += '}';
        beforePicture();
        m_cursor.setCharFormat(charFormat(pict.ch));
        if (ReportPicture::insertForeign(m_cursor, group, shown) && !pict.description.isEmpty())
            ReportPicture::describeBefore(m_cursor, pict.description);
        afterPicture();
        m_blockUsed = true;
        m_lastPara = m_st.para;
    }

    void finish()
    {
        if (m_pict)
            finishPicture(false); // a file cut off inside its last picture
        flushText();
        if (m_result.ok() && m_blockUsed)
            formatParagraph(blockFormat(m_lastPara));
    }

    void commitFont()
    {
        if (m_fontId >= 0 && !m_fontName.trimmed().isEmpty())
            m_fonts.insert(m_fontId, m_fontName.trimmed());
        if (m_fontId >= 0 && m_fontCodePage)
            m_fontCodePages.insert(m_fontId, m_fontCodePage);
        m_fontId = -1;
        m_fontName.clear();
        m_fontCodePage = nullptr;
    }

    bool countItem()
    {
        if (++m_items > m_limits.maxItems) {
            fail(RtfResult::Error::TooLarge,
                 QStringLiteral("more than %1 paragraphs, runs and pictures").arg(m_limits.maxItems));
            return false;
        }
        return true;
    }

    void fail(RtfResult::Error e, const QString &detail)
    {
        if (m_result.ok())
            m_result = RtfResult::failure(e, detail);
    }

    // --- formats ----------------------------------------------------------------

    QTextCharFormat charFormat(const CharState &s) const
    {
        QTextCharFormat f;
        const int font = s.font >= 0 ? s.font : m_defaultFont;
        const auto name = m_fonts.constFind(font);
        if (name != m_fonts.constEnd() && showsFamily(*name))
            f.setFontFamilies(QStringList{*name});
        f.setFontPointSize(s.halfPoints / 2.0);
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        f.setFontStrikeOut(s.strike);
        if (s.color > 0 && s.color < int(m_colors.size()) && m_colors[size_t(s.color)].set) {
            const ColorEntry &c = m_colors[size_t(s.color)];
            f.setForeground(QColor(c.r, c.g, c.b));
        }
        return f;
    }

    // Whether text in this family is shown in it (see kMaxFamilies).
    bool showsFamily(const QString &family) const
    {
        if (m_families.contains(family))
            return true;
        if (m_families.size() >= kMaxFamilies)
            return false;
        m_families.insert(family);
        return true;
    }

    static QTextBlockFormat blockFormat(const ParaState &p)
    {
        QTextBlockFormat f;
        f.setLeftMargin(p.left / 15.0);
        f.setRightMargin(p.right / 15.0);
        f.setTextIndent(p.first / 15.0);
        f.setTopMargin(p.before / 15.0);
        f.setBottomMargin(p.after / 15.0);
        switch (p.align) {
        case Align::Left:
            f.setAlignment(Qt::AlignLeft);
            break;
        case Align::Center:
            f.setAlignment(Qt::AlignHCenter);
            break;
        case Align::Right:
            f.setAlignment(Qt::AlignRight);
            break;
        case Align::Justify:
            f.setAlignment(Qt::AlignJustify);
            break;
        }
        return f;
    }

    const char *m_p;
    const char *m_begin;
    const char *m_end;
    QTextDocument *m_doc;
    const RtfReader::Limits m_limits;
    const RtfReader::Progress &m_progress;
    QTextCursor m_cursor;
    RtfResult m_result;

    State m_st;
    std::vector<State> m_stack;
    bool m_closed = false;
    bool m_star = false;
    int m_skip = 0;

    int m_defaultFont = 0;
    QHash<int, QString> m_fonts;
    mutable QSet<QString> m_families; // those given to the text so far
    int m_fontId = -1;
    QString m_fontName;
    const CodePage::Table *m_fontCodePage = nullptr;
    QHash<int, const CodePage::Table *> m_fontCodePages;
    const CodePage::Table *m_codePage = CodePage::table(1252);
    std::vector<ColorEntry> m_colors;
    ColorEntry m_color;

    QString m_text;
    CharState m_textStyle;
    ParaState m_lastPara;
    bool m_blockUsed = false;
    bool m_splitDue = false; // the paragraph goes on in a block of its own
    std::unique_ptr<Picture> m_pict;
    QString m_shapeName;  // of the picture property being read
    QString m_shapeValue;
    qint64 m_chars = 0;
    qint64 m_items = 0;
};

} // namespace

namespace RtfReader {

bool continuesParagraph(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(kContinues);
}

QTextBlockFormat beginsParagraph(QTextBlockFormat format)
{
    format.clearProperty(kContinues);
    return format;
}

RtfResult read(QIODevice *in, QTextDocument *doc, const Limits &limits, const Progress &progress)
{
    if (!in || !in->isReadable())
        return RtfResult::failure(RtfResult::Error::Device, QStringLiteral("device not open for reading"));
    QByteArray data;
    if (!in->isSequential()) {
        const qint64 size = in->size() - in->pos();
        if (size > limits.maxBytes)
            return RtfResult::failure(RtfResult::Error::TooLarge,
                                      QStringLiteral("file of %1 bytes").arg(size));
        data.reserve(qsizetype(size));
    }
    char chunk[1 << 16];
    for (;;) {
        const qint64 n = in->read(chunk, sizeof chunk);
        if (n < 0)
            return RtfResult::failure(RtfResult::Error::Device, in->errorString());
        if (n == 0)
            break;
        data.append(chunk, qsizetype(n));
        if (data.size() > limits.maxBytes)
            return RtfResult::failure(RtfResult::Error::TooLarge,
                                      QStringLiteral("file beyond %1 bytes").arg(limits.maxBytes));
    }
    return Parser(data, doc, limits, progress).run();
}

} // namespace RtfReader
